#include "core/foundation/databaseInfo.h"

#include <ctime>

namespace {

bool isAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isNameCharacter(unsigned char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '_';
}

}  // namespace

bool databaseInfo::ValidateName(std::string& message) const {
    // Byte by byte: every byte of a character outside ASCII fails the first rule.
    for (unsigned char c : name_) {
        if (!isNameCharacter(c)) {
            message = "Invalid Database Name. The Database Name may contain only letters, numbers, "
                      "spaces, dashes, and underscores.";
            return false;
        }
    }
    if (name_.empty() || !isAsciiLetter(static_cast<unsigned char>(name_[0]))) {
        message = "Invalid Database Name. The Database Name must start with a letter.";
        return false;
    }
    return true;
}

std::string databaseInfo::GetBackupName(bool automatic) const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::chrono::year_month_day today{std::chrono::year{local.tm_year + 1900},
                                            std::chrono::month{unsigned(local.tm_mon + 1)},
                                            std::chrono::day{unsigned(local.tm_mday)}};
    return GetBackupName(automatic, today);
}

std::string databaseInfo::GetBackupName(bool automatic, std::chrono::year_month_day day) const {
    return name_ + " " + std::to_string(year_) + (automatic ? " Auto-Backup " : " Backup ") +
           std::to_string(unsigned(day.month())) + "-" + std::to_string(unsigned(day.day())) + "-" +
           std::to_string(int(day.year())) + ".db";
}

bool databaseInfo::IsNull() const {
    return name_.empty() && path_.empty() && Fed_Id_.empty() && year_ == 0 && !imported_;
}

void databaseInfo::Nullify() {
    name_.clear();
    path_.clear();
    year_ = 0;
    imported_ = false;
}
