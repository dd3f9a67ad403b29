#pragma once

// The documents the print runs write in the year's configuration folder, read back and
// remove at once: every recipient's name, address and amounts. Start-up removes one that
// a killed run left.
inline constexpr const char kReportPdfName[] = "report.PDF";
inline constexpr const char kChecksPdfName[] = "Checks.PDF";
