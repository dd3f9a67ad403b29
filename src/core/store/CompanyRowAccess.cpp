#include "core/store/CompanyRowAccess.h"

#include <array>

#include "core/foundation/FormKind.h"
#include "core/foundation/Session.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "platform/SystemLog.h"

namespace companyrows {

namespace {

// Unicode code points of the Mac OS Roman bytes 0x80 to 0xFF.
constexpr std::array<char32_t, 128> kMacRomanHigh = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3,
    0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3,
    0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA,
    0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D,
    0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE,
    0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string text(FMResultSet& rs, const std::string& column) {
    return rs.stringForColumn(column).value_or(std::string());
}

std::string nameText(FMResultSet& rs, const std::string& column) {
    if (auto s = rs.stringForColumn(column)) return *s;
    if (auto bytes = rs.dataForColumn(column)) return decodeMacRoman(*bytes);
    return std::string();
}

std::string textAt(FMResultSet& rs, int index) { return rs.stringForColumnIndex(index).value_or(std::string()); }

std::string nameTextAt(FMResultSet& rs, int index) {
    if (auto s = rs.stringForColumnIndex(index)) return std::move(*s);
    if (auto bytes = rs.dataForColumnIndex(index)) return decodeMacRoman(*bytes);
    return std::string();
}

bool flagAt(FMResultSet& rs, int index) { return rs.intForColumnIndex(index) > 0; }

std::string decodeMacRoman(const FMBlob& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) appendUtf8(out, b < 0x80 ? char32_t(b) : kMacRomanHigh[b - 0x80]);
    return out;
}

bool flag(FMResultSet& rs, const std::string& column) {
    return rs.intForColumn(column) > 0;
}

std::string namePattern(const std::string& filter) {
    std::string pattern;
    pattern.reserve(filter.size() + 2);
    bool wildcard = false;
    for (char c : filter) {
        if (c == '*' || c == '%') {
            pattern += '%';
            wildcard = true;
        } else {
            // "_" would match any one character; names hold it as an ordinary character.
            if (c == '_' || c == kNameEscape) pattern += kNameEscape;
            pattern += c;
        }
    }
    if (!wildcard) pattern = "%" + pattern + "%";
    return pattern;
}

std::string surnamePattern(const std::string& filter) {
    if (filter.find('%') != std::string::npos) return filter;
    return "%" + filter + "%";
}

std::string directionWord(int32_t direction) {
    if (direction == 0) return "ASC";
    if (direction == 1) return "DESC";
    return std::string();
}

std::string kindClause(int32_t kind) {
    if (!FormKind::isKnown(kind)) return std::string();
    return " and (type = '" + std::to_string(kind) + "') ";
}

const StatusCondition* statusCondition(int32_t status) {
    static constexpr StatusCondition kConditions[] = {
        {"printed", 0},   {"printed", 1}, {"completed", 0}, {"completed", 1}, {"validated", 0},
        {"validated", 1}, {"void", 0},    {"void", 1},      {"corrected", 0}, {"corrected", 1}};
    return (status >= 1 && status <= 10) ? &kConditions[status - 1] : nullptr;
}

std::string statusClause(int32_t status) {
    const StatusCondition* c = statusCondition(status);
    if (!c) return std::string();
    return std::string(" and (") + c->column + " = '" + std::to_string(c->value) + "') ";
}

std::vector<int32_t> selectedCompanyKeys() {
    const auto& holder = session().comp_details;
    return holder ? holder->selectedCompanies() : std::vector<int32_t>{};
}

std::string companyClause(const std::string& column, const std::vector<int32_t>& keys,
                          std::vector<FMValue>& args) {
    if (keys.empty()) {
        args.emplace_back(std::string());
        return "(" + column + " = ?)";
    }
    std::string clause = "(";
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i > 0) clause += " or ";
        clause += column + " = ?";
        args.emplace_back(keys[i]);
    }
    return clause + ")";
}

bool write(CompanyDatabase& cdb, const std::string& failureMessage,
           const std::function<bool()>& body, bool report) {
    return write(cdb, failureMessage, [&](WriteGuard&) { return body(); }, report);
}

bool write(CompanyDatabase& cdb, const std::string& failureMessage,
           const std::function<bool(WriteGuard&)>& body, bool report) {
    FMDatabase& db = *cdb.db;
    // Inside a caller's transaction the caller's own write decides and reports.
    const bool joined = db.isInTransaction();
    return runWrite(db, body, [&](const std::string& reason) {
        if (report && !joined) cdb.DatabaseError(-1, failureMessage, reason, true, true);
    });
}

std::string markList(std::size_t count) {
    std::string text = "(";
    for (std::size_t i = 0; i < count; ++i) text += i == 0 ? "?" : ", ?";
    return text + ")";
}

std::string insertStatement(const std::string& table, const std::vector<std::string>& columns) {
    std::string names = "pk";
    std::string marks = "?";
    for (const auto& c : columns) {
        names += ", " + c;
        marks += ", ?";
    }
    return "insert into " + table + " (" + names + ")values(" + marks + ")";
}

std::string updateStatement(const std::string& table, const std::vector<std::string>& columns) {
    std::string sets;
    for (const auto& c : columns) {
        if (!sets.empty()) sets += ", ";
        sets += c + " = (?)";
    }
    return "update " + table + " set " + sets + " where pk = (?);";
}

namespace {

// A read that failed with an error (not the end of the rows) is reported once per
// opened file; during an open (the upgrade's repairs) the open itself decides.
void noteReadFailure(CompanyDatabase& cdb, const std::string& reason) {
    if (cdb.IsReady()) cdb.ReadError(reason);
}

}  // namespace

bool readAll(FMDatabase& db, const std::string& sql, const std::vector<FMValue>& args,
             const std::function<void(FMResultSet&)>& each) {
    auto rs = db.executeQuery(sql, args);
    if (!rs) return false;
    FMError error;
    while (rs->nextWithError(&error)) each(*rs);
    return error.code == 0;
}

bool eachRow(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args,
             const std::function<void(FMResultSet&)>& each) {
    auto rs = cdb.db->executeQuery(sql, args);
    if (!rs) {
        noteReadFailure(cdb, cdb.db->lastErrorMessage());
        return false;
    }
    FMError error;
    while (rs->nextWithError(&error)) each(*rs);
    if (error.code != 0) {
        noteReadFailure(cdb, error.description);
        return false;
    }
    return true;
}

bool firstRow(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args,
              const std::function<void(FMResultSet&)>& each) {
    auto rs = cdb.db->executeQuery(sql, args);
    if (!rs) {
        noteReadFailure(cdb, cdb.db->lastErrorMessage());
        return false;
    }
    FMError error;
    if (!rs->nextWithError(&error)) {
        if (error.code != 0) noteReadFailure(cdb, error.description);
        return false;
    }
    each(*rs);
    rs->close();
    return true;
}

int32_t largestKey(CompanyDatabase& cdb, const std::string& table, const std::string& failureMessage) {
    FMDatabase& db = *cdb.db;
    // The key's index answers this without reading the table, whatever its size.
    auto rs = db.executeQuery("select ifnull(max(pk), -1) as newest from " + table + ";");
    if (!rs) {
        cdb.DatabaseError(-1, failureMessage, db.lastErrorMessage(), true, true);
        return -1;
    }
    const int32_t key = rs->next() ? rs->intForColumnIndex(0) : -1;
    rs->close();
    return key;
}

}  // namespace companyrows
