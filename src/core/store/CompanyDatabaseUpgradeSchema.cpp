// Column lists of the tables that the upgrade chain creates whole or rebuilds.

#include <algorithm>
#include <set>
#include <string>

#include "core/store/CompanyDatabaseUpgradeSteps.h"

namespace companydb_upgrade {

namespace {

// recipients as the rebuild of step 23 leaves it; later steps only append columns.
const std::vector<Column>& recipientsStep23() {
    static const std::vector<Column> columns = {
        {"company_FK", "INT"}, {"pk", "INT"}, {"type", "INT"}, {"validated", "INT"}, {"printed", "INT"},
        {"completed", "INT"}, {"mode", "INT"}, {"corrected", "INT"}, {"void", "INT"},
        {"firstName", "TEXT"}, {"lastName", "TEXT"}, {"address", "TEXT"}, {"city", "TEXT"},
        {"state", "TEXT"}, {"zip", "TEXT"}, {"taxID", "TEXT"}, {"accountNumber", "TEXT"},
        {"addressIsNotUSTerritory", "INT"}, {"country", "TEXT"}, {"secondTin", "INT"},
        {"line1", "TEXT"}, {"line2", "TEXT"}, {"line3", "TEXT"}, {"line4", "TEXT"}, {"line5", "TEXT"},
        {"line6", "TEXT"}, {"line7", "TEXT"}, {"line8", "TEXT"}, {"line9", "INT"}, {"line10", "TEXT"},
        {"line11", "TEXT"}, {"line13", "TEXT"}, {"line14", "TEXT"}, {"line15a", "TEXT"},
        {"line15b", "TEXT"}, {"line16_1", "TEXT"}, {"line16_2", "TEXT"}, {"line17_1", "TEXT"},
        {"line17_2", "TEXT"}, {"line18_1", "TEXT"}, {"line18_2", "TEXT"},
        {"div_line1a", "TEXT"}, {"div_line1b", "TEXT"}, {"div_line2a", "TEXT"}, {"div_line2b", "TEXT"},
        {"div_line2c", "TEXT"}, {"div_line2d", "TEXT"}, {"div_line3", "TEXT"}, {"div_line4", "TEXT"},
        {"div_line5", "TEXT"}, {"div_line6", "TEXT"}, {"div_line7", "TEXT"}, {"div_line8", "TEXT"},
        {"div_line9", "TEXT"}, {"div_line10", "TEXT"}, {"div_line11", "TEXT"}, {"div_line12", "TEXT"},
        {"div_line12_2", "TEXT"}, {"div_line13", "TEXT"}, {"div_line13_2", "TEXT"},
        {"div_line14", "TEXT"}, {"div_line14_2", "TEXT"},
        {"int_payerRTN", "TEXT"}, {"int_line1", "TEXT"}, {"int_line2", "TEXT"}, {"int_line3", "TEXT"},
        {"int_line4", "TEXT"}, {"int_line5", "TEXT"}, {"int_line6", "TEXT"}, {"int_line7", "TEXT"},
        {"int_line8", "TEXT"}, {"int_line9", "TEXT"}, {"int_line14", "TEXT"}, {"int_line15", "TEXT"},
        {"int_line10", "INT"}, {"int_line11", "INT"}, {"int_line11_2", "TEXT"}, {"int_line12", "TEXT"},
        {"int_line12_2", "TEXT"}, {"int_line13", "TEXT"}, {"int_line13_2", "TEXT"},
        {"int_line16", "TEXT"}, {"int_line17", "TEXT"},
        {"r_line1", "TEXT"}, {"r_line2a", "TEXT"}, {"r_line2b_checkbox_1", "INT"},
        {"r_line2b_checkbox_2", "INT"}, {"r_line3", "TEXT"}, {"r_line4", "TEXT"}, {"r_line5", "TEXT"},
        {"r_line6", "TEXT"}, {"r_line7_checkbox", "INT"}, {"r_line7_code", "TEXT"}, {"r_line8", "TEXT"},
        {"r_line8_percentage", "INT"}, {"r_line9a", "INT"}, {"r_line9b", "TEXT"}, {"r_line10", "TEXT"},
        {"r_line11", "TEXT"}, {"r_line12_1", "TEXT"}, {"r_line12_2", "TEXT"}, {"r_line13_1", "TEXT"},
        {"r_line13_2", "TEXT"}, {"r_line14_1", "TEXT"}, {"r_line14_2", "TEXT"}, {"r_line15_1", "TEXT"},
        {"r_line15_2", "TEXT"}, {"r_line16_1", "TEXT"}, {"r_line16_2", "TEXT"}, {"r_line17_1", "TEXT"},
        {"r_line17_2", "TEXT"},
        {"s_line1", "TEXT"}, {"s_line2", "TEXT"}, {"s_address_line3", "TEXT"}, {"s_city_line3", "TEXT"},
        {"s_state_line3", "TEXT"}, {"s_zip_line3", "TEXT"}, {"s_line4", "INT"}, {"s_line5", "TEXT"},
        {"s_line6", "INT"},
        {"FATCA_MISC", "INT"}, {"FATCA_INT", "INT"}, {"FATCA_DIV", "INT"}, {"FATCA_R", "INT"},
        {"r_DateOfPayment", "TEXT"}, {"div_sec199ADiv", "TEXT"},
    };
    return columns;
}

std::vector<Column> withTypes(std::vector<Column> columns, const std::set<std::string>& names, const char* type) {
    for (auto& c : columns)
        if (names.count(c.name)) c.type = type;
    return columns;
}

std::vector<Column> without(std::vector<Column> columns, const std::set<std::string>& names) {
    columns.erase(std::remove_if(columns.begin(), columns.end(),
                                 [&](const Column& c) { return names.count(c.name) > 0; }),
                  columns.end());
    return columns;
}

// The columns that were whole numbers only from step 23 on.
const std::set<std::string> kIntegerFrom23 = {"line9",    "int_line10", "int_line11", "r_line8_percentage",
                                              "r_line9a", "s_line4",    "s_line6"};

}  // namespace

std::vector<Column> recipientsColumns(int step) {
    if (step >= 23) return recipientsStep23();
    auto step22 = withTypes(recipientsStep23(), kIntegerFrom23, "TEXT");
    if (step >= 22) return step22;
    auto step20 = withTypes(without(step22, {"r_DateOfPayment", "div_sec199ADiv"}), {"r_line6"}, "INT");
    if (step >= 20) return step20;

    // Step 6: before the columns that steps 10 to 18 add, with r_line6 as text.
    auto step6 = withTypes(without(step20, {"div_line10", "div_line11", "div_line12", "div_line12_2", "div_line13",
                                            "div_line13_2", "div_line14", "div_line14_2", "int_line11",
                                            "int_line11_2", "int_line12", "int_line12_2", "int_line13",
                                            "int_line13_2", "int_line14", "int_line15", "int_line16", "int_line17",
                                            "s_line6", "FATCA_MISC", "FATCA_INT", "FATCA_DIV", "FATCA_R"}),
                           {"r_line6"}, "TEXT");
    if (step >= 6) return step6;

    // Step 1: without the two address columns of step 4, with the older 1099-R boxes.
    std::vector<Column> step1;
    for (const auto& c : step6) {
        std::string name = c.name;
        if (name == "addressIsNotUSTerritory" || name == "country") continue;
        if (name == "r_line16_1" || name == "r_line16_2" || name == "r_line17_1" || name == "r_line17_2") continue;
        if (name == "r_line3") step1.push_back({"r_firstYearRoth", "TEXT"});
        if (name == "r_line10") {
            step1.push_back({"r_line10_1", "TEXT"});
            step1.push_back({"r_line10_2", "TEXT"});
            continue;
        }
        if (name == "r_line11") {
            step1.push_back({"r_line11_1", "TEXT"});
            step1.push_back({"r_line11_2", "TEXT"});
            continue;
        }
        step1.push_back(c);
    }
    return step1;
}

const std::vector<Column>& loginsStep1Columns() {
    static const std::vector<Column> columns = [] {
        std::vector<Column> c = {{"pk", "INT"},       {"userType", "INT"}, {"name", "TEXT"},
                                 {"password", "TEXT"}, {"fontSize", "INT"}, {"doNotShowWelcomeDialog", "INT"}};
        static const std::vector<std::string> names = [] {
            std::vector<std::string> n;
            for (const char* prefix :
                 {"mainWindow", "admin", "userDetails", "import", "companyDetails", "recipientDetails",
                  "recipientDivDetails", "recipientIntDetails", "recipientRDetails", "recipientSDetails", "eFile",
                  "deleteRecipient", "printMiscRecipientSelector", "printRecipient", "printCompany"})
                for (const char* part : {"XCoord", "YCoord", "Width", "Height"}) n.push_back(std::string(prefix) + part);
            return n;
        }();
        for (const auto& n : names) c.push_back({n.c_str(), "INT"});
        return c;
    }();
    return columns;
}

const std::vector<Column>& recipientsAdditionalInfoColumns() {
    static const std::vector<Column> columns = {
        {"company_FK", "INT"},     {"pk", "INT"},           {"type", "INT"},          {"validated", "INT"},
        {"printed", "INT"},        {"completed", "INT"},    {"corrected", "INT"},     {"void", "INT"},
        {"tin_type", "TEXT"},      {"name_type", "TEXT"},   {"suffix", "TEXT"},       {"middleName", "TEXT"},
        {"lastname_surname", "TEXT"}, {"addline2", "TEXT"}, {"Officecode", "TEXT"},   {"line19_1", "TEXT"},
        {"line19_2", "TEXT"},      {"line20_1", "TEXT"},    {"line20_2", "TEXT"},     {"line21_1", "TEXT"},
        {"line21_2", "TEXT"},      {"div_line15_1", "TEXT"}, {"div_line15_2", "TEXT"}, {"div_line16_1", "TEXT"},
        {"div_line16_2", "TEXT"},  {"div_line17_1", "TEXT"}, {"div_line17_2", "TEXT"}, {"int_line18_1", "TEXT"},
        {"int_line18_2", "TEXT"},  {"int_line19_1", "TEXT"}, {"int_line19_2", "TEXT"}, {"int_line20_1", "TEXT"},
        {"int_line20_2", "TEXT"},  {"r_line18_1", "TEXT"},  {"r_line18_2", "TEXT"},   {"r_line19_1", "TEXT"},
        {"r_line19_2", "TEXT"},    {"r_line20_1", "TEXT"},  {"r_line20_2", "TEXT"},   {"r_line21_1", "TEXT"},
        {"r_line21_2", "TEXT"},    {"nec_line8_1", "TEXT"}, {"nec_line8_2", "TEXT"},  {"nec_line9_1", "TEXT"},
        {"nec_line9_2", "TEXT"},   {"nec_line10_1", "TEXT"}, {"nec_line10_2", "TEXT"},
    };
    return columns;
}

std::string createTableSql(const std::string& table, const std::vector<Column>& columns) {
    std::string sql = "create table " + table + " (";
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i) sql += ", ";
        sql += std::string(columns[i].name) + " " + columns[i].type;
        if (std::string(columns[i].name) == "pk") sql += " PRIMARY KEY";
    }
    return sql + ");";
}

}  // namespace companydb_upgrade
