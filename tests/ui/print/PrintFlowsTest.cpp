// The two form print flows of the main window: the option dialogs, the filing dialog,
// the alignment notice with its page setup and help text, and the runs they start.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include <QCheckBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "LabelWindowFixture.h"
#include "ReadyQueue.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/print/DisplayPDF.h"
#include "core/print/SheetModel.h"
#include "KeptPdf.h"
#include "core/foundation/FormKind.h"
#include "platform/FileSystem.h"
#include "platform/PrintService.h"
#include "ui/print/PrintAlignmentDialog.h"
#include "ui/print/PrintJobSink.h"
#include "ui/print/PrintFormForFiling.h"
#include "ui/print/PrintOptionDialog.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/PageSetup.h"
#include "ui/support/ProgressWindow.h"

using uitest::child;
using uitest::press;

namespace {

// The names of one option dialog's window and widgets.
struct OptionNames {
    int32_t kind;
    bool filing;
    const char* window;
    const char* twoUp;
    const char* fourUp;
    const char* box;
    const char* ok;
    const char* cancel;
};

const OptionNames kOptionDialogs[] = {
    {1, false, "PrintRecipientMISC", "Print_2up", "Print_4up", "PrintPartialYear_Btn", "Ok_btn", "Cancel_btn"},
    {3, false, "PrintRecipientINT", "print2up_btn", "Print4up_btn", "PrintPartialYear_Btn", "Ok_btn", "Cancel_btn"},
    {7, false, "PrintRecipientNec", "Print_2up", "Print_4up", "PartialYear_Btn", "Okbtn", "Cancelbtn"},
    {1, true, "PrintFormsForFIlingMISC", "FormSel_2", "FormSel_4", "PrintPartialYear_Btn", "Ok_btn", "Cancel_btn"},
    {3, true, "PrintFormForFilingINT", "Print2Up", "Print4Up", "PrintPartialYear_Btn", "OK_btn", "Cancel_btn"},
    {7, true, "PrintformforFillingNEC", "FormSelnec_2", "FormSelnec_4", "PrintPartialYear_Btn", "Ok_btn",
     "Cancel_btn"},
};

const OptionNames& namesOf(int32_t kind, bool filing) {
    for (const OptionNames& n : kOptionDialogs)
        if (n.kind == kind && n.filing == filing) return n;
    return kOptionDialogs[0];
}

QRadioButton* radio(QWidget& w, const char* name) { return child<QRadioButton>(w, name); }
QCheckBox* box(QWidget& w, const char* name) { return child<QCheckBox>(w, name); }

// Answers an option dialog: 2-up or 4-up, the year box, then OK.
WindowAnswers::Answer chooseLayout(const OptionNames& n, bool fourUp, bool partialYear) {
    return [&n, fourUp, partialYear](QWidget& w) {
        radio(w, fourUp ? n.fourUp : n.twoUp)->click();
        if (box(w, n.box)->isChecked() != partialYear) box(w, n.box)->click();
        press(w, n.ok);
    };
}

WindowAnswers::Answer pressing(const char* button) {
    return [button](QWidget& w) { press(w, button); };
}

class PrintFlowTest : public LabelWindowTest {
protected:
    void SetUp() override {
        LabelWindowTest::SetUp();
        // LabelWindowTest's recipients: a 1099-MISC and a 1099-NEC; one of each other kind.
        addRecipient(payer, {3, "Ida", "Ida Int", "Int"});
        addRecipient(payer, {2, "Dan", "Dan Div", "Div"});
        addRecipient(payer, {4, "Rae", "Rae R", "R"});
        addRecipient(payer, {5, "Sal", "Sal S", "S"});
        secondMisc = addRecipient(payer, {1, "Moe", "Moe Misc", "Misc"});
        showDatabase();
        selectPayer();
    }

    // Shows the recipients of a kind (form filter index) and selects the first of them.
    void selectKind(int formIndex, std::vector<int> rows = {0}) {
        choose(w<QComboBox>("AllForms"), formIndex);
        userSelect(recipients(), rows);
    }

    void printRecipients() { handOffs().printFormsForRecipients(window.get()); }
    void printFiling() { handOffs().printFormsForFiling(window.get()); }
    // Answers the run's prompts (paper, partial-year questions) with OK.
    void prompts(int count) {
        for (int i = 0; i < count; ++i) scripted->answerBox(kMessageAnswerOkYes);
    }
    // Every text of every job's sheets.
    std::vector<std::string> allTexts() {
        std::vector<std::string> out;
        for (const PrintJob& job : scripted->jobs())
            if (job.sheets)
                for (const Sheet& s : job.sheets->sheets())
                    for (const PlacedText& t : s.texts) out.push_back(t.text);
        return out;
    }
    bool printed(const std::string& text) {
        const std::vector<std::string> all = allTexts();
        return std::find(all.begin(), all.end(), text) != all.end();
    }
    bool printedWithin(const std::string& part) {
        for (const std::string& t : allTexts())
            if (t.find(part) != std::string::npos) return true;
        return false;
    }

    int32_t secondMisc = -1;
};

// ---- the option dialogs ----

TEST_F(PrintFlowTest, OptionDialogsKeepTheRadiosExclusiveAndTheYearBoxWithTwoUp) {
    for (const OptionNames& n : kOptionDialogs) {
        SCOPED_TRACE(n.window);
        answers.expect(n.window, [&n](QWidget& w) {
            QRadioButton* two = radio(w, n.twoUp);
            QRadioButton* four = radio(w, n.fourUp);
            QCheckBox* year = box(w, n.box);
            EXPECT_TRUE(two->isChecked());
            EXPECT_FALSE(four->isChecked());
            EXPECT_TRUE(year->isEnabled());
            EXPECT_FALSE(year->isChecked());
            year->click();
            four->click();
            EXPECT_FALSE(two->isChecked());
            EXPECT_FALSE(year->isChecked());
            EXPECT_FALSE(year->isEnabled());
            two->click();
            EXPECT_FALSE(four->isChecked());
            EXPECT_TRUE(year->isEnabled());
            EXPECT_FALSE(year->isChecked());
            // Clicking the chosen radio again does not clear it.
            two->click();
            EXPECT_TRUE(two->isChecked());
            press(w, n.cancel);
        });
        auto dialog = PrintOptionDialog::make(n.kind, n.filing, window.get());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->run(), PrintOptionDialog::kCancelCode);
    }
    EXPECT_FALSE(PrintOptionDialog::make(2, false, nullptr));
    EXPECT_FALSE(PrintOptionDialog::make(4, true, nullptr));
    EXPECT_FALSE(PrintOptionDialog::make(5, false, nullptr));
}

TEST_F(PrintFlowTest, OptionDialogsEndWithTheirCodesAndSetThePartialYearOnlyOnOk) {
    struct Case {
        const char* name;
        std::function<void(QWidget&, const OptionNames&)> act;
        int code;
        bool partialYear;
        int32_t lastSelected;
    };
    const Case cases[] = {
        {"box ticked, then 4-up",
         [](QWidget& w, const OptionNames& n) {
             box(w, n.box)->click();
             radio(w, n.fourUp)->click();
             press(w, n.ok);
         },
         PrintOptionDialog::kOkCode, false, PrintOptionDialog::kFourUp},
        {"4-up, then back to 2-up",
         [](QWidget& w, const OptionNames& n) {
             radio(w, n.fourUp)->click();
             radio(w, n.twoUp)->click();
             press(w, n.ok);
         },
         PrintOptionDialog::kOkCode, false, PrintOptionDialog::kTwoUp},
        {"2-up with the box ticked",
         [](QWidget& w, const OptionNames& n) {
             box(w, n.box)->click();
             press(w, n.ok);
         },
         PrintOptionDialog::kOkCode, true, PrintOptionDialog::kTwoUp},
        {"box ticked, then Cancel",
         [](QWidget& w, const OptionNames& n) {
             box(w, n.box)->click();
             press(w, n.cancel);
         },
         PrintOptionDialog::kCancelCode, false, PrintOptionDialog::kTwoUp},
        {"close box", [](QWidget& w, const OptionNames&) { w.close(); }, PrintOptionDialog::kCancelCode, false,
         PrintOptionDialog::kTwoUp},
        {"Escape", [](QWidget& w, const OptionNames&) { uitest::key(w, Qt::Key_Escape); },
         PrintOptionDialog::kCancelCode, false, PrintOptionDialog::kTwoUp},
    };
    for (const OptionNames& n : kOptionDialogs) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(n.window) + ": " + c.name);
            session().PartialYear = false;
            answers.expect(n.window, [&](QWidget& w) { c.act(w, n); });
            auto dialog = PrintOptionDialog::make(n.kind, n.filing, window.get());
            EXPECT_EQ(dialog->run(), c.code);
            EXPECT_EQ(session().PartialYear, c.partialYear);
            EXPECT_EQ(dialog->getOKSelected(), c.code == PrintOptionDialog::kOkCode);
            EXPECT_EQ(dialog->getLastSelected(), c.lastSelected);
        }
    }
}

// ---- the recipient flow ----

TEST_F(PrintFlowTest, RecipientFlowAsksForTheLayoutOfMiscIntAndNecOnly) {
    struct Case {
        int formIndex;
        const char* optionDialog;   // none for the kinds without one
        int prompts;                // paper prompts and partial-year questions of the run
    };
    const Case cases[] = {
        {1, "PrintRecipientMISC", 2, }, {3, "PrintRecipientINT", 2}, {6, "PrintRecipientNec", 2},
        {2, nullptr, 2}, {4, nullptr, 3}, {5, nullptr, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formIndex);
        selectKind(c.formIndex);
        const size_t jobsBefore = jobs();
        if (c.optionDialog) answers.expect(c.optionDialog, pressing(namesOf(session().type, false).ok));
        answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
        prompts(c.prompts);
        printRecipients();
        EXPECT_TRUE(answers.allUsed());
        EXPECT_GT(jobs(), jobsBefore);
    }
}

TEST_F(PrintFlowTest, FourUpRecipientRunPrintsOneFourUpSheetWithoutPrompts) {
    selectKind(6);
    answers.expect("PrintRecipientNec", chooseLayout(namesOf(7, false), true, false));
    answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    printRecipients();
    ASSERT_EQ(jobs(), 1u);
    const auto sheets = scripted->jobs().back().sheets;
    ASSERT_TRUE(sheets);
    ASSERT_EQ(sheets->size(), 1u);
    EXPECT_EQ(sheets->sheets()[0].background, "4099NECU2025");
    EXPECT_TRUE(printedWithin("Acme Widgets"));
}

// The seam as the program has it for long jobs: real progress windows.
class ShowingProgress : public ScriptedUserInterface {
public:
    std::unique_ptr<JobProgress> jobProgress(const JobRequest& request) override {
        return std::make_unique<ProgressWindow>(request);
    }
};

TEST_F(PrintFlowTest, TheRunShowsItsStepAndCountAndCancelThereMarksAndPrintsNothing) {
    scripted.reset();
    scripted = std::make_unique<ShowingProgress>();
    ProgressWindow::setShowDelay(0);
    selectKind(1, {0, 1});
    answers.expect("PrintRecipientMISC", chooseLayout(namesOf(1, false), false, false));
    answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    prompts(1);   // Copy B's paper; the run ends at the Cancel
    // Pressed as the user would while the window shows the layout's count.
    QString shown;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (!progress || !progress->isVisible() || !progress->labelText().startsWith("Laying out the forms\n")) continue;
            shown = progress->labelText();
            EXPECT_EQ(progress->windowTitle(), "Print");
            for (QPushButton* b : progress->findChildren<QPushButton*>())
                if (b->isVisible()) b->click();
            watch.stop();
        }
    });
    watch.start();
    printRecipients();
    watch.stop();
    ProgressWindow::setShowDelay(500);

    EXPECT_EQ(shown, "Laying out the forms\n0 of 2");
    EXPECT_EQ(jobs(), 0u);
    for (const RecipientInfo& r : cdb()->getRecipientInfo1(payer, 0, 1, 0)) EXPECT_FALSE(r.getPrinted());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == "ProgressWindow" && w->isVisible()) << "the window closed with the run";
}

TEST_F(PrintFlowTest, PartialYearIsClearedByFourUpAcrossRuns) {
    // A four-up recipient run with the year box ticked before 4-up was chosen...
    selectKind(1);
    answers.expect("PrintRecipientMISC", [](QWidget& w) {
        box(w, "PrintPartialYear_Btn")->click();
        radio(w, "Print_4up")->click();
        press(w, "Ok_btn");
    });
    answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    printRecipients();
    EXPECT_FALSE(session().PartialYear);
    // ...then a two-up filing run with the box left unticked prints the whole year.
    answers.expect("PrintFormForFiling", pressing("Continue_btn"));
    answers.expect("PrintFormsForFIlingMISC", chooseLayout(namesOf(1, true), false, false));
    answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    prompts(4);   // Copy A, Copy C, Copy 1, the 1096
    printFiling();
    EXPECT_TRUE(printed("2025"));
    EXPECT_FALSE(printed("25"));
    // The same filing run with the box ticked prints "25".
    answers.expect("PrintFormForFiling", pressing("Continue_btn"));
    answers.expect("PrintFormsForFIlingMISC", chooseLayout(namesOf(1, true), false, true));
    answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    prompts(4);
    printFiling();
    EXPECT_TRUE(printed("25"));
    EXPECT_FALSE(session().PartialYear);
}

// ---- the alignment notice ----

TEST_F(PrintFlowTest, NoticeIsSkippedOnceItsBoxIsTickedEvenWhenThatShowingIsCancelled) {
    selectKind(2);   // 1099-DIV: no option dialog
    answers.expect("PrintAlignmentDialog", [](QWidget& w) {
        EXPECT_EQ(child<QLabel>(w, "Label1")->text().toStdString(),
                  QString::fromUtf8(PrintAlignmentDialog::kLabel1).trimmed().toStdString());
        box(w, "DonotShowCheckbox")->click();
        box(w, "DonotShowCheckbox")->click();   // clearing it again changes nothing
        press(w, "Cnacel_btn");
    });
    printRecipients();
    EXPECT_EQ(jobs(), 0u);
    EXPECT_TRUE(session().checkbox);
    // The next runs go straight to printing.
    prompts(2);
    printRecipients();
    EXPECT_EQ(jobs(), 1u);
    answers.expect("PrintFormForFiling", pressing("Continue_btn"));
    prompts(4);   // the question, Copy A, Copy C, the 1096
    printFiling();
    EXPECT_EQ(jobs(), 4u);
}

TEST_F(PrintFlowTest, NoticeCancelAndCloseBoxPrintNothing) {
    selectKind(1);
    for (auto end : {pressing("Cnacel_btn"), WindowAnswers::Answer([](QWidget& w) { w.close(); })}) {
        answers.expect("PrintRecipientMISC", pressing("Ok_btn"));
        answers.expect("PrintAlignmentDialog", end);
        printRecipients();
    }
    EXPECT_EQ(jobs(), 0u);
    EXPECT_FALSE(session().checkbox);
}

TEST_F(PrintFlowTest, NoticePageSetupIsTheMainWindowsOnTheOnePrinter) {
    std::vector<QPrinter*> printers;
    auto pageSetup = [&](QWidget& w) {
        auto& dialog = static_cast<QPageSetupDialog&>(w);
        printers.push_back(dialog.printer());
        dialog.reject();
    };
    answers.expect("PrintAlignmentDialog", [](QWidget& w) {
        press(w, "EditPage_btn");
        EXPECT_TRUE(isRunningModal(&w));   // the notice stays open
        press(w, "Cnacel_btn");
    });
    answers.expect(kPageSetupDialogName, pageSetup);
    PrintAlignmentDialog::passes(window.get());
    answers.expect(kPageSetupDialogName, pageSetup);
    item("Editpage")->trigger();
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_EQ(printers[0], &applicationPrinter());
    EXPECT_EQ(printers[1], &applicationPrinter());
}

TEST_F(PrintFlowTest, HelpTextIsShownAndPrintedThroughThePrintService) {
    std::vector<std::string> printedTexts;
    setTextPrinter([&](QWidget*, const std::string& t) {
        printedTexts.push_back(t);
        return true;
    });
    answers.expect("PrintAlignmentDialog", [](QWidget& w) {
        press(w, "PrintInfo_Bitton");
        EXPECT_TRUE(isRunningModal(&w));
        press(w, "Continue_btn");
    });
    answers.expect("PrintPreview", [](QWidget& w) {
        press(w, "Print_Button");
        w.close();
    });
    EXPECT_TRUE(PrintAlignmentDialog::passes(window.get()));
    setTextPrinter({});
    ASSERT_EQ(printedTexts.size(), 1u);
    EXPECT_EQ(printedTexts[0], PrintAlignmentDialog::helpText());
    EXPECT_NE(printedTexts[0].find("test sheet on plain paper"), std::string::npos);
}

// ---- the filing flow ----

TEST_F(PrintFlowTest, FilingDialogShowsThePayersTextsAndHandsItsChoicesToTheRun) {
    selectKind(1, {0});   // Ann Lee of the two 1099-MISC recipients
    answers.expect("PrintFormForFiling", [](QWidget& w) {
        EXPECT_EQ(child<QLabel>(w, "lable1")->text().toStdString(),
                  "Choose 'Use Selected' if you are printing ONLY CORRECTED and VOIDED \n1099s, otherwise choose "
                  "'Use All' to use all Harbor View Dental & Sons MISC recipients ");
        EXPECT_EQ(child<QLabel>(w, "lable2")->text().toStdString(),
                  "Choose 'Print All Recipients' if you want to print 1099s for all Harbor View Dental & Sons MISC\n"
                  " recipients, otherwise choose 'Print Selected Recipients' ");
        EXPECT_TRUE(radio(w, "Print_1096_1")->isChecked());
        EXPECT_TRUE(radio(w, "AllRecipient_1")->isChecked());
        radio(w, "Print_1096_2")->click();   // total the selected one
        EXPECT_FALSE(radio(w, "Print_1096_1")->isChecked());
        press(w, "Continue_btn");            // print all
    });
    answers.expect("PrintFormsForFIlingMISC", chooseLayout(namesOf(1, true), true, false));
    answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    prompts(2);   // Copy A alone with four-up, then the 1096
    printFiling();
    EXPECT_TRUE(printed("Ann Lee"));
    EXPECT_TRUE(printed("Moe Misc"));
    EXPECT_EQ(session().totalNumberOfForms, 1);
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].details, "Please put 1 copies of 1099-MISC Copy A into the printer, then hit ok");
}

TEST_F(PrintFlowTest, FilingCancelPaths) {
    selectKind(3);
    // Cancel in the filing dialog.
    answers.expect("PrintFormForFiling", pressing("Cancel_btn"));
    printFiling();
    // Cancel in the option dialog comes back to the filing dialog, which stays open.
    answers.expect("PrintFormForFiling", [this](QWidget& w) {
        press(w, "Continue_btn");
        EXPECT_TRUE(isRunningModal(&w));
        EXPECT_TRUE(answers.allUsed());
        w.close();
    });
    answers.expect("PrintFormForFilingINT", pressing("Cancel_btn"));
    printFiling();
    // Cancel in the notice ends the filing dialog.
    answers.expect("PrintFormForFiling", pressing("Continue_btn"));
    answers.expect("PrintFormForFilingINT", pressing("OK_btn"));
    answers.expect("PrintAlignmentDialog", pressing("Cnacel_btn"));
    printFiling();
    EXPECT_EQ(jobs(), 0u);
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(PrintFlowTest, FilingWithoutAPayerOpensNothingAndSaysWhy) {
    selectKind(1);
    userSelect(companies(), {});
    session().comp_details->setSelectedCompanies({});
    scripted->answerBox(kMessageAnswerOkYes);
    printFiling();
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].details, kSelectAPayerFirst);
    EXPECT_EQ(jobs(), 0u);
}

// ---- from the main window ----

TEST_F(PrintFlowTest, MainWindowCommandsRunTheFlows) {
    selectKind(6);
    scripted->answerBox(kMessageAnswerOkYes);   // the main window's alignment warning
    scripted->answerFormErrors(true);           // the recipient is not validated
    answers.expect("PrintRecipientNec", chooseLayout(namesOf(7, false), true, false));
    answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    window->PrintformsforRecipient();
    EXPECT_EQ(jobs(), 1u);

    scripted->answerBox(kMessageAnswerOkYes);
    scripted->answerFormErrors(true);
    answers.expect("PrintFormForFiling", pressing("Continue_btn"));
    answers.expect("PrintformforFillingNEC", chooseLayout(namesOf(7, true), false, false));
    answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    prompts(4);
    window->PrintformsforFilling();
    EXPECT_EQ(jobs(), 5u);
}

// ---- through the print sink, to a print queue ----

// Prompts answered by the script; every job printed through the window layer's sink,
// as the program prints it, on the queue "Office" of a print service the test replaces.
class ThroughTheSink : public ScriptedUserInterface {
public:
    PrintResult print(const PrintJob& job) override {
        ScriptedUserInterface::print(job);
        return printJob(nullptr, job);
    }
};

class PrintToQueueTest : public PrintFlowTest {
protected:
    void SetUp() override {
        PrintFlowTest::SetUp();
        scripted.reset();
        scripted = std::make_unique<ThroughTheSink>();
    }
    void TearDown() override {
        setChosenPrintQueueForTests("");
        platform::setPrintService({});
        PrintFlowTest::TearDown();
    }
    // Starts a two-up filing run of the 1099-NEC up to its first paper prompt.
    void necFilingRun() {
        selectKind(6);
        answers.expect("PrintFormForFiling", pressing("Continue_btn"));
        answers.expect("PrintformforFillingNEC", chooseLayout(namesOf(7, true), false, false));
        answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
    }
    std::vector<platform::PrintFileRequest> received;
};

WindowAnswers::Answer acceptPrint() {
    return [](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); };
}

// A ready queue "Office" whose state or PDF support a case changes.
platform::PrintService officeQueue(bool takesPdf, platform::QueueState state,
                                   std::function<bool(const platform::PrintFileRequest&, std::string&)> print) {
    platform::PrintService service = readyQueue(std::move(print));
    service.takesPdf = [takesPdf](const std::string&) { return takesPdf; };
    service.state = [state](const std::string&, platform::QueueState& s, std::string&) {
        s = state;
        return true;
    };
    return service;
}

bool takes(const platform::PrintFileRequest&, std::string&) { return true; }

TEST_F(PrintToQueueTest, AFormRunThatCannotBePrintedOrWaitsSaysWhyAndStops) {
    struct Case {
        const char* name;
        platform::PrintService service;   // empty: the print service of the tests, out of reach
        const char* reason;                // how the message's text starts
        size_t handed;                     // jobs the queue was given
        bool held = false;                 // the copy waits in the queue rather than failing
    };
    const Case cases[] = {
        {"the queue refuses the document",
         readyQueue([](const platform::PrintFileRequest&, std::string& reason) {
             reason = "Destination \"Office\" is not accepting jobs.";
             return false;
         }),
         "Destination \"Office\" is not accepting jobs.", 1},
        {"the queue is not accepting jobs, for its administrator's reason",
         officeQueue(true, {.accepting = false, .message = "Out of 1099 forms"}, takes),
         "The print queue \"Office\" is not accepting jobs. Out of 1099 forms", 0},
        {"the queue does not take PDF", officeQueue(false, {.accepting = true, .message = ""}, takes),
         "The print queue \"Office\" cannot print this program's documents", 0},
        {"no print service answers", {}, "The print service could not be asked about the print queue \"Office\"",
         0},
        {"the queue is stopped", officeQueue(true, {.accepting = true, .stopped = true, .message = ""}, takes),
         "The print queue \"Office\" is stopped. The job waits in the queue", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        received.clear();
        platform::PrintService service = c.service;
        if (service.print)
            service.print = [&, refuse = service.print](const platform::PrintFileRequest& r, std::string& why) {
                received.push_back(r);
                return refuse(r, why);
            };
        platform::setPrintService(service);
        setChosenPrintQueueForTests("Office");
        const size_t boxesBefore = scripted->boxes().size();
        const size_t jobsBefore = jobs();

        // The filing run: Copy A's paper, its print dialog, the message; no Copy C, no
        // Copy 1, no 1096, and no marks beyond Copy A's.
        necFilingRun();
        scripted->answerBox(kMessageAnswerOkYes);   // Copy A's paper
        answers.expect(kPrintDialogName, acceptPrint());
        scripted->answerBox(kMessageAnswerOkYes);   // the message
        printFiling();
        EXPECT_TRUE(answers.allUsed());
        const auto boxes = scripted->boxes();
        ASSERT_EQ(boxes.size(), boxesBefore + 2);
        EXPECT_EQ(boxes[boxesBefore].details, "Please put 1 copies of 1099-NEC Copy A into the printer, then hit ok");
        const std::string caption = c.held ? "\"1099 Print\" is waiting in the print queue."
                                           : "\"1099 Print\" could not be printed.";
        const MessageBoxRequest& told = boxes[boxesBefore + 1];
        EXPECT_EQ(told.caption, caption);
        EXPECT_EQ(told.details.rfind(c.reason, 0), 0u) << told.details;
        EXPECT_NE(told.details.find(c.held ? kFormsHeld : kFormsNotPrinted), std::string::npos) << told.details;
        EXPECT_EQ(told.image, c.held ? kMessageImageMessage : kMessageImageError);
        EXPECT_EQ(jobs(), jobsBefore + 1) << "only Copy A was printed";
        EXPECT_EQ(received.size(), c.handed);

        // The recipient copies stop the same way: Copy B, and no prompt for Copy 2.
        answers.expect("PrintRecipientNec", chooseLayout(namesOf(7, false), false, false));
        answers.expect("PrintAlignmentDialog", pressing("Continue_btn"));
        scripted->answerBox(kMessageAnswerOkYes);   // Copy B's paper
        answers.expect(kPrintDialogName, acceptPrint());
        scripted->answerBox(kMessageAnswerOkYes);   // the message
        printRecipients();
        EXPECT_TRUE(answers.allUsed());
        ASSERT_EQ(scripted->boxes().size(), boxesBefore + 4);
        EXPECT_EQ(scripted->boxes()[boxesBefore + 2].details,
                  "Please put 1 copy of 1099-NEC Copy B into the printer, then hit ok");
        EXPECT_EQ(scripted->boxes()[boxesBefore + 3].caption, caption);
        EXPECT_EQ(jobs(), jobsBefore + 2);
        EXPECT_EQ(received.size(), 2 * c.handed);
        // The marks stay as the run wrote them before the dialog.
        for (const RecipientInfo& r : cdb()->getRecipientInfo1(payer, 0, FormKind::kNec, 0)) EXPECT_TRUE(r.getPrinted());
    }
}

TEST_F(PrintToQueueTest, ACancelledPrintDialogGoesOnToTheNextCopy) {
    platform::setPrintService(readyQueue([&](const platform::PrintFileRequest& r, std::string&) {
        received.push_back(r);
        return true;
    }));
    setChosenPrintQueueForTests("Office");
    necFilingRun();
    for (int copy = 0; copy < 4; ++copy) {   // Copy A, Copy C, Copy 1, the 1096
        scripted->answerBox(kMessageAnswerOkYes);
        answers.expect(kPrintDialogName, [](QWidget& w) { qobject_cast<QDialog*>(&w)->reject(); });
    }
    printFiling();
    EXPECT_TRUE(answers.allUsed());
    EXPECT_EQ(jobs(), 4u);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(scripted->boxes().size(), 4u) << "no message for a cancelled dialog";
}

TEST_F(PrintToQueueTest, FormsAndReportsReachTheQueueWithItsSavedOptionsAndTheDialogsChoicesFormsOnLetter) {
    std::vector<std::string> bytes;
    std::vector<std::string> asked;   // the print service's questions, as "queue/instance"
    platform::PrintService service = readyQueue([&](const platform::PrintFileRequest& r, std::string&) {
        received.push_back(r);
        bytes.emplace_back();
        EXPECT_TRUE(platform::readFile(r.path, bytes.back()));
        return true;
    });
    service.state = [&](const std::string& queue, platform::QueueState& state, std::string&) {
        asked.push_back(queue);
        state = {.accepting = true, .message = ""};
        return true;
    };
    service.takesPdf = [&](const std::string& queue) {
        asked.push_back(queue);
        return true;
    };
    // The instance of the queue kept for the manual tray, as lpoptions saved it: its tray
    // and paper, and copies that the dialog's own choice overrides.
    service.saved = [&](const platform::PrintDestination& d) {
        asked.push_back(d.queue + "/" + d.instance);
        return platform::PrintOptions{{"InputSlot", "Manual"}, {"PageSize", "Legal"}, {"copies", "3"}};
    };
    platform::setPrintService(service);
    setChosenPrintQueueForTests("Office/manualtray", {{"page-set", "odd"}, {"PageSize", "A4"}});
    QPrinter& printer = applicationPrinter();
    std::vector<std::string> namesAtOpen;
    auto twoCollated = [&](QWidget& w) {
        namesAtOpen.push_back(printer.docName().toStdString());
        qobject_cast<QDialog*>(&w)->accept();
        printer.setCopyCount(2);
        printer.setCollateCopies(true);
    };
    necFilingRun();
    for (int copy = 0; copy < 4; ++copy) {   // Copy A, Copy C, Copy 1, the 1096
        scripted->answerBox(kMessageAnswerOkYes);
        answers.expect(kPrintDialogName, twoCollated);
    }
    printFiling();
    answers.expect(kPrintDialogName, twoCollated);
    handOffs().summaryReport(window.get());
    EXPECT_TRUE(answers.allUsed());
    printer.setCopyCount(1);
    printer.setCollateCopies(false);

    ASSERT_EQ(received.size(), 5u);
    ASSERT_EQ(asked.size(), 15u);
    for (size_t i = 0; i < received.size(); ++i)
        EXPECT_EQ(std::vector<std::string>(asked.begin() + 3 * i, asked.begin() + 3 * i + 3),
                  (std::vector<std::string>{"Office", "Office", "Office/manualtray"}));
    auto option = [](const platform::PrintFileRequest& r, const std::string& name) {
        for (const auto& [n, v] : r.options)
            if (n == name) return v;
        return std::string("(none)");
    };
    for (size_t i = 0; i < received.size(); ++i) {
        const platform::PrintFileRequest& r = received[i];
        const bool report = i == 4;
        SCOPED_TRACE(r.title);
        EXPECT_EQ(r.queue, "Office");
        EXPECT_EQ(r.title, report ? "Talvexa 1099 E-File 2025" : "1099 Print");
        EXPECT_EQ(namesAtOpen[i], r.title) << "the printer is named for the job when its dialog opens";
        EXPECT_EQ(option(r, "copies"), "2");
        EXPECT_EQ(option(r, "collate"), "true");
        EXPECT_EQ(option(r, "page-set"), "odd");
        EXPECT_EQ(option(r, "InputSlot"), "Manual");
        EXPECT_EQ(option(r, "print-scaling"), "none");
        // Forms stay on letter, portrait, or they miss the pre-printed boxes.
        EXPECT_EQ(option(r, "PageSize"), report ? "A4" : "(none)");
        if (!report) {
            EXPECT_EQ(option(r, "media"), "na_letter_8.5x11in");
            EXPECT_EQ(option(r, "orientation-requested"), "3");
            const std::string info = reportpdf::runTool("pdfinfo " + reportpdf::quoted(testoutput::keepPdf(bytes[i]))).output;
            EXPECT_NE(info.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info;
        }
    }
}

// The summary report's file holds every recipient's name, address and amounts and lies
// in the configuration folder, which others may be able to write to: it is gone before
// the print dialog opens, which may stay open for any time, and a link placed at its name
// leaves what it points to as it was while the report still prints.
TEST_F(PrintToQueueTest, TheReportFileIsGoneWhileThePrintDialogIsOpenAndNeverWrittenThroughALink) {
    std::vector<std::string> bytes;
    platform::setPrintService(readyQueue([&](const platform::PrintFileRequest& r, std::string&) {
        bytes.emplace_back();
        EXPECT_TRUE(platform::readFile(r.path, bytes.back()));
        return true;
    }));
    setChosenPrintQueueForTests("Office");
    const std::string reportFile = session().ControlledTempDir + "/report.PDF";
    const std::string users = home.file("tax notes.txt");
    struct Case {
        const char* name;
        std::function<void()> place;   // what stands at the file's name before the run
    };
    const Case cases[] = {
        {"nothing", [] {}},
        {"a report an earlier run left", [&] { ASSERT_TRUE(platform::writeFileAtomically(reportFile, "old")); }},
        {"a link to a file of the user's",
         [&] { ASSERT_EQ(::symlink(users.c_str(), reportFile.c_str()), 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(platform::writeFileAtomically(users, "the user's own"));
        c.place();
        bytes.clear();
        bool fileWhileOpen = true;
        answers.expect(kPrintDialogName, [&](QWidget& w) {
            fileWhileOpen = std::filesystem::symlink_status(reportFile).type() != std::filesystem::file_type::not_found;
            qobject_cast<QDialog*>(&w)->accept();
        });
        handOffs().summaryReport(window.get());
        EXPECT_TRUE(answers.allUsed());
        EXPECT_FALSE(fileWhileOpen) << "the report file was there while the dialog was open";
        EXPECT_EQ(std::filesystem::symlink_status(reportFile).type(), std::filesystem::file_type::not_found);
        std::string kept;
        ASSERT_TRUE(platform::readFile(users, kept));
        EXPECT_EQ(kept, "the user's own");
        ASSERT_EQ(bytes.size(), 1u) << "the report reached the queue";
        const reportpdf::Document doc = reportpdf::read(bytes[0]);
        EXPECT_EQ(doc.problems, std::vector<std::string>{});
        const auto runs = reportpdf::textRuns(doc);
        EXPECT_TRUE(std::any_of(runs.begin(), runs.end(),
                                [](const reportpdf::TextRun& r) { return r.text == "1099 Summary Report"; }));
    }
}

}  // namespace
