#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/print/PDF.h"
#include "core/print/Printer.h"

// The state every drawing of a print request works on: the line and page counters,
// whether a page is open, the page metrics and, for the line reports, the report PDF.
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
};
