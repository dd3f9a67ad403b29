// Copy Recipient: the copy of the selected recipient's identity goes to the payer of
// key 0 of the chosen database under the chosen form kind; a duplicate taxpayer
// number, a target without that payer, a target whose recipients cannot be read in
// full and an empty database list are refused.

#include <algorithm>

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>

#include "RecordsFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "platform/FileSystem.h"
#include "ui/records/CopyRecipient.h"
#include "ui/records/FormKindSwitches.h"

namespace {

class CopyRecipientTest : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        holder = addPayer("Acme Holdings");   // key 0
        payer = addPayer("Beta Traders");
        source = addRecipient(payer, 1, "Maria", "Garcia", "123-45-6789");
        selectPayer(payer);
        selectRecipients({source});
    }

    // A second listed company file, with its payer of key 0 unless told otherwise.
    std::string listedFile(const std::string& name, int year, bool withPayer = true) {
        const std::string file = home.file(name + " " + std::to_string(year) + ".db");
        CompanyDatabase other;
        EXPECT_TRUE(other.Init(file, false, true, true, name));
        EXPECT_TRUE(other.SetName(name));
        if (withPayer) {
            ComapnyInfo c;
            c.setName(name + " Payer");
            EXPECT_TRUE(other.insertCompanyInfo(c));
        }
        other.Close();
        EXPECT_TRUE(app()->InsertDatabaseInfo(databaseInfo(name, file, year, false, "")));
        return file;
    }
    static std::vector<std::string> items(QWidget& w) {
        std::vector<std::string> names;
        auto* box = uitest::child<QComboBox>(&w, "Comp_dropDown");
        for (int i = 0; i < box->count(); ++i) names.push_back(box->itemText(i).toStdString());
        return names;
    }
    static void chooseTarget(QWidget& w, const char* name) { choose(uitest::child<QComboBox>(&w, "Comp_dropDown"), name); }
    // Copies through the main window's command; the responder chooses.
    void copy(std::function<void(QWidget&)> answer) {
        auto responder = respond(std::move(answer));
        mainButton("CopyRecipient_Button")->click();
    }
    static std::vector<RecipientInfo> recipientsOf(CompanyDatabase& db, int32_t payerKey, int32_t kind) {
        return db.getRecipients(payerKey, kind);
    }

    int32_t holder = -1, payer = -1, source = -1;
};

TEST_F(CopyRecipientTest, IntoTheOpenDatabaseUnderAnotherKind) {
    {
        // The switches do not move the copy's starting kind.
        QSettings settings(userSettingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("NEC"), true);
    }
    ASSERT_TRUE(mainButton("CopyRecipient_Button")->isEnabled());
    scripted->answerBox(kMessageAnswerOkYes);
    copy([](QWidget& w) {
        auto& dialog = static_cast<CopyRecipient&>(w);
        EXPECT_EQ(uitest::child<QLabel>(&w, "CompanyName_Text")->text().toStdString(), "Maria Garcia to.");
        EXPECT_EQ(items(w), std::vector<std::string>{"Acme"});
        EXPECT_EQ(dialog.type(), 1);
        EXPECT_TRUE(uitest::child<QRadioButton>(&w, "MISC1")->isChecked());
        EXPECT_TRUE(dialog.switches().NEC);
        click(&w, "NEC1");
        EXPECT_EQ(dialog.type(), 7);
        EXPECT_FALSE(uitest::child<QRadioButton>(&w, "MISC1")->isChecked());
        click(&w, "OK_Button");
        EXPECT_FALSE(isRunningModal(&w));
    });
    const auto copies = recipientsOf(*cdb(), holder, 7);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].getTaxID(), "123-45-6789");
    EXPECT_FALSE(copies[0].getValidated());
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(copies[0].getPK()).getlastname(), "Garcia");
    EXPECT_EQ(cdb()->GetInUseCount(), 1);   // the open file keeps its mark
    EXPECT_TRUE(cdb()->IsReady());
    // The main window shows the payer's own recipients again.
    EXPECT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{payer});
    EXPECT_EQ(listedRecipients(), std::vector<int32_t>{source});
    // The copy is told, with where it went.
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "The recipient was copied.");
    EXPECT_EQ(scripted->boxes()[0].details, "Maria Garcia was copied as a 1099-NEC recipient of Acme Holdings in the "
                                            "company database Acme (" + path + ").");
    EXPECT_EQ(scripted->boxes()[0].style, kMessageStyleOK);
    EXPECT_EQ(scripted->boxes()[0].image, kMessageImagePlain);
}

TEST_F(CopyRecipientTest, IntoASecondDatabaseFileWhichIsNotLeftMarkedInUse) {
    const std::string other = listedFile("Cedar", 2025);
    listedFile("Acme", 2024);   // a name listed twice appears once
    scripted->answerBox(kMessageAnswerOkYes);
    copy([](QWidget& w) {
        EXPECT_EQ(items(w), (std::vector<std::string>{"Acme", "Cedar"}));
        chooseTarget(w, "Cedar");
        click(&w, "INT1");
        click(&w, "OK_Button");
    });
    EXPECT_TRUE(recipientsOf(*cdb(), holder, 3).empty());
    CompanyDatabase check;
    ASSERT_TRUE(check.Init(other, false, true, true, "Cedar"));
    EXPECT_EQ(check.GetInUseCount(), 0);
    const auto copies = recipientsOf(check, 0, 3);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].getFirstName(), "Maria");
    check.Close();
    EXPECT_EQ(cdb()->GetInUseCount(), 1);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "The recipient was copied.");
    EXPECT_EQ(scripted->boxes()[0].details, "Maria Garcia was copied as a 1099-INT recipient of Cedar Payer in the "
                                            "company database Cedar (" + other + ").");
}

// The command's refills share one read of the recipients: what it leaves must be what a
// fresh refill of the same list shows, with the copy when the payer of key 0 is selected
// and without it when another payer is (whose list is then not read again).
TEST_F(CopyRecipientTest, TheRefreshedListIsWhatAFreshReadShows) {
    const int32_t own = addRecipient(holder, 1, "Ann", "Lee", "111-22-3333");
    struct Case {
        int32_t selected, recipient, kind;
        const char* kindButton;
        const char* countLine;
        bool copyListed;
    };
    for (const Case& c : {Case{holder, own, 7, "NEC1", "Recipient  2 of 2 ", true},
                          Case{payer, source, 3, "INT1", "Recipient  1 of 1 ", false}}) {
        SCOPED_TRACE(c.kindButton);
        selectPayer(c.selected);
        selectRecipients({c.recipient});
        scripted->answerBox(kMessageAnswerOkYes);
        copy([&](QWidget& w) {
            click(&w, c.kindButton);
            click(&w, "OK_Button");
        });
        auto state = [&] {
            std::vector<std::string> s;
            for (int32_t key : listedRecipients()) s.push_back("row " + std::to_string(key));
            for (int32_t key : selectedRecipientRows()) s.push_back("selected " + std::to_string(key));
            s.push_back(main->findChild<QLabel*>(QStringLiteral("RecipientsOf"))->text().toStdString());
            for (const char* b : {"NewRecipient_Button", "UpdateRecipient_Button", "DeleteRecipient_Button",
                                  "CopyRecipient_Button"})
                s.push_back(std::string(b) + (mainButton(b)->isEnabled() ? " on" : " off"));
            return s;
        };
        const auto afterCopy = state();
        const auto copies = recipientsOf(*cdb(), holder, c.kind);
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(std::find(afterCopy.begin(), afterCopy.end(), "row " + std::to_string(copies[0].getPK())) !=
                      afterCopy.end(),
                  c.copyListed);
        EXPECT_NE(std::find(afterCopy.begin(), afterCopy.end(), c.countLine), afterCopy.end());

        main->FillRecipientList(session().type, 0);
        main->ReselectRecipients();
        EXPECT_EQ(state(), afterCopy);
    }
}

TEST_F(CopyRecipientTest, ADuplicateTaxpayerNumberIsRefusedWithOrWithoutDashes) {
    addRecipient(holder, 7, "Other", "Person", "123456789");
    scripted->answerBox(kMessageAnswerCloseBox);
    scripted->answerBox(kMessageAnswerOkYes);
    copy([&](QWidget& w) {
        click(&w, "NEC1");
        // The refusal closed by its close box keeps the dialog for another choice.
        click(&w, "OK_Button");
        EXPECT_TRUE(isRunningModal(&w));
        // Answered with OK, it ends the dialog.
        click(&w, "OK_Button");
        EXPECT_FALSE(isRunningModal(&w));
    });
    EXPECT_EQ(recipientsOf(*cdb(), holder, 7).size(), 1u);
    ASSERT_EQ(scripted->boxes().size(), 2u);
    const MessageBoxRequest box = scripted->boxes()[0];
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.details, "A recipient with the same Tax ID already exists for this Company and 1099 Type");
    EXPECT_EQ(box.style, kMessageStyleYes);
    EXPECT_EQ(box.title, "Recipient Copy Error");
    EXPECT_EQ(box.image, kMessageImagePlain);
}

TEST_F(CopyRecipientTest, ATargetWhoseRecipientsCannotBeReadInFullIsRefused) {
    const std::string other = listedFile("Damaged", 2025);
    {
        // Enough recipients of payer 0 that the last page of the file is theirs alone.
        CompanyDatabase fill;
        ASSERT_TRUE(fill.Init(other, false, true, true, "Damaged"));
        ASSERT_TRUE(fill.db->executeStatements(
            "with recursive n(k) as (select 0 union all select k + 1 from n where k < 399) "
            "insert into recipients (company_FK, pk, type, taxID, lastName) "
            "select 0, k, 7, printf('%09d', k), hex(randomblob(60)) from n;"));
        fill.Close();
    }
    std::string bytes;
    ASSERT_TRUE(platform::readFile(other, bytes));
    for (size_t i = bytes.size() - 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0xA5);
    ASSERT_TRUE(platform::writeFileAtomically(other, bytes));

    scripted->answerBox(kMessageAnswerOkYes);   // the store: the file could not be read in full
    scripted->answerBox(kMessageAnswerOkYes);
    copy([](QWidget& w) {
        chooseTarget(w, "Damaged");
        click(&w, "NEC1");
        click(&w, "OK_Button");
        EXPECT_TRUE(isRunningModal(&w));
        click(&w, "Cancel_Button");
    });
    ASSERT_EQ(scripted->boxes().size(), 2u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Company Database Error!");
    const MessageBoxRequest box = scripted->boxes()[1];
    EXPECT_EQ(box.details,
              "The recipients of this company could not be read to check the Taxpayer ID for duplicates, so the "
              "recipient was not copied.");
    EXPECT_EQ(box.title, "Recipient Copy Error");
    CompanyDatabase check;
    ASSERT_TRUE(check.Init(other, false, true, true, "Damaged"));
    EXPECT_EQ(check.db->intForQuery("select count(*) from recipients_additionalinfo"), 0);
    check.Close();
}

TEST_F(CopyRecipientTest, ATargetWithoutItsPayerOfKeyZeroIsRefused) {
    const std::string other = listedFile("Empty", 2025, false);
    scripted->answerBox(kMessageAnswerOkYes);
    copy([](QWidget& w) {
        chooseTarget(w, "Empty");
        click(&w, "OK_Button");
        EXPECT_TRUE(isRunningModal(&w));
        click(&w, "Cancel_Button");
    });
    ASSERT_EQ(scripted->boxes().size(), 1u);
    const MessageBoxRequest box = scripted->boxes()[0];
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.details, "The selected database has no company to copy the recipient to.");
    EXPECT_EQ(box.style, kMessageStyleOK);
    EXPECT_EQ(box.title, "Recipient Copy Error");
    EXPECT_EQ(box.image, kMessageImagePlain);
    CompanyDatabase check;
    ASSERT_TRUE(check.Init(other, false, true, true, "Empty"));
    EXPECT_EQ(check.db->intForQuery("select count(*) from recipients"), 0);
    EXPECT_EQ(check.GetInUseCount(), 0);
    check.Close();
}

TEST_F(CopyRecipientTest, AListedFileThatIsGoneIsNotMadeAnew) {
    const std::string gone = home.file("Gone 2025.db");
    ASSERT_TRUE(app()->InsertDatabaseInfo(databaseInfo("Gone", gone, 2025, false, "")));
    scripted->answerBox(kMessageAnswerOkYes);
    copy([](QWidget& w) {
        chooseTarget(w, "Gone");
        click(&w, "OK_Button");
        EXPECT_TRUE(isRunningModal(&w));
        click(&w, "Cancel_Button");
    });
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "The selected database could not be found.");
    EXPECT_EQ(scripted->boxes()[0].details, gone);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(gone)));
}

TEST_F(CopyRecipientTest, WithNoDatabaseListedOkIsNotOffered) {
    ASSERT_TRUE(app()->DeleteDatabaseInfo(databaseInfo("Acme", path, 2025, false, "")));
    copy([](QWidget& w) {
        EXPECT_TRUE(items(w).empty());
        EXPECT_FALSE(uitest::child<QPushButton>(&w, "OK_Button")->isEnabled());
        escape(&w);
        EXPECT_FALSE(isRunningModal(&w));
    });
    EXPECT_EQ(cdb()->db->intForQuery("select count(*) from recipients"), 1);
    EXPECT_EQ(selectedRecipientRows(), std::vector<int32_t>{source});
}

}  // namespace
