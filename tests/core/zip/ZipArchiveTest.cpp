// Whole archives: made from files, and unzipped into a folder, with the checks that keep
// an unzip inside its folder and never leave a half-written file.

#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempHome.h"
#include "ZipTestSupport.h"
#include "core/zip/ZipArchive.h"
#include "core/zip/ZipFile.h"

using ziptest::contents;
using ziptest::Entry;
using ziptest::tree;
using Tree = std::map<std::string, std::string>;

namespace {

class RecordingDelegate : public ZipArchiveDelegate {
public:
    void ErrorMessage(const std::string& text) override { messages.push_back(text); }
    bool OverWriteOperation(const std::string& path) override {
        asked.push_back(path);
        return answer;
    }
    std::vector<std::string> messages;
    std::vector<std::string> asked;
    bool answer = true;
};

class ZipArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        target = home.file("Desktop");
        delegate = std::make_shared<RecordingDelegate>();
        unzip.setDelegate(delegate);
    }
    // Unzips the archive into the target folder.
    bool unzipInto(const std::string& archive, bool overWrite) {
        EXPECT_TRUE(unzip.UnzipOpenFile(archive));
        const bool done = unzip.UnzipFileTo(target, overWrite);
        EXPECT_TRUE(unzip.UnzipCloseFile());
        return done;
    }

    TempHome home;
    std::string target;
    std::shared_ptr<RecordingDelegate> delegate;
    ZipArchive unzip;
};

const std::string kComposed = "r\xC3\xA9sum\xC3\xA9.txt";
const std::string kDecomposed = "re\xCC\x81sume\xCC\x81.txt";

}  // namespace

TEST_F(ZipArchiveTest, FilesGoInAndComeOutWithTheirDates) {
    const std::string a = home.file("a.txt");
    const std::string b = home.file("b.bin");
    ASSERT_TRUE(platform::writeFileAtomically(a, "first file"));
    ASSERT_TRUE(platform::writeFileAtomically(b, std::string(70000, 'b') + "end"));
    const std::time_t aTime = std::chrono::system_clock::to_time_t(ziptest::localDate(2023, 7, 4, 9, 15, 42));
    const timespec times[2] = {{0, UTIME_OMIT}, {aTime, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, a.c_str(), times, 0), 0);

    ZipArchive maker;
    EXPECT_FALSE(maker.addFileToZip(a, "a.txt")) << "no archive open";
    EXPECT_FALSE(maker.CloseZipFile2()) << "no archive open";
    const std::string archive = home.file("made.zip");
    ASSERT_TRUE(maker.CreateZipFile2(archive));
    EXPECT_TRUE(maker.addFileToZip(a, "a.txt"));
    EXPECT_TRUE(maker.addFileToZip(b, "data/b.bin"));
    EXPECT_FALSE(maker.addFileToZip(home.file("missing.txt"), "missing.txt"));
    EXPECT_TRUE(maker.CloseZipFile2());
    EXPECT_FALSE(maker.CloseZipFile2());

    {
        ZipFile zip(archive, ZipFile::ZipFileModeUnzip);
        const auto infos = zip.listFileInZipInfos();
        ASSERT_EQ(infos.size(), 2u);
        EXPECT_EQ(infos[0].level(), ZipFile::ZipCompressionLevelDefault);
        EXPECT_EQ(std::chrono::system_clock::to_time_t(infos[0].date()), aTime);
        zip.close();
    }

    EXPECT_TRUE(unzipInto(archive, false));
    EXPECT_EQ(tree(target), (Tree{{"a.txt", "first file"},
                                  {"data", "<folder>"},
                                  {"data/b.bin", std::string(70000, 'b') + "end"}}));
    EXPECT_EQ(ziptest::modificationTime(target + "/a.txt"), aTime);
    EXPECT_TRUE(delegate->messages.empty());
}

// Folder entries, backslashes taken as slashes and names in decomposed form; every
// file takes its entry's date.
TEST_F(ZipArchiveTest, UnzipMakesTheTreeTheArchiveDescribes) {
    const ZipDate when = ziptest::localDate(2025, 1, 31, 23, 59, 58);
    const std::string archive = home.file("tree.zip");
    ziptest::writeArchive(archive, {{"empty folder/", "", 0, when},
                                    {"stored.txt", "stored", 0, when},
                                    {"deep\\er\\file.txt", "deflated deflated deflated", 9, when},
                                    {kComposed, "accents", -1, when}});
    EXPECT_TRUE(unzipInto(archive, false));
    EXPECT_EQ(tree(target), (Tree{{"empty folder", "<folder>"},
                                  {"stored.txt", "stored"},
                                  {"deep", "<folder>"},
                                  {"deep/er", "<folder>"},
                                  {"deep/er/file.txt", "deflated deflated deflated"},
                                  {kDecomposed, "accents"}}));
    for (const char* file : {"stored.txt", "deep/er/file.txt"})
        EXPECT_EQ(ziptest::modificationTime(target + "/" + file), std::chrono::system_clock::to_time_t(when)) << file;
}

namespace {

struct OverwriteCase {
    const char* name;
    bool overWrite;
    bool withDelegate;
    bool delegateAnswer;
    bool replaced;
    bool asked;
};
void PrintTo(const OverwriteCase& c, std::ostream* os) { *os << c.name; }

class Overwrite : public ::testing::TestWithParam<OverwriteCase> {};

}  // namespace

TEST_P(Overwrite, AnExistingFileIsReplacedUnlessTheDelegateSaysNo) {
    const OverwriteCase& c = GetParam();
    TempHome home;
    const std::string folder = home.file("Desktop");
    const std::string existing = folder + "/setup.pkg";
    ASSERT_TRUE(platform::writeFileAtomically(existing, "old installer"));
    const std::string archive = home.file("patch.zip");
    ziptest::writeArchive(archive, {{"setup.pkg", "new installer"}, {"readme.txt", "read me"}});

    ZipArchive unzip;
    auto delegate = std::make_shared<RecordingDelegate>();
    delegate->answer = c.delegateAnswer;
    if (c.withDelegate) unzip.setDelegate(delegate);
    ASSERT_TRUE(unzip.UnzipOpenFile(archive));
    EXPECT_TRUE(unzip.UnzipFileTo(folder, c.overWrite));
    unzip.UnzipCloseFile();

    EXPECT_EQ(contents(existing), c.replaced ? "new installer" : "old installer");
    EXPECT_EQ(contents(folder + "/readme.txt"), "read me");
    EXPECT_EQ(delegate->asked, c.asked ? std::vector<std::string>{existing} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Overwrite,
    ::testing::Values(OverwriteCase{"OffWithoutDelegate", false, false, false, true, false},
                      OverwriteCase{"OffDelegateSaysYes", false, true, true, true, true},
                      OverwriteCase{"OffDelegateSaysNo", false, true, false, false, true},
                      OverwriteCase{"OnDelegateNotAsked", true, true, false, true, false}),
    [](const ::testing::TestParamInfo<OverwriteCase>& test) { return std::string(test.param.name); });

namespace {

struct RefusedCase {
    const char* name;
    std::string entry;
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedName : public ::testing::TestWithParam<RefusedCase> {};

}  // namespace

// A name that would reach outside the folder stops the unzip before anything is
// written, the harmless entry before it included.
TEST_P(RefusedName, LeavesEveryFolderAsItWas) {
    const RefusedCase& c = GetParam();
    TempHome home;
    const std::string folder = home.file("Desktop/patch");
    const std::string outside = home.file("Documents");
    ASSERT_TRUE(platform::createDirectories(folder + "/sub"));
    ASSERT_TRUE(platform::writeFileAtomically(folder + "/sub/kept.txt", "kept"));
    ASSERT_TRUE(platform::writeFileAtomically(outside + "/evil.txt", "original"));
    std::filesystem::create_directory_symlink(outside, folder + "/link");
    const std::string archive = home.file("evil.zip");
    ziptest::writeArchive(archive, {{"harmless.txt", "harmless"}, {c.entry, "evil"}});
    const Tree homeBefore = tree(home.path());

    ZipArchive unzip;
    auto delegate = std::make_shared<RecordingDelegate>();
    unzip.setDelegate(delegate);
    ASSERT_TRUE(unzip.UnzipOpenFile(archive));
    EXPECT_FALSE(unzip.UnzipFileTo(folder, true));
    EXPECT_TRUE(unzip.UnzipCloseFile());

    EXPECT_EQ(tree(home.path()), homeBefore);
    EXPECT_EQ(contents(outside + "/evil.txt"), "original");
    EXPECT_FALSE(platform::fileExists("/tmp/talvexa-evil.txt"));
    ASSERT_EQ(delegate->messages.size(), 1u);
    EXPECT_NE(delegate->messages[0].find(c.entry), std::string::npos) << delegate->messages[0];
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedName,
    ::testing::Values(RefusedCase{"ParentWithSlashes", "../../Documents/evil.txt"},
                      RefusedCase{"ParentDeepInside", "sub/../../../Documents/evil.txt"},
                      RefusedCase{"ParentWithBackslashes", "..\\..\\Documents\\evil.txt"},
                      RefusedCase{"ParentMixed", "sub\\..\\../x.txt"},
                      RefusedCase{"Absolute", "/tmp/talvexa-evil.txt"},
                      RefusedCase{"AbsoluteWithBackslash", "\\tmp\\talvexa-evil.txt"},
                      RefusedCase{"DrivePrefix", "C:\\Windows\\evil.txt"},
                      RefusedCase{"ThroughSymbolicLink", "link/evil.txt"},
                      RefusedCase{"ThroughSymbolicLinkWithBackslash", "link\\evil.txt"},
                      RefusedCase{"OntoSymbolicLink", "link"},
                      RefusedCase{"EmptyName", ""}),
    [](const ::testing::TestParamInfo<RefusedCase>& test) { return std::string(test.param.name); });

namespace {

struct DamageCase {
    const char* name;
    int32_t level;
};
void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedEntry : public ::testing::TestWithParam<DamageCase> {};

}  // namespace

// One flipped byte in the data of an entry: the unzip fails, no partial file is left
// and a file that was there keeps its contents.
TEST_P(DamagedEntry, GivesNoAndNoPartialFile) {
    TempHome home;
    const std::string folder = home.file("Desktop");
    std::string data;
    for (int i = 0; i < 3000; ++i) data += "line " + std::to_string(i) + "\n";
    const std::string archive = home.file("damaged.zip");
    ziptest::writeArchive(archive, {{"installer.pkg", data, GetParam().level}});
    std::string bytes = contents(archive);
    bytes[30 + 13 + 100] ^= 0x10;   // local header, the 13-byte name, then the data
    ASSERT_TRUE(platform::writeFileAtomically(archive, bytes));
    ASSERT_TRUE(platform::writeFileAtomically(folder + "/installer.pkg", "previous"));

    ZipArchive unzip;
    auto delegate = std::make_shared<RecordingDelegate>();
    unzip.setDelegate(delegate);
    ASSERT_TRUE(unzip.UnzipOpenFile(archive));
    EXPECT_FALSE(unzip.UnzipFileTo(folder, true));
    EXPECT_TRUE(unzip.UnzipCloseFile());

    EXPECT_EQ(tree(folder), (Tree{{"installer.pkg", "previous"}}));
    EXPECT_EQ(delegate->messages, std::vector<std::string>{"Failed to reading zip file"});
}

INSTANTIATE_TEST_SUITE_P(Levels, DamagedEntry,
                         ::testing::Values(DamageCase{"Stored", 0}, DamageCase{"Deflated", 9}),
                         [](const ::testing::TestParamInfo<DamageCase>& test) { return std::string(test.param.name); });

// Passwords: the archive is never encrypted and a password never opens an entry.
TEST_F(ZipArchiveTest, PasswordsAreRefused) {
    const std::string source = home.file("a.txt");
    ASSERT_TRUE(platform::writeFileAtomically(source, "a"));
    ZipArchive maker;
    ASSERT_TRUE(maker.CreateZipFile2(home.file("secret.zip"), "secret"));
    EXPECT_FALSE(maker.addFileToZip(source, "a.txt"));
    EXPECT_TRUE(maker.CloseZipFile2());

    const std::string archive = home.file("plain.zip");
    ziptest::writeArchive(archive, {{"a.txt", "a"}});
    ASSERT_TRUE(unzip.UnzipOpenFile(archive, "secret"));
    EXPECT_FALSE(unzip.UnzipFileTo(target, true));
    EXPECT_EQ(delegate->messages, std::vector<std::string>{"Error occurs"});
    EXPECT_FALSE(platform::fileExists(target + "/a.txt"));
    // Closing forgets the password; closing again has nothing to close.
    EXPECT_TRUE(unzip.UnzipCloseFile());
    EXPECT_TRUE(unzip.UnzipCloseFile());
    EXPECT_TRUE(unzipInto(archive, true));
    EXPECT_EQ(contents(target + "/a.txt"), "a");
}

TEST_F(ZipArchiveTest, ArchivesThatCannotBeUnzipped) {
    EXPECT_FALSE(unzip.UnzipOpenFile(home.file("missing.zip")));
    EXPECT_FALSE(unzip.UnzipFileTo(target, true));
    ASSERT_TRUE(platform::writeFileAtomically(home.file("not.zip"), "<html>Not Found</html>"));
    EXPECT_FALSE(unzip.UnzipOpenFile(home.file("not.zip")));
    // An archive without entries opens but holds nothing to unzip.
    ziptest::writeArchive(home.file("empty.zip"), {});
    delegate->messages.clear();
    EXPECT_FALSE(unzipInto(home.file("empty.zip"), true));
    EXPECT_EQ(delegate->messages, (std::vector<std::string>{"Failed", "Error occurs"}));
    EXPECT_TRUE(tree(target).empty());
}

TEST(ZipArchiveDates, Date1980IsLocalMidnight) {
    EXPECT_EQ(ZipArchive::Date1980(), ziptest::localDate(1980, 1, 1, 0, 0, 0));
}
