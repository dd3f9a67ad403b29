// The window layer's print sink: jobs written into the print folder when one is named,
// and otherwise the print dialog on the program's printer with every page of the job
// printed at its own size.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>

#include "FileSizeLimit.h"
#include "KeptPdf.h"
#include "Leftovers.h"
#include "ReadyQueue.h"
#include "ReportPdfReader.h"
#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "WithoutFileOverride.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/print/DisplayPDF.h"
#include "core/print/PDF.h"
#include "core/print/ReportFixture.h"
#include "core/print/SheetModel.h"
#include "platform/FileSystem.h"
#include "platform/PrintService.h"
#include "platform/ReplacementNotes.h"
#include "ui/KilledWindowRun.h"
#include "ui/PrintDialogAnswers.h"
#include "ui/print/PrintJobSink.h"
#include "ui/print/SheetPainter.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"
#include "ui/support/QtUserInterface.h"

namespace {

// A PDF's bytes without its "/CreationDate (...)" entry, which names the second it was made.
std::string withoutCreationDate(std::string pdf) {
    const auto at = pdf.find("/CreationDate (");
    if (at == std::string::npos) return pdf;
    const auto end = pdf.find(')', at);
    return pdf.erase(at, end == std::string::npos ? std::string::npos : end + 1 - at);
}

std::string pdfInfo(const std::string& path) {
    const auto info = reportpdf::runTool("pdfinfo " + reportpdf::quoted(path));
    EXPECT_EQ(info.status, 0) << info.output;
    return info.output;
}

std::string read(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(platform::readFile(path, bytes)) << path;
    return bytes;
}

// Chooses the pages from..to in the print dialog.
void choosePages(QWidget& dialog, int from, int to) {
    auto* range = dialog.findChild<QRadioButton*>(QStringLiteral("printRange"));
    auto* first = dialog.findChild<QSpinBox*>(QStringLiteral("from"));
    auto* last = dialog.findChild<QSpinBox*>(QStringLiteral("to"));
    ASSERT_TRUE(range && first && last) << "the dialog's page range fields";
    range->setChecked(true);
    first->setValue(from);
    last->setValue(to);
}

class PrintSinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        scripted = std::make_unique<ScriptedUserInterface>();
        unsetenv(kPrintFolderVariable);
        session().ControlledTempDir = home.file("config");
        std::filesystem::create_directories(session().ControlledTempDir);
    }
    void TearDown() override {
        unsetenv(kPrintFolderVariable);
        setChosenPrintQueueForTests("");
        platform::setPrintService({});
        EXPECT_TRUE(scripted->allAnswersUsed());
        scripted.reset();
        resetSession();
    }

    // A finished report document of the given number of pages.
    PrintJob job(int pages, const std::string& title = "Talvexa 1099 E-File 2025") {
        PDF pdf;
        pdf.SetFont("Helvetica", 8);
        for (int p = 1; p <= pages; ++p) {
            pdf.AddPage();
            pdf.TextOut(30, 44, "Page " + std::to_string(p) + " of the job");
            // A bar at a height of its own tells the page apart once it is printed as an image.
            pdf.SetLineWidth(20);
            pdf.LineOut(100, 100 * p, 500, 100 * p);
            pdf.SetLineWidth(1);
        }
        const std::string path = home.file("job.pdf");
        EXPECT_TRUE(pdf.PutDoc(path));
        PrintJob made;
        made.title = title;
        EXPECT_TRUE(platform::readFile(path, made.pdf));
        return made;
    }

    // The heights (in points, by hundreds) at which the printed page of a PDF file has
    // a bar: the numbers of the job's pages printed on it.
    static std::vector<int> barsOnPage(const std::string& path, int page) {
        const std::string image = home_tmp() + "/page";
        reportpdf::runTool("pdftoppm -r 72 -gray -f " + std::to_string(page) + " -l " + std::to_string(page) +
                           " -singlefile " + reportpdf::quoted(path) + " " + reportpdf::quoted(image));
        std::string pgm;
        EXPECT_TRUE(platform::readFile(image + ".pgm", pgm));
        int width = 0, height = 0, depth = 0, header = 0;
        std::sscanf(pgm.c_str(), "P5 %d %d %d%n", &width, &height, &depth, &header);
        std::vector<int> bars;
        for (int k = 1; k * 100 < height; ++k)
            if (static_cast<unsigned char>(pgm[header + 1 + k * 100 * width + 300]) < 128) bars.push_back(k);
        return bars;
    }
    static std::string home_tmp() { return std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp"; }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    QtUserInterface sink;
};

TEST_F(PrintSinkTest, APrintFolderReceivesEachJobAsANumberedFile) {
    const std::string folder = home.file("printed");
    std::filesystem::create_directories(folder);
    setenv(kPrintFolderVariable, folder.c_str(), 1);

    const PrintJob first = job(2);
    EXPECT_EQ(sink.print(first), PrintResult::printed);
    EXPECT_EQ(sink.print(job(1, "Labels/Acme")), PrintResult::printed);

    const std::string one = folder + "/1-Talvexa 1099 E-File 2025.pdf";
    const std::string two = folder + "/2-Labels_Acme.pdf";
    ASSERT_TRUE(platform::fileExists(one));
    ASSERT_TRUE(platform::fileExists(two));
    EXPECT_EQ(read(one), first.pdf);
    const std::string kept = testoutput::keepPdf(read(one));
    EXPECT_NE(pdfInfo(kept).find("Pages:           2\n"), std::string::npos);
    testoutput::keepPdf(read(two));
    EXPECT_TRUE(scripted->shown().empty());
}

TEST_F(PrintSinkTest, APrintFolderThatCannotBeWrittenIsReported) {
    setenv(kPrintFolderVariable, home.file("missing").c_str(), 1);
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(sink.print(job(1)), PrintResult::failed);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    const MessageBoxRequest box = scripted->boxes()[0];
    EXPECT_EQ(box.caption, "\"Talvexa 1099 E-File 2025\" could not be printed.");
    EXPECT_NE(box.details.find(home.file("missing")), std::string::npos) << box.details;
    EXPECT_EQ(box.style, kMessageStyleOK);
    EXPECT_EQ(box.image, kMessageImageError);
}

TEST_F(PrintSinkTest, ThePrintDialogPrintsEveryPageAtItsOwnSize) {
    const std::string output = home.file("printer output.pdf");
    QPrinter& printer = applicationPrinter();
    int dialogs = 0;
    ScopedModalResponder responder([&](QWidget& w) {
        ++dialogs;
        EXPECT_EQ(w.objectName().toStdString(), kPrintDialogName);
        auto* dialog = qobject_cast<QPrintDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        printToFile(w, output);
        dialog->accept();
    });
    EXPECT_EQ(sink.print(job(3)), PrintResult::printed);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(printer.docName().toStdString(), "Talvexa 1099 E-File 2025");
    ASSERT_TRUE(platform::fileExists(output));
    const std::string kept = testoutput::keepPdf(read(output));
    const std::string info = pdfInfo(kept);
    EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info;
    // Each page stands where the job put it: its bar 100 points down for each number.
    for (int page = 1; page <= 3; ++page) EXPECT_EQ(barsOnPage(kept, page), std::vector<int>{page});
    // The page setup's choice of margins is left as it was.
    EXPECT_FALSE(printer.fullPage());
    printer.setOutputFileName(QString());
}

TEST_F(PrintSinkTest, APageRangeChosenInTheDialogPrintsThosePages) {
    const std::string output = home.file("range.pdf");
    QPrinter& printer = applicationPrinter();
    ScopedModalResponder responder([&](QWidget& w) {
        printToFile(w, output);
        auto* to = w.findChild<QSpinBox*>(QStringLiteral("to"));
        ASSERT_NE(to, nullptr);
        EXPECT_EQ(to->maximum(), 4);
        choosePages(w, 2, 3);
        qobject_cast<QDialog*>(&w)->accept();
    });
    EXPECT_EQ(sink.print(job(4)), PrintResult::printed);
    const std::string kept = testoutput::keepPdf(read(output));
    EXPECT_NE(pdfInfo(kept).find("Pages:           2\n"), std::string::npos);
    EXPECT_EQ(barsOnPage(kept, 1), std::vector<int>{2});
    EXPECT_EQ(barsOnPage(kept, 2), std::vector<int>{3});
    printer.setOutputFileName(QString());
}

TEST_F(PrintSinkTest, ACancelledPrintDialogPrintsNothing) {
    const std::string output = home.file("not printed.pdf");
    QPrinter& printer = applicationPrinter();
    ScopedModalResponder responder([&](QWidget& w) {
        printToFile(w, output);
        qobject_cast<QDialog*>(&w)->reject();
    });
    EXPECT_EQ(sink.print(job(1)), PrintResult::cancelled);
    EXPECT_FALSE(platform::fileExists(output));
    printer.setOutputFileName(QString());
}

// A stand-in print queue: whether it takes PDF, and every job handed to it with the
// bytes of its file as they were when handed over.
struct QueueJob {
    platform::PrintFileRequest request;
    std::string bytes;
};

// A queue's job options as names and values.
using Options = std::vector<std::pair<std::string, std::string>>;

// Three letter sheets of a form run, each with one text that names its sheet.
PrintJob formJob() {
    auto sheets = std::make_shared<SheetModel>();
    for (int n = 1; n <= 3; ++n) {
        Sheet sheet;
        sheet.texts = {{"Sheet " + std::to_string(n), 100, 100, 105, 20}};
        sheets->add(sheet);
    }
    PrintJob made;
    made.title = "1099 Print";
    made.sheets = sheets;
    return made;
}

TEST_F(PrintSinkTest, AQueueThatTakesPdfReceivesTheDocumentWithEveryChoiceOfTheDialog) {
    QPrinter& printer = applicationPrinter();
    std::vector<QueueJob> jobs;
    std::vector<std::string> asked;
    platform::PrintService service = readyQueue([&](const platform::PrintFileRequest& request, std::string&) {
        QueueJob received{request, {}};
        EXPECT_TRUE(platform::readFile(request.path, received.bytes));
        jobs.push_back(received);
        return true;
    });
    service.takesPdf = [&](const std::string& queue) {
        asked.push_back(queue);
        return true;
    };
    platform::setPrintService(service);
    // The queue's own options as its Properties left them: a tray, odd pages, and A4
    // paper that a form run must not follow.
    const Options queueOptions = {{"InputSlot", "Manual"}, {"page-set", "odd"}, {"PageSize", "A4"}};
    // A report goes on the paper of the page setup.
    const std::string paper = printer.pageLayout().pageSize().key().toStdString();
    struct Case {
        const char* name;
        bool forms;
        bool range;
        int copies;
        bool collate;
        bool reverse;
        Options options;
    };
    const std::vector<Case> cases = {
        {"report, as it comes", false, false, 1, false, false,
         {{"copies", "1"}, {"collate", "false"}, {"sides", "one-sided"}, {"media", paper},
          {"orientation-requested", "3"}, {"InputSlot", "Manual"}, {"page-set", "odd"}, {"PageSize", "A4"},
          {"print-scaling", "none"}}},
        // (Qt's printer keeps no duplex choice without a print service, so sides stay one-sided.)
        {"report, two collated copies of a range, last page first", false, true, 2, true, true,
         {{"copies", "2"}, {"collate", "true"}, {"page-ranges", "2-3"}, {"sides", "one-sided"},
          {"outputorder", "reverse"}, {"media", paper}, {"orientation-requested", "3"}, {"InputSlot", "Manual"},
          {"page-set", "odd"}, {"PageSize", "A4"}, {"print-scaling", "none"}}},
        {"forms: letter, portrait whatever the queue says", true, true, 2, true, false,
         {{"copies", "2"}, {"collate", "true"}, {"page-ranges", "2-3"}, {"sides", "one-sided"},
          {"media", "na_letter_8.5x11in"}, {"orientation-requested", "3"}, {"InputSlot", "Manual"},
          {"page-set", "odd"}, {"print-scaling", "none"}}},
    };
    // The dialog's grey choice is the queue's own: the document and the options are the same.
    for (const bool grey : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (grey ? ", grey" : ", colour"));
            jobs.clear();
            setChosenPrintQueueForTests("Office", queueOptions);
            ScopedModalResponder responder([&](QWidget& w) {
                w.findChild<QRadioButton*>(QString::fromLatin1(grey ? "grayscale" : "color"))->setChecked(true);
                if (c.range) {
                    w.findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
                    w.findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
                    w.findChild<QSpinBox*>(QStringLiteral("to"))->setValue(3);
                }
                qobject_cast<QDialog*>(&w)->accept();
                printer.setCopyCount(c.copies);
                printer.setCollateCopies(c.collate);
                printer.setPageOrder(c.reverse ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
            });
            const PrintJob printed = c.forms ? formJob() : job(4, "Talvexa 1099 E-File 2025");
            EXPECT_EQ(sink.print(printed), PrintResult::printed);
            ASSERT_EQ(jobs.size(), 1u);
            EXPECT_EQ(jobs[0].request.queue, "Office");
            EXPECT_EQ(jobs[0].request.title, printed.title);
            EXPECT_EQ(jobs[0].request.options, c.options);
            // The temporary file is gone once the queue has it.
            EXPECT_FALSE(platform::fileExists(jobs[0].request.path));
            if (c.forms) {
                // The sheets as the vector PDF the program paints, every sheet a letter page.
                // The creation time is left out: a second may tick between the two paintings.
                std::string reason;
                EXPECT_EQ(withoutCreationDate(jobs[0].bytes),
                          withoutCreationDate(SheetPainter::pdf(*printed.sheets, printed.title, reason).toStdString()));
                const std::string info = pdfInfo(testoutput::keepPdf(jobs[0].bytes));
                EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
                EXPECT_NE(info.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info;
            } else {
                EXPECT_EQ(jobs[0].bytes, printed.pdf) << "the document itself, not pictures of its pages";
            }
        }
    EXPECT_EQ(asked, std::vector<std::string>(6, "Office"));
    EXPECT_EQ(printer.colorMode(), QPrinter::GrayScale) << "the dialog's last choice";
    printer.setColorMode(QPrinter::Color);
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setPageOrder(QPrinter::FirstPageFirst);
}

TEST_F(PrintSinkTest, TheDialogOpensOnAPrinterNamedForTheJob) {
    QPrinter& printer = applicationPrinter();
    printer.setOutputFileName(QString());
    for (const PrintJob& printed : {job(1, "Talvexa 1099 E-File 2025"), formJob()}) {
        SCOPED_TRACE(printed.title);
        printer.setDocName(QStringLiteral("an earlier job"));
        std::string name;
        std::string proposed;
        ScopedModalResponder responder([&](QWidget& w) {
            name = printer.docName().toStdString();
            proposed = proposedFile(w);
            qobject_cast<QDialog*>(&w)->reject();
        });
        EXPECT_EQ(sink.print(printed), PrintResult::cancelled);
        EXPECT_EQ(name, printed.title);
        // Under X11, "Print to File" proposes the name the printer had when the dialog was
        // made (other platforms propose the folder only).
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            EXPECT_NE(proposed.find(printed.title), std::string::npos) << proposed;
        }
    }
}

TEST_F(PrintSinkTest, AQueueThatCannotTakeTheJobGetsNothingAndTheUserIsToldWhy) {
    const std::string output = home.file("drawn.pdf");
    setChosenPrintQueueForTests("Old laser");
    struct Case {
        const char* name;
        bool accepting;
        std::string message;   // the queue's state message
        bool takesPdf;
        std::string reason;
    };
    const Case cases[] = {
        {"refusing jobs, with its administrator's reason", false, "Out of 1099 forms", true,
         "The print queue \"Old laser\" is not accepting jobs. Out of 1099 forms."},
        {"refusing jobs, with a reason that ends its sentence", false, "Out of 1099 forms! ", true,
         "The print queue \"Old laser\" is not accepting jobs. Out of 1099 forms!"},
        {"refusing jobs, without a reason", false, "", true, "The print queue \"Old laser\" is not accepting jobs."},
        // The print service would cancel a PDF there once it had it.
        {"without PDF", true, "", false,
         "The print queue \"Old laser\" cannot print this program's documents: it does not take PDF. Choose "
         "another printer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int handed = 0;
        platform::PrintService service = readyQueue([&](const platform::PrintFileRequest&, std::string&) {
            ++handed;
            return true;
        });
        service.takesPdf = [&](const std::string&) { return c.takesPdf; };
        service.state = [&](const std::string& queue, platform::QueueState& state, std::string&) {
            EXPECT_EQ(queue, "Old laser");
            state = {.accepting = c.accepting, .message = c.message};
            return true;
        };
        platform::setPrintService(service);
        ScopedModalResponder responder([&](QWidget& w) {
            printToFile(w, output);
            qobject_cast<QDialog*>(&w)->accept();
        });
        const size_t before = scripted->boxes().size();
        for (const PrintJob& refused : {job(1, "1099 Labels"), formJob()}) {
            scripted->answerBox(kMessageAnswerOkYes);
            EXPECT_EQ(sink.print(refused), PrintResult::failed);
        }
        EXPECT_EQ(handed, 0);
        EXPECT_FALSE(platform::fileExists(output)) << "nothing drawn on the printer either";
        ASSERT_EQ(scripted->boxes().size(), before + 2);
        EXPECT_EQ(scripted->boxes()[before].caption, "\"1099 Labels\" could not be printed.");
        EXPECT_EQ(scripted->boxes()[before].details, c.reason);
        EXPECT_EQ(scripted->boxes()[before + 1].caption, "\"1099 Print\" could not be printed.");
        EXPECT_EQ(scripted->boxes()[before + 1].details, c.reason + "\n\n" + kFormsNotPrinted);
    }
}

TEST_F(PrintSinkTest, AStoppedQueueKeepsTheJobAndTheUserIsToldItWaits) {
    setChosenPrintQueueForTests("Office");
    int handed = 0;
    platform::PrintService service = readyQueue([&](const platform::PrintFileRequest&, std::string&) {
        ++handed;
        return true;
    });
    service.state = [](const std::string&, platform::QueueState& state, std::string&) {
        // The queue's own words end without a full stop; the message puts it.
        state = {.accepting = true, .stopped = true, .message = "Paused for the letterhead"};
        return true;
    };
    platform::setPrintService(service);
    ScopedModalResponder responder([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
    const std::string waits = "The print queue \"Office\" is stopped. The job waits in the queue and will print when "
                              "the queue is started again. Paused for the letterhead.";
    for (const PrintJob& held : {job(1, "1099 Labels"), formJob()}) {
        scripted->answerBox(kMessageAnswerOkYes);
        EXPECT_EQ(sink.print(held), PrintResult::held);
    }
    EXPECT_EQ(handed, 2);
    ASSERT_EQ(scripted->boxes().size(), 2u);
    EXPECT_EQ(scripted->boxes()[0].caption, "\"1099 Labels\" is waiting in the print queue.");
    EXPECT_EQ(scripted->boxes()[0].details, waits);
    EXPECT_EQ(scripted->boxes()[0].image, kMessageImageMessage);
    EXPECT_EQ(scripted->boxes()[1].caption, "\"1099 Print\" is waiting in the print queue.");
    EXPECT_EQ(scripted->boxes()[1].details, waits + "\n\n" + kFormsHeld);
}

// A file that cannot be written is named with the system's reason, whole documents and
// page ranges, reports and forms alike: in a folder that is not there, in a folder the
// user may not write, or where the write cannot be noted (a reason that is a sentence of
// its own gets no second full stop). Nothing is left in the folder.
TEST_F(PrintSinkTest, AFileThatCannotBeWrittenIsReportedWithTheSystemsReason) {
    WithoutFileOverride plainUser;
    const std::string missing = home.file("no such folder");
    const std::string locked = home.file("locked");
    const std::string chosen = home.file("chosen");
    const std::string notes = home.file("config/Unfinished Writes");
    const std::string elsewhere = home.file("elsewhere");
    for (const std::string& folder : {locked, chosen, elsewhere}) ASSERT_TRUE(platform::createDirectories(folder));
    ASSERT_EQ(::symlink(elsewhere.c_str(), notes.c_str()), 0);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    struct Place {
        const char* name;
        std::string file;
        std::string told;
        bool noted;   // outside the program's folders, with a notes folder that is a link
    };
    const Place places[] = {
        {"a folder that is not there", missing + "/forms.pdf",
         "Could not write \"" + missing + "/forms.pdf\": No such file or directory.", false},
        {"a read-only folder", locked + "/forms.pdf",
         "Could not write \"" + locked + "/forms.pdf\": Permission denied.", false},
        {"a write that cannot be noted", chosen + "/forms.pdf",
         "Could not note the writing of \"" + chosen + "/forms.pdf\" in \"" + notes +
             "\": it is not a folder of this user's.",
         true},
    };
    QPrinter& printer = applicationPrinter();
    struct Case {
        const char* name;
        bool forms;
        bool pages;   // a page range rather than the whole document
    };
    const Case cases[] = {
        {"a form run, whole", true, false},
        {"a form run, pages 2 to 3", true, true},
        {"a report, whole", false, false},
        {"a report, pages 2 to 3", false, true},
    };
    for (const Place& place : places) {
        platform::setReplacementNotes({place.noted ? notes : "", {}, {}});
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(place.name) + ", " + c.name);
            ScopedModalResponder responder([&](QWidget& w) {
                printToFile(w, home.file("chosen.pdf"));
                if (c.pages) choosePages(w, 2, 3);
                qobject_cast<QDialog*>(&w)->accept();
                // The dialog has looked at its own name; the file goes here.
                printer.setOutputFileName(QString::fromStdString(place.file));
            });
            const size_t before = scripted->boxes().size();
            scripted->answerBox(kMessageAnswerOkYes);
            EXPECT_EQ(sink.print(c.forms ? formJob() : job(3, "1099 Labels")), PrintResult::failed);
            printer.setOutputFileName(QString());
            ASSERT_EQ(scripted->boxes().size(), before + 1);
            EXPECT_EQ(scripted->boxes()[before].details, c.forms ? place.told + "\n\n" + kFormsNotPrinted : place.told);
            EXPECT_EQ(filesBelow(folderOfFile(place.file)), std::vector<std::string>{});
        }
    }
    platform::setReplacementNotes({});
    EXPECT_FALSE(platform::fileExists(missing));
    EXPECT_EQ(filesBelow(elsewhere), std::vector<std::string>{});
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

// A page range that runs out of room on the disk is not printed: the user is told the
// system's reason and a file of that name keeps every byte, reports and forms alike. With
// room, the same range takes that file's place whole.
TEST_F(PrintSinkTest, APageRangeThatRunsOutOfRoomKeepsTheFileThereAndIsReported) {
    const std::string folder = home.file("labels");
    ASSERT_TRUE(platform::createDirectories(folder));
    const std::string file = folder + "/labels.pdf";
    const std::string earlier = "The labels printed earlier, to be kept until a whole range takes their place.";
    constexpr rlim_t kRoom = 4096;   // less than either range's document
    QPrinter& printer = applicationPrinter();
    struct Case {
        const char* name;
        bool forms;
        bool full;   // the disk has kRoom bytes for the file
    };
    const Case cases[] = {
        {"a report, on a full disk", false, true},
        {"a report, with room", false, false},
        {"a form run, on a full disk", true, true},
        {"a form run, with room", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(platform::writeFileAtomically(file, earlier));
        const PrintJob printed = c.forms ? formJob() : job(3, "1099 Labels");
        std::optional<FileSizeLimit> limit;
        bool limited = false;
        ScopedModalResponder responder([&](QWidget& w) {
            printToFile(w, home.file("chosen.pdf"));
            choosePages(w, 1, 2);
            qobject_cast<QDialog*>(&w)->accept();
            // The dialog has looked at its own name (it would ask before replacing a file);
            // the file goes here.
            printer.setOutputFileName(QString::fromStdString(file));
            if (c.full) limited = limit.emplace(kRoom).set();
        });
        const size_t before = scripted->boxes().size();
        if (c.full) scripted->answerBox(kMessageAnswerOkYes);
        const PrintResult result = sink.print(printed);
        limit.reset();
        printer.setOutputFileName(QString());

        EXPECT_EQ(limited, c.full);
        const std::string told = scripted->boxes().size() > before ? scripted->boxes().back().details : "";
        EXPECT_EQ(filesBelow(folder), std::vector<std::string>{file}) << "nothing left beside the file";
        if (c.full) {
            EXPECT_EQ(result, PrintResult::failed);
            const std::string reason = "Could not write \"" + file + "\": " + std::strerror(EFBIG) + ".";
            EXPECT_EQ(told, c.forms ? reason + "\n\n" + kFormsNotPrinted : reason);
            EXPECT_TRUE(read(file) == earlier) << "the file there was replaced";
        } else {
            EXPECT_EQ(result, PrintResult::printed);
            EXPECT_EQ(told, "");
            const std::string whole = read(file);
            EXPECT_GT(whole.size(), kRoom) << "the document fits in the room of the full disk";
            const std::string info = pdfInfo(testoutput::keepPdf(whole));
            EXPECT_NE(info.find("Pages:           2\n"), std::string::npos) << info;
        }
    }
}

// A report's range is drawn into the file page by page, and the first page the disk has
// no room for ends it: the pages after it are not even drawn. With room for nothing but
// the document's start, the first page is the last drawn; with room for a whole
// document of the first page alone, the second.
TEST_F(PrintSinkTest, ARangeThatRunsOutOfRoomDrawsNoPageAfterTheFirstThatCannotBeWritten) {
    const std::string folder = home.file("reports");
    ASSERT_TRUE(platform::createDirectories(folder));
    const std::string file = folder + "/report.pdf";
    const std::string earlier = "A report printed earlier.";
    QPrinter& printer = applicationPrinter();
    const PrintJob printed = job(5, "1099 Report");
    std::vector<int> drawn;
    setPageDrawnHookForTests([&](int page) { drawn.push_back(page); });
    // Prints pages from..to into the file, under a file size limit when one is given.
    auto print = [&](int from, int to, std::optional<rlim_t> room) {
        std::optional<FileSizeLimit> limit;
        ScopedModalResponder responder([&](QWidget& w) {
            printToFile(w, home.file("chosen.pdf"));
            choosePages(w, from, to);
            qobject_cast<QDialog*>(&w)->accept();
            printer.setOutputFileName(QString::fromStdString(file));
            if (room) {
                ASSERT_TRUE(limit.emplace(*room).set());
            }
        });
        drawn.clear();
        const PrintResult result = sink.print(printed);
        limit.reset();
        printer.setOutputFileName(QString());
        return result;
    };
    ASSERT_EQ(print(1, 1, std::nullopt), PrintResult::printed);
    const rlim_t firstPageAlone = read(file).size();

    struct Case {
        const char* name;
        rlim_t room;
        std::vector<int> drawn;
    };
    const Case cases[] = {
        {"room for the document's start", 4096, {1}},
        {"room for the first page", firstPageAlone, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(platform::writeFileAtomically(file, earlier));
        scripted->answerBox(kMessageAnswerOkYes);
        EXPECT_EQ(print(1, 5, c.room), PrintResult::failed);
        EXPECT_EQ(drawn, c.drawn);
        ASSERT_FALSE(scripted->boxes().empty());
        EXPECT_EQ(scripted->boxes().back().caption, "\"1099 Report\" could not be printed.");
        EXPECT_EQ(scripted->boxes().back().details,
                  "Could not write \"" + file + "\": " + std::strerror(EFBIG) + ".");
        EXPECT_TRUE(read(file) == earlier) << "the file there was replaced";
        EXPECT_EQ(filesBelow(folder), std::vector<std::string>{file}) << "nothing left beside the file";
    }
    setPageDrawnHookForTests({});
}

// A range is drawn into a temporary beside the file, noted among the unfinished writes:
// when the run is killed part way, the next start removes it, and the file there keeps
// every byte.
TEST_F(PrintSinkTest, ARangeKilledPartWayLeavesNothingBesideTheFileAfterTheNextStart) {
    const std::string folder = home.file("reports");
    const std::string systemTemporary = home.file("tmp");
    const std::string notes = home.file("config/Unfinished Writes");
    for (const std::string& made : {folder, systemTemporary}) ASSERT_TRUE(platform::createDirectories(made));
    const std::string file = folder + "/report.pdf";
    const std::string earlier = "A report printed earlier.";
    ASSERT_TRUE(platform::writeFileAtomically(file, earlier));
    platform::setReplacementNotes({notes, {}, {}});
    QPrinter& printer = applicationPrinter();
    const PrintJob printed = job(3, "1099 Report");
    (void)uitest::filesLeftByAKilledRun(systemTemporary, [&] {
        setPageDrawnHookForTests([](int page) {
            if (page == 2) ::kill(::getpid(), SIGKILL);
        });
        ScopedModalResponder responder([&](QWidget& w) {
            printToFile(w, home.file("chosen.pdf"));
            choosePages(w, 1, 3);
            qobject_cast<QDialog*>(&w)->accept();
            printer.setOutputFileName(QString::fromStdString(file));
        });
        (void)sink.print(printed);
    });
    EXPECT_EQ(replacementLeftoversIn(folder).size(), 1u) << "the killed run's temporary";

    platform::sweepNotedReplacements();   // as the next start does
    EXPECT_EQ(filesBelow(folder), std::vector<std::string>{file});
    EXPECT_TRUE(read(file) == earlier) << "the file there was replaced";
    EXPECT_EQ(filesBelow(notes), std::vector<std::string>{});
    platform::setReplacementNotes({});
}

// A report with a red bar, as a PDF document of one letter page.
PrintJob colouredJob() {
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&bytes);
        writer.setPageLayout(SheetPainter::letterPortrait());
        writer.setResolution(72);
        QPainter painter(&writer);
        painter.fillRect(QRectF(100, 100, 400, 60), QColor(220, 30, 30));
    }
    PrintJob made;
    made.title = "1099 Summary";
    made.pdf = bytes.data().toStdString();
    return made;
}

// A page of a PDF file as poppler draws it on white paper at 30 dots to the inch: the
// red, green and blue of each pixel.
struct DrawnPage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

DrawnPage drawnPage(const std::string& pdf, int page, const std::string& scratch) {
    const std::string image = scratch + "/drawn";
    const auto drawn = reportpdf::runTool("pdftoppm -r 30 -f " + std::to_string(page) + " -l " +
                                          std::to_string(page) + " -singlefile " + reportpdf::quoted(pdf) + " " +
                                          reportpdf::quoted(image));
    EXPECT_EQ(drawn.status, 0) << drawn.output;
    std::string ppm;
    const bool read = platform::readFile(image + ".ppm", ppm);
    std::remove((image + ".ppm").c_str());
    DrawnPage out;
    int depth = 0, header = 0;
    if (!read || std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &out.width, &out.height, &depth, &header) != 3 ||
        depth != 255 || ppm.size() != static_cast<size_t>(header) + 1 + 3u * out.width * out.height) {
        ADD_FAILURE() << "page " << page << " of " << pdf << " was not drawn";
        return {};
    }
    out.rgb.assign(ppm.begin() + header + 1, ppm.end());
    return out;
}

// The page as grey paper shows it: each pixel's brightness (0.299 R + 0.587 G + 0.114 B)
// in all three channels.
DrawnPage turnedGrey(DrawnPage page) {
    for (size_t i = 0; i + 2 < page.rgb.size(); i += 3) {
        const auto grey = static_cast<unsigned char>(
            std::lround(0.299 * page.rgb[i] + 0.587 * page.rgb[i + 1] + 0.114 * page.rgb[i + 2]));
        page.rgb[i] = page.rgb[i + 1] = page.rgb[i + 2] = grey;
    }
    return page;
}

// The mean difference of two drawings of a page over every channel of every pixel: 0 when
// they are alike, 1 for a black page against white paper.
double difference(const DrawnPage& a, const DrawnPage& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.empty()) {
        ADD_FAILURE() << "pages of " << a.width << " x " << a.height << " and " << b.width << " x " << b.height;
        return 1;
    }
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
    return sum / (255.0 * static_cast<double>(a.rgb.size()));
}

// The mean brightness of a page: 1 for white paper, 0 for black.
double brightness(const DrawnPage& page) {
    DrawnPage black = page;
    std::fill(black.rgb.begin(), black.rgb.end(), 0);
    return difference(page, black);
}

bool equalChannels(const DrawnPage& page) {
    for (size_t i = 0; i + 2 < page.rgb.size(); i += 3)
        if (page.rgb[i] != page.rgb[i + 1] || page.rgb[i + 1] != page.rgb[i + 2]) return false;
    return true;
}

// Prints pages from..to of the job into the file through the print dialog, with its grey
// or its colour choice.
PrintResult printRangeToFile(QtUserInterface& sink, const PrintJob& job, const std::string& file, int from, int to,
                             bool grey) {
    QPrinter& printer = applicationPrinter();
    ScopedModalResponder responder([&](QWidget& w) {
        printToFile(w, file);
        auto* choice = w.findChild<QRadioButton*>(QString::fromLatin1(grey ? "grayscale" : "color"));
        ASSERT_NE(choice, nullptr) << "the dialog's colour choice";
        choice->setChecked(true);
        choosePages(w, from, to);
        qobject_cast<QDialog*>(&w)->accept();
    });
    const PrintResult result = sink.print(job);
    EXPECT_EQ(printer.colorMode(), grey ? QPrinter::GrayScale : QPrinter::Color);
    printer.setColorMode(QPrinter::Color);
    printer.setOutputFileName(QString());
    return result;
}

// Two drawings at 30 dots to the inch of one page as a person sees it differ by less than
// this on average: the pages of a range are pictures of the job's pages, drawn again.
constexpr double kSamePage = 0.02;

// Pages from..to of a report printed into a file in colour and in grey. The colour pages
// are the report's own pages; the grey pages are those colour pages turned grey (white
// paper, black text, the same pictures), with equal channels and mostly white. The
// colour pages as poppler draws them.
std::vector<DrawnPage> expectRangeInColourAndGrey(QtUserInterface& sink, const PrintJob& job, int from, int to,
                                                  const std::string& scratch) {
    const std::string source = scratch + "/source.pdf";
    const std::string colour = scratch + "/colour.pdf";
    const std::string grey = scratch + "/grey.pdf";
    EXPECT_TRUE(platform::writeFileAtomically(source, job.pdf));
    EXPECT_EQ(printRangeToFile(sink, job, colour, from, to, false), PrintResult::printed);
    EXPECT_EQ(printRangeToFile(sink, job, grey, from, to, true), PrintResult::printed);
    std::vector<DrawnPage> colourPages;
    for (const std::string& file : {colour, grey}) {
        const std::string info = pdfInfo(testoutput::keepPdf(read(file)));
        EXPECT_NE(info.find("Pages:           " + std::to_string(to - from + 1) + "\n"), std::string::npos) << info;
    }
    for (int page = from; page <= to; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const DrawnPage original = drawnPage(source, page, scratch);
        const DrawnPage inColour = drawnPage(colour, page - from + 1, scratch);
        const DrawnPage inGrey = drawnPage(grey, page - from + 1, scratch);
        EXPECT_LT(difference(inColour, original), kSamePage) << "the colour page is the report's page";
        EXPECT_TRUE(equalChannels(inGrey));
        EXPECT_GT(brightness(inGrey), 0.9) << "white paper";
        EXPECT_LT(difference(inGrey, turnedGrey(inColour)), kSamePage) << "the colour page turned grey";
        colourPages.push_back(inColour);
    }
    return colourPages;
}

// The dialog's grey choice draws a report's pages grey in a file too, on white paper;
// its colour choice keeps their colours.
TEST_F(PrintSinkTest, TheGreyChoiceOfTheDialogDrawsARangeGreyInAFile) {
    const std::vector<DrawnPage> colour = expectRangeInColourAndGrey(sink, colouredJob(), 1, 1, home.path());
    ASSERT_EQ(colour.size(), 1u);
    EXPECT_FALSE(equalChannels(colour[0])) << "the red bar stays red";
}

// The labels and the summary report of a payer's 25 recipients, as their runs print them.
class GreyReportRangeTest : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        unsetenv(kPrintFolderVariable);
        const int32_t payer = addPayer("Acme & Sons");
        for (int i = 0; i < 25; ++i)
            add(payer, Person(i % 2 ? 7 : 1, "Name" + std::to_string(i), "Zeta")
                           .at(std::to_string(i + 1) + " Main St.", "Springfield", "Illinois-IL", "62701")
                           .with(i % 2 ? &RecipientInfo::setLine1_NEC : &RecipientInfo::setLine1_Misc, "1,000.10"));
        select({payer});
    }
    // The job the run printed.
    PrintJob printed(bool run) {
        EXPECT_TRUE(run);
        EXPECT_FALSE(ui->jobs().empty());
        return ui->jobs().empty() ? PrintJob{} : ui->jobs().back();
    }
    static size_t pages(const PrintJob& job) { return reportpdf::read(job.pdf).pageObjects.size(); }

    QtUserInterface sink;
};

// A report's range printed into a file in grey is its colour pages turned grey: white
// paper and black text, not black pages. A form run's range comes out the same in grey
// as in colour: its sheets are drawn as they are.
TEST_F(GreyReportRangeTest, AReportsRangeInGreyIsItsColourPagesTurnedGreyAndAFormRangeIsUnchanged) {
    const PrintJob labels = printed(DisplayPDF().MailingLablesReport());
    ASSERT_EQ(pages(labels), 3u) << "three pages of ten labels";
    {
        SCOPED_TRACE("the mailing labels, pages 2 to 3");
        expectRangeInColourAndGrey(sink, labels, 2, 3, home.path());
    }
    const PrintJob summary = printed(DisplayPDF().PrintSummaryReport());
    ASSERT_GE(pages(summary), 2u);
    {
        SCOPED_TRACE("the summary report, pages 1 to 2");
        expectRangeInColourAndGrey(sink, summary, 1, 2, home.path());
    }

    const PrintJob forms = formJob();
    std::string inColour, inGrey;
    for (const bool grey : {false, true}) {
        const std::string file = home.file(grey ? "forms grey.pdf" : "forms colour.pdf");
        ASSERT_EQ(printRangeToFile(sink, forms, file, 2, 3, grey), PrintResult::printed);
        (grey ? inGrey : inColour) = read(file);
    }
    const std::string info = pdfInfo(testoutput::keepPdf(inGrey));
    EXPECT_NE(info.find("Pages:           2\n"), std::string::npos) << info;
    EXPECT_EQ(withoutCreationDate(inGrey), withoutCreationDate(inColour));
}

TEST_F(PrintSinkTest, AJobTheQueueRefusesIsReportedWithItsReason) {
    setChosenPrintQueueForTests("Office");
    platform::setPrintService(readyQueue([](const platform::PrintFileRequest&, std::string& reason) {
        reason = "The printer is stopped.";
        return false;
    }));
    ScopedModalResponder responder([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(sink.print(job(1, "1099 Labels")), PrintResult::failed);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "\"1099 Labels\" could not be printed.");
    EXPECT_EQ(scripted->boxes()[0].details, "The printer is stopped.");
}

// A run killed while the print service has its document has put it only into the
// program's own scratch folder, not the system's temporary folder, and the next start
// clears it.
TEST_F(PrintSinkTest, AKilledJobLeavesItsDocumentOnlyInTheProgramsFolderUntilTheNextStart) {
    const std::string systemTemporary = home.file("tmp");
    std::filesystem::create_directories(systemTemporary);
    const PrintJob printed = job(1);
    const std::vector<std::string> left = uitest::filesLeftByAKilledRun(systemTemporary, [&] {
        setChosenPrintQueueForTests("Office");
        platform::setPrintService(readyQueue([](const platform::PrintFileRequest&, std::string&) {
            ::kill(::getpid(), SIGKILL);
            return false;
        }));
        ScopedModalResponder responder([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
        (void)sink.print(printed);
    });
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(read(left[0]), printed.pdf);

    clearScratchFolder();   // as the next start does
    EXPECT_TRUE(filesBelow(scratchFolder()).empty());
}

TEST_F(PrintSinkTest, WithoutAPrintServiceNothingIsDrawnAndTheUserIsToldWhy) {
    // The print service of the tests: a socket where nothing listens.
    setChosenPrintQueueForTests("Office");
    ScopedModalResponder responder([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(sink.print(formJob()), PrintResult::failed);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "\"1099 Print\" could not be printed.");
    const std::string details = scripted->boxes()[0].details;
    EXPECT_EQ(details.rfind("The print service could not be asked about the print queue \"Office\": ", 0), 0u)
        << details;
    EXPECT_NE(details.find(kFormsNotPrinted), std::string::npos) << details;
}

}  // namespace
