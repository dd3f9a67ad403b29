#pragma once

#include <string>

// The program's own folder for what it writes before it knows where that goes (an
// e-file before the save panel, a print job before the print service has it): the
// folder "Scratch" in the year's configuration folder, readable by the user alone, so
// nothing with taxpayer numbers in it lies in the system's shared temporary folder.
// Each running copy of the program works in a folder of its own inside it, locked while
// that copy runs: start-up clears what copies that ended or were killed left, and never
// what a running copy is using.

// The scratch folder itself; empty while the configuration folder is not known.
std::string scratchFolder();

// This run's folder in it, made on first use; empty, with the reason, when it cannot be
// made.
std::string runScratchFolder(std::string& reason);

// Start-up: removes what no running copy of the program holds from the scratch folder.
// A scratch folder that is a link or not the user's is left alone, and the system log
// says so.
void clearScratchFolder();
