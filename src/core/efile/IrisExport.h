#pragma once

// Reading and saving for the IRIS export: the selected recipients of one form kind,
// file by file, from the open company database, and each finished file written under
// a temporary name and renamed into place.
//
// A file's recipients (at most 100) are read with one statement that joins both
// recipient tables, just before the file is built, so that one file's records and text
// are in memory at a time.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/efile/IrisFile.h"
#include "core/store/OnePassCache.h"

class CompanyDatabase;

class IrisExport {
public:
    // keys: the selected recipients in selection order.
    IrisExport(CompanyDatabase& db, std::vector<int32_t> keys);

    // Told when void recipients are left out: the upload file has no correction column,
    // so a return filed through IRIS is taken back in the portal, not by another upload.
    static constexpr char kVoidNotUploaded[] =
        "Void forms are not uploaded: a return that was already filed through IRIS is corrected in the IRIS "
        "portal, not by uploading it again.";

    std::size_t recipientCount() const { return keys_.size(); }
    std::size_t fileCount() const { return IrisFile::fileCount(keys_.size()); }

    // Leaves the void recipients out of the export (a void form is not filed: its
    // replacement is), then gives the payer keys (company_FK) of the recipients left,
    // each once, in the order they first appear; nullopt when the rows could not be read
    // (failure() says why). The counts and files are those of the recipients left.
    std::optional<std::vector<int32_t>> payers();
    // How many void recipients payers() left out.
    std::size_t voidLeftOut() const { return voidLeftOut_; }

    // File k's recipients in selection order. False when they could not be read or one
    // of them is no longer stored (failure() says which).
    bool readFile(std::size_t file, std::vector<IrisRecipient>& recipients);

    // Builds every file of the selection once with the payer (company key) to find an
    // amount, date, distribution code or year that the file cannot take (see
    // IrisFile::build). Nothing when every one is taken; the message that refuses the
    // export, naming the recipient and the column, when one is not; the empty text when
    // the recipients or the payer could not be read (failure() says why) or the user
    // cancelled the check in its progress window (cancelled()).
    std::optional<std::string> refusal(IrisFile& builder, int32_t kind, int32_t payerKey);
    // After a refusal that found nothing: one line for each recipient whose TIN
    // type is none of the six, or whose taxpayer number, written with dashes, contradicts
    // its TIN type (an EIN written NNN-NN-NNNN, an SSN written NN-NNNNNNN, ...), naming
    // it, for the error list.
    const std::vector<std::string>& tinTypeMismatches() const { return tinTypeMismatches_; }
    // Whether the user stopped the last check; nothing has been saved then.
    bool cancelled() const { return cancelled_; }

    const std::string& failure() const { return failure_; }

    // Writes bytes to path through a temporary file in the same folder; an existing file
    // is replaced only by the complete new one. The empty text on success, else the
    // reason, naming the file and the system's error.
    static std::string save(const std::string& path, std::string_view bytes);

private:
    bool fail(const std::string& what);
    void noteTinTypeMismatch(const IrisRecipient& r);

    CompanyDatabase& db_;
    // The export reads every selected recipient twice, each time in one pass.
    OnePassCache cache_;
    std::vector<int32_t> keys_;
    std::size_t voidLeftOut_ = 0;
    std::string failure_;
    std::vector<std::string> tinTypeMismatches_;
    bool cancelled_ = false;
};
