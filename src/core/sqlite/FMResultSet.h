#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/sqlite/FMError.h"
#include "core/sqlite/FMValue.h"

class FMDatabase;
class FMStatement;
struct sqlite3_stmt;
struct sqlite3_value;

// A cursor over the rows of one query. Readers by name look the column up
// case-insensitively; an unknown name reads as 0 / none.
class FMResultSet {
public:
    ~FMResultSet();

    bool next();
    void close();

    int columnIndexForName(std::string_view name) {
        // Each row is usually read by the same names in the same order: the first row's
        // order predicts the next name, which then costs one comparison.
        if (askedCursor_ < askedInOrder_.size()) {
            const auto& predicted = askedInOrder_[askedCursor_];
            if (predicted.first.size() == name.size() &&
                (name.empty() || std::memcmp(predicted.first.data(), name.data(), name.size()) == 0)) {
                ++askedCursor_;
                return predicted.second;
            }
        }
        return columnIndexForUnpredictedName(name);
    }
    // The positions of a fixed list of column names (-1 for a name the result does not
    // have), looked up once per result set: a row reader that reads every row by the
    // same names reads them by position. The list is known by its address, so it must
    // outlive the result set and never change (a static table).
    const std::vector<int>& columnIndexesForNames(const std::vector<std::string>& names);

    int32_t intForColumn(std::string_view name);
    int32_t intForColumnIndex(int index);
    int64_t longForColumn(std::string_view name);
    int64_t longForColumnIndex(int index);
    double doubleForColumn(std::string_view name);
    double doubleForColumnIndex(int index);
    // std::nullopt for NULL and for text that is not valid UTF-8; "" for empty text.
    std::optional<std::string> stringForColumn(std::string_view name);
    std::optional<std::string> stringForColumnIndex(int index);
    std::optional<FMBlob> dataForColumn(std::string_view name);
    std::optional<FMBlob> dataForColumnIndex(int index);
    bool columnIsNull(std::string_view name);
    bool columnIndexIsNull(int index);
    int columnCount() const;

    // ---------------------------------------------------------------------------------
    // The rest of the result set's interface.

    // Made only by the connection: owns the statement and, until closed, the connection.
    static std::shared_ptr<FMResultSet> resultSetWithStatement(std::shared_ptr<FMStatement> statement,
                                                               FMDatabase* parentDB);
    FMResultSet(const FMResultSet&) = delete;
    FMResultSet& operator=(const FMResultSet&) = delete;

    bool nextWithError(FMError* error);
    bool hasAnotherRow();
    std::optional<std::string> columnNameForIndex(int index);

    int64_t longLongIntForColumn(std::string_view name);
    int64_t longLongIntForColumnIndex(int index);
    uint64_t unsignedLongLongIntForColumn(std::string_view name);
    uint64_t unsignedLongLongIntForColumnIndex(int index);
    bool boolForColumn(std::string_view name);
    bool boolForColumnIndex(int index);
    // The bytes stay valid until the next step or close.
    std::optional<std::span<const uint8_t>> dataNoCopyForColumn(std::string_view name);
    std::optional<std::span<const uint8_t>> dataNoCopyForColumnIndex(int index);
    std::optional<FMDate> dateForColumn(std::string_view name);
    std::optional<FMDate> dateForColumnIndex(int index);
    // The engine's text (null for NULL), valid until the next step or close.
    const char* UTF8StringForColumn(std::string_view name);
    const char* UTF8StringForColumnIndex(int index);
    const char* UTF8StringForColumnName(std::string_view name);

    // The general value: std::nullopt for a column that does not exist, a null FMValue
    // for NULL, else a 64-bit integer, a double, byte data or text.
    std::optional<FMValue> objectForColumn(const std::string& name);
    std::optional<FMValue> objectForColumnName(const std::string& name);
    std::optional<FMValue> objectForColumnIndex(int index);
    std::optional<FMValue> objectForKeyedSubscript(const std::string& name);
    std::optional<FMValue> objectAtIndexedSubscript(int index);
    std::optional<FMValue> operator[](const std::string& name) { return objectForKeyedSubscript(name); }
    std::optional<FMValue> operator[](int index) { return objectAtIndexedSubscript(index); }

    // The current row by declared column name, or by lower-cased name; none without a row.
    std::optional<std::map<std::string, FMValue>> resultDictionary();
    std::optional<std::map<std::string, FMValue>> resultDict();
    // Calls the setter with each column's name and text, skipping NULL columns.
    void kvcMagic(const std::function<void(const std::string& name, const std::string& text)>& setter);

    std::shared_ptr<FMDatabase> parentDB() const { return parentOwner_; }
    void setParentDB(FMDatabase* parentDB);
    const std::string& query() const { return query_; }
    void setQuery(const std::string& query) { query_ = query; }
    const std::shared_ptr<FMStatement>& statement() const { return statement_; }
    void setStatement(std::shared_ptr<FMStatement> statement) { statement_ = std::move(statement); }
    const std::unordered_map<std::string, int>& columnNameToIndexMap();

private:
    FMResultSet() = default;
    int columnIndexForUnpredictedName(std::string_view name);
    int lookUpColumnName(const std::string& name);
    sqlite3_stmt* rowStatement(int index);  // null unless on a row and index in range
    // The engine type of a column of the current row, taken before any reader converts the
    // value (a conversion changes what the engine reports afterwards).
    int columnType(sqlite3_stmt* s, int index);
    sqlite3_value* rowValue(int index);  // null for NULL, no row or an index out of range
    // Columns of the current row for the whole-row readers; 0, with a warning logged, when there are none.
    int wholeRowColumnCount();

    std::unordered_map<std::string, int> columnNameToIndexMap_;
    bool columnMapBuilt_ = false;
    std::unordered_map<std::string, int> askedNameToIndexMap_;  // names exactly as callers gave them
    static constexpr size_t kMaxAskedInOrder = 256;
    std::vector<std::pair<std::string, int>> askedInOrder_;  // the names of the first row, in order
    size_t askedCursor_ = 0;
    FMDatabase* parent_ = nullptr;
    std::shared_ptr<FMDatabase> parentOwner_;
    std::string query_;
    std::shared_ptr<FMStatement> statement_;
    bool onRow_ = false;
    std::vector<int> columnTypes_;  // per column of the current row; 0 until asked
    std::vector<std::pair<const std::vector<std::string>*, std::vector<int>>> namedIndexes_;
};
