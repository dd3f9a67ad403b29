#pragma once

// Small pieces shared by the row operations of CompanyDatabase: reading typed column
// values, the text fallback for names stored in the old Mac encoding, the list
// vocabulary (name patterns, sort words, company clauses) and the one way every write
// runs (a transaction that is committed only when all of it succeeded).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/FMValue.h"

class CompanyDatabase;
class FMDatabase;
class WriteGuard;

namespace companyrows {

// Text of a column; NULL (and text that is not UTF-8) reads as the empty text.
std::string text(FMResultSet& rs, const std::string& column);

// Text of a name or address column. Files written on older Macs hold such columns in
// the Mac OS Roman encoding; bytes that are not valid UTF-8 are decoded through it.
std::string nameText(FMResultSet& rs, const std::string& column);

// The same three readers by column position, for rows read by positions looked up once
// per result set (FMResultSet::columnIndexesForNames); -1 reads as a missing column.
std::string textAt(FMResultSet& rs, int index);
std::string nameTextAt(FMResultSet& rs, int index);
bool flagAt(FMResultSet& rs, int index);

// Mac OS Roman bytes to UTF-8.
std::string decodeMacRoman(const FMBlob& bytes);

// A stored flag: true exactly when the value is greater than 0 (NULL, 0 and -1 are false).
bool flag(FMResultSet& rs, const std::string& column);

// The name filter of the recipient and payer lists: every "*" stands for "%"; a
// filter without "%" matches anywhere ("%" + filter + "%"). "_" and the escape
// character stand for themselves, so the pattern is matched with kNameLike.
std::string namePattern(const std::string& filter);
inline constexpr char kNameEscape = '\\';
// The comparison that a namePattern is used with: "column" + kNameLike.
inline constexpr const char* kNameLike = " like ? escape '\\'";

// The surname filter of the additional-data lists: "*" is an ordinary character.
std::string surnamePattern(const std::string& filter);

// Sort direction code: 0 "ASC", 1 "DESC", anything else nothing.
std::string directionWord(int32_t direction);

// Clauses of the recipient lists: form kind codes 1, 2, 3, 4, 5 and 7 (any other code
// adds nothing, listing every kind) and filing-status codes 1 to 10 (printed, completed,
// validated, void and corrected, each off then on; any other code adds nothing).
std::string kindClause(int32_t kind);
std::string statusClause(int32_t status);

// The condition of a filing-status code: the flag column compared and the digit it must
// hold. The clauses compare them as "column = 'digit'", and the main window's list,
// which works the conditions out from rows it has read, compares the same pairs.
struct StatusCondition {
    const char* column;
    int value;
};
// The condition of codes 1 to 10; nullptr for any other code.
const StatusCondition* statusCondition(int32_t status);

// Keys of the payers selected in the main window (comp_details).
std::vector<int32_t> selectedCompanyKeys();

// "(<column> = ? or <column> = ? ...)" for the given company keys, appending the keys
// to args. No key compares with the empty text, so it matches no row.
std::string companyClause(const std::string& column, const std::vector<int32_t>& keys,
                          std::vector<FMValue>& args);

// Runs one write as a unit. Outside a transaction: begins one, runs body, commits when
// body returned true; otherwise (or when the commit fails) rolls back and, when report
// is set, shows failureMessage with SQLite's message through the error routine.
// Inside a transaction the caller already opened: body runs as part of it and the
// caller's own write decides. Returns whether everything succeeded.
bool write(CompanyDatabase& cdb, const std::string& failureMessage,
           const std::function<bool()>& body, bool report = true);
// The same, for a body that gives a reason of its own through guard.fail().
bool write(CompanyDatabase& cdb, const std::string& failureMessage,
           const std::function<bool(WriteGuard&)>& body, bool report = true);

// One column of a record table: its name and the record's accessors for it. The row
// operations keep a table of these per record so that reading and writing share one
// mapping.
template <class Record>
struct RowColumns {
    struct Text {
        const char* column;
        const std::string& (Record::*get)() const;
        void (Record::*set)(std::string);
    };
    struct Flag {
        const char* column;
        bool (Record::*get)() const;
        void (Record::*set)(bool);
    };
    struct Int {
        const char* column;
        int32_t (Record::*get)() const;
        void (Record::*set)(int32_t);
    };
};

// The names of every column of the given tables, in order.
template <class... Tables>
std::vector<std::string> columnNames(const Tables&... tables) {
    std::vector<std::string> names;
    auto add = [&](const auto& table) {
        for (const auto& c : table) names.emplace_back(c.column);
    };
    (add(tables), ...);
    return names;
}

// The record's values for every column of the given tables, in order, appended to values.
template <class Record, class... Tables>
void appendColumnValues(std::vector<FMValue>& values, const Record& record, const Tables&... tables) {
    auto add = [&](const auto& table) {
        for (const auto& c : table) values.emplace_back((record.*c.get)());
    };
    (add(tables), ...);
}

// "(?, ?, ...)" with count marks, for "in" lists of keys.
std::string markList(std::size_t count);

// "insert into <table> (pk, <columns>)values(?, ...)" with one mark for the key and
// one for every column.
std::string insertStatement(const std::string& table, const std::vector<std::string>& columns);

// "update <table> set <column> = (?), ... where pk = (?);"
std::string updateStatement(const std::string& table, const std::vector<std::string>& columns);

// Runs a query on a connection and hands every row to each. Reports nothing; false when
// the query or a row could not be read (the rows read before that were handed over).
bool readAll(FMDatabase& db, const std::string& sql, const std::vector<FMValue>& args,
             const std::function<void(FMResultSet&)>& each);

// Runs a query and hands every row to each; a query that fails yields no rows. False
// when the query or a row could not be read (reported once per opened file).
bool eachRow(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args,
             const std::function<void(FMResultSet&)>& each);

// Runs a query and hands its first row, if any, to each. Returns whether there was one.
bool firstRow(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args,
              const std::function<void(FMResultSet&)>& each);

// Every row of a query as a record filled by fill (a CompanyDatabase fill method or
// any callable taking the database, the record and the row); rows it refuses are left out.
// With whole, also whether every row could be read.
template <class Row, class Fill>
std::vector<Row> readRows(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args,
                          Fill fill, bool* whole = nullptr) {
    std::vector<Row> list;
    const bool read = eachRow(cdb, sql, args, [&](FMResultSet& rs) {
        Row row;
        if (std::invoke(fill, cdb, row, rs)) list.push_back(std::move(row));
    });
    if (whole) *whole = read;
    return list;
}

// The first row of a query as a record filled by fill; a default record when there is none.
template <class Row, class Fill>
Row readFirstRow(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args, Fill fill) {
    Row row;
    firstRow(cdb, sql, args, [&](FMResultSet& rs) { std::invoke(fill, cdb, row, rs); });
    return row;
}

// The largest key of a table, or -1 when it holds no row. A query that fails is
// reported with failureMessage and also gives -1.
int32_t largestKey(CompanyDatabase& cdb, const std::string& table, const std::string& failureMessage);

}  // namespace companyrows
