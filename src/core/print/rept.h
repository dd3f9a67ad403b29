#pragma once

#include "core/foundation/UserInterface.h"

class JobMeter;
class PrtReport;
class REPDATA;

// Draws one print request: makes the report object for the request's report number,
// opens it, runs the drawing of that number on it and closes it (which prints).
class rept {
public:
    // Nothing is drawn for a report number below 0 or above 11, nor for the summary
    // report, which its run writes line by line itself (both answer printed). The result
    // is the print job's: cancelled also when the user cancelled the drawing in its
    // progress window (then nothing was marked, written or printed), failed also when the
    // labels' report file could not be written or read back (the user was told why). The
    // run's own progress window is given as meter; without one the report shows its own.
    PrintResult DoReport(const REPDATA& request, JobMeter* meter = nullptr);
    // Runs the drawing of the request's report number on the report object.
    PrintResult ReprtMethod(const REPDATA& request, PrtReport& report);
};
