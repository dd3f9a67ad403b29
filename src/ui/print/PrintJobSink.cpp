#include "ui/print/PrintJobSink.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <optional>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPageLayout>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/ScratchFolder.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/PrintJobFolder.h"
#include "core/print/SheetModel.h"
#include "platform/FileSystem.h"
#include "platform/PrintService.h"
#include "ui/print/SheetPainter.h"
#include "ui/support/AtomicFileDevice.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"

namespace {

constexpr const char kProgramTitle[] = "Talvexa 1099 E-File 2025";

// Qt's own (undocumented) print engine property under which its CUPS engine keeps the
// options of the queue itself that the dialog's Properties set, as a list of names and
// values.
constexpr auto kCupsJobOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The queue's state message as a sentence after the program's own: ended by a full stop
// when it has no ending of its own. Empty when the queue gave none.
std::string stateSentence(const std::string& message) {
    const std::string sentence = textscan::asSentence(message);
    return sentence.empty() ? sentence : " " + sentence;
}

void cannotPrint(const std::string& title, const std::string& reason) {
    tvDatabase::tvMessageBox("\"" + title + "\" could not be printed.", reason, kMessageStyleOK, kProgramTitle,
                             kMessageImageError, false);
}

// The job was handed to a stopped queue: it waits there, and for forms the run ends
// before another paper is asked for, or the next copy's paper could take these forms.
void tellHeld(const std::string& title, const std::string& queue, const platform::QueueState& state, bool forms) {
    std::string text = "The print queue \"" + queue + "\" is stopped. The job waits in the queue and will print "
                       "when the queue is started again.";
    text += stateSentence(state.message);
    if (forms) text += std::string("\n\n") + kFormsHeld;
    tvDatabase::tvMessageBox("\"" + title + "\" is waiting in the print queue.", text, kMessageStyleOK, kProgramTitle,
                             kMessageImageMessage, false);
}

// Loads the document from memory; false when it is not a PDF that can be shown.
bool loadDocument(QPdfDocument& document, QBuffer& bytes) {
    bytes.open(QIODevice::ReadOnly);
    document.load(&bytes);
    if (document.status() == QPdfDocument::Status::Loading) {
        QEventLoop wait;
        QObject::connect(&document, &QPdfDocument::statusChanged, &wait, [&wait](QPdfDocument::Status status) {
            if (status != QPdfDocument::Status::Loading) wait.quit();
        });
        if (document.status() == QPdfDocument::Status::Loading) wait.exec();
    }
    return document.status() == QPdfDocument::Status::Ready;
}

std::function<void(int)>& pageDrawnHook() {
    static std::function<void(int)> hook;
    return hook;
}

// Turns a rendered page grey where it lies. Its paper stays transparent, so it shows the
// paper it is printed on (white) as the colour page does; a grey picture format keeps no
// transparency and would make that paper black. Done in place, the grey page costs the
// memory and the file room of the colour one: no second picture of the page is made,
// and the writer stores it the same way.
void turnGrey(QImage& image) {
    // The renderer gives ARGB32, which the writer takes as it is; converting it would
    // make the writer convert it back into a second picture.
    if (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            // The weights sum to 256: a premultiplied pixel's grey never exceeds its alpha.
            const int level = (77 * qRed(pixel) + 150 * qGreen(pixel) + 29 * qBlue(pixel) + 128) >> 8;
            line[x] = qRgba(level, level, level, qAlpha(pixel));
        }
    }
}

// Paints the pages first to last (from 0) on the device at its resolution, as grey
// pictures when asked; false with the reason when the device refuses a page. When the
// device writes into a file, that file is checked before each page is drawn: once it
// could not take what went before (a full disk), no further page is drawn and its
// reason is the reason.
bool paintPages(QPdfDocument& document, int first, int last, QPagedPaintDevice& device, bool grey,
                AtomicFileDevice* file, std::string& reason) {
    const int printerDpi = device.logicalDpiX();
    const int renderDpi = std::min(printerDpi, kMaxRenderDpi);
    QPainter painter;
    if (!painter.begin(&device)) {
        reason = file ? "The PDF file could not be started." : "The printer could not be started.";
        return false;
    }
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            reason = file ? "Page " + std::to_string(page + 1) + " could not be written to the file."
                          : "The printer refused page " + std::to_string(page + 1) + ".";
            painter.end();
            return false;
        }
        // Nothing more is drawn once the file could not take what went before (the page
        // before is all in it once the next one has begun).
        if (file && !file->writtenOut()) {
            reason = textscan::asSentence(file->error());
            painter.end();
            return false;
        }
        const QSizeF points = document.pagePointSize(page);
        const QSize pixels(qRound(points.width() * renderDpi / 72.0), qRound(points.height() * renderDpi / 72.0));
        QImage image = document.render(page, pixels);
        if (image.isNull()) {
            reason = "Page " + std::to_string(page + 1) + " could not be drawn.";
            painter.end();
            return false;
        }
        if (pageDrawnHook()) pageDrawnHook()(page + 1);
        // A PDF writer, unlike the printer, has no grey choice of its own: it takes the
        // picture's colours as they are, so a grey page is made grey here.
        if (grey) turnGrey(image);
        // The page at its own size from the paper's corner, whatever the render resolution.
        const QRectF target(0, 0, points.width() * printerDpi / 72.0, points.height() * printerDpi / 72.0);
        painter.drawImage(target, image);
    }
    return painter.end();
}

// The pages first to last (from 0) written into the file as a PDF while they are drawn,
// as on the printer: on its paper from the corner, at its resolution, grey when it
// prints grey. False with the reason when a page cannot be drawn or the file cannot take
// it; the pages after it are not drawn. The caller commits the file.
bool pagesAsPdf(QPdfDocument& document, int first, int last, const QPrinter& printer, AtomicFileDevice& file,
                std::string& reason) {
    QPdfWriter writer(&file);
    QPageLayout paper = printer.pageLayout();
    paper.setMode(QPageLayout::FullPageMode);
    writer.setPageLayout(paper);
    writer.setResolution(printer.resolution());
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    if (paintPages(document, first, last, writer, printer.colorMode() == QPrinter::GrayScale, &file, reason))
        return true;
    if (reason.empty()) reason = "The PDF file could not be finished.";
    return false;
}

using Options = platform::PrintOptions;

struct ChosenQueue {
    std::string queue;
    Options options;
};
ChosenQueue& chosenQueueOverride() {
    static ChosenQueue chosen;
    return chosen;
}

// The print queue the dialog chose, as "queue" or "queue/instance"; empty when the
// output goes to a file.
std::string chosenQueue(const QPrinter& printer) {
    if (!chosenQueueOverride().queue.empty()) return chosenQueueOverride().queue;
    if (printer.outputFormat() != QPrinter::NativeFormat) return {};
    return printer.printerName().toStdString();
}

const char* sidesOption(QPrinter::DuplexMode duplex) {
    switch (duplex) {
    case QPrinter::DuplexNone: return "one-sided";
    case QPrinter::DuplexShortSide: return "two-sided-short-edge";
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto: return "two-sided-long-edge";
    }
    return "one-sided";
}

// Sets an option, replacing an earlier value of the same name.
void setOption(Options& options, const std::string& name, const std::string& value) {
    for (auto& option : options)
        if (option.first == name) {
            option.second = value;
            return;
        }
    options.emplace_back(name, value);
}

// The options of the queue itself that the dialog and its Properties hold (paper source,
// page set, pages per side, banner pages, ...), as names and values. Qt keeps them with
// its print engine for the print service (CUPS), under its private key for them.
Options dialogQueueOptions(QPrinter& printer) {
    if (!chosenQueueOverride().queue.empty()) return chosenQueueOverride().options;
    Options options;
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.printEngine()) return options;
    const QStringList list = printer.printEngine()->property(kCupsJobOptionsProperty).toStringList();
    for (qsizetype i = 0; i + 1 < list.size(); i += 2)
        options.emplace_back(list[i].toStdString(), list[i + 1].toStdString());
    return options;
}

// A form run's paper: letter, portrait, whatever the dialog or its Properties said.
bool choosesPaper(const std::string& name) {
    static const char* const paper[] = {"media", "PageSize", "PageRegion", "orientation-requested", "landscape",
                                        "media-col"};
    return std::any_of(std::begin(paper), std::end(paper), [&](const char* p) { return name == p; });
}

// The options saved for the destination (an instance's tray, say), under every choice
// the dialog holds for the queue, as job options; no scaling.
Options jobOptions(QPrinter& printer, const platform::PrintDestination& destination, bool forms, int first, int last,
                   bool range) {
    Options options;
    auto add = [&](const Options& more) {
        for (const auto& [name, value] : more)
            if (!forms || !choosesPaper(name)) setOption(options, name, value);
    };
    add(platform::savedOptions(destination));
    setOption(options, "copies", std::to_string(std::max(1, printer.copyCount())));
    setOption(options, "collate", printer.collateCopies() ? "true" : "false");
    if (range) setOption(options, "page-ranges", std::to_string(first + 1) + "-" + std::to_string(last + 1));
    setOption(options, "sides", sidesOption(printer.duplex()));
    if (printer.pageOrder() == QPrinter::LastPageFirst) setOption(options, "outputorder", "reverse");
    if (forms) {
        setOption(options, "media", "na_letter_8.5x11in");
        setOption(options, "orientation-requested", "3");
    } else {
        const QPageLayout layout = printer.pageLayout();
        setOption(options, "media", layout.pageSize().key().toStdString());
        setOption(options, "orientation-requested", layout.orientation() == QPageLayout::Landscape ? "4" : "3");
    }
    add(dialogQueueOptions(printer));
    setOption(options, "print-scaling", "none");
    return options;
}

// The document goes to the queue as the file it is, with the dialog's choices as job
// options, so a long report neither becomes page pictures nor holds the window while
// they are drawn, and a refusal comes back with the print service's reason.
bool handToQueue(const std::string& queue, const std::string& title, const std::string& pdf,
                 const Options& options, std::string& reason) {
    // In the program's own scratch folder, not the system's shared one: a killed run
    // leaves no form with taxpayer numbers where others can read it, and the next start
    // clears it.
    const std::string folder = runScratchFolder(reason);
    if (folder.empty()) return false;
    QTemporaryFile file(QString::fromStdString(folder + "/talvexa-print-XXXXXX.pdf"));
    if (!file.open() || file.write(pdf.data(), static_cast<qint64>(pdf.size())) != static_cast<qint64>(pdf.size()) ||
        !file.flush()) {
        reason = "The document could not be written to a temporary file: " + file.errorString().toStdString();
        return false;
    }
    platform::PrintFileRequest request;
    request.queue = queue;
    request.path = file.fileName().toStdString();
    request.title = title;
    request.options = options;
    return platform::printFile(request, reason);
}

// Gives the printer its page setup back when a form run is done with it.
class FormPaper {
public:
    explicit FormPaper(QPrinter& printer)
        : printer_(printer), pageSetup_(printer.pageLayout()), fullPage_(printer.fullPage()) {
        apply();
    }
    ~FormPaper() {
        printer_.setPageLayout(pageSetup_);
        printer_.setFullPage(fullPage_);
    }
    FormPaper(const FormPaper&) = delete;
    FormPaper& operator=(const FormPaper&) = delete;
    // Letter, portrait, from the paper's corner.
    void apply() {
        printer_.setFullPage(true);
        printer_.setPageLayout(SheetPainter::letterPortrait());
    }

private:
    QPrinter& printer_;
    const QPageLayout pageSetup_;
    const bool fullPage_;
};

PrintResult printThroughDialog(QWidget* parent, const PrintJob& job) {
    static const SheetModel none;
    const bool forms = job.sheets != nullptr;
    const SheetModel& sheets = forms ? *job.sheets : none;
    QPrinter& printer = applicationPrinter();
    QByteArray bytes = QByteArray::fromStdString(job.pdf);
    QBuffer buffer(&bytes);
    QPdfDocument document;
    int pages = static_cast<int>(sheets.size());
    if (!forms) {
        if (!loadDocument(document, buffer) || document.pageCount() < 1) {
            cannotPrint(job.title, "The document to print could not be read.");
            return PrintResult::failed;
        }
        pages = document.pageCount();
    }
    std::optional<FormPaper> formPaper;
    if (forms) formPaper.emplace(printer);
    // Named before the dialog is made: its "Print to File" proposes the name it finds.
    printer.setDocName(QString::fromStdString(job.title));

    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QString::fromLatin1(kPrintDialogName));
    dialog.setWindowTitle(QCoreApplication::translate("PrintJobSink", "Print"));
    dialog.setMinMax(1, std::max(1, pages));
    printer.setPrintRange(QPrinter::AllPages);
    // The dialog hands its choices to the printer while it ends, so it runs through exec().
    if (runModalExec(&dialog) != QDialog::Accepted) return PrintResult::cancelled;
    // No sheets, no paper.
    if (forms && sheets.empty()) return PrintResult::printed;
    if (formPaper) formPaper->apply();

    int first = 0;
    int last = pages - 1;
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    if (range) {
        first = std::clamp(printer.fromPage() - 1, 0, last);
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() - 1 : last, first, last);
    }
    auto failed = [&](const std::string& reason) {
        cannotPrint(job.title, forms ? reason + "\n\n" + kFormsNotPrinted : reason);
        return PrintResult::failed;
    };
    // A form run's document: its sheets painted as a PDF, made when it is handed over whole.
    auto documentBytes = [&](std::string& pdf, std::string& reason) {
        if (!forms) {
            pdf = job.pdf;
            return true;
        }
        const QByteArray painted = SheetPainter::pdf(sheets, job.title, reason);
        pdf = painted.toStdString();
        return !painted.isEmpty();
    };
    // The pages chosen, each at its own size from the paper's corner as the printer would
    // take them, written into the file as they are drawn: a form run's sheets painted as
    // its whole document is, a report's pages drawn as on the printer.
    auto pagesIntoFile = [&](AtomicFileDevice& file, std::string& reason) {
        return forms ? SheetPainter::pdf(sheets, first, last, job.title, file, reason)
                     : pagesAsPdf(document, first, last, printer, file, reason);
    };

    std::string reason;
    if (const std::string chosen = chosenQueue(printer); !chosen.empty()) {
        // The document goes to the queue itself; an instance's name only chooses the
        // options saved for it.
        const platform::PrintDestination destination = platform::splitDestination(chosen);
        const std::string& queue = destination.queue;
        platform::QueueState state;
        if (!platform::queueState(queue, state, reason)) return failed(reason);
        if (!state.accepting) {
            return failed("The print queue \"" + queue + "\" is not accepting jobs." + stateSentence(state.message));
        }
        // The print service would turn the job away once it has it, and nothing would
        // be printed while the run went on as if it had been.
        if (!platform::queueTakesPdf(queue))
            return failed("The print queue \"" + queue + "\" cannot print this program's documents: it does not "
                          "take PDF. Choose another printer.");
        std::string pdf;
        if (!documentBytes(pdf, reason) ||
            !handToQueue(queue, job.title, pdf, jobOptions(printer, destination, forms, first, last, range), reason))
            return failed(reason);
        if (!state.stopped) return PrintResult::printed;
        tellHeld(job.title, queue, state, forms);
        return PrintResult::held;
    }
    // Printing to a file: the document, or the pages chosen of it, is the file. It is
    // written beside the file and takes its place only whole, so a disk that runs out of
    // room is named with the system's reason and a file of that name is kept. A range is
    // drawn straight into it, page by page: a long one would not fit in memory.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const std::string name = printer.outputFileName().toStdString();
        if (range) {
            AtomicFileDevice file(name);
            if (!file.ok()) return failed(textscan::asSentence(file.error()));
            if (!pagesIntoFile(file, reason)) return failed(reason);
            if (!file.commit()) return failed(textscan::asSentence(file.error()));
            return PrintResult::printed;
        }
        std::string pdf;
        if (!documentBytes(pdf, reason)) return failed(reason);
        if (platform::writeFileAtomically(name, pdf, &reason)) return PrintResult::printed;
        return failed(textscan::asSentence(reason));
    }
    // Otherwise the pages are drawn on the printer.
    bool drawn = false;
    if (forms) {
        QPainter painter;
        if (!painter.begin(&printer)) {
            reason = "The printer could not be started.";
        } else {
            drawn = SheetPainter::paint(sheets, first, last, painter, printer, reason);
            if (!painter.end() && drawn) {
                drawn = false;
                reason = "The printer did not take the document.";
            }
        }
    } else {
        // Pages are placed from the paper's corner; the page setup's margins are kept
        // for the other print runs.
        const bool fullPage = printer.fullPage();
        printer.setFullPage(true);
        // The printer greys the pages itself in its grey mode: they go to it in colour.
        drawn = paintPages(document, first, last, printer, false, nullptr, reason);
        printer.setFullPage(fullPage);
    }
    if (drawn) return PrintResult::printed;
    if (reason.empty()) reason = "The printer did not take the document.";
    return failed(reason);
}

// A form run's sheets painted into a PDF document in the print folder.
PrintResult saveSheets(const PrintJob& job, const char* folder) {
    // No sheets, no paper: an empty run leaves no file.
    if (job.sheets->empty()) return PrintResult::printed;
    std::string reason;
    PrintJob painted;
    painted.title = job.title;
    const QByteArray bytes = SheetPainter::pdf(*job.sheets, job.title, reason);
    if (!bytes.isEmpty()) {
        painted.pdf = bytes.toStdString();
        if (savePrintJob(folder, painted, reason)) return PrintResult::printed;
    }
    cannotPrint(job.title, reason + "\n\n" + kFormsNotPrinted);
    return PrintResult::failed;
}

}  // namespace

void setChosenPrintQueueForTests(const std::string& queue, std::vector<std::pair<std::string, std::string>> options) {
    chosenQueueOverride() = {queue, std::move(options)};
}

void setPageDrawnHookForTests(std::function<void(int)> drawn) { pageDrawnHook() = std::move(drawn); }

PrintResult printJob(QWidget* parent, const PrintJob& job) {
    const char* folder = std::getenv(kPrintFolderVariable);
    if (folder && !*folder) folder = nullptr;
    if (folder && job.sheets) return saveSheets(job, folder);
    if (folder) {
        std::string reason;
        if (savePrintJob(folder, job, reason)) return PrintResult::printed;
        cannotPrint(job.title, reason);
        return PrintResult::failed;
    }
    return printThroughDialog(parent, job);
}
