#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/sqlite/FMValue.h"

class FMDatabase;
class FMStatement;

// A cursor over the rows of one query. Readers by name look the column up
// case-insensitively; an unknown name reads as 0 / none.
class FMResultSet {
public:
    ~FMResultSet();

    bool next();
    void close();

    int columnIndexForName(const std::string& name);

    int32_t intForColumn(const std::string& name);
    int32_t intForColumnIndex(int index);
    int64_t longForColumn(const std::string& name);
    int64_t longForColumnIndex(int index);
    double doubleForColumn(const std::string& name);
    double doubleForColumnIndex(int index);
    // std::nullopt for NULL and for text that is not valid UTF-8; "" for empty text.
    std::optional<std::string> stringForColumn(const std::string& name);
    std::optional<std::string> stringForColumnIndex(int index);
    std::optional<FMBlob> dataForColumn(const std::string& name);
    std::optional<FMBlob> dataForColumnIndex(int index);
    bool columnIsNull(const std::string& name);
    bool columnIndexIsNull(int index);
    int columnCount() const;
};
