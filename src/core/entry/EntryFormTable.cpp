#include "core/entry/EntryFormTable.h"

#include <utility>

namespace entry {

std::string FieldStore::text(const RecipientRecords& records) const {
    if (getText) return (records.info.*getText)();
    if (getAdditionalText) return (records.additional.*getAdditionalText)();
    return std::string();
}

void FieldStore::setTextIn(RecipientRecords& records, std::string value) const {
    if (setText) (records.info.*setText)(std::move(value));
    else if (setAdditionalText) (records.additional.*setAdditionalText)(std::move(value));
}

bool FieldStore::flag(const RecipientRecords& records) const {
    if (getFlag) return (records.info.*getFlag)();
    if (getAdditionalFlag) return (records.additional.*getAdditionalFlag)();
    return false;
}

void FieldStore::setFlagIn(RecipientRecords& records, bool value) const {
    if (setFlag) (records.info.*setFlag)(value);
    if (setAdditionalFlag) (records.additional.*setAdditionalFlag)(value);
}

FieldStore inInfo(const std::string& (RecipientInfo::*get)() const, void (RecipientInfo::*set)(std::string)) {
    FieldStore s;
    s.getText = get;
    s.setText = set;
    return s;
}

FieldStore inAdditional(const std::string& (RecipientAdditionalInfo::*get)() const,
                        void (RecipientAdditionalInfo::*set)(std::string)) {
    FieldStore s;
    s.getAdditionalText = get;
    s.setAdditionalText = set;
    return s;
}

FieldStore numberInInfo(int32_t (RecipientInfo::*get)() const, void (RecipientInfo::*set)(int32_t)) {
    FieldStore s;
    s.getNumber = get;
    s.setNumber = set;
    return s;
}

FieldStore flagInInfo(bool (RecipientInfo::*get)() const, void (RecipientInfo::*set)(bool)) {
    FieldStore s;
    s.getFlag = get;
    s.setFlag = set;
    return s;
}

FieldStore flagInBoth(bool (RecipientInfo::*get)() const, void (RecipientInfo::*set)(bool),
                      bool (RecipientAdditionalInfo::*getAdditional)() const,
                      void (RecipientAdditionalInfo::*setAdditional)(bool)) {
    FieldStore s = flagInInfo(get, set);
    s.getAdditionalFlag = getAdditional;
    s.setAdditionalFlag = setAdditional;
    return s;
}

std::size_t EntryFormTable::indexOf(const std::string& outlet) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (outlet == fields[i].outlet) return i;
    return npos;
}

std::size_t EntryFormTable::indexOf(Role role) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].role == role) return i;
    return npos;
}

const EntryField* EntryFormTable::fieldOfFlag(int32_t flag) const {
    for (const EntryField& f : fields)
        if (f.flag == flag) return &f;
    return nullptr;
}

}  // namespace entry
