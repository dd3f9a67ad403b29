#pragma once

class QPrinter;
class QWidget;

// The program's one printer: page setup changes it, and every print run prints on it,
// so the paper and margins the user chose hold until the program ends.
QPrinter& applicationPrinter();

// The page setup dialog on that printer, run modally under the object name
// "PageSetupDialog". True when the user accepted it (the printer then has the choices).
bool runPageSetup(QWidget* parent);

inline constexpr const char* kPageSetupDialogName = "PageSetupDialog";
