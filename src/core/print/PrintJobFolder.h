#pragma once

#include <optional>
#include <string>

struct PrintJob;

// Print jobs kept as files instead of printed: each job becomes "<n>-<job title>.pdf"
// in the folder, n one above the highest number already there (from 1), so jobs stand
// in the order they were printed and none replaces another. A "/" in the title becomes
// "_". The path written, or nothing with the system's reason.
std::optional<std::string> savePrintJob(const std::string& folder, const PrintJob& job, std::string& reason);
