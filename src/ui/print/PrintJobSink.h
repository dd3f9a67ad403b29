#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/foundation/UserInterface.h"

class QWidget;

// Prints a job on the program's one printer: the print dialog (run modally under the
// object name kPrintDialogName, the printer already carrying the job's name, so "Print
// to File" proposes it), then the job's document as chosen there. A form run's job
// carries its sheets instead of a document: its document is the sheets painted as a
// vector PDF (SheetPainter::pdf), on letter paper, portrait.
//
// A print queue that takes PDF receives the document file itself through the print
// service, with every choice the dialog holds for the queue as job options (copies,
// collation, page range, sides, page order and the queue's own options such as the
// paper source or page set) and no scaling; a form run's paper size and orientation
// stay letter and portrait whatever was chosen, or the texts would miss the
// pre-printed boxes. Printing to a file writes the document there. Otherwise (a queue
// without PDF, or a page range to a file) the print service is first asked whether the
// queue is there and accepting jobs, and the pages the user chose are drawn at their own
// size from the paper's top-left corner, unscaled and unrotated (a report's pages one
// at a time at the printer's resolution, at most kMaxRenderDpi).
//
// Printed, cancelled in the dialog, or failed: the queue or the print service refused
// the job, or it could not be made (the user is told why; for a form run, that the forms
// were not printed).
//
// When the environment variable kPrintFolderVariable names a folder, jobs are written
// there as "<n>-<job title>.pdf" instead, without a dialog, so the program can be run
// without a printer or a display (a form run's sheets painted into the PDF; a run
// without sheets writes nothing).
PrintResult printJob(QWidget* parent, const PrintJob& job);

// Tests: the print dialog's choice taken as this print queue with these options of its
// own (Qt offers no queue, nor its options, when no print service runs); an empty queue
// restores the dialog's own choice.
void setChosenPrintQueueForTests(const std::string& queue,
                                 std::vector<std::pair<std::string, std::string>> options = {});

inline constexpr const char* kPrintDialogName = "PrintDialog";
inline constexpr const char* kPrintFolderVariable = "TALVEXA_PRINT_DIR";
inline constexpr int kMaxRenderDpi = 600;
// What a form run's failure message adds to the reason.
inline constexpr const char* kFormsNotPrinted = "The forms were not printed, and the print run has stopped.";
