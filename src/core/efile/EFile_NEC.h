#pragma once

// The 1099-NEC state file: a file in the FIRE format for one of the states KY, ME, NC,
// OK and WI, holding the 1099-NEC returns of the payees in that state. It shares the
// FIRE file's field formatter, totals, transmitter record T and end record F; its payer,
// payee and totals records have a layout of their own, which the states read:
// - A: as the FIRE file's, type of return "NE", amount codes "134", position 6 blank;
// - B: sixteen amounts at 55-246 (codes 1-9 and A-G), the foreign flag at 247, the
//   surname or business name at 248-287, the first name at 288-327, the chosen state's
//   own data at 663-722 and the state tax withheld (box 5) at 723-734;
// - C: the payee count and sixteen control totals at 16-303;
// - K (only in an OK file under combined federal/state filing): as C, with the postal
//   code at 747-748.
// T 296-303 and F 50-57 count the B records written.

#include <cstdint>
#include <optional>
#include <string>

#include "core/efile/EFile.h"

class EFile_NEC : public EFile {
public:
    // The states that take a state file, in the order the e-file window lists them.
    static constexpr const char* kStates[] = {"KY", "ME", "NC", "OK", "WI"};
    static bool isStateFileState(const std::string& state);

    // Whether a recipient of this form kind and stored state text ("Kentucky-KY") is a
    // payee of the state file of `state` ("KY"): a 1099-NEC whose state's postal code is
    // that state. An address outside the United States (foreign) is in no state.
    static bool isPayeeOf(int32_t kind, const std::string& stateText, bool foreign, const std::string& state);

    // The whole file of the transmitter's NEC state: T with payeeCount as its number of
    // payees, for each group (one per payer, holding only payees of the file) A, its B
    // records, C and in an OK file K, then F. The group's kind is not looked at. An
    // amount with more digits than its field holds refuses the file; the output then
    // holds a part of it only, to be thrown away. A run whose groups hold another number
    // of payees than payeeCount fails too.
    EFileResult write(const E_FileInfo& transmitter, uint64_t payeeCount, const Groups& nextGroup,
                      const Output& output);

    // Builds the state file of the transmitter's NEC state from the main window's
    // selection into outputPath (written under a temporary name and renamed into place
    // only when complete) and marks the payees of the file completed.
    //
    // The candidates are the selected recipients in selection order or, with none
    // selected, the 1099-NEC recipients of the selected payers by key; the payees of the
    // file are the candidates that isPayeeOf the state. Each selected payer gets its
    // payees of the file, in order. When at least one payer is selected, every payee of
    // the file is marked completed (on its recipient row) in one transaction that is
    // committed only together with the file; other candidates are left as they are.
    //
    // Nothing is shown to the user; on any failure no file is left under outputPath's
    // name (an existing one stays as it was) and nothing is marked.
    EFileResult Populate(const E_FileInfo& transmitter, const std::string& outputPath);

    // Whether a 1099-NEC recipient of the selected payers is in the state, as the e-file
    // window asks before it offers the state file. Nothing, with the reason in failure,
    // when the recipients could not be read.
    static std::optional<bool> selectedPayersHavePayeesIn(const std::string& state, std::string& failure);
    // What the user is told when no state file is made for the state: no selected
    // recipient is a 1099-NEC payee in it.
    static std::string noPayeeMessage(const std::string& state);

private:
    void AddRecord_A(const ComapnyInfo& payer);
    // Also leaves the payee's own amounts in totals (a fresh one).
    EFileResult AddRecord_B(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                            EFileTotals& totals);
    void AddRecord_C(const EFileTotals& totals);
    void AddRecord_K(const EFileTotals& totals);
    EFileResult writeGroup(EFileGroup& group);

    std::string state_;
};
