#pragma once

#include <cstdint>

// One row of the main window's company list: which company the row shows.
class company_PK_Map {
public:
    company_PK_Map() = default;
    company_PK_Map(int32_t companyPK, int32_t location) : companyPK_(companyPK), locationInCompanyList_(location) {}

    int32_t companyPK() const { return companyPK_; }
    int32_t getcompanyPK() const { return companyPK_; }
    void setCompanyPK(int32_t v) { companyPK_ = v; }
    int32_t locationInCompanyList() const { return locationInCompanyList_; }
    int32_t getlocationInCompanyList() const { return locationInCompanyList_; }
    void setLocationInCompanyList(int32_t v) { locationInCompanyList_ = v; }

private:
    int32_t companyPK_ = -1;
    int32_t locationInCompanyList_ = -1;
};
