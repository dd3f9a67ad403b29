#pragma once

class JobMeter;
class PrtReport;
class REPDATA;

// Draws one print request: makes the report object for the request's report number,
// opens it, runs the drawing of that number on it and closes it (which prints).
class rept {
public:
    // Nothing is drawn for a report number below 0 or above 11, nor for the summary
    // report, which its run writes line by line itself. False when the report was drawn
    // but not printed: the user cancelled the print dialog of a form run, or a report
    // could not be printed (the user was told why), or the user cancelled the drawing
    // in its progress window (then nothing was marked, written or printed). The run's
    // own progress window is given as meter; without one the report shows its own.
    bool DoReport(const REPDATA& request, JobMeter* meter = nullptr);
    // Runs the drawing of the request's report number on the report object; false when
    // a form run was drawn but not printed.
    bool ReprtMethod(const REPDATA& request, PrtReport& report);
    // After DoReport: the sheets of a form run were refused by the printer or the print
    // service (the user was told why), so the run they belong to stops.
    bool printFailed() const { return printFailed_; }

private:
    bool printFailed_ = false;
};
