#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/payroll/TaxHolders.h"
#include "core/print/FileWrap.h"
#include "core/print/PrtReport.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/WX_FORMAT.h"

// A form writer that places texts on the lines of PDF pages and at layout points.
class PrtForm : public PrtReport {
public:
    PrtForm() : PrtReport(-1) {}

    // The text on the current line at x points (alignment 1: its right edge there,
    // 2: centred), measured in Helvetica at 10 points. A page is opened when none is;
    // nothing is drawn before the printer's first page.
    void Put(const std::string& text, int32_t x, int32_t alignment) override;
    using Report::Put;
    // Moves point 0 by (dx, dy) and draws the text at the layout field flag (fmtval for
    // a negative one).
    void Put1(const std::string& text, int32_t dx, int32_t dy, int32_t flag) override;
    // The text at fmtval moved right by column × 730 / 89 layout units (a negative
    // column first moves it left by the text's width); fmtval is then cleared.
    void Put_Str(int32_t column, const std::string& text) override;
    // fmtval one printer line lower.
    void NextLine();

    std::vector<std::shared_ptr<POINT>> thePoint;   // entry 0 is the current point
    ComapnyInfo theCompanyInfo;
    int32_t numberOfIncomes = 0, numberOfDeductions = 0, numberOfAccruals = 0;
    int64_t scriptSize = 0;
    void* scriptPtr = nullptr;
    int32_t AddZeroToFieldName = 0, typeOfBestViewForm = 0;
    WX_FORMAT theFormat;
    FileWrap FdfFile;
};
