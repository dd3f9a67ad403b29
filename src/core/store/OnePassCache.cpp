#include "core/store/OnePassCache.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "platform/SystemLog.h"

namespace {

// The connection's cache_size setting: pages when positive, KiB when negative.
std::optional<int64_t> cacheSetting(FMDatabase& db) {
    auto rs = db.executeQuery("pragma cache_size;");
    if (!rs || !rs->next()) return std::nullopt;
    const int64_t value = rs->longLongIntForColumnIndex(0);
    rs->close();
    return value;
}

bool setCache(FMDatabase& db, int64_t value) {
    if (db.executeStatements("pragma cache_size = " + std::to_string(value) + ";")) return true;
    platform::systemLog("Unable to size the page cache: " + db.lastErrorMessage());
    return false;
}

}  // namespace

OnePassCache::OnePassCache(FMDatabase& db, int64_t floorKiB) : db_(db) {
    const std::optional<int64_t> setting = cacheSetting(db_);
    if (!setting || !db_.sqliteHandle()) return;
    int current = 0, highest = 0;
    if (sqlite3_db_status(db_.sqliteHandle(), SQLITE_DBSTATUS_CACHE_USED, &current, &highest, 0) != SQLITE_OK)
        return;
    const int64_t heldKiB = std::max<int64_t>(current / 1024, floorKiB);
    // A setting in pages is turned into KiB by the file's page size.
    int64_t limitKiB = -*setting;
    if (*setting > 0) {
        auto rs = db_.executeQuery("pragma page_size;");
        const int64_t pageSize = rs && rs->next() ? rs->longLongIntForColumnIndex(0) : 4096;
        if (rs) rs->close();
        limitKiB = *setting * pageSize / 1024;
    }
    if (heldKiB >= limitKiB) return;   // already no larger than that
    if (!setCache(db_, -heldKiB)) return;
    previous_ = *setting;
    heldKiB_ = heldKiB;
    limitKiB_ = limitKiB;
}

void OnePassCache::widenForWrites(int64_t kib) {
    if (!previous_ || kib <= heldKiB_) return;
    if (setCache(db_, -std::min(kib, limitKiB_))) heldKiB_ = std::min(kib, limitKiB_);
}

OnePassCache::~OnePassCache() {
    if (previous_) setCache(db_, *previous_);
}
