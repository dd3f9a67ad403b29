// What each window does beyond the shared design: its tab order, its unused fields,
// the 1099-MISC city's focus move and the 1099-INT boxes kept as typed.

#include "EntryWindowFixture.h"

using entry::Role;

namespace {

struct TabOrder {
    std::string name;
    std::string form;
    std::vector<std::string> chain;
};

void PrintTo(const TabOrder& t, std::ostream* os) { *os << t.name; }

class EntryTabOrder : public EntryWindowTest, public ::testing::WithParamInterface<TabOrder> {};

// Each control's next key view is the following one.
TEST_P(EntryTabOrder, FollowsTheFormsChain) {
    selectPayer(addPayer("Harbor View Dental LLC"));
    newMode();
    for (const EntryForm& form : entryForms()) {
        if (form.name != GetParam().form) continue;
        RecipientEntryWindow* w = form.create();
        ASSERT_TRUE(w);
        const auto& chain = GetParam().chain;
        for (size_t i = 1; i < chain.size(); ++i) {
            QWidget* from = get(w, chain[i - 1]);
            QWidget* to = get(w, chain[i]);
            QWidget* next = from->nextInFocusChain();
            while (next != to && next != from && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
            EXPECT_EQ(next, to) << chain[i - 1] << " -> " << chain[i];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, EntryTabOrder,
    ::testing::Values(
        TabOrder{"MISC", "MISC",
                 {"Name_Type", "CompanyLastName_Text", "Suffix", "FirstName_Text", "Middle_Name", "Last_Name",
                  "Recipient_ID", "RecAddress_Text", "Address2", "ReciCity_text", "ReciCountry_Text", "Statepopup",
                  "ReciZip_Text", "Office_Code", "ReciAccountNum_Text", "Rents_Text", "Royalties_Text",
                  "OtherIncome_Text", "FedIncomeTax_Text", "FinishingBoat_Text", "MedanHealth_Text",
                  "PayerMade_Checkbox", "SubstitutePaye_Text", "NonEmployeeComp_Text", "CropInsurance_Text",
                  "Reserved1_Text", "Section409Adef_Text", "GrossProceeds_Text", "StateTaxWithheld1_Text",
                  "StateNum1_Text", "StateIncome1_Text", "StateTaxWithheld2_Text", "StateNum2_Text",
                  "StateIncome2_Text"}},
        TabOrder{"NEC", "NEC",
                 {"CompanyLastName_Text", "SUffix", "FirstName_Text", "Middlename", "Lastname", "Recipient_ID",
                  "RecAddress_Text", "Add2", "ReciCity_text", "ReciCountry_Text", "ReciZip_Text", "Officecode",
                  "ReciAccountNum_Text"}},
        TabOrder{"NECBoxes", "NEC",
                 {"Nonemployeecompansation", "Reserved2_Text", "Federalincometaxwihheld", "StateTaxWithheld1_Text",
                  "StateNum1_Text", "StateIncome1_Text", "StateTaxWithheld2_Text", "StateNum2_Text",
                  "StateIncome2_Text"}},
        TabOrder{"INT", "INT",
                 {"LastNameStaticText", "Suffix", "FirstNameStaticText", "Middlename", "LastnameBtn",
                  "RecipientidStaticText", "AddressStaticText", "Add2", "CityStaticText", "CountryStaticText",
                  "ZIPStaticText", "Officecode", "AccountNumStaticText", "PayersRTNStaticText",
                  "InterestIncomeStaticText", "EarlywithdrawStaticText", "InterestStaticText",
                  "FederalIncomeStaticText", "InvestmentExpenceStaticText", "ForeignTaxpaidStaticText",
                  "ForeignCountryStaticText", "TaxExemptStaticText", "SpecifiedPrivateStaticText",
                  "MarketDiscountStaticText", "BondPremiumStaticText", "BondPremiumOnTreasuryStaticText",
                  "BondPremiumOnTaxExamptStaticText", "TaxExemptandTaxCreditStaticText", "StateToppopup",
                  "StateNumberStaticText", "StateTaxWithheldStaticText", "INT_StateINC1_P", "LocalIncometax",
                  "StateSpecialdata", "StateButtompopup", "StateNumberStaticText1", "StateTaxWithheldStaticText1",
                  "INT_StateINC2_P", "LocalIncometax2", "Statespecialdata2"}}),
    [](const auto& test) { return test.param.name; });

class EntryForms : public EntryWindowTest {
protected:
    // Shown and active, so that the keyboard focus moves as it does for the user.
    static void activate(QWidget* w) {
        w->show();
        w->activateWindow();
        QCoreApplication::processEvents();
    }
};

TEST_F(EntryForms, MiscCityMovesOnToTheStateOrTheProvinceAndBox14IsOff) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    MISCFrame* w = MISCFrame::create();
    ASSERT_TRUE(w);
    activate(w);
    EXPECT_FALSE(get(w, "ExcessGolden_Text")->isEnabled());
    QLineEdit* city = get<QLineEdit>(w, "ReciCity_text");
    city->setFocus();
    press(city, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), get(w, "Statepopup"));

    get<QCheckBox>(w, "AddressNotInUS_Checkbox")->click();
    city->setFocus();
    press(city, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), get(w, "NonUSterritory"));
}

TEST_F(EntryForms, NecChainsReturnToTheNameLineAndLeadToTheTaxpayerNumber) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t business = addRecipient(payer, 7, {"", "", "22-2222222", true, "Summit Office Cleaning"});
    const int32_t person = addRecipient(payer, 7, {"Ann", "Lee", "111-11-1111"});
    selectRecipient(payer, business);
    NECFrame* w = NECFrame::create();
    ASSERT_TRUE(w);
    activate(w);
    EXPECT_FALSE(get(w, "Reserved1_Text")->isEnabled());
    QWidget* account = get(w, "ReciAccountNum_Text");
    account->setFocus();
    press(account, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), get(w, "CompanyLastName_Text"));
    QWidget* lastIncome = get(w, "StateIncome2_Text");
    lastIncome->setFocus();
    press(lastIncome, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), get(w, "Recipient_ID"));
    // Shift+Tab leaves the name chain backwards, so every control can be reached by keyboard.
    QWidget* line = get(w, "CompanyLastName_Text");
    line->setFocus();
    press(line, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(w->focusWidget(), account);

    // For an individual the name line is off: the focus goes on to the next name field.
    selectRecipient(payer, person);
    NECFrame* second = NECFrame::create();
    ASSERT_TRUE(second);
    activate(second);
    QWidget* secondAccount = get(second, "ReciAccountNum_Text");
    secondAccount->setFocus();
    press(secondAccount, Qt::Key_Tab);
    EXPECT_EQ(second->focusWidget(), get(second, "SUffix"));
}

TEST_F(EntryForms, IntBox18IsStoredAsTypedAndBox15ListsEveryState) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, 3, {"Ann", "Lee", "111-11-1111"});
    selectRecipient(payer, key);
    INTFrame* w = INTFrame::create();
    ASSERT_TRUE(w);
    auto* top = get<QComboBox>(w, "StateToppopup");
    EXPECT_EQ(top->count(), 59);
    EXPECT_EQ(top->itemText(0), "None");
    choose(top, QStringLiteral("Ohio-OH"));
    retype(get<QLineEdit>(w, "INT_StateINC1_P"), QStringLiteral("1,234.5"));
    retype(get<QLineEdit>(w, "StateTaxWithheldStaticText"), QStringLiteral("1,234.5"));
    retype(get<QLineEdit>(w, "BondPremiumOnTreasuryStaticText"), QStringLiteral("7"));
    answer();
    get<QPushButton>(w, "Update_Button")->click();
    const RecipientInfo r = cdb()->getRecipientInfo(key);
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getInt_StateINCM_1(), "1,234.5");
    EXPECT_EQ(r.getInt_Line15_1(), "1234.50");
    EXPECT_EQ(r.getInt_Line17(), "7.00");
    EXPECT_EQ(r.getInt_Line13_1(), "Ohio-OH");
}

}  // namespace
