#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/print/PDF.h"
#include "core/print/Printer.h"
#include "core/print/SheetModel.h"
#include "core/store/WX_FMTVAL.h"
#include "core/store/WX_FORMAT.h"

class REPDATA;

// The state every drawing of a print request works on: the line and page counters,
// whether a page is open, the page metrics and, for the line reports, the report PDF;
// for the forms, the layout being placed and the sheets composed.
class Report {
public:
    explicit Report(int32_t reptnum) : Prt(reptnum) {}
    virtual ~Report() = default;
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    int32_t LineNum = 0;    // current line
    int32_t PageNum = 0;    // pages whose footer has been written
    bool pageopen = false;  // a page of the writer is open
    Printer Prt;
    std::unique_ptr<PDF> pdf;
    std::string title;

    // ---- form sheets ----
    // The job title of every form run.
    static constexpr const char* kFormJobTitle = "1099 Print";

    WX_FORMAT fmt;        // the layout of the form being drawn, index = field number
    WX_FMTVAL fmtval;     // the layout entry being placed
    int32_t xOffset = 0;  // the current form slot's place on the sheet, hundredths of an inch
    int32_t yOffset = 0;
    Sheet theTextView;    // the sheet being composed
    SheetModel sheets;    // the sheets composed so far, in printing order

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
    // True when the job was printed (false also when the user cancelled the print).
    bool Prt_MISC(const REPDATA& request);
    bool Prt_DIV(const REPDATA& request);
    bool Prt_INT(const REPDATA& request);
    bool Prt_R(const REPDATA& request);
    bool Prt_S(const REPDATA& request);
    bool Prt_NEC(const REPDATA& request);
    bool Prt_1096(const REPDATA& request);

    // Hands the composed sheets to the printer as one job; true when printed.
    bool printSheets();
};
