// Start-up clears the program's scratch folder of what no running copy holds; nothing a
// link there points at is touched, whether the link stands at the scratch folder's own
// name or anywhere inside it. A run folder that a start-up's clearing removes before its
// maker could lock it is made again as a folder.

#include "core/foundation/ConfigFixture.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/foundation/ScratchFolder.h"
#include "core/store/Startup.h"
#include "platform/FileLock.h"

namespace {

namespace fs = std::filesystem;

// Everything under folder, links not followed: each relative path with its bytes, "folder"
// or where it links to.
std::map<std::string, std::string> tree(const std::string& folder) {
    std::map<std::string, std::string> found;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const std::string relative = fs::relative(it->path(), folder).string();
        if (it->is_symlink()) {
            found[relative] = "-> " + fs::read_symlink(it->path()).string();
        } else if (it->is_directory()) {
            found[relative] = "folder";
        } else {
            std::ifstream in(it->path(), std::ios::binary);
            found[relative].assign(std::istreambuf_iterator<char>(in), {});
        }
    }
    return found;
}

// A folder of the user's with files and folders in it, one named as a run folder is.
void putUsersFolder(const std::string& folder) {
    fs::create_directories(folder + "/Letters/2024");
    fs::create_directories(folder + "/run-Ab12Cd");
    std::ofstream(folder + "/tax notes.txt") << "the user's own notes";
    std::ofstream(folder + "/Letters/2024/landlord.txt") << "a letter";
    std::ofstream(folder + "/run-Ab12Cd/kept.txt") << "not the program's";
}

class ScratchFolderClearing : public ConfigTest {
protected:
    // The first start of a brand-new user, who takes the proposed folder.
    void firstStart() {
        ui->answerWelcome();
        ui->answerSetup(1234, documents() + "/");
        ui->answerWelcome();
        ui->answerBox(2);
        ASSERT_TRUE(runStartup());
        ASSERT_FALSE(scratchFolder().empty());
    }
    bool logged(const std::string& part) const {
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& line) { return line.find(part) != std::string::npos; });
    }
};

// Someone who can write to the data folder put a link at the scratch folder's name: the
// folder it points at keeps every file and folder, the log says why nothing was cleared,
// and a run that needs the scratch folder refuses it with that reason.
TEST_F(ScratchFolderClearing, AScratchFolderThatIsALinkIsLeftAloneAndLogged) {
    firstStart();
    const std::string users = home.file("Private");
    putUsersFolder(users);
    const std::map<std::string, std::string> before = tree(users);
    const std::string scratch = scratchFolder();
    fs::remove_all(scratch);
    fs::create_directory_symlink(users, scratch);

    restart();
    log.clear();
    ASSERT_TRUE(runStartup());
    EXPECT_EQ(tree(users), before);
    EXPECT_TRUE(fs::is_symlink(scratch));
    EXPECT_TRUE(logged("The scratch folder was not cleared: \"" + scratch + "\" is not a folder of this user's."))
        << ::testing::PrintToString(log);

    std::string reason;
    EXPECT_EQ(runScratchFolder(reason), "");
    EXPECT_NE(reason.find(scratch), std::string::npos) << reason;
    EXPECT_EQ(tree(users), before);
}

// Links inside the scratch folder, and inside a folder a killed copy left there, go as
// links; what they point at keeps every byte. The folder of a copy still at work stays.
TEST_F(ScratchFolderClearing, ALinkInsideTheScratchFolderGoesAndItsTargetStays) {
    firstStart();
    std::string reason;
    const std::string running = runScratchFolder(reason);
    ASSERT_FALSE(running.empty()) << reason;
    std::ofstream(running + "/1099_E-File.txt") << "in use";
    const std::map<std::string, std::string> held = tree(running);

    const std::string users = home.file("Private");
    putUsersFolder(users);
    const std::string scratch = scratchFolder();
    const std::string killed = scratch + "/run-dead01";
    fs::create_directories(killed + "/efile-x1y2z3");
    std::ofstream(killed + "/efile-x1y2z3/1099_E-File.txt") << "taxpayer numbers";
    const struct {
        std::string link;
        std::string target;
    } links[] = {
        {scratch + "/to a file", users + "/tax notes.txt"},
        {scratch + "/run-link00", users},   // named as a run folder
        {killed + "/to a file", users + "/Letters/2024/landlord.txt"},
        {killed + "/to a folder", users + "/Letters"},
        {killed + "/efile-x1y2z3/deeper", users + "/run-Ab12Cd"},
    };
    for (const auto& l : links) fs::create_symlink(l.target, l.link);
    const std::map<std::string, std::string> before = tree(users);

    restart();
    log.clear();
    ASSERT_TRUE(runStartup());
    EXPECT_EQ(tree(users), before);
    const std::string runName = fs::path(running).filename().string();
    std::map<std::string, std::string> expected{{runName, "folder"}};
    for (const auto& [path, what] : held) expected[runName + "/" + path] = what;
    EXPECT_EQ(tree(scratch), expected);
    EXPECT_FALSE(logged("scratch folder")) << ::testing::PrintToString(log);
}

// A start-up of another copy clears the scratch folder just after this copy made its run
// folder and before it locked it: a new run folder is made, and writing into it works.
TEST_F(ScratchFolderClearing, ARunFolderClearedBeforeItsLockIsMadeAgain) {
    firstStart();
    std::vector<std::string> made;
    platform::setFolderMadeHookForTesting([&](const std::string& folder) {
        made.push_back(folder);
        if (made.size() == 1) clearScratchFolder();
    });
    std::string reason;
    const std::string run = runScratchFolder(reason);
    platform::setFolderMadeHookForTesting({});

    ASSERT_FALSE(run.empty()) << reason;
    ASSERT_EQ(made.size(), 2u);
    EXPECT_FALSE(fs::exists(fs::symlink_status(made[0])));
    EXPECT_EQ(run, made[1]);
    struct stat st {};
    ASSERT_EQ(::lstat(run.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_TRUE(std::ofstream(run + "/1099_E-File.txt") << "written");
    EXPECT_EQ(runScratchFolder(reason), run);
}

}  // namespace
