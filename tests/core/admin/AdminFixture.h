#pragma once

// A session with this year's configuration folder and configuration database in a
// temporary home, the scripted window layer standing in for the main window, and
// company database files made by the tests.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <openssl/sha.h>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "TestConfiguration.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/databaseInfo.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileSystem.h"
#include "platform/Launch.h"
#include "platform/NetworkStatus.h"
#include "platform/SystemLog.h"

// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (previous_) setenv(name_, previous_->c_str(), 1);
        else unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

// SHA-256 of a text in lower-case hexadecimal, computed here rather than by the program.
inline std::string sha256Hex(const std::string& text) {
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(text.data()), text.size(), digest);
    std::ostringstream out;
    for (unsigned char b : digest) out << std::hex << std::setw(2) << std::setfill('0') << int(b);
    return out.str();
}

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A database file's bytes without SQLite's two change counters in its header, which
// every write transaction advances even when it writes back the value that was there.
inline std::string databaseBytes(const std::string& path) {
    std::string bytes = fileBytes(path);
    for (size_t offset : {24, 92})
        for (size_t i = offset; i < offset + 4 && i < bytes.size(); ++i) bytes[i] = 0;
    return bytes;
}

class AdminTest : public ::testing::Test {
public:
    void SetUp() override {
        resetSession();
        platform::setLogSink([](const std::string&) {});
        platform::setUrlOpener([this](const std::string& address) {
            opened.push_back(address);
            return true;
        });
        scripted = std::make_unique<ScriptedUserInterface>();
        const auto dir = openTestConfiguration(home.path());
        ASSERT_TRUE(dir);
        for (const std::string& folder : {dir->GetBackupsDir(), dir->GetAutoBackupsDir()})
            ASSERT_TRUE(platform::createDirectories(folder));
    }

    void TearDown() override {
        if (cdb()->IsReady()) cdb()->Close();
        app()->Close();
        EXPECT_TRUE(scripted->allAnswersUsed()) << "answers left over";
        scripted.reset();
        platform::setUrlOpener({});
        platform::setLogSink({});
        resetSession();
    }

    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }
    std::string yearFolder() const {
        std::string folder = session().configDir->GetDir();
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        return folder;
    }
    std::string backupsFolder() const { return session().configDir->GetBackupsDir(); }

    // A company database file with one payer; its path.
    std::string makeDatabase(const std::string& name, int year = 2025, const std::string& payer = "Payer",
                             std::string folder = {}) {
        if (folder.empty()) folder = yearFolder();
        const std::string path = folder + "/" + name + " " + std::to_string(year) + ".db";
        CompanyDatabase db;
        EXPECT_TRUE(db.Init(path, false, true, true, name));
        EXPECT_TRUE(db.SetName(name));
        EXPECT_TRUE(db.SetYear(year));
        ComapnyInfo c;
        c.setName(payer);
        EXPECT_TRUE(db.insertCompanyInfo(c));
        db.Close();
        return path;
    }

    // Opens the file as the main window does: listed, recorded as recent, in use.
    void openAsMainWindow(const std::string& path, const std::string& name) {
        databaseInfo entry;
        entry.setName(name);
        entry.setPath(path);
        entry.setYear(2025);
        ASSERT_TRUE(app()->InsertDatabaseInfo(entry));
        ASSERT_TRUE(app()->SetRecentDatabaseInfo(entry));
        ASSERT_TRUE(cdb()->Init(path, true, true, true, name));
        ASSERT_TRUE(cdb()->SetBackup(false));
    }

    void enrol(const std::string& email, const std::string& customer) {
        databaseInfo info;
        info.setCloudCheck(1);
        info.setEmailaddress(email);
        info.setCustomerId(customer);
        ASSERT_TRUE(app()->InsertCloudBackupInfo(info));
    }

    static std::string query(const std::string& path, const std::string& sql) {
        auto db = FMDatabase::databaseWithPath(path);
        EXPECT_TRUE(db->open());
        auto rs = db->executeQuery(sql);
        std::string out = "<no row>";
        if (rs && rs->next()) out = rs->stringForColumnIndex(0).value_or("<null>");
        if (rs) rs->close();
        db->close();
        return out;
    }
    // "in_use/isBackup" of a closed file.
    static std::string flags(const std::string& path) {
        return query(path, "select in_use || '/' || isBackup from database;");
    }

    std::vector<std::string> details() const {
        std::vector<std::string> out;
        for (const MessageBoxRequest& box : scripted->boxes()) out.push_back(box.details);
        return out;
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const MessageBoxRequest& box : scripted->boxes()) out.push_back(box.caption);
        return out;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    std::vector<std::string> opened;
};
