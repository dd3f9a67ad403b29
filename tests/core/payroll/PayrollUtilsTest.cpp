// The payroll lookups and formatting of Utils, as tables of inputs and results, over a
// payroll context that each test fills for itself.

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <ctime>
#include <string>

#include "core/foundation/Session.h"
#include "core/payroll/PayrollContext.h"
#include "core/foundation/Utils.h"
#include "core/payroll/Employee.h"
#include "core/payroll/EmployeeData.h"
#include "core/payroll/Paycheck.h"
#include "core/payroll/PayrollSettings.h"
#include "core/payroll/TaxTables.h"

namespace {

class PayrollUtilsTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
    void TearDown() override { resetSession(); }
    INFO& info() { return *payrollContext().info; }
};

TEST_F(PayrollUtilsTest, ContextStartsAtItsSizes) {
    EXPECT_EQ(payrollContext().States.size(), 200u);
    EXPECT_EQ(payrollContext().StateTabs.size(), 200u);
    EXPECT_TRUE(payrollContext().EmpDataVec.empty());
    ASSERT_NE(payrollContext().info, nullptr);
    EXPECT_EQ(payrollContext().info->Income().size(), 40u);
    ASSERT_NE(payrollContext().info2, nullptr);
}

// The session's reset starts the payroll context afresh, though the session knows
// nothing of its contents.
TEST_F(PayrollUtilsTest, ResetSessionStartsTheContextAfresh) {
    info().setName("Acme Payroll");
    payrollContext().States.clear();
    payrollContext().EmpDataVec.push_back(nullptr);
    resetSession();
    EXPECT_EQ(info().Name(), "");
    EXPECT_EQ(payrollContext().States.size(), 200u);
    EXPECT_TRUE(payrollContext().EmpDataVec.empty());
}

TEST_F(PayrollUtilsTest, DateStr) {
    struct Case {
        int32_t month, day, withYear;
        const char* payYear;
        const char* expected;
    } cases[] = {
        {0, 0, 0, "2025", "01/01"},
        {11, 30, 1, "2025", "12/31/25"},
        {5, 9, 1, "202", "06/10/2"},    // a short year gives what it has
        {5, 9, 1, "", "06/10/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        info().setPayYear(c.payYear);
        EXPECT_EQ(Utils::DateStr(c.month, c.day, c.withYear), c.expected);
    }
}

TEST_F(PayrollUtilsTest, DateTimeIsToday) {
    auto today = [] {
        const std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        char text[16];
        std::strftime(text, sizeof text, "%m/%d/%y", &local);
        return std::string(text);
    };
    const std::string before = today();
    const std::string value = Utils::DateTime();
    EXPECT_TRUE(value == before || value == today()) << value;
}

TEST_F(PayrollUtilsTest, NumbersFromText) {
    struct Case {
        const char* text;
        int64_t strToNum;
        int64_t cents;
    } cases[] = {
        {"12.34", 12, 1234},
        {"12", 12, 1200},
        {"12.5", 12, 1250},     // one digit of fraction is tenths
        {"0.5", 0, 50},
        {"12.", 12, 1200},
        {"-3", -3, -300},
        {"", 0, 0},
        {"  42abc", 42, 42},      // reading stops at the first other character
        {"abc", 0, 0},
        {"99999999999", INT32_MAX, 9999999999900},
        {"-99999999999", INT32_MIN, -9999999999900},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Utils::StrToNum(c.text), c.strToNum);
        EXPECT_EQ(Utils::ConvertStringToLong(c.text), c.cents);
    }
    EXPECT_EQ(Utils::DigitStr("(555) 123-4567 x9"), "55512345679");
}

TEST_F(PayrollUtilsTest, NumbersToBuffers) {
    struct Case {
        int64_t value;
        const char* expected;
    } cases[] = {
        {0, "0"}, {-120, "-120"}, {INT64_MAX, "9223372036854775807"}, {INT64_MIN, "-9223372036854775808"},
    };
    for (const auto& c : cases) {
        char buffer[21] = "garbage";
        Utils::LNumToString(c.value, buffer);
        EXPECT_STREQ(buffer, c.expected);
    }
    char buffer[21];
    Utils::UNumToString(UINT64_MAX, buffer);
    EXPECT_STREQ(buffer, "18446744073709551615");
    Utils::LNumToString(5, nullptr);   // nothing to write into: nothing happens

    char text[8] = "ab";
    Utils::AddChar(text, 'c');
    EXPECT_STREQ(text, "abc");
}

TEST_F(PayrollUtilsTest, PadLeftGivesTwoBlanksPerMissingCharacter) {
    struct Case {
        const char* text;
        int32_t width;
        std::size_t blanks;
    } cases[] = {{"abcdef", 6, 0}, {"", 6, 12}, {"ab", 6, 8}, {"é", 2, 2}, {"x", 0, 0}, {"x", -3, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Utils::PadLeft(c.text, c.width), std::string(c.blanks, ' '));
    }
}

TEST_F(PayrollUtilsTest, GetLast_4) {
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"123456789", "xxx-xx-6789"}, {"", "xxx-xx-    "}, {"12", "xxx-xx-  12"}, {"123", "xxx-xx- 123"},
        {"7", "xxx-xx-   7"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utils::GetLast_4(c.text), c.expected) << c.text;
}

TEST_F(PayrollUtilsTest, EmpName) {
    struct Case {
        int32_t inactive;
        int64_t num;
        int32_t numSort, withNumber;
        std::string expected;
    } cases[] = {
        {0, 42, 1, 1, std::string(10, ' ') + "42-Smith, Ann"},
        {0, 42, 0, 1, " Smith, Ann"},
        {0, 42, 1, 0, " Smith, Ann"},
        {0, 0, 1, 1, " " + std::string(12, ' ') + " -Smith, Ann"},
        {1, 42, 0, 0, "*Smith, Ann"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EMPLOYEE employee;
        employee.setInactive(c.inactive);
        employee.setNum(c.num);
        employee.setLName("Smith");
        employee.setFName("Ann");
        info().setNumSort(c.numSort);
        EXPECT_EQ(Utils::EmpName(employee, c.withNumber), c.expected);
    }
}

TEST_F(PayrollUtilsTest, StateLookups) {
    auto& states = payrollContext().States;
    auto& tables = payrollContext().StateTabs;
    states[3]->setName("CA");
    states[199]->setName("WY");
    tables[5]->setName("CA tax");
    tables[6]->setName("C");
    tables[7]->setName("NV");

    EXPECT_EQ(Utils::GetState("WY"), 199);
    EXPECT_EQ(Utils::GetState("CA"), 3);
    EXPECT_EQ(Utils::GetState(""), -1);    // even though most names are empty
    EXPECT_EQ(Utils::GetState("ca"), -1);

    struct Case {
        int32_t table, expected;
    } cases[] = {{5, 3}, {6, -2}, {7, -2}, {0, -2}, {200, -2}, {-1, -2}};
    for (const auto& c : cases) EXPECT_EQ(Utils::StateIndex1(c.table), c.expected) << c.table;
}

TEST_F(PayrollUtilsTest, GetRecStaysInsideTheList) {
    for (int32_t key : {7, 9}) {
        auto data = std::make_shared<EMPDATA>();
        data->setKey(key);
        payrollContext().EmpDataVec.push_back(data);
    }
    EXPECT_EQ(Utils::GetRec(1), 9);
    EXPECT_EQ(Utils::GetRec(2), 0);
    EXPECT_EQ(Utils::GetRec(-1), 0);
}

TEST_F(PayrollUtilsTest, IncomeAndDeductionLookups) {
    EMPLOYEE employee;
    struct Slot {
        int32_t index, used;
    } slots[] = {{3, 1}, {40, 1}, {5, 0}, {39, 1}};
    for (std::size_t i = 0; i < std::size(slots); ++i) {
        employee.Inc()[i]->setIndex(slots[i].index);
        employee.Inc()[i]->setUsed(slots[i].used);
    }
    struct Case {
        int32_t slot;
        std::shared_ptr<INCOME> expected;
        int32_t storedIndex;   // -99: left as it was
    } cases[] = {
        {0, info().Income()[3], 3}, {1, nullptr, 40}, {2, nullptr, 5}, {3, info().Income()[39], 39},
        {8, nullptr, -99}, {-1, nullptr, -99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        int32_t index = -99;
        EXPECT_EQ(Utils::IncPtr(employee, c.slot, &index), c.expected);
        EXPECT_EQ(index, c.storedIndex);
    }
    EXPECT_EQ(Utils::IncPtr(employee, 0, nullptr), info().Income()[3]);

    employee.Ded()[15]->setIndex(59);
    employee.Ded()[15]->setUsed(1);
    employee.Ded()[14]->setIndex(60);
    employee.Ded()[14]->setUsed(1);
    EXPECT_EQ(Utils::DedPtr(employee, 15, nullptr), info().Deduct()[59]);
    EXPECT_EQ(Utils::DedPtr(employee, 14, nullptr), nullptr);
    EXPECT_EQ(Utils::DedPtr(employee, 16, nullptr), nullptr);

    CHECK check;
    check.Inc()[0] = 5;
    check.Inc()[7] = 40;
    struct CheckCase {
        int32_t slot;
        std::shared_ptr<INCOME> expected;
        int32_t storedIndex;
    } checkCases[] = {{2, info().Income()[5], 5}, {9, nullptr, 40}, {1, nullptr, -99}, {10, nullptr, -99}};
    for (const auto& c : checkCases) {
        SCOPED_TRACE(c.slot);
        int32_t index = -99;
        EXPECT_EQ(Utils::IncPtr_1(check, c.slot, &index), c.expected);
        EXPECT_EQ(index, c.storedIndex);
    }
}

TEST_F(PayrollUtilsTest, CheckInDelimiter) {
    struct Case {
        const char* text;
        bool withBlanks, expected;
    } cases[] = {
        {"00123", true, false}, {"00123", false, true}, {"07", true, false}, {"07", false, false},
        {"89x", false, false},  {"5", true, true},      {"  ", true, false}, {"  ", false, true},
        {"12", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utils::checkindelimiter(c.text, c.withBlanks), c.expected) << c.text << " " << c.withBlanks;
}

}  // namespace
