#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/foundation/UserInterface.h"
#include "core/payroll/TaxTables.h"
#include "core/print/PDF.h"
#include "core/print/Printer.h"
#include "core/print/REPDATA.h"
#include "core/print/SheetModel.h"
#include "core/store/WX_FMTVAL.h"
#include "core/store/WX_FORMAT.h"

class JobMeter;

// The state every drawing of a print request works on: the line and page counters,
// whether a page is open, the page metrics and, for the line reports, the report PDF;
// for the forms, the layout being placed and the sheets composed. The older
// positioned-output and header methods of the payroll reports live in
// core/print/ReportLegacy.cpp.
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
    // Adds a plain label with the text to theTextView, the shared report view, in the
    // rectangle rounded to whole points; like every text of the view it is drawn in
    // the form font (SheetModel::kFontFamily, kFontSize).
    void Locatesubview(const std::string& text, const Rect& rectangle);
    // Older entry points of the payroll reports that have no effect; a report kind may
    // give Put1 one (PrtForm places a text at a moved point).
    virtual void Put1(const std::string&, int32_t, int32_t, int32_t) {}
    void MMRef() {}
    void PadRight(const std::string&, int32_t) {}
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

    // ---- form sheets ----
    // The job title of every form run.
    static constexpr const char* kFormJobTitle = "1099 Print";

    // fmt holds the layout of the form being drawn (index = field number), fmtval the
    // entry being placed, xOffset and yOffset the current form slot's place on the
    // sheet in hundredths of an inch.
    Sheet theTextView;    // the sheet being composed
    SheetModel sheets;    // the sheets composed so far, in printing order
    // The progress window of the run, when it has one: the drawing counts its forms or
    // labels there and stops at Cancel, which it answers until it marks or prints.
    JobMeter* meter = nullptr;
    // Through meter, when there is one: a step of the drawing with its number of items;
    // the items done, true when the user has cancelled; the commit (the marks or the
    // print) begins, so Cancel goes and the window closes before the print dialog.
    void meterStep(const std::string& text, std::size_t total);
    bool meterCancelled(std::size_t done);
    void meterCommit();

    // Starts a new, empty sheet.
    void LoadTextView();
    // Places one text on the sheet being composed by a layout entry (positions in
    // hundredths of an inch). Nothing for an entry marked not to print. Unless exact,
    // the text goes 5 left and 2 down of the entry's point; the slot offsets are added
    // (a negative one counts as 0); the point becomes whole points by × 72 / 100,
    // truncated. The frame is as many points wide as the text has characters plus the
    // entry's width taken as points, and 20 points high for each of its lines.
    void LocateSubview(const std::string& text, const WX_FMTVAL& entry, bool exact);
    // Adds the sheet being composed to the run's sheets.
    void MultiplePrintPages();

    // The drawing methods of the forms on pre-printed paper and of the 1096. Each lays
    // the request's recipients (every one with its own payer, entry i of theListBox2)
    // into the form slots of letter sheets by the payer's stored print layout, marks
    // every recipient placed printed and completed (both records, in one transaction
    // for the request), and hands the sheets as one job, "1099 Print", to the printer.
    // The 1096 draws one sheet for the first payer of the request and marks nothing.
    // The result is the job's; cancelled also when the user cancelled the drawing in its
    // progress window (then nothing was marked or printed).
    PrintResult Prt_MISC(const REPDATA& request);
    PrintResult Prt_DIV(const REPDATA& request);
    PrintResult Prt_INT(const REPDATA& request);
    PrintResult Prt_R(const REPDATA& request);
    PrintResult Prt_S(const REPDATA& request);
    PrintResult Prt_NEC(const REPDATA& request);
    PrintResult Prt_1096(const REPDATA& request);
    // The recipients' copies four to a sheet on plain paper: for each recipient selected
    // in the main window (read afresh, each with its own payer), one sheet with four
    // copies of its form at the built-in four-up layout's exact places over the form's
    // picture. Marks each recipient printed (not completed), both records, in one
    // transaction, and prints the sheets as one job.
    PrintResult Prt_4_up_MISC(const REPDATA& request);
    PrintResult Prt_4_up_INT(const REPDATA& request);
    PrintResult Prt_4_up_NEC(const REPDATA& request);

    // Hands the composed sheets to the printer as one job.
    PrintResult printSheets();

protected:
    // The PDF writer, made when missing, with a page open to draw on.
    PDF& pageToDrawOn();
};
