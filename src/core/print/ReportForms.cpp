// The forms on pre-printed paper and the 1096: for each form kind, which text goes into
// which entry of its print layout, nudged by how much, and the run that lays every
// recipient of a request onto the sheets, marks it printed and prints the sheets.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/foundation/FormKind.h"
#include "core/foundation/Session.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/Utils.h"
#include "core/print/DisplayPDF.h"
#include "core/print/FormTexts.h"
#include "core/print/PrintRecords.h"
#include "core/print/REPDATA.h"
#include "core/print/Report.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "core/store/format.h"

namespace {

// ---- the field tables ----

// How far a field moves from its layout point, in hundredths of an inch (negative:
// left or up).
struct Nudge {
    int16_t x = 0;
    int16_t y = 0;
};

// What a field shows.
enum class Shows : uint8_t {
    nothing,        // the entry is not used
    voidBox,        // "x" on copies that carry the void box, for a void recipient
    correctedBox,   // "x" for a corrected recipient, on every copy
    secondTinBox,   // "x" on copies that carry the box, for a recipient with the notice
    payerName,
    payerStreet,
    payerCity,      // city, state code, ZIP
    payerPhone,
    payerTin,
    recipientTin,
    nameLine,
    street,
    cityLine,       // city, state, ZIP, country
    account,
    taxYear,        // "2025", or "25" for a partial year
    box,            // a text box as stored
    boxUnlessDash,  // a text box as stored, left empty when it holds "-"
    stateOf,        // the upper-case two-letter code of a stored state
    check,          // "x" when the flag is set; nothing otherwise
    whole,          // a whole number: empty for -1, "INVALID" for -2
};

using TextBox = const std::string& (RecipientInfo::*)() const;
using FlagBox = bool (RecipientInfo::*)() const;
using WholeBox = int32_t (RecipientInfo::*)() const;

struct FormField {
    int32_t entry;
    Shows shows;
    TextBox text = nullptr;
    FlagBox flag = nullptr;
    WholeBox number = nullptr;
    Nudge slot0;   // the nudge of the first form slot
    Nudge slot1;   // of the second slot (the same unless the table says otherwise)
};

constexpr FormField field(int32_t entry, Shows shows, Nudge n) { return {entry, shows, nullptr, nullptr, nullptr, n, n}; }
constexpr FormField field(int32_t entry, Shows shows, Nudge n0, Nudge n1) {
    return {entry, shows, nullptr, nullptr, nullptr, n0, n1};
}
constexpr FormField box(int32_t entry, TextBox text, Nudge n) { return {entry, Shows::box, text, nullptr, nullptr, n, n}; }
constexpr FormField stateOf(int32_t entry, TextBox text, Nudge n) {
    return {entry, Shows::stateOf, text, nullptr, nullptr, n, n};
}
constexpr FormField check(int32_t entry, FlagBox flag, Nudge n) { return {entry, Shows::check, nullptr, flag, nullptr, n, n}; }
constexpr FormField check(int32_t entry, FlagBox flag, Nudge n0, Nudge n1) {
    return {entry, Shows::check, nullptr, flag, nullptr, n0, n1};
}
constexpr FormField whole(int32_t entry, WholeBox number, Nudge n) {
    return {entry, Shows::whole, nullptr, nullptr, number, n, n};
}

using S = Shows;
using R = RecipientInfo;

constexpr FormField kNecFields[] = {
    field(0, S::voidBox, {0, 0}),
    field(1, S::correctedBox, {0, 0}),
    field(2, S::payerName, {0, 0}),
    field(3, S::payerStreet, {0, 0}),
    field(4, S::payerCity, {0, 0}),
    field(5, S::payerPhone, {0, 0}),
    field(6, S::payerTin, {0, 2}),
    field(7, S::recipientTin, {0, 2}),
    box(8, &R::getLine1_NEC, {0, 2}),
    field(9, S::nameLine, {0, 0}),
    field(10, S::street, {0, -5}),
    field(11, S::cityLine, {0, -5}),
    check(12, &R::getNec_Line2_2, {1, -1}),
    field(13, S::account, {0, -5}),
    field(14, S::secondTinBox, {6, -5}),
    box(15, &R::getLine3_NEC, {0, -5}),
    box(16, &R::getLine4_NEC, {0, -5}),
    box(17, &R::getLine5_1_NEC, {2, -5}),
    box(18, &R::getLine5_2_NEC, {2, -5}),
    box(19, &R::getLine6_1_NEC, {0, -5}),
    box(20, &R::getLine6_2_NEC, {0, -5}),
    box(21, &R::getLine7_1_NEC, {0, -5}),
    box(22, &R::getLine7_2_NEC, {0, -5}),
    field(23, S::taxYear, {0, 0}),
};

constexpr Nudge kMisc{-18, -17};
constexpr FormField kMiscFields[] = {
    box(0, &R::getLine1_Misc, {-18, -19}),
    box(1, &R::getLine2_Misc, {-18, -19}),
    box(2, &R::getLine3_Misc, kMisc),
    box(3, &R::getLine4_Misc, kMisc),
    box(4, &R::getLine5_Misc, {-18, -19}),
    box(5, &R::getLine6_Misc, {-18, -19}),
    field(6, S::payerName, kMisc),
    field(7, S::payerStreet, kMisc),
    field(8, S::payerCity, kMisc),
    field(9, S::payerTin, kMisc),
    field(10, S::correctedBox, {-14, -20}),
    check(11, &R::getLine9_Misc, {-16, -18}),
    box(12, &R::getLine8_Misc, kMisc),
    {13, S::boxUnlessDash, &R::getLine7_Misc, nullptr, nullptr, kMisc, kMisc},
    box(14, &R::getLine10_Misc, kMisc),
    box(15, &R::getLine11_Misc, kMisc),
    box(16, &R::getLine12_Misc, kMisc),
    field(17, S::nothing, {0, 0}),
    box(18, &R::getLine14_Misc, kMisc),
    field(19, S::recipientTin, kMisc),
    field(20, S::account, kMisc),
    field(21, S::nameLine, kMisc),
    field(22, S::street, kMisc),
    field(23, S::cityLine, kMisc),
    box(24, &R::getLine16_1_Misc, {-18, -18}),
    box(25, &R::getLine16_2_Misc, {-18, -18}),
    box(26, &R::getLine17_1_Misc, {-18, -18}),
    box(27, &R::getLine17_2_Misc, {-18, -18}),
    box(28, &R::getLine18_1_Misc, {-18, -18}),
    box(29, &R::getLine18_2_Misc, {-18, -18}),
    field(30, S::secondTinBox, {-10, -19}, {-13, -21}),
    field(31, S::voidBox, {-14, -20}),
    field(32, S::payerPhone, kMisc),
    check(33, &R::getFATCA_MISC, {-10, -19}, {-13, -21}),
    field(34, S::taxYear, kMisc),
};

constexpr Nudge kDivBox{-18, -15};
constexpr Nudge kDivName{-18, -17};
constexpr FormField kDivFields[] = {
    field(0, S::voidBox, {-15, -16}),
    field(1, S::correctedBox, {-15, -16}),
    box(2, &R::getDiv_Line1a, kDivBox),
    box(3, &R::getDiv_Line1b, kDivBox),
    box(4, &R::getDiv_Line2a, kDivBox),
    box(5, &R::getDiv_Line2b, kDivBox),
    box(6, &R::getDiv_Line2c, kDivBox),
    box(7, &R::getDiv_Line2d, kDivBox),
    box(8, &R::getDiv_Line2e, kDivBox),
    box(9, &R::getDiv_Line2f, kDivBox),
    box(10, &R::getDiv_Line3, kDivBox),
    box(11, &R::getDiv_Line4, kDivBox),
    box(12, &R::getDiv_Line5, kDivBox),
    box(13, &R::getDiv_Line6, kDivBox),
    box(14, &R::getDiv_Line7, kDivBox),
    box(15, &R::getDiv_Line8, kDivBox),
    box(16, &R::getDiv_Line9, kDivBox),
    field(17, S::payerName, {-18, -22}),
    field(18, S::payerStreet, {-18, -22}),
    field(19, S::payerCity, {-18, -22}),
    field(20, S::payerTin, kDivName),
    field(21, S::recipientTin, kDivName),
    field(22, S::account, kDivName),
    field(23, S::nameLine, kDivName),
    field(24, S::street, kDivName),
    field(25, S::cityLine, kDivName),
    field(26, S::secondTinBox, {-15, -16}, {-17, -18}),
    field(27, S::payerPhone, kDivName),
    box(28, &R::getDiv_Line10, kDivBox),
    box(29, &R::getDiv_Line11, kDivBox),
    stateOf(30, &R::getDiv_Line12_1, kDivBox),
    box(31, &R::getDiv_Line13_1, {-15, -15}),
    box(32, &R::getDiv_Line14_1, {-20, -15}),
    stateOf(33, &R::getDiv_Line12_2, kDivBox),
    box(34, &R::getDiv_Line13_2, {-15, -15}),
    box(35, &R::getDiv_Line14_2, {-20, -15}),
    check(36, &R::getFATCA_DIV, {-15, -16}, {-17, -18}),
    box(37, &R::getDiv_Sec199ADiv, kDivBox),
    field(38, S::taxYear, kDivBox),
};

constexpr Nudge kIntTop{-18, -20};
constexpr Nudge kIntBox{-18, -18};
constexpr Nudge kIntName{-18, -17};
constexpr FormField kIntFields[] = {
    field(0, S::voidBox, {-15, -18}, {-18, -18}),
    field(1, S::correctedBox, {-15, -18}, {-18, -18}),
    box(2, &R::getInt_payerRTN, kIntTop),
    box(3, &R::getInt_Line1, kIntTop),
    box(4, &R::getInt_Line2, kIntTop),
    box(5, &R::getInt_Line3, kIntTop),
    box(6, &R::getInt_Line4, kIntTop),
    box(7, &R::getInt_Line5, kIntTop),
    box(8, &R::getInt_Line6, kIntTop),
    box(9, &R::getInt_Line7, kIntBox),
    box(10, &R::getInt_Line8, kIntBox),
    box(11, &R::getInt_Line9, kIntBox),
    box(12, &R::getInt_Line12, kIntBox),
    field(13, S::payerName, kIntName),
    field(14, S::payerStreet, kIntName),
    field(15, S::payerCity, kIntName),
    field(16, S::payerTin, kIntName),
    field(17, S::recipientTin, kIntName),
    field(18, S::nameLine, {-18, -14}),
    field(19, S::street, {-18, -14}),
    field(20, S::cityLine, kIntName),
    field(21, S::account, kIntName),
    field(22, S::secondTinBox, {-15, -17}),
    field(23, S::payerPhone, kIntName),
    stateOf(24, &R::getInt_Line13_1, kIntBox),
    box(25, &R::getInt_Line14_1, kIntBox),
    box(26, &R::getInt_Line15_1, kIntBox),
    stateOf(27, &R::getInt_Line13_2, kIntBox),
    box(28, &R::getInt_Line14_2, kIntBox),
    box(29, &R::getInt_Line15_2, kIntBox),
    box(30, &R::getInt_Line10, kIntBox),
    box(31, &R::getInt_Line11, kIntBox),
    check(32, &R::getFATCA_INT, {-15, -17}),
    box(33, &R::getInt_Line17, {-20, -17}),
    box(34, &R::getInt_Line16, {-20, -17}),
    field(35, S::taxYear, kIntTop),
};

// The 1099-R has no second-TIN box and no tax year; its state rows print as stored.
constexpr Nudge kR{-18, -17};
constexpr Nudge kRRow{-18, -18};
constexpr FormField kRFields[] = {
    field(0, S::voidBox, {-15, -18}, {-12, -16}),
    field(1, S::correctedBox, {-15, -18}, {-12, -16}),
    box(2, &R::getR_Line1, kR),
    box(3, &R::getR_Line2a, {-16, -17}),
    check(4, &R::getR_Line2b_Checkbox_1, {-15, -17}, {-12, -17}),
    check(5, &R::getR_Line2b_Checkbox_2, {-15, -17}, {-12, -17}),
    box(6, &R::getR_Line3, {-18, -15}),
    box(7, &R::getR_Line4, {-18, -15}),
    box(8, &R::getR_Line5, kR),
    box(9, &R::getR_Line6, kR),
    box(10, &R::getR_Line7, kR),
    check(11, &R::getR_Line7_Checkbox, {-10, -16}, {-12, -18}),
    box(12, &R::getR_Line8, kRRow),
    whole(13, &R::getR_Line8_Percentage, kRRow),
    whole(14, &R::getR_Line9a, kRRow),
    box(15, &R::getR_Line9b, kRRow),
    box(16, &R::getR_Line10, kRRow),
    whole(17, &R::getR_Line11, kRRow),
    box(18, &R::getR_Line12_1, kRRow),
    box(19, &R::getR_Line12_2, kRRow),
    box(20, &R::getR_Line13_1, kRRow),
    box(21, &R::getR_Line13_2, kRRow),
    box(22, &R::getR_Line14_1, kRRow),
    box(23, &R::getR_Line14_2, kRRow),
    box(24, &R::getR_Line15_1, kRRow),
    box(25, &R::getR_Line15_2, {-18, -16}),
    box(26, &R::getR_Line16_1, {-18, -16}),
    box(27, &R::getR_Line16_2, {-18, -16}),
    box(28, &R::getR_Line17_1, {-16, -16}),
    box(29, &R::getR_Line17_2, {-16, -16}),
    field(30, S::payerName, kR),
    field(31, S::payerStreet, kR),
    field(32, S::payerCity, kR),
    field(33, S::payerTin, {-18, -15}),
    field(34, S::recipientTin, {-18, -15}),
    field(35, S::account, kR),
    field(36, S::nameLine, kR),
    field(37, S::street, kR),
    field(38, S::cityLine, kR),
    field(39, S::payerPhone, kR),
    check(40, &R::getFATCA_R, {-10, -16}),
    box(41, &R::getR_DateOfPayment, {-15, -15}),
};

// The 1099-S has no second-TIN box.
constexpr Nudge kS{-18, -17};
constexpr FormField kSFields[] = {
    field(0, S::voidBox, {-10, -15}),
    field(1, S::correctedBox, {-13, -15}),
    box(2, &R::getS_Line1, kS),
    box(3, &R::getS_Line2, kS),
    box(4, &R::getS_Address_Line3, kS),
    box(5, &R::getS_City_Line3, kS),
    stateOf(6, &R::getS_State_Line3, kS),
    box(7, &R::getS_Zip_Line3, kS),
    check(8, &R::getS_Line4, {-10, -15}),
    box(9, &R::getS_Line5, {-14, -14}),
    field(10, S::payerName, kS),
    field(11, S::payerStreet, kS),
    field(12, S::payerCity, kS),
    field(13, S::payerTin, kS),
    field(14, S::recipientTin, kS),
    field(15, S::nameLine, kS),
    field(16, S::street, kS),
    field(17, S::cityLine, kS),
    field(18, S::account, {-18, -16}),
    field(19, S::payerPhone, kS),
    check(20, &R::getS_Line6, {-10, -14}),
    field(21, S::taxYear, kS),
};

// One form kind on pre-printed paper: its kind code, its layout code, the form slots of
// a sheet (offsets in hundredths of an inch) and its fields.
struct PrePrintedForm {
    int32_t kind;
    int32_t layout;
    int32_t slots;
    int32_t slotX[3];
    int32_t slotY[3];
    std::span<const FormField> fields;
};

constexpr PrePrintedForm kMiscForm{1, 0, 2, {0, 0, 0}, {0, 548, 0}, kMiscFields};
constexpr PrePrintedForm kDivForm{2, 5, 2, {0, 2, 0}, {0, 548, 0}, kDivFields};
constexpr PrePrintedForm kIntForm{3, 3, 2, {0, 2, 0}, {0, 547, 0}, kIntFields};
constexpr PrePrintedForm kRForm{4, 6, 2, {0, 0, 0}, {0, 547, 0}, kRFields};
constexpr PrePrintedForm kSForm{5, 4, 3, {0, 0, 0}, {0, 365, 730}, kSFields};
constexpr PrePrintedForm kNecForm{FormKind::kNec, 9, 3, {0, 2, 2}, {0, 363, 726}, kNecFields};

// The 1096: its fields, then the "x" of the form kind filed.
constexpr int32_t k1096Layout = 2;

struct KindBox {
    int32_t kind;
    int32_t entry;
    Nudge nudge;
};
constexpr KindBox k1096KindBoxes[] = {
    {1, 13, {-10, -4}}, {2, 11, {-8, -8}}, {3, 12, {-8, -13}},
    {4, 15, {-10, -10}}, {5, 16, {-12, -8}}, {FormKind::kNec, 14, {-7, -10}},
};

// ---- texts ----

constexpr const char* kTaxYear = "2025";

using formtext::cityLine;
using formtext::nameLine;
using formtext::payerCityLine;
using formtext::stateCode;

// What one form of the run shows, besides its recipient's boxes.
struct FormContext {
    const ComapnyInfo& payer;
    const RecipientInfo& recipient;
    const RecipientAdditionalInfo& additional;
    bool voidOnCopy;
    bool secondTinOnCopy;
    bool partialYear;
};

// The text of a field, or false when the field is not placed.
bool fieldText(const FormField& f, const FormContext& c, std::string& text) {
    const RecipientInfo& r = c.recipient;
    switch (f.shows) {
    case Shows::nothing: return false;
    case Shows::voidBox: text = "x"; return c.voidOnCopy && r.getVoided();
    case Shows::correctedBox: text = "x"; return r.getCorrected();
    case Shows::secondTinBox: text = "x"; return c.secondTinOnCopy && r.getSecondTin();
    case Shows::check: text = "x"; return (r.*f.flag)();
    case Shows::payerName: text = c.payer.getName(); return true;
    case Shows::payerStreet: text = c.payer.getAddress(); return true;
    case Shows::payerCity: text = payerCityLine(c.payer); return true;
    case Shows::payerPhone: text = c.payer.getPhone(); return true;
    case Shows::payerTin: text = c.payer.getTaxID1(); return true;
    case Shows::recipientTin: text = r.getTaxID(); return true;
    case Shows::nameLine: text = nameLine(r, c.additional); return true;
    case Shows::street: text = r.getAddress(); return true;
    case Shows::cityLine: text = cityLine(r); return true;
    case Shows::account: text = r.getAccountNumber(); return true;
    case Shows::taxYear: text = c.partialYear ? std::string(kTaxYear).substr(2) : kTaxYear; return true;
    case Shows::box: text = (r.*f.text)(); return true;
    case Shows::boxUnlessDash: {
        const std::string& value = (r.*f.text)();
        text = value.find('-') == std::string::npos ? value : std::string();
        return true;
    }
    case Shows::stateOf: text = stateCode((r.*f.text)()); return true;
    case Shows::whole: text = Utils::positiveToString((r.*f.number)()); return true;
    }
    return false;
}

// ---- the run ----

// The layout of a code as the open company database keeps it, read once for a request.
// A field the stored copy lacks keeps its built-in place, and so does every field when
// the copy cannot be read (the user is told): never the sheet's top left corner.
WX_FORMAT readLayout(int32_t layoutCode) {
    WX_FORMAT layout;
    format loader;
    WX_FORMAT defaults;
    const std::vector<WX_FMTVAL> builtIn = loader.GetWXFmt(defaults.Val, layoutCode, true);
    std::copy_n(builtIn.begin(), std::min(builtIn.size(), layout.Val.size()), layout.Val.begin());
    layout.Val = loader.GetWXFmt(layout.Val, layoutCode, false);
    return layout;
}

// Places a layout entry, moved by the nudge, with the usual shift.
void place(Report& report, const std::string& text, int32_t entry, Nudge nudge) {
    if (entry < 0 || entry >= static_cast<int32_t>(report.fmt.Val.size())) return;
    report.fmtval = report.fmt.Val[static_cast<std::size_t>(entry)];
    report.fmtval.pt().x = static_cast<int16_t>(report.fmtval.pt().x + nudge.x);
    report.fmtval.pt().y = static_cast<int16_t>(report.fmtval.pt().y + nudge.y);
    report.LocateSubview(text, report.fmtval, false);
}

// Lays every recipient of the request into the form slots, marks them and prints.
PrintResult drawPrePrinted(Report& report, const REPDATA& request, const PrePrintedForm& form) {
    const Session& s = session();
    const std::vector<RecipientInfo>& recipients = request.theListBox();
    const std::vector<ComapnyInfo>& payers = request.theListBox2();
    const std::vector<RecipientAdditionalInfo>& additional = request.theAddListBox3();
    const ComapnyInfo noPayer;
    const RecipientAdditionalInfo noAdditional;
    const int32_t copy = s.currentForm;
    const bool voidOnCopy = DisplayPDF::VoidOnForm(form.kind, copy);
    const bool secondTinOnCopy = DisplayPDF::SecondTinOnForm(form.kind, copy);

    report.sheets = SheetModel();
    report.LoadTextView();
    // Read once: every form starts from the same entries, so nudges never add up.
    const WX_FORMAT layout = readLayout(request.wxtype());
    report.meterStep("Laying out the forms", recipients.size());
    for (std::size_t i = 0; i < recipients.size(); ++i) {
        if (report.meterCancelled(i)) return PrintResult::cancelled;   // nothing marked, nothing printed
        report.fmt = layout;
        const std::size_t slot = i % static_cast<std::size_t>(form.slots);
        report.xOffset = form.slotX[slot];
        report.yOffset = form.slotY[slot];
        // Each form carries its own recipient's payer; a request that lists one payer
        // for all (the 1096's way) gives that one.
        const std::size_t index = i < payers.size() ? i : static_cast<std::size_t>(request.indexofRecComp());
        const ComapnyInfo& payer = index < payers.size() ? payers[index] : noPayer;
        const FormContext context{payer, recipients[i], i < additional.size() ? additional[i] : noAdditional,
                                  voidOnCopy, secondTinOnCopy, s.PartialYear};
        std::string text;
        for (const FormField& f : form.fields) {
            if (!fieldText(f, context, text)) continue;
            place(report, text, f.entry, slot == 0 ? f.slot0 : f.slot1);
        }
        if (slot + 1 == static_cast<std::size_t>(form.slots)) {
            report.MultiplePrintPages();
            report.LoadTextView();
        }
    }
    if (recipients.size() % static_cast<std::size_t>(form.slots) != 0) report.MultiplePrintPages();
    if (report.meterCancelled(recipients.size())) return PrintResult::cancelled;
    report.meterCommit();

    // The marks are stored before the print dialog: a recipient stays marked when the
    // user cancels the print.
    if (CompanyDatabase* db = printrecords::openDatabase())
        printrecords::markPrinted(*db, recipients, additional, form.kind, true);
    return report.printSheets();
}

}  // namespace

PrintResult Report::Prt_MISC(const REPDATA& request) { return drawPrePrinted(*this, request, kMiscForm); }
PrintResult Report::Prt_DIV(const REPDATA& request) { return drawPrePrinted(*this, request, kDivForm); }
PrintResult Report::Prt_INT(const REPDATA& request) { return drawPrePrinted(*this, request, kIntForm); }
PrintResult Report::Prt_R(const REPDATA& request) { return drawPrePrinted(*this, request, kRForm); }
PrintResult Report::Prt_S(const REPDATA& request) { return drawPrePrinted(*this, request, kSForm); }
PrintResult Report::Prt_NEC(const REPDATA& request) { return drawPrePrinted(*this, request, kNecForm); }

PrintResult Report::Prt_1096(const REPDATA& request) {
    const Session& s = session();
    const std::vector<ComapnyInfo>& payers = request.theListBox2();
    const std::size_t index = static_cast<std::size_t>(request.indexofRecComp());
    const ComapnyInfo payer = index < payers.size() ? payers[index] : ComapnyInfo();

    sheets = SheetModel();
    LoadTextView();
    xOffset = 0;
    yOffset = 0;
    fmt = readLayout(request.wxtype());
    place(*this, payer.getName(), 0, {0, -10});
    place(*this, payer.getAddress(), 1, {0, -10});
    place(*this, payerCityLine(payer), 2, {-5, -10});
    place(*this, payer.getContact(), 3, {0, -15});
    place(*this, payer.getContactPhone(), 4, {0, -15});
    place(*this, payer.getFax(), 5, {0, -15});
    place(*this, payer.getEmail(), 6, {0, -15});
    // The payer's number goes into the box of its kind.
    if (!payer.getTaxIDIsSSN()) place(*this, payer.getTaxID1(), 7, {0, -15});
    place(*this, std::to_string(s.totalNumberOfForms), 8, {0, -13});
    place(*this, Utils::intToDollarString1(s.totalFedTaxWithheld), 9, {0, -13});
    place(*this, Utils::intToDollarString1(s.totalAmountForThisForm1096), 10, {0, -13});
    if (payer.getTaxIDIsSSN()) place(*this, payer.getTaxID1(), 17, {0, -15});
    for (const KindBox& k : k1096KindBoxes)
        if (k.kind == request.formKind()) place(*this, "x", k.entry, k.nudge);
    MultiplePrintPages();
    LoadTextView();
    meterCommit();
    return printSheets();
}

namespace formtext {

namespace {

constexpr const char* kBusinessName = "Business Name";

}  // namespace

// The two-letter code of a stored state in upper case; the empty text for "None" and
// for a name that is no state.
std::string stateCode(const std::string& state) {
    const std::string code = Utils::getStateCode(state, false);
    return code.find_first_not_of(' ') == std::string::npos ? std::string() : textscan::upper(code);
}

std::string payerCityLine(const ComapnyInfo& payer) {
    return payer.getCity() + " " + stateCode(payer.getState()) + " " + payer.getZip();
}

// A recipient without additional data (files from before it was kept) shows the name
// stored with the recipient.
std::string nameLine(const RecipientInfo& r, const RecipientAdditionalInfo& more) {
    const bool business = more.getPK() < 0 || more.getname_type() == kBusinessName;
    const std::string& surname = business ? r.getLastName() : more.getlastname();
    const std::string& first = r.getFirstName();
    return first == " " ? first + surname : first + " " + surname;
}

std::string cityLine(const RecipientInfo& r) {
    // An address outside the states keeps its province as typed.
    const std::string state = r.getAddressIsNotUSTerritory() ? r.getState() : stateCode(r.getState());
    return r.getCity() + " " + state + " " + r.getZip() + " " + r.getCountry();
}

}  // namespace formtext
