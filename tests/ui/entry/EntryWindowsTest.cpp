// The shared behaviour of the six entry windows, each test run on every window:
// Add and Update, the typing limit, the name-type and foreign-address switches,
// Previous and Next, the close prompt and the error list.

#include "EntryWindowFixture.h"

using entry::Role;

namespace {

TEST_P(EveryEntryWindow, AddStoresANewRecipientAndTheMainWindowSelectsIt) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    addRecipient(payer, kind(), {"Olivia", "Nguyen", "111-22-3333"});
    selectPayer(payer);
    newMode();
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(GetParam().kept(*main), w.data());
    EXPECT_TRUE(addButton(w)->isEnabled() && addButton(w)->isDefault());
    EXPECT_FALSE(updateButton(w)->isEnabled());
    EXPECT_FALSE(previousButton(w)->isEnabled() || nextButton(w)->isEnabled());
    EXPECT_EQ(field(w, Role::BusinessName)->text(), "Harbor View Dental LLC");
    EXPECT_FALSE(field(w, Role::BusinessName)->isEnabled());

    enterIndividual(w, "Maria", "Garcia", "123-45-6789");
    retype(field(w, GetParam().amount), "1,234.5");
    answer();
    addButton(w)->click();
    settle();

    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(GetParam().kept(*main), nullptr);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Recipient successfully added."});
    const int32_t key = cdb()->getRecipientPK();
    const RecipientInfo r = cdb()->getRecipientInfo(key);
    const RecipientAdditionalInfo a = cdb()->getRecipientAdditionalInfo(key);
    EXPECT_EQ(r.getCompany_FK(), payer);
    EXPECT_EQ(r.getType(), kind());
    EXPECT_EQ(r.getFirstName(), "Maria");
    EXPECT_EQ(r.getLastName(), "Harbor View Dental LLC");
    EXPECT_EQ(r.getTaxID(), "123-45-6789");
    EXPECT_EQ(r.getState(), "Oregon-OR");
    EXPECT_EQ(GetParam().storedAmount(r), "1234.50");
    EXPECT_TRUE(r.getValidated() && a.getValidated());
    EXPECT_EQ(a.getlastname(), "Garcia");
    EXPECT_EQ(a.getname_type(), "Individual");
    EXPECT_EQ(a.getType(), kind());
    EXPECT_EQ(session().recp_details->selectedRecipients(), std::vector<int32_t>{key});
    EXPECT_EQ(mainWindowSelection(), std::vector<int32_t>{key});
}

TEST_P(EveryEntryWindow, UpdateSavesBothRecordsAndKeepsTheWindowOpen) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    EXPECT_FALSE(addButton(w)->isEnabled());
    EXPECT_FALSE(updateButton(w)->isEnabled());
    EXPECT_EQ(field(w, Role::Surname)->text(), "Lee");

    retype(field(w, Role::Surname), "Leigh");
    EXPECT_TRUE(updateButton(w)->isEnabled() && updateButton(w)->isDefault());
    retype(field(w, GetParam().amount), "50");
    answer();
    // Return in a field presses the default button.
    press(field(w, GetParam().amount), Qt::Key_Return);

    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Recipient successfully updated."});
    EXPECT_FALSE(updateButton(w)->isEnabled());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getlastname(), "Leigh");
    EXPECT_EQ(GetParam().storedAmount(cdb()->getRecipientInfo(key)), "50.00");
    EXPECT_EQ(mainWindowSelection(), std::vector<int32_t>{key});
}

TEST_P(EveryEntryWindow, TypingOrPastingPastTheLimitRestoresTheText) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    // A city stored longer than its field, as an import may leave it.
    ASSERT_TRUE(cdb()->db->executeUpdate("update recipients set city = ? where pk = ?;",
                                         std::string(45, 'c'), key));
    selectRecipient(payer, key);
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);

    QLineEdit* first = field(w, Role::FirstName);
    retype(first, QString(20, QLatin1Char('f')));
    EXPECT_EQ(first->text(), QString(20, QLatin1Char('f')));
    EXPECT_TRUE(updateButton(w)->isDefault());
    EXPECT_FALSE(addButton(w)->isDefault());
    typeText(first, QStringLiteral("x"));
    EXPECT_EQ(first->text(), QString(20, QLatin1Char('f')));
    paste(first, QStringLiteral("yz"));
    EXPECT_EQ(first->text(), QString(20, QLatin1Char('f')));
    press(first, Qt::Key_Backspace);
    paste(first, QString::fromUtf8("\xC3\xA9"));   // one character, two bytes
    EXPECT_EQ(first->text(), QString(19, QLatin1Char('f')) + QString::fromUtf8("\xC3\xA9"));

    QLineEdit* city = field(w, Role::City);
    typeText(city, QStringLiteral("x"));
    EXPECT_EQ(city->text().size(), 45);
    press(city, Qt::Key_Backspace);
    EXPECT_EQ(city->text().size(), 44);
}

TEST_P(EveryEntryWindow, NameTypeSwitchesBetweenNamePartsAndTheBusinessName) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);
    auto* nameType = role<QComboBox>(w, Role::NameType);
    const Role parts[] = {Role::FirstName, Role::MiddleName, Role::Surname, Role::Suffix};
    for (Role part : parts) retype(field(w, part), QStringLiteral("X"));

    choose(nameType, QStringLiteral("Business Name"));
    for (Role part : parts) {
        EXPECT_TRUE(field(w, part)->text().isEmpty());
        EXPECT_FALSE(field(w, part)->isEnabled());
    }
    QLineEdit* line = field(w, Role::BusinessName);
    EXPECT_TRUE(line->isEnabled());
    EXPECT_EQ(line->text(), "Harbor View Dental LLC");

    choose(nameType, QStringLiteral("Individual"));
    for (Role part : parts) EXPECT_TRUE(field(w, part)->isEnabled());
    EXPECT_FALSE(line->isEnabled());
    EXPECT_EQ(line->text(), "Harbor View Dental LLC");

    // A business needs no surname; its name line is what is stored.
    choose(nameType, QStringLiteral("Business Name"));
    enterIndividual(w, "", "", "12-3456789");
    retype(line, QStringLiteral("Birch & Sons Landscaping"));
    answer();
    addButton(w)->click();
    const int32_t key = cdb()->getRecipientPK();
    EXPECT_EQ(cdb()->getRecipientInfo(key).getLastName(), "Birch & Sons Landscaping");
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getname_type(), "Business Name");
}

TEST_P(EveryEntryWindow, TheForeignAddressBoxSwitchesStateAndProvince) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);
    auto* foreign = role<QCheckBox>(w, Role::ForeignAddress);
    auto* state = role<QComboBox>(w, Role::AddressState);
    QLineEdit* province = field(w, Role::Province);
    EXPECT_FALSE(province->isEnabled());

    enterIndividual(w, "Jean", "Tremblay", "123-45-6789");
    foreign->click();
    EXPECT_FALSE(state->isEnabled());
    EXPECT_EQ(state->currentText(), "None");
    EXPECT_TRUE(province->isEnabled());
    EXPECT_TRUE(province->text().isEmpty());

    // Without a province the save lists the foreign state's text; going back saves nothing.
    retype(field(w, Role::City), QString());
    scripted->answerFormErrors(false);
    addButton(w)->click();
    ASSERT_EQ(scripted->shown().back().window, "formErrors");
    EXPECT_EQ(scripted->shown().back().errors, std::vector<std::string>{"State: Please enter a valid state."});
    EXPECT_TRUE(isInvalid(province));
    EXPECT_FALSE(isInvalid(state));
    EXPECT_FALSE(isInvalid(field(w, Role::City)));
    EXPECT_EQ(cdb()->getRecipientPK(), -1);

    foreign->click();
    EXPECT_TRUE(state->isEnabled());
    EXPECT_FALSE(province->isEnabled());
    foreign->click();
    typeText(province, QStringLiteral("Ontario"));
    answer();
    addButton(w)->click();
    const RecipientInfo r = cdb()->getRecipientInfo(cdb()->getRecipientPK());
    EXPECT_EQ(r.getState(), "Ontario");
    EXPECT_TRUE(r.getAddressIsNotUSTerritory());
    EXPECT_EQ(r.getCity(), "");
}

TEST_P(EveryEntryWindow, ChoosingEinEmptiesTheTaxpayerNumber) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);
    choose(role<QComboBox>(w, Role::TinType), QStringLiteral("EIN"));
    EXPECT_TRUE(field(w, Role::TaxID)->text().isEmpty());
    EXPECT_TRUE(updateButton(w)->isEnabled());
    w->hide();   // leaves without the prompt
}

TEST_P(EveryEntryWindow, PreviousAndNextStepThroughThePayersRecipientsOfTheKind) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t other = addPayer("Contoso Consulting Group");
    const int32_t clark = addRecipient(payer, kind(), {"Cy", "Clark", "333-33-3333"});
    const int32_t adams = addRecipient(payer, kind(), {"Al", "Adams", "111-11-1111"});
    addRecipient(other, kind(), {"Bo", "Bell", "444-44-4444"});
    addRecipient(payer, kind() == 1 ? 7 : 1, {"Di", "Baker", "555-55-5555"});
    const int32_t baker = addRecipient(payer, kind(), {"Bea", "Baker", "222-22-2222"});
    selectRecipient(payer, adams);
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);
    QLineEdit* first = field(w, Role::FirstName);
    auto at = [&](const char* name, bool previous, bool next) {
        EXPECT_EQ(first->text(), name);
        EXPECT_EQ(previousButton(w)->isEnabled(), previous) << name;
        EXPECT_EQ(nextButton(w)->isEnabled(), next) << name;
    };
    at("Al", false, true);
    EXPECT_EQ(w->CurrentIndex(), 0);

    // An unsaved change is left behind without asking.
    retype(first, QStringLiteral("Changed"));
    nextButton(w)->click();
    at("Bea", true, true);
    EXPECT_EQ(w->theRecipientInfo().getPK(), baker);
    EXPECT_FALSE(updateButton(w)->isEnabled());
    EXPECT_EQ(cdb()->getRecipientInfo(adams).getFirstName(), "Al");
    nextButton(w)->click();
    at("Cy", true, false);
    EXPECT_EQ(w->theRecipientInfo().getPK(), clark);
    nextButton(w)->click();
    at("Cy", true, false);
    previousButton(w)->click();
    previousButton(w)->click();
    at("Al", false, true);
    previousButton(w)->click();
    at("Al", false, true);
}

TEST_P(EveryEntryWindow, ASingleRecipientLeavesPreviousAndNextOff) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);
    EXPECT_FALSE(previousButton(w)->isEnabled());
    EXPECT_FALSE(nextButton(w)->isEnabled());
}

TEST_P(EveryEntryWindow, TheClosePromptsThreeAnswers) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    struct Case {
        int answer;
        bool closes;
        const char* stored;
    };
    // Cancel, the close box (which keeps the edits as Cancel does), No and the affirmative button.
    for (const Case& c : {Case{kClosePromptCancel, false, "Ann"}, Case{1000, false, "Ann"},
                          Case{kClosePromptNo, true, "Ann"}, Case{2, true, "Anna"}}) {
        QPointer<RecipientEntryWindow> w = open();
        ASSERT_TRUE(w);
        retype(field(w, Role::FirstName), QString::fromLatin1(c.stored == std::string("Ann") ? "Zed" : c.stored));
        answer(c.answer);
        const size_t before = scripted->boxes().size();
        w->close();
        settle();
        ASSERT_EQ(scripted->boxes().size(), before + 1);
        const MessageBoxRequest prompt = scripted->boxes().back();
        EXPECT_EQ(prompt.caption, "Save before closing?");
        EXPECT_EQ(prompt.details, "You may have unsaved changes. Would you like to save before closing?");
        EXPECT_EQ(prompt.style, 26);
        EXPECT_EQ(prompt.title, GetParam().formTable().closeTitle);
        EXPECT_EQ(prompt.image, 1024);
        EXPECT_EQ(w.isNull(), c.closes) << c.answer;
        EXPECT_EQ(cdb()->getRecipientInfo(key).getFirstName(), c.stored) << c.answer;
        if (!c.closes) {
            EXPECT_TRUE(updateButton(w)->isDefault());
            answer(kClosePromptNo);
            w->close();
            settle();
        }
        EXPECT_EQ(GetParam().kept(*main), nullptr);
    }
}

// An unchanged recipient, and a new one with nothing typed into it (or typed and
// emptied again), close without a question.
TEST_P(EveryEntryWindow, UnchangedAndUntouchedNewWindowsCloseWithoutAsking) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    QPointer<RecipientEntryWindow> unchanged = open();
    ASSERT_TRUE(unchanged);
    press(field(unchanged, Role::FirstName), Qt::Key_Escape);
    settle();
    EXPECT_TRUE(unchanged.isNull());

    newMode();
    for (bool typedAndEmptied : {false, true}) {
        QPointer<RecipientEntryWindow> fresh = open();
        ASSERT_TRUE(fresh);
        if (typedAndEmptied) {
            retype(field(fresh, Role::FirstName), QStringLiteral("Typed"));
            retype(field(fresh, Role::FirstName), QString());
        }
        uitest::child<QPushButton>(fresh, GetParam().cancel)->click();
        settle();
        EXPECT_TRUE(fresh.isNull());
    }
    EXPECT_TRUE(scripted->boxes().empty());
}

// Escape, Cancel and the close box of a new recipient with anything typed into it ask
// first: Cancel (or the prompt's close box) keeps the window with its text, the save
// goes through Add's checks and stores it, No drops it.
TEST_P(EveryEntryWindow, ATypedNewRecipientAsksBeforeClosing) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    auto storedOfPayer = [&] { return cdb()->getRecipientFullInfo1(payer, 0, kind(), 0).size(); };
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    enterIndividual(w, "Maria", "Garcia", "123-45-6789");
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Escape", [&] { press(field(w, Role::FirstName), Qt::Key_Escape); }},
        {"Cancel", [&] { uitest::child<QPushButton>(w, GetParam().cancel)->click(); }},
        {"close box", [&] { w->close(); }},
    };
    for (const auto& [way, closeIt] : ways) {
        for (int kept : {kClosePromptCancel, 1000}) {
            SCOPED_TRACE(std::string(way) + " answered " + std::to_string(kept));
            answer(kept);
            closeIt();
            settle();
            ASSERT_FALSE(w.isNull());
            ASSERT_FALSE(scripted->boxes().empty());
            const MessageBoxRequest prompt = scripted->boxes().back();
            EXPECT_EQ(prompt.caption, "Save before closing?");
            EXPECT_EQ(prompt.style, 26);
            EXPECT_EQ(prompt.title, GetParam().formTable().closeTitle);
            EXPECT_EQ(field(w, Role::FirstName)->text(), "Maria");
            EXPECT_TRUE(addButton(w)->isDefault());
            EXPECT_EQ(storedOfPayer(), 0u);
        }
    }

    // The save takes Add's checks: without a surname it is refused and the window stays.
    retype(field(w, Role::Surname), QString());
    answer(2);
    answer(2);
    press(field(w, Role::FirstName), Qt::Key_Escape);
    settle();
    ASSERT_FALSE(w.isNull());
    EXPECT_EQ(boxTexts().back(), "You must enter a Last Name to save this Recipient.");
    EXPECT_EQ(storedOfPayer(), 0u);

    retype(field(w, Role::Surname), QStringLiteral("Garcia"));
    answer(2);
    press(field(w, Role::FirstName), Qt::Key_Escape);
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(GetParam().kept(*main), nullptr);
    ASSERT_EQ(storedOfPayer(), 1u);
    const int32_t key = cdb()->getRecipientPK();
    EXPECT_EQ(cdb()->getRecipientInfo(key).getTaxID(), "123-45-6789");
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getlastname(), "Garcia");
    EXPECT_EQ(mainWindowSelection(), std::vector<int32_t>{key});

    // No drops what was typed.
    QPointer<RecipientEntryWindow> dropped = open();
    ASSERT_TRUE(dropped);
    retype(field(dropped, Role::FirstName), QStringLiteral("Zed"));
    answer(kClosePromptNo);
    uitest::child<QPushButton>(dropped, GetParam().cancel)->click();
    settle();
    EXPECT_TRUE(dropped.isNull());
    EXPECT_EQ(GetParam().kept(*main), nullptr);
    EXPECT_EQ(storedOfPayer(), 1u);
}

// When an entry window closes the keyboard is back on the main window's recipient list:
// on the row just saved or edited, or on the list as it stood after a discard; never on
// a button that would start something new.
TEST_P(EveryEntryWindow, ClosingGivesTheKeyboardBackToTheRecipientList) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t first = addRecipient(payer, kind(), {"Ann", "Lee", "111-11-1111"});
    const int32_t second = addRecipient(payer, kind(), {"Bo", "Ng", "222-22-2222"});
    uitest::activate(*main);
    auto* list = main->findChild<QTableView*>(QStringLiteral("Recipient_sel"));
    auto* newRecipient = main->findChild<QPushButton*>(QStringLiteral("NewRecipient_Button"));
    auto rowOf = [&](int32_t key) {
        for (size_t row = 0; row < main->Recipient_PTL().size(); ++row)
            if (main->Recipient_PTL()[row].recipientPK() == key) return static_cast<int>(row);
        return -1;
    };
    auto openFrom = [&]() {
        // Opened from the keyboard: the focus was on New Recipient.
        newRecipient->setFocus();
        QPointer<RecipientEntryWindow> w = open();
        if (w) uitest::activate(*w);
        return w;
    };
    auto expectOnList = [&](const char* what, int32_t key) {
        SCOPED_TRACE(what);
        settle();
        EXPECT_TRUE(uitest::waitUntil([&] { return QApplication::activeWindow() == main.get(); }));
        EXPECT_EQ(QApplication::focusWidget(), list);
        if (key < 0) return;
        EXPECT_EQ(list->currentIndex().row(), rowOf(key));
        EXPECT_EQ(mainWindowSelection(), std::vector<int32_t>{key});
    };

    selectRecipient(payer, first);
    QPointer<RecipientEntryWindow> w = openFrom();
    ASSERT_TRUE(w);
    retype(field(w, Role::FirstName), QStringLiteral("Anna"));
    answer();   // "Recipient successfully updated."
    updateButton(w)->click();
    press(field(w, Role::FirstName), Qt::Key_Escape);
    expectOnList("updated", first);

    selectRecipient(payer, first);
    w = openFrom();
    ASSERT_TRUE(w);
    nextButton(w)->click();
    uitest::child<QPushButton>(w, GetParam().cancel)->click();
    expectOnList("stepped to the next", second);

    selectPayer(payer);
    newMode();
    w = openFrom();
    ASSERT_TRUE(w);
    enterIndividual(w, "Maria", "Garcia", "123-45-6789");
    answer();   // "Recipient successfully added."
    addButton(w)->click();
    expectOnList("added", cdb()->getRecipientPK());

    w = openFrom();
    ASSERT_TRUE(w);
    press(field(w, Role::FirstName), Qt::Key_Escape);
    expectOnList("nothing typed", -1);

    w = openFrom();
    ASSERT_TRUE(w);
    retype(field(w, Role::FirstName), QStringLiteral("Zed"));
    answer(kClosePromptNo);
    w->close();
    expectOnList("discarded", -1);
    EXPECT_TRUE(w.isNull());
}

TEST_P(EveryEntryWindow, FailingFieldsAreMarkedAndListedAndMayBeSavedAnyway) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);
    EXPECT_FALSE(cdb()->getRecipientInfo(key).getValidated());   // opening writes nothing
    QLineEdit* amount = field(w, GetParam().amount);
    retype(amount, QStringLiteral("12.345"));

    scripted->answerFormErrors(false);
    updateButton(w)->click();
    EXPECT_TRUE(isInvalid(amount));
    EXPECT_FALSE(isInvalid(field(w, Role::FirstName)));
    const auto& formTable = GetParam().formTable();
    EXPECT_EQ(scripted->shown().back().errors,
              std::vector<std::string>{formTable.fields[formTable.indexOf(GetParam().amount)].message});
    // Going back to the record keeps it changed and unsaved.
    EXPECT_TRUE(updateButton(w)->isEnabled());
    EXPECT_EQ(GetParam().storedAmount(cdb()->getRecipientInfo(key)), "");

    scripted->answerFormErrors(true);
    answer();
    updateButton(w)->click();
    const RecipientInfo r = cdb()->getRecipientInfo(key);
    EXPECT_EQ(GetParam().storedAmount(r), "INVALID");
    EXPECT_FALSE(r.getValidated());
    EXPECT_FALSE(cdb()->getRecipientAdditionalInfo(key).getValidated());

    // A missing surname refuses the save before any list.
    retype(field(w, Role::Surname), QString());
    answer();
    updateButton(w)->click();
    EXPECT_EQ(scripted->boxes().back().details, "You must enter a Last Name to save this Recipient.");
    EXPECT_EQ(scripted->boxes().back().title, "No Last Name given");
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getlastname(), "Lee");
    w->hide();
}

TEST_P(EveryEntryWindow, NoWindowOpensWithoutAPayerOrAStoredRecipient) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    main->FillCompanyList();
    newMode();
    EXPECT_EQ(GetParam().create(), nullptr);
    session().recp_details->setModeToEdit();
    session().recp_details->setSelectedRecipients({42});
    EXPECT_EQ(GetParam().create(), nullptr);
    session().comp_details->setSelectedCompanies({payer + 7});
    newMode();
    EXPECT_EQ(GetParam().create(), nullptr);
}

TEST_P(EveryEntryWindow, ClosingTheDatabaseAsksAboutAChangedWindowAndCancelKeepsItOpen) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    retype(field(w, Role::FirstName), QStringLiteral("Anna"));

    answer(kClosePromptCancel);
    main->CloseDatabase();
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_FALSE(w.isNull());
    EXPECT_TRUE(w->isVisible());

    answer(kClosePromptNo);
    main->CloseDatabase();
    settle();
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(scripted->boxes().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryEntryWindow, ::testing::ValuesIn(entryForms()),
                         [](const auto& test) { return test.param.name; });

}  // namespace
