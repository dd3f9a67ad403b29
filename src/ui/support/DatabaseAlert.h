#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ui/support/Icons.h"

class QWidget;

// The program's warning alert: an icon, a window title, a message, an informative text
// and the given buttons; the button at defaultButton (the first unless told) answers
// the Return key. The large form draws the icon at 261 × 250 and is at least 500 wide.
// Runs modally under the object name "DatabaseAlert"; returns the index of the pressed
// button, -1 when the alert was closed without one.
int runDatabaseAlert(QWidget* parent, IconKind icon, const std::string& title, const std::string& message,
                     const std::string& informative, const std::vector<std::string>& buttons, bool large,
                     size_t defaultButton = 0);

inline constexpr const char* kDatabaseAlertName = "DatabaseAlert";
