#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "core/foundation/Session.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/WX_FORMAT.h"
#include "core/store/format.h"

namespace {

using Layout = std::vector<WX_FMTVAL>;

struct Table {
    const char* name;
    int code;
    int rows;
    void (CompanyDatabase::*insert)();
    bool (CompanyDatabase::*update)(const Layout&);
};

const Table kTables[] = {
    {"_1099MiscFormat", 0, 35, &CompanyDatabase::Insert1099MISCFields, &CompanyDatabase::Update1099MISCFields1},
    {"_1096Format", 2, 18, &CompanyDatabase::Insert1096Fields, &CompanyDatabase::Update1096Fields1},
    {"_1099INTFormat", 3, 36, &CompanyDatabase::Insert1099INTFields, &CompanyDatabase::Update1099INTFields1},
    {"_1099SFormat", 4, 22, &CompanyDatabase::Insert1099SFields, &CompanyDatabase::Update1099SFields1},
    {"_1099DIVFormat", 5, 39, &CompanyDatabase::Insert1099DIVFields, &CompanyDatabase::Update1099DIVFields1},
    {"_1099RFormat", 6, 42, &CompanyDatabase::Insert1099RFields, &CompanyDatabase::Update1099RFields1},
    {"_1099NECFormat", 9, 24, &CompanyDatabase::Insert1099NECFields, &CompanyDatabase::Update1099NECFields},
};

// A company database holding just the seven (empty) layout tables.
class LayoutTables : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        ASSERT_TRUE(company.db->open());
        for (const Table& t : kTables) {
            ASSERT_TRUE(company.db->executeStatements(
                std::string("create table ") + t.name +
                " (mappingID INT, noPrint INT, rJust INT, height INT, width INT, xCoord INT, yCoord INT);"));
        }
    }
    void TearDown() override { EXPECT_TRUE(boxesChecked || ui->boxes().empty()); }
    bool boxesChecked = false;

    int rowCount(const std::string& table) {
        return company.db->intForQuery("select count(*) from " + table);
    }
    Layout builtIn(int code) {
        WX_FORMAT holder;
        return format().GetWXFmt(holder.Val, code, true);
    }
    // The stored copy, read the way the print runs read it.
    Layout stored(int code) {
        WX_FORMAT holder;
        return format().GetWXFmt(holder.Val, code, false, &company);
    }
    static Layout prefix(Layout l, size_t n) {
        l.resize(n);
        return l;
    }

    std::unique_ptr<ScriptedUserInterface> ui;
    CompanyDatabase company;
};

TEST_F(LayoutTables, SeedingFillsAnEmptyTableWithTheBuiltInLayout) {
    for (const Table& t : kTables) {
        SCOPED_TRACE(t.name);
        (company.*t.insert)();
        EXPECT_EQ(rowCount(t.name), t.rows);
        EXPECT_EQ(company.db->intForQuery(std::string("select count(distinct mappingID) from ") + t.name), t.rows);
        Layout s = stored(t.code);
        ASSERT_EQ(s.size(), 100u);
        EXPECT_EQ(prefix(s, t.rows), builtIn(t.code));
        EXPECT_EQ(s[t.rows], WX_FMTVAL());
        EXPECT_FALSE(company.db->isInTransaction());
    }
    // A few stored coordinates, straight from the printed forms.
    EXPECT_EQ(stored(0)[0], WX_FMTVAL(0, 0, 1, 100, 425, 85));
    EXPECT_EQ(stored(2)[17], WX_FMTVAL(0, 0, 1, 120, 216, 333));
    EXPECT_EQ(stored(3)[20], WX_FMTVAL(0, 0, 1, 245, 83, 376));
    EXPECT_EQ(stored(4)[4], WX_FMTVAL(0, 0, 1, 120, 425, 167));
    EXPECT_EQ(stored(5)[38], WX_FMTVAL(0, 0, 1, 100, 560, 133));
    EXPECT_EQ(stored(6)[41], WX_FMTVAL(0, 0, 1, 100, 315, 474));
    EXPECT_EQ(stored(9)[11], WX_FMTVAL(0, 0, 1, 280, 70, 263));
}

TEST_F(LayoutTables, SeedingLeavesATableWithRowsAlone) {
    for (const Table& t : kTables) {
        SCOPED_TRACE(t.name);
        ASSERT_TRUE(company.db->executeUpdate(std::string("insert into ") + t.name + " values (5, 1, 1, 2, 33, 44, 55)"));
        (company.*t.insert)();
        EXPECT_EQ(rowCount(t.name), 1);
        EXPECT_EQ(stored(t.code)[5], WX_FMTVAL(1, 1, 2, 33, 44, 55));
    }
}

TEST_F(LayoutTables, SeedingJoinsTheCallersTransaction) {
    ASSERT_TRUE(company.db->beginTransaction());
    company.Insert1099MISCFields();
    EXPECT_TRUE(company.db->isInTransaction());
    ASSERT_TRUE(company.db->rollback());
    EXPECT_EQ(rowCount("_1099MiscFormat"), 0);
}

TEST_F(LayoutTables, SeedingThatFailsSaysSoAndLeavesNoTransactionOpen) {
    ASSERT_TRUE(company.db->executeStatements("drop table _1096Format;"));
    ui->answerBox(1);
    company.Insert1096Fields();
    EXPECT_FALSE(company.db->isInTransaction());
    const auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].details, "Unable to insert 1096 format fields. ");
    boxesChecked = true;
}

TEST_F(LayoutTables, SetFormatFieldsResetsTheSixOlderTablesButNotNec) {
    company.SetFormatFields(false);
    for (const Table& t : kTables) EXPECT_EQ(rowCount(t.name), t.code == 9 ? 0 : t.rows) << t.name;

    for (const Table& t : kTables) {
        ASSERT_TRUE(company.db->executeUpdate(std::string("update ") + t.name + " set xCoord = 1"));
    }
    company.Insert1099NECFields();
    ASSERT_TRUE(company.db->executeUpdate("update _1099NECFormat set xCoord = 1"));

    company.SetFormatFields(false);   // keeps what is stored
    EXPECT_EQ(stored(0)[0].pt().x, 1);

    company.SetFormatFields(true);
    for (const Table& t : kTables) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(rowCount(t.name), t.rows);
        if (t.code == 9)
            EXPECT_EQ(stored(9)[0].pt().x, 1);
        else
            EXPECT_EQ(prefix(stored(t.code), t.rows), builtIn(t.code));
    }
    EXPECT_FALSE(company.db->isInTransaction());
}

TEST_F(LayoutTables, SavedLayoutRoundTripsAndOnlyItsFieldsAreWritten) {
    for (const Table& t : kTables) {
        SCOPED_TRACE(t.name);
        (company.*t.insert)();
        WX_FORMAT holder;
        Layout edited = format().GetWXFmt(holder.Val, t.code, false, &company);   // 100 entries
        edited[1] = WX_FMTVAL(1, 1, 3, 250, 12, 700);
        edited[t.rows - 1].pt().y = 499;
        edited[t.rows] = WX_FMTVAL(0, 0, 1, 9, 9, 9);                          // beyond the form

        EXPECT_TRUE((company.*t.update)(edited));

        EXPECT_EQ(rowCount(t.name), t.rows);
        Layout s = stored(t.code);
        EXPECT_EQ(prefix(s, t.rows), prefix(edited, t.rows));
        EXPECT_EQ(s[t.rows], WX_FMTVAL());
    }
}

// Saving into an empty table must not lose the user's edit: the table is seeded and
// then the edit applied.
TEST_F(LayoutTables, SavingIntoAnEmptyTableKeepsTheEdit) {
    for (const Table& t : kTables) {
        SCOPED_TRACE(t.name);
        Layout edited = builtIn(t.code);
        edited[2] = WX_FMTVAL(1, 0, 1, 50, 300, 301);

        EXPECT_TRUE((company.*t.update)(edited));

        EXPECT_EQ(rowCount(t.name), t.rows);
        EXPECT_EQ(prefix(stored(t.code), t.rows), edited);
        EXPECT_FALSE(company.db->isInTransaction());
    }
}

// A save that fails part-way leaves the stored layout as it was, says why once and
// reports the failure to its caller.
TEST_F(LayoutTables, SavingThatFailsStoresNothingAndSaysSo) {
    for (const Table& t : kTables) {
        SCOPED_TRACE(t.name);
        (company.*t.insert)();
        const Layout before = stored(t.code);
        ASSERT_TRUE(company.db->executeStatements(std::string("create trigger refuse before update on ") + t.name +
                                                  " when new.mappingID = 3 begin select raise(abort, 'field 3 is locked'); end;"));
        Layout edited = before;
        edited[0].pt().x = 11;   // written before the failing row
        edited[3].pt().x = 12;
        const size_t shown = ui->boxes().size();
        ui->answerBox(1);

        EXPECT_FALSE((company.*t.update)(edited));

        EXPECT_EQ(stored(t.code), before);
        EXPECT_FALSE(company.db->isInTransaction());
        ASSERT_EQ(ui->boxes().size(), shown + 1);
        EXPECT_NE(ui->boxes().back().details.find("field 3 is locked"), std::string::npos);
        ASSERT_TRUE(company.db->executeStatements("drop trigger refuse;"));
    }
    boxesChecked = true;
}

TEST_F(LayoutTables, SavingJoinsTheCallersTransaction) {
    company.Insert1099NECFields();
    Layout edited = stored(9);
    edited[5].pt().y = 400;
    ASSERT_TRUE(company.db->beginTransaction());
    EXPECT_TRUE(company.Update1099NECFields(edited));
    EXPECT_TRUE(company.db->isInTransaction());
    ASSERT_TRUE(company.db->rollback());
    EXPECT_EQ(stored(9)[5].pt().y, 108);
}

// A file whose table lacks some field rows still keeps every field of the edit.
TEST_F(LayoutTables, SavingAddsTheRowsAFileLacks) {
    ASSERT_TRUE(company.db->executeUpdate("insert into _1096Format values (0, 0, 0, 1, 150, 80, 135)"));
    Layout edited = builtIn(2);
    edited[17].pt() = WX_XPOINT{300, 310};
    EXPECT_TRUE(company.Update1096Fields1(edited));
    EXPECT_EQ(rowCount("_1096Format"), 18);
    EXPECT_EQ(prefix(stored(2), 18), edited);
}

TEST_F(LayoutTables, ReadingReplacesOnlyTheStoredFieldNumbers) {
    company.Insert1099NECFields();
    // Rows whose field number the destination cannot hold are left out.
    ASSERT_TRUE(company.db->executeUpdate("insert into _1099NECFormat values (-1, 1, 1, 1, 1, 1, 1)"));
    ASSERT_TRUE(company.db->executeUpdate("insert into _1099NECFormat values (150, 1, 1, 1, 1, 1, 1)"));

    WX_FORMAT holder;
    holder.Val[30].setWidth(77);
    Layout& read = company.Select1099NECFields(holder.Val);

    EXPECT_EQ(&read, &holder.Val);
    ASSERT_EQ(read.size(), 100u);
    EXPECT_EQ(prefix(read, 24), builtIn(9));
    EXPECT_EQ(read[24], WX_FMTVAL());
    EXPECT_EQ(read[30].width(), 77);
    EXPECT_EQ(read[99], WX_FMTVAL());
}

TEST_F(LayoutTables, StoredNoPrintFlagIsKept) {
    company.Insert1099MISCFields();
    ASSERT_TRUE(company.db->executeUpdate("update _1099MiscFormat set noPrint = 1 where mappingID = 34"));
    EXPECT_EQ(stored(0)[34].noprint(), 1);
    EXPECT_EQ(stored(0)[33].noprint(), 0);
}

TEST_F(LayoutTables, LoaderReadsTheStoredCopyOnlyWhenAskedTo) {
    company.Insert1099MISCFields();
    ASSERT_TRUE(company.db->executeUpdate("update _1099MiscFormat set xCoord = 400 where mappingID = 0"));
    WX_FORMAT holder;
    EXPECT_EQ(format().GetWXFmt(holder.Val, 0, true, &company)[0].pt().x, 425);
    EXPECT_EQ(holder.Val[0], WX_FMTVAL());
    EXPECT_EQ(format().GetWXFmt(holder.Val, 0, false, &company)[0].pt().x, 400);
    EXPECT_EQ(holder.Val[0].pt().x, 400);
}

}  // namespace
