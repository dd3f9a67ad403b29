// The archive object and its streams: entries written and read back, what the archive
// says of each entry, and the exceptions of every call in the wrong mode and every
// failed open.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "TempHome.h"
#include "ZipTestSupport.h"
#include "core/zip/FileInZipInfo.h"
#include "core/zip/ZipException.h"
#include "core/zip/ZipFile.h"
#include "core/zip/ZipReadStream.h"
#include "core/zip/ZipWriteStream.h"

using ziptest::Entry;

namespace {

// "café" as typed (composed é) and as the archive lists it (e + combining acute).
const std::string kComposed = "caf\xC3\xA9 r\xC3\xA9sum\xC3\xA9.txt";
const std::string kDecomposed = "cafe\xCC\x81 re\xCC\x81sume\xCC\x81.txt";

std::string readEntry(ZipFile& zip) {
    auto stream = zip.readCurrentFileInZip();
    std::string all;
    for (std::string piece; !(piece = stream->readDataOfLength(7)).empty();) all += piece;
    stream->finishedReading();
    return all;
}

uint64_t crcOf(const std::string& data) {
    return crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
}

// Expects a ZipException with this reason and library code.
void expectThrows(const std::function<void()>& call, const std::string& reason, int64_t error) {
    try {
        call();
        ADD_FAILURE() << "no exception; expected \"" << reason << "\"";
    } catch (const ZipException& e) {
        EXPECT_EQ(e.reason(), reason);
        EXPECT_EQ(e.error(), error) << reason;
        EXPECT_STREQ(ZipException::name(), "ZipException");
    }
}

class ZipFileTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return home.file(name); }
    TempHome home;
};

}  // namespace

TEST_F(ZipFileTest, AnEmptyArchiveHasNoEntries) {
    const std::string archive = path("empty.zip");
    ziptest::writeArchive(archive, {});
    ZipFile zip(archive, ZipFile::ZipFileModeUnzip);
    EXPECT_EQ(zip.numFilesInZip(), 0u);
    EXPECT_TRUE(zip.listFileInZipInfos().empty());
    EXPECT_TRUE(zip.contents().empty());
    EXPECT_FALSE(zip.locateFileInZip("anything"));
    EXPECT_TRUE(zip.goToFirstFileInZip());   // only logged: there is no first entry
    expectThrows([&] { zip.currentFileInZipInfo(); }, "Error in getting current file info in '" + archive + "'",
                 UNZ_BADZIPFILE);
    zip.close();
}

// Stored, deflated at each level, a folder entry, backslashes and composed letters: each
// comes back with its bytes and with what the archive says about it.
TEST_F(ZipFileTest, EntriesComeBackWithWhatWasWritten) {
    const std::string archive = path("entries.zip");
    const std::string text(5000, 'a');
    const ZipDate when = ziptest::localDate(2024, 3, 15, 10, 20, 30);
    const std::vector<Entry> written = {
        {"stored.txt", "stored bytes", ZipFile::ZipCompressionLevelNone, when},
        {"docs/best.txt", text, ZipFile::ZipCompressionLevelBest, when},
        {"fastest.txt", text, ZipFile::ZipCompressionLevelFastest, when},
        {"default.txt", text, ZipFile::ZipCompressionLevelDefault, when},
        {"folder/", "", ZipFile::ZipCompressionLevelNone, when},
        {"win\\sub\\file.txt", "through backslashes", ZipFile::ZipCompressionLevelDefault, when},
        {kComposed, "accents", ZipFile::ZipCompressionLevelDefault, when},
    };
    ziptest::writeArchive(archive, written);

    ZipFile zip(archive, ZipFile::ZipFileModeUnzip);
    ASSERT_EQ(zip.numFilesInZip(), written.size());
    // Right after the open the last entry is the current one.
    EXPECT_EQ(zip.currentFileInZipInfo().name(), kDecomposed);

    const std::vector<FileInZipInfo> infos = zip.listFileInZipInfos();
    ASSERT_EQ(infos.size(), written.size());
    const int32_t expectedLevels[] = {0, 9, 1, -1, 0, -1, -1};
    for (size_t i = 0; i < infos.size(); ++i) {
        SCOPED_TRACE(written[i].name);
        const FileInZipInfo& info = infos[i];
        EXPECT_EQ(info.name(), i == 6 ? kDecomposed : written[i].name);
        EXPECT_EQ(info.length(), written[i].data.size());
        EXPECT_EQ(info.crc32(), crcOf(written[i].data));
        EXPECT_EQ(info.level(), expectedLevels[i]);
        EXPECT_FALSE(info.crypted());
        EXPECT_EQ(info.date(), when);
        if (info.level() == 0) {
            EXPECT_EQ(info.size(), info.length());
        } else if (info.length() > 1000) {
            EXPECT_LT(info.size(), info.length() / 10);
        }
    }

    // The list of names is in decomposed form; a composed name finds its entry too.
    EXPECT_EQ(zip.contents().size(), written.size());
    EXPECT_EQ(zip.contents().count(kDecomposed), 1u);
    EXPECT_EQ(zip.contents().count(kComposed), 0u);
    ASSERT_TRUE(zip.locateFileInZip(kComposed));
    EXPECT_EQ(readEntry(zip), "accents");
    ASSERT_TRUE(zip.locateFileInZip("docs/best.txt"));
    EXPECT_EQ(readEntry(zip), text);
    EXPECT_FALSE(zip.locateFileInZip("docs/missing.txt"));

    // A walk from the first entry visits every entry once.
    std::vector<std::string> walked;
    zip.goToFirstFileInZip();
    do walked.push_back(zip.currentFileInZipInfo().name());
    while (zip.goToNextFileInZip());
    EXPECT_EQ(walked.size(), written.size());
    EXPECT_EQ(walked.front(), "stored.txt");
    zip.close();
}

TEST_F(ZipFileTest, AppendAddsToAnExistingArchive) {
    const std::string archive = path("grow.zip");
    ziptest::writeArchive(archive, {{"one.txt", "1"}});
    {
        ZipFile zip(archive, ZipFile::ZipFileModeAppend);
        auto stream = zip.writeFileInZipWithName("two.txt", ZipFile::ZipCompressionLevelDefault);
        stream->writeBytes("22", 2);
        stream->finishedWriting();
        zip.close();
    }
    ZipFile zip(archive, ZipFile::ZipFileModeUnzip);
    EXPECT_EQ(zip.numFilesInZip(), 2u);
    ASSERT_TRUE(zip.locateFileInZip("one.txt"));
    EXPECT_EQ(readEntry(zip), "1");
    ASSERT_TRUE(zip.locateFileInZip("two.txt"));
    EXPECT_EQ(readEntry(zip), "22");
    zip.close();
}

namespace {

struct WrongModeCase {
    const char* name;
    int32_t mode;
    std::function<void(ZipFile&)> call;
};
void PrintTo(const WrongModeCase& c, std::ostream* os) { *os << c.name; }

class WrongMode : public ::testing::TestWithParam<WrongModeCase> {};

}  // namespace

// Reading calls need unzip mode; writing calls refuse it. Neither reaches the library.
TEST_P(WrongMode, IsRefusedWithoutALibraryCode) {
    const WrongModeCase& c = GetParam();
    TempHome home;
    const std::string archive = home.file("a.zip");
    ziptest::writeArchive(archive, {{"a.txt", "a"}});
    if (c.mode != ZipFile::ZipFileModeUnzip) std::filesystem::remove(archive);
    ZipFile zip(archive, c.mode == ZipFile::ZipFileModeUnzip ? c.mode : ZipFile::ZipFileModeCreate);
    expectThrows([&] { c.call(zip); },
                 c.mode == ZipFile::ZipFileModeUnzip ? "Operation not permitted with Unzip mode"
                                                     : "Operation not permitted without Unzip mode",
                 0);
    zip.close();
}

INSTANTIATE_TEST_SUITE_P(
    Calls, WrongMode,
    ::testing::Values(
        WrongModeCase{"WriteInUnzipMode", 0,
                      [](ZipFile& z) { z.writeFileInZipWithName("x", ZipFile::ZipCompressionLevelDefault); }},
        WrongModeCase{"WriteDatedInUnzipMode", 0,
                      [](ZipFile& z) { z.writeFileInZipWithName("x", ZipDate{}, 0); }},
        WrongModeCase{"WriteWithPasswordInUnzipMode", 0,
                      [](ZipFile& z) { z.writeFileInZipWithName("x", ZipDate{}, 0, "pw", 0); }},
        WrongModeCase{"NumFilesInCreateMode", 1, [](ZipFile& z) { z.numFilesInZip(); }},
        WrongModeCase{"ListInCreateMode", 1, [](ZipFile& z) { z.listFileInZipInfos(); }},
        WrongModeCase{"FirstInCreateMode", 1, [](ZipFile& z) { z.goToFirstFileInZip(); }},
        WrongModeCase{"NextInCreateMode", 1, [](ZipFile& z) { z.goToNextFileInZip(); }},
        WrongModeCase{"LocateInCreateMode", 1, [](ZipFile& z) { z.locateFileInZip("a.txt"); }},
        WrongModeCase{"InfoInCreateMode", 1, [](ZipFile& z) { z.currentFileInZipInfo(); }},
        WrongModeCase{"ReadInCreateMode", 1, [](ZipFile& z) { z.readCurrentFileInZip(); }},
        WrongModeCase{"ReadWithPasswordInCreateMode", 1,
                      [](ZipFile& z) { z.readCurrentFileInZipWithPassword("pw"); }}),
    [](const ::testing::TestParamInfo<WrongModeCase>& test) { return std::string(test.param.name); });

TEST_F(ZipFileTest, EveryFailedOpenNamesTheFile) {
    const std::string missing = path("missing.zip");
    const std::string empty = path("empty-file.zip");
    const std::string garbage = path("garbage.zip");
    const std::string noFolder = path("no/such/folder/new.zip");
    ASSERT_TRUE(platform::writeFileAtomically(empty, ""));
    ASSERT_TRUE(platform::writeFileAtomically(garbage, std::string(2000, 'g')));
    const struct {
        std::string file;
        int32_t mode;
        std::string reason;
    } cases[] = {
        {missing, 0, "Can't open '" + missing + "'"},
        {empty, 0, "Can't open '" + empty + "'"},
        {garbage, 0, "Can't open '" + garbage + "'"},
        {missing, 2, "Can't open '" + missing + "'"},
        {garbage, 2, "Can't open '" + garbage + "'"},
        {noFolder, 1, "Can't open '" + noFolder + "'"},
        {missing, 7, "Unknown mode 7"},
        {missing, -1, "Unknown mode -1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason + " mode " + std::to_string(c.mode));
        expectThrows([&] { ZipFile zip(c.file, c.mode); }, c.reason, 0);
    }
    EXPECT_FALSE(platform::fileExists(missing));
    EXPECT_EQ(ziptest::contents(garbage), std::string(2000, 'g'));
}

// Entries are never encrypted: a password is refused with the library's parameter error.
TEST_F(ZipFileTest, PasswordsAreRefused) {
    const std::string archive = path("secret.zip");
    {
        ZipFile zip(archive, ZipFile::ZipFileModeCreate);
        expectThrows([&] { zip.writeFileInZipWithName("hidden.txt", ZipDate{}, 9, "secret", crcOf("data")); },
                     "Error in opening 'hidden.txt' in zipfile", -102);
        // An empty password is no password.
        auto stream = zip.writeFileInZipWithName("plain.txt", ZipDate{}, 9, "", 0);
        stream->writeData("plain");
        stream->finishedWriting();
        zip.close();
    }
    ZipFile zip(archive, ZipFile::ZipFileModeUnzip);
    ASSERT_EQ(zip.numFilesInZip(), 1u);
    EXPECT_FALSE(zip.currentFileInZipInfo().crypted());
    expectThrows([&] { zip.readCurrentFileInZipWithPassword("secret"); },
                 "Error in opening current file in '" + archive + "'", -102);
    EXPECT_EQ(readEntry(zip), "plain");
    zip.close();
}

// One flipped byte of a stored entry: the bytes come back, and closing the entry
// reports the CRC error.
TEST_F(ZipFileTest, ADamagedEntryFailsWhenItIsClosed) {
    const std::string archive = path("damaged.zip");
    ziptest::writeArchive(archive, {{"data.txt", std::string(100, 'd'), ZipFile::ZipCompressionLevelNone}});
    std::string bytes = ziptest::contents(archive);
    bytes[30 + 8 + 50] ^= 0x01;   // local header, name, then the data
    ASSERT_TRUE(platform::writeFileAtomically(archive, bytes));
    ZipFile zip(archive, ZipFile::ZipFileModeUnzip);
    auto stream = zip.readCurrentFileInZip();
    EXPECT_EQ(stream->readDataOfLength(1000).size(), 100u);
    expectThrows([&] { stream->finishedReading(); }, "Error in closing 'data.txt' in the zipfile", UNZ_CRCERROR);
    zip.close();
}

TEST_F(ZipFileTest, ClosingTwiceIsAnError) {
    const std::string archive = path("twice.zip");
    ZipFile zip(archive, ZipFile::ZipFileModeCreate);
    zip.close();
    expectThrows([&] { zip.close(); }, "Error in closing '" + archive + "'", ZIP_PARAMERROR);
    ZipFile again(archive, ZipFile::ZipFileModeUnzip);
    again.close();
    expectThrows([&] { again.close(); }, "Error in closing '" + archive + "'", UNZ_PARAMERROR);
}
