#pragma once

#include <cstdint>
#include <string>

// One entry of a company list handed out by the company database: the company's name,
// key and position in the list. The two spare fields stay as made.
class COMPANYLISTSTRUCT {
public:
    const std::string& companyName() const { return companyName_; }
    void setCompanyName(std::string v) { companyName_ = std::move(v); }

    int32_t CompanyPK() const { return CompanyPK_; }
    void setCompanyPK(int32_t v) { CompanyPK_ = v; }

    int32_t locationInList() const { return locationInList_; }
    void setLocationInList(int32_t v) { locationInList_ = v; }

    int32_t NumEmp() const { return NumEmp_; }
    void setNumEmp(int32_t v) { NumEmp_ = v; }

    const std::string& Fed_Id() const { return Fed_Id_; }
    void setFed_Id(std::string v) { Fed_Id_ = std::move(v); }

private:
    std::string companyName_;
    int32_t CompanyPK_ = 0;
    int32_t locationInList_ = 0;
    int32_t NumEmp_ = 0;
    std::string Fed_Id_;
};
