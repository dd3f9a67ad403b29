#pragma once

#include <functional>
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
// The dialog's print queue (for "queue/instance", the queue, with the options saved for
// the instance under the dialog's own choices) is first asked whether it is there,
// accepting jobs and able to take PDF; if not, the user is told why and nothing goes
// to it. It then receives the document file itself through the print service, with
// every choice the dialog holds for the queue as job options (copies, collation, page
// range, sides, page order and the queue's own options such as the paper source or page
// set) and no scaling; a form run's paper size and orientation stay letter and portrait
// whatever was chosen, or the texts would miss the pre-printed boxes. A stopped queue
// keeps the job until it is started again: the user is told so. Printing to a file
// writes the document there, each page at its own size from the paper's top-left corner,
// unscaled and unrotated, under a temporary name beside the file that takes its place
// only whole (platform::AtomicFileWriter). The whole document is written as it is (a
// form run's sheets painted first); a page range is drawn straight into the file page by
// page, so that memory stays the same however long the range (a form run's sheets
// painted as its whole document is; a report's pages drawn one at a time on the
// printer's paper at its resolution, at most kMaxRenderDpi, grey when the dialog chose
// grey). When the file cannot take it (a full disk, say), no further page is drawn, a
// file of that name stays as it was and the system's reason is told.
//
// Printed, cancelled in the dialog, held in a stopped queue, or failed: the queue or the
// print service refused the job, or it could not be made or written (the user is told
// why; for a form run, that the forms were not printed).
//
// When the environment variable kPrintFolderVariable names a folder, jobs are written
// there as "<n>-<job title>.pdf" instead, without a dialog, so the program can be run
// without a printer or a display (a form run's sheets painted into the PDF; a run
// without sheets writes nothing).
PrintResult printJob(QWidget* parent, const PrintJob& job);

// Tests: the print dialog's choice taken as this print queue ("queue" or
// "queue/instance") with these options of its own set in the dialog (Qt offers no queue,
// nor its options, when no print service runs); an empty queue restores the dialog's own
// choice.
void setChosenPrintQueueForTests(const std::string& queue,
                                 std::vector<std::pair<std::string, std::string>> options = {});

// Tests: called with the number (from 1) of each page of a report drawn as a picture for
// the printer or a file; an empty function ends it.
void setPageDrawnHookForTests(std::function<void(int)> drawn);

inline constexpr const char* kPrintDialogName = "PrintDialog";
inline constexpr const char* kPrintFolderVariable = "TALVEXA_PRINT_DIR";
inline constexpr int kMaxRenderDpi = 600;
// What a form run's failure message adds to the reason.
inline constexpr const char* kFormsNotPrinted = "The forms were not printed, and the print run has stopped.";
// What a form run's message adds when its forms wait in a stopped queue.
inline constexpr const char* kFormsHeld =
    "The print run stops here, so that no other paper is asked for while these forms wait. Print the further "
    "copies once these have come out.";
