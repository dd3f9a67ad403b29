#include "AdminFixture.h"

#include <cctype>
#include <filesystem>
#include <functional>
#include <optional>
#include <unistd.h>

#include "FailingDisk.h"
#include "KilledRun.h"
#include "Leftovers.h"
#include "ScriptedJobs.h"
#include "core/admin/CloudBackup.h"
#include "core/admin/DatabaseBackup.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/WebAddresses.h"
#include "WithoutFileOverride.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "core/store/ScratchCopy.h"
#include "core/store/Startup.h"
#include "platform/FileReplacement.h"
#include "platform/StandardPaths.h"

namespace {

constexpr std::chrono::year_month_day kDay{std::chrono::year{2026}, std::chrono::month{3}, std::chrono::day{7}};
constexpr const char kProposed[] = "Acme 2025 Backup 3-7-2026.db";

class Backup : public AdminTest {
public:
    void SetUp() override {
        AdminTest::SetUp();
        original = makeDatabase("Acme", 2025, "Acme Supply");
        openAsMainWindow(original, "Acme");
    }

    DatabaseBackup::BackupResult backUp() {
        DatabaseBackup flow([] { return kDay; });
        return flow.OnBackup();
    }

    std::string destination() const { return backupsFolder() + "/" + kProposed; }
    // The 2024 year folder beside this year's.
    std::string lastYearFolder() const {
        TalvexaDir last;
        last.SetBaseDir(session().configDir->dir());
        last.SetYear(2024);
        std::string folder = last.GetDir();
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        EXPECT_TRUE(platform::createDirectories(folder));
        return folder;
    }

    std::string original;
    ScopedEnvironment offline{platform::kNetworkStatusVariable, "down"};
};

TEST_F(Backup, CopiesUnderTheProposedDatedNameAndReopensTheDatabase) {
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(destination());
    scripted->answerBox(kMessageAnswerOkYes);   // success
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::made);

    const auto& request = scripted->shown()[1].saveFile;
    EXPECT_EQ(request.fileName, kProposed);
    EXPECT_EQ(request.startFolder, backupsFolder());
    EXPECT_EQ(request.message, "Create a Database Backup (All Companies in Database)");
    EXPECT_EQ(scripted->sequence(), (std::vector<std::string>{"cloudBackupEnrolment", "chooseSaveFile",
                                                               "closeDatabase", "openRecentDatabase",
                                                               "messageBox"}));
    EXPECT_EQ(captions(), std::vector<std::string>{"Successfully created backup."});
    EXPECT_TRUE(scripted->boxes()[0].image == kMessageImageMessage);

    // The copy is marked as a backup that is not in use; the original is open, in use.
    EXPECT_EQ(flags(destination()), "0/1");
    EXPECT_EQ(query(destination(), "select name from companies;"), "Acme Supply");
    ASSERT_TRUE(cdb()->IsReady());
    EXPECT_EQ(cdb()->GetPath(), original);
    EXPECT_FALSE(cdb()->IsBackup());
    EXPECT_EQ(cdb()->GetInUseCount(), 1);
    EXPECT_TRUE(opened.empty());
}

TEST_F(Backup, AnExistingDestinationIsReplaced) {
    ASSERT_TRUE(platform::writeFileAtomically(destination(), "an older file of that name"));
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(destination());
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::made);
    EXPECT_EQ(query(destination(), "select name from companies;"), "Acme Supply");
    EXPECT_TRUE(replacementLeftoversIn(folderOfFile(destination())).empty());
}

TEST_F(Backup, ClosingTheEnrolmentOrThePanelMakesNoBackup) {
    scripted->answerCloudBackupEnrolment(kCloudBackupCloseCode);
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::notMade);
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(std::nullopt);
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::panelCancelled);
    EXPECT_EQ(scripted->sequence(),
              (std::vector<std::string>{"cloudBackupEnrolment", "cloudBackupEnrolment", "chooseSaveFile"}));
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_FALSE(cdb()->IsBackup());
}

// Destinations refused before the database is touched. OK goes back to the panel.
struct Refused {
    const char* what;
    std::function<std::string(Backup&)> destination;
    const char* text;
};
void PrintTo(const Refused& c, std::ostream* os) { *os << c.what; }

class BackupRefusal : public Backup, public ::testing::WithParamInterface<Refused> {};

TEST_P(BackupRefusal, IsRefusedAndOkGoesBackToThePanel) {
    const std::string refused = GetParam().destination(*this);
    cdb()->Close();
    const std::string bytes = databaseBytes(original);
    ASSERT_TRUE(cdb()->Init(original, true, true, true, "Acme"));
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(refused);
    scripted->answerBox(kMessageAnswerOkYes);   // back to the panel
    scripted->answerSaveFile(std::nullopt);
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::panelCancelled);

    ASSERT_EQ(scripted->boxes().size(), 1u);
    const MessageBoxRequest box = scripted->boxes()[0];
    EXPECT_EQ(box.caption, "Unable to create backup.");
    EXPECT_EQ(box.details, GetParam().text);
    EXPECT_EQ(box.style, kMessageStyleOKCancel);
    EXPECT_EQ(box.image, kMessageImageError);
    EXPECT_EQ(scripted->count("closeDatabase"), 0);
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_FALSE(cdb()->IsBackup());
    cdb()->Close();
    EXPECT_TRUE(databaseBytes(original) == bytes) << "the open database was touched";
}

const Refused kRefused[] = {
    {"folder that does not exist", [](Backup& t) { return t.home.file("no such folder/b.db"); },
     kBackupUnwritableText},
    {"an existing folder", [](Backup& t) { return t.backupsFolder(); }, kBackupUnwritableText},
    {"under a plain file", [](Backup& t) { return t.original + "/b.db"; }, kBackupUnwritableText},
    {"the open database", [](Backup& t) { return t.original; }, kBackupOverwritesText},
    {"the open database by another path",
     [](Backup& t) { return t.backupsFolder() + "/../" + std::filesystem::path(t.original).filename().string(); },
     kBackupOverwritesText},
    {"the configuration database", [](Backup& t) { return t.app()->GetPath(); }, kBackupOverwritesText},
    {"a listed database",
     [](Backup& t) {
         const std::string other = t.makeDatabase("Other");
         databaseInfo entry;
         entry.setName("Other");
         entry.setPath(other);
         entry.setYear(2025);
         EXPECT_TRUE(t.app()->InsertDatabaseInfo(entry));
         return other;
     },
     kBackupOverwritesText},
    {"a database of another year listed",
     [](Backup& t) {
         const std::string other = t.makeDatabase("Older", 2023, "Older", t.home.file(""));
         EXPECT_TRUE(t.app()->InsertDatabaseInfo(databaseInfo("Older", other, 2023, false, "")));
         return other;
     },
     kBackupOverwritesText},
    {"last years database in the prior year list",
     [](Backup& t) {
         const std::string folder = t.lastYearFolder();
         const std::string last = t.makeDatabase("Acme Supply Co", 2024, "Acme Supply Co", folder);
         EXPECT_TRUE(t.app()->InsertPriorYearInfo(databaseInfo("Acme Supply Co", last, 2024, false, "")));
         return last;
     },
     kBackupOverwritesText},
    {"the preferences database",
     [](Backup& t) {
         const std::string folder = platform::preferencesDir() + "/Talvexa";
         EXPECT_TRUE(platform::createDirectories(folder));
         (void)t;
         return folder + "/Preferences.db";
     },
     kBackupOverwritesText},
    {"the configuration database of last year",
     [](Backup& t) {
         const std::string folder = t.lastYearFolder() + "/__Configuration";
         EXPECT_TRUE(platform::createDirectories(folder));
         return folder + "/Talvexa_1099_2024.db";
     },
     kBackupOverwritesText},
    {"the journal of the open database", [](Backup& t) { return t.original + "-journal"; }, kBackupOverwritesText},
    {"the write ahead log of the open database", [](Backup& t) { return t.original + "-wal"; },
     kBackupOverwritesText},
    {"the shared memory file of the configuration database", [](Backup& t) { return t.app()->GetPath() + "-shm"; },
     kBackupOverwritesText},
    {"the journal of a database of the user",
     [](Backup& t) {
         const std::string own = t.makeDatabase("Own", 2025, "Own", t.home.file(""));
         return own + "-journal";
     },
     kBackupOverwritesText},
};

INSTANTIATE_TEST_SUITE_P(Destinations, BackupRefusal, ::testing::ValuesIn(kRefused),
                         [](const ::testing::TestParamInfo<Refused>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

TEST_F(Backup, CancelOnARefusalEndsTheBackup) {
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(original);
    scripted->answerBox(kMessageAnswerCancel);
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::notMade);
    EXPECT_EQ(scripted->count("chooseSaveFile"), 1);
}

TEST_F(Backup, AReadOnlyDestinationIsRefused) {
    WithoutFileOverride plainUser;
    const std::string locked = home.file("locked");
    ASSERT_TRUE(platform::createDirectories(locked));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(locked + "/b.db");
    scripted->answerBox(kMessageAnswerCancel);
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::notMade);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    EXPECT_EQ(details(), std::vector<std::string>{kBackupUnwritableText});
}

// A copy that a full disk stops keeps the fixed text and adds the system's reason after it.
TEST_F(Backup, AFullDiskIsReportedWithTheSystemsReason) {
    {
        FailingDisk disk;
        disk.failOnce(0, SQLITE_FULL);
        scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
        scripted->answerSaveFile(destination());
        scripted->answerBox(kMessageAnswerCancel);
        EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::notMade);
        EXPECT_TRUE(disk.refused());
        cdb()->Close();
    }
    EXPECT_EQ(details(), std::vector<std::string>{std::string(kBackupUnwritableText) + "\n\ndatabase or disk is full"});
    EXPECT_FALSE(platform::fileExists(destination()));
}

// A backup into a folder of the user's is written only with a note in the notes folder.
// When the note cannot be written there, the box names that folder and the system's
// reason first and sends the user to no other location; OK goes back to the panel, and
// nothing is left in the chosen folder.
TEST_F(Backup, ABackupThatCannotBeNotedNamesTheNotesFolderAndTheReason) {
    WithoutFileOverride plainUser;
    const std::string stick = home.file("Stick");
    ASSERT_TRUE(platform::createDirectories(stick));
    const std::string notes = session().ControlledTempDir + "/Unfinished Writes";
    const std::string elsewhere = home.file("elsewhere");
    ASSERT_TRUE(platform::createDirectories(elsewhere));
    cdb()->Close();
    sweepProgramFolders();   // start-up: writes outside the program's folders are noted from now on
    ASSERT_TRUE(cdb()->Init(original, true, true, true, "Acme"));
    struct Case {
        const char* name;
        std::function<void()> spoil;
        const char* reason;
    };
    const Case cases[] = {
        {"read-only",
         [&] {
             ASSERT_TRUE(platform::createDirectories(notes));
             std::filesystem::permissions(notes, std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec);
         },
         "Permission denied."},
        {"a link", [&] { ASSERT_EQ(::symlink(elsewhere.c_str(), notes.c_str()), 0); },
         "it is not a folder of this user's."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::removePath(notes);
        c.spoil();
        scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
        scripted->answerSaveFile(stick + "/" + kProposed);
        scripted->answerBox(kMessageAnswerOkYes);   // back to the panel
        scripted->answerSaveFile(std::nullopt);
        const std::size_t boxes = scripted->boxes().size();
        EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::panelCancelled);
        std::filesystem::permissions(notes, std::filesystem::perms::owner_all);

        ASSERT_EQ(scripted->boxes().size(), boxes + 1);
        const MessageBoxRequest box = scripted->boxes().back();
        EXPECT_EQ(box.caption, "Unable to create backup.");
        EXPECT_EQ(box.details.rfind("The backup could not be noted in \"" + notes + "\": " + c.reason + "\n\n", 0), 0u)
            << box.details;
        EXPECT_EQ(box.details.find("different location"), std::string::npos) << box.details;
        EXPECT_EQ(box.style, kMessageStyleOKCancel);
        EXPECT_EQ(box.image, kMessageImageError);
        EXPECT_EQ(filesWithBytes(stick), (std::map<std::string, std::string>{}));
        EXPECT_TRUE(filesWithBytes(elsewhere).empty());
        ASSERT_TRUE(cdb()->IsReady());
        EXPECT_FALSE(cdb()->IsBackup());
    }
    EXPECT_EQ(scripted->count("chooseSaveFile"), 4);
}

TEST_F(Backup, AWindowKeptOpenKeepsTheDatabaseInUseAndUnmarked) {
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(destination());
    scripted->refuseCloseDatabase();
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::notMade);
    ASSERT_TRUE(cdb()->IsReady());
    EXPECT_FALSE(cdb()->IsBackup());
    EXPECT_EQ(cdb()->GetInUseCount(), 1);
    EXPECT_FALSE(platform::fileExists(destination()));
    EXPECT_TRUE(scripted->boxes().empty());
}

// A copy that does not pass its check is removed and reported once the database is
// open again; OK goes back to the panel for another location.
TEST_F(Backup, ACopyThatFailsItsCheckIsRemovedAndReported) {
    DatabaseBackup flow([] { return kDay; });
    int copies = 0;
    flow.setCopier([&](const std::string&, const std::string& to, const CopyProgress&, std::string&) {
        ++copies;
        return platform::writeFileAtomically(to, "not a database at all");
    });
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(destination());
    scripted->answerBox(kMessageAnswerOkYes);   // another location
    scripted->answerSaveFile(std::nullopt);
    EXPECT_EQ(flow.OnBackup(), DatabaseBackup::BackupResult::panelCancelled);

    EXPECT_EQ(copies, 1);
    EXPECT_FALSE(platform::fileExists(destination()));
    EXPECT_EQ(captions(), std::vector<std::string>{"Unable to create backup."});
    EXPECT_EQ(details(), std::vector<std::string>{kBackupUnwritableText});
    EXPECT_EQ(scripted->sequence(),
              (std::vector<std::string>{"cloudBackupEnrolment", "chooseSaveFile", "closeDatabase",
                                        "openRecentDatabase", "messageBox", "chooseSaveFile"}));
    ASSERT_TRUE(cdb()->IsReady());
    EXPECT_FALSE(cdb()->IsBackup());
    EXPECT_EQ(cdb()->GetInUseCount(), 1);
}

// The marks of a backup are set on the copy: at no moment is the original marked.
TEST_F(Backup, TheMarksOfABackupAreSetOnTheCopyNeverOnTheOriginal) {
    DatabaseBackup flow([] { return kDay; });
    std::vector<std::string> originalFlags;
    flow.setCopier([&](const std::string& from, const std::string& to, const CopyProgress&, std::string&) {
        originalFlags.push_back(flags(original));
        EXPECT_NE(from, original);
        EXPECT_EQ(flags(from), "0/1") << "the copy being copied carries the marks already";
        return copyDatabaseFile(from, to);
    });
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(destination());
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(flow.OnBackup(), DatabaseBackup::BackupResult::made);
    EXPECT_EQ(originalFlags, std::vector<std::string>{"0/0"});
    EXPECT_EQ(flags(destination()), "0/1");
    EXPECT_FALSE(platform::fileExists(DatabaseBackup::scratchPath()));
    cdb()->Close();
    EXPECT_EQ(flags(original), "0/0");
}

// A login cancelled when the database opens again after the copy is not asked for
// again; the backup that was made is reported, one that was not is not.
TEST_F(Backup, ACancelledLoginIsNotAskedAgainAndTheOutcomeIsReportedAsItIs) {
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(destination());
    scripted->cancelReopenLogin();
    scripted->answerBox(kMessageAnswerOkYes);   // success
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::made);
    EXPECT_EQ(scripted->count("openRecentDatabase"), 1);
    EXPECT_EQ(captions(), std::vector<std::string>{"Successfully created backup."});
    EXPECT_EQ(flags(destination()), "0/1");
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_EQ(flags(original), "0/0");

    // A copy that fails: reported as not made, and with nothing open it ends there.
    ASSERT_TRUE(cdb()->Init(original, true, true, true, "Acme"));
    DatabaseBackup failing([] { return kDay; });
    failing.setCopier([](const std::string&, const std::string&, const CopyProgress&, std::string&) { return false; });
    const std::string other = backupsFolder() + "/other.db";
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(other);
    scripted->cancelReopenLogin();
    scripted->answerBox(kMessageAnswerOkYes);   // "Unable to create backup."
    EXPECT_EQ(failing.OnBackup(), DatabaseBackup::BackupResult::notMade);
    EXPECT_EQ(scripted->count("openRecentDatabase"), 2);
    EXPECT_EQ(scripted->count("chooseSaveFile"), 2);
    EXPECT_EQ(captions().back(), "Unable to create backup.");
    EXPECT_EQ(captions().size(), 2u);
    EXPECT_FALSE(platform::fileExists(other));
}

// Both copies count their pages; Cancel up to the rename of the backup leaves no file,
// no scratch copy and the database as it was, open again.
TEST_F(Backup, TheCopiesCountTheirPagesAndCancelBeforeTheRenameLeavesEverythingAsItWas) {
    scripted.reset();
    auto* progress = new ScriptedJobsUserInterface;
    scripted.reset(progress);
    const std::string bytes = databaseBytes(original);
    for (const char* cancelDuring : {"Copying", "Writing"}) {
        SCOPED_TRACE(cancelDuring);
        progress->cancelDuring(cancelDuring);
        scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
        scripted->answerSaveFile(destination());
        EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::notMade);
        EXPECT_FALSE(platform::fileExists(destination()));
        EXPECT_TRUE(replacementLeftoversIn(backupsFolder()).empty());
        EXPECT_FALSE(platform::fileExists(DatabaseBackup::scratchPath()));
        EXPECT_TRUE(scripted->boxes().empty());
        ASSERT_TRUE(cdb()->IsReady());
        EXPECT_FALSE(cdb()->IsBackup());
        EXPECT_TRUE(databaseBytes(original) == bytes) << "the original was changed";
        ASSERT_FALSE(progress->jobs().empty());
        EXPECT_TRUE(progress->jobs().back()->cancelPressed);
        EXPECT_TRUE(progress->jobs().back()->closed);
    }

    progress->cancelDuring("");
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(destination());
    scripted->answerBox(kMessageAnswerOkYes);   // success
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::made);
    const auto& job = *progress->jobs().back();
    EXPECT_EQ(job.request.title, "Backup");
    EXPECT_EQ(job.steps, (std::vector<std::string>{"Copying " + original, "Writing " + destination(),
                                                   "Checking " + destination()}));
    for (std::size_t copy : {0u, 1u}) {
        EXPECT_GT(job.lastCounts[copy].second, 0) << "pages";
        EXPECT_EQ(job.lastCounts[copy].first, job.lastCounts[copy].second);
    }
    EXPECT_FALSE(job.cancelOffered) << "no Cancel once the backup is in place";
    EXPECT_EQ(flags(destination()), "0/1");
}

// The program killed half way through writing a backup into a folder of the user's (a
// removable disk, say) and at each step of putting it in place: after the next start that
// folder holds the whole backup or none, every file of other programs there keeps every
// byte, and nothing of the run is left in the program's folders.
TEST_F(Backup, AKillAtAnyStepIntoAChosenFolderLeavesTheWholeBackupOrNoneAfterTheNextStart) {
    using platform::ReplaceStep;
    const std::string stick = home.file("Stick");
    ASSERT_TRUE(platform::createDirectories(stick));
    const std::string chosen = stick + "/" + kProposed;
    putOtherProgramsFiles(stick, kProposed);
    const std::map<std::string, std::string> others = filesWithBytes(stick);
    const std::string notes = session().ControlledTempDir + "/Unfinished Writes";
    cdb()->Close();
    const std::string configuration = app()->GetPath();
    sweepProgramFolders();   // the start of the run that is killed
    app()->Close();

    const std::optional<ReplaceStep> kCopying;
    for (std::optional<ReplaceStep> killedAt :
         {kCopying, std::optional(ReplaceStep::started), std::optional(ReplaceStep::built),
          std::optional(ReplaceStep::flushed), std::optional(ReplaceStep::renaming),
          std::optional(ReplaceStep::renamed), std::optional(ReplaceStep::folderFlushed)}) {
        SCOPED_TRACE(killedAt ? "killed at step " + std::to_string(static_cast<int>(*killedAt)) : "killed copying");
        const int status = statusOfChild([&] {
            platform::setReplaceStepHookForTesting([&](ReplaceStep at, const std::string& path) {
                if (path == chosen && at == killedAt) ::_exit(kKilledStatus);
                return true;
            });
            DatabaseBackup flow([] { return kDay; });
            if (!killedAt)
                flow.setCopier([](const std::string& from, const std::string& to, const CopyProgress&,
                                  std::string& reason) {
                    return copyDatabaseFile(from, to, [](int64_t, int64_t) -> bool { ::_exit(kKilledStatus); },
                                            &reason);
                });
            scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
            scripted->answerSaveFile(chosen);
            const bool ready = app()->Init(configuration, false) && cdb()->Init(original, true, true, true, "Acme");
            return ready && flow.OnBackup() == DatabaseBackup::BackupResult::made ? 0 : 1;
        });
        EXPECT_EQ(status, kKilledStatus);

        ASSERT_TRUE(app()->Init(configuration, false));
        sweepProgramFolders();   // the next start
        app()->Close();
        std::map<std::string, std::string> expected = others;
        if (killedAt >= ReplaceStep::renamed) {
            EXPECT_EQ(flags(chosen), "0/1");
            EXPECT_EQ(query(chosen, "select name from companies;"), "Acme Supply");
            expected[kProposed] = fileBytes(chosen);
        }
        EXPECT_EQ(filesWithBytes(stick), expected);
        EXPECT_EQ(filesBelow(notes), std::vector<std::string>{});
        EXPECT_FALSE(platform::fileExists(ScratchCopy::scratchPath()));
        platform::removePath(chosen);
    }
    ASSERT_TRUE(app()->Init(configuration, false));
}

// A backup keeps no previous file: another program's database named as its target's
// previous file beside it keeps its name and bytes after a backup killed there and the
// next start, and so does a file at the chosen name (or there is still none), while the
// backup's temporary goes.
TEST_F(Backup, AKilledBackupLeavesAPreviousFileItNeverMadeAfterTheNextStart) {
    const std::string stick = home.file("Stick");
    ASSERT_TRUE(platform::createDirectories(stick));
    const std::string chosen = stick + "/" + kProposed;
    makeOtherSqliteFile(stick + "/." + kProposed + ".previous", "another program's");
    const std::string notes = session().ControlledTempDir + "/Unfinished Writes";
    cdb()->Close();
    const std::string configuration = app()->GetPath();
    sweepProgramFolders();   // the start of the run that is killed
    app()->Close();

    for (bool targetThere : {false, true}) {
        SCOPED_TRACE(targetThere ? "a file at the chosen name" : "none at the chosen name");
        if (targetThere) makeOtherSqliteFile(chosen, "the user's own");
        const std::map<std::string, std::string> before = filesWithBytes(stick);
        const int status = statusOfChild([&] {
            platform::setReplaceStepHookForTesting([&](platform::ReplaceStep at, const std::string& path) {
                if (path == chosen && at == platform::ReplaceStep::built) ::_exit(kKilledStatus);
                return true;
            });
            DatabaseBackup flow([] { return kDay; });
            scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
            scripted->answerSaveFile(chosen);
            const bool ready = app()->Init(configuration, false) && cdb()->Init(original, true, true, true, "Acme");
            return ready && flow.OnBackup() == DatabaseBackup::BackupResult::made ? 0 : 1;
        });
        EXPECT_EQ(status, kKilledStatus);
        EXPECT_EQ(replacementLeftoversIn(stick).size(), 2u) << "the previous file and the backup's temporary";

        ASSERT_TRUE(app()->Init(configuration, false));
        sweepProgramFolders();   // the next start
        app()->Close();
        EXPECT_EQ(filesWithBytes(stick), before);
        EXPECT_EQ(filesBelow(notes), std::vector<std::string>{});
    }
    ASSERT_TRUE(app()->Init(configuration, false));
}

TEST_F(Backup, WithCloudBackupOnTheUploadAddressNamesTheProposedFile) {
    enrol("ann@example.com", "123456");
    ScopedEnvironment online(platform::kNetworkStatusVariable, "up");
    ScopedEnvironment portal(kCloudBackupServerVariable, "https://portal.test");
    const std::string typed = backupsFolder() + "/my own name.db";
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(typed);
    scripted->answerBox(kMessageAnswerOkYes);   // success
    scripted->answerBox(kMessageAnswerOkYes);   // where it was saved
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::made);

    EXPECT_EQ(captions(), (std::vector<std::string>{"Successfully created backup.", "Backup saved in the below path."}));
    EXPECT_EQ(details()[1], typed);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "https://portal.test/process-backup?uid=ann@example.com&&cno=" + sha256Hex("123456") +
                             "&&prod=" + sha256Hex("1099 E-File") + "&&file=" + sha256Hex(kProposed) +
                             "&&year=2025");
}

TEST_F(Backup, WithCloudBackupOnAndNoNetworkTheBackupIsMadeAndTheConnectionFailureShown) {
    enrol("ann@example.com", "123456");
    scripted->answerCloudBackupEnrolment(kCloudBackupContinueCode);
    scripted->answerSaveFile(destination());
    for (int i = 0; i < 3; ++i) scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(backUp(), DatabaseBackup::BackupResult::made);
    EXPECT_EQ(captions(), (std::vector<std::string>{"Successfully created backup.", "Backup saved in the below path.",
                                                    "Connection Failed."}));
    EXPECT_EQ(scripted->boxes()[2].image, kMessageImageError);
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(platform::fileExists(destination()));
}

}  // namespace
