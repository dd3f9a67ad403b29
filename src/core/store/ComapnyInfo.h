#pragma once

#include <cstdint>
#include <string>

// One payer ("company") as it travels between the companies table and the windows.
// Each field has a property pair named after it and, for most fields, an older pair
// with names of its own (setAddress1 / getAddress, setTaxID1 / getTaxID1, ...); both
// reach the same field without checks. The taxpayer number is held in clear here;
// the row layer scrambles it on its way to the file.
class ComapnyInfo {
public:
    // --- flags ---
    bool taxIDIsSSN() const { return taxIDIsSSN_; }
    void setTaxIDIsSSN(bool v) { taxIDIsSSN_ = v; }
    bool getTaxIDIsSSN() const { return taxIDIsSSN_; }

    bool finalFlag() const { return finalFlag_; }
    void setFinalFlag(bool v) { finalFlag_ = v; }
    bool getFinalFlag() const { return finalFlag_; }

    // Held in the record only; no column stores it.
    bool combinedFedStateFlag() const { return combinedFedStateFlag_; }
    void setCombinedFedStateFlag(bool v) { combinedFedStateFlag_ = v; }
    bool getCombinedFedStateFlag() const { return combinedFedStateFlag_; }

    bool validated() const { return validated_; }
    void setValidated(bool v) { validated_ = v; }
    bool getValidated() const { return validated_; }

    bool IRISCombineState() const { return IRISCombineState_; }
    void setIRISCombineState(bool v) { IRISCombineState_ = v; }
    bool getCombineStateIRIS() const { return IRISCombineState_; }
    void setCombineStateIRIS(bool v) { IRISCombineState_ = v; }

    // --- numbers ---
    // Not stored; the table's mode column is neither read nor written.
    int32_t filingMode() const { return filingMode_; }
    void setFilingMode(int32_t v) { filingMode_ = v; }
    int32_t getFilingMode() const { return filingMode_; }

    int32_t PK() const { return PK_; }
    void setPK(int32_t v) { PK_ = v; }
    int32_t getPK() const { return PK_; }

    // --- texts ---
    const std::string& name() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const std::string& getName() const { return name_; }

    const std::string& address() const { return address_; }
    void setAddress(std::string v) { address_ = std::move(v); }
    const std::string& getAddress() const { return address_; }
    void setAddress1(std::string v) { address_ = std::move(v); }

    const std::string& city() const { return city_; }
    void setCity(std::string v) { city_ = std::move(v); }
    const std::string& getCity() const { return city_; }
    void setCity1(std::string v) { city_ = std::move(v); }

    const std::string& state() const { return state_; }
    void setState(std::string v) { state_ = std::move(v); }
    const std::string& getState() const { return state_; }
    void setState1(std::string v) { state_ = std::move(v); }

    const std::string& zip() const { return zip_; }
    void setZip(std::string v) { zip_ = std::move(v); }
    const std::string& getZip() const { return zip_; }
    void setZip1(std::string v) { zip_ = std::move(v); }

    const std::string& phone() const { return phone_; }
    void setPhone(std::string v) { phone_ = std::move(v); }
    const std::string& getPhone() const { return phone_; }
    void setPhone1(std::string v) { phone_ = std::move(v); }

    const std::string& taxID() const { return taxID_; }
    void setTaxID(std::string v) { taxID_ = std::move(v); }
    const std::string& getTaxID1() const { return taxID_; }
    void setTaxID1(std::string v) { taxID_ = std::move(v); }

    const std::string& fax() const { return fax_; }
    void setFax(std::string v) { fax_ = std::move(v); }
    const std::string& getFax() const { return fax_; }

    const std::string& email() const { return email_; }
    void setEmail(std::string v) { email_ = std::move(v); }
    const std::string& getEmail() const { return email_; }

    const std::string& contact() const { return contact_; }
    void setContact(std::string v) { contact_ = std::move(v); }
    const std::string& getContact() const { return contact_; }

    const std::string& contactPhone() const { return contactPhone_; }
    void setContactPhone(std::string v) { contactPhone_ = std::move(v); }
    const std::string& getContactPhone() const { return contactPhone_; }

    const std::string& oregonBIN() const { return oregonBIN_; }
    void setOregonBIN(std::string v) { oregonBIN_ = std::move(v); }
    const std::string& getOregonBIN() const { return oregonBIN_; }

    // IRIS name data of the payer.
    const std::string& payernametype() const { return payernametype_; }
    void setPayernametype(std::string v) { payernametype_ = std::move(v); }
    const std::string& getpayernametype() const { return payernametype_; }
    void setpayernametype(std::string v) { payernametype_ = std::move(v); }

    const std::string& payertintype() const { return payertintype_; }
    void setPayertintype(std::string v) { payertintype_ = std::move(v); }
    const std::string& getpayertintype() const { return payertintype_; }
    void setpayertintype(std::string v) { payertintype_ = std::move(v); }

    const std::string& payersuffix() const { return payersuffix_; }
    void setPayersuffix(std::string v) { payersuffix_ = std::move(v); }
    const std::string& getpayersuffix() const { return payersuffix_; }
    void setpayersuffix(std::string v) { payersuffix_ = std::move(v); }

    const std::string& payerfirstname() const { return payerfirstname_; }
    void setPayerfirstname(std::string v) { payerfirstname_ = std::move(v); }
    const std::string& getfirstname() const { return payerfirstname_; }
    void setpayerfirstname(std::string v) { payerfirstname_ = std::move(v); }

    const std::string& payermiddleName() const { return payermiddleName_; }
    void setPayermiddleName(std::string v) { payermiddleName_ = std::move(v); }
    const std::string& getmiddleName() const { return payermiddleName_; }
    void setpayermiddleName(std::string v) { payermiddleName_ = std::move(v); }

    const std::string& payerlastname() const { return payerlastname_; }
    void setPayerlastname(std::string v) { payerlastname_ = std::move(v); }
    const std::string& getpayerlastname() const { return payerlastname_; }
    void setpayerlastname(std::string v) { payerlastname_ = std::move(v); }

    const std::string& payerphone_type() const { return payerphone_type_; }
    void setPayerphone_type(std::string v) { payerphone_type_ = std::move(v); }
    const std::string& getphone_type() const { return payerphone_type_; }
    void setpayerphone_type(std::string v) { payerphone_type_ = std::move(v); }

    const std::string& payerbussinessadd2() const { return payerbussinessadd2_; }
    void setPayerbussinessadd2(std::string v) { payerbussinessadd2_ = std::move(v); }
    const std::string& getbussinessadd2() const { return payerbussinessadd2_; }
    void setpayerbussinessadd2(std::string v) { payerbussinessadd2_ = std::move(v); }

    const std::string& payercountry() const { return payercountry_; }
    void setPayercountry(std::string v) { payercountry_ = std::move(v); }
    const std::string& getpayercountry() const { return payercountry_; }
    void setpayercountry(std::string v) { payercountry_ = std::move(v); }

    // Filing method per form kind: "FIRE" or "IRIS" ("0" in rows older than the choice).
    const std::string& MISC_type() const { return MISC_type_; }
    void setMISC_type(std::string v) { MISC_type_ = std::move(v); }
    const std::string& getmisctype() const { return MISC_type_; }
    void setmisctype(std::string v) { MISC_type_ = std::move(v); }

    const std::string& DIV_type() const { return DIV_type_; }
    void setDIV_type(std::string v) { DIV_type_ = std::move(v); }
    const std::string& getdivtype() const { return DIV_type_; }
    void setdivtype(std::string v) { DIV_type_ = std::move(v); }

    const std::string& INT_type() const { return INT_type_; }
    void setINT_type(std::string v) { INT_type_ = std::move(v); }
    const std::string& getinttype() const { return INT_type_; }
    void setinttype(std::string v) { INT_type_ = std::move(v); }

    const std::string& R_type() const { return R_type_; }
    void setR_type(std::string v) { R_type_ = std::move(v); }
    const std::string& getrtype() const { return R_type_; }
    void setrtype(std::string v) { R_type_ = std::move(v); }

    const std::string& S_type() const { return S_type_; }
    void setS_type(std::string v) { S_type_ = std::move(v); }
    const std::string& getstype() const { return S_type_; }
    void setstype(std::string v) { S_type_ = std::move(v); }

    const std::string& NEC_type() const { return NEC_type_; }
    void setNEC_type(std::string v) { NEC_type_ = std::move(v); }
    const std::string& getnectype() const { return NEC_type_; }
    void setnectype(std::string v) { NEC_type_ = std::move(v); }

    // --- derived ---
    // The first three digits of the phone number, and the digits after them.
    std::string getAreaCode() const;
    std::string getNonAreaCode() const;

private:
    bool taxIDIsSSN_ = false;
    bool finalFlag_ = false;
    bool combinedFedStateFlag_ = false;
    bool validated_ = false;
    bool IRISCombineState_ = false;
    int32_t filingMode_ = 0;
    int32_t PK_ = -1;
    std::string name_;
    std::string address_;
    std::string city_;
    std::string state_;
    std::string zip_;
    std::string phone_;
    std::string taxID_;
    std::string fax_;
    std::string email_;
    std::string contact_;
    std::string contactPhone_;
    std::string oregonBIN_;
    std::string payernametype_;
    std::string payertintype_;
    std::string payersuffix_;
    std::string payerfirstname_;
    std::string payermiddleName_;
    std::string payerlastname_;
    std::string payerphone_type_;
    std::string payerbussinessadd2_;
    std::string payercountry_;
    std::string MISC_type_;
    std::string DIV_type_;
    std::string INT_type_;
    std::string R_type_;
    std::string S_type_;
    std::string NEC_type_;
};
