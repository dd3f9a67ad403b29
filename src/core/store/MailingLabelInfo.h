#pragma once

#include <cstdint>
#include <string>

// One payer's mailing-label settings (a row of the mailinglabel table). Offsets and
// sizes are decimal texts in inches.
class MailingLabelInfo {
public:
    int32_t pk() const { return pk_; }
    void setPk(int32_t v) { pk_ = v; }
    int32_t getPK() const { return pk_; }
    void setPK(int32_t v) { pk_ = v; }

    int32_t CompanyFK() const { return CompanyFK_; }
    void setCompanyFK(int32_t v) { CompanyFK_ = v; }
    int32_t getCompanyFK() const { return CompanyFK_; }

    const std::string& Left() const { return Left_; }
    void setLeft(std::string v) { Left_ = std::move(v); }
    const std::string& getLeft() const { return Left_; }

    const std::string& Top() const { return Top_; }
    void setTop(std::string v) { Top_ = std::move(v); }
    const std::string& getTop() const { return Top_; }

    const std::string& Width() const { return Width_; }
    void setWidth(std::string v) { Width_ = std::move(v); }
    const std::string& getWidth() const { return Width_; }

    const std::string& Height() const { return Height_; }
    void setHeight(std::string v) { Height_ = std::move(v); }
    const std::string& getHeight() const { return Height_; }

    int32_t Across() const { return Across_; }
    void setAcross(int32_t v) { Across_ = v; }
    int32_t getAcross() const { return Across_; }

    // How many times each label is printed (column factor).
    int32_t Repeat() const { return Repeat_; }
    void setRepeat(int32_t v) { Repeat_ = v; }
    int32_t getRepeat() const { return Repeat_; }

private:
    int32_t pk_ = -1;
    int32_t CompanyFK_ = -1;
    std::string Left_ = "0.30";
    std::string Top_ = "0.20";
    std::string Width_ = "3.00";
    std::string Height_ = "1.00";
    int32_t Across_ = 1;
    int32_t Repeat_ = 1;
};
