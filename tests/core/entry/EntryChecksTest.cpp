// The checks of the three entry forms: the edges of every rule, field by field, and
// the error list with its order and texts.

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/entry/EntryFormSpec.h"
#include "core/entry/RecipientEntry.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"

using namespace entry;

namespace {

enum class Mode { Individual, Business, Foreign };

// One field set to one text on an otherwise valid form: the flag it must set.
struct Edge {
    std::string outlet;
    int flag;
    std::string text;
    bool pass;
    Mode mode = Mode::Individual;
};

std::string chars(int n) { return std::string(static_cast<size_t>(n), 'a'); }

// The identity fields, which every form has under names of its own.
struct Identity {
    const char *taxID, *business, *first, *surname;
    int surnameFlag;
    const char *address, *city, *province, *zip, *country;
    int countryFlag;
    const char *account, *office;
    int officeFlag;
};

std::vector<Edge> identityEdges(const Identity& n) {
    return {
        {n.taxID, 2, "123456789", true},      {n.taxID, 2, "12-3456789", true},
        {n.taxID, 2, "123-45-6789", true},    {n.taxID, 2, "", false},
        {n.taxID, 2, "12345678", false},      {n.taxID, 2, "123-456789", false},

        {n.business, 3, chars(40), true, Mode::Business},
        {n.business, 3, chars(41), false, Mode::Business},
        {n.business, 3, "", false, Mode::Business},
        {n.business, 3, chars(40) + "   ", true, Mode::Business},   // trailing blanks do not count
        {n.business, 3, "    ", false, Mode::Business},             // blanks alone are no name

        {n.first, 4, "", false},              {n.first, 4, chars(1), true},
        {n.first, 4, chars(20), true},        {n.first, 4, chars(21), false},
        {n.first, 4, "", true, Mode::Business},
        {n.first, 4, chars(21), true, Mode::Business},
        {n.surname, n.surnameFlag, "", false},
        {n.surname, n.surnameFlag, chars(20), true},
        {n.surname, n.surnameFlag, chars(21), false},
        {n.surname, n.surnameFlag, "", true, Mode::Business},

        {n.address, 5, "", false},            {n.address, 5, chars(40), true},
        {n.address, 5, chars(41), false},

        {n.city, 6, "", false},               {n.city, 6, chars(40), true},
        {n.city, 6, chars(41), false},        {n.city, 6, "", true, Mode::Foreign},
        {n.city, 6, chars(41), true, Mode::Foreign},

        {"Statepopup", 7, "None", false},     {"Statepopup", 7, "Wyoming-WY", true},
        {n.province, 7, "", false, Mode::Foreign},
        {n.province, 7, " ", false, Mode::Foreign},
        {n.province, 7, "None", false, Mode::Foreign},
        {n.province, 7, "Ontario", true, Mode::Foreign},
        // While the box is clear the province is not what is checked.
        {n.province, 7, "", true},

        {n.zip, 8, "", false},                {n.zip, 8, "62701-1234", true},
        {n.zip, 8, "6270", false},            {n.zip, 8, "", true, Mode::Foreign},
        {n.zip, 8, "SW1A 1AA", true, Mode::Foreign},

        {n.country, n.countryFlag, "", false},
        {n.country, n.countryFlag, "United States", true},
        {n.country, n.countryFlag, "U5", false},
        {n.country, n.countryFlag, chars(40), true},
        {n.country, n.countryFlag, chars(41), false},

        {n.account, 9, "", true},             {n.account, 9, chars(20), true},
        {n.account, 9, chars(21), false},

        {n.office, n.officeFlag, "", true},   {n.office, n.officeFlag, "1234", true},
        {n.office, n.officeFlag, "123", false},
        {n.office, n.officeFlag, "12a4", false},
    };
}

void addAmountEdges(std::vector<Edge>& edges, const std::vector<std::pair<const char*, int>>& boxes) {
    for (const auto& [outlet, flag] : boxes) {
        edges.push_back({outlet, flag, "", true});
        edges.push_back({outlet, flag, "1,234.56", true});
        edges.push_back({outlet, flag, "12.345", false});
        edges.push_back({outlet, flag, "1.2.3", false});
    }
    // The full width of a box typed without a decimal point is refused.
    edges.push_back({boxes.front().first, boxes.front().second, "12345678901", false});
    edges.push_back({boxes.front().first, boxes.front().second, "123456789.01", true});
}

// A length-checked field: the longest passing text and one character more.
void addLengthEdges(std::vector<Edge>& edges, const std::vector<std::tuple<const char*, int, int>>& fields) {
    for (const auto& [outlet, flag, longest] : fields) {
        edges.push_back({outlet, flag, chars(longest), true});
        edges.push_back({outlet, flag, chars(longest + 1), false});
    }
}

struct FormCase {
    std::string name;
    const EntryFormSpec& (*spec)();
    std::vector<Edge> edges;
};

void PrintTo(const FormCase& c, std::ostream* os) { *os << c.name; }

FormCase miscCase() {
    FormCase c{"MISC", miscFormSpec,
               identityEdges({"Recipient_ID", "CompanyLastName_Text", "FirstName_Text", "Last_Name", 36,
                              "RecAddress_Text", "ReciCity_text", "NonUSterritory", "ReciZip_Text",
                              "ReciCountry_Text", 45, "ReciAccountNum_Text", "Office_Code", 38})};
    addAmountEdges(c.edges, {{"Rents_Text", 12}, {"Royalties_Text", 13}, {"OtherIncome_Text", 14},
                             {"FedIncomeTax_Text", 15}, {"FinishingBoat_Text", 16}, {"MedanHealth_Text", 17},
                             {"SubstitutePaye_Text", 19}, {"NonEmployeeComp_Text", 20},
                             {"CropInsurance_Text", 21}, {"Reserved1_Text", 22}, {"Section409Adef_Text", 23},
                             {"GrossProceeds_Text", 25}, {"StateTaxWithheld1_Text", 26},
                             {"StateTaxWithheld2_Text", 27}, {"StateIncome1_Text", 30}, {"StateIncome2_Text", 31},
                             {"LocalIncometax", 39}, {"Localincometax2", 40}});
    addLengthEdges(c.edges, {{"StateNum1_Text", 28, 20}, {"StateNum2_Text", 29, 20},
                             {"Statespecialdata1", 41, 60}, {"Statespecialdata2", 42, 60}, {"Suffix", 34, 20},
                             {"Middle_Name", 35, 40}, {"Address2", 37, 40}});
    c.edges.push_back({"Statepopup", 7, "", false});
    // Box 14 is never checked.
    c.edges.push_back({"ExcessGolden_Text", 24, "not an amount", true});
    return c;
}

FormCase necCase() {
    FormCase c{"NEC", necFormSpec,
               identityEdges({"Recipient_ID", "CompanyLastName_Text", "FirstName_Text", "Lastname", 25,
                              "RecAddress_Text", "ReciCity_text", "NonUSstate_Btn", "ReciZip_Text",
                              "ReciCountry_Text", 34, "ReciAccountNum_Text", "Officecode", 27})};
    addAmountEdges(c.edges, {{"Nonemployeecompansation", 12}, {"Reserved2_Text", 13},
                             {"Federalincometaxwihheld", 14}, {"StateTaxWithheld1_Text", 15},
                             {"StateTaxWithheld2_Text", 16}, {"StateIncome1_Text", 19}, {"StateIncome2_Text", 20},
                             {"Statelocal1", 28}, {"Statelocal2", 29}});
    addLengthEdges(c.edges, {{"StateNum1_Text", 17, 20}, {"StateNum2_Text", 18, 20}, {"StateSpecialdata", 30, 60},
                             {"Statespecialdata1", 31, 60}, {"SUffix", 23, 40}, {"Middlename", 24, 40},
                             {"Add2", 26, 40}});
    // The address state of this form lets an empty title pass.
    c.edges.push_back({"Statepopup", 7, "", true});
    c.edges.push_back({"Reserved1_Text", 21, "not an amount", true});
    return c;
}

FormCase intCase() {
    FormCase c{"INT", intFormSpec,
               identityEdges({"RecipientidStaticText", "LastNameStaticText", "FirstNameStaticText", "LastnameBtn",
                              37, "AddressStaticText", "CityStaticText", "NonUSstate_Btn", "ZIPStaticText",
                              "CountryStaticText", 46, "AccountNumStaticText", "Officecode", 39})};
    addAmountEdges(c.edges, {{"InterestIncomeStaticText", 12}, {"EarlywithdrawStaticText", 13},
                             {"InterestStaticText", 14}, {"FederalIncomeStaticText", 15},
                             {"InvestmentExpenceStaticText", 16}, {"ForeignTaxpaidStaticText", 17},
                             {"TaxExemptStaticText", 19}, {"SpecifiedPrivateStaticText", 20},
                             {"MarketDiscountStaticText", 21}, {"BondPremiumStaticText", 22},
                             {"BondPremiumOnTreasuryStaticText", 32}, {"BondPremiumOnTaxExamptStaticText", 31},
                             {"StateTaxWithheldStaticText", 28}, {"StateTaxWithheldStaticText1", 29},
                             {"INT_StateINC1_P", 44}, {"INT_StateINC2_P", 45}, {"LocalIncometax", 40},
                             {"LocalIncometax2", 41}});
    addLengthEdges(c.edges, {{"PayersRTNStaticText", 11, 60}, {"ForeignCountryStaticText", 18, 40},
                             {"TaxExemptandTaxCreditStaticText", 23, 13}, {"StateNumberStaticText", 26, 20},
                             {"StateNumberStaticText1", 27, 20}, {"StateSpecialdata", 42, 60},
                             {"Statespecialdata2", 43, 60}, {"Suffix", 35, 40}, {"Middlename", 36, 40},
                             {"Add2", 38, 40}});
    c.edges.push_back({"Statepopup", 7, "", false});
    c.edges.push_back({"StateToppopup", 24, "Ohio-OH", true});
    c.edges.push_back({"StateButtompopup", 25, "Not a state", false});
    return c;
}

class EntryChecks : public ::testing::TestWithParam<FormCase> {
protected:
    void SetUp() override { resetSession(); }

    const EntryFormSpec& spec() const { return GetParam().spec(); }

    // Every field valid: an individual (or a business) with a US (or foreign) address.
    EntryView validView(Mode mode) const {
        const EntryFormSpec& s = spec();
        EntryView v = EntryView::empty(s);
        for (size_t i = 0; i < s.fields.size(); ++i) {
            const EntryField& f = s.fields[i];
            switch (f.role) {
            case Role::TaxID: v.text[i] = "123-45-6789"; break;
            case Role::BusinessName: v.text[i] = "Acme Supply"; break;
            case Role::FirstName: v.text[i] = mode == Mode::Business ? "" : "Ann"; break;
            case Role::Surname: v.text[i] = mode == Mode::Business ? "" : "Lee"; break;
            case Role::Address: v.text[i] = "1 Main St"; break;
            case Role::City: v.text[i] = "Springfield"; break;
            case Role::AddressState: v.text[i] = mode == Mode::Foreign ? "None" : "Illinois-IL"; break;
            case Role::Province: v.text[i] = mode == Mode::Foreign ? "Ontario" : " "; break;
            case Role::StateRow: v.text[i] = "None"; break;
            case Role::TinType: v.text[i] = "SSN"; break;
            case Role::NameType: v.text[i] = mode == Mode::Business ? "Business Name" : "Individual"; break;
            case Role::ForeignAddress: v.checked[i] = mode == Mode::Foreign; break;
            default: break;
            }
            if (f.check == Check::Zip) v.text[i] = "62701";
            if (f.check == Check::Country) v.text[i] = "US";
        }
        return v;
    }
};

TEST_P(EntryChecks, AValidRecordSetsEveryFlag) {
    for (Mode mode : {Mode::Individual, Mode::Business, Mode::Foreign}) {
        std::vector<bool> flags(spec().flagCount, true);
        checkFields(spec(), validView(mode), flags);
        EXPECT_TRUE(allValid(flags)) << "mode " << static_cast<int>(mode);
        EXPECT_TRUE(errorStrings(spec(), flags, mode == Mode::Foreign).empty());
    }
}

TEST_P(EntryChecks, EachRuleAtItsEdges) {
    for (const Edge& e : GetParam().edges) {
        EntryView view = validView(e.mode);
        view[e.outlet] = e.text;
        std::vector<bool> flags(spec().flagCount, true);
        checkFields(spec(), view, flags);
        ASSERT_LT(static_cast<size_t>(e.flag), flags.size());
        EXPECT_EQ(flags[static_cast<size_t>(e.flag)], e.pass)
            << e.outlet << " = \"" << e.text << "\" (mode " << static_cast<int>(e.mode) << ")";
        // The field's text reaches its own flag and no other.
        for (size_t i = 0; i < flags.size(); ++i)
            if (static_cast<int>(i) != e.flag) {
                EXPECT_TRUE(flags[i]) << e.outlet << " also set flag " << i;
            }
    }
}

TEST_P(EntryChecks, FlagsThatNoFieldSetsStayAsTheyWereAndTheAlwaysTrueOnesAreSet) {
    std::vector<bool> flags(spec().flagCount, false);
    checkFields(spec(), validView(Mode::Individual), flags);
    for (int32_t f : spec().alwaysTrue) EXPECT_TRUE(flags[static_cast<size_t>(f)]) << f;
    std::set<int> untouched;
    for (size_t i = 0; i < flags.size(); ++i)
        if (!flags[i]) untouched.insert(static_cast<int>(i));
    // 1099-MISC: Box 14 and four flags of no field; 1099-NEC: four flags of no field;
    // 1099-INT: two of no field and both Box 15 rows, which keep their flag at "None".
    const std::map<int, std::set<int>> expected{
        {1, {24, 32, 33, 43, 44}}, {7, {21, 22, 32, 33}}, {3, {24, 25, 33, 34}}};
    EXPECT_EQ(untouched, expected.at(spec().kind));
}

INSTANTIATE_TEST_SUITE_P(Forms, EntryChecks, ::testing::Values(miscCase(), necCase(), intCase()),
                         [](const auto& test) { return test.param.name; });

TEST(EntryChecksInt, Box15KeepsItsFlagAtNoneAndPassesEveryStateItem) {
    const EntryFormSpec& s = intFormSpec();
    EntryView v = EntryView::empty(s);
    const size_t top = s.indexOf("StateToppopup");
    std::vector<bool> flags(s.flagCount, true);
    flags[24] = false;
    v.text[top] = "None";
    checkFields(s, v, flags);
    EXPECT_FALSE(flags[24]);
    for (const std::string& item : Utils::StateWithCode()) {
        if (item == "None") continue;
        v.text[top] = item;
        checkFields(s, v, flags);
        EXPECT_TRUE(flags[24]) << item;
    }
}

// Every flag false: the whole list, in the form's order, each text as the user reads it.
struct ErrorListCase {
    std::string name;
    const EntryFormSpec& (*spec)();
    std::vector<std::string> texts;   // with the pop-up's state text
};

void PrintTo(const ErrorListCase& c, std::ostream* os) { *os << c.name; }

std::string box(const std::string& label) {
    return label + ": Must be positive and of form ...X,XXX.XX or ...XXXX.XX.";
}

const std::vector<std::string> kIdentityTexts{
    "Recipient Tax Payer ID: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX.",
    "Business Name: Must be between 1 and 40 characters.",
    "First Name: Must be 20 characters or less.",
    "Last Name(Surname): Must be 20 characters or less",
    "Address Line 1: Must be between 1 and 40 characters.",
    "City: Must be between 1 and 40 characters.",
    "State: Please select a State or province.",
    "ZIP: Must be of form XXXXX or XXXXX-XXXX.",
    "Country: Must be between 1 and 15 characters and it should not have any numeric.",
    "Officecode: Must be 4 numeric digits only.",
    "Account Number: Must be 20 characters or less.",
};

std::vector<std::string> identityAnd(std::vector<std::string> rest) {
    std::vector<std::string> all = kIdentityTexts;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

class EntryErrorList : public ::testing::TestWithParam<ErrorListCase> {};

TEST_P(EntryErrorList, NamesEveryFailureInOrderWithTheForeignStateText) {
    const EntryFormSpec& s = GetParam().spec();
    const std::vector<bool> flags(s.flagCount, false);
    EXPECT_EQ(errorStrings(s, flags, false), GetParam().texts);

    std::vector<std::string> foreign = GetParam().texts;
    foreign[6] = "State: Please enter a valid state.";
    EXPECT_EQ(errorStrings(s, flags, true), foreign);

    // One failing field alone lists its own text alone.
    std::vector<bool> one(s.flagCount, true);
    one[static_cast<size_t>(s.surnameFlag)] = false;
    EXPECT_EQ(errorStrings(s, one, false), std::vector<std::string>{kIdentityTexts[3]});
}

INSTANTIATE_TEST_SUITE_P(
    Forms, EntryErrorList,
    ::testing::Values(
        ErrorListCase{"MISC", miscFormSpec,
                      identityAnd({box("Box 1"), box("Box 2"), box("Box 3"), box("Box 4"), box("Box 5"),
                                   box("Box 6"), box("Box 8"), box("Box 9"), box("Box 10"), box("Box 11"),
                                   box("Box 12"), box("Box 15"), box("Box 16 (top)"), box("Box 16 (bottom)"),
                                   "Box 17 (top): Must be 20 characters or less.",
                                   "Box 17 (bottom): Must be 20 characters or less.", box("Box 18 (top)"),
                                   box("Box 18 (bottom)"), box("Box 19 (top)"), box("Box 19 (bottom)"),
                                   "Box 20 (top): Must be 60 characters or less.",
                                   "Box 20 (bottom): Must be 60 characters or less."})},
        ErrorListCase{"NEC", necFormSpec,
                      identityAnd({box("Box 1"), box("Box 3"), box("Box 4"), box("Box 5 (top)"),
                                   box("Box 5 (bottom)"), "Box 6 (top): Must be 20 characters or less.",
                                   "Box 6 (bottom): Must be 20 characters or less.", box("Box 7 (top)"),
                                   box("Box 7 (bottom)"), box("Box 8 (top)"), box("Box 8 (bottom)"),
                                   "Box 9 (top): Must be 60 characters or less.",
                                   "Box 9 (bottom): Must be 60 characters or less."})},
        ErrorListCase{"INT", intFormSpec,
                      identityAnd({"Payer's RTN: Must be 60 characters or less.", box("Box 1"), box("Box 2"),
                                   box("Box 3"), box("Box 4"), box("Box 5"), box("Box 6"),
                                   "Box 7: Must be 40 characters or less.", box("Box 8"), box("Box 9"),
                                   box("Box 10"), box("Box 11"), box("Box 12"), box("Box 13"),
                                   "Box 14: Must be Positive and 13 characters or less.",
                                   "Box 15 (top): Please select a State or Province.",
                                   "Box 15 (bottom): Please select a State or Province.",
                                   "Box 16 (top): Must be 20 characters or less.",
                                   "Box 16 (bottom): Must be 20 characters or less.", box("Box 17 (top)"),
                                   box("Box 17 (bottom)"), box("Box 18 (top)"), box("Box 18 (bottom)"),
                                   box("Box 19 (top)"), box("Box 19 (bottom)"),
                                   "Box 20 (top): Must be 60 characters or less.",
                                   "Box 20 (bottom): Must be 60 characters or less."})}),
    [](const auto& test) { return test.param.name; });

}  // namespace
