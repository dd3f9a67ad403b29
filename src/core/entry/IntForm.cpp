// The 1099-INT entry window's fields. Several boxes live in columns named after
// other boxes; the record accessors already map them, so the table names the boxes.

#include "core/entry/EntryFormRows.h"

namespace entry {

const EntryFormTable& intForm() {
    using namespace rows;
    static const EntryFormTable formTable = [] {
        EntryFormTable s;
        s.kind = 3;
        s.window = "INTFrame";
        s.closeTitle = "1099 INT";
        s.flagCount = 47;
        s.alwaysTrue = {0, 1, 10, 30};
        s.surnameFlag = 37;
        s.errorOrder = {2,  3,  4,  37, 5,  6,  7,  8,  46, 39, 9,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                        21, 22, 32, 31, 23, 24, 25, 26, 27, 28, 29, 44, 45, 40, 41, 42, 43};
        auto box15 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            EntryField f = stateRow(outlet, store);
            f.maximum = 16;
            f.flag = flag;
            f.check = Check::StateRowTitle;
            f.message = message;
            return f;
        };
        auto box18 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            return EntryField{.outlet = outlet, .maximum = 18, .flag = flag, .check = Check::Amount,
                              .message = message, .store = store,
                              .conversion = Conversion::StoredAsTypedShownAsAmount};
        };
        auto box19 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            return EntryField{.outlet = outlet, .maximum = 18, .cut = 18, .actionMarksChanged = true,
                              .flag = flag, .check = Check::Amount, .message = message, .store = store,
                              .conversion = Conversion::Amount};
        };
        s.fields = {
            nameType("Nametype"),
            tinType("Tin_type"),
            taxID("RecipientidStaticText"),
            businessName("LastNameStaticText"),
            firstName("FirstNameStaticText"),
            middleName("Middlename", 36),
            surname("LastnameBtn", 37),
            suffix("Suffix", 35, 40),
            address("AddressStaticText"),
            address2("Add2", 38),
            city("CityStaticText"),
            addressState("Statepopup", Check::AddressState),
            province("NonUSstate_Btn"),
            zip("ZIPStaticText"),
            country("CountryStaticText", 46),
            accountNumber("AccountNumStaticText"),
            officeCode("Officecode", 39),
            text("PayersRTNStaticText", 23, 23, 11, 60, "Payer's RTN: Must be 60 characters or less.",
                 inInfo(&R::getInt_payerRTN, &R::setInt_payerRTN)),
            amount("InterestIncomeStaticText", 12, "Box 1: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line1, &R::setInt_Line1)),
            amount("EarlywithdrawStaticText", 13, "Box 2: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line2, &R::setInt_Line2)),
            amount("InterestStaticText", 14, "Box 3: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line3, &R::setInt_Line3)),
            amount("FederalIncomeStaticText", 15, "Box 4: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line4, &R::setInt_Line4)),
            amount("InvestmentExpenceStaticText", 16,
                   "Box 5: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line5, &R::setInt_Line5)),
            amount("ForeignTaxpaidStaticText", 17, "Box 6: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line6, &R::setInt_Line6)),
            text("ForeignCountryStaticText", 23, 23, 18, 40, "Box 7: Must be 40 characters or less.",
                 inInfo(&R::getInt_Line7, &R::setInt_Line7)),
            amount("TaxExemptStaticText", 19, "Box 8: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line8, &R::setInt_Line8)),
            amount("SpecifiedPrivateStaticText", 20,
                   "Box 9: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line9, &R::setInt_Line9)),
            amount("MarketDiscountStaticText", 21,
                   "Box 10: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line10, &R::setInt_Line10)),
            amount("BondPremiumStaticText", 22, "Box 11: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line11, &R::setInt_Line11)),
            amount("BondPremiumOnTreasuryStaticText", 32,
                   "Box 12: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line17, &R::setInt_Line17)),
            amount("BondPremiumOnTaxExamptStaticText", 31,
                   "Box 13: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line16, &R::setInt_Line16)),
            text("TaxExemptandTaxCreditStaticText", 23, 23, 23, 13,
                 "Box 14: Must be Positive and 13 characters or less.",
                 inInfo(&R::getInt_Line12, &R::setInt_Line12)),
            box15("StateToppopup", 24, "Box 15 (top): Please select a State or Province.",
                  inInfo(&R::getInt_Line13_1, &R::setInt_Line13_1)),
            text("StateNumberStaticText", 16, 16, 26, 20, "Box 16 (top): Must be 20 characters or less.",
                 inInfo(&R::getInt_Line14_1, &R::setInt_Line14_1)),
            amount("StateTaxWithheldStaticText", 28,
                   "Box 17 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line15_1, &R::setInt_Line15_1)),
            box18("INT_StateINC1_P", 44, "Box 18 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getInt_StateINCM_1, &A::setInt_StateINCM_1)),
            box19("LocalIncometax", 40, "Box 19 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getInt_Line18_1, &A::setInt_Line18_1)),
            text("StateSpecialdata", 60, 60, 42, 60, "Box 20 (top): Must be 60 characters or less.",
                 inAdditional(&A::getInt_Line19_1, &A::setInt_Line19_1), true),
            box15("StateButtompopup", 25, "Box 15 (bottom): Please select a State or Province.",
                  inInfo(&R::getInt_Line13_2, &R::setInt_Line13_2)),
            text("StateNumberStaticText1", 16, 16, 27, 20, "Box 16 (bottom): Must be 20 characters or less.",
                 inInfo(&R::getInt_Line14_2, &R::setInt_Line14_2)),
            amount("StateTaxWithheldStaticText1", 29,
                   "Box 17 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getInt_Line15_2, &R::setInt_Line15_2)),
            box18("INT_StateINC2_P", 45,
                  "Box 18 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getInt_StateINCM_2, &A::setInt_StateINCM_2)),
            box19("LocalIncometax2", 41,
                  "Box 19 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getInt_Line18_2, &A::setInt_Line18_2)),
            text("Statespecialdata2", 60, 60, 43, 60, "Box 20 (bottom): Must be 60 characters or less.",
                 inAdditional(&A::getInt_Line19_2, &A::setInt_Line19_2), true),
            voided("Void"),
            corrected("Corrected"),
            foreignAddress("AddressCheckbox"),
            checkBox("FATCA_Button", flagInInfo(&R::getFATCA_INT, &R::setFATCA_INT)),
            secondTin("SecondInt_Button"),
        };
        return s;
    }();
    return formTable;
}

}  // namespace entry
