#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

#include "core/payroll/PayrollContext.h"
#include "core/foundation/Utils.h"
#include "core/payroll/Employee.h"
#include "core/payroll/EmployeeData.h"
#include "core/payroll/Paycheck.h"
#include "core/payroll/PayrollSettings.h"
#include "core/payroll/TaxTables.h"

namespace {

constexpr int32_t kIncomeKinds = 40;
constexpr int32_t kDeductionKinds = 60;
constexpr int32_t kStateSlots = 200;

// The entry at position, or none when the position lies outside the list.
template <class Entry>
const Entry* entryAt(const std::vector<Entry>& list, int64_t position) {
    if (position < 0 || position >= static_cast<int64_t>(list.size())) return nullptr;
    return &list[static_cast<std::size_t>(position)];
}

// The first count characters (code points) of a text.
std::string firstCharacters(const std::string& text, std::size_t count) {
    const std::u32string points = Utils::toCodePoints(text);
    return Utils::fromCodePoints(points.substr(0, count));
}

// Decimal digits of a magnitude, lowest first, then the sign, then the terminating
// zero; the buffer is then turned round so it reads sign first.
void writeDigits(uint64_t magnitude, bool negative, char* buffer) {
    char* out = buffer;
    do {
        *out++ = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *out++ = '-';
    *out = '\0';
    Utils::Reverse(buffer);
}

std::shared_ptr<INCOME> incomeAt(int64_t position) {
    const auto& settings = payrollContext().info;
    if (!settings || position < 0 || position >= kIncomeKinds) return nullptr;
    const auto* entry = entryAt(settings->Income(), position);
    return entry ? *entry : nullptr;
}

std::shared_ptr<DEDUCTION> deductionAt(int64_t position) {
    const auto& settings = payrollContext().info;
    if (!settings || position < 0 || position >= kDeductionKinds) return nullptr;
    const auto* entry = entryAt(settings->Deduct(), position);
    return entry ? *entry : nullptr;
}

}  // namespace

std::string Utils::DateStr(int32_t month, int32_t day, int32_t withYear) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d", month + 1, day + 1);
    std::string result = text;
    if (withYear != 0) {
        // The year's last two digits; a shorter year gives what it has.
        const std::string year = payrollContext().info ? payrollContext().info->PayYear() : std::string();
        result += "/";
        if (year.size() > 2) result += year.substr(2, 2);
    }
    return result;
}

std::string Utils::DateTime(const void*) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%m/%d/%y", &local);
    return text;
}

int64_t Utils::StrToNum(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return std::clamp<long long>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

int64_t Utils::ConvertStringToLong(const std::string& text) {
    std::string digits;
    const std::size_t point = text.find('.');
    if (point == std::string::npos) {
        digits = text + "00";
    } else {
        // The hundredths: a fraction of fewer than two digits is filled up, so 12.5 is
        // 12.50 and not 1.25.
        std::string fraction = text.substr(point + 1);
        std::size_t fractionDigits = 0;
        while (fractionDigits < fraction.size() && fraction[fractionDigits] >= '0' && fraction[fractionDigits] <= '9')
            ++fractionDigits;
        if (fractionDigits < 2) fraction.insert(fractionDigits, 2 - fractionDigits, '0');
        digits = text.substr(0, point) + fraction;
    }
    return static_cast<int64_t>(std::strtoll(digits.c_str(), nullptr, 10));
}

std::string Utils::DigitStr(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

std::string Utils::PadLeft(const std::string& text, int32_t width) {
    const int64_t length = static_cast<int64_t>(characterCount(text));
    if (width <= 0 || length >= width) return "";
    return std::string(static_cast<std::size_t>((width - length) * 2), ' ');
}

std::string Utils::EmpName(const EMPLOYEE& employee, int32_t withNumber) {
    std::string line = employee.Inactive() == 1 ? "*" : " ";
    if (withNumber != 0 && payrollContext().info && payrollContext().info->NumSort() != 0) {
        const std::string number = employee.Num() > 0 ? std::to_string(employee.Num()) : std::string();
        line += PadLeft(number, 6) + " " + number + "-";
    }
    return line + employee.LName() + ", " + employee.FName();
}

std::string Utils::GetLast_4(const std::string& text) {
    std::u32string points = toCodePoints(text);
    if (points.size() < 4) points.insert(0, 4 - points.size(), U' ');
    return "xxx-xx-" + fromCodePoints(points.substr(points.size() - 4));
}

void Utils::AddChar(char* buffer, char character) {
    if (!buffer) return;
    const std::size_t end = std::strlen(buffer);
    buffer[end] = character;
    buffer[end + 1] = '\0';
}

void Utils::LNumToString(int64_t value, char* buffer) {
    if (!buffer) return;
    // The magnitude in unsigned arithmetic: the smallest value has no positive twin.
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    writeDigits(magnitude, value < 0, buffer);
}

void Utils::UNumToString(uint64_t value, char* buffer) {
    if (!buffer) return;
    writeDigits(value, false, buffer);
}

int32_t Utils::GetRec(int32_t index) {
    const auto* entry = entryAt(payrollContext().EmpDataVec, index);
    return entry && *entry ? (*entry)->Key() : 0;
}

int32_t Utils::GetState(const std::string& text) {
    if (text.empty()) return -1;
    const auto& states = payrollContext().States;
    const int32_t count = std::min<int32_t>(kStateSlots, static_cast<int32_t>(states.size()));
    for (int32_t i = 0; i < count; ++i)
        if (states[static_cast<std::size_t>(i)] && states[static_cast<std::size_t>(i)]->Name() == text) return i;
    return -1;
}

int32_t Utils::StateIndex1(int32_t table) {
    if (table < 0 || table >= kStateSlots) return -2;
    const auto* entry = entryAt(payrollContext().StateTabs, table);
    std::string key;
    if (entry && *entry && characterCount((*entry)->Name()) >= 2) key = firstCharacters((*entry)->Name(), 2);
    const auto& states = payrollContext().States;
    const int32_t count = std::min<int32_t>(kStateSlots, static_cast<int32_t>(states.size()));
    for (int32_t i = 0; i < count; ++i) {
        const auto& state = states[static_cast<std::size_t>(i)];
        if (!state || state->Name().empty()) continue;
        if (state->Name() == key) return i;
    }
    return -2;
}

std::shared_ptr<INCOME> Utils::IncPtr(const EMPLOYEE& employee, int32_t slot, int32_t* index) {
    const auto* entry = entryAt(employee.Inc(), slot);
    if (!entry || !*entry) return nullptr;
    const int32_t position = (*entry)->Index();
    if (index) *index = position;
    if ((*entry)->Used() == 0) return nullptr;
    return incomeAt(position);
}

std::shared_ptr<DEDUCTION> Utils::DedPtr(const EMPLOYEE& employee, int32_t slot, int32_t* index) {
    const auto* entry = entryAt(employee.Ded(), slot);
    if (!entry || !*entry) return nullptr;
    const int32_t position = (*entry)->Index();
    if (index) *index = position;
    if ((*entry)->Used() == 0) return nullptr;
    return deductionAt(position);
}

std::shared_ptr<INCOME> Utils::IncPtr_1(const CHECK& check, int32_t slot, int32_t* index) {
    // Slots are counted from 2.
    const auto* number = entryAt(check.Inc(), static_cast<int64_t>(slot) - 2);
    if (!number) return nullptr;
    if (index) *index = *number;
    return incomeAt(*number);
}

bool Utils::checkindelimiter(const std::string& text, bool withBlanks) {
    static constexpr std::array<const char*, 16> kRefused = {"  ", "00", "07", "08", "09", "17", "18", "19",
                                                             "28", "29", "49", "69", "70", "78", "79", "89"};
    const std::string prefix = firstCharacters(text, 2);
    const std::size_t first = withBlanks ? 0 : 2;
    for (std::size_t i = first; i < kRefused.size(); ++i)
        if (prefix == kRefused[i]) return false;
    return true;
}
