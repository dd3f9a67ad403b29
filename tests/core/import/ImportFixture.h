#pragma once

// A session with this year's configuration folder and database in a temporary home, a
// company database open as the main window's, import files written by the test, and
// the scripted seam answering every window.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

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
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "platform/FileSystem.h"

// The line ends spreadsheets and editors write (LF, CR LF, a lone CR, CR LF mixed with LF,
// CR lines closed by another end or by none), given for each of three lines.
struct LineEnding {
    const char* name;
    std::vector<const char*> ends;   // after each of the three lines
};
inline const std::vector<LineEnding> kLineEndings = {
    {"LF", {"\n", "\n", "\n"}},
    {"CRLF", {"\r\n", "\r\n", "\r\n"}},
    {"CR", {"\r", "\r", "\r"}},
    {"MixedCRLFAndLF", {"\r\n", "\n", "\r\n"}},
    {"CRThenAFinalLF", {"\r", "\r", "\n"}},
    {"CRThenAFinalCRLF", {"\r", "\r", "\r\n"}},
    {"CRWithoutAFinalEnd", {"\r", "\r", ""}},
};

// Files of LF and of CR LF lines, closed by a line end or not, whose first record holds a
// line break pasted into a cell without quotes, which is a lone CR.
struct StrayCrFile {
    const char* name;
    const char* end;   // after every line but the last
    bool finalEnd;     // after the last line too
};
inline const std::vector<StrayCrFile> kStrayCrFiles = {
    {"LF", "\n", true},
    {"LFWithoutAFinalEnd", "\n", false},
    {"CRLF", "\r\n", true},
    {"CRLFWithoutAFinalEnd", "\r\n", false},
};

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        const auto dir = openTestConfiguration(home.path());
        ASSERT_TRUE(dir);
    }

    void TearDown() override {
        if (cdb()->IsReady()) cdb()->Close();
        app()->Close();
        EXPECT_TRUE(ui->allAnswersUsed()) << "answers left over";
        ui.reset();
        resetSession();
    }

    // A new scripted seam for the next run of a case table (the old one is removed first,
    // so the session never keeps a pointer to it).
    void freshUi() {
        ui.reset();
        ui = std::make_unique<ScriptedUserInterface>();
    }

    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }
    std::string yearFolder() const { return session().configDir->GetDir(); }

    // Makes a company database with the given payers (keys 0, 1, ...) in the year
    // folder; its path.
    std::string makeDatabase(const std::string& name, const std::vector<std::string>& payers) {
        const std::string path = yearFolder() + name + " 2025.db";
        CompanyDatabase db;
        EXPECT_TRUE(db.Init(path, false, true, true, name));
        EXPECT_TRUE(db.SetName(name));
        EXPECT_TRUE(db.SetYear(2025));
        for (const std::string& payer : payers) {
            ComapnyInfo c;
            c.setName(payer);
            EXPECT_TRUE(db.insertCompanyInfo(c));
        }
        db.Close();
        return path;
    }

    // Opens a new company database as the main window's, recorded as the recent one.
    std::string openCompany(const std::string& name, const std::vector<std::string>& payers) {
        const std::string path = makeDatabase(name, payers);
        databaseInfo recent(name, path, 2025, false, "");
        EXPECT_TRUE(app()->SetRecentDatabaseInfo(recent));
        EXPECT_TRUE(cdb()->Init(path, true, true, true, name));
        return path;
    }

    // Writes an import file (bytes as given) into the home folder; its path.
    std::string writeFile(const std::string& name, const std::string& bytes) {
        const std::string path = home.file(name);
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        return path;
    }

    // Runs SQL on the open company database.
    void exec(const std::string& sql) { ASSERT_TRUE(cdb()->db->executeStatements(sql)) << sql; }
    int count(const std::string& sql) { return cdb()->db->intForQuery(sql); }

    // Every row of a query on the open company database, each as its columns' texts
    // joined by "|" ("<null>" for NULL).
    std::vector<std::string> rows(const std::string& sql) { return rowsOf(*cdb()->db, sql); }

    static std::vector<std::string> rowsOf(FMDatabase& db, const std::string& sql) {
        std::vector<std::string> out;
        auto rs = db.executeQuery(sql, std::vector<FMValue>{});
        while (rs && rs->next()) {
            std::string row;
            for (int i = 0; i < rs->columnCount(); ++i) {
                if (i) row += "|";
                row += rs->stringForColumnIndex(i).value_or("<null>");
            }
            out.push_back(row);
        }
        return out;
    }

    // Every row of a query on a company database file that is not open.
    static std::vector<std::string> rowsInFile(const std::string& path, const std::string& sql) {
        auto db = FMDatabase::databaseWithPath(path);
        EXPECT_TRUE(db->open());
        auto out = rowsOf(*db, sql);
        db->close();
        return out;
    }

    std::vector<std::string> listedPaths() {
        std::vector<std::string> out;
        for (const databaseInfo& e : app()->SelectDatabaseList()) out.push_back(e.path());
        return out;
    }

    std::vector<std::string> boxTitles() const {
        std::vector<std::string> out;
        for (const MessageBoxRequest& box : ui->boxes()) out.push_back(box.title);
        return out;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> ui;
};
