#pragma once

#include <string>

// The window layer's side of the payroll text reports: the text printer that core's
// report hook calls.
void installReportPrinting();

// Prints a text report through the print dialog: monospaced at 11 points, letter
// pages fitted to the paper's width, margins left 5, top 5, right and bottom 0 points,
// the job titled with the report's title. False when the dialog was cancelled.
bool printReportText(const std::string& title, const std::string& text);
