// The window layer's print sink: jobs written into the print folder when one is named,
// and otherwise the print dialog on the program's printer with every page of the job
// printed at its own size.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>

#include "KeptPdf.h"
#include "ReportPdfReader.h"
#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/print/PDF.h"
#include "platform/FileSystem.h"
#include "platform/PrintService.h"
#include "ui/print/PrintJobSink.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"
#include "ui/support/QtUserInterface.h"

namespace {

class PrintSinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        scripted = std::make_unique<ScriptedUserInterface>();
        unsetenv(kPrintFolderVariable);
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

    static std::string pdfInfo(const std::string& path) {
        const auto info = reportpdf::runTool("pdfinfo " + reportpdf::quoted(path));
        EXPECT_EQ(info.status, 0) << info.output;
        return info.output;
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
    static std::string read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(platform::readFile(path, bytes)) << path;
        return bytes;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    QtUserInterface sink;
};

TEST_F(PrintSinkTest, APrintFolderReceivesEachJobAsANumberedFile) {
    const std::string folder = home.file("printed");
    std::filesystem::create_directories(folder);
    setenv(kPrintFolderVariable, folder.c_str(), 1);

    const PrintJob first = job(2);
    EXPECT_TRUE(sink.print(first));
    EXPECT_TRUE(sink.print(job(1, "Labels/Acme")));

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
    EXPECT_FALSE(sink.print(job(1)));
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
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(output));
    int dialogs = 0;
    ScopedModalResponder responder([&](QWidget& w) {
        ++dialogs;
        EXPECT_EQ(w.objectName().toStdString(), kPrintDialogName);
        auto* dialog = qobject_cast<QPrintDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        dialog->accept();
    });
    EXPECT_TRUE(sink.print(job(3)));
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
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(output));
    ScopedModalResponder responder([](QWidget& w) {
        auto* range = w.findChild<QRadioButton*>(QStringLiteral("printRange"));
        auto* from = w.findChild<QSpinBox*>(QStringLiteral("from"));
        auto* to = w.findChild<QSpinBox*>(QStringLiteral("to"));
        ASSERT_TRUE(range && from && to) << "the dialog's page range fields";
        EXPECT_EQ(to->maximum(), 4);
        range->setChecked(true);
        from->setValue(2);
        to->setValue(3);
        qobject_cast<QDialog*>(&w)->accept();
    });
    EXPECT_TRUE(sink.print(job(4)));
    const std::string kept = testoutput::keepPdf(read(output));
    EXPECT_NE(pdfInfo(kept).find("Pages:           2\n"), std::string::npos);
    EXPECT_EQ(barsOnPage(kept, 1), std::vector<int>{2});
    EXPECT_EQ(barsOnPage(kept, 2), std::vector<int>{3});
    printer.setOutputFileName(QString());
}

TEST_F(PrintSinkTest, ACancelledPrintDialogPrintsNothing) {
    const std::string output = home.file("not printed.pdf");
    QPrinter& printer = applicationPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(output));
    ScopedModalResponder responder([](QWidget& w) { qobject_cast<QDialog*>(&w)->reject(); });
    EXPECT_FALSE(sink.print(job(1)));
    EXPECT_FALSE(platform::fileExists(output));
    printer.setOutputFileName(QString());
}

// A stand-in print queue: whether it takes PDF, and every job handed to it with the
// bytes of its file as they were when handed over.
struct QueueJob {
    platform::PrintFileRequest request;
    std::string bytes;
};

TEST_F(PrintSinkTest, AQueueThatTakesPdfReceivesTheDocumentFileWithTheDialogsChoices) {
    const std::string output = home.file("not painted.pdf");
    QPrinter& printer = applicationPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(output));
    setChosenPrintQueueForTests("Office");
    std::vector<QueueJob> jobs;
    std::vector<std::string> asked;
    platform::setPrintService({[&](const std::string& queue) {
                                   asked.push_back(queue);
                                   return true;
                               },
                               [&](const platform::PrintFileRequest& request, std::string&) {
                                   QueueJob received{request, {}};
                                   EXPECT_TRUE(platform::readFile(request.path, received.bytes));
                                   jobs.push_back(received);
                                   return true;
                               }});
    struct Case {
        bool range;
        int copies;
        QPrinter::DuplexMode duplex;
        std::vector<std::pair<std::string, std::string>> options;
    };
    const std::vector<Case> cases = {
        {false, 1, QPrinter::DuplexNone, {{"copies", "1"}, {"sides", "one-sided"}, {"print-scaling", "none"}}},
        // (Qt's printer keeps no duplex choice without a print service, so sides stay one-sided.)
        {true, 2, QPrinter::DuplexNone,
         {{"copies", "2"}, {"page-ranges", "2-3"}, {"sides", "one-sided"}, {"print-scaling", "none"}}},
    };
    for (const Case& c : cases) {
        jobs.clear();
        ScopedModalResponder responder([&](QWidget& w) {
            if (c.range) {
                w.findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
                w.findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
                w.findChild<QSpinBox*>(QStringLiteral("to"))->setValue(3);
            }
            qobject_cast<QDialog*>(&w)->accept();
            printer.setCopyCount(c.copies);
            printer.setDuplex(c.duplex);
        });
        const PrintJob report = job(4, "Talvexa 1099 E-File 2025");
        EXPECT_TRUE(sink.print(report));
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(jobs[0].request.queue, "Office");
        EXPECT_EQ(jobs[0].request.title, "Talvexa 1099 E-File 2025");
        EXPECT_EQ(jobs[0].bytes, report.pdf) << "the document itself, not pictures of its pages";
        EXPECT_EQ(jobs[0].request.options, c.options);
        // The temporary file is gone once the queue has it, and nothing was painted.
        EXPECT_FALSE(platform::fileExists(jobs[0].request.path));
        EXPECT_FALSE(platform::fileExists(output));
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"Office", "Office"}));
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setOutputFileName(QString());
}

TEST_F(PrintSinkTest, AQueueWithoutPdfStillGetsThePagesDrawn) {
    const std::string output = home.file("drawn.pdf");
    QPrinter& printer = applicationPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(output));
    setChosenPrintQueueForTests("Old laser");
    int handed = 0;
    platform::setPrintService({[](const std::string&) { return false; },
                               [&](const platform::PrintFileRequest&, std::string&) {
                                   ++handed;
                                   return true;
                               }});
    ScopedModalResponder responder([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
    EXPECT_TRUE(sink.print(job(2)));
    EXPECT_EQ(handed, 0);
    const std::string kept = testoutput::keepPdf(read(output));
    EXPECT_NE(pdfInfo(kept).find("Pages:           2\n"), std::string::npos);
    EXPECT_EQ(barsOnPage(kept, 2), std::vector<int>{2});
    printer.setOutputFileName(QString());
}

TEST_F(PrintSinkTest, AJobTheQueueRefusesIsReportedWithItsReason) {
    QPrinter& printer = applicationPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(home.file("unused.pdf")));
    setChosenPrintQueueForTests("Office");
    platform::setPrintService({[](const std::string&) { return true; },
                               [](const platform::PrintFileRequest&, std::string& reason) {
                                   reason = "The printer is stopped.";
                                   return false;
                               }});
    ScopedModalResponder responder([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); });
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_FALSE(sink.print(job(1, "1099 Labels")));
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "\"1099 Labels\" could not be printed.");
    EXPECT_EQ(scripted->boxes()[0].details, "The printer is stopped.");
    printer.setOutputFileName(QString());
}

}  // namespace
