#include "core/sqlite/FMResultSet.h"

#include <sqlite3.h>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMStatement.h"
#include "core/sqlite/FMText.h"
#include "platform/SystemLog.h"

using platform::systemLog;

std::shared_ptr<FMResultSet> FMResultSet::resultSetWithStatement(std::shared_ptr<FMStatement> statement,
                                                                 FMDatabase* parentDB) {
    std::shared_ptr<FMResultSet> rs(new FMResultSet());
    rs->statement_ = std::move(statement);
    rs->setParentDB(parentDB);
    if (rs->statement_) rs->statement_->setInUse(true);
    return rs;
}

FMResultSet::~FMResultSet() { close(); }

void FMResultSet::setParentDB(FMDatabase* parentDB) {
    parent_ = parentDB;
    parentOwner_ = parentDB ? parentDB->weak_from_this().lock() : nullptr;
}

void FMResultSet::close() {
    if (statement_) {
        statement_->reset();
        statement_.reset();
    }
    onRow_ = false;
    if (parent_) parent_->resultSetDidClose(this);
    parent_ = nullptr;
    // Letting go of the connection may close it, so that comes last.
    auto released = std::move(parentOwner_);
    parentOwner_.reset();
}

bool FMResultSet::next() { return nextWithError(nullptr); }

bool FMResultSet::nextWithError(FMError* error) {
    sqlite3_stmt* s = statement_ ? statement_->statement() : nullptr;
    const int rc = s ? sqlite3_step(s) : SQLITE_MISUSE;
    if (rc == SQLITE_ROW) {
        onRow_ = true;
        askedCursor_ = 0;
        columnTypes_.assign(static_cast<size_t>(sqlite3_column_count(s)), 0);
        return true;
    }
    sqlite3* handle = parent_ ? parent_->sqliteHandle() : nullptr;
    auto connectionError = [&] {
        return parent_ ? parent_->lastError() : FMError{"FMDatabase", sqlite3_errcode(handle), sqlite3_errmsg(handle)};
    };
    const std::string detail = " (" + std::to_string(rc) + ": " + sqlite3_errmsg(handle) + ") rs";
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        const auto path = parent_ ? parent_->databasePath() : std::nullopt;
        systemLog(std::string(__func__) + ":" + std::to_string(__LINE__) + " Database busy (" +
                  (path ? *path : "(null)") + ")");
        systemLog("Database busy");
        if (error) *error = connectionError();
    } else if (rc == SQLITE_DONE) {
        // the end of the rows
    } else if (rc == SQLITE_ERROR) {
        systemLog("Error calling sqlite3_step" + detail);
        if (error) *error = connectionError();
    } else if (rc == SQLITE_MISUSE) {
        systemLog("Error calling sqlite3_step" + detail);
        if (error) *error = parent_ ? parent_->lastError() : FMError{"FMDatabase", SQLITE_MISUSE, "parentDB does not exist"};
    } else {
        systemLog("Unknown error calling sqlite3_step" + detail);
        if (error) *error = connectionError();
    }
    close();
    return false;
}

bool FMResultSet::hasAnotherRow() { return parent_ && sqlite3_errcode(parent_->sqliteHandle()) == SQLITE_ROW; }

int FMResultSet::columnCount() const {
    sqlite3_stmt* s = statement_ ? statement_->statement() : nullptr;
    return s ? sqlite3_column_count(s) : 0;
}

sqlite3_stmt* FMResultSet::rowStatement(int index) {
    if (!onRow_ || !statement_) return nullptr;
    sqlite3_stmt* s = statement_->statement();
    if (!s || index < 0 || index >= static_cast<int>(columnTypes_.size())) return nullptr;
    return s;
}

int FMResultSet::columnType(sqlite3_stmt* s, int index) {
    int& type = columnTypes_[static_cast<size_t>(index)];
    if (type == 0) type = sqlite3_column_type(s, index);
    return type;
}

std::optional<std::string> FMResultSet::columnNameForIndex(int index) {
    sqlite3_stmt* s = statement_ ? statement_->statement() : nullptr;
    if (!s || index < 0 || index >= sqlite3_column_count(s)) return std::nullopt;
    const char* name = sqlite3_column_name(s, index);
    if (!name) return std::nullopt;
    return std::string(name);
}

const std::unordered_map<std::string, int>& FMResultSet::columnNameToIndexMap() {
    if (!columnMapBuilt_) {
        columnMapBuilt_ = true;
        const int count = columnCount();
        sqlite3_stmt* s = count > 0 ? statement_->statement() : nullptr;
        for (int i = 0; i < count; ++i) {
            const char* name = sqlite3_column_name(s, i);
            // A later column of the same name replaces an earlier one.
            columnNameToIndexMap_[fmtext::lowercased(name ? name : "")] = i;
        }
    }
    return columnNameToIndexMap_;
}

int FMResultSet::columnIndexForUnpredictedName(std::string_view name) {
    int index;
    std::string asName(name);
    const auto asked = askedNameToIndexMap_.find(asName);
    if (asked != askedNameToIndexMap_.end()) {
        index = asked->second;
    } else {
        index = lookUpColumnName(asName);
        if (index >= 0) askedNameToIndexMap_.emplace(asName, index);
    }
    if (index >= 0 && askedCursor_ == askedInOrder_.size() && askedInOrder_.size() < kMaxAskedInOrder) {
        askedInOrder_.emplace_back(std::move(asName), index);
        ++askedCursor_;
    }
    return index;
}

const std::vector<int>& FMResultSet::columnIndexesForNames(const std::vector<std::string>& names) {
    for (const auto& [list, indexes] : namedIndexes_)
        if (list == &names) return indexes;
    std::vector<int> indexes;
    indexes.reserve(names.size());
    for (const auto& name : names) indexes.push_back(lookUpColumnName(name));
    return namedIndexes_.emplace_back(&names, std::move(indexes)).second;
}

int FMResultSet::lookUpColumnName(const std::string& name) {
    const std::string lower = fmtext::lowercased(name);
    const auto& map = columnNameToIndexMap();
    const auto found = map.find(lower);
    if (found != map.end()) return found->second;
    systemLog("Warning: I could not find the column named '" + lower + "'.");
    return -1;
}

// ---- readers by index -------------------------------------------------------------

int32_t FMResultSet::intForColumnIndex(int index) {
    sqlite3_stmt* s = rowStatement(index);
    return s ? sqlite3_column_int(s, index) : 0;
}

int64_t FMResultSet::longForColumnIndex(int index) {
    sqlite3_stmt* s = rowStatement(index);
    return s ? sqlite3_column_int64(s, index) : 0;
}

int64_t FMResultSet::longLongIntForColumnIndex(int index) { return longForColumnIndex(index); }

uint64_t FMResultSet::unsignedLongLongIntForColumnIndex(int index) {
    return static_cast<uint64_t>(longForColumnIndex(index));
}

bool FMResultSet::boolForColumnIndex(int index) { return intForColumnIndex(index) != 0; }

double FMResultSet::doubleForColumnIndex(int index) {
    sqlite3_stmt* s = rowStatement(index);
    return s ? sqlite3_column_double(s, index) : 0.0;
}

// The column's value of the current row, its type taken first. One engine call (and one lock
// of the connection) instead of one per question; a connection is used by one thread at a time.
sqlite3_value* FMResultSet::rowValue(int index) {
    sqlite3_stmt* s = rowStatement(index);
    if (!s) return nullptr;
    sqlite3_value* value = sqlite3_column_value(s, index);
    int& type = columnTypes_[static_cast<size_t>(index)];
    if (type == 0) type = sqlite3_value_type(value);
    return type == SQLITE_NULL ? nullptr : value;
}

std::optional<std::string> FMResultSet::stringForColumnIndex(int index) {
    sqlite3_value* value = rowValue(index);
    if (!value) return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (!text) return std::nullopt;
    const auto length = static_cast<size_t>(sqlite3_value_bytes(value));
    // Bytes that are not UTF-8 read as none; callers fall back to reading the bytes.
    if (!fmtext::isValidUtf8(text, length)) return std::nullopt;
    return std::optional<std::string>(std::in_place, text, length);
}

std::optional<FMBlob> FMResultSet::dataForColumnIndex(int index) {
    sqlite3_value* value = rowValue(index);
    if (!value) return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_value_blob(value));
    const int length = sqlite3_value_bytes(value);
    if (!bytes || length <= 0) return std::nullopt;
    return FMBlob(bytes, bytes + length);
}

std::optional<std::span<const uint8_t>> FMResultSet::dataNoCopyForColumnIndex(int index) {
    sqlite3_stmt* s = rowStatement(index);
    if (!s || columnType(s, index) == SQLITE_NULL) return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(s, index));
    const int length = sqlite3_column_bytes(s, index);
    if (!bytes) return std::span<const uint8_t>();
    return std::span<const uint8_t>(bytes, static_cast<size_t>(length));
}

std::optional<FMDate> FMResultSet::dateForColumnIndex(int index) {
    sqlite3_stmt* s = rowStatement(index);
    if (!s || columnType(s, index) == SQLITE_NULL) return std::nullopt;
    if (parent_ && parent_->hasDateFormatter()) {
        const auto text = stringForColumnIndex(index);
        return text ? parent_->dateFromString(*text) : std::nullopt;
    }
    const double seconds = sqlite3_column_double(s, index);
    return FMDate(std::chrono::duration_cast<FMDate::duration>(std::chrono::duration<double>(seconds)));
}

const char* FMResultSet::UTF8StringForColumnIndex(int index) {
    sqlite3_stmt* s = rowStatement(index);
    if (!s || columnType(s, index) == SQLITE_NULL) return nullptr;
    return reinterpret_cast<const char*>(sqlite3_column_text(s, index));
}

bool FMResultSet::columnIndexIsNull(int index) {
    sqlite3_stmt* s = rowStatement(index);
    return !s || columnType(s, index) == SQLITE_NULL;
}

std::optional<FMValue> FMResultSet::objectForColumnIndex(int index) {
    if (index < 0 || index >= columnCount()) return std::nullopt;
    sqlite3_stmt* s = rowStatement(index);
    if (!s) return FMValue();
    switch (columnType(s, index)) {
        case SQLITE_NULL:
            return FMValue();
        case SQLITE_INTEGER:
            return FMValue(static_cast<int64_t>(sqlite3_column_int64(s, index)));
        case SQLITE_FLOAT:
            return FMValue(sqlite3_column_double(s, index));
        case SQLITE_BLOB: {
            auto data = dataForColumnIndex(index);
            return data ? FMValue(std::move(*data)) : FMValue();
        }
        default: {
            auto text = stringForColumnIndex(index);
            return text ? FMValue(std::move(*text)) : FMValue();
        }
    }
}

std::optional<FMValue> FMResultSet::objectAtIndexedSubscript(int index) { return objectForColumnIndex(index); }

// ---- readers by name ----------------------------------------------------------------

int32_t FMResultSet::intForColumn(std::string_view name) { return intForColumnIndex(columnIndexForName(name)); }
int64_t FMResultSet::longForColumn(std::string_view name) { return longForColumnIndex(columnIndexForName(name)); }
int64_t FMResultSet::longLongIntForColumn(std::string_view name) {
    return longLongIntForColumnIndex(columnIndexForName(name));
}
uint64_t FMResultSet::unsignedLongLongIntForColumn(std::string_view name) {
    return unsignedLongLongIntForColumnIndex(columnIndexForName(name));
}
bool FMResultSet::boolForColumn(std::string_view name) { return boolForColumnIndex(columnIndexForName(name)); }
double FMResultSet::doubleForColumn(std::string_view name) { return doubleForColumnIndex(columnIndexForName(name)); }
std::optional<std::string> FMResultSet::stringForColumn(std::string_view name) {
    return stringForColumnIndex(columnIndexForName(name));
}
std::optional<FMBlob> FMResultSet::dataForColumn(std::string_view name) {
    return dataForColumnIndex(columnIndexForName(name));
}
std::optional<std::span<const uint8_t>> FMResultSet::dataNoCopyForColumn(std::string_view name) {
    return dataNoCopyForColumnIndex(columnIndexForName(name));
}
std::optional<FMDate> FMResultSet::dateForColumn(std::string_view name) {
    return dateForColumnIndex(columnIndexForName(name));
}
const char* FMResultSet::UTF8StringForColumn(std::string_view name) {
    return UTF8StringForColumnIndex(columnIndexForName(name));
}
const char* FMResultSet::UTF8StringForColumnName(std::string_view name) { return UTF8StringForColumn(name); }
bool FMResultSet::columnIsNull(std::string_view name) { return columnIndexIsNull(columnIndexForName(name)); }
std::optional<FMValue> FMResultSet::objectForColumn(const std::string& name) {
    return objectForColumnIndex(columnIndexForName(name));
}
std::optional<FMValue> FMResultSet::objectForColumnName(const std::string& name) { return objectForColumn(name); }
std::optional<FMValue> FMResultSet::objectForKeyedSubscript(const std::string& name) { return objectForColumn(name); }

// ---- whole rows ---------------------------------------------------------------------

int FMResultSet::wholeRowColumnCount() {
    sqlite3_stmt* s = statement_ ? statement_->statement() : nullptr;
    const int columns = (s && onRow_) ? sqlite3_data_count(s) : 0;
    if (columns > 0) return columns;
    systemLog("Warning: There seem to be no columns in this set.");
    return 0;
}

std::optional<std::map<std::string, FMValue>> FMResultSet::resultDictionary() {
    const int columns = wholeRowColumnCount();
    if (columns == 0) return std::nullopt;
    sqlite3_stmt* s = statement_->statement();
    std::map<std::string, FMValue> row;
    for (int i = 0; i < columns; ++i) {
        const char* name = sqlite3_column_name(s, i);
        row[name ? name : ""] = objectForColumnIndex(i).value_or(FMValue());
    }
    return row;
}

std::optional<std::map<std::string, FMValue>> FMResultSet::resultDict() {
    if (wholeRowColumnCount() == 0) return std::nullopt;
    std::map<std::string, FMValue> row;
    for (const auto& [name, index] : columnNameToIndexMap()) row[name] = objectForColumnIndex(index).value_or(FMValue());
    return row;
}

void FMResultSet::kvcMagic(const std::function<void(const std::string& name, const std::string& text)>& setter) {
    const int columns = columnCount();
    for (int i = 0; i < columns; ++i) {
        sqlite3_stmt* s = rowStatement(i);
        if (!s) return;
        columnType(s, i);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
        if (text && setter) setter(sqlite3_column_name(s, i), text);
    }
}
