// Payer rows (table companies).

#include "core/foundation/Session.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/COMPANYLISTSTRUCT.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/MailingLabelInfo.h"

using namespace companyrows;

namespace {

void fillCompany(ComapnyInfo& c, FMResultSet& rs) {
    c.setTaxID(tvDatabase::Decrypt(text(rs, "taxID")));
    c.setName(text(rs, "name"));
    c.setAddress(text(rs, "address"));
    c.setCity(text(rs, "city"));
    c.setState(text(rs, "state"));
    c.setZip(text(rs, "zip"));
    c.setPhone(text(rs, "phone"));
    c.setEmail(text(rs, "email"));
    c.setFax(text(rs, "fax"));
    c.setContact(text(rs, "contact"));
    c.setContactPhone(text(rs, "contactPhone"));
    c.setOregonBIN(text(rs, "oregonBIN"));
    c.setPK(rs.intForColumn("pk"));
    c.setTaxIDIsSSN(flag(rs, "idFlag"));
    c.setFinalFlag(flag(rs, "finalFlag"));
    c.setValidated(flag(rs, "validated"));
    c.setPayernametype(text(rs, "name_type"));
    c.setPayertintype(text(rs, "tin_type"));
    c.setPayersuffix(text(rs, "suffix"));
    c.setPayerfirstname(text(rs, "firstname"));
    c.setPayermiddleName(text(rs, "middleName"));
    c.setPayerlastname(text(rs, "lastname"));
    c.setPayerphone_type(text(rs, "payerphone_type"));
    c.setPayerbussinessadd2(text(rs, "bussinessadd2"));
    c.setPayercountry(text(rs, "payercountry"));
    c.setMISC_type(text(rs, "MISC_TypeFiling"));
    c.setDIV_type(text(rs, "DIV_TypeFiling"));
    c.setINT_type(text(rs, "INT_TypeFiling"));
    c.setR_type(text(rs, "R_TypeFiling"));
    c.setS_type(text(rs, "S_TypeFiling"));
    c.setNEC_type(text(rs, "NEC_TypeFiling"));
    c.setIRISCombineState(flag(rs, "combinedFilingProgram"));
}

// Columns written for every payer, in the order of payerValues().
constexpr const char* kPayerColumns[] = {
    "taxID",     "name",       "address",        "city",          "state",
    "zip",       "phone",      "contact",        "contactPhone",  "email",
    "fax",       "idFlag",     "finalFlag",      "validated",     "oregonBIN",
    "name_type", "tin_type",   "suffix",         "firstname",     "middleName",
    "lastname",  "payerphone_type", "bussinessadd2", "payercountry", "combinedFilingProgram"};

constexpr const char* kFilingColumns[] = {"MISC_TypeFiling", "DIV_TypeFiling", "INT_TypeFiling",
                                          "R_TypeFiling",    "S_TypeFiling",   "NEC_TypeFiling"};

std::vector<FMValue> payerValues(const ComapnyInfo& c) {
    return {tvDatabase::Encrypt(c.getTaxID1()),
            c.getName(),
            c.getAddress(),
            c.getCity(),
            c.getState(),
            c.getZip(),
            c.getPhone(),
            c.getContact(),
            c.getContactPhone(),
            c.getEmail(),
            c.getFax(),
            c.getTaxIDIsSSN(),
            c.getFinalFlag(),
            c.getValidated(),
            c.getOregonBIN(),
            c.getpayernametype(),
            c.getpayertintype(),
            c.getpayersuffix(),
            c.getfirstname(),
            c.getmiddleName(),
            c.getpayerlastname(),
            c.getphone_type(),
            c.getbussinessadd2(),
            c.getpayercountry(),
            c.getCombineStateIRIS()};
}

std::vector<FMValue> filingValues(const ComapnyInfo& c) {
    return {c.getmisctype(), c.getdivtype(), c.getinttype(),
            c.getrtype(),    c.getstype(),   c.getnectype()};
}

std::string insertStatement(bool withFilingMethods) {
    std::string columns = "pk";
    std::string marks = "?";
    for (const char* col : kPayerColumns) {
        columns += std::string(", ") + col;
        marks += ", ?";
    }
    if (withFilingMethods) {
        for (const char* col : kFilingColumns) {
            columns += std::string(", ") + col;
            marks += ", ?";
        }
    }
    return "insert into companies (" + columns + ") values (" + marks + ");";
}

std::string updateStatement(bool withFilingMethods) {
    std::string sets;
    for (const char* col : kPayerColumns) {
        if (!sets.empty()) sets += ", ";
        sets += std::string(col) + " = ?";
    }
    if (withFilingMethods) {
        for (const char* col : kFilingColumns) sets += std::string(", ") + col + " = ?";
    }
    return "update companies set " + sets + " where pk = ?;";
}

const char kSaveFailed[] = "Unable to save the company.";

}  // namespace

ComapnyInfo CompanyDatabase::getCompanyInfo1(int32_t key) {
    ComapnyInfo record;
    auto rs = db->executeQuery("select * from companies where pk = ?;", key);
    if (rs && rs->next()) fillCompany(record, *rs);
    return record;
}

ComapnyInfo CompanyDatabase::getCompanyInfoIRIS(int32_t key) {
    return getCompanyInfo1(key);
}

int32_t CompanyDatabase::getCompanyPK() {
    return db->intForQuery("select ifnull(max(pk), -1) as newest from companies;");
}

bool CompanyDatabase::insertCompanyInfo(const ComapnyInfo& record) {
    return write(*this, kSaveFailed, [&] {
        const int32_t key = getCompanyPK() + 1;
        std::vector<FMValue> args{key};
        for (auto& v : payerValues(record)) args.push_back(std::move(v));
        for (auto& v : filingValues(record)) args.push_back(std::move(v));
        if (!db->executeUpdate(insertStatement(true), args)) return false;

        MailingLabelInfo label;
        label.setCompanyFK(key);
        return insertMailingLabelInfo(label);
    });
}

bool CompanyDatabase::updateCompanyInfo(const ComapnyInfo& record) {
    return write(*this, kSaveFailed, [&] {
        std::vector<FMValue> args = payerValues(record);
        for (auto& v : filingValues(record)) args.push_back(std::move(v));
        args.emplace_back(record.getPK());
        return db->executeUpdate(updateStatement(true), args);
    });
}

bool CompanyDatabase::updateAdditioninfo(ComapnyInfo& record) {
    int32_t newKey = -1;
    const bool ok = write(*this, kSaveFailed, [&] {
        const bool exists =
            record.getPK() >= 0 &&
            db->intForQuery("select count(*) from companies where pk = ?;", record.getPK()) > 0;
        if (exists) {
            std::vector<FMValue> args = payerValues(record);
            args.emplace_back(record.getPK());
            return db->executeUpdate(updateStatement(false), args);
        }
        // A payer the file does not hold yet: store it as a new one, with its label row,
        // rather than writing over whichever payer happens to come first.
        newKey = getCompanyPK() + 1;
        std::vector<FMValue> args{newKey};
        for (auto& v : payerValues(record)) args.push_back(std::move(v));
        if (!db->executeUpdate(insertStatement(false), args)) return false;
        MailingLabelInfo label;
        label.setCompanyFK(newKey);
        return insertMailingLabelInfo(label);
    });
    if (ok && newKey >= 0) record.setPK(newKey);
    return ok;
}

bool CompanyDatabase::deleteCompany(const ComapnyInfo& record) {
    session().CompanyDeleted = 0;
    auto rs = db->executeQuery("select * from recipients where company_FK = ?;", record.getPK());
    const bool hasRecipients = rs && rs->next();
    if (rs) rs->close();
    if (hasRecipients) {
        tvDatabase::tvMessageBox(
            "",
            "You cannot delete this company since there are recipients still associated with it "
            "(You must delete all recipients from a company before deleting the company)",
            kMessageStyleOK, "Company Delete Error", kMessageImagePlain, false);
        return false;
    }
    const bool ok = write(*this, "Unable to delete the company.", [&] {
        // The label row goes with its payer, so that a later payer never inherits it.
        return db->executeUpdate("delete from companies where pk = ?;", record.getPK()) &&
               db->executeUpdate("delete from mailinglabel where CompanyFK = ?;", record.getPK());
    });
    session().CompanyDeleted = ok ? 1 : 0;
    return ok;
}

std::vector<int32_t> CompanyDatabase::GetCompanyList() {
    std::vector<int32_t> keys;
    auto rs = db->executeQuery("select * from companies ");
    while (rs && rs->next()) keys.push_back(rs->intForColumn("pk"));
    return keys;
}

namespace {

int32_t fillCompanyList(CompanyDatabase& cdb, const std::string& sql,
                        std::vector<COMPANYLISTSTRUCT>& list, bool show) {
    list.clear();
    auto rs = cdb.db->executeQuery(sql);
    if (!rs) {
        cdb.DatabaseError(-1, "Unable to select the company list.", cdb.db->lastErrorMessage(),
                          show, true);
        return -1;
    }
    while (rs->next()) {
        COMPANYLISTSTRUCT entry;
        entry.setCompanyPK(rs->intForColumn("pk"));
        entry.setLocationInList(static_cast<int32_t>(list.size()));
        entry.setCompanyName(text(*rs, "name"));
        list.push_back(std::move(entry));
    }
    return static_cast<int32_t>(list.size());
}

}  // namespace

int32_t CompanyDatabase::GetCompanyList(std::vector<COMPANYLISTSTRUCT>& list, bool show) {
    return fillCompanyList(*this, "select *from companies order by pk,name", list, show);
}

int32_t CompanyDatabase::GetCompanyList1(std::vector<COMPANYLISTSTRUCT>& list, bool show) {
    return fillCompanyList(*this, "select* from companies order by pk, name;", list, show);
}

std::vector<ComapnyInfo> CompanyDatabase::execCompanyListQuery(const std::string& filter,
                                                               int32_t order) {
    std::vector<ComapnyInfo> result;
    auto rs = db->executeQuery("select * from companies where name like ?  ORDER BY name COLLATE NOCASE " +
                                   directionWord(order) + ";",
                               namePattern(filter));
    while (rs && rs->next()) {
        ComapnyInfo c;
        c.setName(text(*rs, "name"));
        c.setPK(rs->intForColumn("pk"));
        result.push_back(std::move(c));
    }
    return result;
}

bool CompanyDatabase::isNameTaken(const std::string& name) {
    auto rs = db->executeQuery("select * from logins where name = ?;", name);
    const bool found = rs && rs->next();
    if (rs) rs->close();
    return found;
}

void CompanyDatabase::insertMissingMailingLabels() {
    write(*this, "Unable to save the mailing label settings.", [&] {
        for (int32_t key : GetCompanyList()) {
            if (db->intForQuery("select count(*) from mailinglabel where CompanyFK = ?;", key) > 0) continue;
            MailingLabelInfo label;
            label.setCompanyFK(key);
            if (!insertMailingLabelInfo(label)) return false;
        }
        return true;
    }, false);
}
