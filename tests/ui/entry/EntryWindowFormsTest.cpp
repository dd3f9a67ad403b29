// What each window does beyond the shared design: its tab order, its unused fields,
// the 1099-MISC city's focus move, the boxes kept as typed or cut shorter than they can
// be typed, the 1099-R whole numbers, the 1099-S Box 3 state, and the main window's
// opener reaching every window.

#include <algorithm>

#include "EntryWindowFixture.h"
#include "ui/UiTestHelpers.h"

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
            QWidget* from = uitest::child(w, chain[i - 1]);
            QWidget* to = uitest::child(w, chain[i]);
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
                 {"Name_Type", "CompanyLastName_Text", "FirstName_Text", "Middle_Name", "Last_Name", "Suffix",
                  "Recipient_ID", "RecAddress_Text", "Address2", "ReciCity_text", "ReciCountry_Text", "Statepopup",
                  "NonUSterritory", "ReciZip_Text", "Office_Code", "ReciAccountNum_Text", "Rents_Text", "Royalties_Text",
                  "OtherIncome_Text", "FedIncomeTax_Text", "FinishingBoat_Text", "MedanHealth_Text",
                  "PayerMade_Checkbox", "SubstitutePaye_Text", "NonEmployeeComp_Text", "CropInsurance_Text",
                  "Reserved1_Text", "Section409Adef_Text", "GrossProceeds_Text", "M_topState_P",
                  "StateTaxWithheld1_Text", "StateNum1_Text", "StateIncome1_Text", "LocalIncometax",
                  "Statespecialdata1", "M_bottomState_P", "StateTaxWithheld2_Text", "StateNum2_Text",
                  "StateIncome2_Text", "Localincometax2", "Statespecialdata2"}},
        TabOrder{"NEC", "NEC",
                 {"CompanyLastName_Text", "FirstName_Text", "Middlename", "Lastname", "SUffix", "Recipient_ID",
                  "RecAddress_Text", "Add2", "ReciCity_text", "ReciCountry_Text", "ReciZip_Text", "Officecode",
                  "ReciAccountNum_Text"}},
        TabOrder{"NECBoxes", "NEC",
                 {"Nonemployeecompansation", "Reserved2_Text", "Federalincometaxwihheld", "Nec_State1_P",
                  "StateTaxWithheld1_Text", "StateNum1_Text", "StateIncome1_Text", "Statelocal1", "StateSpecialdata",
                  "Nec_State2_P", "StateTaxWithheld2_Text", "StateNum2_Text", "StateIncome2_Text", "Statelocal2",
                  "Statespecialdata1"}},
        TabOrder{"INT", "INT",
                 {"LastNameStaticText", "FirstNameStaticText", "Middlename", "LastnameBtn", "Suffix",
                  "RecipientidStaticText", "AddressStaticText", "Add2", "CityStaticText", "CountryStaticText",
                  "ZIPStaticText", "Officecode", "AccountNumStaticText", "PayersRTNStaticText",
                  "InterestIncomeStaticText", "EarlywithdrawStaticText", "InterestStaticText",
                  "FederalIncomeStaticText", "InvestmentExpenceStaticText", "ForeignTaxpaidStaticText",
                  "ForeignCountryStaticText", "TaxExemptStaticText", "SpecifiedPrivateStaticText",
                  "MarketDiscountStaticText", "BondPremiumStaticText", "BondPremiumOnTreasuryStaticText",
                  "BondPremiumOnTaxExamptStaticText", "TaxExemptandTaxCreditStaticText", "StateToppopup",
                  "StateNumberStaticText", "StateTaxWithheldStaticText", "INT_StateINC1_P", "LocalIncometax",
                  "StateSpecialdata", "StateButtompopup", "StateNumberStaticText1", "StateTaxWithheldStaticText1",
                  "INT_StateINC2_P", "LocalIncometax2", "Statespecialdata2"}},
        TabOrder{"DIV", "DIV",
                 {"LastNameStaticText", "FirstNameStaticText", "Middlename", "Lastname_action", "Suffix",
                  "RecipientidStaticText", "AddressStaticText", "Address2", "CityStaticText", "CountryStaticText",
                  "Addresscheckbox", "StatePopupBtn", "NonUSstate_btn", "ZIPStaticText", "Officecode",
                  "AccountNumStaticText", "secondTINCheckbox", "FATCACheckbox", "TotalOrdinaryStaticText",
                  "QualifiedStaticText", "TotalcapitalStaticText", "UnrecapStaticText", "Section1202StaticText",
                  "CollectiblesStaticText", "Section897_Statictext", "Section897Capital", "NonDividentStaticText",
                  "FederalIncomeStaticText", "Sec199ADividends", "InvestmentStaticText", "ForeignTaxStaticText",
                  "ForeignCountryStaticText", "CashLiquidStaticText", "NonCashLiquidStaticText", "ExemptStaticText",
                  "SpecifiedTStaticText", "StateTop_popupBtn", "StateNumberStaticText", "StateTaxWithheldStaticText",
                  "D_StateInc1_P", "LocalIncometax", "Statespecialdata1", "StateButtom_popupBtn",
                  "StateNumberStaticText1", "StateTaxWithheldStaticText1", "D_StateInc2_P", "Localincometax2",
                  "Statespecialdata2"}},
        TabOrder{"R", "R",
                 {"LastNameStaticText", "FirstNameStaticText", "Middlename", "LastName", "Sufix",
                  "RecipientidStaticText", "AddressStaticText", "Add2", "CityStaticText", "CountryStaticText",
                  "AddressCheckbox", "Statepopup", "NonUS_Btn", "ZIPStaticText", "Officecode", "AccountNumStaticText",
                  "DateOfPaymentStaticText"}},
        TabOrder{"RBoxes", "R",
                 {"GrossDistributeStaticText", "TaxableAmtStaticText", "secondTINCheckbox", "PayerMadeCheckbox",
                  "CapitalGainStaticText", "FederalIncomeStaticText", "EmpContributionStaticText",
                  "NetUnrealizedStaticText", "DistributionCodeStaticText", "IRASEPCheckbox", "OtherStaticText",
                  "OtherStaticText1", "PerOfTotalDistStaticText", "TotalEmpContributionStaticText",
                  "AmountAllocableStaticText", "FirstYearofDesigStaticText", "FATCACheckbox", "R_State1_P",
                  "StateTaxWithheldStaticText", "StateNumberStaticText", "StateIncomeStaticText",
                  "LocalTaxWithheldStaticText", "NameOfLocalityStaticText", "LocalDistributionStaticText",
                  "R_StateInc1_P", "StateLocalincome", "StateSpecialdata", "R_State2_P",
                  "StateTaxWithheldStaticText1", "StateNumberStaticText1", "StateIncomeStaticText1",
                  "LocalTaxWithheldStaticText1", "NameOfLocalityStaticText1", "LocalDistributionStaticText1",
                  "R_StateInc2_P", "StateLocalIncome2", "Statespecialdata1", "Void", "Corrected"}},
        TabOrder{"S", "S",
                 {"LastNameStaticText", "FirstNameStaticText", "middlename", "lastname", "suffix",
                  "RecipientidStaticText", "AddressStaticText", "add2", "CityStaticText", "CountryStaticText",
                  "AddressNotInUS", "Statepopup", "NonUSstate_Btn", "ZIPStaticText", "Officecode",
                  "AccountNumStaticText"}},
        TabOrder{"SBoxes", "S",
                 {"DateofCloseStaticText", "GrossProceedStaticText", "InfoAddressStaticText", "InfoCityStaticText",
                  "Stateinfopopup", "InfoZIPStaticText", "Info1Checkbox", "Info2Checkbox", "BuyerspartStaticText",
                  "VOID_FORM", "CORRECTED"}}),
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

TEST_F(EntryForms, MiscCityTabsOnToTheCountryThenTheStateOrTheProvinceAndBox14IsOff) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    MISCFrame* w = MISCFrame::create();
    ASSERT_TRUE(w);
    activate(w);
    EXPECT_FALSE(uitest::child(w, "ExcessGolden_Text")->isEnabled());
    auto tabFrom = [&](const char* name) {
        QWidget* from = uitest::child(w, name);
        from->setFocus();
        press(from, Qt::Key_Tab);
        return w->focusWidget();
    };
    EXPECT_EQ(tabFrom("ReciCity_text"), uitest::child(w, "ReciCountry_Text"));
    EXPECT_EQ(tabFrom("ReciCountry_Text"), uitest::child(w, "Statepopup"));
    EXPECT_EQ(tabFrom("Statepopup"), uitest::child(w, "ReciZip_Text"));

    uitest::child<QCheckBox>(w, "AddressNotInUS_Checkbox")->click();
    EXPECT_EQ(tabFrom("ReciCity_text"), uitest::child(w, "ReciCountry_Text"));
    EXPECT_EQ(tabFrom("ReciCountry_Text"), uitest::child(w, "NonUSterritory"));
    EXPECT_EQ(tabFrom("NonUSterritory"), uitest::child(w, "ReciZip_Text"));
}

// The keyboard reaches the address state, or the province of a foreign address.
TEST_F(EntryForms, SKeyboardReachesTheStateOrTheProvince) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    SFrame* w = SFrame::create();
    ASSERT_TRUE(w);
    activate(w);
    auto tabFrom = [&](const char* name) {
        QWidget* from = uitest::child(w, name);
        from->setFocus();
        press(from, Qt::Key_Tab);
        return w->focusWidget();
    };
    EXPECT_EQ(tabFrom("AddressNotInUS"), uitest::child(w, "Statepopup"));
    EXPECT_EQ(tabFrom("Statepopup"), uitest::child(w, "ZIPStaticText"));
    uitest::child<QCheckBox>(w, "AddressNotInUS")->click();
    EXPECT_EQ(tabFrom("AddressNotInUS"), uitest::child(w, "NonUSstate_Btn"));
}

// The identity chain goes on to the boxes instead of returning to the name line.
TEST_F(EntryForms, NecIdentityFieldsLeadOnToTheBoxes) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t business = addRecipient(payer, 7, {"", "", "22-2222222", true, "Summit Office Cleaning"});
    selectRecipient(payer, business);
    NECFrame* w = NECFrame::create();
    ASSERT_TRUE(w);
    activate(w);
    EXPECT_FALSE(uitest::child(w, "Reserved1_Text")->isEnabled());
    QWidget* account = uitest::child(w, "ReciAccountNum_Text");
    account->setFocus();
    press(account, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), uitest::child(w, "Nonemployeecompansation"));
    press(w->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w->focusWidget(), account);
}

struct TabCase {
    std::string name;
    std::string form;
    enum Recipient { NewIndividual, StoredBusiness, NewForeign } recipient;
};

void PrintTo(const TabCase& c, std::ostream* os) { *os << c.name; }

class EntryTabCycle : public EntryWindowTest, public ::testing::WithParamInterface<TabCase> {};

// From the first field, Tab reaches every enabled input and button of the window once
// and comes back to the start; Shift+Tab runs the same way backwards.
TEST_P(EntryTabCycle, TabReachesEveryControlOnceAndComesBack) {
    const TabCase& c = GetParam();
    const int32_t payer = addPayer("Harbor View Dental LLC");
    for (const EntryForm& form : entryForms()) {
        if (form.name != c.form) continue;
        if (c.recipient == TabCase::StoredBusiness) {
            const int32_t key =
                addRecipient(payer, form.formTable().kind, {"", "", "22-2222222", true, "Summit Office Cleaning"});
            addRecipient(payer, form.formTable().kind, {"Ann", "Lee", "111-11-1111"});
            selectRecipient(payer, key);
        } else {
            selectPayer(payer);
            newMode();
        }
        RecipientEntryWindow* w = form.create();
        ASSERT_TRUE(w);
        uitest::activate(*w);
        if (c.recipient == TabCase::NewForeign) {
            for (size_t i = 0; i < w->formTable().fields.size(); ++i)
                if (w->formTable().fields[i].role == Role::ForeignAddress) uitest::child<QCheckBox>(w, w->formTable().fields[i].outlet)->click();
        }
        QWidget* first = field(w, c.recipient == TabCase::StoredBusiness ? Role::BusinessName : Role::FirstName);
        first->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(w->focusWidget(), first);
        uitest::expectTabReachesEveryControl(*w);

        std::vector<QWidget*> forward = uitest::tabCycle(*w);
        std::vector<QWidget*> backward;
        backward.push_back(first);
        for (size_t i = 1; i < forward.size(); ++i) {
            press(w->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward.push_back(w->focusWidget());
        }
        std::reverse(backward.begin() + 1, backward.end());
        EXPECT_EQ(uitest::names(backward), uitest::names(forward));
        uitest::saveImage(*w, QString::fromStdString(c.name));
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, EntryTabCycle,
                         ::testing::Values(TabCase{"MISC", "MISC", TabCase::NewIndividual},
                                           TabCase{"MISCForeign", "MISC", TabCase::NewForeign},
                                           TabCase{"MISCBusiness", "MISC", TabCase::StoredBusiness},
                                           TabCase{"NEC", "NEC", TabCase::NewIndividual},
                                           TabCase{"NECBusiness", "NEC", TabCase::StoredBusiness},
                                           TabCase{"INT", "INT", TabCase::NewIndividual},
                                           TabCase{"INTBusiness", "INT", TabCase::StoredBusiness},
                                           TabCase{"DIV", "DIV", TabCase::NewIndividual},
                                           TabCase{"DIVForeign", "DIV", TabCase::NewForeign},
                                           TabCase{"R", "R", TabCase::NewIndividual},
                                           TabCase{"RBusiness", "R", TabCase::StoredBusiness},
                                           TabCase{"S", "S", TabCase::NewIndividual},
                                           TabCase{"SForeign", "S", TabCase::NewForeign}),
                         [](const auto& test) { return test.param.name; });

TEST_F(EntryForms, IntBox18StoresAValidAmountAsTheOtherBoxesAndBox15ListsEveryState) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, 3, {"Ann", "Lee", "111-11-1111"});
    selectRecipient(payer, key);
    INTFrame* w = INTFrame::create();
    ASSERT_TRUE(w);
    auto* top = uitest::child<QComboBox>(w, "StateToppopup");
    EXPECT_EQ(top->count(), 59);
    EXPECT_EQ(top->itemText(0), "None");
    choose(top, QStringLiteral("Ohio-OH"));
    retype(uitest::child<QLineEdit>(w, "INT_StateINC1_P"), QStringLiteral("1,234.5"));
    retype(uitest::child<QLineEdit>(w, "StateTaxWithheldStaticText"), QStringLiteral("1,234.5"));
    retype(uitest::child<QLineEdit>(w, "BondPremiumOnTreasuryStaticText"), QStringLiteral("7"));
    answer();
    uitest::child<QPushButton>(w, "Update_Button")->click();
    const RecipientInfo r = cdb()->getRecipientInfo(key);
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getInt_StateINCM_1(), "1234.50");
    EXPECT_EQ(r.getInt_Line15_1(), "1234.50");
    EXPECT_EQ(r.getInt_Line17(), "7.00");
    EXPECT_EQ(r.getInt_Line13_1(), "Ohio-OH");
}

}  // namespace

namespace {

// A box that takes more characters while typing than it keeps when editing ends: the
// typing limit holds, then Return cuts it; a box without a cut keeps what was typed.
TEST_F(EntryForms, BoxesTypedLongerThanTheyAreKept) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    struct Case {
        std::function<RecipientEntryWindow*()> create;
        int32_t kind;
        const char* outlet;
        int typed;   // the typing limit
        int kept;    // after Return
    };
    const Case cases[] = {
        {[] { return static_cast<RecipientEntryWindow*>(RFrame::create()); }, 4, "R_StateInc1_P", 18, 13},
        {[] { return static_cast<RecipientEntryWindow*>(RFrame::create()); }, 4, "StateLocalIncome2", 18, 18},
        {[] { return static_cast<RecipientEntryWindow*>(DIVFrame::create()); }, 2, "D_StateInc2_P", 18, 13},
        {[] { return static_cast<RecipientEntryWindow*>(DIVFrame::create()); }, 2, "LocalIncometax", 18, 18},
        {[] { return static_cast<RecipientEntryWindow*>(SFrame::create()); }, 5, "DateofCloseStaticText", 22, 22},
    };
    std::vector<int32_t> keys;
    for (const Case& c : cases) keys.push_back(addRecipient(payer, c.kind, {"Ann", "Lee", ""}));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        selectRecipient(payer, keys[i]);
        RecipientEntryWindow* w = c.create();
        ASSERT_TRUE(w);
        QLineEdit* box = uitest::child<QLineEdit>(w, c.outlet);
        typeText(box, QString(c.typed + 1, QLatin1Char('1')));
        EXPECT_EQ(box->text().size(), c.typed) << c.outlet;
        emit box->editingFinished();
        EXPECT_EQ(box->text().size(), c.kept) << c.outlet;
        delete w;
        settle();
    }
}

TEST_F(EntryForms, RSuffixTakes13CharactersAndAStoredOneIsCutTo20) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, 4, {"Ann", "Lee", "123-45-6789"});
    ASSERT_TRUE(cdb()->db->executeUpdate("update recipients_additionalinfo set suffix = ? where pk = ?;",
                                         std::string(30, 's'), key));
    selectRecipient(payer, key);
    RFrame* w = RFrame::create();
    ASSERT_TRUE(w);
    QLineEdit* suffix = uitest::child<QLineEdit>(w, "Sufix");
    EXPECT_EQ(suffix->text().size(), 30);
    emit suffix->editingFinished();
    EXPECT_EQ(suffix->text().size(), 20);
    retype(suffix, QString(14, QLatin1Char('j')));
    EXPECT_EQ(suffix->text(), QString(13, QLatin1Char('j')));
    w->hide();
}

// Box 8 %, 9a and 11 hold whole numbers: what is typed comes back as its number, an
// empty box empty, a percentage of 100 or more as "INVALID".
TEST_F(EntryForms, RWholeNumbersRoundTrip) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, 4, {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    QPointer<RFrame> w = RFrame::create();
    ASSERT_TRUE(w);
    for (const char* box : {"OtherStaticText1", "PerOfTotalDistStaticText", "FirstYearofDesigStaticText"})
        EXPECT_EQ(uitest::child<QLineEdit>(w, box)->text(), "") << box;
    retype(uitest::child<QLineEdit>(w, "OtherStaticText1"), QStringLiteral("05"));
    retype(uitest::child<QLineEdit>(w, "PerOfTotalDistStaticText"), QStringLiteral("150"));
    retype(uitest::child<QLineEdit>(w, "FirstYearofDesigStaticText"), QStringLiteral("2019"));
    retype(uitest::child<QLineEdit>(w, "DistributionCodeStaticText"), QStringLiteral("k7"));
    scripted->answerFormErrors(true);   // Box 9a of 150 is listed; saved anyway
    answer();
    uitest::child<QPushButton>(w, "Update_Button")->click();
    ASSERT_EQ(scripted->shown().size(), 2u);
    EXPECT_EQ(scripted->shown()[0].errors, std::vector<std::string>{"Box 9a: Must be an integer between 1 and 99."});
    RecipientInfo r = cdb()->getRecipientInfo(key);
    EXPECT_EQ(r.getR_Line8_Percentage(), 5);
    EXPECT_EQ(r.getR_Line9a(), 150);
    EXPECT_EQ(r.getR_Line11(), 2019);
    EXPECT_EQ(r.getR_Line7(), "k7");
    EXPECT_FALSE(r.getValidated());

    retype(uitest::child<QLineEdit>(w, "OtherStaticText1"), QStringLiteral("100"));
    retype(uitest::child<QLineEdit>(w, "PerOfTotalDistStaticText"), QStringLiteral("15"));
    scripted->answerFormErrors(true);
    answer();
    uitest::child<QPushButton>(w, "Update_Button")->click();
    EXPECT_EQ(cdb()->getRecipientInfo(key).getR_Line8_Percentage(), -2);
    w->close();
    settle();

    RFrame* again = RFrame::create();
    ASSERT_TRUE(again);
    EXPECT_EQ(uitest::child<QLineEdit>(again, "OtherStaticText1")->text(), "INVALID");
    EXPECT_EQ(uitest::child<QLineEdit>(again, "PerOfTotalDistStaticText")->text(), "15");
    EXPECT_EQ(uitest::child<QLineEdit>(again, "FirstYearofDesigStaticText")->text(), "2019");
    EXPECT_TRUE(isInvalid(uitest::child(again, "OtherStaticText1")));
    again->hide();
}

// A designated Roth account's code written in either order ("B7" or "7b") is taken as
// typed: no error list, saved valid.
TEST_F(EntryForms, RTakesACodePairInEitherOrder) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, 4, {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    QPointer<RFrame> w = RFrame::create();
    ASSERT_TRUE(w);
    for (const QString& code : {QStringLiteral("B7"), QStringLiteral("7b")}) {
        retype(uitest::child<QLineEdit>(w, "DistributionCodeStaticText"), code);
        answer();
        uitest::child<QPushButton>(w, "Update_Button")->click();
        for (const auto& shown : scripted->shown()) EXPECT_TRUE(shown.errors.empty()) << code.toStdString();
        const RecipientInfo r = cdb()->getRecipientInfo(key);
        EXPECT_EQ(r.getR_Line7(), code.toStdString());
        EXPECT_TRUE(r.getValidated()) << code.toStdString();
        EXPECT_FALSE(isInvalid(uitest::child(w, "DistributionCodeStaticText")));
    }
    w->hide();
}

// A Box 3 state stored by code or by name (an import's way) shows its item.
TEST_F(EntryForms, SBox3ShowsAStoredStateGivenByCodeOrName) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const std::vector<std::pair<std::string, QString>> cases{{"oh", QStringLiteral("Ohio-OH")},
                                                             {"New York", QStringLiteral("New York-NY")},
                                                             {"Atlantis", QStringLiteral("None")}};
    std::vector<int32_t> keys;
    for (size_t i = 0; i < cases.size(); ++i) keys.push_back(addRecipient(payer, 5, {"Ann", "Lee", ""}));
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [stored, shown] = cases[i];
        const int32_t key = keys[i];
        ASSERT_TRUE(cdb()->db->executeUpdate(
            "update recipients set s_address_line3 = '1 Main St', s_city_line3 = 'Dayton', s_zip_line3 = '45402', "
            "s_state_line3 = ? where pk = ?;",
            stored, key));
        selectRecipient(payer, key);
        SFrame* w = SFrame::create();
        ASSERT_TRUE(w);
        auto* state = uitest::child<QComboBox>(w, "Stateinfopopup");
        EXPECT_EQ(state->currentText(), shown) << stored;
        // An address without a state is marked on the pop-up.
        EXPECT_EQ(isInvalid(state), shown == QLatin1String("None")) << stored;
        delete w;
        settle();
    }
}

// The 1099-DIV, 1099-R and 1099-INT windows, open at once, each store their own
// additional record.
TEST_F(EntryForms, DivRAndIntWindowsOpenAtOnceKeepTheirOwnAdditionalRecords) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t div = addRecipient(payer, 2, {"Di", "Vance", "111-11-1111"});
    const int32_t r = addRecipient(payer, 4, {"Ra", "Reyes", "222-22-2222"});
    const int32_t in = addRecipient(payer, 3, {"Ines", "Ito", "333-33-3333"});
    selectRecipient(payer, div);
    DIVFrame* d = DIVFrame::create();
    selectRecipient(payer, r);
    RFrame* rw = RFrame::create();
    selectRecipient(payer, in);
    INTFrame* iw = INTFrame::create();
    ASSERT_TRUE(d && rw && iw);

    retype(uitest::child<QLineEdit>(d, "Address2"), QStringLiteral("Suite 2"));
    retype(uitest::child<QLineEdit>(rw, "Add2"), QStringLiteral("Suite 4"));
    retype(uitest::child<QLineEdit>(iw, "Add2"), QStringLiteral("Suite 3"));
    retype(uitest::child<QLineEdit>(rw, "StateSpecialdata"), QStringLiteral("R special"));
    for (RecipientEntryWindow* w : std::initializer_list<RecipientEntryWindow*>{iw, d, rw}) {
        answer();
        uitest::child<QPushButton>(w, w == d ? "Update" : "Update_Button")->click();
    }
    const RecipientAdditionalInfo ad = cdb()->getRecipientAdditionalInfo(div);
    const RecipientAdditionalInfo ar = cdb()->getRecipientAdditionalInfo(r);
    const RecipientAdditionalInfo ai = cdb()->getRecipientAdditionalInfo(in);
    EXPECT_EQ(ad.getaddline2(), "Suite 2");
    EXPECT_EQ(ad.getlastname(), "Vance");
    EXPECT_EQ(ad.getType(), 2);
    EXPECT_EQ(ar.getaddline2(), "Suite 4");
    EXPECT_EQ(ar.getlastname(), "Reyes");
    EXPECT_EQ(ar.getR_Line19_1(), "R special");
    EXPECT_EQ(ai.getaddline2(), "Suite 3");
    EXPECT_EQ(ai.getlastname(), "Ito");
    EXPECT_EQ(ai.getR_Line19_1(), "");
    EXPECT_EQ(boxTexts(), std::vector<std::string>(3, "Recipient successfully updated."));
}

}  // namespace
