// Upgrade steps 19 to 36 of the company database schema.

#include "core/foundation/tvDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyDatabaseUpgradeSteps.h"

namespace companydb_upgrade {

namespace {

// The support login as step 20 writes it when it replaces a nameless login: frames as
// X, Y, width and height, in the column order of the logins table.
void insertSupportLoginRow(CompanyDatabase& cdb) {
    static const int frames[15][4] = {
        {100, 100, 745, 548}, {50, 50, 606, 415},   {50, 50, 500, 400},   {50, 50, 900, 600},
        {50, 50, 779, 594},   {50, 50, 1019, 631},  {100, 100, 900, 608}, {100, 100, 892, 620},
        {100, 100, 1015, 672}, {100, 100, 830, 611}, {100, 100, 800, 775}, {100, 100, 300, 300},
        {100, 100, 598, 426}, {50, 50, 300, 300},   {50, 50, 670, 464},
    };
    const auto& loginColumns = loginsStep1Columns();  // pk … printCompanyHeight
    std::string names;
    std::string marks;
    for (const auto& c : loginColumns) {
        names += std::string(c.name) + ", ";
        marks += "?, ";
    }
    names += "recipientSort, companySort, doNotShowPrintAlignmentDialog";
    marks += "?, ?, ?";
    std::vector<FMValue> values = {0, 1, kSupportLoginName, tvDatabase::Encrypt(supportPassword()), 14, 0};
    for (const auto& frame : frames)
        for (int v : frame) values.emplace_back(v);
    values.insert(values.end(), {0, 0, 0});
    exec(cdb, "insert into logins (" + names + ") values (" + marks + ");", values);
}

const char* const kAmountColumns[] = {
    "line1",        "line2",        "line3",          "line4",      "line5",      "line6",      "line8",
    "line10",       "line11",       "line13",         "line14",     "line15a",    "line15b",    "line16_1",
    "line16_2",     "line18_1",     "line18_2",       "div_line1a", "div_line1b", "div_line2a", "div_line2b",
    "div_line2c",   "div_line2d",   "div_line3",      "div_line4",  "div_line5",  "div_line6",  "div_line8",
    "div_line9",    "div_line10",   "div_line11",     "div_line14", "div_line14_2", "div_sec199ADiv",
    "int_line1",    "int_line2",    "int_line3",      "int_line4",  "int_line5",  "int_line6",  "int_line8",
    "int_line9",    "int_line14",   "int_line15",     "int_line13", "int_line13_2", "int_line16", "int_line17",
    "r_line1",      "r_line2a",     "r_line3",        "r_line4",    "r_line5",    "r_line6",    "r_line8",
    "r_line9b",     "r_line10",     "r_line12_1",     "r_line12_2", "r_line14_1", "r_line14_2", "r_line15_1",
    "r_line15_2",   "r_line17_1",   "r_line17_2",     "s_line5",
};

void rewriteAmounts(CompanyDatabase& cdb) {
    std::string list;
    std::string assignments;
    for (const char* c : kAmountColumns) {
        if (!list.empty()) {
            list += ", ";
            assignments += ", ";
        }
        list += c;
        assignments += std::string(c) + " = ?";
    }
    std::vector<std::vector<FMValue>> updates;
    // A recipient that cannot be read ends the step: none is rewritten from a part.
    if (!readEachRow(cdb, "select pk, " + list + " from recipients;", [&](FMResultSet& rs) {
            std::vector<FMValue> values;
            for (const char* c : kAmountColumns) values.emplace_back(cdb.UpdateRecipientFields(rs.stringForColumn(c)));
            values.emplace_back(rs.intForColumn("pk"));
            updates.push_back(std::move(values));
        }))
        return;
    for (const auto& values : updates)
        exec(cdb, "update recipients set " + assignments + " where pk = ?;", values);
}

}  // namespace

void step19(CompanyDatabase& cdb) {
    exec(cdb, "delete from _1099INTFormat where mappingID In(33, 34)");
    applyLayoutChanges(cdb, 19, "INT");
}

void step20(CompanyDatabase& cdb) {
    rebuildRecipients(cdb, "modf_recipients", recipientsColumns(20));
    exec(cdb, "update recipients set s_line6 = '';");
    exec(cdb, "delete from _1099SFormat where mappingID In(8)");
    applyLayoutChanges(cdb, 20, "S");
    if (queryHasRow(cdb, "select * from logins where name = '' and password = ''")) {
        exec(cdb, "delete from logins where name = '' and password = ''");
        insertSupportLoginRow(cdb);
    }
    if (queryHasRow(cdb, "select * from recipients where void = '1'"))
        exec(cdb, "update recipients set void = (?);", {FMValue()});
    if (queryHasRow(cdb, "select * from recipients where corrected = '1'"))
        exec(cdb, "update recipients set corrected = ?;", {FMValue()});
}

void step21(CompanyDatabase& cdb) {
    addColumn(cdb, "recipients", "r_DateOfPayment", "TEXT", "''");
    applyLayoutChanges(cdb, 21, "R");
    addColumn(cdb, "recipients", "div_sec199ADiv", "TEXT", "'-1'");
    applyLayoutChanges(cdb, 21, "DIV");
}

void step22(CompanyDatabase& cdb) { rebuildRecipients(cdb, "SFtemp_recipients", recipientsColumns(22)); }

void step23(CompanyDatabase& cdb) {
    rebuildRecipients(cdb, "SFtemp_recipients", recipientsColumns(23));
    rewriteAmounts(cdb);
}

void step24(CompanyDatabase& cdb) {
    exec(cdb, "create table _1099NECFormat (mappingID INT, noPrint INT, rJust INT, height INT, width INT, xCoord "
              "INT, yCoord INT);");
    exec(cdb, "create index NECFormatIndex on _1099NECFormat (mappingID);");
    for (const char* c : {"nec_line1", "nec_line4", "nec_line5_1", "nec_line5_2", "nec_line6_1", "nec_line6_2",
                          "nec_line7_1", "nec_line7_2"})
        addColumn(cdb, "recipients", c, "TEXT", nullptr);
    addColumn(cdb, "recipients", "FATCA_NEC", "INT", nullptr);
    addColumn(cdb, "recipients", "line12", "TEXT", "'0'");
    for (const char* c : {"nec_line1", "nec_line4", "nec_line5_1", "nec_line5_2", "nec_line6_1", "nec_line6_2",
                          "nec_line7_1", "nec_line7_2", "FATCA_NEC"})
        exec(cdb, std::string("update recipients set ") + c + " = -1;");
    // The four 1099-MISC boxes move to their new places. The recipient record's own
    // update writes every column of the current schema, several of which only later
    // steps add, so at this version it would fail for every recipient: the move is
    // made on the columns themselves.
    exec(cdb, "update recipients set line7 = line10, line10 = line14, line12 = line15a, line14 = '' where type = 1;");
    for (void (CompanyDatabase::*operation)() : {&CompanyDatabase::Insert1099NECFields, &CompanyDatabase::Insert1096Fields})
        if (goOn(cdb)) (cdb.*operation)();
}

void step25(CompanyDatabase& cdb) {
    if (goOn(cdb)) cdb.Insert1099NECFields();
    const std::string sql =
        "update _1099MiscFormat set  noPrint = (?), rJust = (?), height = (?), width = (?), xCoord = (?), yCoord = "
        "(?)where mappingID = (?); ";
    exec(cdb, sql, {0, 0, 1, 10, 503, 280, 11});
    exec(cdb, sql, {0, 0, 1, 100, 425, 330, 13});
    exec(cdb, "alter table transmitter add column NECState TEXT;");
    exec(cdb, "Update transmitter set NECState = '';");
}

void step26(CompanyDatabase& cdb) {
    for (const char* form : {"MISC", "1096", "NEC"}) resetLayout(cdb, form);
}

void step27(CompanyDatabase& cdb) {
    addColumn(cdb, "recipients", "nec_line2_2", "INT", "0");
    // line11 exists: the alter fails, the value is still set.
    addColumn(cdb, "recipients", "line11", "TEXT", "0");
    addColumn(cdb, "recipients", "div_line2e", "TEXT", "0");
    addColumn(cdb, "recipients", "div_line2f", "TEXT", "0");
    resetLayout(cdb, "NEC");
    resetLayout(cdb, "DIV");
}

void step28(CompanyDatabase& cdb) {
    for (const char* form : {"MISC", "DIV", "INT", "R", "S", "NEC", "1096"}) resetLayout(cdb, form);
}

void step29(CompanyDatabase& cdb) {
    // Each repair writes payer by payer and recipient by recipient; the first write
    // that fails ends the step, and running it again repairs the rest.
    for (void (CompanyDatabase::*repair)() :
         {&CompanyDatabase::StateName_Company, &CompanyDatabase::StateName_MISC, &CompanyDatabase::StateName_DIV,
          &CompanyDatabase::StateName_INT, &CompanyDatabase::StateName_R, &CompanyDatabase::StateName_S,
          &CompanyDatabase::StateName_NEC, &CompanyDatabase::efileStatename})
        if (goOn(cdb)) (cdb.*repair)();
}

void step30(CompanyDatabase& cdb) {
    for (const char* form : {"MISC", "INT", "DIV", "S", "NEC"}) resetLayout(cdb, form);
}

void step31(CompanyDatabase& cdb) { step30(cdb); }

void step32(CompanyDatabase& cdb) { step30(cdb); }

void step33(CompanyDatabase& cdb) {
    for (const char* form : {"MISC", "INT", "DIV", "S", "NEC", "1096", "R"}) resetLayout(cdb, form);
}

void step34(CompanyDatabase& cdb) { step33(cdb); }

void step35(CompanyDatabase& cdb) {
    addColumn(cdb, "recipients", "nec_line3", "TEXT", "''");
    for (const char* c : {"name_type", "tin_type", "suffix", "firstname", "middleName", "lastname", "payerphone_type",
                          "bussinessadd2", "payercountry"})
        addColumn(cdb, "companies", c, "TEXT", "''");
    addColumn(cdb, "companies", "combinedFilingProgram", "INT", nullptr);
    for (const char* c :
         {"MISC_TypeFiling", "DIV_TypeFiling", "INT_TypeFiling", "R_TypeFiling", "S_TypeFiling", "NEC_TypeFiling"})
        addColumn(cdb, "companies", c, "TEXT", "0");
    exec(cdb, createTableSql("recipients_additionalinfo", recipientsAdditionalInfoColumns()));

    // Recipients are listed joined with their companion rows, so every recipient that
    // came from an older file gets a blank one under its own key.
    std::string names;
    std::string values;
    for (const auto& c : recipientsAdditionalInfoColumns()) {
        const std::string name = c.name;
        if (!names.empty()) {
            names += ", ";
            values += ", ";
        }
        names += name;
        if (name == "company_FK" || name == "pk" || name == "type") values += name;
        else if (std::string(c.type) == "INT") values += "0";
        else values += "''";
    }
    exec(cdb, "insert into recipients_additionalinfo (" + names + ") select " + values +
                  " from recipients where pk not in (select pk from recipients_additionalinfo);");
}

void step36(CompanyDatabase& cdb) { step33(cdb); }

}  // namespace companydb_upgrade
