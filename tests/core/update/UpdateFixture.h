#pragma once

// An update check against a test HTTP server on the loopback: a configuration database,
// an open company database recorded as the recent one, a temporary home with its
// Desktop, and recorders for the browser and the installer launcher.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "TestHttpServer.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/databaseInfo.h"
#include "core/sqlite/FMDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/update/Version.h"
#include "core/update/data.h"
#include "core/zip/ZipFile.h"
#include "core/zip/ZipWriteStream.h"
#include "platform/FileSystem.h"
#include "platform/Launch.h"
#include "platform/SystemLog.h"

namespace updatetest {

// One row of the versions database's versionList.
struct Row {
    int year = 2025;
    int efile = 1;
    int major = 25, update = 0, patch = 1;
    std::string patchURL;
    std::string patchFileName = "Talvexa1099Patch.pkg";
};

// What a versions database holds; written by the test with SQLite itself.
struct Versions {
    int versionRow = 1;
    std::vector<Row> rows = {Row{}};
    std::optional<Row> recent = Row{};   // major, update and patch of mostRecentVersion
    std::string purchasePage = "https://www.talvexa.com/buy-1099";
};

inline std::string bytesOf(const std::string& path) {
    std::string bytes;
    platform::readFile(path, bytes);
    return bytes;
}

inline std::string versionsDatabase(const Versions& v, const std::string& folder) {
    const std::string path = folder + "/made-versions.db";
    std::filesystem::remove(path);
    auto db = FMDatabase::databaseWithPath(path);
    EXPECT_TRUE(db->open());
    EXPECT_TRUE(db->executeStatements(
        "create table version (version INT);"
        "create table versionList (year INT, efile INT, majorVers INT, updateVers INT, patchVers INT,"
        "macPatchWebPageURL TEXT, macPatchURL TEXT, macPatchFileName TEXT,winPatchWebPageURL TEXT, "
        "winPatchURL TEXT, winPatchFileName TEXT);"
        "create table mostRecentVersion (majorVers INT, updateVers INT, patchVers INT,macUpdateWebPageURL TEXT, "
        "winUpdateWebPageURL TEXT);"
        "create index versionListIndex on versionList(year);"));
    EXPECT_TRUE(db->executeUpdate("insert into version values (?);", v.versionRow));
    for (const Row& r : v.rows)
        EXPECT_TRUE(db->executeUpdate("insert into versionList values (?, ?, ?, ?, ?, ?, ?, ?, '', '', '');", r.year,
                                      r.efile, r.major, r.update, r.patch, "https://www.talvexa.com/patch",
                                      r.patchURL, r.patchFileName));
    if (v.recent) {
        EXPECT_TRUE(db->executeUpdate("insert into mostRecentVersion values (?, ?, ?, ?, '');", v.recent->major,
                                      v.recent->update, v.recent->patch, v.purchasePage));
    }
    db->close();
    const std::string bytes = bytesOf(path);
    std::filesystem::remove(path);
    return bytes;
}

// A patch archive written with the wrappers: the entries in order, the installer last.
inline std::string patchArchive(const std::vector<std::pair<std::string, std::string>>& entries,
                                 const std::string& folder) {
    const std::string path = folder + "/made-patch.zip";
    {
        ZipFile zip(path, ZipFile::ZipFileModeCreate);
        for (const auto& [name, data] : entries) {
            auto stream = zip.writeFileInZipWithName(name, ZipFile::ZipCompressionLevelDefault);
            stream->writeData(data);
            stream->finishedWriting();
        }
        zip.close();
    }
    const std::string bytes = bytesOf(path);
    std::filesystem::remove(path);
    return bytes;
}

inline std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (!platform::isDirectory(folder)) return names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The download limits of these tests: the versions file fails after 1 s without a byte
// or 5 s in all, the patch archive when less than 2,000 bytes arrive in a second.
inline data::Timeouts smallTimeouts() {
    data::Timeouts t = data::defaultTimeouts();
    t.versionsFile.total = std::chrono::seconds(5);
    t.versionsFile.slowPeriod = std::chrono::seconds(1);
    t.patchArchive.total = std::chrono::seconds(5);
    t.patchArchive.slowPeriod = std::chrono::seconds(1);
    t.patchArchive.slowBytes = 2000;
    return t;
}

// A box as the test expects it.
struct Box {
    std::string caption;
    std::string details;
    int32_t style = kMessageStyleOK;
    std::string title;
    int32_t image = kMessageImageError;
};

class UpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        platform::setLogSink([this](const std::string& line) { log.push_back(line); });
        Session& s = session();
        s.DBH = std::make_shared<DatabaseHolder>();
        ASSERT_TRUE(s.DBH->appDatabase()->Init(home.file("Talvexa_1099_2025.db"), false));
        s.ControlledTempDir = home.file("config");
        ASSERT_TRUE(platform::createDirectories(s.ControlledTempDir));
        companyPath = home.file("Documents/Acme 2025.db");
        ASSERT_TRUE(company()->Init(companyPath, true, true, true, "Acme"));
        ASSERT_TRUE(company()->SetName("Acme"));
        ASSERT_TRUE(s.DBH->appDatabase()->SetRecentDatabaseInfo(databaseInfo("Acme", companyPath, 2025, false, "")));

        const char* saved = std::getenv(kUpdateServerVariable);
        if (saved) savedServer = saved;
        setenv(kUpdateServerVariable, server.address().c_str(), 1);
        data::setTimeouts(smallTimeouts());
        platform::setUrlOpener([this](const std::string& address) {
            opened.push_back(address);
            return true;
        });
        platform::setInstallerLauncher([this](const std::string& path) {
            launched.push_back(path);
            return launcherStarts;
        });
    }

    void TearDown() override {
        platform::setUrlOpener({});
        platform::setInstallerLauncher({});
        data::setTimeouts(data::defaultTimeouts());
        if (savedServer) setenv(kUpdateServerVariable, savedServer->c_str(), 1);
        else unsetenv(kUpdateServerVariable);
        EXPECT_TRUE(ui->allAnswersUsed());
        if (company()->IsReady()) company()->Close();
        session().DBH->appDatabase()->Close();
        platform::setLogSink({});
        ui.reset();
        resetSession();
    }

    std::shared_ptr<CompanyDatabase> company() const { return session().DBH->companyDatabase(); }
    std::string desktop() const { return home.file("Desktop"); }
    std::string versionsFile() const { return session().ControlledTempDir + "/forms1099Versions_64.db"; }

    void serveVersions(const Versions& v) { server.answer(kVersionsDatabasePath, 200, versionsDatabase(v, home.path())); }
    // Versions offering patch level 2 from the server's patch address.
    Versions patchLevel2(const std::string& fileName = "Talvexa1099Patch.pkg") {
        Versions v;
        v.rows[0].patch = 2;
        v.rows[0].patchURL = server.address() + "/patches/Talvexa1099Patch.zip";
        v.rows[0].patchFileName = fileName;
        return v;
    }
    void servePatch(const std::vector<std::pair<std::string, std::string>>& entries) {
        server.answer("/patches/Talvexa1099Patch.zip", 200, patchArchive(entries, home.path()));
    }

    void expectBoxes(const std::vector<Box>& expected) {
        const auto shown = ui->boxes();
        ASSERT_EQ(shown.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE("box " + std::to_string(i) + " " + expected[i].caption);
            EXPECT_EQ(shown[i].caption, expected[i].caption);
            EXPECT_EQ(shown[i].details, expected[i].details);
            EXPECT_EQ(shown[i].style, expected[i].style);
            EXPECT_EQ(shown[i].title, expected[i].title);
            EXPECT_EQ(shown[i].image, expected[i].image);
        }
    }

    TempHome home;
    TestHttpServer server;
    std::unique_ptr<ScriptedUserInterface> ui;
    std::string companyPath;
    std::optional<std::string> savedServer;
    std::vector<std::string> log;
    std::vector<std::string> opened;
    std::vector<std::string> launched;
    bool launcherStarts = true;
};

}  // namespace updatetest
