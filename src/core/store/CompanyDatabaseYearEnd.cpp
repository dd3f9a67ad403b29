// Operations on many rows at once: the duplicate checks of the imports, the resets of
// a new year's file and the recent-company keys.

#include <unordered_map>

#include "core/foundation/tvDatabase.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/DuplicateTaxID.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

using namespace companyrows;

std::optional<std::vector<int32_t>> CompanyDatabase::getRecipientConflicts(const std::vector<std::string>& taxIDs,
                                                                           int32_t companyKey, int32_t kind) {
    // One pass over the payer's recipients of the kind builds the number-to-key map;
    // each imported record is then one look-up.
    auto rs = db->executeQuery("select pk, taxID from recipients where (company_FK = ?) " + kindClause(kind) + ";",
                               companyKey);
    if (!rs) {
        ReadError(db->lastErrorMessage());
        return std::nullopt;
    }
    std::unordered_map<std::string, int32_t> keyOfNumber;
    FMError error;
    while (rs->nextWithError(&error)) {
        const std::string number = withoutDashes(tvDatabase::Decrypt(text(*rs, "taxID")));
        if (!number.empty()) keyOfNumber.emplace(number, rs->intForColumn("pk"));
    }
    if (error.code != 0) {
        ReadError(error.description);
        return std::nullopt;
    }
    std::vector<int32_t> keys;
    keys.reserve(taxIDs.size());
    for (const auto& taxID : taxIDs) {
        const std::string number = withoutDashes(taxID);
        const auto found = number.empty() ? keyOfNumber.end() : keyOfNumber.find(number);
        keys.push_back(found == keyOfNumber.end() ? -1 : found->second);
    }
    return keys;
}

std::vector<ComapnyInfo> CompanyDatabase::getCompanyConflicts(std::vector<ComapnyInfo>& imported, bool* ok) {
    std::vector<ComapnyInfo> conflicts;
    // Payers are recognised by their taxpayer number, so each listed payer is read in
    // full for its plain number.
    std::vector<ComapnyInfo> existing;
    for (const auto& listed : execCompanyListQuery("", 0)) existing.push_back(getCompanyInfo1(listed.getPK()));

    const bool stored = write(*this, "Unable to save the company.", [&] {
        for (auto& payer : imported) {
            const ComapnyInfo* match = nullptr;
            if (!payer.getTaxID1().empty()) {
                for (const auto& e : existing) {
                    if (e.getTaxID1() == payer.getTaxID1()) {
                        match = &e;
                        break;
                    }
                }
            }
            if (match) {
                payer.setPK(match->getPK());
                conflicts.push_back(payer);
            } else if (!insertCompanyInfo(payer)) {
                return false;
            }
        }
        return true;
    });
    if (ok) *ok = stored;
    if (!stored) conflicts.clear();
    return conflicts;
}

bool CompanyDatabase::ResetStatusFlags() {
    return write(*this, "Unable to reset the recipient status.", [&] {
        return db->executeUpdate("update recipients set validated = ?, printed = ?, completed = ?;", 0, 0, 0);
    });
}

bool CompanyDatabase::purgeDoNotShowAgains() {
    return write(*this, "Unable to reset the user settings.", [&] {
        return db->executeUpdate(
            "update logins set doNotShowWelcomeDialog = '0', doNotShowPrintAlignmentDialog = '0';");
    });
}

bool CompanyDatabase::MoveImportFields() {
    // The recipient import catalogue lost one field of 1099-MISC (the first stored
    // choice above 36) and one field each of 1099-DIV, -INT, -R and -S, so the stored
    // choices after those fields move down by one place, each exactly once.
    struct Shift {
        int32_t type;
        int32_t from;
    };
    static constexpr Shift kShifts[] = {{2, 59}, {3, 38}, {4, 90}, {5, 81}};
    return write(*this, "Unable to update the import column choices.", [&] {
        if (!db->executeUpdate("delete from importFields where importField =(select importField from importFields "
                               "where recipientType =1 and importField >36) and recipientType = 1;"))
            return false;
        for (const auto& s : kShifts) {
            if (!db->executeUpdate("update importFields set importField = importField - 1 "
                                   "where recipientType = ? and importField >= ?;",
                                   s.type, s.from))
                return false;
        }
        return true;
    });
}

bool CompanyDatabase::purgeNonGenericRecipientInfo() {
    static const char* const kEmptied[] = {
        "line1", "line2", "line3", "line4", "line5", "line6", "line7", "line8", "line9", "line10", "line11",
        "line12", "line13", "line14", "line15a", "line15b", "line16_1", "line16_2", "line17_1", "line17_2",
        "line18_1", "line18_2", "int_payerRTN", "int_line1", "int_line2", "int_line3", "int_line4", "int_line5",
        "int_line6", "int_line7", "int_line8", "int_line9", "int_line10", "int_line11", "int_line11_2",
        "int_line12", "int_line12_2", "int_line13", "int_line13_2", "int_line14", "int_line15", "int_line16",
        "int_line17", "div_line1a", "div_line1b", "div_line2a", "div_line2b", "div_line2c", "div_line2d",
        "div_line2e", "div_line2f", "div_line3", "div_line4", "div_line5", "div_line6", "div_line7", "div_line8",
        "div_line9", "div_line10", "div_line11", "div_line12", "div_line12_2", "div_line13", "div_line13_2",
        "div_line14", "div_line14_2", "div_sec199ADiv", "s_line1", "s_line2", "s_address_line3", "s_city_line3",
        "s_state_line3", "s_zip_line3", "s_line4", "s_line5", "r_line1", "r_line2a", "r_line3", "r_line4",
        "r_line5", "r_line6", "r_line7_code", "r_line8", "r_line9b", "r_line10", "r_line12_1", "r_line12_2",
        "r_line13_1", "r_line13_2", "r_line14_1", "r_line14_2", "r_line15_1", "r_line15_2", "r_line16_1",
        "r_line16_2", "r_line17_1", "r_line17_2", "r_DateOfPayment", "nec_line1", "nec_line4", "nec_line5_1",
        "nec_line5_2", "nec_line6_1", "nec_line6_2", "nec_line7_1", "nec_line7_2"};
    static const char* const kZeroed[] = {"void", "corrected", "s_line6", "r_line2b_checkbox_1",
                                          "r_line2b_checkbox_2", "r_line7_checkbox", "nec_line2_2",
                                          "validated", "printed"};
    static const char* const kNotEntered[] = {"r_line8_percentage", "r_line9a", "r_line11"};

    std::string sets;
    auto add = [&](const char* column, const char* value) {
        if (!sets.empty()) sets += ", ";
        sets += std::string(column) + " = '" + value + "'";
    };
    for (const char* c : kEmptied) add(c, "");
    for (const char* c : kZeroed) add(c, "0");
    for (const char* c : kNotEntered) add(c, "-1");
    return write(*this, "Unable to clear the recipient amounts.",
                 [&] { return db->executeUpdate("update recipients set " + sets + ";"); });
}

int32_t CompanyDatabase::GetRecentCompanyPKprioryear() {
    auto rs = db->executeQuery("SELECT MAX(pk) FROM companies;");
    if (!rs || !rs->next()) return -1;
    const int32_t key = rs->intForColumnIndex(0);
    rs->close();
    return key;
}

int32_t CompanyDatabase::GetRecentCompanyPKforprioryear() {
    return GetRecentCompanyPKprioryear();
}

int32_t CompanyDatabase::GetRecentCompanyPK() {
    auto rs = db->executeQuery("select companyInfoFK from companies;");
    if (!rs || !rs->next()) return -1;
    const int32_t key = rs->intForColumn("companyInfoFK");
    rs->close();
    return key;
}
