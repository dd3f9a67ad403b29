#pragma once

#include <string>

class QWidget;

// The alert that confirms "Message successfully copied." with one OK button and the
// program's information image at icon size. The large form (welcome window) is an alert
// at least 500 wide. Untitled unless the caller names its window. Runs modally; object
// name "CopiedAlert".
enum class CopiedAlertForm { Compact, Large };
void showCopiedAlert(QWidget* parent, CopiedAlertForm form, const std::string& title = std::string());
