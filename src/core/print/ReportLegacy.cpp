// The older methods of the report base class used by the payroll reports: the company
// header, positioned output at layout fields, layout loading and the check page.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/foundation/ReportFiles.h"
#include "core/foundation/Session.h"
#include "core/payroll/PayrollContext.h"
#include "core/foundation/Utils.h"
#include "core/payroll/EmployerReturns.h"
#include "core/payroll/PayrollSettings.h"
#include "core/print/PrtReport.h"
#include "core/print/Report.h"
#include "core/store/format.h"

namespace {

constexpr int32_t kHeaderColumn = 42;
constexpr int32_t kCentred = 2;
// The draw position's distance from the paper's left and top edges, in points.
constexpr int32_t kLeftMargin = 55;
constexpr int32_t kTopMargin = 15;

// The number of layout fields of a layout kind; 0 for a kind without a layout.
int32_t layoutLength(int32_t kind) {
    switch (kind) {
    case 0: return 35;
    case 1: return 36;
    case 2: return 19;
    case 3: return 37;
    case 4: return 24;
    case 5: return 38;
    case 6: return 45;
    case 9: return 24;
    default: return 0;
    }
}

int32_t payrollYear() {
    const auto& settings = payrollContext().info;
    return settings ? static_cast<int32_t>(Utils::StrToNum(settings->PayYear())) : 0;
}

bool isLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// "MM/DD/YY" of a day of the payroll year counted from 0 (January 1).
std::string dayOfYear(int32_t day) {
    static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = isLeapYear(payrollYear());
    int32_t month = 0;
    while (month < 11) {
        const int32_t length = kDays[month] + (month == 1 && leap ? 1 : 0);
        if (day < length) break;
        day -= length;
        ++month;
    }
    return Utils::DateStr(month, day, 1);
}

// A month of a month range: 0 to 11, and 12 for January of the following year.
std::string monthName(int32_t month) {
    if (month == 12) return MONTHABBREV[0];
    if (month < 0 || month > 11) return "";
    return MONTHABBREV[static_cast<std::size_t>(month)];
}

std::string periodLine(REPDATA& request, int32_t periodKind) {
    const int32_t year = payrollYear();
    char text[64];
    if (periodKind == 1) {
        static constexpr const char* kQuarters[4] = {"1st Qtr ", "2nd Qtr ", "3rd Qtr ", "4th Qtr "};
        const int32_t quarter = request.Quarter();
        std::snprintf(text, sizeof text, "%s%d", quarter >= 0 && quarter <= 3 ? kQuarters[quarter] : "", year);
        return text;
    }
    if (periodKind != 0) return "";
    if (request.StartDate() >= 0) {
        std::string line = dayOfYear(request.StartDate());
        if (request.EndDate() != request.StartDate()) line += " - " + dayOfYear(request.EndDate());
        return line;
    }
    if (request.StartMonth() < 0) {
        request.setStartMonth(0);
        request.setEndMonth(0);
    }
    std::string line = monthName(request.StartMonth());
    if (request.EndMonth() != request.StartMonth()) line += "-" + monthName(request.EndMonth());
    // The year of the range's end: month 12 is January of the following year.
    const int32_t endYear = request.EndMonth() >= 12 ? year + 1 : year;
    std::snprintf(text, sizeof text, " %02d", ((endYear % 100) + 100) % 100);
    return line + text;
}

}  // namespace

void Report::CoHdr(int32_t periodKind) {
    if (TextFlag) return;
    const auto& settings = payrollContext().info;
    const auto& returns = payrollContext().info2;
    std::string company;
    if (settings && settings->TradeFlag() != 0)
        company = returns ? returns->trade() : std::string();
    else if (settings)
        company = settings->Name();
    Put(company, kHeaderColumn, kCentred);
    EndLine();
    Put(title, kHeaderColumn, kCentred);
    EndLine();
    Put(periodLine(*Rept, periodKind), kHeaderColumn, kCentred);
    EndLine();
}

PDF& Report::pageToDrawOn() {
    if (!pdf) pdf = std::make_unique<PDF>();
    // Text needs a font: the writer's standard sans-serif face at 10 points.
    if (pdf->FontFamily().empty()) pdf->SetFont("Helvetica", 10);
    if (!pageopen || !pdf->pageflag()) {
        pdf->AddPage();
        pageopen = true;
    }
    return *pdf;
}

void Report::Put(const std::string& text, int32_t index) {
    if (Prt.prterr) {
        stop = true;
        return;
    }
    const WX_FMTVAL* field = &fmtval;
    if (index >= 0) {
        if (index >= static_cast<int32_t>(fmt.Val.size())) return;
        field = &fmt.Val[static_cast<std::size_t>(index)];
    }
    if (field->noprint() != 0) return;

    PDF& writer = pageToDrawOn();
    const std::string shown = PDF::printableText(text);
    int32_t x = Utils::PixVal(field->pt().x + std::max(xOffset, 0), Prt.xRes);
    const int32_t y = Utils::PixVal(field->pt().y + std::max(yOffset, 0), Prt.yRes);
    if (field->rjust() != 0) x += Utils::PixVal(field->width(), Prt.xRes) - GetWidth(shown);
    writer.TextOut(x + Prt.xPaper + (pdfFlag != 0 ? 0 : kLeftMargin), y + Prt.yPaper + kTopMargin, shown);
    xPos = x + Prt.xPaper;
    yPos = y + Prt.yPaper;
    xEndPos = x + GetWidth(shown) + Prt.xPaper;
    stop = true;
}

int32_t Report::GetWidth(const std::string& text) {
    const int32_t columns = pdf ? pdf->CharWidth() : PDF().CharWidth();
    return static_cast<int32_t>(Utils::characterCount(text)) * columns;
}

int16_t Report::InchWidth(const std::string& text) {
    const int64_t units = Utils::InchVal(GetWidth(text), Prt.xRes);
    return static_cast<int16_t>(
        std::clamp<int64_t>(units, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

std::string Report::GetPrefix(const std::string& text) { return text.substr(0, text.find('-')); }

void Report::GetFormat(int32_t layoutCode, int32_t) {
    fmt.Val.clear();
    const int32_t length = layoutLength(Rept->wxtype());
    if (length == 0) return;
    std::vector<WX_FMTVAL> fields(static_cast<std::size_t>(length));
    fmt.Val = format().GetWXFmt(fields, layoutCode, false);
}

bool Report::Checks() {
    NumEmail = 0;
    needToWarnForTopCheck = false;
    needToWarnForBottomCheck = false;
    GetFormat(Rept->wxtype(), 0);
    PutChk(0);
    if (pdfFlag != 0) {
        pdf = std::make_unique<PDF>();
        pdf->SetFont("Helvetica", 10);
        Prt.xRes = pdf->xRes();
        Prt.yRes = pdf->yRes();
        Prt.CharWidth = pdf->CharWidth();
        Prt.LinePix = pdf->LinePix();
        pageopen = false;
    }
    if (pdfStub != 0 && pdf) return pdf->PutDoc(session().ControlledTempDir + "/" + kChecksPdfName);
    return true;
}

void Report::Put_vlong(int32_t index, int64_t cents) {
    Put_Str(-index, Utils::twoDecimals(static_cast<double>(cents) / 100.0));
}

void Report::Put_xyS(const std::string& text, int32_t index, int32_t dx, int32_t dy) {
    if (index < 0 || index >= static_cast<int32_t>(fmt.Val.size())) return;
    fmtval = AssignValue_Fmt(fmt.Val[static_cast<std::size_t>(index)]);
    fmtval.pt().x = static_cast<int16_t>(fmtval.pt().x + dx);
    fmtval.pt().y = static_cast<int16_t>(fmtval.pt().y + dy);
    Put(text, -1);
}

WX_FMTVAL Report::AssignValue_Fmt(const WX_FMTVAL& field) {
    return WX_FMTVAL(field.noprint(), field.rjust(), field.height(), field.width(), field.pt().x, field.pt().y);
}

void Report::Put_Str(int32_t, const std::string& text) {
    Put(text, -1);
    fmtval = AssignValue_Fmt(fmtval);
}

void Report::PutChk(int32_t) {
    GetFormat(Rept->wxtype(), Rept->reptnum1());
    if (!pdf) pdf = std::make_unique<PDF>();
    pdf->SetFont("Helvetica", 10);
    if (pdfFlag != 0) {
        Prt.xRes = pdf->xRes();
        Prt.yRes = pdf->yRes();
    } else {
        Prt.xRes = Prt.yRes = 72;
        pdf->setXRes(72);
        pdf->setYRes(72);
    }
    Prt.CharWidth = pdf->CharWidth();
    Prt.LinePix = pdf->LinePix();
    StubPrt(1, 1);
    stop = false;
}

std::string Report::RemoveWhitespaces(const std::string& text) {
    static constexpr const char* kBlank = " \t\n\r\f\v";
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

void Report::Locatesubview(const std::string& text, const Rect& rectangle) {
    PlacedText label;
    label.text = text;
    label.x = static_cast<int32_t>(std::lround(rectangle.x));
    label.y = static_cast<int32_t>(std::lround(rectangle.y));
    label.width = static_cast<int32_t>(std::lround(rectangle.width));
    label.height = static_cast<int32_t>(std::lround(rectangle.height));
    theTextView.texts.push_back(std::move(label));
}
