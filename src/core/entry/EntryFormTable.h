#pragma once

// What a recipient entry window of one form kind is made of, held as data: its
// fields (each with the window's control name, its typing limit, its check, its
// failure text and where it is stored), its validity flags and the order of its error
// list. One table per form kind; the window and the checks below read only the table,
// so the six entry windows share all of their logic. A rule that ties several fields of
// one form together (the 1099-S property of Box 3) is that form's own function, named
// by its table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace entry {

struct EntryView;

// The two records that an entry window edits, under one key.
struct RecipientRecords {
    RecipientInfo info;
    RecipientAdditionalInfo additional;
};

// The kind of control a field is shown in.
enum class Control { Text, PopUp, CheckBox };

// What a field means to the window beyond being stored: the name and address parts
// that the name type and the foreign-address box switch, and the controls with
// behaviour of their own.
enum class Role {
    Plain,
    TaxID,
    BusinessName,      // the name line: a business's name, the payer's name for an individual
    FirstName,
    MiddleName,
    Surname,
    Suffix,
    Address,
    City,
    AddressState,      // the state pop-up of the address
    Province,          // the state or province of a foreign address
    OfficeCode,
    StateRow,          // a state pop-up of a state row
    TinType,
    NameType,
    ForeignAddress,
    Void,              // stored in both records
    Corrected,         // stored in both records
};

// The check of a field; its flag says whether the field's text passed.
enum class Check {
    None,
    TaxID,              // Utils::isValidTaxID
    Length,             // length within [minimum, maximum], characters
    BusinessName,       // trailing blanks removed, then Length; only blanks never pass
    PersonName,         // Length for an individual; always passes for a business
    Amount,             // Utils::isValidDollarString and Utils::ValidateFieldLength; empty passes; for a
                        // StoredAsTypedShownAsAmount field also no text StoredAmount refuses
    City,               // Length; always passes for a foreign address
    Zip,                // Utils::isValidZip; always passes for a foreign address
    ZipEvenForeign,     // Utils::isValidZip, for a foreign address too
    AddressState,       // the pop-up's title, or the province for a foreign address: not "None", "" or " "
    AddressStateEmptyTitlePasses,  // the same, except that an empty pop-up title passes
    AddressStateBlankPasses,       // the state text is not "None" or ""; a single blank passes
    Country,            // Length and Utils::isAlphabetic
    OfficeCode,         // Utils::isValidOfficeCode
    StateRowTitle,      // "None" leaves the flag as it was; any other title Utils::isValidState
    Date,               // empty, or Utils::isValidDate
    DistributionCode,   // Utils::isValidDistributionCode; empty passes
    Percentage,         // empty, or Utils::isValidPercentage with a value from 1 to 99
    Year,               // Utils::isValidYear; empty passes
    FormRule,           // set by the form's own rule (EntryFormTable::formRule), not field by field
};

// How a field's text becomes the stored text and back.
enum class Conversion {
    AsTyped,
    Amount,                    // Utils::valueInRecipientInfo to store, Utils::valueInView to show
    StoredAsTypedShownAsAmount,  // a valid amount stored as StoredAmount::stored ("1234.00"), other text as typed;
                                 // Utils::valueInView to show
    ConvertedShownAsStored,
    WholeNumber,               // a number store: Utils::stringToPositive to store, Utils::positiveToString to show
    Percentage,                // WholeNumber, except that 100 or more is stored as not valid (-2)
    StateItem,                 // a state pop-up's title, stored as chosen; a stored two-letter code, state
                               // name or title in any case shows its item, anything else "None"
};

// Where a field is stored: a text, whole number or flag of one of the two records (or of
// both, for void and corrected). A field without a place is shown but never stored.
struct FieldStore {
    const std::string& (RecipientInfo::*getText)() const = nullptr;
    void (RecipientInfo::*setText)(std::string) = nullptr;
    const std::string& (RecipientAdditionalInfo::*getAdditionalText)() const = nullptr;
    void (RecipientAdditionalInfo::*setAdditionalText)(std::string) = nullptr;
    bool (RecipientInfo::*getFlag)() const = nullptr;
    void (RecipientInfo::*setFlag)(bool) = nullptr;
    bool (RecipientAdditionalInfo::*getAdditionalFlag)() const = nullptr;
    void (RecipientAdditionalInfo::*setAdditionalFlag)(bool) = nullptr;
    int32_t (RecipientInfo::*getNumber)() const = nullptr;
    void (RecipientInfo::*setNumber)(int32_t) = nullptr;

    bool storesText() const { return setText || setAdditionalText; }
    bool storesNumber() const { return setNumber != nullptr; }
    bool storesFlag() const { return setFlag || setAdditionalFlag; }
    std::string text(const RecipientRecords& records) const;
    void setTextIn(RecipientRecords& records, std::string value) const;
    bool flag(const RecipientRecords& records) const;
    void setFlagIn(RecipientRecords& records, bool value) const;
};

FieldStore inInfo(const std::string& (RecipientInfo::*get)() const, void (RecipientInfo::*set)(std::string));
FieldStore inAdditional(const std::string& (RecipientAdditionalInfo::*get)() const,
                        void (RecipientAdditionalInfo::*set)(std::string));
FieldStore numberInInfo(int32_t (RecipientInfo::*get)() const, void (RecipientInfo::*set)(int32_t));
FieldStore flagInInfo(bool (RecipientInfo::*get)() const, void (RecipientInfo::*set)(bool));
FieldStore flagInBoth(bool (RecipientInfo::*get)() const, void (RecipientInfo::*set)(bool),
                      bool (RecipientAdditionalInfo::*getAdditional)() const,
                      void (RecipientAdditionalInfo::*setAdditional)(bool));

struct EntryField {
    const char* outlet;            // the control's object name
    Control control = Control::Text;
    Role role = Role::Plain;
    int32_t maximum = 0;           // typing limit in characters; 0 none
    int32_t cut = 0;               // the field action cuts the text to this length; 0 none
    bool actionMarksChanged = false;
    int32_t flag = -1;             // validity flag; -1 none
    Check check = Check::None;
    int32_t minimum = 0;           // length range of Length-like checks, inclusive
    int32_t checkMaximum = 0;
    const char* message = "";      // failure text of the flag ("" none)
    const char* foreignMessage = "";  // the address state's text for a foreign address
    FieldStore store = {};
    Conversion conversion = Conversion::AsTyped;
};

// In an error order: where the form's own rule lists its failures.
constexpr int32_t kFormRuleMessages = -1;

struct EntryFormTable {
    int32_t kind = 0;                 // form kind code: 1 MISC, 2 DIV, 3 INT, 4 R, 5 S, 7 NEC
    const char* window = "";          // the window's class and object name
    const char* closeTitle = "";      // title of the close prompt ("1099 MISC")
    std::size_t flagCount = 0;
    std::vector<int32_t> alwaysTrue;  // flags that every check sets
    int32_t nameLineFlag = 3;
    int32_t surnameFlag = 0;
    std::vector<int32_t> errorOrder;  // flags in the order the error list names them
    std::vector<EntryField> fields;
    std::vector<const char*> disabledAtLoad;  // fields that the form never uses
    // The form's own rule over several fields together: sets the flags of its
    // Check::FormRule fields, after the fields' own checks ran.
    void (*formRule)(const EntryFormTable& formTable, const EntryView& view, std::vector<bool>& flags) = nullptr;
    // The failure texts of that rule, in its order, listed at kFormRuleMessages.
    std::vector<std::string> (*formRuleMessages)(const std::vector<bool>& flags) = nullptr;

    // Index of the field with this outlet or role; npos when there is none.
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t indexOf(const std::string& outlet) const;
    std::size_t indexOf(Role role) const;
    const EntryField* fieldOfFlag(int32_t flag) const;
};

const EntryFormTable& miscForm();
const EntryFormTable& necForm();
const EntryFormTable& intForm();
const EntryFormTable& divForm();
const EntryFormTable& rForm();
const EntryFormTable& sForm();

}  // namespace entry
