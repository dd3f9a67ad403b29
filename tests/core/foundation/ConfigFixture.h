#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/Session.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

// A configuration database at schema version 1, tax year 2024.
inline const char* const kVersion1ConfigSchema =
    "create table database (pk INT PRIMARY KEY, current_version INT, in_use INT, year INT, name TEXT, isPriorYear INT);"
    "insert into database values (0, 1, 0, 2024, '', 0);"
    "create table recentDatabase (path TEXT, name TEXT, year INT);"
    "create table databaseList (path TEXT, name TEXT, year INT);"
    "create table folderPaths (folderType INT, pathString TEXT, vRefNum INT, parID INT);"
    "create table priorYearList(path TEXT, name TEXT, year INT, imported INT);"
    "create table preferences (name TEXT, fontSize INT, fontWidth INT, fontHeight INT, fontBaseWidth INT);"
    "create table frameInfo (title TEXT, xPos INT, yPos INT, width INT, height INT);";

// Every case runs in a fresh temporary home with a fresh session and a scripted user
// interface; the system log is collected instead of written.
class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        platform::setLogSink([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override {
        platform::setLogSink({});
        ui.reset();
        resetSession();
    }

    // A new scripted interface, as for a later start of the program.
    void restart() {
        ui.reset();
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
    }

    std::string documents() const { return home.path() + "/Documents"; }

    // Runs SQL on a database file outside the classes under test.
    static void execSql(const std::string& path, const std::string& sql) {
        auto db = FMDatabase::databaseWithPath(path);
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeStatements(sql)) << db->lastErrorMessage();
        db->close();
    }
    static int intQuery(const std::string& path, const std::string& sql) {
        auto db = FMDatabase::databaseWithPath(path);
        EXPECT_TRUE(db->open());
        int v = db->intForQuery(sql, std::vector<FMValue>{});
        db->close();
        return v;
    }
    static std::vector<std::string> textColumn(const std::string& path, const std::string& sql) {
        std::vector<std::string> out;
        auto db = FMDatabase::databaseWithPath(path);
        EXPECT_TRUE(db->open());
        if (auto rs = db->executeQuery(sql, std::vector<FMValue>{})) {
            while (rs->next()) out.push_back(rs->stringForColumnIndex(0).value_or("<null>"));
            rs->close();
        }
        db->close();
        return out;
    }

    std::vector<std::string> windows() const {
        std::vector<std::string> out;
        for (const auto& s : ui->shown()) out.push_back(s.window);
        return out;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> ui;
    std::vector<std::string> log;
};
