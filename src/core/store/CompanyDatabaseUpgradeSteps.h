#pragma once

// Internal to the company database's upgrade chain: the column lists of the tables
// the chain creates or rebuilds, the statement helpers the steps share, and one
// function per step. Nothing outside CompanyDatabaseUpgrade*.cpp includes this.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/FMValue.h"

class CompanyDatabase;

namespace companydb_upgrade {

constexpr int32_t kCurrentVersion = 36;
constexpr int32_t kFileYear = 2025;

struct Column {
    const char* name;
    const char* type;
};

// Table definitions. "pk" carries "INT PRIMARY KEY".
std::string createTableSql(const std::string& table, const std::vector<Column>& columns);

// recipients as the rebuilds of the given step create it (1, 6, 20, 22 or 23).
std::vector<Column> recipientsColumns(int step);
const std::vector<Column>& loginsStep1Columns();
const std::vector<Column>& recipientsAdditionalInfoColumns();

// Statement helpers. Inside a step a statement that fails because what it makes is
// already there (a column, table, index, or a row's key) is passed over; any other
// failure ends the step, and every later statement of it is refused. The result is
// there for the few places that must know.
bool exec(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args = {});
// Whether a failure inside a step (SQLite's result code and message) is passed over.
bool passedOverInStep(int code, const std::string& message);
// Whether the step under way may go on (nothing has ended it); steps ask before they
// call an operation of the company database.
bool goOn(CompanyDatabase& cdb);
// Runs body as one write (joining the step's transaction where it has one), so that
// the operations it calls write together or not at all and report nothing of their
// own: their failures end the step.
void inOneWrite(CompanyDatabase& cdb, const std::function<void()>& body);
// Adds a column and, when valueSql is given, sets it in every row to that SQL literal.
void addColumn(CompanyDatabase& cdb, const std::string& table, const std::string& column,
               const std::string& type, const char* valueSql);
// Reads: a query that fails ends the step like a failed statement.
bool queryHasRow(CompanyDatabase& cdb, const std::string& sql);
bool readEachRow(CompanyDatabase& cdb, const std::string& sql, const std::function<void(FMResultSet&)>& each);
bool tableHasRow(CompanyDatabase& cdb, const std::string& table);
int32_t rowCount(CompanyDatabase& cdb, const std::string& table);
// Rebuilds recipients with the given columns through a scratch table, copying every
// column the old and new tables share. The old rows are never dropped unless they
// were copied.
void rebuildRecipients(CompanyDatabase& cdb, const std::string& scratchTable, const std::vector<Column>& columns);
// The layout rows and y moves a step writes into one layout table.
void applyLayoutChanges(CompanyDatabase& cdb, int step, const std::string& table);
// Empties one layout table ("MISC", "INT", "DIV", "S", "R", "NEC", "1096") and
// refills it from the built-in layout.
void resetLayout(CompanyDatabase& cdb, const std::string& form);

// The built-in logins.
extern const char* const kSupportLoginName;
extern const char* const kDefaultLoginName;
std::string supportPassword();
void insertBuiltInLogin(CompanyDatabase& cdb, bool support);

void step1(CompanyDatabase&);
void step2(CompanyDatabase&);
void step3(CompanyDatabase&);
void step4(CompanyDatabase&);
void step5(CompanyDatabase&);
void step6(CompanyDatabase&);
void step7(CompanyDatabase&);
void step8(CompanyDatabase&);
void step9(CompanyDatabase&);
void step10(CompanyDatabase&);
void step11(CompanyDatabase&);
void step12(CompanyDatabase&);
void step13(CompanyDatabase&);
void step14(CompanyDatabase&);
void step15(CompanyDatabase&);
void step16(CompanyDatabase&);
void step17(CompanyDatabase&);
void step18(CompanyDatabase&);
void step19(CompanyDatabase&);
void step20(CompanyDatabase&);
void step21(CompanyDatabase&);
void step22(CompanyDatabase&);
void step23(CompanyDatabase&);
void step24(CompanyDatabase&);
void step25(CompanyDatabase&);
void step26(CompanyDatabase&);
void step27(CompanyDatabase&);
void step28(CompanyDatabase&);
void step29(CompanyDatabase&);
void step30(CompanyDatabase&);
void step31(CompanyDatabase&);
void step32(CompanyDatabase&);
void step33(CompanyDatabase&);
void step34(CompanyDatabase&);
void step35(CompanyDatabase&);
void step36(CompanyDatabase&);

}  // namespace companydb_upgrade
