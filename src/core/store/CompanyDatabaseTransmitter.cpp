// Transmitter row (table transmitter) and mailing-label rows (table mailinglabel).

#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/E_FileInfo.h"
#include "core/store/MailingLabelInfo.h"

using namespace companyrows;

E_FileInfo CompanyDatabase::getEFileInfo(int32_t key) {
    E_FileInfo record;
    auto rs = db->executeQuery("select * from transmitter where pk = ?;", key);
    while (rs && rs->next()) {
        record.setTest(flag(*rs, "testFile"));
        record.setCombinedFedState(flag(*rs, "combinedFilingProgram"));
        record.setName(text(*rs, "name"));
        record.setCompany(text(*rs, "company"));
        record.setTCC(text(*rs, "controlCode"));
        record.setTIN(text(*rs, "tin"));
        record.setAddress(text(*rs, "address"));
        record.setCity(text(*rs, "city"));
        record.setState(text(*rs, "state"));
        record.setZip(text(*rs, "zip"));
        record.setContact(text(*rs, "contactName"));
        record.setPhone(text(*rs, "contactPhone"));
        record.setEmail(text(*rs, "contactEmail"));
        record.setNECState(text(*rs, "NECState"));
        record.setPK(rs->intForColumn("pk"));
    }
    return record;
}

bool CompanyDatabase::updateEFileInfo(E_FileInfo& record) {
    const int32_t keyOnEntry = record.getPK();
    const std::vector<FMValue> values{record.getTCC(),     record.getTIN(),   record.getName(),
                                      record.getCompany(), record.getAddress(), record.getCity(),
                                      record.getState(),   record.getZip(),   record.getContact(),
                                      record.getPhone(),   record.getEmail(), record.getTest(),
                                      record.getCombinedFedState(), record.getNECState()};
    int32_t storedKey = -1;
    const bool ok = write(*this, "Unable to save the transmitter information.", [&] {
        auto rs = db->executeQuery("select * from transmitter;");
        if (!rs) return false;
        const bool hasRow = rs->next();
        if (hasRow) {
            storedKey = rs->intForColumn("pk");
            rs->close();
            std::vector<FMValue> args = values;
            args.emplace_back(keyOnEntry);
            // A record that was never read (key -1) matches no row and changes nothing.
            return db->executeUpdate(
                "update transmitter set controlCode = (?), tin = (?),name = (?), company = (?), "
                "address = (?), city = (?), state = (?),zip = (?), contactName = (?), "
                "contactPhone = (?), contactEmail = (?),testFile = (?), "
                "combinedFilingProgram = (?),NECState = (?)where pk = ?;",
                args);
        }
        storedKey = 1;
        std::vector<FMValue> args{1};
        args.insert(args.end(), values.begin(), values.end());
        return db->executeUpdate(
            "insert into transmitter (pk, controlCode, tin,name, company, address, city, state,zip, "
            "contactName, contactPhone, contactEmail,testFile, combinedFilingProgram,NECState)"
            "values (?, ?, ?,?,?,?,?,?,?,?,?,?, ?, ?,?);",
            args);
    });
    if (ok) record.setPK(storedKey);
    return ok;
}

MailingLabelInfo CompanyDatabase::SelectMailingLabelInfo(int32_t companyKey) {
    MailingLabelInfo record;
    auto rs = db->executeQuery("select * from mailinglabel where CompanyFK = ?;", companyKey);
    if (rs && rs->next()) {
        record.setPK(rs->intForColumn("pk"));
        record.setCompanyFK(rs->intForColumn("CompanyFK"));
        record.setLeft(text(*rs, "left"));
        record.setTop(text(*rs, "top"));
        record.setWidth(text(*rs, "width"));
        record.setHeight(text(*rs, "height"));
        record.setAcross(rs->intForColumn("across"));
        record.setRepeat(rs->intForColumn("factor"));
        rs->close();
    }
    return record;
}

int32_t CompanyDatabase::getMailingPK() {
    return db->intForQuery("select max(PK) as newest from mailinglabel;");
}

bool CompanyDatabase::insertMailingLabelInfo(const MailingLabelInfo& record) {
    return write(*this, "Unable to save the mailing label settings.", [&] {
        return db->executeUpdate(
            "insert into mailinglabel (pk, companyFK, left, top, height, width, across, factor) "
            "values( ?, ?, ?, ?, ?, ?, ?, ?);",
            getMailingPK() + 1, record.getCompanyFK(), record.getLeft(), record.getTop(),
            record.getHeight(), record.getWidth(), record.getAcross(), record.getRepeat());
    });
}

bool CompanyDatabase::updateMailingLabelInfo(const MailingLabelInfo& record) {
    return write(*this, "Unable to save the mailing label settings.", [&] {
        return db->executeUpdate(
            "update mailinglabel set left = ?, top = ?,height = ?, width = ?, across = ?, "
            "factor = ? where pk = ? and CompanyFK = ?;",
            record.getLeft(), record.getTop(), record.getHeight(), record.getWidth(),
            record.getAcross(), record.getRepeat(), record.getPK(), record.getCompanyFK());
    });
}
