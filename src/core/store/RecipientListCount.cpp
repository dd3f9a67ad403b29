#include "core/store/RecipientListCount.h"

#include <vector>

#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"

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
