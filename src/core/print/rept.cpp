#include "core/print/rept.h"

#include <optional>

#include "core/foundation/JobMeter.h"
#include "core/print/PrtReport.h"
#include "core/print/REPDATA.h"

PrintResult rept::DoReport(const REPDATA& request, JobMeter* meter) {
    const int32_t number = request.reptnum();
    if (number < 0 || number > REPDATA::kLastReport) return PrintResult::printed;
    PrtReport report(number);
    // Only the labels go through the report PDF; the forms are drawn on sheets.
    if (number != REPDATA::kMailingLabels) report.pdfFlag1 = 1;
    report.title.clear();
    if (!report.Open()) return PrintResult::printed;
    std::optional<JobMeter> own;
    if (!meter) meter = &own.emplace("Print", true);
    report.meter = meter;
    const PrintResult result = ReprtMethod(request, report);
    if (meter->cancelled()) return PrintResult::cancelled;
    // The report file is written and printed now (the form runs have printed already).
    meter->commitPoint();
    meter->finish();
    return report.Close() ? result : PrintResult::failed;
}

PrintResult rept::ReprtMethod(const REPDATA& request, PrtReport& report) {
    switch (request.reptnum()) {
    case REPDATA::kMisc: return report.Prt_MISC(request);
    case REPDATA::k1096: return report.Prt_1096(request);
    case REPDATA::kInt: return report.Prt_INT(request);
    case REPDATA::kS: return report.Prt_S(request);
    case REPDATA::kDiv: return report.Prt_DIV(request);
    case REPDATA::kR: return report.Prt_R(request);
    case REPDATA::kNec: return report.Prt_NEC(request);
    case REPDATA::kMailingLabels:
        report.Mailing();
        return PrintResult::printed;
    case REPDATA::kMisc4Up: return report.Prt_4_up_MISC(request);
    case REPDATA::kInt4Up: return report.Prt_4_up_INT(request);
    case REPDATA::kNec4Up: return report.Prt_4_up_NEC(request);
    default:
        // The summary report is written by its own run.
        return PrintResult::printed;
    }
}
