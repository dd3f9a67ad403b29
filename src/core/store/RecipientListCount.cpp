#include "core/store/RecipientListCount.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include <sqlite3.h>

#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/foundation/tvDatabase.h"

using namespace companyrows;

int64_t countRecipientList(CompanyDatabase& db, const std::string& filter, int32_t kind, int32_t status) {
    if (!db.IsReady() || !db.db) return 0;
    // No payer selected: the list is empty by definition, with no need to scan for it.
    const std::vector<int32_t> keys = selectedCompanyKeys();
    if (keys.empty()) return 0;
    const std::string pattern = namePattern(filter);
    std::vector<FMValue> args{pattern, pattern};
    const std::string companies = companyClause("company_FK", keys, args);
    const std::string sql = std::string("select count(*) from recipients where ((lastName") + kNameLike +
                            ") or (firstName" + kNameLike + ")) and " + companies + " " + kindClause(kind) +
                            statusClause(status) + ";";
    auto rs = db.db->executeQuery(sql, args);
    if (!rs) return 0;
    const int64_t count = rs->next() ? rs->longLongIntForColumnIndex(0) : 0;
    rs->close();
    return count;
}

bool countsEveryRecipient(const std::string& filter, int32_t kind, int32_t status) {
    return filter.empty() && kindClause(kind).empty() && statusClause(status).empty();
}

RecipientListRead pickRecipientList(const RecipientListSnapshot& snapshot, int32_t kind, int32_t status,
                                    bool rows, std::vector<const RecipientFullInfo*>* listed) {
    const bool anyKind = kindClause(kind).empty();
    const bool anyStatus = statusClause(status).empty();
    const uint32_t statusBit = anyStatus ? 0 : (1u << (status - 1));
    RecipientListRead read;
    for (const auto& row : snapshot.rows) {
        if (row.inTotal) ++read.total;
        const bool shown = (anyKind || row.kind == kind) && (anyStatus || (row.status & statusBit) != 0);
        if (!shown) continue;
        if (!row.nameListed || !rows) continue;
        if (listed) listed->push_back(&row.info);
        else read.rows.push_back(row.info);
    }
    return read;
}

namespace {

// Moves when any other connection commits to the file.
int64_t otherConnectionsVersion(CompanyDatabase& db) {
    if (!db.IsReady() || !db.db || !db.db->sqliteHandle()) return 0;
    return db.db->intForQuery("PRAGMA data_version");
}

int64_t schemaVersion(CompanyDatabase& db) {
    if (!db.IsReady() || !db.db || !db.db->sqliteHandle()) return 0;
    return db.db->intForQuery("PRAGMA schema_version");
}

}  // namespace

uint64_t recipientDataStamp(CompanyDatabase& db) {
    if (!db.IsReady() || !db.db || !db.db->sqliteHandle()) return 0;
    // Changes made on this connection, and the file's own version.
    const uint64_t own = static_cast<uint64_t>(sqlite3_total_changes64(db.db->sqliteHandle()));
    const uint64_t version = static_cast<uint64_t>(otherConnectionsVersion(db));
    return (own << 32) ^ version;
}

namespace {

struct LastRead {
    const CompanyDatabase* database = nullptr;
    const FMDatabase* connection = nullptr;
    std::string path;
    uint64_t stamp = 0;
    int64_t schema = 0;   // a renamed or rebuilt table changes no row count
    std::vector<int32_t> selected, listed;
    std::string filter;
    int32_t direction = 0;
    bool operator==(const LastRead&) const = default;
};

int& keepDepth() {
    static int depth = 0;
    return depth;
}

struct Kept {
    LastRead key;
    std::unique_ptr<RecipientListSnapshot> snapshot;
    uint64_t generation = 0;
};

Kept& kept() {
    static Kept k;
    return k;
}

}  // namespace

KeepRecipientListReads::KeepRecipientListReads() { ++keepDepth(); }

bool keepingRecipientListReads() { return keepDepth() > 0; }

KeepRecipientListReads::~KeepRecipientListReads() { --keepDepth(); }

RecipientListRead refillRecipientList(CompanyDatabase& db, const std::vector<int32_t>& listedPayers,
                                      const std::string& filter, int32_t direction, int32_t kind, int32_t status,
                                      uint64_t drawnGeneration, int32_t drawnKind, int32_t drawnStatus) {
    // The last read is kept (one list's worth) so that a command's first refill can use
    // the one that drew the list the user acted on; only such commands reuse it.
    LastRead key{&db,          db.db.get(),  db.GetPath(), recipientDataStamp(db), schemaVersion(db),
                 selectedCompanyKeys(), listedPayers, filter, direction};
    Kept& k = kept();
    if (keepDepth() == 0 || !k.snapshot || !(k.key == key)) {
        // The next read is made over the last one, in its storage: a list of every
        // recipient of a large file is never held twice, and a click neither gives the
        // last list's memory back to the system nor has the next one's handed out anew.
        // Meanwhile the kept read stands for no file, and one that fails part way stays
        // so: its rows are shown, but never taken for all that is stored.
        k.key = LastRead{};
        ++k.generation;
        if (!k.snapshot) k.snapshot = std::make_unique<RecipientListSnapshot>();
        if (readRecipientList(db, listedPayers, filter, direction, *k.snapshot)) k.key = std::move(key);
    }
    const bool drawn = keepDepth() > 0 && drawnGeneration == k.generation && drawnKind == kind && drawnStatus == status;
    std::vector<const RecipientFullInfo*> listed;
    RecipientListRead read = pickRecipientList(*k.snapshot, kind, status, !drawn, &listed);
    read.listed = std::move(listed);
    read.generation = k.generation;
    read.sameRowsAsDrawn = drawn;
    return read;
}

RecipientsAddedToOnePayer::RecipientsAddedToOnePayer(CompanyDatabase& db)
    : db_(db), stamp_(recipientDataStamp(db)), otherWrites_(otherConnectionsVersion(db)) {}

void RecipientsAddedToOnePayer::stored(int32_t payer) {
    Kept& k = kept();
    if (!k.snapshot || k.key.database != &db_ || k.key.connection != db_.db.get() || k.key.stamp != stamp_) return;
    if (otherConnectionsVersion(db_) != otherWrites_) return;
    const auto holds = [payer](const std::vector<int32_t>& keys) {
        return std::find(keys.begin(), keys.end(), payer) != keys.end();
    };
    // The read lists that payer's recipients, or its payers could be taken for another
    // one meanwhile: it is read again.
    if (holds(k.key.selected) || holds(k.key.listed)) return;
    k.key.stamp = recipientDataStamp(db_);
}

std::optional<std::vector<StoredTaxID>> keptRecipientTaxIDs(CompanyDatabase& db, int32_t payer, int32_t kind) {
    const Kept& k = kept();
    if (!k.snapshot || kindClause(kind).empty() || !db.IsReady() || !db.db) return std::nullopt;
    const auto& payers = k.snapshot->payers;
    if (std::find(payers.begin(), payers.end(), payer) == payers.end()) return std::nullopt;
    if (k.key.database != &db || k.key.connection != db.db.get() || k.key.path != db.GetPath() ||
        k.key.stamp != recipientDataStamp(db) || k.key.schema != schemaVersion(db))
        return std::nullopt;
    const auto counted = [&](const RecipientListSnapshot::Row& row) { return row.payer == payer && row.kind == kind; };
    std::vector<StoredTaxID> list;
    list.reserve(static_cast<std::size_t>(std::count_if(k.snapshot->rows.begin(), k.snapshot->rows.end(), counted)));
    for (const auto& row : k.snapshot->rows)
        if (counted(row)) list.push_back({row.key, row.payer, row.kind, tvDatabase::Decrypt(row.taxID)});
    return list;
}
