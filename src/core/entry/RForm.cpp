// The 1099-R entry window's fields. Boxes 14 to 19 live in the record's R_Line12_* to
// R_Line17_* properties, which printing and filing read; Boxes 8 %, 9a and 11 are whole
// numbers in which -1 means empty and -2 not valid.

#include "core/entry/EntryFormRows.h"

namespace entry {

const EntryFormTable& rForm() {
    using namespace rows;
    static const EntryFormTable formTable = [] {
        EntryFormTable s;
        s.kind = 4;
        s.window = "RFrame";
        s.closeTitle = "1099 R";
        s.flagCount = 56;
        s.alwaysTrue = {0, 1, 10, 13, 19, 34, 40, 41, 51, 52};
        s.surnameFlag = 44;
        s.errorOrder = {2,  3,  4,  44, 5,  6,  7,  8,  55, 46, 9,  39, 11, 12, 14, 15, 16, 17, 18, 20, 21, 22,
                        23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 35, 36, 37, 38, 53, 54, 47, 48, 49, 50};
        EntryField first = firstName("FirstNameStaticText");
        first.checkMaximum = 40;
        EntryField suffixField = suffix("Sufix", 42, 40);
        suffixField.maximum = 13;
        auto whole = [](const char* outlet, int32_t maximum, int32_t flag, Check check, const char* message,
                        FieldStore store, Conversion conversion) {
            return EntryField{.outlet = outlet, .maximum = maximum, .cut = maximum, .flag = flag, .check = check,
                              .message = message, .store = store, .conversion = conversion};
        };
        auto box20 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            return EntryField{.outlet = outlet, .maximum = 18, .cut = 13, .flag = flag, .check = Check::Amount,
                              .message = message, .store = store,
                              .conversion = Conversion::StoredAsTypedShownAsAmount};
        };
        auto box21 = [](const char* outlet, int32_t flag, const char* message, FieldStore store) {
            return EntryField{.outlet = outlet, .maximum = 18, .cut = 18, .actionMarksChanged = true, .flag = flag,
                              .check = Check::Amount, .message = message, .store = store,
                              .conversion = Conversion::ConvertedShownAsStored};
        };
        s.fields = {
            nameType("Nametype"),
            tinType("Tin"),
            taxID("RecipientidStaticText"),
            businessName("LastNameStaticText"),
            first,
            middleName("Middlename", 43),
            surname("LastName", 44),
            suffixField,
            address("AddressStaticText"),
            address2("Add2", 45),
            city("CityStaticText"),
            addressState("Statepopup", Check::AddressState),
            province("NonUS_Btn"),
            zip("ZIPStaticText"),
            country("CountryStaticText", 55),
            accountNumber("AccountNumStaticText"),
            officeCode("Officecode", 46),
            {.outlet = "DateOfPaymentStaticText", .maximum = 10, .cut = 10, .flag = 39, .check = Check::Date,
             .message = "Date Of Payment: Must be a valid date of form MM/DD/YYYY.",
             .store = inInfo(&R::getR_DateOfPayment, &R::setR_DateOfPayment)},
            amount("GrossDistributeStaticText", 11, "Box 1: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line1, &R::setR_Line1)),
            amount("TaxableAmtStaticText", 12, "Box 2a: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line2a, &R::setR_Line2a)),
            checkBox("secondTINCheckbox", flagInInfo(&R::getR_Line2b_Checkbox_1, &R::setR_Line2b_Checkbox_1)),
            checkBox("PayerMadeCheckbox", flagInInfo(&R::getR_Line2b_Checkbox_2, &R::setR_Line2b_Checkbox_2)),
            amount("CapitalGainStaticText", 14, "Box 3: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line3, &R::setR_Line3)),
            amount("FederalIncomeStaticText", 15, "Box 4: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line4, &R::setR_Line4)),
            amount("EmpContributionStaticText", 16,
                   "Box 5: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line5, &R::setR_Line5)),
            amount("NetUnrealizedStaticText", 17, "Box 6: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line6, &R::setR_Line6)),
            // The code is stored as typed, lower case included.
            {.outlet = "DistributionCodeStaticText", .maximum = 2, .cut = 2, .flag = 18,
             .check = Check::DistributionCode,
             .message = "Box 7: Must be a valid Distribution Code. See Publication 1220.",
             .store = inInfo(&R::getR_Line7, &R::setR_Line7)},
            checkBox("IRASEPCheckbox", flagInInfo(&R::getR_Line7_Checkbox, &R::setR_Line7_Checkbox)),
            amount("OtherStaticText", 20, "Box 8: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line8, &R::setR_Line8)),
            whole("OtherStaticText1", 5, 21, Check::Percentage, "Box 8 %: Must be an integer between 1 and 99.",
                  numberInInfo(&R::getR_Line8_Percentage, &R::setR_Line8_Percentage), Conversion::Percentage),
            whole("PerOfTotalDistStaticText", 5, 22, Check::Percentage,
                  "Box 9a: Must be an integer between 1 and 99.", numberInInfo(&R::getR_Line9a, &R::setR_Line9a),
                  Conversion::WholeNumber),
            amount("TotalEmpContributionStaticText", 23,
                   "Box 9b: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line9b, &R::setR_Line9b)),
            amount("AmountAllocableStaticText", 24,
                   "Box 10: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line10, &R::setR_Line10)),
            whole("FirstYearofDesigStaticText", 23, 25, Check::Year, "Box 11: Must be a year of form YYYY.",
                  numberInInfo(&R::getR_Line11, &R::setR_Line11), Conversion::WholeNumber),
            checkBox("FATCACheckbox", flagInInfo(&R::getFATCA_R, &R::setFATCA_R)),

            stateRow("R_State1_P", inAdditional(&A::getTopState_R, &A::setTopState_R)),
            amount("StateTaxWithheldStaticText", 26,
                   "Box 14 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line12_1, &R::setR_Line12_1)),
            text("StateNumberStaticText", 23, 23, 28, 20, "Box 15 (top): Must be 20 characters or less.",
                 inInfo(&R::getR_Line13_1, &R::setR_Line13_1)),
            amount("StateIncomeStaticText", 30,
                   "Box 16 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line14_1, &R::setR_Line14_1)),
            amount("LocalTaxWithheldStaticText", 32,
                   "Box 17 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line15_1, &R::setR_Line15_1)),
            text("NameOfLocalityStaticText", 23, 23, 35, 20, "Box 18 (top): Must be 20 characters or less.",
                 inInfo(&R::getR_Line16_1, &R::setR_Line16_1)),
            amount("LocalDistributionStaticText", 37,
                   "Box 19 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line17_1, &R::setR_Line17_1)),
            box20("R_StateInc1_P", 53, "Box 20 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getStateINC1_R, &A::setStateINC1_R)),
            box21("StateLocalincome", 47, "Box 21 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getR_Line18_1, &A::setR_Line18_1)),
            text("StateSpecialdata", 60, 60, 49, 60, "Box 22 (top): Must be 60 characters or less.",
                 inAdditional(&A::getR_Line19_1, &A::setR_Line19_1), true),

            stateRow("R_State2_P", inAdditional(&A::getBottomState_R, &A::setBottomState_R)),
            amount("StateTaxWithheldStaticText1", 27,
                   "Box 14 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line12_2, &R::setR_Line12_2)),
            text("StateNumberStaticText1", 23, 23, 29, 20, "Box 15 (bottom): Must be 20 characters or less.",
                 inInfo(&R::getR_Line13_2, &R::setR_Line13_2)),
            amount("StateIncomeStaticText1", 31,
                   "Box 16 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line14_2, &R::setR_Line14_2)),
            amount("LocalTaxWithheldStaticText1", 33,
                   "Box 17 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line15_2, &R::setR_Line15_2)),
            text("NameOfLocalityStaticText1", 23, 23, 36, 20, "Box 18 (bottom): Must be 20 characters or less.",
                 inInfo(&R::getR_Line16_2, &R::setR_Line16_2)),
            amount("LocalDistributionStaticText1", 38,
                   "Box 19 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getR_Line17_2, &R::setR_Line17_2)),
            box20("R_StateInc2_P", 54, "Box 20 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getStateINC2_R, &A::setStateINC2_R)),
            box21("StateLocalIncome2", 48,
                  "Box 21 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                  inAdditional(&A::getR_Line18_2, &A::setR_Line18_2)),
            text("Statespecialdata1", 60, 60, 50, 60, "Box 22 (bottom): Must be 60 characters or less.",
                 inAdditional(&A::getR_Line19_2, &A::setR_Line19_2), true),

            voided("Void"),
            corrected("Corrected"),
            foreignAddress("AddressCheckbox"),
        };
        return s;
    }();
    return formTable;
}

}  // namespace entry
