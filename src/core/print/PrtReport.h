#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/print/LabelLayout.h"
#include "core/print/Report.h"

class RecipientAdditionalInfo;
class RecipientInfo;

// The object a print request is drawn on. For the two line reports, the summary report
// and the mailing labels, it writes text by lines or at label positions into the report
// PDF, breaks pages, and on Close writes "report.PDF" in the year's configuration
// folder, reads it back, deletes it and hands the document to the printer.
class PrtReport : public Report {
public:
    // Text alignment of Put.
    static constexpr int32_t kAlignLeft = 0;
    static constexpr int32_t kAlignRight = 1;
    static constexpr int32_t kAlignCenter = 2;
    // The job title of every report.
    static constexpr const char* kJobTitle = "Talvexa 1099 E-File 2025";

    // The page metrics follow the report number.
    explicit PrtReport(int32_t reptnum);

    int32_t pdfFlag1 = 0;   // non-zero: no report PDF, Open and Close only reset and end
    int32_t pdfStub1 = 0;   // zero: Open starts the first page

    int32_t reptnum() const { return reptnum_; }

    // Resets the counters and, with a report PDF, makes the writer (Helvetica at 8
    // points) and opens the first page. Always true.
    bool Open();
    // The text at the current line, at CharWidth × column points from the left, left,
    // right or centre aligned on that point.
    void Put(const std::string& text, int32_t column, int32_t alignment) override;
    using Report::Put;
    // Next line; at the foot of the page the page is finished.
    void EndLine() override;
    // Finishes the page (the summary report's with its footer); the next text starts a
    // new page at line 3.
    void FinishPage();
    // The summary report's footer on the open page (title, "Page n", the date), and the
    // page finished.
    void FinishPagesummary();
    // The text at x, y hundredths of an inch from the top left of the label sheet.
    void Put_Mailing(const std::string& text, int32_t x, int32_t y);
    // Ends the report: finishes the open page, writes the file, reads it back and
    // removes it, then prints the document. False when the file could not be written or
    // read back: the user has been told (naming the file and the reason) and nothing was
    // printed.
    bool Close();

    // The mailing labels of all recipients of the first selected payer, by the payer's
    // label settings (values that fail their checks replaced by the defaults).
    void Mailing();
    // The labels of the given recipients (additional data matched by key) by a layout.
    void Mailing(const LabelLayout& layout, const std::vector<RecipientInfo>& recipients,
                 const std::vector<RecipientAdditionalInfo>& additional);

    // The width in points of the text in the report font (Helvetica) at 10 points, from
    // the font's published metrics, at most 310.
    static double textWidth(const std::string& text);
    // The width in points of a text in the form font (Arial, whose widths are
    // Helvetica's) at a size, uncapped. A character beyond ASCII counts as wide as a
    // capital "O", so a text measured here never runs longer when printed.
    static double formTextWidth(const std::string& text, double size);

    // The clock the footer's date reads (local time); tests set a fixed one. An empty
    // function restores the system clock.
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    static void setClock(Clock clock);
    // Today as "MM/dd/yy" by that clock.
    static std::string footerDate();

private:
    void openPage();

    int32_t reptnum_;
};
