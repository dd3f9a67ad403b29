#include "core/print/PrtReport.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/ReportFiles.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/REPDATA.h"

namespace {

// Helvetica's advance widths (thousandths of the font size) for the printable ASCII
// characters " " to "~", in the font's standard encoding (where "'" and "`" are the
// right and left single quotes). The same on every machine: no platform font is asked.
constexpr int kHelveticaWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 222, 333, 333, 389, 584, 278, 333, 278, 278,  //  !"#$%&'()*+,-./
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0-9 :;<=>?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // @A-O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P-Z [\]^_
    222, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // `a-o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p-z {|}~

constexpr double kMeasureSize = 10.0;
constexpr double kMaxTextWidth = 310.0;

PrtReport::Clock& clockSlot() {
    static PrtReport::Clock clock;
    return clock;
}

// Reads the whole file, never through a link; false with the system's reason when it
// cannot.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bytes.clear();
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            reason = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

void reportFileFailure(const std::string& path, const std::string& doing, const std::string& reason) {
    tvDatabase::tvMessageBox("The report could not be printed.",
                             "Talvexa 1099 could not " + doing + " the report file \"" + path + "\": " + reason + ".",
                             kMessageStyleOK, PrtReport::kJobTitle, kMessageImageError, false);
}

}  // namespace

PrtReport::PrtReport(int32_t reptnum) : Report(reptnum), reptnum_(reptnum) {}

double PrtReport::textWidth(const std::string& text) {
    double units = 0;
    for (unsigned char c : text)
        if (c >= 32 && c <= 126) units += kHelveticaWidths[c - 32];
    const double width = units * kMeasureSize / 1000.0;
    return width > kMaxTextWidth ? kMaxTextWidth : width;
}

double PrtReport::formTextWidth(const std::string& text, double size) {
    constexpr int kWideLetter = 778;
    double units = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            units += c >= 32 && c <= 126 ? kHelveticaWidths[c - 32] : 0;
        else if ((c & 0xC0) != 0x80)   // the first byte of a character beyond ASCII
            units += kWideLetter;
    }
    return units * size / 1000.0;
}

void PrtReport::setClock(Clock clock) { clockSlot() = std::move(clock); }

std::string PrtReport::footerDate() {
    const auto now = clockSlot() ? clockSlot()() : std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%m/%d/%y", &local);
    return text;
}

bool PrtReport::Open() {
    PageNum = 0;
    LineNum = 0;
    pageopen = false;
    if (pdfFlag1 != 0) return true;
    if (!pdf) pdf = std::make_unique<PDF>();
    pdf->SetFont("Helvetica", 8);
    if (pdfStub1 == 0) openPage();
    return true;
}

void PrtReport::openPage() {
    if (!pdf) return;
    pdf->AddPage();
    pageopen = true;
}

void PrtReport::Put(const std::string& text, int32_t column, int32_t alignment) {
    if (!pageopen) openPage();
    if (!pdf) return;
    const std::string shown = PDF::printableText(text);
    double x = static_cast<double>(Prt.CharWidth) * column;
    if (alignment == kAlignCenter)
        x -= textWidth(shown) / 2;
    else if (alignment == kAlignRight)
        x -= textWidth(shown);
    int32_t left = static_cast<int32_t>(x);   // toward zero
    if (left < 0) left = 10;
    if (Prt.PageNum >= Prt.FirstPage) pdf->TextOut(left, (LineNum + 4) * Prt.LinePix, shown);
}

void PrtReport::EndLine() {
    ++LineNum;
    if (LineNum == Prt.LinesPerPage - 3) FinishPage();
}

void PrtReport::FinishPage() {
    if (reptnum_ == REPDATA::kSummaryReport && pageopen) {
        // Every page of the summary report carries its footer with its own number.
        FinishPagesummary();
    } else {
        Prt.ClosePage();
        pageopen = false;
    }
    LineNum = 3;
}

void PrtReport::FinishPagesummary() {
    LineNum = Prt.LinesPerPage - 2;
    Put(title, 5, kAlignLeft);
    ++PageNum;
    Put("Page " + std::to_string(PageNum), 40, kAlignCenter);
    Put(footerDate(), 68, kAlignRight);
    Prt.ClosePage();
    pageopen = false;
}

void PrtReport::Put_Mailing(const std::string& text, int32_t x, int32_t y) {
    if (!pageopen) openPage();
    if (!pdf) return;
    int64_t across = static_cast<int64_t>(x) * Prt.xRes / 100 + Prt.xMarg;
    if (across < 0) across = 10;
    const int64_t down = static_cast<int64_t>(y) * Prt.yRes / 100 + Prt.yMarg + Prt.Ascent + 25;
    if (Prt.PageNum >= Prt.FirstPage)
        pdf->TextOut(static_cast<int32_t>(across), static_cast<int32_t>(down), text);
}

bool PrtReport::Close() {
    if (pdfFlag1 != 0) return true;
    if (reptnum_ == REPDATA::kMailingLabels && pageopen) FinishPage();
    // The footer goes on the page still open; a report that ended right at a page
    // break has its last footer already.
    if (reptnum_ == REPDATA::kSummaryReport && pageopen) FinishPagesummary();
    if (!pdf) return false;

    const std::string path = session().ControlledTempDir + "/" + kReportPdfName;
    // Only the file's name goes, whatever it is now: never a folder's contents, nor what
    // a link there points to.
    const auto removeFile = [&path] { (void)::unlink(path.c_str()); };
    if (!pdf->PutDoc(path)) {
        reportFileFailure(path, "write", pdf->lastError());
        removeFile();
        return false;
    }
    PrintJob job;
    job.title = kJobTitle;
    std::string reason;
    const bool read = readWholeFile(path, job.pdf, reason);
    // Every recipient's name, address and amounts: the file goes as soon as its bytes are
    // in the job, not after the print dialog, which may stay open for any time.
    removeFile();
    if (!read) {
        reportFileFailure(path, "read back", reason);
        return false;
    }
    userInterface().print(job);
    return true;
}
