#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/Session.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/CompanyDatabase.h"
#include "platform/SystemLog.h"

// A fresh session, home folder and scripted window layer for each company database test.
class CompanyDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        // The access layer notes failed statements (some are expected on the way up the
        // schema versions); keep them out of the real system log.
        platform::setLogSink([this](const std::string& line) { logLines.push_back(line); });
        home = std::make_unique<TempHome>();
        ui = std::make_unique<ScriptedUserInterface>();
    }
    void TearDown() override {
        ui.reset();
        home.reset();
        platform::setLogSink({});
    }

    std::string path(const std::string& name = "Company.db") const { return home->file(name); }

    // A separate connection on a file, for building fixtures and reading what was stored.
    static std::shared_ptr<FMDatabase> raw(const std::string& file) {
        auto db = FMDatabase::databaseWithPath(file);
        EXPECT_TRUE(db->open());
        return db;
    }

    static std::string text(FMDatabase& db, const std::string& sql) {
        auto rs = db.executeQuery(sql);
        std::string out = "<no row>";
        if (rs && rs->next()) out = rs->stringForColumnIndex(0).value_or("<null>");
        if (rs) rs->close();
        return out;
    }

    // "name TYPE" per column, with " PK" for the key, in table order.
    static std::vector<std::string> tableInfo(FMDatabase& db, const std::string& table) {
        std::vector<std::string> out;
        auto rs = db.executeQuery("pragma table_info(" + table + ");");
        while (rs && rs->next()) {
            std::string c = rs->stringForColumn("name").value_or("") + " " + rs->stringForColumn("type").value_or("");
            if (rs->intForColumn("pk") > 0) c += " PK";
            if (!rs->columnIsNull("dflt_value")) c += " DEFAULT";
            if (rs->intForColumn("notnull") > 0) c += " NOT NULL";
            out.push_back(c);
        }
        if (rs) rs->close();
        return out;
    }

    std::unique_ptr<TempHome> home;
    std::unique_ptr<ScriptedUserInterface> ui;
    std::vector<std::string> logLines;
};
