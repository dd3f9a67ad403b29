// One small fixture per fault the entry windows must not have: records written by a
// check, a close-prompt save that skips checks or drops a business, a failed write
// reported as success, a payer that follows the main window's selection, and two
// windows writing each other's records.

#include "EntryWindowFixture.h"

#include "core/sqlite/FMResultSet.h"

using entry::Role;

namespace {

class EntryWindowFaults : public EveryEntryWindow {
protected:
    // Every column of a stored row, as text.
    std::string storedRow(const char* table, int32_t key) {
        std::string row;
        auto rs = cdb()->db->executeQuery(std::string("select * from ") + table + " where pk = ?;", key);
        if (rs && rs->next())
            for (int i = 0; i < rs->columnCount(); ++i) row += rs->stringForColumnIndex(i).value_or("<null>") + "|";
        return row;
    }
    std::string stored(int32_t key) { return storedRow("recipients", key) + storedRow("recipients_additionalinfo", key); }
};

TEST_P(EntryWindowFaults, TwoRefusedUpdatesLeaveTheRowAsStored) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    addRecipient(payer, kind(), {"Ann", "Lee", "111-11-1111"});
    const int32_t key = addRecipient(payer, kind(), {"Bo", "Ng", "222-22-2222"});
    selectRecipient(payer, key);
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);
    const std::string before = stored(key);

    retype(field(w, Role::TaxID), QStringLiteral("111111111"));
    retype(field(w, Role::FirstName), QStringLiteral("Changed"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        answer();
        updateButton(w)->click();
        EXPECT_EQ(scripted->boxes().back().details,
                  "A Recipient Taxpayer ID already exists for this company and 1099 type");
        EXPECT_EQ(stored(key), before) << "after refused update " << attempt + 1;
    }
    EXPECT_EQ(field(w, Role::FirstName)->text(), "Changed");
    w->hide();
}

TEST_P(EntryWindowFaults, TheClosePromptsSaveChecksDuplicatesAndStoresABusiness) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    addRecipient(payer, kind(), {"Ann", "Lee", "111-11-1111"});
    const int32_t key = addRecipient(payer, kind(), {"", "", "22-2222222", true, "Summit Office Cleaning"});
    selectRecipient(payer, key);
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    const std::string before = stored(key);

    // A duplicate number: the save is refused and the window stays open, nothing written.
    retype(field(w, Role::TaxID), QStringLiteral("111-11-1111"));
    answer(2);   // save
    answer(2);   // the duplicate message
    w->close();
    settle();
    ASSERT_FALSE(w.isNull());
    EXPECT_EQ(scripted->boxes().back().details,
              "A Recipient Taxpayer ID already exists for this company and 1099 type");
    EXPECT_EQ(stored(key), before);

    // A business (no surname) is stored from the prompt, its check result with it.
    retype(field(w, Role::TaxID), QStringLiteral("33-3333333"));
    retype(field(w, Role::BusinessName), QStringLiteral("Summit Office Cleaning & Supply"));
    answer(2);
    w->close();
    settle();
    EXPECT_TRUE(w.isNull());
    const RecipientInfo r = cdb()->getRecipientInfo(key);
    EXPECT_EQ(r.getTaxID(), "33-3333333");
    EXPECT_EQ(r.getLastName(), "Summit Office Cleaning & Supply");
    EXPECT_TRUE(r.getValidated());
    EXPECT_EQ(GetParam().kept(*main), nullptr);
}

TEST_P(EntryWindowFaults, AFailedUpdateShowsNoSuccessAndKeepsTheInput) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t gone = addRecipient(payer, kind(), {"Ann", "Lee", "111-11-1111"});
    const int32_t blocked = addRecipient(payer, kind(), {"Bo", "Ng", "222-22-2222"});
    struct Case {
        int32_t key;
        std::function<void()> breakIt;
        std::string reason;
    };
    const Case cases[] = {
        {gone, [&] { ASSERT_TRUE(cdb()->deleteRecipient(cdb()->getRecipientInfo(gone))); },
         "The recipient no longer exists in this company database."},
        {blocked,
         [&] {
             ASSERT_TRUE(cdb()->db->executeStatements(
                 "create trigger refuse before update on recipients_additionalinfo "
                 "begin select raise(abort, 'refused by test'); end;"));
         },
         "refused by test"},
    };
    for (const Case& c : cases) {
        selectRecipient(payer, c.key);
        RecipientEntryWindow* w = open();
        ASSERT_TRUE(w);
        const std::string before = stored(c.key);
        retype(field(w, Role::FirstName), QStringLiteral("Typed"));
        c.breakIt();
        answer();   // the store's failure box
        updateButton(w)->click();
        EXPECT_EQ(scripted->boxes().back().details, "Unable to update recipient info. \n\n" + c.reason);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(field(w, Role::FirstName)->text(), "Typed");
        EXPECT_TRUE(updateButton(w)->isEnabled());
        if (c.key == blocked) {
            EXPECT_EQ(stored(c.key), before);
        }
        w->hide();
    }
    for (const std::string& text : boxTexts()) EXPECT_EQ(text.find("successfully"), std::string::npos);
}

TEST_P(EntryWindowFaults, AFailedAddShowsNoSuccessAndKeepsTheWindow) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    enterIndividual(w, "Maria", "Garcia", "123-45-6789");
    ASSERT_TRUE(cdb()->db->executeStatements(
        "create trigger refuse before insert on recipients_additionalinfo "
        "begin select raise(abort, 'refused by test'); end;"));
    answer();
    addButton(w)->click();
    settle();
    ASSERT_FALSE(w.isNull());
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Unable to insert recipient info. \n\nrefused by test"});
    EXPECT_EQ(cdb()->getRecipientPK(), -1);
    EXPECT_EQ(field(w, Role::FirstName)->text(), "Maria");
    EXPECT_EQ(GetParam().kept(*main), w.data());
}

// A duplicate check that could not read the payer's recipients in full must not let
// the save go on as if there were no duplicate.
TEST_P(EntryWindowFaults, ADuplicateCheckThatCannotReadTheListSavesNothing) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    enterIndividual(w, "Maria", "Garcia", "123-45-6789");
    ASSERT_TRUE(cdb()->db->executeStatements("alter table recipients rename to recipients_hidden;"));
    answer();
    answer();
    addButton(w)->click();
    settle();
    ASSERT_TRUE(cdb()->db->executeStatements("alter table recipients_hidden rename to recipients;"));
    ASSERT_FALSE(w.isNull());
    const std::vector<std::string> texts = boxTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(texts.back().find("could not be read to check the Taxpayer ID"), std::string::npos);
    for (const std::string& text : texts) {
        EXPECT_EQ(text.find("insert"), std::string::npos) << text;
        EXPECT_EQ(text.find("successfully"), std::string::npos) << text;
    }
    EXPECT_EQ(cdb()->getRecipientPK(), -1);
    EXPECT_EQ(field(w, Role::FirstName)->text(), "Maria");
}

TEST_P(EntryWindowFaults, APayerNameLongerThanTheNameLineDoesNotBlockAnIndividual) {
    const std::string name = "Birch & Sons Construction and Landscaping of Springfield";
    const int32_t payer = addPayer(name);
    selectPayer(payer);
    newMode();
    RecipientEntryWindow* w = open();
    ASSERT_TRUE(w);
    enterIndividual(w, "Maria", "Garcia", "123-45-6789");
    answer();
    addButton(w)->click();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Recipient successfully added."});
    EXPECT_EQ(cdb()->getRecipientInfo(cdb()->getRecipientPK()).getLastName(), name);
}

// A window keeps the payer it opened with: a new recipient the one selected then, an
// edited one its own, whatever the main window selects before or after.
TEST_P(EntryWindowFaults, ARecipientKeepsItsOwnPayerWhateverTheMainWindowSelects) {
    const std::string birchName = "Birch & Sons Construction", contosoName = "Contoso Consulting Group";
    const int32_t birch = addPayer(birchName);
    const int32_t contoso = addPayer(contosoName);
    const int32_t edited = addRecipient(contoso, kind(), {"Ann", "Lee", "111-11-1111"});
    struct Case {
        const char* what;
        int32_t recipient;   // -1: a new one
        int32_t owner;
        const std::string& ownerName;
        std::function<void()> selectBeforeOpening, selectAfterOpening;
    };
    const Case cases[] = {
        {"new, another payer selected after opening", -1, birch, birchName, [] {},
         [&] { selectPayer(contoso); }},
        // Both payers selected, the first of them not the recipient's.
        {"edited, another payer selected first", edited, contoso, contosoName,
         [&] { session().comp_details->setSelectedCompanies({birch, contoso}); }, [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.recipient < 0) {
            selectPayer(c.owner);
            newMode();
        } else {
            selectRecipient(c.owner, c.recipient);
        }
        c.selectBeforeOpening();
        RecipientEntryWindow* w = open();
        ASSERT_TRUE(w);
        c.selectAfterOpening();
        EXPECT_EQ(w->payerKey(), c.owner);
        EXPECT_EQ(uitest::child<QLabel>(w, "PayersName_Text")->text().toStdString(), c.ownerName);

        int32_t key = c.recipient;
        answer();
        if (key < 0) {
            enterIndividual(w, "Maria", "Garcia", "123-45-6789");
            addButton(w)->click();
            key = cdb()->getRecipientPK();
        } else {
            retype(field(w, Role::FirstName), QStringLiteral("Anna"));
            updateButton(w)->click();
        }
        const RecipientInfo r = cdb()->getRecipientInfo(key);
        EXPECT_EQ(r.getCompany_FK(), c.owner);
        EXPECT_EQ(r.getLastName(), c.ownerName);
        EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getCompany_FK(), c.owner);
        w->hide();
    }
}

TEST_P(EntryWindowFaults, TwoOpenWindowsKeepTheirOwnRecords) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t ann = addRecipient(payer, kind(), {"Ann", "Lee", "111-11-1111"});
    const int32_t bo = addRecipient(payer, kind(), {"Bo", "Ng", "222-22-2222"});
    selectRecipient(payer, ann);
    RecipientEntryWindow* first = open();
    selectRecipient(payer, bo);
    RecipientEntryWindow* second = open();
    ASSERT_TRUE(first && second);

    retype(field(first, Role::City), QStringLiteral("Portland"));
    retype(field(second, Role::City), QStringLiteral("Salem"));
    answer();
    updateButton(first)->click();
    answer();
    updateButton(second)->click();
    EXPECT_EQ(cdb()->getRecipientInfo(ann).getCity(), "Portland");
    EXPECT_EQ(cdb()->getRecipientInfo(ann).getFirstName(), "Ann");
    EXPECT_EQ(cdb()->getRecipientInfo(bo).getCity(), "Salem");
    EXPECT_EQ(cdb()->getRecipientInfo(bo).getFirstName(), "Bo");
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(bo).getlastname(), "Ng");
}

INSTANTIATE_TEST_SUITE_P(Windows, EntryWindowFaults, ::testing::ValuesIn(entryForms()),
                         [](const auto& test) { return test.param.name; });

}  // namespace
