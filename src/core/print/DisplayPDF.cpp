#include "core/print/DisplayPDF.h"

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "core/foundation/FormKind.h"
#include "core/foundation/JobMeter.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/StoredAmount.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/PrtReport.h"
#include "core/print/REPDATA.h"
#include "core/print/rept.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/OnePassCache.h"
#include "core/store/RecipientAdditionalInfo.h"

namespace {

using Text = const std::string& (RecipientInfo::*)() const;
struct SummaryBox {
    const char* box;
    Text text;
};
using R = RecipientInfo;

// The boxes of each form kind's reported amount in the summary.
const SummaryBox kMiscSummary[] = {{"Box 1", &R::getLine1_Misc}, {"Box 2", &R::getLine2_Misc},
                                   {"Box 3", &R::getLine3_Misc}, {"Box 5", &R::getLine5_Misc},
                                   {"Box 6", &R::getLine6_Misc}, {"Box 9", &R::getLine7_Misc},
                                   {"Box 8", &R::getLine8_Misc}, {"Box 10", &R::getLine10_Misc},
                                   {"Box 11", &R::getLine11_Misc}};
const SummaryBox kDivSummary[] = {{"Box 1a", &R::getDiv_Line1a}, {"Box 2a", &R::getDiv_Line2a},
                                  {"Box 3", &R::getDiv_Line3},   {"Box 9", &R::getDiv_Line8},
                                  {"Box 10", &R::getDiv_Line9},  {"Box 12", &R::getDiv_Line10}};
const SummaryBox kIntSummary[] = {{"Box 1", &R::getInt_Line1},   {"Box 3", &R::getInt_Line3},
                                  {"Box 8", &R::getInt_Line8},   {"Box 10", &R::getInt_Line10},
                                  {"Box 11", &R::getInt_Line11}, {"Box 13", &R::getInt_Line16}};
const SummaryBox kRSummary[] = {{"Box 1", &R::getR_Line1}};
const SummaryBox kSSummary[] = {{"Box 2", &R::getS_Line2}};
const SummaryBox kNecSummary[] = {{"Box 1", &R::getLine1_NEC}, {"Box 3", &R::getLine3_NEC}};

std::span<const SummaryBox> summaryBoxes(int32_t kind) {
    switch (kind) {
    case 1: return kMiscSummary;
    case 2: return kDivSummary;
    case 3: return kIntSummary;
    case 4: return kRSummary;
    case 5: return kSSummary;
    case FormKind::kNec: return kNecSummary;
    default: return {};
    }
}

int64_t reported(const RecipientInfo& r, int32_t kind) {
    int64_t total = 0;
    for (const SummaryBox& b : summaryBoxes(kind)) total = addCents(total, StoredAmount::read((r.*b.text)()).cents());
    return total;
}

// The first box of the summary's amount that the amount reader refuses.
std::optional<RefusedEntry> refusedSummaryAmount(const RecipientInfo& r, int32_t kind) {
    for (const SummaryBox& b : summaryBoxes(kind))
        if (auto refused = RefusedEntry::ofAmount(b.box, (r.*b.text)())) return refused;
    return std::nullopt;
}

// The form kinds in the order of the report, with their line texts.
struct KindLines {
    int32_t kind;
    const char* amount;
    const char* subtotal;
    int64_t (DisplayPDF::*sum)() const;
};
constexpr std::array<KindLines, 6> kKinds{{
    {1, "MISC Amount:", "MISC Sub Totals", &DisplayPDF::SumofMisc},
    {2, "DIV Amount:", "DIV Sub Totals", &DisplayPDF::SumofDiv},
    {3, "INT Amount:", "INT Sub Totals", &DisplayPDF::SumofInt},
    {4, "R Amount:", "R Sub Totals", &DisplayPDF::SumofR},
    {5, "S Amount:", "S Sub Totals", &DisplayPDF::SumofS},
    {FormKind::kNec, "NEC Amount:", "NEC Sub Totals", &DisplayPDF::SumofNec},
}};

const KindLines* kindLines(int32_t kind) {
    for (const KindLines& k : kKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

// The two-letter code of a stored state; "None" (which the code table answers with a
// blank) and unknown names give the empty text.
std::string stateCode(const std::string& state) {
    const std::string code = Utils::getStateCode(state, false);
    return code.find_first_not_of(' ') == std::string::npos ? std::string() : code;
}

// The summary's city line: "Springfield,IL,62701"; a comma follows a part only when the
// next part is there.
std::string summaryCityLine(const RecipientInfo& r) {
    // A foreign address keeps its province as typed; a US state shows as its code.
    const std::string state = r.addressIsNotUSTerritory() ? r.getState() : stateCode(r.getState());
    std::string line;
    if (!r.getCity().empty()) {
        line += r.getCity();
        if (!state.empty()) line += ",";
    }
    if (!state.empty()) {
        line += state;
        if (!r.getZip().empty()) line += ",";
    }
    line += r.getZip();
    return line;
}

constexpr int32_t kLeft = PrtReport::kAlignLeft;
constexpr int32_t kRight = PrtReport::kAlignRight;

}  // namespace

int64_t DisplayPDF::NSStringToLongLong(const std::string& text) { return StoredAmount::read(text).cents(); }

// ---- reported amounts ----

int64_t DisplayPDF::SumofMisc() const { return reported(inforecp_, 1); }
int64_t DisplayPDF::SumofDiv() const { return reported(inforecp_, 2); }
int64_t DisplayPDF::SumofInt() const { return reported(inforecp_, 3); }
int64_t DisplayPDF::SumofR() const { return reported(inforecp_, 4); }
int64_t DisplayPDF::SumofS() const { return reported(inforecp_, 5); }
int64_t DisplayPDF::SumofNec() const { return reported(inforecp_, FormKind::kNec); }

// ---- amounts that cannot be read ----

void DisplayPDF::refuseAmount(const RecipientInfo& recipient, const std::string& payee, const RefusedEntry& refused) {
    std::string form = FormKind::formName(recipient.getType());
    if (form.empty()) form = "1099";
    // Names start with a blank when the first name is empty.
    const std::size_t start = payee.find_first_not_of(' ');
    const std::string who = start == std::string::npos ? std::string() : payee.substr(start);
    std::string details = refused.describe(form, who);
    details[0] = 'T';
    tvDatabase::tvMessageBox(kAmountRefusedCaption, details + ". Please correct the amount and print again.",
                             kMessageStyleOK, PrtReport::kJobTitle, kMessageImageError, false);
}

// ---- the payer of a run ----

bool DisplayPDF::payerSelected() {
    const Session& s = session();
    if (s.comp_details && !s.comp_details->selectedCompanies().empty()) return true;
    tvDatabase::tvMessageBox("", kSelectAPayerFirst, kMessageStyleOK, PrtReport::kJobTitle, kMessageImagePlain,
                             false);
    return false;
}

// ---- the summary report ----

bool DisplayPDF::PrintSummaryReport() {
    const Session& s = session();
    std::shared_ptr<CompanyDatabase> db = s.DBH ? s.DBH->companyDatabase() : nullptr;
    if (!db || !db->IsReady()) return false;
    // Every recipient of the payers is read once: its pages need not stay cached.
    const OnePassCache cache(*db->db);

    REPDATA request;
    request.setReptnum(REPDATA::kSummaryReport);
    PrtReport report(request.reptnum());
    report.Open();
    title_ = "1099 Summary Report";
    report.title = title_;
    report.Put(title_, 45, kLeft);
    report.EndLine();
    report.EndLine();

    std::array<int64_t, kKinds.size()> subtotals{};
    // The number of payers is the selection's own length: a count kept elsewhere may
    // be larger than the list.
    const std::vector<int32_t> payers = s.comp_details ? s.comp_details->selectedCompanies() : std::vector<int32_t>{};
    const int32_t sort = Login_Info().getRecipientSort();
    std::unordered_map<int32_t, const RecipientAdditionalInfo*> additionalByKey;
    JobMeter meter(title_, true);
    meter.step("Reading the recipients");
    int64_t read = 0;
    for (int32_t payer : payers) {
        thisCompany_ = db->getCompanyInfo1(payer);
        report.Put(thisCompany_.getName(), 3, kLeft);
        report.EndLine();
        report.EndLine();
        report.EndLine();
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            const std::vector<RecipientInfo> recipients = db->getRecipientInfo1(payer, sort, kKinds[k].kind, 0);
            const std::vector<RecipientAdditionalInfo> additional =
                db->getAdditionalRecipients1(payer, sort, kKinds[k].kind, 0);
            // Matched by key, so a recipient without additional data never shows
            // another recipient's name.
            additionalByKey.clear();
            for (const RecipientAdditionalInfo& a : additional) additionalByKey.emplace(a.getPK(), &a);
            for (const RecipientInfo& r : recipients) {
                if (meter.advance(++read)) return false;   // nothing printed yet
                inforecp_ = r;
                const auto found = additionalByKey.find(r.getPK());
                const RecipientAdditionalInfo* more = found == additionalByKey.end() ? nullptr : found->second;
                const std::string name = !more || more->getname_type() == "Business Name"
                                             ? r.getName()
                                             : r.getFirstName() + " " + more->getlastname();
                report.Put(name, 5, kLeft);
                report.EndLine();
                if (!r.getAddress().empty()) {
                    report.Put(r.getAddress(), 5, kLeft);
                    report.EndLine();
                }
                const std::string city = summaryCityLine(r);
                if (!city.empty()) {
                    report.Put(city, 5, kLeft);
                    report.EndLine();
                }
                report.EndLine();

                const KindLines* ownKind = kindLines(r.getType());
                const KindLines& lines = ownKind ? *ownKind : kKinds[k];
                report.Put(lines.amount, 10, kLeft);
                if (r.getVoided()) {
                    report.Put("Voided", 95, kRight);
                } else {
                    // An amount that cannot be read stops the report before anything is printed.
                    if (const auto refused = refusedSummaryAmount(r, lines.kind)) {
                        refuseAmount(r, name, *refused);
                        return false;
                    }
                    const int64_t amount = (this->*lines.sum)();
                    report.Put(Utils::intToDollarString1(amount), 95, kRight);
                    subtotals[k] = addCents(subtotals[k], amount);
                }
                report.EndLine();
            }
        }
    }

    if (!payers.empty()) {
        report.EndLine();
        report.EndLine();
        int64_t grand = 0;
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            report.Put(kKinds[k].subtotal, 25, kLeft);
            report.Put(Utils::intToDollarString1(subtotals[k]), 95, kRight);
            report.EndLine();
            grand = addCents(grand, subtotals[k]);
        }
        report.Put("Grand Total", 25, kLeft);
        report.Put(Utils::intToDollarString1(grand), 95, kRight);
        report.EndLine();
    }
    if (meter.cancelled()) return false;
    meter.finish();   // the print dialog follows
    return report.Close();
}

// ---- mailing labels ----

bool DisplayPDF::MailingLablesReport() {
    if (!payerSelected()) return false;
    REPDATA request;
    request.setReptnum(REPDATA::kMailingLabels);
    return rept().DoReport(request) == PrintResult::printed;
}
