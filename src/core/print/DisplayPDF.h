#pragma once

#include <cstdint>
#include <string>

#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientInfo.h"

// One print run of the selection in the main window. Made anew for each run.
class DisplayPDF {
public:
    // Amount text to whole cents. The empty text and text without a decimal point
    // give 0 (amount columns may hold "-1" markers, which must count nothing).
    // Otherwise: leading blanks and an optional sign, the dollars (commas skipped),
    // the point and up to two cent digits, a single one counting as tens ("12.5"
    // gives 1250, ".50" gives 50, "1,234.56" gives 123456); further decimals are
    // dropped. Values beyond the 64-bit range saturate.
    static int64_t NSStringToLongLong(const std::string& text);

    // True when a payer is selected in the main window; otherwise tells the user to
    // select one first. Runs that print for a payer ask this before anything else.
    static bool payerSelected();

    // The 1099 summary of the selected payers: each recipient with its address and
    // reported amount, the subtotals of each form kind and the grand total, printed.
    // False when the report could not be printed (the user was told why).
    bool PrintSummaryReport();
    // The mailing labels of the first selected payer's recipients, printed. Nothing
    // without a selected payer (the user is told to select one).
    bool MailingLablesReport();

    // The reported amount of inforecp for the summary report, in cents: the form's
    // amount boxes added; a negative total counts as 0.
    int64_t SumofMisc() const;
    int64_t SumofDiv() const;
    int64_t SumofInt() const;
    int64_t SumofR() const;
    int64_t SumofS() const;
    int64_t SumofNec() const;

    const std::string& getTitle() const { return title_; }
    void setTitle(std::string v) { title_ = std::move(v); }
    const ComapnyInfo& getThisCompany() const { return thisCompany_; }
    void setThisCompany(ComapnyInfo v) { thisCompany_ = std::move(v); }
    const RecipientInfo& getInforecp() const { return inforecp_; }
    void setInforecp(RecipientInfo v) { inforecp_ = std::move(v); }

private:
    std::string title_;
    ComapnyInfo thisCompany_;
    RecipientInfo inforecp_;
};

inline constexpr const char* kSelectAPayerFirst = "Select a payer in the company list first.";
