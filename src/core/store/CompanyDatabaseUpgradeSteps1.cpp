// Upgrade steps 1 to 18 of the company database schema.

#include "core/foundation/UserInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyDatabaseUpgradeSteps.h"

namespace companydb_upgrade {

const char* const kSupportLoginName = "tvs1099";
const char* const kDefaultLoginName = "Harbour";

std::string supportPassword() { return "Tv$1099-Support"; }

void insertBuiltInLogin(CompanyDatabase& cdb, bool support) {
    UserInfo user;
    user.setUserName(support ? kSupportLoginName : kDefaultLoginName);
    user.setPassword(support ? supportPassword() : std::string(kDefaultLoginName));
    user.setUserType(1);
    // A key already taken leaves the login out; any other failure ends the step.
    inOneWrite(cdb, [&] { (void)cdb.insertUserInfo(user); });
}

namespace {

const char* const kLayoutColumns =
    " (mappingID INT, noPrint INT, rJust INT, height INT, width INT, xCoord INT, yCoord INT);";

}  // namespace

void step1(CompanyDatabase& cdb) {
    exec(cdb, "create table database (pk INT PRIMARY KEY, current_version INT);");
    exec(cdb, "insert into database (pk, current_version) values (0, 0);");
    exec(cdb, createTableSql("companies", {{"pk", "INT"},
                                           {"taxID", "TEXT"},
                                           {"name", "TEXT"},
                                           {"address", "TEXT"},
                                           {"city", "TEXT"},
                                           {"state", "TEXT"},
                                           {"zip", "TEXT"},
                                           {"phone", "TEXT"},
                                           {"fax", "TEXT"},
                                           {"email", "TEXT"},
                                           {"contact", "TEXT"},
                                           {"contactPhone", "TEXT"},
                                           {"finalFlag", "INT"},
                                           {"idFlag", "INT"},
                                           {"mode", "INT"}}));
    exec(cdb, createTableSql("logins", loginsStep1Columns()));
    exec(cdb, createTableSql("recipients", recipientsColumns(1)));
}

void step2(CompanyDatabase& cdb) { addColumn(cdb, "database", "in_use", "INTEGER", "'0'"); }

void step3(CompanyDatabase& cdb) {
    exec(cdb, createTableSql("transmitter", {{"pk", "INT"},
                                             {"controlCode", "TEXT"},
                                             {"tin", "TEXT"},
                                             {"name", "TEXT"},
                                             {"company", "TEXT"},
                                             {"address", "TEXT"},
                                             {"city", "TEXT"},
                                             {"state", "TEXT"},
                                             {"zip", "TEXT"},
                                             {"contactName", "TEXT"},
                                             {"contactPhone", "TEXT"},
                                             {"contactEmail", "TEXT"},
                                             {"testFile", "INT"},
                                             {"combinedFilingProgram", "INT"}}));
    addColumn(cdb, "companies", "validated", "INTEGER", "'0'");
    addColumn(cdb, "logins", "recipientSort", "INTEGER", "'0'");
    addColumn(cdb, "logins", "companySort", "INTEGER", "'0'");
}

void step4(CompanyDatabase& cdb) {
    addColumn(cdb, "logins", "doNotShowPrintAlignmentDialog", "INTEGER", "'0'");
    addColumn(cdb, "recipients", "addressIsNotUSTerritory", "INTEGER", "'0'");
    addColumn(cdb, "recipients", "country", "TEXT", "''");
}

// Files of version 5 and later hold taxpayer numbers, account numbers and passwords in
// the scrambled form already; nothing is known of the form older files used, so their
// values are left as stored.
void step5(CompanyDatabase&) {}

void step6(CompanyDatabase& cdb) {
    rebuildRecipients(cdb, "temp_recipients", recipientsColumns(6));
    exec(cdb, "update recipients set r_line10 = -1;");
    for (const char* table :
         {"_1099MiscFormat", "_1099SFormat", "_1099INTFormat", "_1099DIVFormat", "_1099RFormat", "_1096Format"})
        exec(cdb, std::string("create table ") + table + kLayoutColumns);
    if (goOn(cdb)) cdb.SetFormatFields(false);
    exec(cdb, "create table importFields (recipientType INT, fieldIndex INT, importField INT);");
    exec(cdb, "create index loginsIndex on logins (pk, userType);");
    exec(cdb, "create index companiesIndex on companies (pk);");
    exec(cdb, "create index recipientsIndex on recipients (company_FK, pk, type);");
    exec(cdb, "create index MiscFormatIndex on _1099MiscFormat (mappingID);");
    exec(cdb, "create index SFormatIndex on _1099SFormat (mappingID);");
    exec(cdb, "create index INTFormatIndex on _1099INTFormat (mappingID);");
    exec(cdb, "create index DIVFormatIndex on _1099DIVFormat (mappingID);");
    exec(cdb, "create index RFormatIndex on _1099RFormat (mappingID);");
}

void step7(CompanyDatabase& cdb) {
    if (!tableHasRow(cdb, "_1096Format")) return;
    for (const char* form : {"MISC", "DIV", "INT", "R", "S"}) applyLayoutChanges(cdb, 7, form);
}

void step8(CompanyDatabase& cdb) {
    if (tableHasRow(cdb, "_1096Format")) applyLayoutChanges(cdb, 8, "1096");
}

void step9(CompanyDatabase& cdb) { addColumn(cdb, "companies", "oregonBIN", "TEXT", "''"); }

void step10(CompanyDatabase& cdb) {
    if (tableHasRow(cdb, "_1099INTFormat")) applyLayoutChanges(cdb, 10, "INT");
    addColumn(cdb, "recipients", "div_line10", "INT", "'0'");
    addColumn(cdb, "recipients", "div_line11", "INT", "'0'");
    addColumn(cdb, "recipients", "div_line12", "TEXT", "''");
    addColumn(cdb, "recipients", "div_line13", "TEXT", "''");
    addColumn(cdb, "recipients", "div_line14", "INT", "'0'");
    if (tableHasRow(cdb, "_1099DIVFormat")) applyLayoutChanges(cdb, 10, "DIV");
    addColumn(cdb, "recipients", "int_line11", "TEXT", "''");
    addColumn(cdb, "recipients", "int_line12", "TEXT", "''");
    addColumn(cdb, "recipients", "int_line13", "INT", "'0'");
    if (tableHasRow(cdb, "_1099SFormat")) applyLayoutChanges(cdb, 10, "S");
    if (tableHasRow(cdb, "_1099RFormat")) applyLayoutChanges(cdb, 10, "R");
}

void step11(CompanyDatabase& cdb) {
    addColumn(cdb, "database", "year", "INT", std::to_string(kFileYear).c_str());
}

void step12(CompanyDatabase& cdb) {
    if (rowCount(cdb, "_1096Format") != 17) return;
    exec(cdb,
         "insert into _1096Format (mappingID, noPrint, rJust, height, width, xCoord, yCoord) values(  ?, ?, ?, ?, "
         "?, ?, ? );",
         {17, 0, 0, 0, 0, 0, 0});
}

void step13(CompanyDatabase& cdb) {
    // line11 exists since the first schema: the alter fails, the value is still set.
    addColumn(cdb, "recipients", "line11", "INT", "'0'");
    addColumn(cdb, "recipients", "line12", "TEXT", "''");
    addColumn(cdb, "recipients", "div_line12_2", "TEXT", "''");
    addColumn(cdb, "recipients", "div_line13_2", "TEXT", "''");
    addColumn(cdb, "recipients", "div_line14_2", "TEXT", "'-1'");
    addColumn(cdb, "recipients", "int_line11_2", "TEXT", "''");
    addColumn(cdb, "recipients", "int_line12_2", "TEXT", "''");
    addColumn(cdb, "recipients", "int_line13_2", "INT", "'-1'");
    if (tableHasRow(cdb, "_1099INTFormat")) applyLayoutChanges(cdb, 13, "INT");
    if (tableHasRow(cdb, "_1099DIVFormat")) applyLayoutChanges(cdb, 13, "DIV");
}

void step14(CompanyDatabase& cdb) {
    addColumn(cdb, "recipients", "int_line14", "INT", "-1");
    addColumn(cdb, "recipients", "int_line15", "INT", "-1");
    if (tableHasRow(cdb, "_1099INTFormat")) applyLayoutChanges(cdb, 14, "INT");
    for (const char* part : {"XCoord", "YCoord", "Width", "Height"})
        addColumn(cdb, "logins", std::string("printIntRecipientSelector") + part, "INT", "-1");
}

void step15(CompanyDatabase& cdb) {
    for (const char* c : {"dbm_Width", "dbm_Height", "dbm_XCoord", "dbm_YCoord"})
        addColumn(cdb, "logins", c, "INT", "-1");
    addColumn(cdb, "database", "name", "TEXT", nullptr);
    addColumn(cdb, "database", "isBackup", "INT", nullptr);
    for (const char* c : {"imptype_Width", "imptype_Height", "imptype_XCoord", "imptype_YCoord", "impComp_Width",
                          "impComp_Height", "impComp_XCoord", "impComp_YCoord"})
        addColumn(cdb, "logins", c, "INT", "-1");
    exec(cdb, "create table importCompFields (fieldIndex INT, importField INT);");
    for (const char* c : {"FATCA_MISC", "FATCA_DIV", "FATCA_INT", "int_line16"})
        addColumn(cdb, "recipients", c, "INT", "-1");
    if (tableHasRow(cdb, "_1099INTFormat"))
        for (const char* form : {"MISC", "DIV", "INT"}) applyLayoutChanges(cdb, 15, form);
    // A file that runs this step again keeps the built-in logins it has.
    if (!queryHasRow(cdb, "select * from logins where name = 'tvs1099'")) insertBuiltInLogin(cdb, true);
    if (!queryHasRow(cdb, "select * from logins where name = 'Harbour'")) insertBuiltInLogin(cdb, false);
}

void step16(CompanyDatabase& cdb) {
    exec(cdb, createTableSql("mailinglabel", {{"pk", "INT"},
                                              {"CompanyFK", "INT"},
                                              {"left", "TEXT"},
                                              {"top", "TEXT"},
                                              {"height", "TEXT"},
                                              {"width", "TEXT"},
                                              {"across", "TEXT"},
                                              {"factor", "TEXT"}}));
    inOneWrite(cdb, [&] { cdb.insertMissingMailingLabels(); });
}

void step17(CompanyDatabase& cdb) {
    if (!queryHasRow(cdb, "select * from logins where name = 'tvs1099'")) insertBuiltInLogin(cdb, true);
    if (!queryHasRow(cdb, "select * from logins where name = 'Harbour'")) insertBuiltInLogin(cdb, false);
    if (queryHasRow(cdb, "select * from logins where name = '' and password = ''"))
        exec(cdb, "delete from logins where name = '' and password = ''");
}

void step18(CompanyDatabase& cdb) {
    addColumn(cdb, "recipients", "int_line17", "INT", "'-1'");
    addColumn(cdb, "recipients", "FATCA_R", "INT", "-1");
    applyLayoutChanges(cdb, 18, "R");
    if (goOn(cdb)) cdb.SetFormatFields(true);
}

}  // namespace companydb_upgrade
