#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/payroll/TaxTables.h"
#include "core/print/PDF.h"
#include "core/print/Printer.h"
#include "core/print/REPDATA.h"
#include "core/store/WX_FMTVAL.h"
#include "core/store/WX_FORMAT.h"

// The state every drawing of a print request works on: the line and page counters,
// whether a page is open, the page metrics and, for the line reports, the report PDF.
// The older positioned-output and header methods of the payroll reports live in
// core/payroll/ReportLegacy.cpp.
class Report {
public:
    // A rectangle of the shared report view, in points.
    struct Rect {
        double x = 0, y = 0, width = 0, height = 0;
    };

    explicit Report(int32_t reptnum) : Prt(reptnum) {}
    virtual ~Report() = default;
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // The line writer of a report: the text at a column (alignment 0 left, 1 right,
    // 2 centred), and the end of the line. The report kinds write them their own way.
    virtual void Put(const std::string&, int32_t, int32_t) {}
    virtual void EndLine() {}

    // ---- older methods of the payroll reports ----

    // The three-line company header (company, title, period) through the line writer;
    // period kind 1 quarterly, 0 by months or dates. Nothing with TextFlag.
    void CoHdr(int32_t periodKind);
    // Draws the text at a layout field (fmtval for a negative index) through the PDF
    // writer; a field marked noprint, or an index outside the layout, draws nothing.
    void Put(const std::string& text, int32_t index);
    // The text's length times the PDF writer's CharWidth.
    int32_t GetWidth(const std::string& text);
    // The same in layout units.
    int16_t InchWidth(const std::string& text);
    // The part before the first "-", or the whole text.
    static std::string GetPrefix(const std::string& text);
    // Loads fmt with the layout of the code, sized by the request's layout kind.
    void GetFormat(int32_t layoutCode, int32_t ignored);
    // Prepares a check run; false when the check document could not be written.
    bool Checks();
    void Put_vlong(int32_t index, int64_t cents);
    void Put_xyS(const std::string& text, int32_t index, int32_t dx, int32_t dy);
    static WX_FMTVAL AssignValue_Fmt(const WX_FMTVAL& field);
    virtual void Put_Str(int32_t ignored, const std::string& text);
    // Sets up a check page: layout, font, resolutions, the stub.
    void PutChk(int32_t ignored);
    static std::string RemoveWhitespaces(const std::string& text);
    // Adds a label to the shared report view through the report label hook.
    void Locatesubview(const std::string& text, const Rect& rectangle);
    // Draws the check stub of the loaded layout; nothing unless a report kind draws one.
    virtual void StubPrt(int32_t, int32_t) {}

    int32_t LineNum = 0;    // current line
    int32_t PageNum = 0;    // pages whose footer has been written
    bool pageopen = false;  // a page of the writer is open
    Printer Prt;
    std::unique_ptr<PDF> pdf;
    std::string title;

    // The request the older methods read (layout kind and code, period, items).
    std::shared_ptr<REPDATA> Rept = std::make_shared<REPDATA>();
    bool stop = false;          // output suppressed
    bool comma = false;         // comma-separated instead of tab-separated
    bool TextFlag = false;      // no company header
    WX_FORMAT fmt;
    WX_FMTVAL fmtval;
    int32_t pdfFlag = 0;
    int32_t pdfStub = 0;
    int32_t xOffset = 0, yOffset = 0;
    int32_t xPos = 0, yPos = 0, xEndPos = 0;
    int32_t NumEmail = 0;
    bool needToWarnForTopCheck = false;
    bool needToWarnForBottomCheck = false;
    bool ptint_flag = false;    // Close prints the text report
    int32_t alert = 0;
    bool oe4flag = false;
    int64_t DebTot = 0, CredTot = 0;
    bool firstline = true;
    int32_t NumPeach = 0, PeachPass = 1, Peach3Count = 0;
    std::string postDate, ss, postDoc, Range, ChkName;
    // Made with every report; nothing reads them.
    std::shared_ptr<EMPTAX> EmpTax = std::make_shared<EMPTAX>();
    std::shared_ptr<WAGEDATA> WageData = std::make_shared<WAGEDATA>();

protected:
    // The PDF writer, made when missing, with a page open to draw on.
    PDF& pageToDrawOn();
};
