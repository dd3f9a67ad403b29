#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ui/support/Icons.h"

class QPixmap;
class QWidget;

class QMessageBox;

// The program's warning alert: an icon, a window title, a message, an informative text
// and the given buttons; the button at defaultButton (the first unless told) answers
// the Return key. The wide form is at least kWideAlertWidth wide.
// Runs modally under the object name "DatabaseAlert"; returns the index of the pressed
// button, -1 when the alert was closed without one.
int runDatabaseAlert(QWidget* parent, IconKind icon, const std::string& title, const std::string& message,
                     const std::string& informative, const std::vector<std::string>& buttons, bool wide,
                     size_t defaultButton = 0);

// Alerts draw their icon at the size of the message box's icons, whatever the length of
// their text: a large picture beside one line of text would dwarf the message.
inline constexpr int kAlertIconSize = 64;
inline constexpr int kWideAlertWidth = 500;
QPixmap alertIcon(IconKind kind);
// Makes an alert at least kWideAlertWidth wide. The alert lays itself out anew when its
// icon or informative text is set, so this comes after those.
void widenAlert(QMessageBox& alert);

inline constexpr const char* kDatabaseAlertName = "DatabaseAlert";
