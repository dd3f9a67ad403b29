#include "core/print/DisplayPDF.h"

#include <array>
#include <limits>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/PrtReport.h"
#include "core/print/REPDATA.h"
#include "core/print/rept.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Sums of amounts held at the ends of the 64-bit range instead of wrapping.
int64_t addCents(int64_t a, int64_t b) {
    int64_t sum;
    if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? std::numeric_limits<int64_t>::max()
                                                          : std::numeric_limits<int64_t>::min();
    return sum;
}

template <class... Boxes>
int64_t reported(const Boxes&... boxes) {
    int64_t total = 0;
    ((total = addCents(total, DisplayPDF::NSStringToLongLong(boxes))), ...);
    return total < 0 ? 0 : total;
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
    {7, "NEC Amount:", "NEC Sub Totals", &DisplayPDF::SumofNec},
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

int64_t DisplayPDF::NSStringToLongLong(const std::string& text) {
    if (text.empty() || text.find('.') == std::string::npos)
        return 0;

    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ',')
            s += c;

    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' ||
                            s[i] == '\f' || s[i] == '\v'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }

    // Accumulate the magnitude in unsigned arithmetic so that the most negative value
    // is reachable and overflow saturates instead of wrapping.
    const uint64_t limit = negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                                    : uint64_t(std::numeric_limits<int64_t>::max());
    uint64_t cents = 0;
    bool saturated = false;
    auto push = [&](unsigned digit) {
        if (saturated)
            return;
        if (cents > (limit - digit) / 10) {
            saturated = true;
            cents = limit;
            return;
        }
        cents = cents * 10 + digit;
    };

    while (i < s.size() && isDigit(s[i]))
        push(unsigned(s[i++] - '0'));

    unsigned fraction[2] = {0, 0};
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (int k = 0; k < 2 && i < s.size() && isDigit(s[i]); ++k, ++i)
            fraction[k] = unsigned(s[i] - '0');
    }
    push(fraction[0]);
    push(fraction[1]);

    if (!negative)
        return int64_t(cents);
    if (cents == uint64_t(std::numeric_limits<int64_t>::max()) + 1)
        return std::numeric_limits<int64_t>::min();
    return -int64_t(cents);
}

// ---- reported amounts ----

int64_t DisplayPDF::SumofMisc() const {
    const RecipientInfo& r = inforecp_;
    return reported(r.getLine1_Misc(), r.getLine2_Misc(), r.getLine3_Misc(), r.getLine5_Misc(), r.getLine6_Misc(),
                    r.getLine7_Misc(), r.getLine8_Misc(), r.getLine10_Misc(), r.getLine11_Misc());
}

int64_t DisplayPDF::SumofDiv() const {
    const RecipientInfo& r = inforecp_;
    return reported(r.getDiv_Line1a(), r.getDiv_Line2a(), r.getDiv_Line3(), r.getDiv_Line8(), r.getDiv_Line9(),
                    r.getDiv_Line10());
}

int64_t DisplayPDF::SumofInt() const {
    const RecipientInfo& r = inforecp_;
    return reported(r.getInt_Line1(), r.getInt_Line3(), r.getInt_Line8(), r.getInt_Line10(), r.getInt_Line11(),
                    r.getInt_Line16());
}

int64_t DisplayPDF::SumofR() const { return reported(inforecp_.getR_Line1()); }

int64_t DisplayPDF::SumofS() const { return reported(inforecp_.getS_Line2()); }

int64_t DisplayPDF::SumofNec() const { return reported(inforecp_.getLine1_NEC(), inforecp_.getLine3_NEC()); }

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
                inforecp_ = r;
                const auto found = additionalByKey.find(r.getPK());
                const RecipientAdditionalInfo* more = found == additionalByKey.end() ? nullptr : found->second;
                if (!more || more->getname_type() == "Business Name")
                    report.Put(r.getName(), 5, kLeft);
                else
                    report.Put(r.getFirstName() + " " + more->getlastname(), 5, kLeft);
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
    return report.Close();
}

// ---- mailing labels ----

bool DisplayPDF::MailingLablesReport() {
    if (!payerSelected()) return false;
    REPDATA request;
    request.setReptnum(REPDATA::kMailingLabels);
    return rept().DoReport(request);
}
