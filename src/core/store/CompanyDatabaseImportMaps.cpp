// Stored column maps of the recipient and payer imports (tables importFields and
// importCompFields).

#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"

using namespace companyrows;

namespace {

const char kMapFailed[] = "Unable to save the import column choices.";

}  // namespace

bool CompanyDatabase::InsertImportList(const std::vector<int32_t>& list, int32_t recipientType) {
    return write(*this, kMapFailed, [&] {
        if (!db->executeUpdate("delete from importFields where recipientType = ?;", recipientType))
            return false;
        for (size_t i = 0; i < list.size(); ++i) {
            if (!db->executeUpdate(
                    "insert into importFields (recipientType, fieldIndex, importField)values (?, ?, ?);",
                    recipientType, static_cast<int32_t>(i), static_cast<int32_t>(static_cast<int16_t>(list[i]))))
                return false;
        }
        return true;
    });
}

bool CompanyDatabase::FillPortField(int16_t& field, FMResultSet& rs) {
    field = static_cast<int16_t>(rs.intForColumn("importField"));
    return true;
}

int32_t CompanyDatabase::SelectImportList(std::vector<int32_t>& map, int32_t recipientType) {
    auto rs = db->executeQuery(
        "select * from importFields where recipientType = ? order by fieldIndex ASC;", recipientType);
    if (!rs) return 0;
    while (rs->next()) {
        const int32_t index = rs->intForColumn("fieldIndex");
        int16_t value = 0;
        if (!FillPortField(value, *rs) || index < 0 || static_cast<size_t>(index) >= map.size()) {
            rs->close();
            return -1;
        }
        map[static_cast<size_t>(index)] = value;
    }
    return 1;
}

bool CompanyDatabase::InsertCompImportList(const std::vector<int32_t>& list) {
    return write(*this, kMapFailed, [&] {
        for (size_t i = 0; i < list.size(); ++i) {
            if (!db->executeUpdate("insert into importCompFields (fieldIndex, importField) values(?, ?);",
                                   static_cast<int32_t>(i),
                                   static_cast<int32_t>(static_cast<int16_t>(list[i]))))
                return false;
        }
        return true;
    });
}

bool CompanyDatabase::UpdateCompImportList(const std::vector<int32_t>& list) {
    return write(*this, kMapFailed, [&] {
        return db->executeUpdate("delete from importCompFields;") && InsertCompImportList(list);
    });
}

void CompanyDatabase::SelectCompImportList(std::vector<int32_t>& marks) {
    auto rs = db->executeQuery("select * from importCompFields order by fieldIndex ASC;");
    while (rs && rs->next()) {
        const int32_t value = rs->intForColumn("importField");
        if (value < 0 || static_cast<size_t>(value) >= marks.size()) break;
        marks[static_cast<size_t>(value)] = static_cast<int16_t>(value);
    }
    if (rs) rs->close();
}
