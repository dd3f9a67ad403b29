// The forms printed four to a sheet on plain paper (1099-MISC, -INT and -NEC): one
// sheet per selected recipient with four copies of its form over the form's picture,
// every field at its built-in place.

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/foundation/Session.h"
#include "core/print/FormTexts.h"
#include "core/print/FourUpForms.h"
#include "core/print/PrintRecords.h"
#include "core/print/PrtReport.h"
#include "core/print/REPDATA.h"
#include "core/print/Report.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "core/store/format.h"

namespace {

enum class Shows : uint8_t {
    box,            // a text box as stored
    check,          // "x" when the flag is set
    stateOf,        // the upper-case code of a stored state
    voidBox,        // "x" for a void recipient, on the two lower copies
    correctedBox,   // "x" for a corrected recipient, on every copy
    secondTinBox,   // "x" for a recipient with the notice, on the lower right copy
    payerName,
    payerStreet,
    payerCity,
    payerPhone,
    payerTin,
    recipientTin,
    nameLine,
    street,
    cityLine,
    account,
    taxYear,
};

using TextBox = const std::string& (RecipientInfo::*)() const;
using FlagBox = bool (RecipientInfo::*)() const;

struct Field {
    int32_t entry;
    Shows shows;
    const char* caption;   // the box of the form picture that holds it
    TextBox text = nullptr;
    FlagBox flag = nullptr;
};

constexpr Field field(int32_t entry, Shows shows, const char* caption) { return {entry, shows, caption}; }
constexpr Field box(int32_t entry, TextBox text, const char* caption) {
    return {entry, Shows::box, caption, text, nullptr};
}
constexpr Field stateOf(int32_t entry, TextBox text, const char* caption) {
    return {entry, Shows::stateOf, caption, text, nullptr};
}
constexpr Field check(int32_t entry, FlagBox flag, const char* caption) {
    return {entry, Shows::check, caption, nullptr, flag};
}

using S = Shows;
using R = RecipientInfo;

constexpr const char* kPayer = "PAYER'S name, street address, city, state, ZIP code and telephone no.";
constexpr const char* kRecipient = "RECIPIENT'S name, street address, city, state, ZIP code and country";
constexpr const char* kPayerTin = "PAYER'S TIN";
constexpr const char* kRecipientTin = "RECIPIENT'S TIN";
constexpr const char* kAccount = "Account number (see instructions)";
constexpr const char* kYear = "For calendar year";
constexpr const char* kVoid = "VOID";
constexpr const char* kCorrected = "CORRECTED";
constexpr const char* kSecondTin = "2nd TIN not.";
constexpr const char* kFatca = "FATCA filing requirement";

constexpr Field kMiscFields[] = {
    box(0, &R::getLine1_Misc, "Rents"),
    box(1, &R::getLine2_Misc, "Royalties"),
    box(2, &R::getLine3_Misc, "Other income"),
    box(3, &R::getLine4_Misc, "Federal income tax withheld"),
    box(4, &R::getLine5_Misc, "Fishing boat proceeds"),
    box(5, &R::getLine6_Misc, "Medical and health care payments"),
    field(6, S::payerName, kPayer),
    field(7, S::payerStreet, kPayer),
    field(8, S::payerCity, kPayer),
    field(9, S::payerTin, kPayerTin),
    field(10, S::correctedBox, kCorrected),
    box(11, &R::getLine7_Misc, "Crop insurance proceeds"),
    box(12, &R::getLine8_Misc, "Substitute payments in lieu of dividends or interest"),
    check(13, &R::getLine9_Misc, "Direct sales over $5,000"),
    box(14, &R::getLine10_Misc, "Gross proceeds paid to an attorney"),
    box(15, &R::getLine11_Misc, "Fish purchased for resale"),
    box(16, &R::getLine12_Misc, "Section 409A deferrals"),
    box(18, &R::getLine14_Misc, "Nonqualified deferred compensation"),
    field(19, S::taxYear, kYear),
    field(20, S::recipientTin, kRecipientTin),
    field(21, S::account, kAccount),
    field(24, S::nameLine, kRecipient),
    field(25, S::street, kRecipient),
    field(26, S::cityLine, kRecipient),
    box(27, &R::getLine16_1_Misc, "State tax withheld"),
    box(28, &R::getLine16_2_Misc, "State tax withheld"),
    box(29, &R::getLine17_1_Misc, "State/Payer's state no."),
    box(30, &R::getLine17_2_Misc, "State/Payer's state no."),
    box(31, &R::getLine18_1_Misc, "State income"),
    box(32, &R::getLine18_2_Misc, "State income"),
    field(33, S::secondTinBox, kSecondTin),
    field(34, S::voidBox, kVoid),
    field(35, S::payerPhone, kPayer),
    check(36, &R::getFATCA_MISC, kFatca),
};

constexpr Field kIntFields[] = {
    box(0, &R::getInt_Line1, "Interest income"),
    box(1, &R::getInt_Line2, "Early withdrawal penalty"),
    box(2, &R::getInt_Line3, "Interest on U.S. Savings Bonds and Treasury obligations"),
    box(3, &R::getInt_Line4, "Federal income tax withheld"),
    box(4, &R::getInt_payerRTN, "Payer's RTN (optional)"),
    field(5, S::payerTin, kPayerTin),
    field(6, S::payerName, kPayer),
    field(7, S::payerStreet, kPayer),
    field(8, S::payerCity, kPayer),
    field(9, S::payerPhone, kPayer),
    box(10, &R::getInt_Line5, "Investment expenses"),
    box(11, &R::getInt_Line6, "Foreign tax paid"),
    box(12, &R::getInt_Line7, "Foreign country or U.S. possession"),
    box(13, &R::getInt_Line8, "Tax-exempt interest"),
    box(14, &R::getInt_Line9, "Specified private activity bond interest"),
    box(15, &R::getInt_Line10, "Market discount"),
    box(16, &R::getInt_Line11, "Bond premium"),
    box(17, &R::getInt_Line12, "Tax-exempt bond CUSIP no."),
    stateOf(18, &R::getInt_Line13_1, "State"),
    stateOf(19, &R::getInt_Line13_2, "State"),
    box(20, &R::getInt_Line14_1, "State identification no."),
    box(21, &R::getInt_Line14_2, "State identification no."),
    field(22, S::correctedBox, kCorrected),
    field(23, S::secondTinBox, kSecondTin),
    field(24, S::voidBox, kVoid),
    field(25, S::nameLine, kRecipient),
    field(26, S::street, kRecipient),
    field(27, S::cityLine, kRecipient),
    box(28, &R::getInt_Line15_1, "State tax withheld"),
    box(29, &R::getInt_Line15_2, "State tax withheld"),
    field(30, S::taxYear, kYear),
    field(31, S::recipientTin, kRecipientTin),
    field(32, S::account, kAccount),
    check(33, &R::getFATCA_INT, kFatca),
    box(34, &R::getInt_Line17, "Bond premium on Treasury obligations"),
    box(35, &R::getInt_Line16, "Bond premium on tax-exempt bond"),
};

constexpr Field kNecFields[] = {
    box(0, &R::getLine1_NEC, "Nonemployee compensation"),
    check(1, &R::getNec_Line2_2, "Direct sales over $5,000 to a buyer for resale"),
    field(2, S::payerName, kPayer),
    field(3, S::payerStreet, kPayer),
    field(4, S::payerCity, kPayer),
    field(5, S::payerPhone, kPayer),
    field(6, S::payerTin, kPayerTin),
    field(7, S::correctedBox, kCorrected),
    box(8, &R::getLine3_NEC, "Excess golden parachute payments"),
    box(9, &R::getLine4_NEC, "Federal income tax withheld"),
    box(10, &R::getLine5_1_NEC, "State tax withheld"),
    box(11, &R::getLine5_2_NEC, "State tax withheld"),
    box(12, &R::getLine6_1_NEC, "State/Payer's state no."),
    box(13, &R::getLine6_2_NEC, "State/Payer's state no."),
    box(14, &R::getLine7_1_NEC, "State income"),
    box(15, &R::getLine7_2_NEC, "State income"),
    field(16, S::nameLine, kRecipient),
    field(17, S::street, kRecipient),
    field(18, S::cityLine, kRecipient),
    field(19, S::recipientTin, kRecipientTin),
    field(20, S::account, kAccount),
    check(21, &R::getFATCA_NEC, kFatca),
    field(22, S::secondTinBox, kSecondTin),
    field(23, S::taxYear, kYear),
    field(24, S::voidBox, kVoid),
};

struct FourUpForm {
    int32_t reptnum;
    int32_t kind;
    const char* picture;
    std::span<const Field> fields;
};

constexpr FourUpForm kMiscForm{REPDATA::kMisc4Up, 1, "499MISCU2025", kMiscFields};
constexpr FourUpForm kIntForm{REPDATA::kInt4Up, 3, "4099INTU2025", kIntFields};
constexpr FourUpForm kNecForm{REPDATA::kNec4Up, 7, "4099NECU2025", kNecFields};

// Forms on plain paper always carry the whole year.
constexpr const char* kTaxYear = "2025";
// The lower two copies carry the void box, the lower right one the second-TIN box.
constexpr bool voidOnCopy(int32_t copy) { return copy >= 2; }
constexpr bool secondTinOnCopy(int32_t copy) { return copy == 3; }

struct Form {
    const ComapnyInfo& payer;
    const RecipientInfo& recipient;
    const RecipientAdditionalInfo& additional;
    int32_t copy;
};

// The text of a field, or false when the field is not placed on this copy.
bool fieldText(const Field& f, const Form& c, std::string& text) {
    const RecipientInfo& r = c.recipient;
    switch (f.shows) {
    case Shows::box: text = (r.*f.text)(); return true;
    case Shows::check: text = "x"; return (r.*f.flag)();
    case Shows::stateOf: text = formtext::stateCode((r.*f.text)()); return true;
    case Shows::voidBox: text = "x"; return voidOnCopy(c.copy) && r.getVoided();
    case Shows::correctedBox: text = "x"; return r.getCorrected();
    case Shows::secondTinBox: text = "x"; return secondTinOnCopy(c.copy) && r.getSecondTin();
    case Shows::payerName: text = c.payer.getName(); return true;
    case Shows::payerStreet: text = c.payer.getAddress(); return true;
    case Shows::payerCity: text = formtext::payerCityLine(c.payer); return true;
    case Shows::payerPhone: text = c.payer.getPhone(); return true;
    case Shows::payerTin: text = c.payer.getTaxID1(); return true;
    case Shows::recipientTin: text = r.getTaxID(); return true;
    case Shows::nameLine: text = formtext::nameLine(r, c.additional); return true;
    case Shows::street: text = r.getAddress(); return true;
    case Shows::cityLine: text = formtext::cityLine(r); return true;
    case Shows::account: text = r.getAccountNumber(); return true;
    case Shows::taxYear: text = kTaxYear; return true;
    }
    return false;
}

// Fitting a text into its box. The form font is drawn kInsetX right of and kInsetY
// below its frame's corner; a line of it is kGlyphHeight times its size high (ascent
// and descent), and lines stand kLineFactor times the size apart. A text longer than
// its box is set smaller, down to kSmallest points, and where it still does not fit it
// breaks onto further lines, its box's lines set closer: never cut.
constexpr double kInsetX = 2.0;
constexpr double kInsetY = 1.0;
constexpr double kFormSize = SheetModel::kFontSize;
constexpr double kSmallest = 6.0;
constexpr double kLineFactor = 1.15;
// The most a caption takes at the top or bottom of its box: half a point of padding and
// one line of its small print.
constexpr double kCaptionDepth = 5.6;
// Room left at the end of a line, for the rounding of the printed font.
constexpr double kSlack = 0.5;
// The frame width of a text set into another text of its box, removed from the sheet.
constexpr int32_t kMergedAway = -1;

double widthAt(const std::string& text, double size) { return PrtReport::formTextWidth(text, size); }

// The length in bytes of the UTF-8 character that starts at text[at].
std::size_t characterLength(const std::string& text, std::size_t at) {
    std::size_t n = 1;
    while (at + n < text.size() && (static_cast<unsigned char>(text[at + n]) & 0xC0) == 0x80) ++n;
    return n;
}

// The text broken into lines of at most `room` points at the size: between words, and a
// word longer than a line between its characters.
std::vector<std::string> breakLines(const std::string& text, double size, double room) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        const std::string joined = line.empty() ? word : line + " " + word;
        if (widthAt(joined, size) <= room) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
        while (widthAt(word, size) > room) {
            std::size_t cut = characterLength(word, 0);
            while (cut < word.size() && widthAt(word.substr(0, cut + characterLength(word, cut)), size) <= room)
                cut += characterLength(word, cut);
            lines.push_back(word.substr(0, cut));
            word.erase(0, cut);
        }
        line = word;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += (out.empty() ? "" : "\n") + l;
    return out;
}

const fourup::FormBox* boxOf(const fourup::FormPicture* picture, const char* caption) {
    if (picture)
        for (const fourup::FormBox& b : picture->boxes)
            if (std::string_view(b.caption) == caption) return &b;
    return nullptr;
}

// A box of a copy in points on the sheet, half a point inside its rules.
struct Area {
    double left, top, right, bottom;
};
Area areaOf(const fourup::FormBox& b, int32_t copy) {
    const double left = (b.x + fourup::kCopyX[copy]) * 0.72;
    const double top = (b.y + fourup::kCopyY[copy]) * 0.72;
    return {left + 0.5, top + 0.5, left + b.width * 0.72 - 0.5, top + b.height * 0.72 - 0.5};
}

// How one text of a box is set.
struct Setting {
    std::size_t index;   // in the sheet's texts
    double size = kFormSize;
    std::vector<std::string> lines;
};

// Fits the texts of one box of a copy (indexes into the sheet's texts, in placing
// order) inside the box: each on its line at the form size when it fits, else smaller,
// else on several lines; when the lines then run into the next text or past the box,
// the box's texts are set as one text whose lines share the box's height evenly,
// below (or above) its caption.
void fitBox(std::vector<PlacedText>& texts, std::vector<std::size_t> members, const fourup::FormBox& box,
            int32_t copy) {
    const Area area = areaOf(box, copy);
    std::stable_sort(members.begin(), members.end(),
                     [&](std::size_t a, std::size_t b) { return texts[a].y < texts[b].y; });
    std::vector<Setting> settings;
    for (const std::size_t i : members) {
        PlacedText& t = texts[i];
        if (t.text.empty()) continue;
        Setting s{i, kFormSize, {t.text}};
        const double room = area.right - t.x - kInsetX - kSlack;
        const double full = widthAt(t.text, kFormSize);
        // The frame ends at the box's edge, and holds the whole text.
        const int32_t toEdge = std::max(0, static_cast<int32_t>(area.right) - t.x);
        t.width = full + kInsetX > t.width ? toEdge : std::min(t.width, toEdge);
        if (full > room) {
            s.size = std::max(kSmallest, std::floor(kFormSize * room / full * 10) / 10);
            if (widthAt(t.text, s.size) > room) {
                s.size = kSmallest;
                s.lines = breakLines(t.text, kSmallest, std::max(room, 1.0));
            }
        }
        settings.push_back(std::move(s));
    }
    if (settings.empty()) return;
    const bool captionBelow = box.corner == fourup::CaptionCorner::bottom;
    const double freeTop = captionBelow ? area.top : area.top + kCaptionDepth;
    const double freeBottom = captionBelow ? area.bottom - kCaptionDepth : area.bottom;
    // Each text's lines end above the next text's and above the box's caption or edge?
    bool fits = true;
    std::size_t lines = 0;
    for (std::size_t k = 0; k < settings.size(); ++k) {
        const PlacedText& t = texts[settings[k].index];
        lines += settings[k].lines.size();
        if (settings[k].lines.size() < 2) continue;
        const double end = t.y + kInsetY + settings[k].size * (kLineFactor * (settings[k].lines.size() - 1) + 1.12);
        const double next = k + 1 < settings.size() ? texts[settings[k + 1].index].y + kInsetY : freeBottom;
        if (end > next || end > freeBottom) fits = false;
    }
    if (fits) {
        for (const Setting& s : settings) {
            PlacedText& t = texts[s.index];
            t.size = s.size;
            if (s.lines.size() < 2) continue;
            t.text = joinLines(s.lines);
            t.lineHeight = s.size * kLineFactor;
            t.height = std::max(t.height, static_cast<int32_t>(std::ceil(s.lines.size() * t.lineHeight + kInsetY)));
        }
        return;
    }
    // The box's lines set closer: one text of all of them, from the top of the box's
    // free space (below a caption at its top) to its bottom (above a caption there).
    const double firstTop = std::min<double>(texts[settings.front().index].y + kInsetY, freeTop);
    const int32_t y = static_cast<int32_t>(std::ceil(firstTop - kInsetY));
    const double pitch = (freeBottom - (y + kInsetY)) / static_cast<double>(lines);
    double size = pitch / kLineFactor;
    int32_t x = texts[settings.front().index].x;
    std::vector<std::string> all;
    for (const Setting& s : settings) {
        size = std::min(size, s.size);
        x = std::min(x, texts[s.index].x);
        all.insert(all.end(), s.lines.begin(), s.lines.end());
    }
    PlacedText& merged = texts[settings.front().index];
    merged.text = joinLines(all);
    merged.x = x;
    merged.y = y;
    merged.width = std::max(0, static_cast<int32_t>(area.right) - x);
    merged.height = static_cast<int32_t>(std::ceil(freeBottom - y)) + 1;
    merged.size = size;
    merged.lineHeight = pitch;
    // The others are in it now.
    for (std::size_t k = 1; k < settings.size(); ++k) texts[settings[k].index].width = kMergedAway;
}

// Fits every text of a copy into the box its field belongs to. Each entry pairs an
// index into the sheet's texts with the caption of the field's box.
void fitCopy(std::vector<PlacedText>& texts, const std::vector<std::pair<std::size_t, const char*>>& placed,
             const fourup::FormPicture* picture, int32_t copy) {
    std::map<const fourup::FormBox*, std::vector<std::size_t>> byBox;
    for (const auto& [index, caption] : placed)
        if (const fourup::FormBox* b = boxOf(picture, caption)) byBox[b].push_back(index);
    for (const auto& [box, members] : byBox) fitBox(texts, members, *box, copy);
}

PrintResult drawFourUp(Report& report, const REPDATA& request, const FourUpForm& form) {
    const Session& s = session();
    CompanyDatabase* db = printrecords::openDatabase();
    // The recipients are the main window's selection, read afresh: what is printed is
    // what is stored now.
    std::vector<RecipientInfo> recipients;
    std::vector<RecipientAdditionalInfo> additional;
    std::vector<ComapnyInfo> payers;
    if (db && s.recp_details) {
        const std::vector<int32_t> keys = s.recp_details->selectedRecipients();
        report.meterStep("Reading the recipients", keys.size());
        if (!printrecords::readRecipients(*db, keys, recipients, payers, additional,
                                          [&](std::size_t read) { return report.meterCancelled(read); }))
            return PrintResult::cancelled;   // nothing marked, nothing printed
    }

    // The built-in four-up layout: stored layouts never move these fields.
    WX_FORMAT layout;
    format loader;
    layout.Val = loader.GetWXFmt(layout.Val, request.wxtype(), true);

    const fourup::FormPicture* picture = fourup::picture(form.picture);

    report.sheets = SheetModel();
    report.meterStep("Laying out the forms", recipients.size());
    for (std::size_t i = 0; i < recipients.size(); ++i) {
        if (report.meterCancelled(i)) return PrintResult::cancelled;
        report.LoadTextView();
        report.fmt = layout;
        for (int32_t copy = 0; copy < fourup::kCopies; ++copy) {
            report.xOffset = fourup::kCopyX[copy];
            report.yOffset = fourup::kCopyY[copy];
            const Form context{payers[i], recipients[i], additional[i], copy};
            std::string text;
            std::vector<std::pair<std::size_t, const char*>> placed;
            for (const Field& f : form.fields) {
                if (f.entry >= static_cast<int32_t>(report.fmt.Val.size())) continue;
                if (!fieldText(f, context, text)) continue;
                report.fmtval = report.fmt.Val[static_cast<std::size_t>(f.entry)];
                const std::size_t before = report.theTextView.texts.size();
                report.LocateSubview(text, report.fmtval, true);
                if (report.theTextView.texts.size() > before) placed.emplace_back(before, f.caption);
            }
            // A name, address or city line longer than its box is set smaller or on two
            // lines inside it: a cut name or address would make a wrong form, and a text
            // running past its box would print over the next box or copy.
            fitCopy(report.theTextView.texts, placed, picture, copy);
        }
        // The texts that went into another text of their box leave no frame behind.
        std::erase_if(report.theTextView.texts, [](const PlacedText& t) { return t.width == kMergedAway; });
        report.theTextView.background = form.picture;
        report.MultiplePrintPages();
    }
    report.LoadTextView();
    if (report.meterCancelled(recipients.size())) return PrintResult::cancelled;
    report.meterCommit();

    // The marks are stored before the print dialog: a recipient stays marked when the
    // user cancels the print.
    if (db) printrecords::markPrinted(*db, recipients, additional, form.kind, false);
    return report.printSheets();
}

template <std::size_t N>
std::vector<fourup::FieldBox> boxesOf(const Field (&fields)[N]) {
    std::vector<fourup::FieldBox> out;
    for (const Field& f : fields) out.push_back({f.entry, f.caption});
    return out;
}

}  // namespace

PrintResult Report::Prt_4_up_MISC(const REPDATA& request) { return drawFourUp(*this, request, kMiscForm); }
PrintResult Report::Prt_4_up_INT(const REPDATA& request) { return drawFourUp(*this, request, kIntForm); }
PrintResult Report::Prt_4_up_NEC(const REPDATA& request) { return drawFourUp(*this, request, kNecForm); }

std::span<const fourup::FieldBox> fourup::fieldBoxes(int32_t reptnum) {
    static const std::vector<FieldBox> misc = boxesOf(kMiscFields);
    static const std::vector<FieldBox> interest = boxesOf(kIntFields);
    static const std::vector<FieldBox> nec = boxesOf(kNecFields);
    switch (reptnum) {
    case REPDATA::kMisc4Up: return misc;
    case REPDATA::kInt4Up: return interest;
    case REPDATA::kNec4Up: return nec;
    default: return {};
    }
}
