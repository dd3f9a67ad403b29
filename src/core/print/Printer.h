#pragma once

#include <cstdint>

// Page metrics of a line report, chosen by the report number of the request the report
// is made for: the summary report (8) writes 65 lines of 11 points a page, the mailing
// labels (9) place their lines in hundredths of an inch.
class Printer {
public:
    struct Rect {
        double top = 0, left = 0, bottom = 0, right = 0;
    };

    explicit Printer(int32_t reptnum = -1);

    // Counts the finished page; beyond LastPage it sets prterr.
    void ClosePage();

    int32_t CharWidth = 59;     // points per text column
    int32_t LinesPerPage = 0;
    int32_t LinePix = 10;       // points per line
    int32_t xRes = 72, yRes = 72;
    int32_t xMarg = 6, yMarg = 6;
    int32_t xPaper = 0, yPaper = 0;   // paper offsets of positioned output, points
    int32_t Ascent = 9;
    int32_t PageNum = 1;        // pages finished so far plus one
    int32_t FirstPage = 1, LastPage = 32000;
    bool prterr = false;
    Rect pageRect{0, 0, 767.88, 587.88};
    int32_t LineInch = 0;       // hundredths of an inch
    int32_t BottomInch = 0;     // hundredths of an inch
};
