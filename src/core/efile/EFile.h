#pragma once

// The FIRE e-file of tax year 2025. It holds the transmitter record T; for each payer
// and form kind the payer record A, one payee record B per payee, the end-of-payer
// record C and, under combined federal/state filing, one state totals record K per
// state; and last the end record F. Every record is 750 printable ASCII bytes; records
// follow each other with no separator and no line end, and each goes to the output as
// soon as it is complete, so the file is never held whole in memory.
//
// Form kinds, in their order within a payer: 1 1099-MISC, 2 1099-DIV, 3 1099-INT,
// 4 1099-R, 5 1099-S, 7 1099-NEC.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

class E_FileInfo;
struct RefusedEntry;
class EFileTotals;
class ERecord;

// One payee: the recipient and its additional data (same key).
struct EFilePayee {
    RecipientInfo recipient;
    RecipientAdditionalInfo additional;
};

// One payer's payees of one form kind, handed to the writer one at a time, so that the
// caller can read them while they are written.
struct EFileGroup {
    ComapnyInfo payer;
    int32_t kind = 0;
    // Whether some payee's state has a combined federal/state code. The A record needs
    // it (position 6) before the first payee is read.
    bool anyCombinedCode = false;
    // The next payee, valid until the next call; null when none is left.
    std::function<const EFilePayee*()> nextPayee;
};

// The outcome of a run: success, or why there is no file.
struct EFileResult {
    // empty: the file would hold no payee (every one left out as void, or none of the
    // state's); nothing was written or marked, and the message says why.
    // cancelled: the user stopped the run; nothing was written or marked.
    enum class Failure { none, refused, output, database, empty, cancelled };
    Failure failure = Failure::none;
    // Refused: names the recipient and the box; otherwise the system's or SQLite's reason.
    std::string message;
    // Of a run that got as far as its payees: the B records written, and the void
    // recipients left out (a void form is never filed; its replacement is).
    uint64_t payees = 0;
    uint64_t voidLeftOut = 0;

    bool ok() const { return failure == Failure::none; }
};

class EFile {
public:
    virtual ~EFile() = default;

    // Takes one finished record; false when it could not be written.
    using Output = std::function<bool(std::string_view record)>;
    // Puts the next group in file order into its argument; false when none is left.
    using Groups = std::function<bool(EFileGroup& group)>;

    // The whole file: T with payeeCount as its number of payees, the records of every
    // group, F. A payee whose amount (or a state amount) has more digits than its field
    // holds refuses the file; the output then holds a part of it only, to be thrown away.
    // A run whose groups hold another number of payees than payeeCount fails too.
    EFileResult write(const E_FileInfo& transmitter, uint64_t payeeCount, const Groups& nextGroup,
                      const Output& output);

    // Builds the file from the main window's selection into outputPath (written under a
    // temporary name and renamed into place only when complete) and marks the recipients
    // of the run completed.
    //
    // The run's recipients are the selected ones in selection order or, with none
    // selected, every recipient of the selected payers by key (RecSort: 0 ascending,
    // 1 descending). Each selected payer gets, per form kind, the run's recipients of
    // that payer and kind. When at least one payer is selected, every recipient of the
    // run is marked completed, on both of its records, in one transaction that is
    // committed only together with the file; with no payer selected nothing is marked.
    //
    // Nothing is shown to the user: the caller shows the result's message. On any
    // failure no file is left under outputPath's name (an existing one stays as it was)
    // and nothing is marked.
    EFileResult Populate(const E_FileInfo& transmitter, const std::string& outputPath);

    // A group over payees held in memory, which must outlive the group's use.
    static EFileGroup groupOf(const ComapnyInfo& payer, int32_t kind, const std::vector<EFilePayee>& payees);

    // A payee's name as both the FIRE file and the state file carry it: a business by
    // its name line (the recipient's LastName), an individual by the surname of its
    // additional data, its first name and middle name. An individual's LastName is not
    // read: the entry windows keep the payer's name there.
    struct PayeeName {
        bool business = false;
        std::string surname;  // or the business name
        std::string first;
        std::string middle;
    };
    static PayeeName payeeNameOf(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional);
    // The payee as the user knows it, for messages (recipientListName); a payee without
    // a name by its key.
    static std::string payeeName(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional);

    // A recipient's postal code (wantNumber false) or combined federal/state code (true):
    // none for an address outside the United States, whose state text is a province.
    static std::string filingStateCode(const std::string& state, bool foreign, bool wantNumber);

    // How many void recipients a run left out, for the success message: "" for none,
    // else "1 void recipient was left out of the E-File." and so on.
    static std::string voidLeftOutText(uint64_t count, const std::string& file);
    // Told when a run files nothing because every recipient is void: void is for a form
    // never filed, so the user learns how a filed return is taken back instead.
    static constexpr char kTakeBackFiledReturn[] =
        "A return that was already filed is taken back by a corrected return with every amount zero: "
        "mark it Corrected, not Void, and set its amounts to zero.";

    // Wisconsin's identifier for a payee without state data.
    static constexpr char kWisconsinFallback[] = "036888888888801";
    // A state ID without its state's prefix: the text after a leading "KY/", "KY-" or
    // "KY" (either case) and the blanks around the separator ("KY 123", "KY / 123"),
    // else the whole text.
    static std::string withoutStatePrefix(const std::string& id, const std::string& code);

    int32_t RecSort() const { return RecSort_; }
    void setRecSort(int32_t direction) { RecSort_ = direction; }

    // The state of the last run.
    bool combinedFedStateFlag() const { return combinedFedStateFlag_; }
    bool currentFedStateFlag() const { return currentFedStateFlag_; }
    int32_t numPayers() const { return numPayers_; }
    uint64_t numPayees() const { return numPayees_; }
    uint64_t numARecords() const { return numARecords_; }
    uint64_t currentRecordNum() const { return currentRecordNum_; }

protected:
    // The 1099-NEC state file (EFile_NEC) shares the transmitter and end records, the
    // refusals, the state codes and the run's counters.
    void AddRecord(const E_FileInfo& transmitter);
    void AddRecord_A(const ComapnyInfo& payer, int32_t kind);
    // Also leaves the payee's own amounts in totals (a fresh one).
    EFileResult AddRecord_B(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                            const ComapnyInfo& payer, EFileTotals& totals);
    void AddRecord_C(const EFileTotals& totals);
    void AddRecord_K(const EFileTotals& totals);
    void AddRecord_F();
    // Writes the group's records; false in result when refused or the output failed.
    virtual EFileResult writeGroup(EFileGroup& group);
    // Hands the finished record to the output and starts the next one.
    void AppendEFileData(ERecord& record);
    // The refusals: an entry the entry windows would not take (an amount the amount
    // reader refuses, a date, distribution code or year), an amount that needs more
    // digits than its field (12 in B and in the state money positions) has, and a payee
    // that pushes a C or K total past 18 digits.
    static EFileResult refusedEntry(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                                    const RefusedEntry& refused);
    static EFileResult refusedTooLarge(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                                       const std::string& box);
    // The totals of a state in the group's list, added in order of first appearance.
    static EFileTotals& stateTotalsFor(std::vector<EFileTotals>& states, const std::string& code);
    static EFileResult refusedTotal(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                                    char code);

    // A state text's postal and combined federal/state codes, worked out once per text.
    struct StateCodes {
        std::string postal;
        std::string combined;
    };
    const StateCodes& codesOf(const std::string& state);
    // A payee's codes: none for an address outside the United States.
    const StateCodes& codesOf(const RecipientInfo& recipient);

    std::unordered_map<std::string, StateCodes> stateCodes_;
    bool combinedFedStateFlag_ = false;
    bool currentFedStateFlag_ = false;
    int32_t RecSort_ = 0;
    int32_t numPayers_ = 0;
    uint64_t numPayees_ = 0;
    uint64_t numBRecords_ = 0;
    uint64_t numARecords_ = 0;
    uint64_t currentRecordNum_ = 1;

    const Output* output_ = nullptr;
    bool outputFailed_ = false;
};
