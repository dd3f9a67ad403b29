#pragma once

// The rows that every entry form has (identity, address, the pop-ups and the shared
// check boxes), each taking the form's control name and, where forms differ, its flag.
// Used only by the form tables.

#include "core/entry/EntryFormTable.h"

namespace entry::rows {

using R = RecipientInfo;
using A = RecipientAdditionalInfo;

inline EntryField taxID(const char* outlet) {
    return {.outlet = outlet, .role = Role::TaxID, .maximum = 11, .cut = 11, .flag = 2, .check = Check::TaxID,
            .message = "Recipient Tax Payer ID: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX.",
            .store = inInfo(&R::getTaxID, &R::setTaxID)};
}

// Stored as the record's LastName through the window's name rule, not through a store.
inline EntryField businessName(const char* outlet) {
    return {.outlet = outlet, .role = Role::BusinessName, .maximum = 40, .cut = 40, .flag = 3,
            .check = Check::BusinessName, .minimum = 1, .checkMaximum = 40,
            .message = "Business Name: Must be between 1 and 40 characters."};
}

inline EntryField firstName(const char* outlet) {
    return {.outlet = outlet, .role = Role::FirstName, .maximum = 20, .cut = 20, .flag = 4,
            .check = Check::PersonName, .minimum = 1, .checkMaximum = 20,
            .message = "First Name: Must be 20 characters or less.",
            .store = inInfo(&R::getFirstName, &R::setFirstName)};
}

inline EntryField middleName(const char* outlet, int32_t flag) {
    return {.outlet = outlet, .role = Role::MiddleName, .maximum = 20, .cut = 20, .actionMarksChanged = true,
            .flag = flag, .check = Check::Length, .minimum = 0, .checkMaximum = 40,
            .store = inAdditional(&A::getmiddleName, &A::setmiddleName)};
}

inline EntryField surname(const char* outlet, int32_t flag) {
    return {.outlet = outlet, .role = Role::Surname, .maximum = 20, .cut = 20, .actionMarksChanged = true,
            .flag = flag, .check = Check::PersonName, .minimum = 1, .checkMaximum = 20,
            .message = "Last Name(Surname): Must be 20 characters or less",
            .store = inAdditional(&A::getlastname, &A::setlastname)};
}

inline EntryField suffix(const char* outlet, int32_t flag, int32_t checkMaximum) {
    return {.outlet = outlet, .role = Role::Suffix, .maximum = 20, .cut = 20, .actionMarksChanged = true,
            .flag = flag, .check = Check::Length, .minimum = 0, .checkMaximum = checkMaximum,
            .store = inAdditional(&A::getsuffix, &A::setsuffix)};
}

inline EntryField address(const char* outlet) {
    return {.outlet = outlet, .role = Role::Address, .maximum = 40, .cut = 40, .flag = 5, .check = Check::Length,
            .minimum = 1, .checkMaximum = 40, .message = "Address Line 1: Must be between 1 and 40 characters.",
            .store = inInfo(&R::getAddress, &R::setAddress)};
}

inline EntryField address2(const char* outlet, int32_t flag) {
    return {.outlet = outlet, .maximum = 35, .cut = 35, .actionMarksChanged = true, .flag = flag,
            .check = Check::Length, .minimum = 0, .checkMaximum = 40,
            .store = inAdditional(&A::getaddline2, &A::setaddline2)};
}

inline EntryField city(const char* outlet) {
    return {.outlet = outlet, .role = Role::City, .maximum = 40, .cut = 40, .flag = 6, .check = Check::City,
            .minimum = 1, .checkMaximum = 40, .message = "City: Must be between 1 and 40 characters.",
            .store = inInfo(&R::getCity, &R::setCity)};
}

// Stored as the record's State while the foreign-address box is clear.
inline EntryField addressState(const char* outlet, Check check) {
    return {.outlet = outlet, .control = Control::PopUp, .role = Role::AddressState, .maximum = 15, .flag = 7,
            .check = check, .message = "State: Please select a State or province.",
            .foreignMessage = "State: Please enter a valid state."};
}

// Stored as the record's State, and checked under the address state's flag, while the
// foreign-address box is ticked.
inline EntryField province(const char* outlet) {
    return {.outlet = outlet, .role = Role::Province, .maximum = 17, .cut = 17, .actionMarksChanged = true};
}

inline EntryField zip(const char* outlet) {
    return {.outlet = outlet, .maximum = 10, .cut = 10, .flag = 8, .check = Check::Zip,
            .message = "ZIP: Must be of form XXXXX or XXXXX-XXXX.", .store = inInfo(&R::getZip, &R::setZip)};
}

inline EntryField country(const char* outlet, int32_t flag) {
    return {.outlet = outlet, .maximum = 15, .cut = 15, .flag = flag, .check = Check::Country, .minimum = 1,
            .checkMaximum = 40,
            .message = "Country: Must be between 1 and 15 characters and it should not have any numeric.",
            .store = inInfo(&R::getCountry, &R::setCountry)};
}

inline EntryField accountNumber(const char* outlet) {
    return {.outlet = outlet, .maximum = 20, .cut = 20, .flag = 9, .check = Check::Length, .minimum = 0,
            .checkMaximum = 20, .message = "Account Number: Must be 20 characters or less.",
            .store = inInfo(&R::getAccountNumber, &R::setAccountNumber)};
}

inline EntryField officeCode(const char* outlet, int32_t flag) {
    return {.outlet = outlet, .role = Role::OfficeCode, .maximum = 4, .cut = 4, .actionMarksChanged = true,
            .flag = flag, .check = Check::OfficeCode, .message = "Officecode: Must be 4 numeric digits only.",
            .store = inAdditional(&A::getOfficecode, &A::setOfficecode)};
}

// An amount box of the recipient record (typing limit 13).
inline EntryField amount(const char* outlet, int32_t flag, const char* message, FieldStore store,
                         int32_t cut = 13) {
    return {.outlet = outlet, .maximum = 13, .cut = cut, .flag = flag, .check = Check::Amount,
            .message = message, .store = store, .conversion = Conversion::Amount};
}

// A text box checked for its length only.
inline EntryField text(const char* outlet, int32_t maximum, int32_t cut, int32_t flag, int32_t checkMaximum,
                       const char* message, FieldStore store, bool actionMarksChanged = false) {
    return {.outlet = outlet, .maximum = maximum, .cut = cut, .actionMarksChanged = actionMarksChanged,
            .flag = flag, .check = Check::Length, .minimum = 0, .checkMaximum = checkMaximum, .message = message,
            .store = store};
}

inline EntryField stateRow(const char* outlet, FieldStore store) {
    return {.outlet = outlet, .control = Control::PopUp, .role = Role::StateRow, .store = store};
}

inline EntryField checkBox(const char* outlet, FieldStore store, Role role = Role::Plain, int32_t flag = -1) {
    return {.outlet = outlet, .control = Control::CheckBox, .role = role, .flag = flag, .store = store};
}

inline EntryField tinType(const char* outlet) {
    return {.outlet = outlet, .control = Control::PopUp, .role = Role::TinType,
            .store = inAdditional(&A::gettin_type, &A::settin_type)};
}

inline EntryField nameType(const char* outlet) {
    return {.outlet = outlet, .control = Control::PopUp, .role = Role::NameType,
            .store = inAdditional(&A::getname_type, &A::setname_typee)};
}

inline EntryField voided(const char* outlet) {
    return checkBox(outlet, flagInBoth(&R::getVoided, &R::setVoided, &A::getVoided, &A::setVoided), Role::Void);
}

inline EntryField corrected(const char* outlet) {
    return checkBox(outlet, flagInBoth(&R::getCorrected, &R::setCorrected, &A::getCorrected, &A::setCorrected),
                    Role::Corrected);
}

inline EntryField foreignAddress(const char* outlet) {
    return checkBox(outlet, flagInInfo(&R::getAddressIsNotUSTerritory, &R::setAddressIsNotUSTerritory),
                    Role::ForeignAddress);
}

inline EntryField secondTin(const char* outlet) {
    return checkBox(outlet, flagInInfo(&R::getSecondTin, &R::setSecondTin));
}

}  // namespace entry::rows
