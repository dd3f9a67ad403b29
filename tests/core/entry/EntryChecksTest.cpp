// The checks of the six entry forms: the edges of every rule, field by field, and
// the error list with its order and texts.

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/entry/EntryFormTable.h"
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
    // Where the forms differ.
    int firstMax = 20, surnameMax = 20, countryMax = 40;
    bool zipCheckedWhenForeign = false;
    bool blankProvincePasses = false;
    const char* state = "Statepopup";
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
        {n.first, 4, chars(n.firstMax), true},
        {n.first, 4, chars(n.firstMax + 1), false},
        {n.first, 4, "", true, Mode::Business},
        {n.first, 4, chars(41), true, Mode::Business},
        {n.surname, n.surnameFlag, "", false},
        {n.surname, n.surnameFlag, chars(n.surnameMax), true},
        {n.surname, n.surnameFlag, chars(n.surnameMax + 1), false},
        {n.surname, n.surnameFlag, "", true, Mode::Business},

        {n.address, 5, "", false},            {n.address, 5, chars(40), true},
        {n.address, 5, chars(41), false},

        {n.city, 6, "", false},               {n.city, 6, chars(40), true},
        {n.city, 6, chars(41), false},        {n.city, 6, "", true, Mode::Foreign},
        {n.city, 6, chars(41), true, Mode::Foreign},

        {n.state, 7, "None", false},          {n.state, 7, "Wyoming-WY", true},
        {n.province, 7, "", false, Mode::Foreign},
        {n.province, 7, " ", n.blankProvincePasses, Mode::Foreign},
        {n.province, 7, "None", false, Mode::Foreign},
        {n.province, 7, "Ontario", true, Mode::Foreign},
        // While the box is clear the province is not what is checked.
        {n.province, 7, "", true},

        {n.zip, 8, "", false},                {n.zip, 8, "62701-1234", true},
        {n.zip, 8, "6270", false},
        {n.zip, 8, "", !n.zipCheckedWhenForeign, Mode::Foreign},
        {n.zip, 8, "SW1A 1AA", !n.zipCheckedWhenForeign, Mode::Foreign},

        {n.country, n.countryFlag, "", false},
        {n.country, n.countryFlag, "United States", true},
        {n.country, n.countryFlag, "U5", false},
        {n.country, n.countryFlag, chars(n.countryMax), true},
        {n.country, n.countryFlag, chars(n.countryMax + 1), false},

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
        // Commas only between groups of three digits.
        edges.push_back({outlet, flag, "1,2,3", false});
        edges.push_back({outlet, flag, "15,00", false});
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
    const EntryFormTable& (*formTable)();
    std::vector<Edge> edges;
    std::map<std::string, std::string> valid = {};   // boxes that a valid record must fill
};

void PrintTo(const FormCase& c, std::ostream* os) { *os << c.name; }

FormCase miscCase() {
    FormCase c{"MISC", miscForm,
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
    FormCase c{"NEC", necForm,
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
    FormCase c{"INT", intForm,
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
    // Box 18 is filed as stored: fourteen digits pass the length rule but no return
    // holds them.
    c.edges.push_back({"INT_StateINC1_P", 44, "12345678901234", false});
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

FormCase divCase() {
    Identity n{"RecipientidStaticText", "LastNameStaticText", "FirstNameStaticText", "Lastname_action", 40,
               "AddressStaticText", "CityStaticText", "NonUSstate_btn", "ZIPStaticText", "CountryStaticText", 49,
               "AccountNumStaticText", "Officecode", 42};
    n.countryMax = 15;
    n.state = "StatePopupBtn";
    FormCase c{"DIV", divForm, identityEdges(n)};
    addAmountEdges(c.edges, {{"TotalOrdinaryStaticText", 11}, {"QualifiedStaticText", 12},
                             {"TotalcapitalStaticText", 13}, {"UnrecapStaticText", 14},
                             {"Section1202StaticText", 15}, {"CollectiblesStaticText", 16},
                             {"Section897_Statictext", 17}, {"Section897Capital", 18}, {"NonDividentStaticText", 19},
                             {"FederalIncomeStaticText", 20}, {"Sec199ADividends", 35}, {"InvestmentStaticText", 21},
                             {"ForeignTaxStaticText", 22}, {"CashLiquidStaticText", 24},
                             {"NonCashLiquidStaticText", 25}, {"ExemptStaticText", 26}, {"SpecifiedTStaticText", 27},
                             {"StateTaxWithheldStaticText", 32}, {"StateTaxWithheldStaticText1", 33},
                             {"D_StateInc1_P", 47}, {"D_StateInc2_P", 48}, {"LocalIncometax", 43},
                             {"Localincometax2", 44}});
    addLengthEdges(c.edges, {{"ForeignCountryStaticText", 23, 40}, {"StateNumberStaticText", 30, 20},
                             {"StateNumberStaticText1", 31, 20}, {"Statespecialdata1", 45, 60},
                             {"Statespecialdata2", 46, 60}, {"Suffix", 38, 40}, {"Middlename", 39, 40},
                             {"Address2", 41, 40}});
    c.edges.push_back({"StatePopupBtn", 7, "", false});
    c.edges.push_back({"StateTop_popupBtn", 28, "Ohio-OH", true});
    c.edges.push_back({"StateButtom_popupBtn", 29, "Not a state", false});
    return c;
}

FormCase rCase() {
    Identity n{"RecipientidStaticText", "LastNameStaticText", "FirstNameStaticText", "LastName", 44,
               "AddressStaticText", "CityStaticText", "NonUS_Btn", "ZIPStaticText", "CountryStaticText", 55,
               "AccountNumStaticText", "Officecode", 46};
    n.firstMax = 40;
    FormCase c{"R", rForm, identityEdges(n)};
    addAmountEdges(c.edges, {{"GrossDistributeStaticText", 11}, {"TaxableAmtStaticText", 12},
                             {"CapitalGainStaticText", 14}, {"FederalIncomeStaticText", 15},
                             {"EmpContributionStaticText", 16}, {"NetUnrealizedStaticText", 17},
                             {"OtherStaticText", 20}, {"TotalEmpContributionStaticText", 23},
                             {"AmountAllocableStaticText", 24}, {"StateTaxWithheldStaticText", 26},
                             {"StateTaxWithheldStaticText1", 27}, {"StateIncomeStaticText", 30},
                             {"StateIncomeStaticText1", 31}, {"LocalTaxWithheldStaticText", 32},
                             {"LocalTaxWithheldStaticText1", 33}, {"LocalDistributionStaticText", 37},
                             {"LocalDistributionStaticText1", 38}, {"StateLocalincome", 47},
                             {"StateLocalIncome2", 48}, {"R_StateInc1_P", 53}, {"R_StateInc2_P", 54}});
    addLengthEdges(c.edges, {{"StateNumberStaticText", 28, 20}, {"StateNumberStaticText1", 29, 20},
                             {"NameOfLocalityStaticText", 35, 20}, {"NameOfLocalityStaticText1", 36, 20},
                             {"StateSpecialdata", 49, 60}, {"Statespecialdata1", 50, 60}, {"Sufix", 42, 40},
                             {"Middlename", 43, 40}, {"Add2", 45, 40}});
    c.edges.push_back({"Statepopup", 7, "", false});
    // Box 7: every branch of the distribution-code rule; stored as typed, so checked in any case.
    for (const auto& [code, pass] : std::vector<std::pair<std::string, bool>>{
             {"", true},    {"1", true},   {"7", true},   {"12", false}, {"1B", true},  {"8", false},
             {"81", true},  {"82", true},  {"84", true},  {"83", false}, {"G", true},   {"G4", true},
             {"G8", false}, {"J", true},   {"J8", true},  {"JP", true},  {"J1", false}, {"K", true},
             {"K7", true},  {"k7", true},  {"KG", true},  {"K3", false}, {"P", true},   {"PJ", true},
             {"PB", true},  {"P8", false}, {"A", true},   {"Y", true},   {"Z", false},  {"0", false},
             {":", false},  {"@", false},  {"I", false},  {"O", false},  {"V", false},  {"X", false},
             {"AB", false}, {"a", true},   {"b7", true},  {"4g", true},  {"74", false}})
        c.edges.push_back({"DistributionCodeStaticText", 18, code, pass});
    // Box 8 % and 9a: one or two digits worth 1 to 99.
    for (const auto& [outlet, flag] : std::vector<std::pair<const char*, int>>{{"OtherStaticText1", 21},
                                                                               {"PerOfTotalDistStaticText", 22}})
        for (const auto& [text, pass] : std::vector<std::pair<std::string, bool>>{
                 {"", true}, {"1", true}, {"05", true}, {"99", true}, {"0", false}, {"00", false}, {"100", false},
                 {"150", false}, {"1a", false}, {"5.", false}})
            c.edges.push_back({outlet, flag, text, pass});
    // Box 11: a year of four digits.
    for (const auto& [text, pass] : std::vector<std::pair<std::string, bool>>{
             {"", true}, {"2019", true}, {"1000", true}, {"999", false}, {"20191", false}, {"a2019", false},
             {"0999", false}})
        c.edges.push_back({"FirstYearofDesigStaticText", 25, text, pass});
    // The date of payment: empty, or a real date of form MM/DD/YYYY.
    for (const auto& [text, pass] : std::vector<std::pair<std::string, bool>>{
             {"", true},           {"2/29/2024", true},  {"02-28-2025", true}, {"12/31/2025", true},
             {"2/29/2025", false}, {"13/01/2025", false}, {"2025/01/01", false}, {"1/1/25", false},
             {"4/31/2025", false}, {"2/29/1900", false}, {"2/29/2000", true}, {"1/1/2025/", false}})
        c.edges.push_back({"DateOfPaymentStaticText", 39, text, pass});
    return c;
}

FormCase sCase() {
    Identity n{"RecipientidStaticText", "LastNameStaticText", "FirstNameStaticText", "lastname", 22,
               "AddressStaticText", "CityStaticText", "NonUSstate_Btn", "ZIPStaticText", "CountryStaticText", 25,
               "AccountNumStaticText", "Officecode", 24};
    n.firstMax = 40;
    n.surnameMax = 40;
    n.zipCheckedWhenForeign = true;
    n.blankProvincePasses = true;
    FormCase c{"S", sForm, identityEdges(n), {{"InfoAddressStaticText", "Lot 7 Block 2 Harbor View"}}};
    addAmountEdges(c.edges, {{"GrossProceedStaticText", 11}, {"BuyerspartStaticText", 17}});
    addLengthEdges(c.edges, {{"suffix", 20, 40}, {"middlename", 21, 40}, {"add2", 23, 40}});
    c.edges.push_back({"Statepopup", 7, "", false});
    // Box 1, the date of closing.
    for (const auto& [text, pass] : std::vector<std::pair<std::string, bool>>{
             {"", true}, {"2/29/2024", true}, {"2-29-2024", true}, {"02/30/2025", false}, {"2/29/2025", false}})
        c.edges.push_back({"DateofCloseStaticText", 10, text, pass});
    return c;
}

class EntryChecks : public ::testing::TestWithParam<FormCase> {
protected:
    void SetUp() override { resetSession(); }

    const EntryFormTable& formTable() const { return GetParam().formTable(); }

    // Every field valid: an individual (or a business) with a US (or foreign) address.
    EntryView validView(Mode mode) const {
        const EntryFormTable& s = formTable();
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
            if (f.check == Check::Zip || f.check == Check::ZipEvenForeign) v.text[i] = "62701";
            if (f.check == Check::Country) v.text[i] = "US";
        }
        for (const auto& [outlet, text] : GetParam().valid) v[outlet] = text;
        return v;
    }
};

TEST_P(EntryChecks, AValidRecordSetsEveryFlag) {
    for (Mode mode : {Mode::Individual, Mode::Business, Mode::Foreign}) {
        std::vector<bool> flags(formTable().flagCount, true);
        checkFields(formTable(), validView(mode), flags);
        EXPECT_TRUE(allValid(flags)) << "mode " << static_cast<int>(mode);
        EXPECT_TRUE(errorStrings(formTable(), flags, mode == Mode::Foreign).empty());
    }
}

TEST_P(EntryChecks, EachRuleAtItsEdges) {
    for (const Edge& e : GetParam().edges) {
        EntryView view = validView(e.mode);
        view[e.outlet] = e.text;
        std::vector<bool> flags(formTable().flagCount, true);
        checkFields(formTable(), view, flags);
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
    std::vector<bool> flags(formTable().flagCount, false);
    checkFields(formTable(), validView(Mode::Individual), flags);
    for (int32_t f : formTable().alwaysTrue) EXPECT_TRUE(flags[static_cast<size_t>(f)]) << f;
    std::set<int> untouched;
    for (size_t i = 0; i < flags.size(); ++i)
        if (!flags[i]) untouched.insert(static_cast<int>(i));
    // 1099-MISC: Box 14 and four flags of no field; 1099-NEC: four flags of no field;
    // 1099-INT and 1099-DIV: two of no field and both state rows, which keep their flag
    // at "None"; 1099-R and 1099-S: none.
    const std::map<int, std::set<int>> expected{{1, {24, 32, 33, 43, 44}}, {7, {21, 22, 32, 33}},
                                                {3, {24, 25, 33, 34}},     {2, {28, 29, 36, 37}},
                                                {4, {}},                   {5, {}}};
    EXPECT_EQ(untouched, expected.at(formTable().kind));
}

INSTANTIATE_TEST_SUITE_P(Forms, EntryChecks,
                         ::testing::Values(miscCase(), necCase(), intCase(), divCase(), rCase(), sCase()),
                         [](const auto& test) { return test.param.name; });

// The 1099-INT Box 15 and the 1099-DIV Box 14 state rows: one rule.
TEST(EntryChecksStateRows, KeepTheirFlagAtNoneAndPassEveryStateItem) {
    for (const auto& [formTable, outlet, flag] : std::vector<std::tuple<const EntryFormTable*, const char*, size_t>>{
             {&intForm(), "StateToppopup", 24}, {&divForm(), "StateButtom_popupBtn", 29}}) {
        EntryView v = EntryView::empty(*formTable);
        const size_t row = formTable->indexOf(outlet);
        std::vector<bool> flags(formTable->flagCount, true);
        flags[flag] = false;
        v.text[row] = "None";
        checkFields(*formTable, v, flags);
        EXPECT_FALSE(flags[flag]) << outlet;
        for (const std::string& item : Utils::StateWithCode()) {
            if (item == "None") continue;
            v.text[row] = item;
            checkFields(*formTable, v, flags);
            EXPECT_TRUE(flags[flag]) << outlet << " " << item;
        }
    }
}

// Every flag false: the whole list, in the form's order, each text as the user reads it.
struct ErrorListCase {
    std::string name;
    const EntryFormTable& (*formTable)();
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

// The 1099-S window names the taxpayer number and the account number its own way.
std::vector<std::string> transferorAnd(std::vector<std::string> rest) {
    std::vector<std::string> all = identityAnd(std::move(rest));
    all[0] = "Transferor Tax Payer ID Number: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX.";
    all[10] = "Account or escrow number: Must be 20 characters or less.";
    return all;
}

std::vector<std::string> topAndBottom(const std::string& label, const std::string& rule) {
    return {label + " (top): " + rule, label + " (bottom): " + rule};
}

std::vector<std::string> join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

const std::string kAmountRule = "Must be positive and of form ...X,XXX.XX or ...XXXX.XX.";

class EntryErrorList : public ::testing::TestWithParam<ErrorListCase> {};

TEST_P(EntryErrorList, NamesEveryFailureInOrderWithTheForeignStateText) {
    const EntryFormTable& s = GetParam().formTable();
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
        ErrorListCase{"MISC", miscForm,
                      identityAnd({box("Box 1"), box("Box 2"), box("Box 3"), box("Box 4"), box("Box 5"),
                                   box("Box 6"), box("Box 8"), box("Box 9"), box("Box 10"), box("Box 11"),
                                   box("Box 12"), box("Box 15"), box("Box 16 (top)"), box("Box 16 (bottom)"),
                                   "Box 17 (top): Must be 20 characters or less.",
                                   "Box 17 (bottom): Must be 20 characters or less.", box("Box 18 (top)"),
                                   box("Box 18 (bottom)"), box("Box 19 (top)"), box("Box 19 (bottom)"),
                                   "Box 20 (top): Must be 60 characters or less.",
                                   "Box 20 (bottom): Must be 60 characters or less."})},
        ErrorListCase{"NEC", necForm,
                      identityAnd({box("Box 1"), box("Box 3"), box("Box 4"), box("Box 5 (top)"),
                                   box("Box 5 (bottom)"), "Box 6 (top): Must be 20 characters or less.",
                                   "Box 6 (bottom): Must be 20 characters or less.", box("Box 7 (top)"),
                                   box("Box 7 (bottom)"), box("Box 8 (top)"), box("Box 8 (bottom)"),
                                   "Box 9 (top): Must be 60 characters or less.",
                                   "Box 9 (bottom): Must be 60 characters or less."})},
        ErrorListCase{"INT", intForm,
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
                                   "Box 20 (bottom): Must be 60 characters or less."})},
        ErrorListCase{"DIV", divForm,
                      identityAnd(join({{box("Box 1a"), box("Box 1b"), box("Box 2a"), box("Box 2b"), box("Box 2c"),
                                         box("Box 2d"), box("Box 2e"), box("Box 2f"), box("Box 3"), box("Box 4"),
                                         box("Box 5"), box("Box 6"), box("Box 7"),
                                         "Box 8: Must be 40 characters or less.", box("Box 9"), box("Box 10"),
                                         box("Box 12"), box("Box 13")},
                                        topAndBottom("Box 14", "Please select a State or Province."),
                                        topAndBottom("Box 15", "Must be 20 characters or less."),
                                        topAndBottom("Box 16", kAmountRule), topAndBottom("Box 17", kAmountRule),
                                        topAndBottom("Box 18", kAmountRule), topAndBottom("Box 19", "Must be 60 characters or less.")}))},
        ErrorListCase{"R", rForm,
                      identityAnd(join({{"Date Of Payment: Must be a valid date of form MM/DD/YYYY.", box("Box 1"),
                                         box("Box 2a"), box("Box 3"), box("Box 4"), box("Box 5"), box("Box 6"),
                                         "Box 7: Must be a valid Distribution Code. See Publication 1220.",
                                         box("Box 8"), "Box 8 %: Must be an integer between 1 and 99.",
                                         "Box 9a: Must be an integer between 1 and 99.", box("Box 9b"),
                                         box("Box 10"), "Box 11: Must be a year of form YYYY."},
                                        topAndBottom("Box 14", kAmountRule), topAndBottom("Box 15", "Must be 20 characters or less."),
                                        topAndBottom("Box 16", kAmountRule), topAndBottom("Box 17", kAmountRule),
                                        topAndBottom("Box 18", "Must be 20 characters or less."),
                                        topAndBottom("Box 19", kAmountRule), topAndBottom("Box 20", kAmountRule),
                                        topAndBottom("Box 21", kAmountRule), topAndBottom("Box 22", "Must be 60 characters or less.")}))},
        // Every Box 3 flag false: the property's address rule, in its order.
        ErrorListCase{"S", sForm,
                      transferorAnd({"Box 1: Must be a valid date of form MM/DD/YYYY.", box("Box 2"),
                                     "Box 3 Address and City: Must be between 1 and 25 characters combined.",
                                     "Box 3 State: Please select a State or Province.",
                                     "Box 3 ZIP: Must be of form XXXXX or XXXXX-XXXX.", box("Box 6")})}),
    [](const auto& test) { return test.param.name; });

}  // namespace

// Suffix, middle name and second address line longer than their checks allow (possible
// only in stored data): the record is not valid, and the list names nothing.
TEST(EntryChecksSilentFlags, MakeTheRecordInvalidWithAnEmptyList) {
    for (const auto& [formTable, fields] : std::vector<std::pair<const EntryFormTable*, std::vector<int>>>{
             {&sForm(), {20, 21, 23}}, {&rForm(), {42, 43, 45}}, {&divForm(), {38, 39, 41}}}) {
        for (int flag : fields) {
            std::vector<bool> flags(formTable->flagCount, true);
            flags[static_cast<size_t>(flag)] = false;
            EXPECT_FALSE(allValid(flags));
            EXPECT_TRUE(errorStrings(*formTable, flags, false).empty()) << formTable->window << " flag " << flag;
        }
    }
}

// The 1099-S Box 3: a legal description alone, or an address whose street and city fit
// one line of 25 characters, with state and ZIP code.
struct Box3Case {
    std::string name;
    std::string address, city, state, zip;
    std::vector<bool> flags;             // 12, 13, 14, 15
    std::vector<std::string> messages;
};

void PrintTo(const Box3Case& c, std::ostream* os) { *os << c.name; }

const std::string kLegal = "Box 3 Address or legal description: Must be between 1 and 39 characters.";
const std::string kCombined = "Box 3 Address and City: Must be between 1 and 25 characters combined.";
const std::string kState3 = "Box 3 State: Please select a State or Province.";
const std::string kZip3 = "Box 3 ZIP: Must be of form XXXXX or XXXXX-XXXX.";

class SaleBox3 : public ::testing::TestWithParam<Box3Case> {};

TEST_P(SaleBox3, SetsItsFlagsAndListsItsMessages) {
    resetSession();
    const EntryFormTable& s = sForm();
    EntryView v = EntryView::empty(s);
    v["nametype"] = "Business Name";
    v["LastNameStaticText"] = "Acme Supply";
    v["RecipientidStaticText"] = "12-3456789";
    v["AddressStaticText"] = "1 Main St";
    v["CityStaticText"] = "Springfield";
    v["Statepopup"] = "Illinois-IL";
    v["ZIPStaticText"] = "62701";
    v["CountryStaticText"] = "US";
    v["InfoAddressStaticText"] = GetParam().address;
    v["InfoCityStaticText"] = GetParam().city;
    v["Stateinfopopup"] = GetParam().state;
    v["InfoZIPStaticText"] = GetParam().zip;
    std::vector<bool> flags(s.flagCount, true);
    checkFields(s, v, flags);
    EXPECT_EQ(std::vector<bool>(flags.begin() + 12, flags.begin() + 16), GetParam().flags);
    EXPECT_EQ(errorStrings(s, flags, false), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SaleBox3,
    ::testing::Values(
        Box3Case{"LegalDescriptionFillingTheField", chars(30), "", "None", "", {true, true, true, true}, {}},
        Box3Case{"LegalDescriptionOf39", chars(39), "", "None", "", {true, true, true, true}, {}},
        Box3Case{"LegalDescriptionOf40", chars(40), "", "None", "", {false, true, true, true}, {kLegal}},
        Box3Case{"NothingAtAll", "", "", "None", "", {false, true, true, true}, {kLegal}},
        Box3Case{"AddressAndCityOf22", chars(10), chars(11), "Ohio-OH", "43215", {true, true, true, true}, {}},
        Box3Case{"AddressAndCityOf25", chars(12), chars(12), "Ohio-OH", "43215", {true, true, true, true}, {}},
        Box3Case{"AddressAndCityOf26", chars(14), chars(11), "Ohio-OH", "43215", {false, false, true, true},
                 {kCombined}},
        Box3Case{"AZipMakesItAnAddress", "1 Main St", "", "None", "43215", {true, false, false, true},
                 {kCombined, kState3}},
        Box3Case{"AStateMakesItAnAddress", "1 Main St", "", "Ohio-OH", "", {true, false, true, false},
                 {kCombined, kZip3}},
        Box3Case{"EveryAddressPartFails", "", "", "None", "123", {false, false, false, false},
                 {kCombined, kState3, kZip3}},
        Box3Case{"OnlyTheStateFails", "1 Main St", "Columbus", "None", "43215", {true, true, false, true},
                 {kState3}}),
    [](const auto& test) { return test.param.name; });
