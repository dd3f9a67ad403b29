#include "core/entry/RecipientEntry.h"

#include <algorithm>
#include <stdexcept>

#include "core/foundation/StoredAmount.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/TinType.h"
#include "core/foundation/Utils.h"

namespace entry {

namespace {

std::size_t indexOrThrow(const EntryFormTable& formTable, const std::string& outlet) {
    const std::size_t i = formTable.indexOf(outlet);
    if (i == EntryFormTable::npos) throw std::invalid_argument("no field " + outlet + " in " + formTable.window);
    return i;
}

// The address state's text: the province while the foreign-address box is ticked.
std::string addressStateText(const EntryFormTable& formTable, const EntryView& view, bool foreign) {
    const std::size_t i = formTable.indexOf(foreign ? Role::Province : Role::AddressState);
    return i == EntryFormTable::npos ? std::string() : view.text[i];
}

std::string withoutTrailingBlanks(const std::string& text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

bool isChosenState(const std::string& s) { return s != "None" && !s.empty() && s != " "; }

// A percentage of a whole: empty, or one or two digits worth 1 to 99 ("05" is 5).
bool isPercentage(const std::string& text) {
    if (text.empty()) return true;
    if (!Utils::isValidPercentage(text)) return false;
    const int32_t value = Utils::stringToPositive(text);
    return value >= 1 && value <= 99;
}

bool passes(const EntryField& f, const std::string& text, const EntryFormTable& formTable, const EntryView& view,
            bool foreign, bool business) {
    switch (f.check) {
    case Check::None:
        return true;
    case Check::TaxID:
        return Utils::isValidTaxID(text);
    case Check::Length:
        return Utils::isValidLength(text, f.minimum, f.checkMaximum);
    case Check::BusinessName: {
        // Trimming a text of blanks alone leaves one blank, which is no name.
        const bool onlyBlanks = std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
        return !onlyBlanks &&
               Utils::isValidLength(Utils::EraseEndSpaceChar(text, " "), f.minimum, f.checkMaximum);
    }
    case Check::PersonName:
        return business || Utils::isValidLength(text, f.minimum, f.checkMaximum);
    case Check::Amount:
        // A box stored as typed is filed as typed: it must also be an amount the
        // amount reader takes (not above the largest a return holds).
        return Utils::isValidDollarString(text) && Utils::ValidateFieldLength(text) &&
               (f.conversion != Conversion::StoredAsTypedShownAsAmount || !StoredAmount::read(text).refused());
    case Check::City:
        return foreign || Utils::isValidLength(text, f.minimum, f.checkMaximum);
    case Check::Zip:
        return foreign || Utils::isValidZip(text);
    case Check::ZipEvenForeign:
        return Utils::isValidZip(text);
    case Check::AddressState:
        return isChosenState(addressStateText(formTable, view, foreign));
    case Check::AddressStateEmptyTitlePasses: {
        const std::string s = addressStateText(formTable, view, foreign);
        return foreign ? isChosenState(s) : s != "None" && s != " ";
    }
    case Check::AddressStateBlankPasses: {
        const std::string s = addressStateText(formTable, view, foreign);
        return s != "None" && !s.empty();
    }
    case Check::Country:
        return Utils::isValidLength(text, f.minimum, f.checkMaximum) && Utils::isAlphabetic(text);
    case Check::OfficeCode:
        return Utils::isValidOfficeCode(text);
    case Check::StateRowTitle:
        return Utils::isValidState(text);
    case Check::Date:
        return Utils::isEmptyString(text) || Utils::isValidDate(text);
    case Check::DistributionCode:
        return Utils::isValidDistributionCode(text);
    case Check::Percentage:
        return isPercentage(text);
    case Check::Year:
        return Utils::isValidYear(text);
    case Check::FormRule:
        break;
    }
    return true;
}

std::string storedText(Conversion c, const std::string& text) {
    switch (c) {
    case Conversion::Amount:
    case Conversion::ConvertedShownAsStored:
        return Utils::valueInRecipientInfo(text);
    case Conversion::StoredAsTypedShownAsAmount: {
        // A valid amount is stored as the other amount boxes store it ("1234.00"); any
        // other text as typed, for the user to see and mend.
        const StoredAmount amount = StoredAmount::read(text);
        return Utils::isValidDollarString(text) && amount.isAmount() ? amount.stored() : text;
    }
    default:
        break;
    }
    return text;
}

std::string shownText(Conversion c, const std::string& stored) {
    switch (c) {
    case Conversion::Amount:
    case Conversion::StoredAsTypedShownAsAmount:
        return Utils::valueInView(stored);
    case Conversion::StateItem:
        return stateItemOf(stored);
    default:
        break;
    }
    return stored;
}

int32_t storedNumber(Conversion c, const std::string& text) {
    // A percentage of the whole or more is no percentage: stored as not valid.
    if (c == Conversion::Percentage && Utils::stringToInt1(text) >= 100) return -2;
    return Utils::stringToPositive(text);
}

}  // namespace

EntryView EntryView::empty(const EntryFormTable& formTable) {
    EntryView v;
    v.text.resize(formTable.fields.size());
    v.checked.resize(formTable.fields.size());
    v.formTable = &formTable;
    return v;
}

std::string& EntryView::operator[](const std::string& outlet) { return text[indexOrThrow(*formTable, outlet)]; }

void EntryView::tick(const std::string& outlet, bool on) { checked[indexOrThrow(*formTable, outlet)] = on; }

const std::vector<std::string>& nameTypeTitles() {
    static const std::vector<std::string> titles{"Individual", "Business Name"};
    return titles;
}

int tinTypeIndex(const std::string& stored) {
    const std::string s = textscan::upper(stored);
    const auto& titles = tintype::titles();
    if (s.empty()) return 0;
    for (std::size_t i = 0; i < titles.size(); ++i)
        if (s == titles[i]) return static_cast<int>(i);
    const int32_t number = Utils::stringToInt1(s);
    return number >= 0 && number < static_cast<int32_t>(titles.size()) ? number : 0;
}

std::string stateItemOf(const std::string& stored) {
    const std::string wanted = textscan::upper(stored);
    const std::vector<std::string> items = Utils::StateWithCode();
    for (std::size_t i = 1; i < items.size(); ++i) {
        const std::string item = textscan::upper(items[i]);
        const std::size_t dash = item.rfind('-');
        const std::string code = dash == std::string::npos ? std::string() : item.substr(dash + 1);
        const std::string name = item.size() > 3 ? item.substr(0, item.size() - 3) : std::string();
        if (wanted == code || wanted == name || wanted == item) return items[i];
    }
    return items.front();
}

bool isBusinessNameType(const std::string& nameType) {
    return nameType == "Business Name" || nameType == "1" || (!nameType.empty() && (nameType[0] == 'b' || nameType[0] == 'B'));
}

bool isForeignAddress(const EntryFormTable& formTable, const EntryView& view) {
    const std::size_t i = formTable.indexOf(Role::ForeignAddress);
    return i != EntryFormTable::npos && view.checked[i];
}

bool isBusiness(const EntryFormTable& formTable, const EntryView& view) {
    const std::size_t i = formTable.indexOf(Role::NameType);
    return i != EntryFormTable::npos && isBusinessNameType(view.text[i]);
}

void checkFields(const EntryFormTable& formTable, const EntryView& view, std::vector<bool>& flags) {
    flags.resize(formTable.flagCount, true);
    for (int32_t f : formTable.alwaysTrue) flags[static_cast<std::size_t>(f)] = true;
    const bool foreign = isForeignAddress(formTable, view);
    const bool business = isBusiness(formTable, view);
    for (std::size_t i = 0; i < formTable.fields.size(); ++i) {
        const EntryField& f = formTable.fields[i];
        if (f.flag < 0 || f.check == Check::None || f.check == Check::FormRule) continue;
        // A state row left at "None" keeps whatever its flag said before.
        if (f.check == Check::StateRowTitle && view.text[i] == "None") continue;
        flags[static_cast<std::size_t>(f.flag)] = passes(f, view.text[i], formTable, view, foreign, business);
    }
    if (formTable.formRule) formTable.formRule(formTable, view, flags);
}

bool allValid(const std::vector<bool>& flags) {
    return std::all_of(flags.begin(), flags.end(), [](bool b) { return b; });
}

std::vector<std::string> errorStrings(const EntryFormTable& formTable, const std::vector<bool>& flags, bool foreign) {
    std::vector<std::string> errors;
    for (int32_t flag : formTable.errorOrder) {
        if (flag == kFormRuleMessages) {
            if (formTable.formRuleMessages) {
                const std::vector<std::string> more = formTable.formRuleMessages(flags);
                errors.insert(errors.end(), more.begin(), more.end());
            }
            continue;
        }
        if (static_cast<std::size_t>(flag) >= flags.size() || flags[static_cast<std::size_t>(flag)]) continue;
        const EntryField* f = formTable.fieldOfFlag(flag);
        if (!f) continue;
        const char* text = foreign && *f->foreignMessage ? f->foreignMessage : f->message;
        if (*text) errors.emplace_back(text);
    }
    return errors;
}

EntryView recordsToView(const EntryFormTable& formTable, const RecipientRecords& records, const std::string& payerName) {
    EntryView view = EntryView::empty(formTable);
    const RecipientInfo& info = records.info;
    const bool foreign = info.getAddressIsNotUSTerritory();
    const bool isNew = info.getTaxID().empty() && info.getLastName().empty();
    const bool business = !isNew && isBusinessNameType(records.additional.getname_type());
    for (std::size_t i = 0; i < formTable.fields.size(); ++i) {
        const EntryField& f = formTable.fields[i];
        std::string& text = view.text[i];
        switch (f.role) {
        case Role::BusinessName:
            // The payer's name stands in the line cut to the line's length, as a loaded
            // record's line is, so that a long imported payer name fails no check here.
            text = business && !info.getLastName().empty() ? info.getLastName() : cutToLength(payerName, f.maximum);
            continue;
        case Role::AddressState:
            text = foreign ? "None" : info.getState();
            continue;
        case Role::Province:
            text = foreign ? info.getState() : " ";
            continue;
        case Role::TinType:
            text = tintype::titles()[static_cast<std::size_t>(tinTypeIndex(f.store.text(records)))];
            continue;
        case Role::NameType:
            text = nameTypeTitles()[business ? 1 : 0];
            continue;
        default:
            break;
        }
        if (f.control == Control::CheckBox) view.checked[i] = f.store.flag(records);
        else if (f.store.storesNumber()) text = Utils::positiveToString((records.info.*f.store.getNumber)());
        else if (f.store.storesText()) text = shownText(f.conversion, f.store.text(records));
    }
    return view;
}

void viewToRecords(const EntryFormTable& formTable, const EntryView& view, const std::string& payerName,
                   RecipientRecords& records) {
    const bool foreign = isForeignAddress(formTable, view);
    const bool business = isBusiness(formTable, view);
    for (std::size_t i = 0; i < formTable.fields.size(); ++i) {
        const EntryField& f = formTable.fields[i];
        const std::string& text = view.text[i];
        switch (f.role) {
        case Role::BusinessName:
            // Stored as checked: the trailing blanks that the check passes over are not kept.
            records.info.setLastName(business ? withoutTrailingBlanks(text) : payerName);
            continue;
        case Role::AddressState:
            if (!foreign) records.info.setState(text);
            continue;
        case Role::Province:
            if (foreign) records.info.setState(text);
            continue;
        default:
            break;
        }
        if (f.control == Control::CheckBox) {
            if (f.store.storesFlag()) f.store.setFlagIn(records, view.checked[i]);
        } else if (f.store.storesNumber()) {
            (records.info.*f.store.setNumber)(storedNumber(f.conversion, text));
        } else if (f.store.storesText()) {
            f.store.setTextIn(records, storedText(f.conversion, text));
        }
    }
    records.info.setType(formTable.kind);
    records.additional.setType(formTable.kind);
}

std::string cutToLength(const std::string& text, int32_t length) {
    if (length < 0 || Utils::characterCount(text) <= static_cast<std::size_t>(length)) return text;
    return Utils::fromCodePoints(Utils::toCodePoints(text).substr(0, static_cast<std::size_t>(length)));
}

void trimView(const EntryFormTable& formTable, EntryView& view) {
    for (std::size_t i = 0; i < formTable.fields.size(); ++i) {
        std::string& text = view.text[i];
        switch (formTable.fields[i].role) {
        case Role::FirstName:
            text = cutToLength(text, 20);
            break;
        case Role::BusinessName:
        case Role::Address:
            text = cutToLength(text, 40);
            break;
        case Role::OfficeCode: {
            const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
            std::size_t b = 0, e = text.size();
            while (b < e && blank(text[b])) ++b;
            while (e > b && blank(text[e - 1])) --e;
            text = cutToLength(text.substr(b, e - b), 4);
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace entry
