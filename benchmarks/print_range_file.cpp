// A page range of a report printed to a PDF file through the print dialog: each page
// drawn as a picture on the printer's paper (letter, at most 600 dots to the inch) and
// written into the file as it is drawn. Ranges of 2 and 100 pages of a 100-page summary
// report, each run in a process of its own, timed from the print command to the file
// in place; the 2-page range also in grey (grey=1), whose pages are made grey as they
// are drawn. The peak memory (peakMiB; baseMiB before the run) must not grow with the
// range, nor with the grey choice: it is that of the one page being drawn (its pictures
// at 600 dots to the inch), so the peaks stay within a few MiB of each other.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QDialog>
#include <QPrinter>

#include "AnsweringUserInterface.h"
#include "OffscreenMain.h"
#include "OwnProcess.h"
#include "core/foundation/Session.h"
#include "core/print/PDF.h"
#include "platform/FileSystem.h"
#include "ui/print/PrintJobSink.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"

namespace {

constexpr int kReportPages = 100;

// A summary report's pages: a heading and fifty lines of recipients and amounts each.
std::string reportDocument(const std::string& folder) {
    PDF pdf;
    pdf.SetFont("Helvetica", 9);
    for (int page = 1; page <= kReportPages; ++page) {
        pdf.AddPage();
        pdf.TextOut(40, 40, "Summary Report of Payer 00 - page " + std::to_string(page));
        pdf.LineOut(40, 50, 572, 50);
        for (int line = 0; line < 50; ++line) {
            const int n = page * 50 + line;
            pdf.TextOut(40, 70 + line * 13,
                        "Recipient " + std::to_string(n) + "   Apt " + std::to_string(n % 97) +
                            " 1200 Long Street Name, Springfield IL 62701   1099-NEC   " +
                            std::to_string(1000 + n % 9000) + ".00");
        }
    }
    const std::string path = folder + "/report.pdf";
    std::string bytes;
    if (!pdf.PutDoc(path) || !platform::readFile(path, bytes)) std::abort();
    return bytes;
}

void BM_ReportRangeToFile(benchmark::State& state) {
    const int pages = static_cast<int>(state.range(0));
    const bool grey = state.range(1) != 0;
    char pattern[] = "/tmp/talvexa-bench-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string output = folder + "/range.pdf";
    bench::AnsweringUserInterface ui;
    PrintJob job;
    bench::timeInOwnProcesses(
        state,
        [&] {
            resetSession();
            session().ui = &ui;
            session().ControlledTempDir = folder;
            job.title = "Summary Report";
            job.pdf = reportDocument(folder);
            return true;
        },
        [&] {
            // The dialog answered as a user prints pages 1 to `pages` to a file.
            ScopedModalResponder responder([&](QWidget& dialog) {
                qobject_cast<QDialog*>(&dialog)->accept();
                QPrinter& printer = applicationPrinter();
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(QString::fromStdString(output));
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(1, pages);
                printer.setColorMode(grey ? QPrinter::GrayScale : QPrinter::Color);
            });
            return printJob(nullptr, job) == PrintResult::printed;
        });
    std::error_code error;
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = double(std::filesystem::file_size(output, error)) / 1e6;
    std::filesystem::remove_all(folder, error);
}
BENCHMARK(BM_ReportRangeToFile)
    ->ArgNames({"pages", "grey"})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Args({100, 0})
    ->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

int main(int argc, char** argv) { return bench::runOffscreen(argc, argv); }
