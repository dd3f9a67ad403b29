#pragma once

#include <string>
#include <vector>

#include "ui/support/Icons.h"

class QWidget;

// A warning alert of the database windows: an icon, a window title, a message, an
// informative text and the given buttons, the first one the default. The large form
// draws the icon at 261 × 250 and is at least 500 wide. Runs modally under the object
// name "DatabaseAlert"; returns the index of the pressed button, -1 when the alert was
// closed without one.
int runDatabaseAlert(QWidget* parent, IconKind icon, const std::string& title, const std::string& message,
                     const std::string& informative, const std::vector<std::string>& buttons, bool large);

inline constexpr const char* kDatabaseAlertName = "DatabaseAlert";
