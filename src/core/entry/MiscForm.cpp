// The 1099-MISC entry window's fields.

#include "core/entry/EntryFormRows.h"

namespace entry {

const EntryFormTable& miscForm() {
    using namespace rows;
    static const EntryFormTable formTable = [] {
        EntryFormTable s;
        s.kind = 1;
        s.window = "MISCFrame";
        s.closeTitle = "1099 MISC";
        s.flagCount = 46;
        s.alwaysTrue = {0, 1, 10, 11, 18};
        s.surnameFlag = 36;
        s.errorOrder = {2,  3,  4,  36, 5,  6,  7,  8,  45, 38, 9,  12, 13, 14, 15, 16, 17, 19, 20,
                        21, 22, 23, 25, 26, 27, 28, 29, 30, 31, 39, 40, 41, 42};
        s.fields = {
            nameType("Name_Type"),
            tinType("Tin_Type"),
            taxID("Recipient_ID"),
            businessName("CompanyLastName_Text"),
            firstName("FirstName_Text"),
            middleName("Middle_Name", 35),
            surname("Last_Name", 36),
            suffix("Suffix", 34, 20),
            address("RecAddress_Text"),
            address2("Address2", 37),
            city("ReciCity_text"),
            addressState("Statepopup", Check::AddressState),
            province("NonUSterritory"),
            zip("ReciZip_Text"),
            country("ReciCountry_Text", 45),
            accountNumber("ReciAccountNum_Text"),
            officeCode("Office_Code", 38),
            amount("Rents_Text", 12, "Box 1: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine1_Misc, &R::setLine1_Misc)),
            amount("Royalties_Text", 13, "Box 2: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine2_Misc, &R::setLine2_Misc)),
            amount("OtherIncome_Text", 14, "Box 3: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine3_Misc, &R::setLine3_Misc)),
            amount("FedIncomeTax_Text", 15, "Box 4: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine4_Misc, &R::setLine4_Misc)),
            amount("FinishingBoat_Text", 16, "Box 5: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine5_Misc, &R::setLine5_Misc)),
            amount("MedanHealth_Text", 17, "Box 6: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine6_Misc, &R::setLine6_Misc)),
            checkBox("PayerMade_Checkbox", flagInInfo(&R::getLine9_Misc, &R::setLine9_Misc)),
            amount("SubstitutePaye_Text", 19, "Box 8: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine8_Misc, &R::setLine8_Misc)),
            amount("NonEmployeeComp_Text", 20, "Box 9: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine7_Misc, &R::setLine7_Misc)),
            amount("CropInsurance_Text", 21, "Box 10: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine10_Misc, &R::setLine10_Misc)),
            amount("Reserved1_Text", 22, "Box 11: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine11_Misc, &R::setLine11_Misc)),
            amount("Section409Adef_Text", 23, "Box 12: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine12_Misc, &R::setLine12_Misc)),
            checkBox("FATCA_Checkbox", flagInInfo(&R::getFATCA_MISC, &R::setFATCA_MISC)),
            // Box 14 is no longer a box of the form: shown, never filled, stored or checked.
            {.outlet = "ExcessGolden_Text", .maximum = 13, .cut = 13},
            amount("GrossProceeds_Text", 25, "Box 15: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine14_Misc, &R::setLine14_Misc)),
            amount("StateTaxWithheld1_Text", 26,
                   "Box 16 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine16_1_Misc, &R::setLine16_1_Misc)),
            amount("StateTaxWithheld2_Text", 27,
                   "Box 16 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine16_2_Misc, &R::setLine16_2_Misc)),
            stateRow("M_topState_P", inAdditional(&A::getTopState_M, &A::setTopState_M)),
            stateRow("M_bottomState_P", inAdditional(&A::getBottomState, &A::setBottomState_M)),
            text("StateNum1_Text", 19, 19, 28, 20, "Box 17 (top): Must be 20 characters or less.",
                 inInfo(&R::getLine17_1_Misc, &R::setLine17_1_Misc)),
            text("StateNum2_Text", 19, 19, 29, 20, "Box 17 (bottom): Must be 20 characters or less.",
                 inInfo(&R::getLine17_2_Misc, &R::setLine17_2_Misc)),
            amount("StateIncome1_Text", 30, "Box 18 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine18_1_Misc, &R::setLine18_1_Misc)),
            amount("StateIncome2_Text", 31,
                   "Box 18 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getLine18_2_Misc, &R::setLine18_2_Misc)),
            {.outlet = "LocalIncometax", .maximum = 18, .cut = 18, .actionMarksChanged = true, .flag = 39,
             .check = Check::Amount,
             .message = "Box 19 (top): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
             .store = inAdditional(&A::getline19_1_Misc, &A::setline19_1_Misc),
             .conversion = Conversion::ConvertedShownAsStored},
            {.outlet = "Localincometax2", .maximum = 18, .cut = 18, .actionMarksChanged = true, .flag = 40,
             .check = Check::Amount,
             .message = "Box 19 (bottom): Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
             .store = inAdditional(&A::getline19_2_Misc, &A::setline19_2_Misc),
             .conversion = Conversion::ConvertedShownAsStored},
            text("Statespecialdata1", 60, 60, 41, 60, "Box 20 (top): Must be 60 characters or less.",
                 inAdditional(&A::getline20_1_Misc, &A::setline20_1_Misc), true),
            text("Statespecialdata2", 60, 60, 42, 60, "Box 20 (bottom): Must be 60 characters or less.",
                 inAdditional(&A::getline20_2_Misc, &A::setline20_2_Misc), true),
            voided("VOID_Checkbox"),
            corrected("CORRECTED_Checkbox"),
            foreignAddress("AddressNotInUS_Checkbox"),
            secondTin("TIN_Checkbox"),
        };
        s.disabledAtLoad = {"ExcessGolden_Text"};
        return s;
    }();
    return formTable;
}

}  // namespace entry
