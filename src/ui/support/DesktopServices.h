#pragma once

#include <functional>
#include <string>

class QWidget;

// What the windows reach outside the process for: the clipboard, the web browser,
// the printer and the end of the process. Each goes through a replaceable function so
// that tests can stand in for it; an empty function restores the real service.

// Clears the clipboard and puts plain text on it; true when the clipboard then holds it.
bool copyTextToClipboard(const std::string& text);
void setClipboardWriter(std::function<bool(const std::string&)> writer);

// Opens a web address in the user's browser; false when it could not be handed over.
bool openAddress(const std::string& address);
void setAddressOpener(std::function<bool(const std::string&)> opener);

// Prints a plain text through the print dialog (letter pages fitted to the paper's
// width, margins left 80, right 100, top 0 and bottom 100 points). True when printed,
// false when the dialog was cancelled.
bool printText(QWidget* parent, const std::string& text);
void setTextPrinter(std::function<bool(QWidget*, const std::string&)> printer);

// Ends the process at once with the given status. Tests replace it to record the
// request; the replacement returns and the caller carries on.
void exitProcess(int status);
void setProcessExit(std::function<void(int)> exit);
