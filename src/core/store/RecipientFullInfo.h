#pragma once

#include <cstdint>
#include <string>

// One row of the joined recipient list: a recipient row with the surname and name
// type of its additional row. A plain value; both accessor pairs reach the same field.
class RecipientFullInfo {
public:
    int32_t PK() const { return PK_; }
    void setPK(int32_t v) { PK_ = v; }
    int32_t getPK() const { return PK_; }

    int32_t company_FK() const { return company_FK_; }
    void setCompany_FK(int32_t v) { company_FK_ = v; }
    int32_t getCompany_FK() const { return company_FK_; }

    int32_t type() const { return type_; }
    void setType(int32_t v) { type_ = v; }
    int32_t getType() const { return type_; }

    bool validated() const { return validated_; }
    void setValidated(bool v) { validated_ = v; }
    bool getValidated() const { return validated_; }

    bool printed() const { return printed_; }
    void setPrinted(bool v) { printed_ = v; }
    bool getPrinted() const { return printed_; }

    bool completed() const { return completed_; }
    void setCompleted(bool v) { completed_ = v; }
    bool getCompleted() const { return completed_; }

    bool voided() const { return voided_; }
    void setVoided(bool v) { voided_ = v; }
    bool getVoided() const { return voided_; }

    bool corrected() const { return corrected_; }
    void setCorrected(bool v) { corrected_ = v; }
    bool getCorrected() const { return corrected_; }

    const std::string& firstName() const { return firstName_; }
    void setFirstName(std::string v) { firstName_ = std::move(v); }
    const std::string& getFirstName() const { return firstName_; }

    const std::string& lastName() const { return lastName_; }
    void setLastName(std::string v) { lastName_ = std::move(v); }
    const std::string& getLastName() const { return lastName_; }

    const std::string& nameType() const { return nameType_; }
    void setNameType(std::string v) { nameType_ = std::move(v); }
    const std::string& getnameType() const { return nameType_; }
    void setnameType(std::string v) { nameType_ = std::move(v); }

    const std::string& RLastName() const { return RLastName_; }
    void setRLastName(std::string v) { RLastName_ = std::move(v); }
    const std::string& getRLastName() const { return RLastName_; }

private:
    int32_t PK_ = -1;
    int32_t company_FK_ = 0;
    int32_t type_ = 1;
    bool validated_ = false;
    bool printed_ = false;
    bool completed_ = false;
    bool voided_ = false;
    bool corrected_ = false;
    std::string firstName_;
    std::string lastName_;
    std::string nameType_;
    std::string RLastName_;
};
