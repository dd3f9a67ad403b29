#include "core/import/ImportColumnChoices.h"

#include <algorithm>

#include "core/import/ImportCatalogues.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"

namespace imports {

namespace {

void appendOnce(std::vector<std::string>& list, const std::string& name) {
    if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
}

}  // namespace

std::vector<std::string> loadRecipientColumns(CompanyDatabase& db, int32_t kind) {
    std::vector<std::string> chosen;
    if (!db.IsReady()) return chosen;
    const std::vector<std::string> available = AvaillistValue(kind);
    std::vector<int32_t> map(static_cast<size_t>(kRecipientCatalogueSize), -1);
    db.SelectImportList(map, kind);
    for (int32_t position : map) {
        if (position < 0 || static_cast<size_t>(position) >= available.size()) break;
        appendOnce(chosen, available[static_cast<size_t>(position)]);
    }
    return chosen;
}

bool saveRecipientColumns(CompanyDatabase& db, int32_t kind, const std::vector<std::string>& chosen) {
    if (!db.IsReady()) return false;
    const std::vector<std::string> available = AvaillistValue(kind);
    std::vector<int32_t> rows(available.size(), -1);
    size_t next = 0;
    for (const std::string& name : chosen) {
        const auto it = std::find(available.begin(), available.end(), name);
        if (it == available.end() || next >= rows.size()) continue;
        rows[next++] = static_cast<int32_t>(it - available.begin());
    }
    return db.InsertImportList(rows, kind);
}

bool savePayrollRecipientColumns(CompanyDatabase& db, int32_t kind) {
    if (!db.IsReady()) return false;
    std::vector<int32_t> rows;
    for (size_t i = 0; i < IMPORT_FIELDS9().size(); ++i) rows.push_back(static_cast<int32_t>(i));
    return db.InsertImportList(rows, kind);
}

std::vector<std::string> loadPayerColumns(CompanyDatabase& db) {
    std::vector<std::string> chosen;
    if (!db.IsReady()) return chosen;
    std::vector<int32_t> slots(static_cast<size_t>(kPayerCatalogueSize), -1);
    bool ended = false;
    companyrows::eachRow(db, "select * from importCompFields order by fieldIndex ASC;", {}, [&](FMResultSet& rs) {
        if (ended) return;
        const int32_t position = rs.intForColumn("fieldIndex");
        const int32_t value = rs.intForColumn("importField");
        if (value < 0 || value >= kPayerCatalogueSize || position < 0 || position >= kPayerCatalogueSize) {
            ended = true;
            return;
        }
        slots[static_cast<size_t>(position)] = value;
    });
    for (int32_t value : slots)
        if (value >= 0) appendOnce(chosen, AvailFieldValue()[static_cast<size_t>(value)]);
    return chosen;
}

bool savePayerColumns(CompanyDatabase& db, const std::vector<std::string>& chosen) {
    if (!db.IsReady()) return false;
    std::vector<int32_t> rows;
    for (const std::string& name : chosen) rows.push_back(payerCatalogueIndex(name));
    return db.UpdateCompImportList(rows);
}

}  // namespace imports
