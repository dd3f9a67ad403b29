#pragma once

#include <string>

class QWidget;
struct PrintJob;

// Prints a job on the program's one printer: the print dialog (run modally under the
// object name kPrintDialogName), then the job's document as chosen there. A print queue
// that takes PDF receives the document file itself, with the dialog's copies, page
// range and sides as job options and no scaling; printing to a file copies the
// document there. Otherwise (a queue without PDF, or a page range to a file) the pages
// the user chose are drawn each at its own size from the paper's top-left corner,
// unscaled and unrotated, one page at a time at the printer's resolution (at most
// kMaxRenderDpi). True when printed; false when the user cancelled or the job could
// not be printed (the user is told why).
//
// A form run's job carries its sheets instead of a document: they are painted by
// SheetPainter, on the printer after the same dialog.
//
// When the environment variable kPrintFolderVariable names a folder, jobs are written
// there as "<n>-<job title>.pdf" instead, without a dialog, so the program can be run
// without a printer or a display (a form run's sheets painted into the PDF; a run
// without sheets writes nothing).
bool printJob(QWidget* parent, const PrintJob& job);

// Tests: the print dialog's choice taken as this print queue (Qt offers no queue when no
// print service runs); empty restores the dialog's own choice.
void setChosenPrintQueueForTests(const std::string& queue);

inline constexpr const char* kPrintDialogName = "PrintDialog";
inline constexpr const char* kPrintFolderVariable = "TALVEXA_PRINT_DIR";
inline constexpr int kMaxRenderDpi = 600;
