#pragma once

#include <cstdint>
#include <string>

// The transmitter data of electronic filing: the one row (key 1) of the transmitter
// table. The transmitter's taxpayer number is stored as entered, not scrambled.
class E_FileInfo {
public:
    int32_t pk() const { return pk_; }
    void setPk(int32_t v) { pk_ = v; }
    int32_t getPK() const { return pk_; }
    void setPK(int32_t v) { pk_ = v; }

    const std::string& TCC() const { return TCC_; }
    void setTCC(std::string v) { TCC_ = std::move(v); }
    const std::string& getTCC() const { return TCC_; }

    const std::string& TIN() const { return TIN_; }
    void setTIN(std::string v) { TIN_ = std::move(v); }
    const std::string& getTIN() const { return TIN_; }

    const std::string& name() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const std::string& getName() const { return name_; }

    const std::string& company() const { return company_; }
    void setCompany(std::string v) { company_ = std::move(v); }
    const std::string& getCompany() const { return company_; }

    const std::string& address() const { return address_; }
    void setAddress(std::string v) { address_ = std::move(v); }
    const std::string& getAddress() const { return address_; }

    const std::string& city() const { return city_; }
    void setCity(std::string v) { city_ = std::move(v); }
    const std::string& getCity() const { return city_; }

    const std::string& state() const { return state_; }
    void setState(std::string v) { state_ = std::move(v); }
    const std::string& getState() const { return state_; }

    const std::string& zip() const { return zip_; }
    void setZip(std::string v) { zip_ = std::move(v); }
    const std::string& getZip() const { return zip_; }

    const std::string& contact() const { return contact_; }
    void setContact(std::string v) { contact_ = std::move(v); }
    const std::string& getContact() const { return contact_; }

    const std::string& phone() const { return phone_; }
    void setPhone(std::string v) { phone_ = std::move(v); }
    const std::string& getPhone() const { return phone_; }

    const std::string& email() const { return email_; }
    void setEmail(std::string v) { email_ = std::move(v); }
    const std::string& getEmail() const { return email_; }

    bool isTest() const { return isTest_; }
    void setIsTest(bool v) { isTest_ = v; }
    bool getTest() const { return isTest_; }
    void setTest(bool v) { isTest_ = v; }

    bool isCombinedFedState() const { return isCombinedFedState_; }
    void setIsCombinedFedState(bool v) { isCombinedFedState_ = v; }
    bool getCombinedFedState() const { return isCombinedFedState_; }
    void setCombinedFedState(bool v) { isCombinedFedState_ = v; }

    // State of the separate 1099-NEC state file; empty for none.
    const std::string& NECState() const { return NECState_; }
    void setNECState(std::string v) { NECState_ = std::move(v); }
    const std::string& getNECState() const { return NECState_; }

private:
    int32_t pk_ = -1;
    std::string TCC_;
    std::string TIN_;
    std::string name_;
    std::string company_;
    std::string address_;
    std::string city_;
    std::string state_;
    std::string zip_;
    std::string contact_;
    std::string phone_;
    std::string email_;
    bool isTest_ = false;
    bool isCombinedFedState_ = false;
    std::string NECState_;
};
