#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"

namespace {

struct Case {
    std::string text;
    bool ok;
};

class UtilsChecks : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }

    static void expectAll(const char* rule, const std::function<bool(const std::string&)>& check,
                          const std::vector<Case>& cases) {
        for (const auto& c : cases)
            EXPECT_EQ(check(c.text), c.ok) << rule << "(\"" << c.text << "\")";
    }
};

TEST_F(UtilsChecks, TaxpayerNumbers) {
    expectAll("isValidTaxID", Utils::isValidTaxID,
              {{"123456789", true},
               {"123-45-6789", true},
               {"12-3456789", true},
               {"000000000", true},
               {"", false},
               {"12345678", false},
               {"1234567890", false},     // ten digits, no dash
               {"123-456789", false},     // a dash only after the third digit
               {"12-34567890", false},    // employer form with ten digits
               {"123-45-678", false},
               {"123 45 6789", false},
               {"12-345678a", false},
               {"123-45-67890", false}});
}

TEST_F(UtilsChecks, ZipCodes) {
    expectAll("isValidZip", Utils::isValidZip,
              {{"12345", true},
               {"12345-6789", true},
               {"", false},
               {"1234", false},
               {"1234a", false},
               {"123456789", false},
               {"1234-56789", false},
               {"12345-678a", false}});
}

TEST_F(UtilsChecks, Dates) {
    expectAll("isValidDate", Utils::isValidDate,
              {{"2/29/2024", true},
               {"02-29-2000", true},
               {"12/31/9999", true},
               {"1-1/1000", true},
               {"4/30/2025", true},
               {"", false},
               {"2/29/1900", false},
               {"2/29/2023", false},
               {"2/30/2024", false},
               {"4/31/2025", false},
               {"13/1/2025", false},
               {"0/1/2025", false},
               {"1/0/2025", false},
               {"1/1/25", false},
               {"1/1/0999", false},
               {"1/1/2025/", false},
               {"1//2025", false},
               {"123/1/2025", false},
               {"1/1/ 2025", false},
               {" 1/1/2025", false},    // the filing's reader trims blanks; the window does not
               {"2025-03-15", false},   // nor takes the ISO form the reader takes
               {"1.1.2025", false}});
}

TEST_F(UtilsChecks, PhoneNumbers) {
    expectAll("isValidPhone", Utils::isValidPhone,
              {{"(555) 123-4567", true},
               {"555-123-4567 ext. 12345", true},
               {"\u0665\u0665\u0665\u0661\u0662\u0663\u0664\u0665\u0666\u0667", true},  // Arabic-Indic digits
               {"", false},
               {"555123456", false},
               {"+1 555 123 4567 89012", false}});

    struct Intl {
        std::string number, kind;
        bool ok;
    };
    for (const auto& c : std::vector<Intl>{{"+44 20 7946 0958", "International", true},
                                           {"+1234567890123456", "International", false},
                                           {"5551234567", "International", false},
                                           {"5551234567", "Domestic", true},
                                           {"+15551234567", "Domestic", false},
                                           {"555123456", "Domestic", false},
                                           {"0", "Domestic", false},
                                           {"5551234567", "Other", false},
                                           {"", "Domestic", false}})
        EXPECT_EQ(Utils::isValidInternationalPhone(c.number, c.kind), c.ok) << c.number << " / " << c.kind;
}

TEST_F(UtilsChecks, EmailSimpleForm) {
    expectAll("isValidEmail", Utils::isValidEmail,
              {{"", true},
               {"john.doe@example.com", true},
               {"j_d-1@ex-ample.co", true},
               {"j\u00f6rg@ex\u00e4mple.de", true},
               {"jo@a.b", true},
               {"@example.com", false},
               {"john@a.", false},
               {"john@.com", false},
               {"john@example.", false},
               {"john@mail.example.com", false},  // one domain label only
               {"a@b@example.com", false},
               {"jo hn@example.com", false},
               {"john@example.c0m", false},
               {"john@examplecom", false}});
}

TEST_F(UtilsChecks, EmailStrictForm) {
    expectAll("ValidateEmail", Utils::ValidateEmail,
              {{"john@example.com", true},
               {"john.doe@example.COM", true},
               {"info@agency.museum", true},
               {"", false},
               {"john@example.xyz", false},
               {"john@mail.example.com", false},
               {"john..doe@example.com", false},
               {"john.@example.com", false},
               {".john@example.com", false},
               {"john@example.com.", false},
               {"john@-example.com", false},
               {"john@_example.com", false},
               {"jo hn@example.com", false},
               {"john>@example.com", false},
               {"john@examplecom", false},
               {"a@b@example.com", false}});
}

TEST_F(UtilsChecks, AmountsAndNumbers) {
    expectAll("isValidDollarString", Utils::isValidDollarString,
              {{"", true},
               {"1,234.5", true},
               {"1234.56", true},
               {".5", true},
               {"1,234,567.89", true},
               // Commas only between groups of three digits.
               {"12,34", false},
               {"1,2,3", false},
               {"15,00", false},
               {",500", false},
               {"1500,000", false},
               {"1.234.5", false},
               {"1.234", false},
               {"1,,234", false},
               {"-5", false},
               {"12a", false},
               {"$5", false}});
    expectAll("isValidDollarStringState", Utils::isValidDollarStringState,
              {{"", true}, {"AB/12,3.45", true}, {"1.2.3", false}, {"1.234", false}, {"$5", false}});
    expectAll("isvalidNumber", Utils::isvalidNumber, {{"", true}, {"1,2.3", true}, {"1-2", false}});
    expectAll("ValidateFieldLength", Utils::ValidateFieldLength,
              {{"", true},
               {"1234567890", true},
               {"12345678901", false},
               {"1234567890123", false},
               {"12345678901234", true},
               {"123456789012345678", false},
               {"12345678901.00", true}});
    expectAll("isValidPercentage", Utils::isValidPercentage,
              {{"", true}, {"0", true}, {"99", true}, {"100", false}, {"5a", false}, {"-5", false}});
    expectAll("isValidYear", Utils::isValidYear,
              {{"", true}, {"2025", true}, {"0999", false}, {"20251", false}, {"202a", false}});
    expectAll("isValidOfficeCode", Utils::isValidOfficeCode,
              {{"", true}, {"1234", true}, {"123", false}, {"12a4", false}, {"12345", false}});
    expectAll("isValidUserID", Utils::isValidUserID, {{"", true}, {"123", true}, {"12a", false}});
}

TEST_F(UtilsChecks, ZeroOrEmpty) {
    struct Z {
        std::optional<std::string> text;
        bool ok;
    };
    for (const auto& c : std::vector<Z>{{std::nullopt, true},
                                        {"", true},
                                        {"  \n", true},
                                        {"0", true},
                                        {" 0.00 ", true},
                                        {"-0", true},
                                        {"0.01", false},
                                        {"abc", false},
                                        {"0a", false},
                                        {".", false}})
        EXPECT_EQ(Utils::isZeroOrEmpty(c.text), c.ok) << (c.text ? *c.text : "(missing)");
}

TEST_F(UtilsChecks, DistributionCodes) {
    expectAll("isValidDistributionCode", Utils::isValidDistributionCode,
              {{"", true},
               {"7", true},
               {"g4", true},
               {"K8", true},
               {"P", true},
               {"81", true},
               {"G4X", true},   // a third character is not looked at
               {"pj", true},
               {"J", true},
               {"1B", true},    // a designated Roth account's early distribution
               {"b7", true},
               {"4g", true},
               {"1 ", true},
               {"8", false},
               {"74", false},
               {"12", false},
               {"G8", false},
               {"X", false},
               {"0", false},
               {"Z", false},
               {"?", false},
               {"K3", false},
               {"BB", false},
               {" 1", false},
               {" ", false}});
}

// Every two-character code of digits and capitals: valid exactly when its pair is one
// the Guide to Distribution Codes allows, in either order.
TEST_F(UtilsChecks, DistributionCodePairsInEitherOrder) {
    const std::vector<std::pair<char, std::string>> allowed = {
        {'1', "8BDKLMP"}, {'2', "8BDKLMP"}, {'3', "D"}, {'4', "8ABDGHKLMP"}, {'6', "W"}, {'7', "ABDKLM"},
        {'8', "BJK"}, {'B', "GLMPU"}, {'C', "D"}, {'G', "K"}, {'J', "P"}, {'Y', "47K"}};
    auto pairAllowed = [&](char a, char b) {
        for (const auto& [first, seconds] : allowed)
            if ((first == a && seconds.find(b) != std::string::npos) ||
                (first == b && seconds.find(a) != std::string::npos))
                return true;
        return false;
    };
    const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (char a : characters)
        for (char b : characters) {
            const std::string code{a, b};
            EXPECT_EQ(Utils::isValidDistributionCode(code), pairAllowed(a, b)) << code;
        }
}

TEST_F(UtilsChecks, LettersAndLengths) {
    expectAll("isAlphabetic", Utils::isAlphabetic,
              {{"", false}, {"John Smith", true}, {"   ", true}, {"Zo\u00eb", true}, {"R2D2", false}, {"O'Neil", false}});
    struct L {
        std::string text;
        int32_t min, max;
        bool ok;
    };
    for (const auto& c : std::vector<L>{{"abc", 1, 3, true},
                                        {"abcd", 1, 3, false},
                                        {"", 0, 3, true},
                                        {"", 1, 3, false},
                                        {"\u00e9\u4e2d", 2, 2, true},  // characters, not bytes
                                        {"abc", -1, 10, false},       // a negative minimum fails every text
                                        {"abc", 0, -1, true}})        // a negative maximum limits nothing
        EXPECT_EQ(Utils::isValidLength(c.text, c.min, c.max), c.ok) << c.text << " " << c.min << ".." << c.max;
    EXPECT_EQ(Utils::characterCount("a\u00e9\u4e2d\U0001F600"), 4u);
    EXPECT_TRUE(Utils::isValidAddress("12 Main St, Suite: 4", 1, 40));
    EXPECT_FALSE(Utils::isValidAddress("12 Main St.", 1, 40));
    EXPECT_TRUE(Utils::isValidAddress("12 Main St.", 1, 10));  // cut before the check
}

TEST_F(UtilsChecks, StateCodes) {
    struct S {
        std::string state;
        bool wantNumber;
        std::string code;
    };
    for (const auto& c : std::vector<S>{{"California-CA", true, "06"},
                                        {"California-CA", false, "CA"},
                                        {"california", false, "CA"},
                                        {"Alaska-AK", true, ""},
                                        {"Alaska-AK", false, "AK"},
                                        {"Wisconsin-WI", true, "55"},
                                        {"Mariana Islands-MP", false, "MP"},
                                        {"Marshall Islands-MH", false, "MH"},
                                        {"Somewhere-ny", false, "NY"},
                                        {"CA", false, ""},
                                        {"None", false, ""},
                                        {"None", true, ""},
                                        // Foreign provinces name no state by a piece of their text.
                                        {"\u00cele-de-France", true, ""},
                                        {"\u00cele-de-France", false, ""},
                                        {"Provence-Alpes-C\u00f4te d'Azur", true, ""},
                                        {"Baden-W\u00fcrttemberg", false, ""},
                                        {"Atlantis", false, ""},
                                        {"", false, ""}})
        EXPECT_EQ(Utils::getStateCode(c.state, c.wantNumber), c.code) << c.state << " " << c.wantNumber;

    expectAll("isValidState", Utils::isValidState,
              {{"Texas-TX", true}, {"texas", true}, {"None", false}, {"TX", false}, {"", false}});

    auto list = Utils::StateWithCode();
    ASSERT_EQ(list.size(), 59u);
    EXPECT_EQ(list.front(), "None");
    EXPECT_EQ(list[24], "Mariana Islands-MP");
    EXPECT_EQ(list.back(), "Wyoming-WY");
    for (const auto& entry : list) {
        if (entry != "None") {
            EXPECT_TRUE(Utils::isValidState(entry)) << entry;
        }
    }

    EXPECT_EQ(Utils::getStateName("Texas-TX"), "Texas");
    EXPECT_EQ(Utils::getStateName("None"), "");

    struct N {
        std::string entry;
        int32_t mode;
        std::string result;
    };
    for (const auto& c : std::vector<N>{{"California-CA", 0, "CA"},
                                        {"Alaska-AK", 0, ""},
                                        {"Alaska-AK", 1, "AK"},
                                        {"Alaska-AK", 2, "Alaska (AK)"},
                                        {"None", 1, ""},
                                        {"None", 2, "None"},
                                        {"Atlantis", 2, ""},
                                        {"Alaska-AK", 3, ""}})
        EXPECT_EQ(Utils::getStateName_CODE(c.entry, c.mode), c.result) << c.entry << " mode " << c.mode;
}

}  // namespace
