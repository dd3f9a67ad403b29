#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The recipient-list selection, the form kind chosen for a new recipient, the entry
// windows' new/edit mode and the position of the recipient list's status filter,
// shared through session().recp_details. It holds keys, never records.
//
// selectedRecipients and selectedType stay parallel: entry i of selectedType is the
// form kind code of the recipient whose key is entry i of selectedRecipients.
class Recipient {
public:
    Recipient() = default;

    int32_t editMode() const { return editMode_; }
    void setEditMode(int32_t v) { editMode_ = v; }
    int32_t getMode() const { return editMode_; }
    bool ModeIsNew() const { return editMode_ == 1; }
    bool ModeIsEdit() const { return editMode_ == 0; }
    void setModeToNew() { editMode_ = 1; }
    void setModeToEdit() { editMode_ = 0; }

    int32_t filingState() const { return filingState_; }
    void setFilingState(int32_t v) { filingState_ = v; }
    int32_t getFilingState() const { return filingState_; }

    int32_t type() const { return type_; }
    void setType(int32_t v) { type_ = v; }
    int32_t getType() const { return type_; }
    // "MISC", "DIV", "INT", "R", "S" or "NEC"; the empty text for any other code.
    std::string getTypeString() const;

    // The held lists; writers append through the non-const accessors.
    std::vector<int32_t>& selectedRecipients() { return selectedRecipients_; }
    const std::vector<int32_t>& selectedRecipients() const { return selectedRecipients_; }
    void setSelectedRecipients(std::vector<int32_t> v) { selectedRecipients_ = std::move(v); }

    std::vector<int32_t>& selectedType() { return selectedType_; }
    const std::vector<int32_t>& selectedType() const { return selectedType_; }
    std::vector<int32_t>& getSelectedType() { return selectedType_; }
    const std::vector<int32_t>& getSelectedType() const { return selectedType_; }
    void setSelectedType(std::vector<int32_t> v) { selectedType_ = std::move(v); }

private:
    int32_t editMode_ = 1;     // 1 new, 0 edit
    int32_t filingState_ = 0;
    int32_t type_ = 0;         // 0 none chosen
    std::vector<int32_t> selectedRecipients_;
    std::vector<int32_t> selectedType_;
};
