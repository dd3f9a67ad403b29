#include "core/import/RecipientImportRules.h"

#include <algorithm>
#include <iterator>

#include "core/foundation/StoredAmount.h"
#include "core/foundation/StoredDate.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/TinType.h"
#include "core/foundation/Utils.h"
#include "core/import/ImportCatalogues.h"

namespace imports {

namespace {

using R = RecipientInfo;
using A = RecipientAdditionalInfo;
using K = ColumnRuleKind;

constexpr ColumnRule text(K kind, void (R::*field)(std::string), int32_t minimum = 0, int32_t maximum = 0) {
    ColumnRule rule;
    rule.kind = kind;
    rule.text = field;
    rule.minimum = minimum;
    rule.maximum = maximum;
    return rule;
}

constexpr ColumnRule extra(K kind, void (A::*field)(std::string), int32_t minimum = 0, int32_t maximum = 0) {
    ColumnRule rule;
    rule.kind = kind;
    rule.extra = field;
    rule.minimum = minimum;
    rule.maximum = maximum;
    return rule;
}

constexpr ColumnRule flag(K kind, void (R::*field)(bool)) {
    ColumnRule rule;
    rule.kind = kind;
    rule.flag = field;
    return rule;
}

constexpr ColumnRule number(K kind, void (R::*field)(int32_t)) {
    ColumnRule rule;
    rule.kind = kind;
    rule.number = field;
    return rule;
}

constexpr ColumnRule money(void (R::*field)(std::string)) { return text(K::Money, field); }
constexpr ColumnRule length(void (R::*field)(std::string), int32_t minimum, int32_t maximum) {
    return text(K::Length, field, minimum, maximum);
}
constexpr ColumnRule length(void (A::*field)(std::string), int32_t minimum, int32_t maximum) {
    return extra(K::Length, field, minimum, maximum);
}
constexpr ColumnRule asIs(void (R::*field)(std::string)) { return text(K::AsIs, field); }
constexpr ColumnRule asIs(void (A::*field)(std::string)) { return extra(K::AsIs, field); }
constexpr ColumnRule checkbox(void (R::*field)(bool)) { return flag(K::Checkbox, field); }
constexpr ColumnRule boxState(void (R::*field)(std::string)) { return text(K::BoxStateLookup, field); }
constexpr ColumnRule boxState(void (A::*field)(std::string)) { return extra(K::BoxStateLookup, field); }

// Position i is catalogue column i (ImportCatalogues).
const ColumnRule kRules[] = {
    // ---- common, 0-24 ----
    extra(K::TinType, &A::settin_type),          // 0 Recipient's TIN Type
    text(K::TaxID, &R::setTaxID),                // 1 Recipient Tax Payer ID
    extra(K::NameType, &A::setname_typee),       // 2 Recipient's Name Type
    text(K::BusinessName, &R::setLastName),      // 3 Business Name
    text(K::FirstName, &R::setFirstName, 0, 40), // 4 First Name
    extra(K::NamePart, &A::setmiddleName),       // 5 Middle Name
    extra(K::NamePart, &A::setlastname),         // 6 Last Name(Surname)
    extra(K::NamePart, &A::setsuffix),           // 7 Recipient Suffix
    text(K::Address, &R::setAddress),            // 8 Address Line 1
    asIs(&A::setaddline2),                       // 9 Address Line 2
    asIs(&R::setCity),                           // 10 City
    text(K::State, &R::setState),                // 11 State
    asIs(&R::setZip),                            // 12 ZIP Code
    asIs(&R::setCountry),                        // 13 Country
    checkbox(&R::setAddressIsNotUSTerritory),    // 14 Address not in U.S.
    length(&A::setOfficecode, 0, 4),             // 15 Office code
    length(&R::setAccountNumber, 0, 20),         // 16 Account Number
    checkbox(&R::setFATCA_MISC),                 // 17
    checkbox(&R::setFATCA_INT),                  // 18
    checkbox(&R::setFATCA_DIV),                  // 19
    checkbox(&R::setFATCA_R),                    // 20
    text(K::Date, &R::setR_DateOfPayment),       // 21 Date of payment
    checkbox(&R::setSecondTin),                  // 22 2nd TIN notice
    flag(K::VoidCorrected, &R::setVoided),       // 23 Void
    flag(K::VoidCorrected, &R::setCorrected),    // 24 Corrected

    // ---- 1099-MISC, 25-49 ----
    money(&R::setLine1_Misc), money(&R::setLine2_Misc), money(&R::setLine3_Misc),   // 25-27
    money(&R::setLine4_Misc), money(&R::setLine5_Misc), money(&R::setLine6_Misc),   // 28-30
    flag(K::Box7Checkbox, &R::setLine9_Misc),                                       // 31 Box 7
    money(&R::setLine8_Misc),                                                       // 32 Box 8
    money(&R::setLine7_Misc),                                                       // 33 Box 9
    money(&R::setLine10_Misc), money(&R::setLine11_Misc), money(&R::setLine12_Misc),  // 34-36
    money(&R::setLine14_Misc),                                                      // 37 Box 15
    boxState(&A::setTopState_M),                                                    // 38
    money(&R::setLine16_1_Misc),                                                    // 39
    text(K::StateMoney, &R::setLine17_1_Misc),                                      // 40
    length(&R::setLine18_1_Misc, 0, 20),                                            // 41
    asIs(&A::setline19_1_Misc), asIs(&A::setline20_1_Misc),                         // 42, 43
    boxState(&A::setBottomState_M),                                                 // 44
    money(&R::setLine16_2_Misc),                                                    // 45
    text(K::StateMoney, &R::setLine17_2_Misc),                                      // 46
    length(&R::setLine18_2_Misc, 0, 20),                                            // 47
    asIs(&A::setline19_2_Misc), asIs(&A::setline20_2_Misc),                         // 48, 49

    // ---- 1099-INT, 50-76 ----
    length(&R::setInt_payerRTN, 0, 60),                                             // 50
    money(&R::setInt_Line1), money(&R::setInt_Line2), money(&R::setInt_Line3),      // 51-53
    money(&R::setInt_Line4), money(&R::setInt_Line5), money(&R::setInt_Line6),      // 54-56
    length(&R::setInt_Line7, 0, 40),                                                // 57
    money(&R::setInt_Line8), money(&R::setInt_Line9),                               // 58, 59
    length(&R::setInt_Line10, 0, 13), length(&R::setInt_Line11, 0, 13),            // 60, 61
    length(&R::setInt_Line17, 0, 13), length(&R::setInt_Line16, 0, 13),            // 62, 63
    length(&R::setInt_Line12, 0, 13),                                               // 64
    boxState(&R::setInt_Line13_1),                                                  // 65
    length(&R::setInt_Line14_1, 0, 13), length(&R::setInt_Line15_1, 0, 13),        // 66, 67
    extra(K::Money, &A::setInt_StateINCM_1),                                        // 68
    length(&A::setInt_Line18_1, 0, 13),                                             // 69
    length(&A::setInt_Line19_1, 0, 60),                                             // 70
    boxState(&R::setInt_Line13_2),                                                  // 71
    length(&R::setInt_Line14_2, 0, 13), length(&R::setInt_Line15_2, 0, 13),        // 72, 73
    extra(K::Money, &A::setInt_StateINCM_2),                                        // 74
    length(&A::setInt_Line18_2, 0, 13),                                             // 75
    length(&A::setInt_Line19_2, 0, 60),                                             // 76

    // ---- 1099-DIV, 77-106 ----
    money(&R::setDiv_Line1a), money(&R::setDiv_Line1b), money(&R::setDiv_Line2a),   // 77-79
    money(&R::setDiv_Line2b), money(&R::setDiv_Line2c), money(&R::setDiv_Line2d),   // 80-82
    money(&R::setDiv_Line2e), money(&R::setDiv_Line2f), money(&R::setDiv_Line3),    // 83-85
    money(&R::setDiv_Line4), money(&R::setDiv_Sec199ADiv), money(&R::setDiv_Line5), // 86-88
    money(&R::setDiv_Line6),                                                        // 89
    length(&R::setDiv_Line7, 0, 40),                                                // 90
    money(&R::setDiv_Line8), money(&R::setDiv_Line9), money(&R::setDiv_Line10),     // 91-93
    money(&R::setDiv_Line11),                                                       // 94
    boxState(&R::setDiv_Line12_1),                                                  // 95
    text(K::MoneyText, &R::setDiv_Line13_1), money(&R::setDiv_Line14_1),            // 96, 97
    extra(K::Money, &A::setDiv_StateINC_1),                                         // 98
    length(&A::setDiv_Line15_1, 0, 60),                                             // 99 box 18, local tax
    length(&A::setDiv_Line16_1, 0, 13),                                             // 100 box 19, special data
    boxState(&R::setDiv_Line12_2),                                                  // 101
    text(K::MoneyText, &R::setDiv_Line13_2), money(&R::setDiv_Line14_2),            // 102, 103
    extra(K::Money, &A::setDiv_StateINC_2),                                         // 104
    length(&A::setDiv_Line15_2, 0, 60),                                             // 105
    length(&A::setDiv_Line16_2, 0, 13),                                             // 106

    // ---- 1099-S, 107-115 ----
    text(K::Date, &R::setS_Line1),                                                  // 107
    money(&R::setS_Line2),                                                          // 108
    asIs(&R::setS_Address_Line3), asIs(&R::setS_City_Line3),                        // 109, 110
    boxState(&R::setS_State_Line3),                                                 // 111
    asIs(&R::setS_Zip_Line3),                                                       // 112
    checkbox(&R::setS_Line4), checkbox(&R::setS_Line6),                             // 113, 114
    money(&R::setS_Line5),                                                          // 115

    // ---- 1099-R, 116-151 ----
    money(&R::setR_Line1), money(&R::setR_Line2a),                                  // 116, 117
    checkbox(&R::setR_Line2b_Checkbox_1), checkbox(&R::setR_Line2b_Checkbox_2),     // 118, 119
    money(&R::setR_Line3), money(&R::setR_Line4), money(&R::setR_Line5),            // 120-122
    money(&R::setR_Line6),                                                          // 123
    text(K::DistributionCode, &R::setR_Line7),                                      // 124
    checkbox(&R::setR_Line7_Checkbox),                                              // 125
    money(&R::setR_Line8),                                                          // 126
    number(K::Percentage, &R::setR_Line8_Percentage),                               // 127
    number(K::UncappedPercentage, &R::setR_Line9a),                                 // 128
    money(&R::setR_Line9b), money(&R::setR_Line10),                                 // 129, 130
    number(K::Year, &R::setR_Line11),                                               // 131
    boxState(&A::setTopState_R),                                                    // 132
    money(&R::setR_Line12_1),                                                       // 133
    length(&R::setR_Line13_1, 1, 20),                                               // 134
    money(&R::setR_Line14_1), money(&R::setR_Line15_1),                             // 135, 136
    length(&R::setR_Line16_1, 0, 20),                                               // 137
    money(&R::setR_Line17_1),                                                       // 138
    extra(K::Money, &A::setStateINC1_R),                                            // 139
    length(&A::setR_Line18_1, 0, 13),                                               // 140
    length(&A::setR_Line19_1, 0, 60),                                               // 141
    boxState(&A::setBottomState_R),                                                 // 142
    money(&R::setR_Line12_2),                                                       // 143
    length(&R::setR_Line13_2, 0, 20),                                               // 144
    money(&R::setR_Line14_2), money(&R::setR_Line15_2),                             // 145, 146
    length(&R::setR_Line16_2, 0, 20),                                               // 147
    money(&R::setR_Line17_2),                                                       // 148
    extra(K::Money, &A::setStateINC2_R),                                            // 149
    length(&A::setR_Line18_2, 0, 13),                                               // 150
    length(&A::setR_Line19_2, 0, 60),                                               // 151

    // ---- 1099-NEC, 152-167 ----
    money(&R::setLine1_NEC),                                                        // 152
    checkbox(&R::setNec_Line2_2),                                                   // 153
    money(&R::setLine3_NEC), money(&R::setLine4_NEC),                               // 154, 155
    boxState(&A::setTopState_NEC),                                                  // 156
    money(&R::setLine5_1_NEC),                                                      // 157
    length(&R::setLine6_1_NEC, 0, 20),                                              // 158
    money(&R::setLine7_1_NEC),                                                      // 159
    length(&A::setLine8_1_NEC, 0, 13),                                              // 160
    length(&A::setLine9_1_NEC, 0, 60),                                              // 161
    boxState(&A::setBottomState_NEC),                                               // 162
    money(&R::setLine5_2_NEC),                                                      // 163
    length(&R::setLine6_2_NEC, 0, 20),                                              // 164
    money(&R::setLine7_2_NEC),                                                      // 165
    length(&A::setLine8_2_NEC, 0, 13),                                              // 166
    length(&A::setLine9_2_NEC, 0, 60),                                              // 167
};
static_assert(std::size(kRules) == kRecipientCatalogueSize, "one rule per catalogue column");

const ColumnRule kNoRule{};

// A check box value: true for "1", false for "" and "0"; nothing for anything else.
std::optional<bool> checkboxValue(const std::string& value) {
    if (value == "1") return true;
    if (value.empty() || value == "0") return false;
    return std::nullopt;
}

// The code rule reads a distribution code's first two characters only, and the filing
// files write just those: a text with more after them ("4 G", "G4X") would be filed as
// less than was written, so the record is listed for the user to see.
bool onlyBlanksAfterCode(const std::string& value) {
    const std::u32string s = Utils::toCodePoints(value);
    return s.size() <= 2 || std::all_of(s.begin() + 2, s.end(), [](char32_t c) { return c == U' '; });
}

}  // namespace

const ColumnRule& recipientColumnRule(int catalogueIndex) {
    if (catalogueIndex < 0 || catalogueIndex >= kRecipientCatalogueSize) return kNoRule;
    return kRules[catalogueIndex];
}

void ImportedRecipient::note(int catalogueIndex) {
    if (std::find(failedColumns.begin(), failedColumns.end(), catalogueIndex) == failedColumns.end())
        failedColumns.push_back(catalogueIndex);
}

void ImportedRecipient::failed(int catalogueIndex) {
    info.setValidated(false);
    note(catalogueIndex);
}

void ImportedRecipient::failedAdditional(int catalogueIndex) {
    additional.setValidated(false);
    note(catalogueIndex);
}

ImportedRecipient newImportedRecipient(int32_t payerKey, bool withNameType) {
    ImportedRecipient record;
    record.info.setValidated(true);
    record.additional.setValidated(true);
    record.info.setCompany_FK(payerKey);
    record.additional.setCompany_FK(payerKey);
    if (withNameType) record.additional.setname_typee("Individual");
    record.additional.settin_type("SSN");
    return record;
}

void settleTinType(ImportedRecipient& record) {
    if (record.tinTypeGiven) return;
    const bool business = record.additional.getname_type() == "Business Name";
    record.additional.settin_type(tintype::ofRecipient(record.info.getTaxID(), business));
}

void applyRecipientColumn(int catalogueIndex, const std::string& value, ImportedRecipient& record) {
    if (catalogueIndex < 0 || catalogueIndex >= kRecipientCatalogueSize) return;
    const ColumnRule& rule = kRules[catalogueIndex];
    RecipientInfo& r = record.info;
    RecipientAdditionalInfo& a = record.additional;
    auto invalidUnless = [&](bool ok) {
        if (!ok) record.failed(catalogueIndex);
    };
    auto setText = [&](std::string v) {
        if (rule.text) (r.*rule.text)(std::move(v));
        else if (rule.extra) (a.*rule.extra)(std::move(v));
    };
    const bool business = a.getname_type() == "Business Name";

    switch (rule.kind) {
        case K::AsIs:
            setText(value);
            break;
        case K::Money: {
            // Stored as the entry windows store an amount, so every reader of the column
            // sees the same cents; what is no amount stays as typed for the user to mend.
            const StoredAmount amount = StoredAmount::read(value);
            setText(amount.isAmount() ? amount.stored() : value);
            invalidUnless(value.empty() || amount.isAmount());
            break;
        }
        case K::MoneyText:
            setText(value);
            invalidUnless(Utils::isValidDollarString(value));
            break;
        case K::StateMoney:
            setText(value);
            invalidUnless(Utils::isValidDollarStringState(value));
            break;
        case K::Length:
            setText(value);
            if (!Utils::isValidLength(value, rule.minimum, rule.maximum)) {
                if (rule.extra) record.failedAdditional(catalogueIndex);
                else record.failed(catalogueIndex);
            }
            break;
        case K::Date: {
            // An ISO date is stored as the entry windows write a date, so that the
            // windows show it and every reader sees one form.
            const StoredDate date = StoredDate::read(value);
            const bool iso = date.isDate() && StoredDate::isIsoForm(value);
            setText(iso ? date.monthDayYear() : value);
            invalidUnless(iso || Utils::isValidDate(value));
            break;
        }
        case K::TinType: {
            const std::string title = tintype::title(value);
            setText(title.empty() ? value : title);
            record.tinTypeGiven = !title.empty();
            break;
        }
        case K::Checkbox: {
            const auto on = checkboxValue(value);
            (r.*rule.flag)(on.value_or(false));
            invalidUnless(on.has_value());
            break;
        }
        case K::BoxStateLookup:
            setText(importedState(value, false));
            break;
        case K::TaxID:
            setText(value);
            invalidUnless(Utils::isValidTaxID(value));
            break;
        case K::NameType:
            setText(!value.empty() && textscan::lower(value[0]) == 'b' ? "Business Name" : "Individual");
            break;
        case K::BusinessName:
            // Stored whatever the name type; its length is checked once the record is
            // known to be a business or an individual.
            setText(value);
            record.businessName = value;
            break;
        case K::FirstName:
            setText(business ? std::string() : value);
            invalidUnless(Utils::isValidLength(value, rule.minimum, rule.maximum) || business);
            break;
        case K::NamePart:
            setText(business ? std::string() : value);
            break;
        case K::Address:
            setText(r.getAddress().empty() ? value : value + " " + r.getAddress());
            break;
        case K::State:
            setText(r.getAddressIsNotUSTerritory() ? value : importedState(value, true));
            break;
        case K::VoidCorrected: {
            const auto on = checkboxValue(value);
            (r.*rule.flag)(on.value_or(false));
            if (rule.flag == &R::setVoided) a.setVoided(on.value_or(false));
            else a.setCorrected(on.value_or(false));
            if (!on) {
                record.failed(catalogueIndex);
                a.setValidated(false);
            }
            break;
        }
        case K::Box7Checkbox:
            (r.*rule.flag)(value == "1");
            break;
        case K::DistributionCode:
            setText(value);
            invalidUnless(Utils::isValidDistributionCode(value) && onlyBlanksAfterCode(value));
            break;
        case K::Percentage:
        case K::UncappedPercentage: {
            int32_t n = Utils::stringToPositive(value);
            if (rule.kind == K::Percentage && n > 99) n = -2;
            (r.*rule.number)(n);
            invalidUnless(value.empty() || Utils::isValidPercentage(value));
            break;
        }
        case K::Year:
            (r.*rule.number)(Utils::stringToPositive(value));
            invalidUnless(Utils::isValidYear(value));
            break;
    }
}

}  // namespace imports
