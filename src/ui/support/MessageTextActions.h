#pragma once

// The Print and Copy buttons of windows that show a message text (message boxes, the
// welcome window): the same preview, the same clipboard and the same advice when the
// clipboard refuses.

#include <string>

#include "ui/support/CopiedAlert.h"

class QWidget;

// Shows text in the print preview, modally.
void printMessageText(QWidget* parent, const std::string& text);

// Copies text to the clipboard and confirms it with the copied alert of the given form.
// When the clipboard refuses, a message box titled failureTitle says how to clear it.
void copyMessageText(QWidget* parent, const std::string& text, CopiedAlertForm form,
                     const std::string& failureTitle);
