#include "PayerRows.h"

#include <gtest/gtest.h>

#include "core/store/DatabaseHolder.h"
#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"

ComapnyInfo validPayer(const std::string& name) {
    ComapnyInfo c;
    c.setName(name);
    c.setAddress1("500 Commerce Way");
    c.setCity1("Columbus");
    c.setState1("Ohio-OH");
    c.setZip1("43215");
    c.setPhone1("614-555-0100");
    c.setTaxID1("31-1234567");
    return c;
}

int32_t addPayer(const ComapnyInfo& payer) {
    const auto db = session().DBH->companyDatabase();
    EXPECT_TRUE(db->insertCompanyInfo(payer)) << payer.getName();
    return db->getCompanyPK();
}

int32_t addPayer(const std::string& name) { return addPayer(validPayer(name)); }
