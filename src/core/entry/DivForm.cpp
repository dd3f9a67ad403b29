// The 1099-DIV entry window's fields. From Box 5 on the record properties carry other
// numbers than the boxes (Box 6 is Div_Line5 and so on); printing and filing read the
// same properties, so the table names the boxes and the accessors keep their names.

#include "core/entry/EntryFormRows.h"

namespace entry {

const EntryFormTable& divForm() {
    using namespace rows;
    static const EntryFormTable formTable = [] {
        EntryFormTable s;
        s.kind = 2;
        s.window = "DIVFrame";
        s.closeTitle = "1099 DIV";
        s.flagCount = 50;
        s.alwaysTrue = {0, 1, 10, 34};
        s.surnameFlag = 40;
        s.errorOrder = {2,  3,  4,  40, 5,  6,  7,  8,  49, 42, 9,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                        35, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 47, 48, 43, 44, 45, 46};
        EntryField countryField = country("CountryStaticText", 49);
        countryField.checkMaximum = 15;
        auto box17 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            return EntryField{.outlet = outlet,
                              .maximum = 18,
                              .cut = 13,
                              .flag = flag,
                              .check = Check::Amount,
                              .message = message,
                              .store = store,
                              .conversion = Conversion::StoredAsTypedShownAsAmount};
        };
        auto box18 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            return EntryField{.outlet = outlet,
                              .maximum = 18,
                              .flag = flag,
                              .check = Check::Amount,
                              .message = message,
                              .store = store,
                              .conversion = Conversion::ConvertedShownAsStored};
        };
        auto box19 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            return EntryField{.outlet = outlet,
                              .maximum = 60,
                              .flag = flag,
                              .check = Check::Length,
                              .minimum = 0,
                              .checkMaximum = 60,
                              .message = message,
                              .store = store};
        };
        auto box14 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            EntryField f = stateRow(outlet, store);
            f.flag = flag;
            f.check = Check::StateRowTitle;
            f.message = message;
            return f;
        };
        s.fields = {
            nameType("Name_Type"),
            tinType("Tin_type"),
            taxID("RecipientidStaticText"),
            businessName("LastNameStaticText"),
            firstName("FirstNameStaticText"),
            middleName("Middlename", 39),
            surname("Lastname_action", 40),
            suffix("Suffix", 38, 40),
            address("AddressStaticText"),
            address2("Address2", 41),
            city("CityStaticText"),
            addressState("StatePopupBtn", Check::AddressState),
            province("NonUSstate_btn"),
            zip("ZIPStaticText"),
            countryField,
            accountNumber("AccountNumStaticText"),
            officeCode("Officecode", 42),
            amount("TotalOrdinaryStaticText", 11, "Box 1a: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line1a, &R::setDiv_Line1a)),
            amount("QualifiedStaticText", 12, "Box 1b: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line1b, &R::setDiv_Line1b)),
            amount("TotalcapitalStaticText", 13, "Box 2a: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line2a, &R::setDiv_Line2a)),
            amount("UnrecapStaticText", 14, "Box 2b: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line2b, &R::setDiv_Line2b)),
            amount("Section1202StaticText", 15, "Box 2c: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line2c, &R::setDiv_Line2c)),
            amount("CollectiblesStaticText", 16, "Box 2d: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line2d, &R::setDiv_Line2d)),
            amount("Section897_Statictext", 17, "Box 2e: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line2e, &R::setDiv_Line2e)),
            amount("Section897Capital", 18, "Box 2f: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line2f, &R::setDiv_Line2f)),
            amount("NonDividentStaticText", 19, "Box 3: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line3, &R::setDiv_Line3)),
            amount("FederalIncomeStaticText", 20, "Box 4: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line4, &R::setDiv_Line4)),
            amount("Sec199ADividends", 35, "Box 5: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Sec199ADiv, &R::setDiv_Sec199ADiv)),
            amount("InvestmentStaticText", 21, "Box 6: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line5, &R::setDiv_Line5)),
            amount("ForeignTaxStaticText", 22, "Box 7: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line6, &R::setDiv_Line6)),
            text("ForeignCountryStaticText", 20, 20, 23, 40, "Box 8: Must be 40 characters or less.",
                 inInfo(&R::getDiv_Line7, &R::setDiv_Line7)),
            amount("CashLiquidStaticText", 24, "Box 9: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line8, &R::setDiv_Line8)),
            amount("NonCashLiquidStaticText", 25, "Box 10: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line9, &R::setDiv_Line9)),
            amount("ExemptStaticText", 26, "Box 12: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line10, &R::setDiv_Line10)),
            amount("SpecifiedTStaticText", 27, "Box 13: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line11, &R::setDiv_Line11)),
            box14("StateTop_popupBtn", 28, "Box 14 (top): Please select a State or Province.",
                  inInfo(&R::getDiv_Line12_1, &R::setDiv_Line12_1)),
            text("StateNumberStaticText", 20, 20, 30, 20, "Box 15 (top): Must be 20 characters or less.",
                 inInfo(&R::getDiv_Line13_1, &R::setDiv_Line13_1)),
            amount("StateTaxWithheldStaticText", 32,
                   "Box 16 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line14_1, &R::setDiv_Line14_1)),
            box17("D_StateInc1_P", 47, "Box 17 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getDiv_StateINC_1, &A::setDiv_StateINC_1)),
            box18("LocalIncometax", 43, "Box 18 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getDiv_Line15_1, &A::setDiv_Line15_1)),
            box19("Statespecialdata1", 45, "Box 19 (top): Must be 60 characters or less.",
                  inAdditional(&A::getDiv_Line16_1, &A::setDiv_Line16_1)),
            box14("StateButtom_popupBtn", 29, "Box 14 (bottom): Please select a State or Province.",
                  inInfo(&R::getDiv_Line12_2, &R::setDiv_Line12_2)),
            text("StateNumberStaticText1", 20, 20, 31, 20, "Box 15 (bottom): Must be 20 characters or less.",
                 inInfo(&R::getDiv_Line13_2, &R::setDiv_Line13_2)),
            amount("StateTaxWithheldStaticText1", 33,
                   "Box 16 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getDiv_Line14_2, &R::setDiv_Line14_2)),
            box17("D_StateInc2_P", 48, "Box 17 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getDiv_StateINC_2, &A::setDiv_StateINC_2)),
            box18("Localincometax2", 44, "Box 18 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getDiv_Line15_2, &A::setDiv_Line15_2)),
            box19("Statespecialdata2", 46, "Box 19 (bottom): Must be 60 characters or less.",
                  inAdditional(&A::getDiv_Line16_2, &A::setDiv_Line16_2)),
            checkBox("FATCACheckbox", flagInInfo(&R::getFATCA_DIV, &R::setFATCA_DIV)),
            secondTin("secondTINCheckbox"),
            voided("VoidCheckBox"),
            corrected("Correced"),
            foreignAddress("Addresscheckbox"),
        };
        return s;
    }();
    return formTable;
}

}  // namespace entry
