#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/Session.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"

// A fresh session, home folder and company database file for each test.
struct FreshSession {
    FreshSession() { resetSession(); }
};

class CompanyRowsTest : public ::testing::Test, private FreshSession {
protected:
    void SetUp() override {
        session().comp_details = std::make_shared<Company>();
        path = home.file("company rows test.db");
        ASSERT_TRUE(cdb.Init(path, false, false, true, "Test"));
    }
    void TearDown() override {
        cdb.Close();
        EXPECT_TRUE(ui.allAnswersUsed());
    }

    // Runs raw SQL on the open file (fixtures and failure injection).
    void exec(const std::string& sql) { ASSERT_TRUE(cdb.db->executeStatements(sql)) << sql; }
    int count(const std::string& sql) { return cdb.db->intForQuery(sql); }
    std::string single(const std::string& sql) {
        auto rs = cdb.db->executeQuery(sql);
        std::string value;
        if (rs && rs->next()) value = rs->stringForColumnIndex(0).value_or("<null>");
        return value;
    }
    // Column names of a table, in table order.
    std::vector<std::string> columns(const std::string& table) {
        std::vector<std::string> names;
        auto rs = cdb.db->executeQuery("pragma table_info(" + table + ")");
        while (rs && rs->next()) names.push_back(rs->stringForColumn("name").value_or(""));
        return names;
    }
    // Every column of one row as text ("<null>" for NULL).
    std::map<std::string, std::string> rawRow(const std::string& table, int32_t key) {
        std::map<std::string, std::string> row;
        auto rs = cdb.db->executeQuery("select * from " + table + " where pk = ?", key);
        if (rs && rs->next()) {
            for (const auto& c : columns(table)) {
                auto bytes = rs->dataForColumn(c);
                row[c] = rs->columnIsNull(c) ? "<null>" : bytes ? std::string(bytes->begin(), bytes->end()) : "";
            }
        }
        return row;
    }
    // Makes every statement of the given kind on the table fail.
    void block(const std::string& event, const std::string& table) {
        exec("create trigger block_" + table + "_" + event + " before " + event + " on " + table +
             " begin select raise(abort, 'blocked by test'); end;");
    }
    // The error box that a failed write shows; answers it.
    void expectFailureBox() { ui.answerBox(2); }
    void selectPayers(std::vector<int32_t> keys) { session().comp_details->setSelectedCompanies(std::move(keys)); }

    TempHome home;
    ScriptedUserInterface ui;
    CompanyDatabase cdb;
    std::string path;
};
