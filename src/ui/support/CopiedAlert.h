#pragma once

class QWidget;

// The alert that confirms "Message successfully copied." with one OK button and the
// program's information image. The compact form (message box) shows the image at icon
// size; the large form (welcome window) shows it at 261 × 250 in an alert at least 500
// wide. Runs modally; object name "CopiedAlert".
enum class CopiedAlertForm { Compact, Large };
void showCopiedAlert(QWidget* parent, CopiedAlertForm form);
