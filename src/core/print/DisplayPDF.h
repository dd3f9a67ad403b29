#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/foundation/UserInterface.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

class JobMeter;
class REPDATA;

// One print run of the selection in the main window. Made anew for each run.
//
// The form runs: make the controller with the run's form kind (recipient details'
// kind, which the main window keeps equal to its form filter) and the four-up choice,
// then call RecipientFed1099 for the recipients' copies or CompanyFed1099 for the
// filing copies and the 1096. Before a run on pre-printed paper, the caller sets
// session().PartialYear when the user chose it; the run clears it at its end. The run
// reads the selection of the main window (comp_details, recp_details), asks the user to
// load each copy's paper, and prints each copy as one job.
class DisplayPDF {
public:
    // Copy codes of a run: the pre-printed copies, the 1096, and the recipients' copies
    // printed four to a sheet on plain paper (1099-MISC, 1099-INT, 1099-NEC).
    static constexpr int32_t kCopyA = 0;
    static constexpr int32_t kCopyB = 1;
    static constexpr int32_t kCopyC = 2;
    static constexpr int32_t kCopyD = 3;
    static constexpr int32_t kCopy1 = 4;
    static constexpr int32_t kCopy2 = 5;
    static constexpr int32_t kCopy1096 = 6;
    static constexpr int32_t kCopyMisc4Up = 7;
    static constexpr int32_t kCopyInt4Up = 8;
    static constexpr int32_t kCopyNec4Up = 9;

    // Prompt titles and texts.
    static constexpr const char* kFormsPromptTitle = "#of forms message box";
    static constexpr const char* k1096PromptTitle = "1096 message box";
    static constexpr const char* k1096Prompt = "Please put 1 1096 into the printer, then hit ok";
    static constexpr const char* kPartialYearCaption = "Print";
    static constexpr const char* kPartialYearText = "Print \"For Calendar Year\" column as only \"25\"";
    static constexpr const char* kPartialYearTitle = "Talvexa 1099 E-File 2025";
    static constexpr const char* kLeftOutTitle = "Print Filing Copies";
    // What a filing run tells when selected recipients of other payers are left out.
    static std::string leftOutText(int32_t count);

    DisplayPDF() = default;
    // A form run of the kind (1 MISC, 2 DIV, 3 INT, 4 R, 5 S, 7 NEC), four to a sheet
    // on plain paper when fourUp is set (1099-MISC, -INT and -NEC only): sets the copy
    // lists and the forms per sheet. Any other kind prints nothing.
    DisplayPDF(int32_t kind, bool fourUp);

    // The recipients' copies of the selected recipients. Four-up: one job over all of
    // them, with no prompt. Otherwise, for each copy in order: the partial-year question
    // (1099-DIV and 1099-S), the prompt to load the paper, and the copy as one job.
    void RecipientFed1099();
    // The filing copies and the 1096 for the first selected payer. printSelected
    // non-zero prints the selected recipients, 0 all recipients of the kind of that
    // payer; sumSelected non-zero totals the 1096 over the selected recipients of that
    // payer, 0 over all of them. One partial-year question (1099-DIV and 1099-S), then
    // each filing copy with its prompt, then the 1096 prompt and the 1096.
    void CompanyFed1099(int32_t sumSelected, int32_t printSelected);

    // One pre-printed copy as one job: selected non-zero over the first
    // numberRecipients selected recipients, 0 over the loaded recipients of the filing
    // run's payer. The copy is session().currentForm.
    void PrintMiscForms(int32_t selected);
    void PrintDivForms(int32_t selected);
    void PrintIntForms(int32_t selected);
    void PrintRForms(int32_t selected);
    void PrintSForms(int32_t selected);
    void PrintNecForms(int32_t selected);
    // The recipients' copies four to a sheet over all selected recipients.
    void PrintRecipient4Up();
    void PrintRecipient4UpInt();
    void PrintRecipient4UpNec();

    // Whether the copy being printed carries the void box and the box of the second TIN
    // notice, for this run's form kind.
    bool VoidOnForm() const;
    bool SecondTinOnForm() const;
    // The same for a form kind and a copy code.
    static bool VoidOnForm(int32_t kind, int32_t copy);
    static bool SecondTinOnForm(int32_t kind, int32_t copy);

    // The copy being printed (process-wide).
    void setCurrentForm(int32_t copy);
    int32_t getCurrentForm() const;

    // The prompt to load the sheets of a copy: "Please put 2 copies of 1099-NEC Copy B
    // into the printer, then hit ok". Singular for one sheet unless alwaysPlural.
    static std::string copyPrompt(int32_t kind, int32_t copy, int32_t recipients, int32_t perSheet,
                                  bool alwaysPlural);

    bool getPrinting4Up() const { return printing4Up_; }
    void setPrinting4Up(bool v) { printing4Up_ = v; }
    int32_t getRecipientType() const { return recipientType_; }
    void setRecipientType(int32_t v) { recipientType_ = v; }
    int32_t getMaxRecipientsPerPage() const { return maxRecipientsPerPage_; }
    void setMaxRecipientsPerPage(int32_t v) { maxRecipientsPerPage_ = v; }
    int32_t getNumberRecipients() const { return numberRecipients_; }
    void setNumberRecipients(int32_t v) { numberRecipients_ = v; }
    const std::vector<int32_t>& recipientPDFsVector() const { return recipientPDFsVector_; }
    const std::vector<int32_t>& companyPDFsVector() const { return companyPDFsVector_; }
    const std::vector<RecipientInfo>& recipientsVector() const { return recipientsVector_; }
    const std::vector<RecipientAdditionalInfo>& recipientsADDVector() const { return recipientsADDVector_; }

    // A stored amount text in whole cents as StoredAmount reads it; 0 for no amount
    // ("", "INVALID", a negative amount) and for a text it refuses.
    static int64_t NSStringToLongLong(const std::string& text);

    // Tells the user that nothing was printed because a box of the recipient (payee: the
    // name the run shows) holds a stored amount the amount reader refuses.
    static constexpr const char* kAmountRefusedCaption = "Nothing was printed.";
    static void refuseAmount(const RecipientInfo& recipient, const std::string& payee, const RefusedEntry& refused);

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
    // amount boxes added as StoredAmount reads them.
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
    // Asks the partial-year question and keeps the answer in session().PartialYear.
    static void askPartialYear();
    // The copy operation of the run's kind.
    void printCopy(int32_t selected);
    // One pre-printed copy request of a report number and layout code.
    void printForms(int32_t reptnum, int32_t layout, int32_t selected);
    void print4Up(int32_t reptnum, int32_t layout);
    // Ends the run after a copy that was cancelled in its progress window, refused, or
    // left waiting in a stopped queue.
    void endRunUnlessPrinted(PrintResult result, JobMeter& meter);
    // The request's recipients, their own payers and their additional data, counted in
    // the run's progress window; false when the user cancelled the reading.
    bool fillRequest(REPDATA& request, const std::vector<int32_t>& keys, JobMeter& meter) const;
    void print1096(int32_t sumSelected);
    // The recipients the 1096 totals, and whether one of them holds an amount the
    // amount reader refuses (the user is told which; nothing is printed then).
    const std::vector<RecipientInfo>& summedFor1096(int32_t sumSelected) const;
    bool refuses1096(int32_t sumSelected) const;

    bool printing4Up_ = false;
    int32_t recipientType_ = 0;
    int32_t maxRecipientsPerPage_ = 0;
    int32_t numberRecipients_ = 0;
    std::vector<RecipientAdditionalInfo> recipientsADDVector_;
    std::vector<RecipientInfo> recipientsVector_;
    std::vector<int32_t> recipientPDFsVector_;
    std::vector<int32_t> companyPDFsVector_;
    std::string title_;
    ComapnyInfo thisCompany_;
    RecipientInfo inforecp_;
    // In a filing run: the selected recipients that belong to its payer (unset in the
    // recipient-copy runs, whose forms each name their own payer).
    std::optional<std::vector<int32_t>> filingSelection_;
    // The same recipients as read for it (those still in the file), which the 1096 totals.
    std::vector<RecipientInfo> filingRecipients_;
    // The run prints nothing more: the user cancelled a copy in its progress window, the
    // printer or the print service refused a copy, or a copy waits in a stopped print
    // queue (the user was told; the paper prompts of the later copies and the 1096 would
    // only waste forms, or put them where the waiting copy prints).
    bool runEnded_ = false;
};

inline constexpr const char* kSelectAPayerFirst = "Select a payer in the company list first.";
