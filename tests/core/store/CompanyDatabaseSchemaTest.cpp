// The schema of a new company database file, column by column.

#include <map>
#include <sstream>

#include <sys/stat.h>

#include "CompanyDbTestSupport.h"
#include "WithoutFileOverride.h"

namespace {

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> out;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        auto b = item.find_first_not_of(' ');
        auto e = item.find_last_not_of(' ');
        out.push_back(item.substr(b, e - b + 1));
    }
    return out;
}

std::vector<std::string> loginsColumns() {
    std::vector<std::string> c = split(
        "pk INT PK, userType INT, name TEXT, password TEXT, fontSize INT, doNotShowWelcomeDialog INT");
    for (const char* prefix : {"mainWindow", "admin", "userDetails", "import", "companyDetails", "recipientDetails",
                               "recipientDivDetails", "recipientIntDetails", "recipientRDetails",
                               "recipientSDetails", "eFile", "deleteRecipient", "printMiscRecipientSelector",
                               "printRecipient", "printCompany"})
        for (const char* part : {"XCoord", "YCoord", "Width", "Height"})
            c.push_back(std::string(prefix) + part + " INT");
    for (const auto& s : split(
             "recipientSort INTEGER, companySort INTEGER, doNotShowPrintAlignmentDialog INTEGER, "
             "printIntRecipientSelectorXCoord INT, printIntRecipientSelectorYCoord INT, "
             "printIntRecipientSelectorWidth INT, printIntRecipientSelectorHeight INT, dbm_Width INT, dbm_Height INT, "
             "dbm_XCoord INT, dbm_YCoord INT, imptype_Width INT, imptype_Height INT, imptype_XCoord INT, "
             "imptype_YCoord INT, impComp_Width INT, impComp_Height INT, impComp_XCoord INT, impComp_YCoord INT"))
        c.push_back(s);
    return c;
}

const char* const kLayoutColumns =
    "mappingID INT, noPrint INT, rJust INT, height INT, width INT, xCoord INT, yCoord INT";

// The schema every row operation relies on.
std::map<std::string, std::vector<std::string>> expectedSchema() {
    std::map<std::string, std::vector<std::string>> s;
    s["database"] = split("pk INT PK, current_version INT, in_use INTEGER, year INT, name TEXT, isBackup INT");
    s["companies"] = split(
        "pk INT PK, taxID TEXT, name TEXT, address TEXT, city TEXT, state TEXT, zip TEXT, phone TEXT, fax TEXT, "
        "email TEXT, contact TEXT, contactPhone TEXT, finalFlag INT, idFlag INT, mode INT, validated INTEGER, "
        "oregonBIN TEXT, name_type TEXT, tin_type TEXT, suffix TEXT, firstname TEXT, middleName TEXT, "
        "lastname TEXT, payerphone_type TEXT, bussinessadd2 TEXT, payercountry TEXT, combinedFilingProgram INT, "
        "MISC_TypeFiling TEXT, DIV_TypeFiling TEXT, INT_TypeFiling TEXT, R_TypeFiling TEXT, S_TypeFiling TEXT, "
        "NEC_TypeFiling TEXT");
    s["logins"] = loginsColumns();
    s["recipients"] = split(
        "company_FK INT, pk INT PK, type INT, validated INT, printed INT, completed INT, mode INT, corrected INT, "
        "void INT, firstName TEXT, lastName TEXT, address TEXT, city TEXT, state TEXT, zip TEXT, taxID TEXT, "
        "accountNumber TEXT, addressIsNotUSTerritory INT, country TEXT, secondTin INT, line1 TEXT, line2 TEXT, "
        "line3 TEXT, line4 TEXT, line5 TEXT, line6 TEXT, line7 TEXT, line8 TEXT, line9 INT, line10 TEXT, "
        "line11 TEXT, line13 TEXT, line14 TEXT, line15a TEXT, line15b TEXT, line16_1 TEXT, line16_2 TEXT, "
        "line17_1 TEXT, line17_2 TEXT, line18_1 TEXT, line18_2 TEXT, div_line1a TEXT, div_line1b TEXT, "
        "div_line2a TEXT, div_line2b TEXT, div_line2c TEXT, div_line2d TEXT, div_line3 TEXT, div_line4 TEXT, "
        "div_line5 TEXT, div_line6 TEXT, div_line7 TEXT, div_line8 TEXT, div_line9 TEXT, div_line10 TEXT, "
        "div_line11 TEXT, div_line12 TEXT, div_line12_2 TEXT, div_line13 TEXT, div_line13_2 TEXT, "
        "div_line14 TEXT, div_line14_2 TEXT, int_payerRTN TEXT, int_line1 TEXT, int_line2 TEXT, int_line3 TEXT, "
        "int_line4 TEXT, int_line5 TEXT, int_line6 TEXT, int_line7 TEXT, int_line8 TEXT, int_line9 TEXT, "
        "int_line14 TEXT, int_line15 TEXT, int_line10 INT, int_line11 INT, int_line11_2 TEXT, int_line12 TEXT, "
        "int_line12_2 TEXT, int_line13 TEXT, int_line13_2 TEXT, int_line16 TEXT, int_line17 TEXT, r_line1 TEXT, "
        "r_line2a TEXT, r_line2b_checkbox_1 INT, r_line2b_checkbox_2 INT, r_line3 TEXT, r_line4 TEXT, "
        "r_line5 TEXT, r_line6 TEXT, r_line7_checkbox INT, r_line7_code TEXT, r_line8 TEXT, "
        "r_line8_percentage INT, r_line9a INT, r_line9b TEXT, r_line10 TEXT, r_line11 TEXT, r_line12_1 TEXT, "
        "r_line12_2 TEXT, r_line13_1 TEXT, r_line13_2 TEXT, r_line14_1 TEXT, r_line14_2 TEXT, r_line15_1 TEXT, "
        "r_line15_2 TEXT, r_line16_1 TEXT, r_line16_2 TEXT, r_line17_1 TEXT, r_line17_2 TEXT, s_line1 TEXT, "
        "s_line2 TEXT, s_address_line3 TEXT, s_city_line3 TEXT, s_state_line3 TEXT, s_zip_line3 TEXT, "
        "s_line4 INT, s_line5 TEXT, s_line6 INT, FATCA_MISC INT, FATCA_INT INT, FATCA_DIV INT, FATCA_R INT, "
        "r_DateOfPayment TEXT, div_sec199ADiv TEXT, nec_line1 TEXT, nec_line4 TEXT, nec_line5_1 TEXT, "
        "nec_line5_2 TEXT, nec_line6_1 TEXT, nec_line6_2 TEXT, nec_line7_1 TEXT, nec_line7_2 TEXT, "
        "FATCA_NEC INT, line12 TEXT, nec_line2_2 INT, div_line2e TEXT, div_line2f TEXT, nec_line3 TEXT");
    s["recipients_additionalinfo"] = split(
        "company_FK INT, pk INT PK, type INT, validated INT, printed INT, completed INT, corrected INT, void INT, "
        "tin_type TEXT, name_type TEXT, suffix TEXT, middleName TEXT, lastname_surname TEXT, addline2 TEXT, "
        "Officecode TEXT, line19_1 TEXT, line19_2 TEXT, line20_1 TEXT, line20_2 TEXT, line21_1 TEXT, "
        "line21_2 TEXT, div_line15_1 TEXT, div_line15_2 TEXT, div_line16_1 TEXT, div_line16_2 TEXT, "
        "div_line17_1 TEXT, div_line17_2 TEXT, int_line18_1 TEXT, int_line18_2 TEXT, int_line19_1 TEXT, "
        "int_line19_2 TEXT, int_line20_1 TEXT, int_line20_2 TEXT, r_line18_1 TEXT, r_line18_2 TEXT, "
        "r_line19_1 TEXT, r_line19_2 TEXT, r_line20_1 TEXT, r_line20_2 TEXT, r_line21_1 TEXT, r_line21_2 TEXT, "
        "nec_line8_1 TEXT, nec_line8_2 TEXT, nec_line9_1 TEXT, nec_line9_2 TEXT, nec_line10_1 TEXT, "
        "nec_line10_2 TEXT");
    s["transmitter"] = split(
        "pk INT PK, controlCode TEXT, tin TEXT, name TEXT, company TEXT, address TEXT, city TEXT, state TEXT, "
        "zip TEXT, contactName TEXT, contactPhone TEXT, contactEmail TEXT, testFile INT, combinedFilingProgram INT, "
        "NECState TEXT");
    s["mailinglabel"] = split(
        "pk INT PK, CompanyFK INT, left TEXT, top TEXT, height TEXT, width TEXT, across TEXT, factor TEXT");
    for (const char* t : {"_1099MiscFormat", "_1099SFormat", "_1099INTFormat", "_1099DIVFormat", "_1099RFormat",
                          "_1096Format", "_1099NECFormat"})
        s[t] = split(kLayoutColumns);
    s["importFields"] = split("recipientType INT, fieldIndex INT, importField INT");
    s["importCompFields"] = split("fieldIndex INT, importField INT");
    return s;
}

// index name -> "table(columns)"
std::map<std::string, std::string> expectedIndexes() {
    return {{"loginsIndex", "logins(pk,userType)"},        {"companiesIndex", "companies(pk)"},
            {"MiscFormatIndex", "_1099MiscFormat(mappingID)"}, {"SFormatIndex", "_1099SFormat(mappingID)"},
            {"INTFormatIndex", "_1099INTFormat(mappingID)"},  {"DIVFormatIndex", "_1099DIVFormat(mappingID)"},
            {"RFormatIndex", "_1099RFormat(mappingID)"},      {"NECFormatIndex", "_1099NECFormat(mappingID)"},
            {"recipientsIndex", "recipients(company_FK,pk,type)"}};
}

}  // namespace

class CompanyDatabaseSchema : public CompanyDbTest {
protected:
    std::map<std::string, std::vector<std::string>> schemaOf(FMDatabase& db) {
        std::map<std::string, std::vector<std::string>> s;
        auto rs = db.executeQuery("select name from sqlite_master where type = 'table';");
        std::vector<std::string> tables;
        while (rs && rs->next()) tables.push_back(*rs->stringForColumn("name"));
        if (rs) rs->close();
        for (const auto& t : tables) s[t] = tableInfo(db, t);
        return s;
    }

    std::map<std::string, std::string> indexesOf(FMDatabase& db) {
        std::map<std::string, std::string> out;
        std::vector<std::pair<std::string, std::string>> found;
        auto rs = db.executeQuery(
            "select name, tbl_name from sqlite_master where type = 'index' and name not like 'sqlite_autoindex%';");
        while (rs && rs->next()) found.emplace_back(*rs->stringForColumn("name"), *rs->stringForColumn("tbl_name"));
        if (rs) rs->close();
        for (const auto& [name, table] : found) {
            std::string columns;
            auto info = db.executeQuery("pragma index_info(" + name + ");");
            while (info && info->next()) columns += (columns.empty() ? "" : ",") + *info->stringForColumn("name");
            if (info) info->close();
            out[name] = table + "(" + columns + ")";
        }
        return out;
    }
};

TEST_F(CompanyDatabaseSchema, NewFileHasTheCurrentSchemaColumnByColumn) {
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), true, false, true, "Company"));
    auto schema = schemaOf(*cdb.db);
    auto expected = expectedSchema();

    std::vector<std::string> names, expectedNames;
    for (const auto& [t, c] : schema) names.push_back(t);
    for (const auto& [t, c] : expected) expectedNames.push_back(t);
    EXPECT_EQ(names, expectedNames);
    for (const auto& [table, columns] : expected) {
        SCOPED_TRACE(table);
        EXPECT_EQ(schema[table], columns);
    }
    EXPECT_EQ(schema["recipients"].size(), 140u);
    EXPECT_EQ(schema["logins"].size(), 85u);
    EXPECT_EQ(schema["recipients_additionalinfo"].size(), 47u);

    EXPECT_EQ(indexesOf(*cdb.db), expectedIndexes());
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(CompanyDatabaseSchema, NewFileInformationRowAndBuiltInLogins) {
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
        EXPECT_EQ(text(*cdb.db, "select current_version from database;"), "36");
        EXPECT_EQ(text(*cdb.db, "select in_use from database;"), "0");
        EXPECT_EQ(text(*cdb.db, "select count(*) from database;"), "1");
        EXPECT_EQ(text(*cdb.db, "select pk from database;"), "0");
        EXPECT_EQ(cdb.GetYear(), 2025);
        EXPECT_EQ(text(*cdb.db, "select group_concat(pk || ':' || name || ':' || userType || ':' || fontSize, ' ') "
                                "from (select * from logins order by pk);"),
                  "0:tvs1099:1:14 1:Harbour:1:14");
        cdb.Close();
    }
    CompanyDatabase again;
    ASSERT_TRUE(again.Init(path(), true, false, true, "Company"));
    EXPECT_EQ(again.GetInUseCount(), 1);
    EXPECT_EQ(text(*again.db, "select count(*) from logins;"), "2");
}

// A file of the current version without the payers' index of its recipients gets it
// when it is opened, and keeps its version; a file that cannot be written just then
// (locked by another program, or read-only) opens as it is, and gets it later.
TEST_F(CompanyDatabaseSchema, TheRecipientsIndexIsMadeWhenAFileLacksItAndNeverStopsAnOpen) {
    auto hasIndex = [](FMDatabase& db) {
        return text(db, "select count(*) from sqlite_master where type = 'index' and name = 'recipientsIndex';") == "1";
    };
    {
        CompanyDatabase made;
        ASSERT_TRUE(made.Init(path(), false, false, true, "Company"));
    }
    auto dropIndex = [&] { ASSERT_TRUE(raw(path())->executeUpdate("drop index recipientsIndex;")); };
    auto open = [&](CompanyDatabase& cdb) { return cdb.Init(path(), false, false, true, "Company"); };

    dropIndex();
    {
        // Another program writes to the file: the open does not wait for it.
        auto writer = raw(path());
        ASSERT_TRUE(writer->executeUpdate("begin immediate;"));
        CompanyDatabase cdb;
        ASSERT_TRUE(open(cdb));
        EXPECT_FALSE(hasIndex(*cdb.db));
        EXPECT_TRUE(cdb.IsReady());
        ASSERT_TRUE(writer->rollback());
    }
    {
        ::chmod(path().c_str(), 0444);
        WithoutFileOverride plainUser;
        CompanyDatabase cdb;
        ASSERT_TRUE(open(cdb));
        EXPECT_FALSE(hasIndex(*cdb.db));
        EXPECT_TRUE(cdb.GetCompanyList().empty());
    }
    ::chmod(path().c_str(), 0644);
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(open(cdb));
        EXPECT_TRUE(hasIndex(*cdb.db));
        EXPECT_EQ(text(*cdb.db, "select current_version from database;"), "36");
        EXPECT_EQ(indexesOf(*cdb.db), expectedIndexes());
    }
    // Made once: a file that has it is not written to on opening.
    const std::string before = text(*raw(path()), "pragma schema_version;");
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(open(cdb));
    }
    EXPECT_EQ(text(*raw(path()), "pragma schema_version;"), before);
    EXPECT_TRUE(ui->shown().empty());
}
