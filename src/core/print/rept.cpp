#include "core/print/rept.h"

#include "core/print/PrtReport.h"
#include "core/print/REPDATA.h"

bool rept::DoReport(const REPDATA& request) {
    const int32_t number = request.reptnum();
    if (number < 0 || number > REPDATA::kLastReport) return true;
    PrtReport report(number);
    // Only the labels go through the report PDF; the forms are drawn on sheets.
    if (number != REPDATA::kMailingLabels) report.pdfFlag1 = 1;
    report.title.clear();
    if (!report.Open()) return true;
    ReprtMethod(request, report);
    return report.Close();
}

void rept::ReprtMethod(const REPDATA& request, PrtReport& report) {
    switch (request.reptnum()) {
    case REPDATA::kMailingLabels:
        report.Mailing();
        break;
    default:
        // The forms and the 1096 are drawn by the form print runs; the summary report
        // is written by its own run.
        break;
    }
}
