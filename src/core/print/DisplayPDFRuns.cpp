// The form print runs of DisplayPDF: the copies of each form kind, the prompts to load
// the paper, the requests of each copy, and the 1096 with its totals.

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <unordered_map>

#include "core/foundation/FormKind.h"
#include "core/foundation/JobMeter.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/StoredAmount.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/DisplayPDF.h"
#include "core/print/PrintRecords.h"
#include "core/print/REPDATA.h"
#include "core/print/rept.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientName.h"

namespace {

using printrecords::openDatabase;

// The copies of a form kind in printing order, and the forms on one pre-printed sheet.
struct KindCopies {
    int32_t kind;
    int32_t perSheet;
    std::vector<int32_t> filing;
    std::vector<int32_t> recipient;
    bool fourUp;                       // the kind can print its recipients' copies four-up
    int32_t recipient4Up;              // the copy code of those
};

const std::vector<KindCopies>& kindCopies() {
    static const std::vector<KindCopies> table{
        {1, 2, {DisplayPDF::kCopyA, DisplayPDF::kCopyC, DisplayPDF::kCopy1}, {DisplayPDF::kCopyB, DisplayPDF::kCopy2},
         true, DisplayPDF::kCopyMisc4Up},
        {2, 2, {DisplayPDF::kCopyA, DisplayPDF::kCopyC}, {DisplayPDF::kCopyB}, false, 0},
        {3, 2, {DisplayPDF::kCopyA, DisplayPDF::kCopyC, DisplayPDF::kCopy1}, {DisplayPDF::kCopyB, DisplayPDF::kCopy2},
         true, DisplayPDF::kCopyInt4Up},
        {4, 2, {DisplayPDF::kCopyA, DisplayPDF::kCopy1},
         {DisplayPDF::kCopyB, DisplayPDF::kCopyC, DisplayPDF::kCopy2}, false, 0},
        {5, 3, {DisplayPDF::kCopyA, DisplayPDF::kCopyC}, {DisplayPDF::kCopyB}, false, 0},
        {FormKind::kNec, 3, {DisplayPDF::kCopyA, DisplayPDF::kCopyC, DisplayPDF::kCopy1}, {DisplayPDF::kCopyB, DisplayPDF::kCopy2},
         true, DisplayPDF::kCopyNec4Up},
    };
    return table;
}

const KindCopies* copiesOf(int32_t kind) {
    for (const KindCopies& k : kindCopies())
        if (k.kind == kind) return &k;
    return nullptr;
}

// The names of the copy codes that reach a prompt (codes 8 and 9 have none).
constexpr std::array<const char*, 8> kCopyNames{"Copy A", "Copy B", "Copy C", "Copy D",
                                                "Copy 1", "Copy 2", "1096",   "4UP"};

std::string kindWord(int32_t kind) {
    const std::string word = FormKind::shortName(kind);
    return word.empty() ? word : word + " ";
}

bool asksPartialYear(int32_t kind) { return kind == 2 || kind == 5; }

std::vector<int32_t> selectedRecipients() {
    const auto& selection = session().recp_details;
    return selection ? selection->selectedRecipients() : std::vector<int32_t>{};
}

int32_t firstSelectedPayer() {
    const auto& selection = session().comp_details;
    return selection && !selection->selectedCompanies().empty() ? selection->selectedCompanies().front() : -1;
}

// The additional data of each recipient, matched by key (a recipient without any gets
// an empty record), so a missing row never shifts another recipient's name onto a form.
std::vector<RecipientAdditionalInfo> matchAdditional(const std::vector<RecipientInfo>& recipients,
                                                     const std::vector<RecipientAdditionalInfo>& additional) {
    std::unordered_map<int32_t, const RecipientAdditionalInfo*> byKey;
    for (const RecipientAdditionalInfo& a : additional) byKey.emplace(a.getPK(), &a);
    std::vector<RecipientAdditionalInfo> matched;
    matched.reserve(recipients.size());
    for (const RecipientInfo& r : recipients) {
        const auto found = byKey.find(r.getPK());
        matched.push_back(found == byKey.end() ? RecipientAdditionalInfo() : *found->second);
    }
    return matched;
}

}  // namespace

DisplayPDF::DisplayPDF(int32_t kind, bool fourUp) {
    recipientType_ = kind;
    const KindCopies* copies = copiesOf(kind);
    if (!copies) return;
    maxRecipientsPerPage_ = copies->perSheet;
    // Only the kinds that have a four-up form print four-up.
    printing4Up_ = fourUp && copies->fourUp;
    if (printing4Up_) {
        companyPDFsVector_ = {kCopyA};
        recipientPDFsVector_ = {copies->recipient4Up};
    } else {
        companyPDFsVector_ = copies->filing;
        recipientPDFsVector_ = copies->recipient;
    }
}

// ---- copies and prompts ----

bool DisplayPDF::VoidOnForm(int32_t kind, int32_t copy) {
    switch (kind) {
    case 1: return copy == kCopyA || copy == kCopyC || copy == kCopy1;
    case 2: return copy == kCopyA || copy == kCopyC;
    case 3: return copy != kCopyB && copy != kCopy2;
    case 4: return copy == kCopyA || copy == kCopyD || copy == kCopy1;
    case 5: return copy == kCopyA || copy == kCopyC;
    case FormKind::kNec: return copy == kCopyA || copy == kCopyC || copy == kCopy1 || copy == kCopy2;
    default: return false;
    }
}

bool DisplayPDF::SecondTinOnForm(int32_t kind, int32_t copy) {
    switch (kind) {
    case 1:
    case 2:
    case 3:
    case FormKind::kNec: return copy == kCopyA || copy == kCopyC;
    default: return false;
    }
}

bool DisplayPDF::VoidOnForm() const { return VoidOnForm(recipientType_, session().currentForm); }
bool DisplayPDF::SecondTinOnForm() const { return SecondTinOnForm(recipientType_, session().currentForm); }

void DisplayPDF::setCurrentForm(int32_t copy) { session().currentForm = copy; }
int32_t DisplayPDF::getCurrentForm() const { return session().currentForm; }

std::string DisplayPDF::copyPrompt(int32_t kind, int32_t copy, int32_t recipients, int32_t perSheet,
                                   bool alwaysPlural) {
    const int64_t sheets = recipients > 0 && perSheet > 0 ? (int64_t{recipients} + perSheet - 1) / perSheet : 0;
    const char* name = copy >= 0 && copy < static_cast<int32_t>(kCopyNames.size()) ? kCopyNames[copy] : "";
    return "Please put " + std::to_string(sheets) + (sheets == 1 && !alwaysPlural ? " copy " : " copies ") +
           "of 1099-" + kindWord(kind) + name + " into the printer, then hit ok";
}

std::string DisplayPDF::leftOutText(int32_t count) {
    return count == 1 ? "1 selected recipient of another payer was left out: the filing copies and the 1096 are "
                        "for the first selected payer only."
                      : std::to_string(count) +
                            " selected recipients of other payers were left out: the filing copies and the 1096 "
                            "are for the first selected payer only.";
}

void DisplayPDF::askPartialYear() {
    const int32_t answer = tvDatabase::tvMessageBox(kPartialYearCaption, kPartialYearText, kMessageStyleYesNo,
                                                    kPartialYearTitle, kMessageImageError, false);
    session().PartialYear = answer == kMessageAnswerOkYes;
}

namespace {

void promptForPaper(const std::string& text, const char* title) {
    // One OK button: the answer changes nothing.
    tvDatabase::tvMessageBox("", text, kMessageStyleOK, title, kMessageImagePlain, false);
}

}  // namespace

// ---- the runs ----

void DisplayPDF::RecipientFed1099() {
    // A recipient run prints every selected recipient, whatever an earlier filing run kept.
    filingSelection_.reset();
    runEnded_ = false;
    const std::vector<int32_t> keys = selectedRecipients();
    // Every form names its payer: with recipients to print, a payer must be selected.
    if (!keys.empty() && !payerSelected()) return;
    if (printing4Up_) {
        switch (recipientType_) {
        case 1: PrintRecipient4Up(); break;
        case 3: PrintRecipient4UpInt(); break;
        case FormKind::kNec: PrintRecipient4UpNec(); break;
        default: break;
        }
        return;
    }
    numberRecipients_ = static_cast<int32_t>(keys.size());
    for (const int32_t copy : recipientPDFsVector_) {
        setCurrentForm(copy);
        if (asksPartialYear(recipientType_)) askPartialYear();
        promptForPaper(copyPrompt(recipientType_, copy, numberRecipients_, maxRecipientsPerPage_, false),
                       kFormsPromptTitle);
        printCopy(1);
        if (runEnded_) break;
    }
    session().PartialYear = false;
}

void DisplayPDF::CompanyFed1099(int32_t sumSelected, int32_t printSelected) {
    if (!payerSelected()) return;
    CompanyDatabase* db = openDatabase();
    if (!db) return;
    Session& s = session();
    s.totalNumberOfForms = 0;
    runEnded_ = false;
    const int32_t payer = firstSelectedPayer();
    int32_t leftOut = 0;
    {
        // Closed before the first prompt; a Cancel here prints nothing.
        JobMeter meter("Print", true);
        meter.step("Reading the recipients");
        thisCompany_ = db->getCompanyInfo1(payer);
        recipientsVector_ = db->getRecipients(payer, recipientType_);
        recipientsADDVector_ = matchAdditional(recipientsVector_, db->getAddRecipients(payer, recipientType_));
        // A filing run is for one payer, whose 1096 goes with it: selected recipients of
        // other payers are neither printed, counted in the prompts nor totalled.
        filingSelection_.emplace();
        filingRecipients_.clear();
        const std::vector<int32_t> selection = selectedRecipients();
        meter.step("Reading the selected recipients", static_cast<int64_t>(selection.size()));
        int64_t read = 0;
        for (const int32_t key : selection) {
            if (meter.advance(read++)) return;
            RecipientInfo r = db->getRecipientInfo(key);
            if (r.getPK() >= 0 && r.getCompany_FK() != payer) {
                ++leftOut;
                continue;
            }
            filingSelection_->push_back(key);
            if (r.getPK() >= 0) filingRecipients_.push_back(std::move(r));
        }
        if (meter.advance(read)) return;
    }
    if (leftOut > 0 && (printSelected != 0 || sumSelected != 0))
        tvDatabase::tvMessageBox("", leftOutText(leftOut), kMessageStyleOK, kLeftOutTitle, kMessageImagePlain, false);
    // An amount the 1096 cannot read stops the run before any copy is printed.
    if (refuses1096(sumSelected)) return;
    numberRecipients_ = printSelected != 0 ? static_cast<int32_t>(filingSelection_->size())
                                           : static_cast<int32_t>(recipientsVector_.size());
    if (asksPartialYear(recipientType_)) askPartialYear();
    for (const int32_t copy : companyPDFsVector_) {
        setCurrentForm(copy);
        promptForPaper(copyPrompt(recipientType_, copy, numberRecipients_, maxRecipientsPerPage_, true),
                       kFormsPromptTitle);
        printCopy(printSelected);
        if (runEnded_) break;
    }
    if (!runEnded_) {
        promptForPaper(k1096Prompt, k1096PromptTitle);
        print1096(sumSelected);
    }
    s.PartialYear = false;
}

const std::vector<RecipientInfo>& DisplayPDF::summedFor1096(int32_t sumSelected) const {
    // The 1096 files for one payer: only that payer's selected recipients count.
    return sumSelected == 0 ? recipientsVector_ : filingRecipients_;
}

bool DisplayPDF::refuses1096(int32_t sumSelected) const {
    for (const RecipientInfo& r : summedFor1096(sumSelected)) {
        const std::optional<RefusedEntry> refused = r.refusedTotalAmount();
        if (!refused) continue;
        CompanyDatabase* db = openDatabase();
        refuseAmount(r, db ? recipientListName(r, db->getRecipientAdditionalInfo(r.getPK())) : r.getLastName(),
                     *refused);
        return true;
    }
    return false;
}

void DisplayPDF::print1096(int32_t sumSelected) {
    Session& s = session();
    if (!openDatabase()) return;
    const std::vector<RecipientInfo>& summed = summedFor1096(sumSelected);
    s.totalFedTaxWithheld = 0;
    s.totalAmountForThisForm1096 = 0;
    for (const RecipientInfo& r : summed) {
        s.totalFedTaxWithheld = addCents(s.totalFedTaxWithheld, r.getTotalTaxPaid());
        s.totalAmountForThisForm1096 = addCents(s.totalAmountForThisForm1096, r.getTotalPaid());
        if (!r.getVoided()) ++s.totalNumberOfForms;
    }

    REPDATA request;
    request.setReptnum(REPDATA::k1096);
    request.setWxtype(2);
    request.setFormKind(recipientType_);
    request.setTheListBox2({thisCompany_});
    request.setTheListBox({summed.empty() ? RecipientInfo() : summed.back()});
    rept().DoReport(request);
}

// ---- the requests of one copy ----

void DisplayPDF::printCopy(int32_t selected) {
    switch (recipientType_) {
    case 1: PrintMiscForms(selected); break;
    case 2: PrintDivForms(selected); break;
    case 3: PrintIntForms(selected); break;
    case 4: PrintRForms(selected); break;
    case 5: PrintSForms(selected); break;
    case FormKind::kNec: PrintNecForms(selected); break;
    default: break;
    }
}

void DisplayPDF::PrintMiscForms(int32_t selected) { printForms(REPDATA::kMisc, 0, selected); }
void DisplayPDF::PrintIntForms(int32_t selected) { printForms(REPDATA::kInt, 3, selected); }
void DisplayPDF::PrintSForms(int32_t selected) { printForms(REPDATA::kS, 4, selected); }
void DisplayPDF::PrintDivForms(int32_t selected) { printForms(REPDATA::kDiv, 5, selected); }
void DisplayPDF::PrintRForms(int32_t selected) { printForms(REPDATA::kR, 6, selected); }
void DisplayPDF::PrintNecForms(int32_t selected) { printForms(REPDATA::kNec, 9, selected); }
void DisplayPDF::PrintRecipient4Up() { print4Up(REPDATA::kMisc4Up, 1); }
void DisplayPDF::PrintRecipient4UpInt() { print4Up(REPDATA::kInt4Up, 8); }
void DisplayPDF::PrintRecipient4UpNec() { print4Up(REPDATA::kNec4Up, 10); }

bool DisplayPDF::fillRequest(REPDATA& request, const std::vector<int32_t>& keys, JobMeter& meter) const {
    std::vector<RecipientInfo> recipients;
    std::vector<ComapnyInfo> payers;
    std::vector<RecipientAdditionalInfo> additional;
    meter.step("Reading the recipients", static_cast<int64_t>(keys.size()));
    bool read = true;
    if (CompanyDatabase* db = openDatabase())
        read = printrecords::readRecipients(*db, keys, recipients, payers, additional,
                                            [&meter](std::size_t n) { return meter.advance(static_cast<int64_t>(n)); });
    request.setTheListBox(std::move(recipients));
    request.setTheListBox2(std::move(payers));
    request.setTheAddListBox3(std::move(additional));
    return read;
}

void DisplayPDF::endRunUnlessPrinted(PrintResult result, JobMeter& meter) {
    // A print dialog cancelled goes on to the next copy; its paper stays unused.
    if (meter.cancelled() || result == PrintResult::failed || result == PrintResult::held) runEnded_ = true;
}

void DisplayPDF::printForms(int32_t reptnum, int32_t layout, int32_t selected) {
    REPDATA request;
    request.setReptnum(reptnum);
    request.setWxtype(layout);
    request.setFormKind(recipientType_);
    const std::size_t count = numberRecipients_ > 0 ? static_cast<std::size_t>(numberRecipients_) : 0;
    // One window for the copy, from its reading to its print dialog.
    JobMeter meter("Print", true);
    if (selected != 0) {
        std::vector<int32_t> keys = filingSelection_ ? *filingSelection_ : selectedRecipients();
        if (keys.size() > count) keys.resize(count);
        if (!fillRequest(request, keys, meter)) {
            runEnded_ = true;
            return;
        }
    } else {
        // The filing run's payer and its recipients as loaded.
        const std::size_t n = std::min(count, recipientsVector_.size());
        request.setTheListBox({recipientsVector_.begin(), recipientsVector_.begin() + static_cast<std::ptrdiff_t>(n)});
        request.setTheListBox2(std::vector<ComapnyInfo>(n, thisCompany_));
        request.setTheAddListBox3(
            {recipientsADDVector_.begin(), recipientsADDVector_.begin() + static_cast<std::ptrdiff_t>(n)});
    }
    endRunUnlessPrinted(rept().DoReport(request, &meter), meter);
}

void DisplayPDF::print4Up(int32_t reptnum, int32_t layout) {
    REPDATA request;
    request.setReptnum(reptnum);
    request.setWxtype(layout);
    request.setFormKind(recipientType_);
    // The four-up drawing reads the selection itself, counting it in this window.
    JobMeter meter("Print", true);
    endRunUnlessPrinted(rept().DoReport(request, &meter), meter);
}
