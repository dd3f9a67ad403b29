#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// The company-list selection and the payer window's new/edit mode, shared through
// session().comp_details. It holds keys, never records: readers fetch the rows they
// need and must cope with a key whose row has gone since.
//
// selectedCompanies and selectedType stay parallel: entry i of selectedType (always 1
// for a company) belongs to entry i of selectedCompanies.
class Company {
public:
    Company() = default;

    int32_t mode() const { return mode_; }
    void setMode(int32_t v) { mode_ = v; }
    int32_t getMode() const { return mode_; }
    bool ModeIsNew() const { return mode_ == 1; }
    bool ModeIsEdit() const { return mode_ == 0; }
    void setModeToNew() { mode_ = 1; }
    void setModeToEdit() { mode_ = 0; }

    int32_t type() const { return type_; }
    void setType(int32_t v) { type_ = v; }

    // The held lists; writers append through the non-const accessors.
    std::vector<int32_t>& selectedCompanies() { return selectedCompanies_; }
    const std::vector<int32_t>& selectedCompanies() const { return selectedCompanies_; }
    std::vector<int32_t>& getSelectedCompanies() { return selectedCompanies_; }
    const std::vector<int32_t>& getSelectedCompanies() const { return selectedCompanies_; }
    void setSelectedCompanies(std::vector<int32_t> v) { selectedCompanies_ = std::move(v); }

    std::vector<int32_t>& selectedType() { return selectedType_; }
    const std::vector<int32_t>& selectedType() const { return selectedType_; }
    void setSelectedType(std::vector<int32_t> v) { selectedType_ = std::move(v); }

private:
    int32_t mode_ = 1;   // 1 new, 0 edit
    int32_t type_ = 1;
    std::vector<int32_t> selectedCompanies_;
    std::vector<int32_t> selectedType_;
};
