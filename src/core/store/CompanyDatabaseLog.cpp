// The event log of a company database: the error routine's line for each failure, and
// the reads and writes of the log table. The 1099 schema has no log table, so on its
// files Log stores nothing and the other statements fail to prepare.

#include <algorithm>
#include <chrono>
#include <ctime>

#include "core/sqlite/WriteGuard.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"

namespace {

using companyrows::readAll;

CompanyDatabase::LogClock& logClock() {
    static CompanyDatabase::LogClock clock;
    return clock;
}

std::string logTimeStamp() {
    const auto now = logClock() ? logClock()() : std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", &local);
    return std::string(text, length);
}

// The words a warning kind adds to the short text of an event.
const char* warningSuffix(int32_t kind) {
    static constexpr const char* kSuffixes[] = {
        " : WARNING - Database in use",
        " : WARNING - Changed tax setup",
        " : WARNING - Changed exemptions and/or state tax setup",
        " : WARNING - Created check with modified social security or medicare",
        " : WARNING - Created check for employee without a SUTA State",
        " : WARNING - Other check created after this date",
    };
    if (kind < 0 || kind >= static_cast<int32_t>(std::size(kSuffixes))) return "";
    return kSuffixes[kind];
}

}  // namespace

void CompanyDatabase::setLogClock(LogClock clock) { logClock() = std::move(clock); }

// ---- the event log ----

bool CompanyDatabase::Log(int32_t companyKey, int32_t employeeKey, int32_t logType, const std::string& shortText,
                          const std::string& longText, int32_t errorFlag, int32_t warningKind) {
    // The error routine logs through here: on a file without the log table (every 1099
    // file) there is nothing to store, and no further failure lines to add to its own.
    if (db->intForQuery("select count(*) from sqlite_master where type = 'table' and name = 'log';") < 1)
        return false;
    const std::string dateTime = logTimeStamp();
    const std::string text = shortText + warningSuffix(warningKind);
    // No report of its own: the error routine that calls it has reported already.
    return runWrite(
        *db,
        [&](WriteGuard& guard) {
            const int32_t key = db->intForQuery("select max(logPK) as maxPK from log;") + 1;
            return guard.check(db->executeUpdate(
                "insert into log(logPK,   dateTime,   companyInfoFK, employeeFK, logType,   shortDescription, "
                "longDescription,   errorFlag, warningFlag)   values (?,   ?,   ?, ?, ?,   ?, ?,   ?, ?);",
                key, dateTime, companyKey, employeeKey, logType, text, longText, errorFlag, warningKind));
        },
        nullptr);
}

bool CompanyDatabase::SelectLog(std::vector<std::string>& lines, int32_t companyKey, int32_t employeeKey,
                                int32_t logType, int32_t errorFilter, int32_t warningMinimum, bool includeGlobal) {
    std::string sql = "select * from log where (";
    if (includeGlobal) sql += "companyInfoFK = -1 or ";
    sql += "companyInfoFK = ?)";
    std::vector<FMValue> args{FMValue(companyKey)};
    if (employeeKey >= 0) {
        sql += " and employeeFK = (?)";
        args.emplace_back(employeeKey);
    }
    if (logType > 0) {
        sql += " and logType = (?)";
        args.emplace_back(logType);
    }
    if (warningMinimum >= -1) {
        sql += " and warningFlag >= ?";
        args.emplace_back(warningMinimum);
    }
    // An event is an error when its flag is 1 or more.
    if (errorFilter == 1) {
        sql += " and errorFlag >= ?";
        args.emplace_back(1);
    } else if (errorFilter == 2) {
        sql += " and errorFlag < ?";
        args.emplace_back(1);
    }
    sql += " order by logPK desc;";
    return readAll(*db, sql, args, [&](FMResultSet& rs) {
        lines.push_back(companyrows::text(rs, "dateTime") + " : " + companyrows::text(rs, "shortDescription"));
    });
}

bool CompanyDatabase::PullLogEntries(int32_t companyKey, std::vector<std::string>& dateTimes,
                                     std::vector<int32_t>& employeeKeys, std::vector<int32_t>& logTypes,
                                     std::vector<std::string>& shortTexts, std::vector<std::string>& longTexts,
                                     std::vector<int32_t>& errorFlags, std::vector<int32_t>& warningFlags) {
    dateTimes.clear();
    employeeKeys.clear();
    logTypes.clear();
    shortTexts.clear();
    longTexts.clear();
    errorFlags.clear();
    warningFlags.clear();
    return readAll(*db, "select * from log where companyInfoFK = ? order by logPK", {FMValue(companyKey)},
                   [&](FMResultSet& rs) {
                       dateTimes.push_back(companyrows::text(rs, "dateTime"));
                       employeeKeys.push_back(rs.intForColumn("employeeFK"));
                       logTypes.push_back(rs.intForColumn("logType"));
                       shortTexts.push_back(companyrows::text(rs, "shortDescription"));
                       longTexts.push_back(companyrows::text(rs, "longDescription"));
                       errorFlags.push_back(rs.intForColumn("errorFlag"));
                       warningFlags.push_back(rs.intForColumn("warningFlag"));
                   });
}

bool CompanyDatabase::PutLogEntries(int32_t companyKey, const std::vector<std::string>& dateTimes,
                                    const std::vector<int32_t>& employeeKeys, const std::vector<int32_t>& logTypes,
                                    const std::vector<std::string>& shortTexts,
                                    const std::vector<std::string>& longTexts, const std::vector<int32_t>& errorFlags,
                                    const std::vector<int32_t>& warningFlags) {
    const std::size_t count = std::min({dateTimes.size(), employeeKeys.size(), logTypes.size(), shortTexts.size(),
                                        longTexts.size(), errorFlags.size(), warningFlags.size()});
    if (count == 0) return true;
    return runWrite(
        *db,
        [&](WriteGuard& guard) {
            const int32_t largest = db->intForQuery("select max(logPK) as maxPK from log;");
            for (std::size_t i = 0; i < count; ++i) {
                const int32_t key = largest + static_cast<int32_t>(i) + 1;
                if (!guard.check(db->executeUpdate(
                        "insert into log (logPK, dateTime, companyInfoFK, employeeFK, logType, shortDescription, "
                        "longDescription,errorFlag, warningFlag) values (?, ?, ?, ?, ?, ?, ?, ?, ?);",
                        key, dateTimes[i], companyKey, employeeKeys[i], logTypes[i], shortTexts[i], longTexts[i],
                        errorFlags[i], warningFlags[i])))
                    return false;
            }
            return true;
        },
        nullptr);
}

bool CompanyDatabase::PurgeLog() {
    return runWrite(
        *db, [&](WriteGuard& guard) { return guard.check(db->executeUpdate("delete from log;")); }, nullptr);
}
