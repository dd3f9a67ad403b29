// The one way a whole file is put in place: failures at every step leave the old file and
// nothing beside it, a crash at every step leaves what the next sweep clears, and the
// sweep puts back a kept-aside database that is the only copy. What is not proven to be
// the program's leftover is never touched.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "KilledRun.h"
#include "Leftovers.h"
#include "TempHome.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"
#include "platform/ReplacementNotes.h"
#include "platform/SystemLog.h"

namespace {

namespace fs = std::filesystem;
using platform::FileReplacement;
using platform::ReplaceStep;
using Mode = FileReplacement::Mode;

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string contents(const std::string& path) {
    std::string text;
    EXPECT_TRUE(platform::readFile(path, text)) << path;
    return text;
}

// Written in place: a replacement would sweep the folder first.
void write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    ASSERT_TRUE(out.good()) << path;
}

// A builder that writes the new file and, as SQLite may, a shared-memory file beside it.
bool buildNew(const std::string& temporary, std::string&) {
    write(temporary, "new");
    write(temporary + "-shm", "");
    return true;
}

// What a SQLite database file begins with, then text: what the program keeps aside.
std::string database(const std::string& text) { return std::string("SQLite format 3\0", 16) + text; }

// A temporary of this build's form for the file called name.
std::string temporaryOf(const std::string& name, const std::string& digits = "0123456789abcdef") {
    return "." + name + ".talvexa-partial-" + digits;
}

std::map<std::string, std::string> without(std::map<std::string, std::string> files,
                                           const std::vector<std::string>& names) {
    for (const std::string& name : names) files.erase(name);
    return files;
}

const char* modeName(Mode mode) {
    switch (mode) {
    case Mode::replace: return "replace";
    case Mode::newFileOnly: return "new file only";
    case Mode::keepPrevious: return "keep previous";
    }
    return "";
}

const char* stepName(ReplaceStep step) {
    switch (step) {
    case ReplaceStep::started: return "started";
    case ReplaceStep::built: return "built";
    case ReplaceStep::flushed: return "flushed";
    case ReplaceStep::previousKept: return "previous kept";
    case ReplaceStep::renaming: return "renaming";
    case ReplaceStep::renamed: return "renamed";
    case ReplaceStep::folderFlushed: return "folder flushed";
    }
    return "";
}

const ReplaceStep kAllSteps[] = {ReplaceStep::started,  ReplaceStep::built,   ReplaceStep::flushed,
                                 ReplaceStep::previousKept, ReplaceStep::renaming, ReplaceStep::renamed,
                                 ReplaceStep::folderFlushed};

class FileReplacementTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::setReplaceStepHookForTesting({});
        platform::setReplacementNotes({});
    }

    std::string folder() const { return home.file("Documents"); }
    std::string target() const { return folder() + "/Acme 2025.db"; }

    TempHome home;
};

TEST_F(FileReplacementTest, AFailureBeforeTheRenameKeepsTheOldFileAndLeavesNothingBeside) {
    for (Mode mode : {Mode::replace, Mode::keepPrevious}) {
        for (ReplaceStep failing : {ReplaceStep::started, ReplaceStep::built, ReplaceStep::flushed,
                                    ReplaceStep::previousKept, ReplaceStep::renaming}) {
            SCOPED_TRACE(std::string(modeName(mode)) + ", failing at " + stepName(failing));
            write(target(), "old");
            write(target() + "-journal", "hot");   // travels with the old file
            platform::setReplaceStepHookForTesting([&](ReplaceStep at, const std::string&) { return at != failing; });
            std::string error;
            const bool done = platform::replaceFile(target(), buildNew, &error, mode);
            platform::setReplaceStepHookForTesting({});
            // The previous file is kept only where the mode keeps one.
            const bool reached = failing != ReplaceStep::previousKept || mode == Mode::keepPrevious;
            EXPECT_EQ(done, !reached) << error;
            if (done) continue;
            EXPECT_NE(error.find(target()), std::string::npos) << error;
            EXPECT_EQ(contents(target()), "old");
            EXPECT_EQ(contents(target() + "-journal"), "hot");
            EXPECT_EQ(filesIn(folder()), (std::vector<std::string>{"Acme 2025.db", "Acme 2025.db-journal"}));
        }
    }
}

TEST_F(FileReplacementTest, ARenameThatFailsKeepsTheOldFile) {
    // A file put at the target meanwhile is never overwritten by a new-file-only replacement.
    write(target(), "there first");
    FileReplacement made(target(), Mode::newFileOnly);
    ASSERT_TRUE(made.ok()) << made.error();
    write(made.temporaryPath(), "new");
    EXPECT_FALSE(made.commit());
    EXPECT_NE(made.error().find("File exists"), std::string::npos) << made.error();
    EXPECT_EQ(contents(target()), "there first");
    EXPECT_EQ(filesIn(folder()), std::vector<std::string>{"Acme 2025.db"});

    // A folder in the target's place cannot be replaced: it stays, and so does the kept file.
    const std::string taken = folder() + "/taken";
    ASSERT_TRUE(platform::createDirectories(taken + "/inside"));
    for (Mode mode : {Mode::replace, Mode::keepPrevious}) {
        SCOPED_TRACE(modeName(mode));
        std::string error;
        EXPECT_FALSE(platform::replaceFile(taken, buildNew, &error, mode));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(platform::isDirectory(taken + "/inside"));
        EXPECT_EQ(filesIn(folder()), (std::vector<std::string>{"Acme 2025.db", "taken"}));
    }
}

TEST_F(FileReplacementTest, EachModePutsTheWholeFileInPlace) {
    for (Mode mode : {Mode::replace, Mode::newFileOnly, Mode::keepPrevious}) {
        SCOPED_TRACE(modeName(mode));
        platform::removePath(target());
        if (mode != Mode::newFileOnly) {
            write(target(), "old");
            ASSERT_EQ(::chmod(target().c_str(), 0640), 0);
        }
        std::string error;
        ASSERT_TRUE(platform::replaceFile(target(), buildNew, &error, mode)) << error;
        EXPECT_EQ(contents(target()), "new");
        EXPECT_EQ(filesIn(folder()), std::vector<std::string>{"Acme 2025.db"});
        struct stat st {};
        ASSERT_EQ(::stat(target().c_str(), &st), 0);
        if (mode != Mode::newFileOnly) {
            EXPECT_EQ(st.st_mode & 0777, 0640u);
        }
    }
}

TEST_F(FileReplacementTest, AKeptFileComesBackWithItsJournalOrGoes) {
    for (bool existed : {true, false}) {
        for (bool restore : {true, false}) {
            SCOPED_TRACE(std::string(existed ? "replacing" : "new") + (restore ? ", put back" : ", discarded"));
            platform::removePath(target());
            if (existed) {
                write(target(), "old");
                write(target() + "-journal", "hot");
            }
            FileReplacement made(target(), Mode::keepPrevious);
            write(made.temporaryPath(), "new");
            ASSERT_TRUE(made.commit()) << made.error();
            EXPECT_EQ(contents(target()), "new");
            EXPECT_FALSE(platform::fileExists(target() + "-journal"));   // not the new file's
            if (restore) {
                EXPECT_TRUE(made.restorePrevious());
                EXPECT_EQ(filesIn(folder()), existed ? (std::vector<std::string>{"Acme 2025.db", "Acme 2025.db-journal"})
                                                     : std::vector<std::string>{});
                if (existed) {
                    EXPECT_EQ(contents(target()), "old");
                }
            } else {
                made.discardPrevious();
                EXPECT_EQ(contents(target()), "new");
                EXPECT_EQ(filesIn(folder()), std::vector<std::string>{"Acme 2025.db"});
            }
            platform::removePath(target() + "-journal");
        }
    }
}

// A crash at every step (the child process ends itself there, nothing cleans up): the
// target holds the old file or the whole new one, and the next sweep leaves nothing else,
// whether it is the sweep of one of the program's folders, of the one database or of the
// targets noted while they were written (the notes go with it). A temporary killed before
// anything was written into it is empty, and goes all the same.
TEST_F(FileReplacementTest, ACrashAtAnyStepLeavesTheOldOrTheNewFileAndTheSweepClearsTheRest) {
    constexpr int kKilled = 42;
    enum class Sweep { folder, database, noted };
    const std::string kOld = database("old"), kNew = database("new");
    const std::string notes = home.file("Unfinished Writes");
    for (Sweep sweep : {Sweep::folder, Sweep::database, Sweep::noted}) {
        for (bool empty : {false, true}) {
            for (Mode mode : {Mode::replace, Mode::newFileOnly, Mode::keepPrevious}) {
                for (ReplaceStep killedAt : kAllSteps) {
                    SCOPED_TRACE(std::string(sweep == Sweep::folder     ? "folder swept"
                                             : sweep == Sweep::database ? "database swept"
                                                                        : "noted target swept") +
                                 (empty ? ", empty, " : ", ") + modeName(mode) + ", killed at " + stepName(killedAt));
                    platform::removePath(folder());
                    ASSERT_TRUE(platform::createDirectories(folder()));
                    platform::setReplacementNotes({sweep == Sweep::noted ? notes : "", {}, {}});
                    const bool existed = mode != Mode::newFileOnly;
                    if (existed) write(target(), kOld);

                    const pid_t child = ::fork();
                    ASSERT_GE(child, 0);
                    if (child == 0) {
                        platform::setReplaceStepHookForTesting([&](ReplaceStep at, const std::string&) {
                            if (at == killedAt) ::_exit(kKilled);
                            return true;
                        });
                        FileReplacement made(target(), mode);
                        write(made.temporaryPath(), empty ? "" : kNew);
                        write(made.temporaryPath() + "-shm", "");
                        ::_exit(made.commit() ? 0 : 1);   // a commit that ends is not settled either
                    }
                    int status = 0;
                    ASSERT_EQ(::waitpid(child, &status, 0), child);
                    ASSERT_TRUE(WIFEXITED(status));
                    const bool killed = WEXITSTATUS(status) == kKilled;
                    // Steps a mode does not take run to the end.
                    EXPECT_EQ(killed, killedAt != ReplaceStep::previousKept || mode == Mode::keepPrevious);

                    if (sweep == Sweep::folder) platform::sweepLeftovers(folder());
                    else if (sweep == Sweep::database) (void)platform::sweepLeftoversOf(target());
                    else platform::sweepNotedReplacements();
                    if (sweep == Sweep::noted) {
                        EXPECT_EQ(filesIn(notes), std::vector<std::string>{});
                    }
                    const std::vector<std::string> left = filesIn(folder());
                    if (!existed && left.empty()) continue;   // killed before the new file was in place
                    EXPECT_EQ(left, std::vector<std::string>{"Acme 2025.db"});
                    const std::string now = contents(target());
                    EXPECT_TRUE(now == kOld || now == (empty ? "" : kNew)) << now;
                    if (killedAt >= ReplaceStep::renamed && killed) {
                        EXPECT_EQ(now, empty ? "" : kNew);
                    }
                }
            }
        }
    }
}

// The next replacement of the same file in any folder clears that file's temporaries a
// crash left, empty ones too, and nothing else.
TEST_F(FileReplacementTest, TheNextReplacementClearsItsOwnTemporariesOnly) {
    ASSERT_TRUE(platform::createDirectories(folder()));
    const std::string efile = "1099_E-File.txt";
    putOtherProgramsFiles(folder(), efile);
    write(folder() + "/" + temporaryOf("Other.txt"), "another file's");
    const std::map<std::string, std::string> others = filesWithBytes(folder());
    write(folder() + "/" + temporaryOf(efile), "");
    write(folder() + "/" + temporaryOf(efile, "fedcba9876543210") + "-journal", "j");

    ASSERT_TRUE(platform::writeFileAtomically(folder() + "/" + efile, "records"));

    EXPECT_EQ(without(filesWithBytes(folder()), {efile}), others);
    EXPECT_EQ(contents(folder() + "/" + efile), "records");
}

TEST_F(FileReplacementTest, ANewFileNeverTakesThePlaceOfOne) {
    ASSERT_TRUE(platform::createDirectories(folder()));
    ASSERT_TRUE(platform::writeNewFile(target(), ""));
    EXPECT_EQ(contents(target()), "");
    write(target(), "there first");
    std::string error;
    EXPECT_FALSE(platform::writeNewFile(target(), "", &error));
    EXPECT_NE(error.find("File exists"), std::string::npos) << error;
    EXPECT_EQ(contents(target()), "there first");
    EXPECT_EQ(filesIn(folder()), std::vector<std::string>{"Acme 2025.db"});
}

// In one of the program's own folders: this build's temporaries go by their name, its
// kept-aside databases are settled, and the leftovers of earlier builds go too, their
// copies of databases only when they are databases.
TEST_F(FileReplacementTest, TheSweepOfAProgramFolderClearsLeftoversAndPutsBackAnOnlyCopy) {
    ASSERT_TRUE(platform::createDirectories(folder()));
    std::vector<std::string> logged;
    platform::setLogSink([&](const std::string& line) { logged.push_back(line); });
    // Left by this build: temporaries with their journals (one killed before it was
    // written), kept databases with and without their target.
    write(folder() + "/" + temporaryOf("Acme 2025.db"), database("half"));
    write(folder() + "/" + temporaryOf("Acme 2025.db") + "-journal", "j");
    write(folder() + "/" + temporaryOf("forms1099Versions_64.db", "00ff00ff00ff00ff"), "");
    write(folder() + "/Acme 2025.db", database("current"));
    write(folder() + "/.Acme 2025.db.previous", database("replaced"));
    write(folder() + "/.Acme 2025.db.previous-journal", "j");
    write(folder() + "/.Beta 2025.db.previous", database("only copy"));
    write(folder() + "/.Beta 2025.db.previous-journal", "beta journal");
    // Left by earlier builds.
    write(folder() + "/.Old 2025.db.partial-Ab12Cd", "");
    write(folder() + "/Gamma 2025.db.partial", database("half"));
    write(folder() + "/Gamma 2025.db.partial-journal", "j");
    write(folder() + "/Main 2025.db", database("main"));
    write(folder() + "/Main 2025.db.restoring", database("half"));
    write(folder() + "/Delta 2025.db.previous", database("delta only copy"));
    write(folder() + "/Delta 2025.db.previous-shm", "");
    write(folder() + "/Main 2025.db.previous", database("main before"));
    // Files that only look alike stay: not databases, or not names a replacement gives.
    for (const char* own : {"notes.partial", ".profile", "Acme 2025.db.bak", ".config.partial-ab", "report.previous",
                            "Text 2025.db.partial", "Epsilon 2025.db.previous", ".settings.previous"})
        write(folder() + "/" + own, "mine");

    platform::sweepLeftovers(folder());
    platform::setLogSink({});

    EXPECT_EQ(filesIn(folder()),
              (std::vector<std::string>{".config.partial-ab", ".profile", ".settings.previous", "Acme 2025.db",
                                        "Acme 2025.db.bak", "Beta 2025.db", "Beta 2025.db-journal", "Delta 2025.db",
                                        "Delta 2025.db-shm", "Epsilon 2025.db.previous", "Main 2025.db",
                                        "Text 2025.db.partial", "notes.partial", "report.previous"}));
    EXPECT_EQ(contents(folder() + "/Acme 2025.db"), database("current"));
    EXPECT_EQ(contents(folder() + "/Beta 2025.db"), database("only copy"));
    EXPECT_EQ(contents(folder() + "/Beta 2025.db-journal"), "beta journal");
    EXPECT_EQ(contents(folder() + "/Delta 2025.db"), database("delta only copy"));
    EXPECT_EQ(contents(folder() + "/Main 2025.db"), database("main"));
    // Each database put back is named in the log.
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_NE(logged[0].find(folder() + "/Beta 2025.db\""), std::string::npos) << logged[0];
    EXPECT_NE(logged[1].find(folder() + "/Delta 2025.db\""), std::string::npos) << logged[1];
}

// In a folder of the user's, a database's sweep touches only what its own replacements
// left: its temporaries and its kept-aside copy, which comes back when it is missing.
TEST_F(FileReplacementTest, TheSweepOfOneDatabaseTouchesNothingElseInItsFolder) {
    ASSERT_TRUE(platform::createDirectories(folder()));
    putOtherProgramsFiles(folder(), "Acme 2025.db");
    write(folder() + "/" + temporaryOf("Beta 2025.db"), database("another database's"));
    write(folder() + "/" + temporaryOf(temporaryOf("Beta 2025.db")), database("another database's"));
    const std::map<std::string, std::string> others = filesWithBytes(folder());
    write(folder() + "/" + temporaryOf("Acme 2025.db"), "");
    write(folder() + "/" + temporaryOf("Acme 2025.db", "0000000000000000") + "-wal", "w");
    // Made inside a temporary of its own by an earlier build: the innermost name is the file's.
    write(folder() + "/" + temporaryOf(temporaryOf("Acme 2025.db"), "fedcba9876543210"), database("whole copy"));
    write(folder() + "/" + temporaryOf(temporaryOf("Acme 2025.db"), "fedcba9876543210") + "-journal", "j");

    // Not a database under the kept name: it stays, and nothing comes back.
    EXPECT_FALSE(platform::sweepLeftoversOf(target()));
    EXPECT_EQ(filesWithBytes(folder()), others);

    write(folder() + "/.Acme 2025.db.previous", database("only copy"));
    EXPECT_TRUE(platform::sweepLeftoversOf(target()));
    EXPECT_EQ(contents(target()), database("only copy"));
    EXPECT_EQ(without(filesWithBytes(folder()), {"Acme 2025.db"}), without(others, {".Acme 2025.db.previous"}));
}

// A file built in the temporary of a replacement (a copy, a new database made there) is
// written in it directly and makes no temporary of its own, which a crash would leave
// under a name of no file; the outer replacement puts it in place or takes it away.
TEST_F(FileReplacementTest, AFileBuiltInATemporaryIsWrittenThereDirectly) {
    ASSERT_TRUE(platform::createDirectories(folder()));
    for (Mode mode : {Mode::replace, Mode::newFileOnly, Mode::keepPrevious}) {
        for (bool builds : {true, false}) {
            SCOPED_TRACE(std::string(modeName(mode)) + (builds ? ", built" : ", failed"));
            write(target(), "old");
            FileReplacement outer(target());
            const std::string temporary = outer.temporaryPath();
            std::vector<std::string> whileBuilding;
            std::string error;
            const bool made = platform::replaceFile(
                temporary,
                [&](const std::string& building, std::string&) {
                    write(building, "new");
                    whileBuilding = filesIn(folder());
                    return builds && building == temporary;
                },
                &error, mode);
            EXPECT_EQ(made, builds) << error;
            EXPECT_EQ(whileBuilding, (std::vector<std::string>{fs::path(temporary).filename().string(), "Acme 2025.db"}));
            EXPECT_EQ(outer.commit(), builds);
            EXPECT_EQ(filesIn(folder()), std::vector<std::string>{"Acme 2025.db"});
            EXPECT_EQ(contents(target()), builds ? "new" : "old");
        }
    }
    // A new file is not written over what is in the temporary already.
    FileReplacement outer(target());
    write(outer.temporaryPath(), "built");
    EXPECT_FALSE(platform::writeNewFile(outer.temporaryPath(), "other"));
    EXPECT_EQ(contents(outer.temporaryPath()), "built");
}

// The notes of replacements at work in a folder that start-up does not sweep: their
// targets' paths, one readable by the user alone for each.
class ReplacementNotesTest : public FileReplacementTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::createDirectories(folder()));
        ASSERT_TRUE(platform::createDirectories(scratch() + "/run-1"));
        platform::setReplacementNotes({notes(), {own() + "/"}, {scratch()}});
    }

    std::string own() const { return home.file("config"); }
    std::string notes() const { return own() + "/Unfinished Writes"; }
    std::string scratch() const { return own() + "/Scratch"; }

    // The paths the notes hold, each checked to be the user's alone.
    std::vector<std::string> noted() const {
        std::vector<std::string> targets;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(notes(), ec)) {
            struct stat st {};
            EXPECT_EQ(::lstat(e.path().c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0600u) << e.path();
            const std::string text = contents(e.path().string());
            EXPECT_TRUE(!text.empty() && text.back() == '\0') << text;
            targets.push_back(text.substr(0, text.find('\0')));
        }
        std::sort(targets.begin(), targets.end());
        return targets;
    }
};

// A note is there from before the temporary can be made until the replacement ends, in
// whichever way it ends; a replacement in a folder that start-up sweeps or clears
// notes nothing.
TEST_F(ReplacementNotesTest, ANoteLivesAsLongAsItsReplacement) {
    using Strings = std::vector<std::string>;
    struct Ending {
        const char* name;
        Mode mode;
        std::function<void(FileReplacement&)> end;
    };
    const Ending endings[] = {
        {"committed", Mode::replace, [](FileReplacement& r) { EXPECT_TRUE(r.commit()); }},
        {"abandoned", Mode::replace, [](FileReplacement& r) { r.abandon(); }},
        {"failed at the rename", Mode::newFileOnly,
         [](FileReplacement& r) {
             platform::setReplaceStepHookForTesting([](ReplaceStep at, const std::string&) {
                 return at != ReplaceStep::renaming;
             });
             EXPECT_FALSE(r.commit());
             platform::setReplaceStepHookForTesting({});
         }},
        {"kept aside, then discarded", Mode::keepPrevious,
         [this](FileReplacement& r) {
             EXPECT_TRUE(r.commit());
             EXPECT_EQ(noted(), Strings{target()}) << "the kept file is the target's until it is settled";
             r.discardPrevious();
         }},
        {"kept aside, then put back", Mode::keepPrevious,
         [](FileReplacement& r) {
             EXPECT_TRUE(r.commit());
             EXPECT_TRUE(r.restorePrevious());
         }},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        write(target(), database("old"));
        {
            FileReplacement made(target(), ending.mode);
            ASSERT_TRUE(made.ok()) << made.error();
            EXPECT_EQ(noted(), Strings{target()});
            write(made.temporaryPath(), database("new"));
            ending.end(made);
            EXPECT_EQ(noted(), Strings{});
        }
        EXPECT_EQ(filesIn(folder()), Strings{"Acme 2025.db"});
    }
    {
        FileReplacement dropped(target());
        EXPECT_EQ(noted(), Strings{target()});
    }
    EXPECT_EQ(noted(), Strings{}) << "a replacement that is let go ends";

    for (const std::string& swept : {own() + "/Talvexa.db", scratch() + "/run-1/1099_E-File.txt"}) {
        FileReplacement made(swept);
        ASSERT_TRUE(made.ok()) << made.error();
        EXPECT_EQ(noted(), Strings{}) << swept;
    }
}

// Start-up leaves the note of a replacement at work in another copy of the program (and
// what it is building), drops a note cut short before it named its target, and keeps the
// note of a target whose folder is away (a removable disk) until the folder is back;
// then that target's leftovers go and nothing else there.
TEST_F(ReplacementNotesTest, ANoteStaysWhileItsReplacementIsAtWorkOrItsFolderIsAway) {
    using Strings = std::vector<std::string>;
    FileReplacement working(target());
    ASSERT_TRUE(working.ok()) << working.error();
    write(working.temporaryPath(), database("half"));
    const std::string stick = home.file("Stick");
    const std::string away = stick + "/Acme 2025 Backup.db";
    // As a run killed while it noted its target left them: cut short, and whole.
    for (const auto& [note, text] : {std::pair{std::string("0123456789abcdef"), std::string()},
                                     std::pair{std::string("fedcba9876543210"), away + std::string(1, '\0')}}) {
        write(notes() + "/write-" + note, text);
        ASSERT_EQ(::chmod((notes() + "/write-" + note).c_str(), 0600), 0);
    }
    const auto startUp = [] {
        return statusOfChild([] {
            platform::sweepNotedReplacements();
            return 0;
        });
    };

    EXPECT_EQ(startUp(), 0);
    EXPECT_EQ(noted(), (Strings{target(), away}));
    EXPECT_EQ(filesIn(folder()), (Strings{fs::path(working.temporaryPath()).filename().string()}));
    EXPECT_TRUE(working.commit()) << working.error();
    EXPECT_EQ(noted(), Strings{away});
    EXPECT_EQ(contents(target()), database("half"));

    ASSERT_TRUE(platform::createDirectories(stick));
    putOtherProgramsFiles(stick, "Acme 2025 Backup.db");
    const std::map<std::string, std::string> others = filesWithBytes(stick);
    write(stick + "/" + temporaryOf("Acme 2025 Backup.db"), database("half a backup"));
    write(stick + "/" + temporaryOf("Acme 2025 Backup.db") + "-journal", "journal");
    EXPECT_EQ(startUp(), 0);
    EXPECT_EQ(noted(), Strings{});
    EXPECT_EQ(filesWithBytes(stick), others);
}

// A previous file beside a noted target is the program's only when the noted write keeps
// one: beside the target of any other write (or of a note of an earlier build, which
// says nothing of it), a database ".<name>.previous" is another program's and keeps its
// name and bytes after the start-up sweep, the target keeps its bytes or stays missing,
// and the killed write's temporary goes all the same. A write that keeps its previous
// file, killed once it is kept and the target gone (as where links cannot be made), gets
// it back in the target's place.
TEST_F(ReplacementNotesTest, TheSweepOfANotedTargetTakesAPreviousFileOnlyWhenItsWriteKeepsOne) {
    struct Case {
        const char* name;
        Mode mode;
        bool targetThere;
        bool earlierNote;   // written by hand as earlier builds wrote it, beside a temporary made by hand
    };
    const Case cases[] = {
        {"replaced, target there", Mode::replace, true, false},
        {"replaced, target missing", Mode::replace, false, false},
        {"new file only", Mode::newFileOnly, false, false},
        {"note of an earlier build, target there", Mode::replace, true, true},
        {"note of an earlier build, target missing", Mode::replace, false, true},
    };
    const std::string previous = folder() + "/.Acme 2025.db.previous";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::removePath(folder());
        ASSERT_TRUE(platform::createDirectories(folder()));
        makeOtherSqliteFile(previous, "another program's");
        if (c.targetThere) write(target(), database("the target"));
        const std::map<std::string, std::string> before = filesWithBytes(folder());
        if (c.earlierNote) {
            ASSERT_TRUE(platform::createDirectories(notes()));
            write(notes() + "/write-0123456789abcdef", target() + std::string(1, '\0'));
            ASSERT_EQ(::chmod((notes() + "/write-0123456789abcdef").c_str(), 0600), 0);
            write(folder() + "/" + temporaryOf("Acme 2025.db"), database("half"));
        } else {
            EXPECT_EQ(statusOfChild([&]() -> int {
                          FileReplacement made(target(), c.mode);
                          write(made.temporaryPath(), database("half"));
                          ::_exit(made.ok() ? kKilledStatus : 1);
                      }),
                      kKilledStatus);
        }
        ASSERT_EQ(noted(), std::vector<std::string>{target()});
        platform::sweepNotedReplacements();
        EXPECT_EQ(noted(), std::vector<std::string>{});
        EXPECT_EQ(filesWithBytes(folder()), before);
    }

    platform::removePath(folder());
    ASSERT_TRUE(platform::createDirectories(folder()));
    write(target(), database("the target"));
    EXPECT_EQ(statusOfChild([&] {
                  platform::setReplaceStepHookForTesting([&](ReplaceStep at, const std::string&) {
                      if (at == ReplaceStep::previousKept && ::unlink(target().c_str()) == 0) ::_exit(kKilledStatus);
                      return true;
                  });
                  FileReplacement made(target(), Mode::keepPrevious);
                  write(made.temporaryPath(), database("new"));
                  (void)made.commit();
                  return 1;
              }),
              kKilledStatus);
    ASSERT_FALSE(platform::fileExists(target()));
    platform::sweepNotedReplacements();
    EXPECT_EQ(noted(), std::vector<std::string>{});
    EXPECT_EQ(filesIn(folder()), std::vector<std::string>{"Acme 2025.db"});
    EXPECT_EQ(contents(target()), database("the target"));
}

// A notes folder that is a link, or not the user's, is never written through or read:
// the replacement fails naming it, and start-up leaves what the link leads to as it is.
TEST_F(ReplacementNotesTest, ANotesFolderThatIsALinkIsNeitherWrittenNorRead) {
    const std::string elsewhere = home.file("Someone's");
    ASSERT_TRUE(platform::createDirectories(elsewhere));
    write(elsewhere + "/write-0123456789abcdef", "/nowhere");
    ASSERT_TRUE(platform::createDirectories(own()));
    ASSERT_EQ(::symlink(elsewhere.c_str(), notes().c_str()), 0);
    const std::map<std::string, std::string> before = filesWithBytes(elsewhere);

    FileReplacement refused(target());
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find(notes()), std::string::npos) << refused.error();
    EXPECT_NE(refused.error().find(target()), std::string::npos) << refused.error();
    platform::sweepNotedReplacements();
    EXPECT_EQ(filesWithBytes(elsewhere), before);
    EXPECT_EQ(filesIn(folder()), std::vector<std::string>{});
}

TEST_F(FileReplacementTest, NoSweepWhileAReplacementWorksInTheFolder) {
    ASSERT_TRUE(platform::createDirectories(folder()));
    const std::string stale = folder() + "/" + temporaryOf("Next.txt");
    {
        FileReplacement working(target());
        write(stale, "another writer's");
        platform::sweepLeftovers(folder());
        EXPECT_TRUE(platform::fileExists(stale));
        // A second replacement of that file does not sweep either.
        platform::AtomicFileWriter other(folder() + "/Next.txt");
        ASSERT_TRUE(other.write("x") && other.commit()) << other.error();
        EXPECT_TRUE(platform::fileExists(stale));
    }
    // The next replacement that starts here clears it.
    platform::AtomicFileWriter next(folder() + "/Next.txt");
    EXPECT_FALSE(platform::fileExists(stale));
}

TEST(ReplacementLeftovers, AreRecognisedByName) {
    struct Case {
        const char* path;
        bool leftover;
    };
    for (const Case& c : {Case{"/d/.Acme 2024.db.talvexa-partial-0123456789abcdef", true},
                          Case{"/d/.Acme 2024.db.talvexa-partial-0123456789abcdef-wal", true},
                          Case{"/d/.Acme 2024.db.talvexa-partial-0123456789ABCDEF", false},
                          Case{"/d/.Acme 2024.db.talvexa-partial-0123", false},
                          Case{"/d/.Acme 2024.db.partial-Ab12Cd", true}, Case{"/d/.Acme 2024.db.partial-Ab12Cd-wal", true},
                          Case{"/d/.Acme 2024.db.previous", true}, Case{"/d/Acme 2024.db.partial", true},
                          Case{"/d/Acme 2024.db.restoring", true}, Case{"/d/Acme 2024.db.previous-journal", true},
                          Case{"/d/Acme 2024.db", false}, Case{"/d/Acme 2024.db-journal", false},
                          Case{"/d/Acme 2024.db.bak", false}, Case{"/d/.partial-Ab12Cd", false},
                          Case{"/d/notes.partial", false}, Case{"/d/.Acme 2024.db.partial-toolong", false}})
        EXPECT_EQ(platform::isReplacementLeftover(c.path), c.leftover) << c.path;
}

}  // namespace
