#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/store/DuplicateTaxID.h"
#include "core/store/RecipientFullInfo.h"

class CompanyDatabase;

// How many rows execRecipientListQuery would return for the same filter text, form kind
// and filing status over the payers selected in the main window, counted in the
// database instead of read record by record. The main window's recipient count line
// and its selection keeping need only the number; reading thousands of full records to
// count them is far too slow for a list that is refilled at every click.
// 0 when the database is not open or the count cannot be read.
int64_t countRecipientList(CompanyDatabase& db, const std::string& filter, int32_t kind, int32_t status);

// Whether countRecipientList with these arguments counts the same rows as with no
// filter, kind or status at all, so that one count serves for both.
bool countsEveryRecipient(const std::string& filter, int32_t kind, int32_t status);

// The recipients of the main window's payers, read once for a filter text and sort
// order: every row with what decides where it counts, so that the list and its total
// for any form kind and filing status come from it without reading the file again.
struct RecipientListSnapshot {
    struct Row {
        RecipientFullInfo info;
        bool inTotal = false;     // counted with no filter, kind or status
        bool nameListed = false;  // listed: additional data, listed payer, filter on any name
        int32_t kind = 0;         // 1, 2, 3, 4, 5 or 7 when its kind column is one of them
        uint32_t status = 0;      // bit s-1 set when filing-status condition s (1 to 10) holds
        int32_t key = 0;
        int32_t payer = 0;
        std::string taxID;        // scrambled, as stored
    };
    // Every recipient of these payers has a row (one that counts nowhere too).
    std::vector<int32_t> payers;
    std::vector<Row> rows;
};

// What the main window shows for one form kind and filing status.
struct RecipientListRead {
    // What execRecipientFullInfoQuery gives for the listed payers and the same arguments.
    std::vector<RecipientFullInfo> rows;
    // countRecipientList(db, "", 0, 0): every recipient of the selected payers.
    int64_t total = 0;
    // Which read of the file the rows come from (0: none); see refillRecipientList.
    uint64_t generation = 0;
    // Left empty, since they are those of the rows drawn (see refillRecipientList).
    bool sameRowsAsDrawn = false;
    // refillRecipientList gives the rows here, as pointers into the read it keeps (valid
    // until the next refill), and leaves rows empty: a list of every recipient is not
    // held twice.
    std::vector<const RecipientFullInfo*> listed;
};
// The recipients of the selected payers (comp_details) and the listed payers in one
// pass, for the filter text and sort order of the main window's list.
RecipientListSnapshot readRecipientList(CompanyDatabase& db, const std::vector<int32_t>& listedPayers,
                                        const std::string& filter, int32_t direction);
// The same read made into snapshot in place of what it held, reusing its storage.
// Whether every row could be read: when not, snapshot holds the rows read before the
// failure.
bool readRecipientList(CompanyDatabase& db, const std::vector<int32_t>& listedPayers, const std::string& filter,
                       int32_t direction, RecipientListSnapshot& snapshot);

// With rows false only the counts are picked. With listed given, the rows are put there
// as pointers into the snapshot instead of into rows.
RecipientListRead pickRecipientList(const RecipientListSnapshot& snapshot, int32_t kind, int32_t status,
                                    bool rows = true, std::vector<const RecipientFullInfo*>* listed = nullptr);

// The main window's refill: the list and counts for the listed payers, filter, sort order,
// form kind and filing status. While a KeepRecipientListReads lives, a refill for the same
// file, payers, filter and sort order reuses the last read as long as nothing stored has
// changed since (recipientDataStamp); otherwise every refill reads the file again.
// drawnGeneration and drawnKind / drawnStatus tell which read and which form kind and filing
// status the rows on screen come from: when this refill gives those very rows, only the
// counts are picked and sameRowsAsDrawn is set.
RecipientListRead refillRecipientList(CompanyDatabase& db, const std::vector<int32_t>& listedPayers,
                                      const std::string& filter, int32_t direction, int32_t kind, int32_t status,
                                      uint64_t drawnGeneration = 0, int32_t drawnKind = 0, int32_t drawnStatus = 0);

// What getRecipientTaxIDsInFull gives for a payer and form kind (1, 2, 3, 4, 5 or 7), taken
// from the last read of the list when that holds every recipient of the payer and nothing
// stored has changed since; nothing otherwise.
std::optional<std::vector<StoredTaxID>> keptRecipientTaxIDs(CompanyDatabase& db, int32_t payer, int32_t kind);

// Whether a KeepRecipientListReads lives.
bool keepingRecipientListReads();

// For a command that refills the list several times over (copy recipient).
class KeepRecipientListReads {
public:
    KeepRecipientListReads();
    ~KeepRecipientListReads();
    KeepRecipientListReads(const KeepRecipientListReads&) = delete;
    KeepRecipientListReads& operator=(const KeepRecipientListReads&) = delete;
};

// For a write that adds recipients under one payer only, with both rows under a key above
// every stored one (a copy): made just before the write, told the payer once it is
// stored. A kept read that holds none of that payer's recipients is still what is
// stored then, unless anything else changed the file meanwhile, so it is kept on.
class RecipientsAddedToOnePayer {
public:
    explicit RecipientsAddedToOnePayer(CompanyDatabase& db);
    void stored(int32_t payer);

private:
    CompanyDatabase& db_;
    uint64_t stamp_;
    int64_t otherWrites_;
};

// A value that changes whenever the file's rows may have changed, through this
// connection or any other: a snapshot read at the same stamp is still what is stored.
uint64_t recipientDataStamp(CompanyDatabase& db);
