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

// Fitting the texts of a box into it. The form font is drawn SheetModel::kInsetX right
// of and kInsetY below its frame's corner; a line of it is kGlyphHeight times its size
// high, and lines stand kLineFactor times the size apart. A box's texts are set at the
// largest size, in tenths of a point down from the form size, at which, broken into
// lines at that size, they fit the box's free width and height: never cut, and never
// smaller than kSmallest where kSmallest can hold them.
constexpr double kFormSize = SheetModel::kFontSize;
constexpr double kSmallest = 6.0;
constexpr double kLeast = 1.0;
constexpr double kLineFactor = 1.15;
// The most a caption takes at the top or bottom of its box: half a point of padding and
// one line of its small print.
constexpr double kCaptionDepth = 5.6;
// Room left at the end of a line, for the rounding of the printed font.
constexpr double kSlack = 0.5;
// The frame width of a text set into another text of its box, removed from the sheet.
constexpr int32_t kMergedAway = -1;

double widthAt(const std::string& text, double size) { return PrtReport::formTextWidth(text, size); }

// The height of n lines at the size, from the top of the first to the foot of the last.
double linesHeight(std::size_t n, double size) {
    return size * (kLineFactor * static_cast<double>(n - 1) + SheetModel::kGlyphHeight);
}

// The length in bytes of the UTF-8 character that starts at text[at].
std::size_t characterLength(const std::string& text, std::size_t at) {
    std::size_t n = 1;
    while (at + n < text.size() && (static_cast<unsigned char>(text[at + n]) & 0xC0) == 0x80) ++n;
    return n;
}

// A text's words with their widths at one point, measured once: the form font's widths
// grow with its size, so the text breaks at any size without measuring it again.
struct Words {
    std::vector<std::string> words;
    std::vector<double> widths;
    double space = widthAt(" ", 1.0);

    explicit Words(const std::string& text) {
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t end = text.find(' ', at);
            if (end == std::string::npos) end = text.size();
            if (end > at) {
                words.push_back(text.substr(at, end - at));
                widths.push_back(widthAt(words.back(), 1.0));
            }
            at = end + 1;
        }
    }
};

// The number of lines of at most `room` points that the words take at the size, broken
// between words (their lines added to `out` when given). A word longer than a line is
// broken between its characters when `splitWords` is set; otherwise there is no such
// breaking and the answer is 0.
std::size_t breakLines(const Words& w, double size, double room, bool splitWords,
                       std::vector<std::string>* out = nullptr) {
    std::size_t lines = 0;
    std::string line;
    double width = -1;   // of the line so far at one point; below 0 while it is empty
    auto endLine = [&] {
        if (width < 0) return;
        ++lines;
        if (out) out->push_back(line);
        line.clear();
        width = -1;
    };
    for (std::size_t i = 0; i < w.words.size(); ++i) {
        if (width >= 0 && (width + w.space + w.widths[i]) * size <= room) {
            width += w.space + w.widths[i];
            if (out) line += " " + w.words[i];
            continue;
        }
        endLine();
        if (w.widths[i] * size <= room) {
            width = w.widths[i];
            if (out) line = w.words[i];
            continue;
        }
        if (!splitWords) return 0;
        std::string word = w.words[i];
        while (widthAt(word, size) > room) {
            std::size_t cut = characterLength(word, 0);
            while (cut < word.size() && widthAt(word.substr(0, cut + characterLength(word, cut)), size) <= room)
                cut += characterLength(word, cut);
            ++lines;
            if (out) out->push_back(word.substr(0, cut));
            word.erase(0, cut);
        }
        if (!word.empty()) {
            width = widthAt(word, 1.0);
            if (out) line = word;
        }
    }
    endLine();
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += (out.empty() ? "" : "\n") + l;
    return out;
}

// A size at which texts fit, and whether a word had to be broken for it.
struct Fit {
    double size = kFormSize;
    bool splitWords = false;

    // How readable the texts come out: at kSmallest or more before below it, with their
    // words whole before broken, then larger before smaller.
    int rank() const { return (size >= kSmallest ? 2 : 0) + (splitWords ? 0 : 1); }
    bool worseThan(const Fit& o) const { return rank() != o.rank() ? rank() < o.rank() : size < o.size; }
};

// The largest size, in tenths of a point from the form size down, at which
// fits(size, splitWords) holds: at kSmallest or more with every word whole, then with
// over-long words broken; below kSmallest only where it holds at no such size.
template <class Fits>
Fit largestFit(Fits fits) {
    constexpr int kTenths[][2] = {{static_cast<int>(kFormSize * 10), static_cast<int>(kSmallest * 10)},
                                  {static_cast<int>(kSmallest * 10) - 1, static_cast<int>(kLeast * 10)}};
    for (const auto& [from, to] : kTenths)
        for (const bool split : {false, true})
            for (int tenths = from; tenths >= to; --tenths)
                if (fits(tenths / 10.0, split)) return {tenths / 10.0, split};
    return {kLeast, true};
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

// The room of a line that starts at x, in a box ending at `right`.
double roomFrom(double x, double right) { return std::max(right - x - SheetModel::kInsetX - kSlack, 1.0); }

// Sets a text's lines at the size: one line keeps its frame's height, more lines make
// it as tall as they need at least.
void setLines(PlacedText& t, const std::vector<std::string>& lines, double size) {
    t.size = size;
    if (lines.size() < 2) return;
    t.text = joinLines(lines);
    t.lineHeight = size * kLineFactor;
    const double needed = static_cast<double>(lines.size()) * t.lineHeight + SheetModel::kInsetY;
    t.height = std::max(t.height, static_cast<int32_t>(std::ceil(needed)));
}

// Fits the texts of one box of a copy (indexes into the sheet's texts) inside the box.
// Each text first where the layout puts it, at the largest size at which it fits
// before the next text of the box (or the box's caption or edge), on one line or on
// several. Where the box's texts set as one, line after line below (or above) its
// caption, can all be larger than the smallest of them in place, they are set so.
void fitBox(std::vector<PlacedText>& texts, std::vector<std::size_t> members, const fourup::FormBox& box,
            int32_t copy) {
    const Area area = areaOf(box, copy);
    std::erase_if(members, [&](std::size_t i) { return texts[i].text.empty(); });
    if (members.empty()) return;
    std::stable_sort(members.begin(), members.end(),
                     [&](std::size_t a, std::size_t b) { return texts[a].y < texts[b].y; });
    const bool captionBelow = box.corner == fourup::CaptionCorner::bottom;
    const double freeTop = captionBelow ? area.top : area.top + kCaptionDepth;
    const double freeBottom = captionBelow ? area.bottom - kCaptionDepth : area.bottom;

    std::vector<Words> words;
    std::vector<Fit> inPlace;
    Fit worst;
    for (std::size_t k = 0; k < members.size(); ++k) {
        const PlacedText& t = texts[members[k]];
        words.emplace_back(t.text);
        const double room = roomFrom(t.x, area.right);
        const double top = t.y + SheetModel::kInsetY;
        const double bottom = k + 1 < members.size() ? texts[members[k + 1]].y + SheetModel::kInsetY : freeBottom;
        // One line stands where the layout puts it; more must end above what follows.
        inPlace.push_back(largestFit([&](double size, bool split) {
            const std::size_t n = breakLines(words[k], size, room, split);
            return n == 1 || (n > 1 && top + linesHeight(n, size) <= std::min(bottom, freeBottom));
        }));
        if (inPlace.back().worseThan(worst)) worst = inPlace.back();
    }

    // The box's texts as one, from the top of its free space (or the first text, where
    // that is higher) down.
    const double firstTop = std::min(texts[members.front()].y + SheetModel::kInsetY, freeTop);
    const int32_t y = static_cast<int32_t>(std::ceil(firstTop - SheetModel::kInsetY));
    int32_t x = texts[members.front()].x;
    for (const std::size_t i : members) x = std::min(x, texts[i].x);
    const double room = roomFrom(x, area.right);
    Fit merged{0.0, true};
    if (worst.worseThan(Fit{})) {
        merged = largestFit([&](double size, bool split) {
            std::size_t n = 0;
            for (const Words& w : words) {
                const std::size_t lines = breakLines(w, size, room, split);
                if (lines == 0) return false;
                n += lines;
            }
            return y + SheetModel::kInsetY + linesHeight(n, size) <= freeBottom;
        });
    }

    if (!worst.worseThan(merged)) {
        for (std::size_t k = 0; k < members.size(); ++k) {
            PlacedText& t = texts[members[k]];
            // The frame ends at the box's edge, and holds the whole text.
            const double full = widthAt(t.text, kFormSize);
            const int32_t toEdge = std::max(0, static_cast<int32_t>(area.right) - t.x);
            t.width = full + SheetModel::kInsetX > t.width ? toEdge : std::min(t.width, toEdge);
            std::vector<std::string> lines;
            breakLines(words[k], inPlace[k].size, roomFrom(t.x, area.right), inPlace[k].splitWords, &lines);
            setLines(t, lines, inPlace[k].size);
        }
        return;
    }
    std::vector<std::string> all;
    for (const Words& w : words) breakLines(w, merged.size, room, merged.splitWords, &all);
    PlacedText& first = texts[members.front()];
    first.x = x;
    first.y = y;
    first.width = std::max(0, static_cast<int32_t>(area.right) - x);
    first.height = static_cast<int32_t>(std::ceil(freeBottom - y)) + 1;
    setLines(first, all, merged.size);
    // The others are in it now.
    for (std::size_t k = 1; k < members.size(); ++k) texts[members[k]].width = kMergedAway;
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
