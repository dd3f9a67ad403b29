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
// Whether a browser took it is known only when the opener (xdg-open) ends, which the
// window does not wait for: when it then reports a failure, `failedLater` runs on the
// main thread. Tests replace the opener; its answer is final.
bool openAddress(const std::string& address, std::function<void()> failedLater = {});
void setAddressOpener(std::function<bool(const std::string&)> opener);

// Opens the address, and when no browser takes it (at once or when the opener ends)
// shows the box "Unable to open the web browser." with the details (which give the
// address) under the title; its Copy button copies the address alone.
void openAddressOrExplain(const std::string& address, const std::string& details, const std::string& title);

// Prints a plain text through the print dialog (letter pages fitted to the paper's
// width, margins left 80, right 100, top 0 and bottom 100 points). True when printed,
// false when the dialog was cancelled or the PDF file chosen there could not be written
// (the user is told why; a file of that name is kept as it was).
bool printText(QWidget* parent, const std::string& text);
void setTextPrinter(std::function<bool(QWidget*, const std::string&)> printer);

// Ends the process at once with the given status. Tests replace it to record the
// request; the replacement returns and the caller carries on.
void exitProcess(int status);
void setProcessExit(std::function<void(int)> exit);
