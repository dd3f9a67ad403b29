// The 1099-NEC entry window's fields.

#include "core/entry/EntryFormRows.h"
#include "core/foundation/FormKind.h"

namespace entry {

const EntryFormTable& necForm() {
    using namespace rows;
    static const EntryFormTable formTable = [] {
        EntryFormTable s;
        s.kind = FormKind::kNec;
        s.window = "NECFrame";
        s.closeTitle = "1099 NEC";
        s.flagCount = 35;
        s.alwaysTrue = {0, 1, 10, 11};
        s.surnameFlag = 25;
        s.errorOrder = {2, 3, 4, 25, 5, 6, 7, 8, 34, 27, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20, 28, 29, 30, 31};
        s.fields = {
            nameType("Nametype"),
            tinType("Tin"),
            taxID("Recipient_ID"),
            businessName("CompanyLastName_Text"),
            firstName("FirstName_Text"),
            middleName("Middlename", 24),
            surname("Lastname", 25),
            suffix("SUffix", 23, 40),
            address("RecAddress_Text"),
            address2("Add2", 26),
            city("ReciCity_text"),
            addressState("Statepopup", Check::AddressStateEmptyTitlePasses),
            province("NonUSstate_Btn"),
            zip("ReciZip_Text"),
            country("ReciCountry_Text", 34),
            accountNumber("ReciAccountNum_Text"),
            officeCode("Officecode", 27),
            amount("Nonemployeecompansation", 12, "Box 1: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine1_NEC, &R::setLine1_NEC), 0),
            checkBox("PayermadeCheckbox", flagInInfo(&R::getNec_Line2_2, &R::setNec_Line2_2)),
            amount("Reserved2_Text", 13, "Box 3: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine3_NEC, &R::setLine3_NEC)),
            amount("Federalincometaxwihheld", 14, "Box 4: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine4_NEC, &R::setLine4_NEC), 0),
            amount("StateTaxWithheld1_Text", 15,
                   "Box 5 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine5_1_NEC, &R::setLine5_1_NEC), 0),
            amount("StateTaxWithheld2_Text", 16,
                   "Box 5 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine5_2_NEC, &R::setLine5_2_NEC), 0),
            text("StateNum1_Text", 19, 0, 17, 20, "Box 6 (top): Must be 20 characters or less.",
                 inInfo(&R::getLine6_1_NEC, &R::setLine6_1_NEC)),
            text("StateNum2_Text", 19, 0, 18, 20, "Box 6 (bottom): Must be 20 characters or less.",
                 inInfo(&R::getLine6_2_NEC, &R::setLine6_2_NEC)),
            amount("StateIncome1_Text", 19, "Box 7 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine7_1_NEC, &R::setLine7_1_NEC)),
            amount("StateIncome2_Text", 20,
                   "Box 7 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine7_2_NEC, &R::setLine7_2_NEC)),
            {.outlet = "Statelocal1", .maximum = 18, .cut = 18, .actionMarksChanged = true, .flag = 28,
             .check = Check::Amount,
             .message = "Box 8 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
             .store = inAdditional(&A::getLine8_1_NEC, &A::setLine8_1_NEC),
             .conversion = Conversion::ConvertedShownAsStored},
            {.outlet = "Statelocal2", .maximum = 18, .cut = 18, .actionMarksChanged = true, .flag = 29,
             .check = Check::Amount,
             .message = "Box 8 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
             .store = inAdditional(&A::getLine8_2_NEC, &A::setLine8_2_NEC),
             .conversion = Conversion::ConvertedShownAsStored},
            text("StateSpecialdata", 60, 60, 30, 60, "Box 9 (top): Must be 60 characters or less.",
                 inAdditional(&A::getLine9_1_NEC, &A::setLine9_1_NEC), true),
            text("Statespecialdata1", 60, 60, 31, 60, "Box 9 (bottom): Must be 60 characters or less.",
                 inAdditional(&A::getLine9_2_NEC, &A::setLine9_2_NEC), true),
            stateRow("Nec_State1_P", inAdditional(&A::getTopState_NEC, &A::setTopState_NEC)),
            stateRow("Nec_State2_P", inAdditional(&A::getBottomState_NEC, &A::setBottomState_NEC)),
            // An amount field of no box: never stored or checked (the layout keeps it disabled).
            {.outlet = "Reserved1_Text", .maximum = 13},
            checkBox("FATCA_Checkbox", flagInInfo(&R::getFATCA_NEC, &R::setFATCA_NEC)),
            secondTin("TIN_Checkbox"),
            voided("VOID_Checkbox"),
            corrected("CORRECTED_Checkbox"),
            foreignAddress("AddressNotInUS_Checkbox"),
        };
        return s;
    }();
    return formTable;
}

}  // namespace entry
