#include "AdminFixture.h"
#include "ScriptedJobs.h"

#include <cctype>
#include <filesystem>
#include <functional>
#include <optional>

#include "FailingDisk.h"
#include "KilledRun.h"
#include "Leftovers.h"
#include "core/admin/DatabaseBackup.h"
#include "core/admin/DatabaseFileCheck.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/admin/CloudBackup.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "core/store/ScratchCopy.h"
#include "core/store/Startup.h"

namespace {

constexpr std::chrono::year_month_day kDay{std::chrono::year{2026}, std::chrono::month{3}, std::chrono::day{7}};

class Restore : public AdminTest {
public:
    void SetUp() override {
        AdminTest::SetUp();
        original = makeDatabase("Acme", 2025, "Payer of today");
        openAsMainWindow(original, "Acme");
    }

    // A backup of the same year made from another file, marked as a backup.
    std::string makeBackup(int year = 2025, const std::string& payer = "Payer of then") {
        const std::string folder = home.file("saved backups");
        EXPECT_TRUE(platform::createDirectories(folder));
        const std::string path = makeDatabase("Old name", year, payer, folder);
        CompanyDatabase db;
        EXPECT_TRUE(db.Init(path, false, true, true, "Old name"));
        EXPECT_TRUE(db.SetBackup(true));
        db.Close();
        return path;
    }

    // Runs a restore of the chosen file without a backup first; `boxes` more message
    // boxes are answered with OK.
    DatabaseBackup::RestoreResult restore(DatabaseBackup& flow, const std::string& chosen, int boxes = 0) {
        scripted->answerBox(kMessageAnswerNo);   // no backup first
        scripted->answerOpenFile(chosen);
        for (int i = 0; i < boxes; ++i) scripted->answerBox(kMessageAnswerOkYes);
        return flow.RestoreDatabase();
    }
    DatabaseBackup::RestoreResult restore(const std::string& chosen, int boxes = 0) {
        DatabaseBackup flow([] { return kDay; });
        return restore(flow, chosen, boxes);
    }

    bool scratchGone() const { return !platform::fileExists(DatabaseBackup::scratchPath()); }

    std::string original;
};

TEST_F(Restore, ASameYearBackupReplacesTheOpenDatabaseUnderItsNameAndLeavesNoneOpen) {
    const std::string backup = makeBackup();
    scripted->answerAlert(kAlertSecondButtonCode);   // "Yes"
    EXPECT_EQ(restore(backup), DatabaseBackup::RestoreResult::restored);

    const auto& request = scripted->shown()[1].openFile;
    EXPECT_EQ(request.message, "Restore Database");
    EXPECT_EQ(request.fileType, "db");
    EXPECT_EQ(request.startFolder, backupsFolder());
    EXPECT_EQ(scripted->boxes()[0].style, kMessageStyleYesNo);
    ASSERT_EQ(scripted->alerts().size(), 1u);
    const AlertRequest done = scripted->alerts()[0];
    EXPECT_EQ(done.title, "Restore Successful");
    EXPECT_EQ(done.message, "Successfully restored from backup.");
    EXPECT_EQ(done.buttons, (std::vector<std::string>{"No", "Yes"}));
    EXPECT_EQ(done.returnButton, 1u);

    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of then");
    EXPECT_EQ(query(original, "select name || '/' || isBackup || '/' || in_use from database;"), "Acme/0/0");
    EXPECT_EQ(query(backup, "select isBackup from database;"), "1") << "the backup itself is left as it was";
    EXPECT_TRUE(scratchGone());
    EXPECT_TRUE(replacementLeftoversIn(folderOfFile(original)).empty());
    EXPECT_GE(scripted->refreshCount(), 1);
}

TEST_F(Restore, AnOlderSchemaBackupIsBroughtToTheCurrentVersion) {
    const std::string backup = makeBackup();
    {
        auto db = FMDatabase::databaseWithPath(backup);
        ASSERT_TRUE(db->open());
        for (const char* c : {"name_type", "tin_type", "suffix", "firstname", "middleName", "lastname",
                              "payerphone_type", "bussinessadd2", "payercountry", "combinedFilingProgram",
                              "MISC_TypeFiling", "DIV_TypeFiling", "INT_TypeFiling", "R_TypeFiling", "S_TypeFiling",
                              "NEC_TypeFiling"})
            ASSERT_TRUE(db->executeUpdate(std::string("alter table companies drop column ") + c + ";"));
        ASSERT_TRUE(db->executeStatements("alter table recipients drop column nec_line3;"
                                          "drop table recipients_additionalinfo;"
                                          "update database set current_version = 34;"));
        db->close();
    }
    scripted->answerAlert(kAlertFirstButtonCode);   // "No" only closes it too
    EXPECT_EQ(restore(backup), DatabaseBackup::RestoreResult::restored);
    EXPECT_EQ(query(original, "select current_version from database;"), "36");
    EXPECT_EQ(query(original, "select count(*) from pragma_table_info('recipients') where name = 'nec_line3';"), "1");
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of then");
    EXPECT_TRUE(scratchGone());
}

// Files refused before the open database is touched; it stays open, byte for byte
// as it was, and no scratch copy is left.
struct Refusal {
    const char* what;
    std::function<std::string(Restore&)> chosen;
    const char* caption;
    const char* details;
};
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.what; }

class RestoreRefusal : public Restore, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RestoreRefusal, LeavesTheOpenDatabaseAsItWas) {
    const std::string chosen = GetParam().chosen(*this);
    cdb()->Close();
    const std::string bytes = databaseBytes(original);
    ASSERT_TRUE(cdb()->Init(original, true, true, true, "Acme"));
    EXPECT_EQ(restore(chosen, 1), DatabaseBackup::RestoreResult::notRestored);

    ASSERT_EQ(scripted->boxes().size(), 2u);
    EXPECT_EQ(scripted->boxes()[1].caption, GetParam().caption);
    EXPECT_EQ(scripted->boxes()[1].details, GetParam().details);
    EXPECT_EQ(scripted->count("closeDatabase"), 0);
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_TRUE(scratchGone());
    cdb()->Close();
    EXPECT_TRUE(databaseBytes(original) == bytes);
}

const Refusal kRefusals[] = {
    {"another year", [](Restore& t) { return t.makeBackup(2024); }, "",
     "Backup is for a different year. Please use 'Import Prior Year' from the File menu to access prior year "
     "information."},
    {"the open database itself", [](Restore& t) { return t.original; }, "Unable to restore from backup.",
     "The selected database is the currently open database, not a backup."},
    {"the open database by another path",
     [](Restore& t) { return t.yearFolder() + "/./" + std::filesystem::path(t.original).filename().string(); },
     "Unable to restore from backup.", "The selected database is the currently open database, not a backup."},
    {"a text file",
     [](Restore& t) {
         const std::string path = t.home.file("notes.db");
         EXPECT_TRUE(platform::writeFileAtomically(path, "these are notes, not a database\n"));
         return path;
     },
     "Unable to restore from backup.",
     "Unable to initialize the database backup.\n\nIt is not a database, or it is damaged beyond reading (file is "
     "not a database)."},
    {"an empty file",
     [](Restore& t) {
         const std::string path = t.home.file("empty.db");
         EXPECT_TRUE(platform::writeFileAtomically(path, ""));
         return path;
     },
     "Unable to restore from backup.", "Unable to initialize the database backup.\n\nIt is empty: it holds no tables."},
    {"another program's database",
     [](Restore& t) {
         const std::string path = t.home.file("foreign.db");
         auto db = FMDatabase::databaseWithPath(path);
         EXPECT_TRUE(db->open());
         EXPECT_TRUE(db->executeStatements("create table things (a);"));
         db->close();
         return path;
     },
     "Unable to restore from backup.",
     "Unable to initialize the database backup.\n\nIt is a database of another program, not a Talvexa 1099 company "
     "database."},
    {"a damaged file",
     [](Restore& t) {
         const std::string path = t.makeBackup();
         std::string bytes = fileBytes(path);
         // Overwrite every page after the first with noise: the schema page still reads.
         for (size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 % 251);
         EXPECT_TRUE(platform::writeFileAtomically(path, bytes));
         return path;
     },
     "Unable to restore from backup.",
     "Unable to initialize the database backup.\n\nIt is damaged (database disk image is malformed)."},
    {"a truncated file",
     [](Restore& t) {
         const std::string path = t.makeBackup();
         const std::string bytes = fileBytes(path);
         EXPECT_TRUE(platform::writeFileAtomically(path, bytes.substr(0, bytes.size() / 2)));
         return path;
     },
     "Unable to restore from backup.",
     "Unable to initialize the database backup.\n\nIt is damaged (database disk image is malformed)."},
};

INSTANTIATE_TEST_SUITE_P(Files, RestoreRefusal, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

// Backups that lack tables or columns of a company database, even once brought to the
// current version, are refused; the open database stays open and its bytes unchanged.
struct Lacking {
    const char* what;
    const char* sql;   // run on a sound backup
};
void PrintTo(const Lacking& c, std::ostream* os) { *os << c.what; }

class RestoreOfALackingBackup : public Restore, public ::testing::WithParamInterface<Lacking> {};

TEST_P(RestoreOfALackingBackup, IsRefusedAndTheOpenFileIsUnchanged) {
    const std::string backup = makeBackup();
    {
        auto db = FMDatabase::databaseWithPath(backup);
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeStatements(GetParam().sql)) << GetParam().sql;
        db->close();
    }
    const std::string digest = sha256Hex(fileBytes(original));
    EXPECT_EQ(restore(backup, 1), DatabaseBackup::RestoreResult::notRestored);

    ASSERT_EQ(scripted->boxes().size(), 2u);
    EXPECT_EQ(scripted->boxes()[1].caption, "Unable to restore from backup.");
    // A backup that its upgrade stops on says why after the fixed text.
    const std::string details = scripted->boxes()[1].details;
    EXPECT_EQ(details.substr(0, details.find('\n')), "Unable to initialize the database backup.") << details;
    EXPECT_EQ(details.substr(details.find('\n'), 2), "\n\n") << "a reason follows";
    EXPECT_GT(details.size(), details.find('\n') + 2) << details;
    EXPECT_EQ(scripted->count("closeDatabase"), 0);
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_TRUE(scratchGone());
    EXPECT_EQ(sha256Hex(fileBytes(original)), digest);
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of today");
}

const Lacking kLacking[] = {
    {"without recipients", "drop table recipients;"},
    {"without logins", "drop table logins;"},
    {"without recipients at an older version", "drop table recipients; update database set current_version = 30;"},
    {"without a column", "alter table recipients drop column nec_line3;"},
    {"with only the database table",
     "drop table if exists recipients; drop table if exists recipients_additionalinfo; "
     "drop table if exists logins; drop table if exists companies; drop table if exists transmitter; "
     "drop table if exists mailinglabel; drop table if exists importFields; "
     "drop table if exists importCompFields; drop table if exists _1099MiscFormat; "
     "drop table if exists _1099SFormat; drop table if exists _1099INTFormat; "
     "drop table if exists _1099DIVFormat; drop table if exists _1099RFormat; drop table if exists _1096Format; "
     "drop table if exists _1099NECFormat;"},
};

INSTANTIATE_TEST_SUITE_P(Backups, RestoreOfALackingBackup, ::testing::ValuesIn(kLacking),
                         [](const ::testing::TestParamInfo<Lacking>& backup) {
                             std::string name;
                             for (const char* c = backup.param.what; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

// Tables and columns that a new company file does not have (payroll data, say) are the
// backup's own: it restores with them.
TEST_F(Restore, ABackupWithATableOfItsOwnRestores) {
    const std::string backup = makeBackup();
    {
        auto db = FMDatabase::databaseWithPath(backup);
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeStatements("create table employees (pk INT PRIMARY KEY, name TEXT);"
                                          "insert into employees values (0, 'Ann');"
                                          "alter table companies add column payrollNote TEXT;"));
        db->close();
    }
    scripted->answerAlert(kAlertSecondButtonCode);
    EXPECT_EQ(restore(backup), DatabaseBackup::RestoreResult::restored);
    EXPECT_EQ(query(original, "select name from employees;"), "Ann");
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of then");
    EXPECT_TRUE(scratchGone());
}

// The backup offered first: a login cancelled when the database opens again after it
// is not asked for again, and with nothing open there is nothing to restore into.
TEST_F(Restore, ALoginCancelledAfterTheOfferedBackupEndsTheRestore) {
    ScopedEnvironment offline(platform::kNetworkStatusVariable, "down");
    const std::string backup = makeBackup();
    scripted->answerBox(kMessageAnswerOkYes);   // back up first
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(backupsFolder() + "/before restoring.db");
    scripted->cancelReopenLogin();
    scripted->answerBox(kMessageAnswerOkYes);   // backup made
    DatabaseBackup flow([] { return kDay; });
    EXPECT_EQ(flow.RestoreDatabase(), DatabaseBackup::RestoreResult::notRestored);
    EXPECT_EQ(scripted->count("openRecentDatabase"), 1);
    EXPECT_EQ(scripted->count("chooseOpenFile"), 0);
    EXPECT_EQ(captions().back(), "Successfully created backup.");
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of today");
}

// Putting the checked copy in place fails at each step (a full disk, an I/O error): the
// open database stays byte-identical and nothing is left beside it.
TEST_F(Restore, AReplacementThatFailsAtAnyStepLeavesTheOriginalByteIdentical) {
    const std::string backup = makeBackup();
    cdb()->Close();
    const std::string bytes = databaseBytes(original);
    for (platform::ReplaceStep failing : {platform::ReplaceStep::started, platform::ReplaceStep::built,
                                          platform::ReplaceStep::flushed, platform::ReplaceStep::renaming}) {
        SCOPED_TRACE(static_cast<int>(failing));
        ASSERT_TRUE(cdb()->Init(original, true, true, true, "Acme"));
        platform::setReplaceStepHookForTesting(
            [&](platform::ReplaceStep at, const std::string& path) { return path != original || at != failing; });
        DatabaseBackup flow([] { return kDay; });
        EXPECT_EQ(restore(flow, backup, 1), DatabaseBackup::RestoreResult::notRestored);
        platform::setReplaceStepHookForTesting({});
        EXPECT_EQ(scripted->boxes().back().caption, "Unable to restore from backup.");
        ASSERT_TRUE(cdb()->IsReady());
        EXPECT_TRUE(scratchGone());
        EXPECT_TRUE(replacementLeftoversIn(folderOfFile(original)).empty());
        cdb()->Close();
        EXPECT_TRUE(databaseBytes(original) == bytes) << "the original was changed";
    }
}

TEST_F(Restore, AFailedFinalCopyLeavesTheOriginalByteIdenticalAndOpen) {
    const std::string backup = makeBackup();
    cdb()->Close();
    const std::string bytes = databaseBytes(original);
    ASSERT_TRUE(cdb()->Init(original, true, true, true, "Acme"));

    DatabaseBackup flow([] { return kDay; });
    flow.setCopier([](const std::string& from, const std::string& to, const CopyProgress&, std::string&) {
        // The scratch copy is made; the copy beside the open database comes out damaged.
        if (to == DatabaseBackup::scratchPath()) return copyDatabaseFile(from, to);
        return platform::writeFileAtomically(to, "half a file");
    });
    EXPECT_EQ(restore(flow, backup, 1), DatabaseBackup::RestoreResult::notRestored);

    ASSERT_EQ(scripted->boxes().size(), 2u);
    EXPECT_EQ(scripted->boxes()[1].caption, "Unable to restore from backup.");
    EXPECT_EQ(scripted->boxes()[1].details,
              "Unable to copy the temporary restore database to the currently open database.\n\n            To "
              "resolve this issue, please try again, or have a system administrator provide you with Read & Write "
              "access for the following files:\n\n    " +
                  DatabaseBackup::scratchPath() + "\n    " + original);
    ASSERT_TRUE(cdb()->IsReady());
    EXPECT_EQ(cdb()->GetPath(), original);
    EXPECT_TRUE(scratchGone());
    EXPECT_TRUE(replacementLeftoversIn(folderOfFile(original)).empty());
    cdb()->Close();
    // The in-use mark that the reopening set, the close cleared again.
    EXPECT_TRUE(databaseBytes(original) == bytes) << "the original was changed";
}

// A full disk or an I/O error keeps the fixed text and adds the system's reason after it:
// while the scratch copy is written, while the new file to compare with is made (which
// is no fault of the backup) and while the checked copy is put in place.
TEST_F(Restore, AFullDiskOrAnIOErrorIsReportedWithTheSystemsReason) {
    const std::string backup = makeBackup();
    const std::string reference = folderOfFile(DatabaseBackup::scratchPath()) + "/companySchemaReference.db";
    const auto failingAt = [](platform::ReplaceStep step, const std::string& file) {
        platform::setReplaceStepHookForTesting(
            [=](platform::ReplaceStep at, const std::string& path) { return path != file || at != step; });
    };
    // The new file to compare with is made once per run: this run makes it again.
    forgetCompanySchemaForTesting();
    failingAt(platform::ReplaceStep::built, reference);
    EXPECT_EQ(restore(backup, 1), DatabaseBackup::RestoreResult::notRestored);
    EXPECT_EQ(scripted->boxes().back().details,
              "Unable to initialize the database backup.\n\nUnable to make a new company database to compare with: "
              "Could not write \"" + reference + "\": Input/output error");

    failingAt(platform::ReplaceStep::flushed, original);
    EXPECT_EQ(restore(backup, 1), DatabaseBackup::RestoreResult::notRestored);
    platform::setReplaceStepHookForTesting({});
    EXPECT_EQ(scripted->boxes().back().details,
              "Unable to copy the temporary restore database to the currently open database.\n\n            To "
              "resolve this issue, please try again, or have a system administrator provide you with Read & Write "
              "access for the following files:\n\n    " +
                  DatabaseBackup::scratchPath() + "\n    " + original + "\n\nCould not write \"" + original +
                  "\": Input/output error");
    ASSERT_TRUE(cdb()->IsReady());

    {
        FailingDisk disk;
        disk.failOnce(0, SQLITE_FULL);
        EXPECT_EQ(restore(backup, 1), DatabaseBackup::RestoreResult::notRestored);
        EXPECT_TRUE(disk.refused());
    }
    EXPECT_EQ(scripted->boxes().back().details,
              "Unable to initialize the temporary restore database.\n\ndatabase or disk is full");
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of today");
    EXPECT_TRUE(scratchGone());
}

// Cancel up to the replacement stops the restore with the open database untouched.
TEST_F(Restore, CancelBeforeTheReplacementLeavesTheOpenDatabaseAsItWas) {
    const std::string backup = makeBackup();
    cdb()->Close();
    const std::string bytes = databaseBytes(original);
    ASSERT_TRUE(cdb()->Init(original, true, true, true, "Acme"));
    scripted.reset();
    auto* jobs = new ScriptedJobsUserInterface;
    scripted.reset(jobs);
    jobs->cancelDuring("Checking");

    EXPECT_EQ(restore(backup), DatabaseBackup::RestoreResult::notRestored);
    EXPECT_EQ(scripted->count("closeDatabase"), 0);
    EXPECT_EQ(scripted->boxes().size(), 1u);   // only the offer of a backup first
    ASSERT_TRUE(cdb()->IsReady());
    EXPECT_TRUE(scratchGone());
    ASSERT_EQ(jobs->jobs().size(), 1u);
    EXPECT_EQ(jobs->jobs()[0]->request.title, "Restore Database");
    EXPECT_TRUE(jobs->jobs()[0]->closed);
    cdb()->Close();
    EXPECT_TRUE(databaseBytes(original) == bytes) << "the original was changed";
}

// Another copy of the program starting while a restore runs leaves the restore's scratch
// copy alone: the restore goes through.
TEST_F(Restore, AStartOfAnotherCopyDuringTheRestoreLeavesItsScratchCopy) {
    const std::string backup = makeBackup();
    DatabaseBackup flow([] { return kDay; });
    int starts = 0;
    flow.setCopier([&starts](const std::string& from, const std::string& to, const CopyProgress& progress,
                             std::string& reason) {
        // The other copy starts while the backup is being copied into the scratch copy,
        // and again when the checked scratch copy is being put in place.
        bool started = false;
        return copyDatabaseFile(
            from, to,
            [&](int64_t done, int64_t total) {
                if (!started) {
                    started = true;
                    ++starts;
                    sweepProgramFolders();
                }
                return progress && progress(done, total);
            },
            &reason);
    });
    scripted->answerAlert(kAlertSecondButtonCode);
    EXPECT_EQ(restore(flow, backup), DatabaseBackup::RestoreResult::restored);
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of then");
    EXPECT_TRUE(scratchGone());
}

// While another copy of the program holds the scratch copy, a restore leaves it as it
// is and says why it cannot go on.
TEST_F(Restore, WhileAnotherCopyHoldsTheScratchCopyTheRestoreLeavesItAndSaysWhy) {
    const std::string backup = makeBackup();
    const ScratchCopy other;
    ASSERT_TRUE(platform::writeFileAtomically(other.path(), "another run's copy"));
    EXPECT_EQ(restore(backup, 1), DatabaseBackup::RestoreResult::notRestored);
    ASSERT_EQ(scripted->boxes().size(), 2u);
    EXPECT_EQ(scripted->boxes()[1].title, "Unable to restore from backup.");
    EXPECT_EQ(scripted->boxes()[1].details, "Unable to initialize the temporary restore database.\n\nAnother copy of "
                                            "Talvexa 1099 is using \"" + other.path() +
                                                "\" (a restore, a backup or a new year is under way there). Please "
                                                "try again when it has finished.");
    EXPECT_EQ(fileBytes(other.path()), "another run's copy");
    EXPECT_TRUE(cdb()->IsReady());
}

TEST_F(Restore, AScratchFileLeftByAnEarlierCrashIsRemovedFirst) {
    ASSERT_TRUE(platform::writeFileAtomically(DatabaseBackup::scratchPath(), "left over"));
    const std::string backup = makeBackup();
    scripted->answerAlert(kAlertSecondButtonCode);
    EXPECT_EQ(restore(backup), DatabaseBackup::RestoreResult::restored);
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of then");
    EXPECT_TRUE(scratchGone());
}

TEST_F(Restore, AfterADifferentYearASecondAttemptWorksAtOnce) {
    EXPECT_EQ(restore(makeBackup(2024, "Last year"), 1), DatabaseBackup::RestoreResult::notRestored);
    scripted->answerAlert(kAlertSecondButtonCode);
    EXPECT_EQ(restore(makeBackup()), DatabaseBackup::RestoreResult::restored);
    EXPECT_TRUE(scratchGone());
}

TEST_F(Restore, TheOfferedBackupRunsFirstWithItsEnrolment) {
    ScopedEnvironment offline(platform::kNetworkStatusVariable, "down");
    const std::string backup = makeBackup();
    scripted->answerBox(kMessageAnswerOkYes);   // back up first
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(backupsFolder() + "/before restoring.db");
    scripted->answerBox(kMessageAnswerOkYes);   // backup made
    scripted->answerOpenFile(backup);
    scripted->answerAlert(kAlertSecondButtonCode);
    DatabaseBackup flow([] { return kDay; });
    EXPECT_EQ(flow.RestoreDatabase(), DatabaseBackup::RestoreResult::restored);
    EXPECT_EQ(query(backupsFolder() + "/before restoring.db", "select name from companies;"), "Payer of today");
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of then");
}

TEST_F(Restore, AWindowKeptOpenStopsTheRestoreBeforeTheFileIsReplaced) {
    const std::string backup = makeBackup();
    scripted->refuseCloseDatabase();
    EXPECT_EQ(restore(backup), DatabaseBackup::RestoreResult::notRestored);
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_EQ(query(original, "select name from companies;"), "Payer of today");
    EXPECT_TRUE(scratchGone());
}

TEST_F(Restore, WithoutAnOpenDatabaseItSaysWhatToDo) {
    cdb()->Close();
    scripted->answerBox(kMessageAnswerOkYes);
    DatabaseBackup flow;
    EXPECT_EQ(flow.RestoreDatabase(), DatabaseBackup::RestoreResult::notRestored);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].details,
              "Please create a database and create a backup then you can use restore option!!");
    EXPECT_EQ(scripted->boxes()[0].title, "Restore Database");
}

// The program killed half way through the copy that is to replace the open database, and
// at each step of putting it in place, with the database in a folder of the user's: the
// database is the old file or the restored one, and after the next start nothing else is
// beside it (no copy of it, no scratch copy).
TEST_F(Restore, AKillAtAnyStepLeavesNothingBesideTheDatabaseAfterTheNextStart) {
    using platform::ReplaceStep;
    const std::string backup = makeBackup();
    const std::string folder = home.file("Desk");
    ASSERT_TRUE(platform::createDirectories(folder));
    const std::string desk = makeDatabase("Desk", 2025, "Payer of today", folder);
    const std::string kept = home.file("kept.db");
    ASSERT_TRUE(platform::copyFile(desk, kept));
    openAsMainWindow(desk, "Desk");
    cdb()->Close();
    const std::string configuration = app()->GetPath();
    app()->Close();

    const std::optional<ReplaceStep> kCopying;
    for (std::optional<ReplaceStep> killedAt :
         {kCopying, std::optional(ReplaceStep::started), std::optional(ReplaceStep::built),
          std::optional(ReplaceStep::flushed), std::optional(ReplaceStep::renaming),
          std::optional(ReplaceStep::renamed), std::optional(ReplaceStep::folderFlushed)}) {
        SCOPED_TRACE(killedAt ? "killed at step " + std::to_string(static_cast<int>(*killedAt)) : "killed copying");
        ASSERT_TRUE(platform::copyFile(kept, desk, true));
        const int status = statusOfChild([&] {
            platform::setReplaceStepHookForTesting([&](ReplaceStep at, const std::string& path) {
                if (path == desk && at == killedAt) ::_exit(kKilledStatus);
                return true;
            });
            DatabaseBackup flow([] { return kDay; });
            if (!killedAt)
                flow.setCopier([](const std::string& from, const std::string& to, const CopyProgress&,
                                  std::string& reason) {
                    const bool intoPlace = to != DatabaseBackup::scratchPath();
                    const auto killed = [&](int64_t, int64_t) {
                        if (intoPlace) ::_exit(kKilledStatus);
                        return false;
                    };
                    return copyDatabaseFile(from, to, killed, &reason);
                });
            scripted->answerAlert(kAlertSecondButtonCode);
            const bool ready = app()->Init(configuration, false) && cdb()->Init(desk, true, true, true, "Desk");
            return ready && restore(flow, backup) == DatabaseBackup::RestoreResult::restored ? 0 : 1;
        });
        EXPECT_EQ(status, kKilledStatus);

        ASSERT_TRUE(app()->Init(configuration, false));
        sweepProgramFolders();
        app()->Close();
        EXPECT_EQ(filesWithBytes(folder).size(), 1u) << testing::PrintToString(filesWithBytes(folder));
        EXPECT_EQ(query(desk, "select name from companies;"),
                  killedAt >= ReplaceStep::renamed ? "Payer of then" : "Payer of today");
        EXPECT_TRUE(scratchGone());
    }
    ASSERT_TRUE(app()->Init(configuration, false));
}

}  // namespace
