#include "core/store/ComapnyInfo.h"

namespace {

std::string phoneDigits(const std::string& phone) {
    std::string digits;
    for (char c : phone) {
        if (c >= '0' && c <= '9') digits += c;
    }
    return digits;
}

}  // namespace

std::string ComapnyInfo::getAreaCode() const {
    return phoneDigits(phone_).substr(0, 3);
}

std::string ComapnyInfo::getNonAreaCode() const {
    const std::string digits = phoneDigits(phone_);
    return digits.size() > 3 ? digits.substr(3) : std::string();
}
