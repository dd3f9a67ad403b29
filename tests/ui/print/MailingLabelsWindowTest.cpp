// The label settings window behind the main window's Mailing Labels command: what it
// shows, the typing limits, the checks on Save, one print job for each way out, the
// reset to the defaults, and no payer selected.

#include <gtest/gtest.h>

#include <QPushButton>

#include "LabelWindowFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/print/MailingLabels.h"

namespace {

using Strings = std::vector<std::string>;

const char kWindow[] = "MailingLabels";

TEST_F(LabelWindowTest, ShowsTheStoredSettingsAndCutsWhatIsTyped) {
    selectPayer();
    const Strings before = stored();
    answers.expect(kWindow, [&](QWidget& w) {
        EXPECT_EQ(shown(w), kDefaults);
        EXPECT_TRUE(uitest::child<QPushButton>(w, "Save_btn")->isDefault());
        type(w, "Leftlabel", "1.2345");
        type(w, "TopLabel", "0.25");
        type(w, "LabelWidth", "2.62599");
        type(w, "CrossLabel", "12");
        type(w, "Repeatlabel", "34");
        EXPECT_EQ(shown(w), (Strings{"1.234", "0.25", "2.625", "1.00", "1", "3"}));
        uitest::press(w, "Cancel_btn");
    });
    labelsCommand(kMessageAnswerOkYes);
    // Cancel leaves the stored settings and prints with them.
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(jobs(), 1u);
}

TEST_F(LabelWindowTest, SaveRefusesSettingsThatFailTheirChecksAndKeepsTheWindowOpen) {
    struct Case {
        const char* name;
        Strings typed;
        Strings lines;   // the failing fields named in the message
    };
    const Case cases[] = {
        {"empty measures", {"", "", "", "", "1", "1"},
         {"Left: inches with at most two decimals, 0 or more (such as 0.30)", "Top: inches with at most two decimals, 0 or more (such as 0.20)",
          "Width: inches with at most two decimals, more than 0 (such as 3.00)", "Height: inches with at most two decimals, more than 0 (such as 1.00)"}},
        {"not numbers", {"abc", "0.2.", "3,,0", "1.234", "1", "1"},
         {"Left: inches with at most two decimals, 0 or more (such as 0.30)", "Top: inches with at most two decimals, 0 or more (such as 0.20)",
          "Width: inches with at most two decimals, more than 0 (such as 3.00)", "Height: inches with at most two decimals, more than 0 (such as 1.00)"}},
        {"negative margin", {"-1", "0.20", "3.00", "1.00", "1", "1"}, {"Left: inches with at most two decimals, 0 or more (such as 0.30)"}},
        {"zero sizes", {"0", "0", "0", "0.00", "1", "1"},
         {"Width: inches with at most two decimals, more than 0 (such as 3.00)", "Height: inches with at most two decimals, more than 0 (such as 1.00)"}},
        {"zero counts", {"0.30", "0.20", "3.00", "1.00", "0", "0"},
         {"Across: a number from 1 to 9", "Repeat: a number from 1 to 9"}},
        {"counts that are no numbers", {"0.30", "0.20", "3.00", "1.00", "x", ""},
         {"Across: a number from 1 to 9", "Repeat: a number from 1 to 9"}},
    };
    selectPayer();
    answers.expect(kWindow, [&](QWidget& w) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const size_t boxes = scripted->boxes().size();
            fill(w, c.typed);
            scripted->answerBox(kMessageAnswerOkYes);
            uitest::press(w, "Save_btn");
            ASSERT_EQ(scripted->boxes().size(), boxes + 1);
            const MessageBoxRequest box = scripted->boxes().back();
            std::string details;
            for (const std::string& line : c.lines) details += (details.empty() ? "" : "\n") + line;
            EXPECT_EQ(box.caption, "These label settings cannot be saved:");
            EXPECT_EQ(box.details, details);
            EXPECT_EQ(box.style, kMessageStyleOK);
            EXPECT_EQ(box.image, kMessageImageError);
            EXPECT_TRUE(isRunningModal(&w));
            EXPECT_EQ(stored(), kDefaults);
            EXPECT_EQ(jobs(), 0u);
        }
        // Zero margins may be stored.
        fill(w, {"0", "0.00", "8.50", "11", "1", "1"});
        uitest::press(w, "Save_btn");
        EXPECT_FALSE(isRunningModal(&w));
    });
    labelsCommand(kMessageAnswerOkYes);
    EXPECT_EQ(stored(), (Strings{"0", "0.00", "8.50", "11", "1", "1"}));
    EXPECT_EQ(jobs(), 1u);
}

TEST_F(LabelWindowTest, EveryWayOutPrintsTheLabelsExactlyOnce) {
    struct Case {
        const char* name;
        std::function<void(QWidget&)> leave;
        Strings stored;
    };
    const Strings saved{"0.50", "0.25", "2.75", "1.50", "3", "2"};
    const Case cases[] = {
        {"Save",
         [&](QWidget& w) {
             fill(w, saved);
             uitest::press(w, "Save_btn");
         },
         saved},
        {"Return on a field",
         [&](QWidget& w) {
             fill(w, saved);
             field(w, "LabelHeight")->setFocus();
             uitest::key(w, Qt::Key_Return);
         },
         saved},
        {"Cancel",
         [&](QWidget& w) {
             fill(w, saved);
             uitest::press(w, "Cancel_btn");
         },
         kDefaults},
        {"close box",
         [&](QWidget& w) {
             fill(w, saved);
             w.close();
         },
         kDefaults},
        {"Escape", [&](QWidget& w) { uitest::key(w, Qt::Key_Escape); }, kDefaults},
    };
    selectPayer();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MailingLabelInfo reset = cdb()->SelectMailingLabelInfo(payer);
        MailingLabelInfo defaults;
        defaults.setPK(reset.getPK());
        defaults.setCompanyFK(reset.getCompanyFK());
        ASSERT_TRUE(cdb()->updateMailingLabelInfo(defaults));
        const size_t before = jobs();
        answers.expect(kWindow, c.leave);
        labelsCommand(kMessageAnswerOkYes);
        EXPECT_EQ(jobs(), before + 1);
        EXPECT_EQ(stored(), c.stored);
    }
    // The job printed after Save is laid out by the saved settings: 0.50 inches from
    // the left edge is 36 points past the 6-point margin.
    const auto runs = reportpdf::textRuns(reportpdf::read(scripted->jobs()[0].pdf));
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].x, 42);
    EXPECT_EQ(runs[0].text, "Ann Lee");
}

TEST_F(LabelWindowTest, ResetStoresAndShowsTheDefaultsAndTheNextWindowPrintsOnce) {
    struct Case {
        const char* name;
        const char* secondLeaves;   // the button the second window is left by
    };
    const Case cases[] = {{"then Save", "Save_btn"}, {"then Cancel", "Cancel_btn"}};
    selectPayer();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MailingLabelInfo info = cdb()->SelectMailingLabelInfo(payer);
        info.setLeft("1.00");
        info.setAcross(3);
        ASSERT_TRUE(cdb()->updateMailingLabelInfo(info));
        const size_t before = jobs();
        answers.expect(kWindow, [&](QWidget& w) {
            EXPECT_EQ(textOf(w, "Leftlabel"), "1.00");
            EXPECT_EQ(textOf(w, "CrossLabel"), "3");
            scripted->answerBox(kMessageAnswerOkYes);
            uitest::press(w, "Restore_btn");
            const MessageBoxRequest box = scripted->boxes().back();
            EXPECT_EQ(box.caption, "Reset Label Setting to Default values");
            EXPECT_EQ(box.details, "Do you want to reset the label preferences?");
            EXPECT_EQ(box.style, kMessageStyleYesNo);
            EXPECT_EQ(box.title, "Mailing Preferences");
            EXPECT_EQ(box.image, kMessageImagePrompt);
            EXPECT_TRUE(box.flag);
        });
        answers.expect(kWindow, [&](QWidget& w) {
            EXPECT_EQ(shown(w), kDefaults);
            EXPECT_EQ(stored(), kDefaults);
            uitest::press(w, c.secondLeaves);
        });
        labelsCommand(kMessageAnswerOkYes);
        EXPECT_EQ(jobs(), before + 1);
        EXPECT_EQ(stored(), kDefaults);
    }
}

TEST_F(LabelWindowTest, ResetDeclinedKeepsTheWindowAndItsSettings) {
    selectPayer();
    answers.expect(kWindow, [&](QWidget& w) {
        fill(w, {"0.40"});
        scripted->answerBox(kMessageAnswerNo);
        uitest::press(w, "Restore_btn");
        EXPECT_TRUE(isRunningModal(&w));
        EXPECT_EQ(textOf(w, "Leftlabel"), "0.40");
        uitest::press(w, "Save_btn");
    });
    labelsCommand(kMessageAnswerOkYes);
    EXPECT_EQ(stored()[0], "0.40");
    EXPECT_EQ(jobs(), 1u);
}

TEST_F(LabelWindowTest, APayerWithoutALabelRowGetsOneOnSave) {
    ASSERT_TRUE(cdb()->db->executeUpdate("delete from mailinglabel where CompanyFK = ?;", payer));
    selectPayer();
    answers.expect(kWindow, [&](QWidget& w) {
        EXPECT_EQ(shown(w), kDefaults);
        fill(w, {"0.40", "0.10"});
        uitest::press(w, "Save_btn");
    });
    labelsCommand(kMessageAnswerOkYes);
    EXPECT_EQ(stored(), (Strings{"0.40", "0.10", "3.00", "1.00", "1", "1"}));
    EXPECT_EQ(jobs(), 1u);
}

TEST_F(LabelWindowTest, NoPayerSelectedIsToldOnceAndNothingIsShownOrPrinted) {
    const auto expectSelectAPayer = [&] {
        ASSERT_FALSE(scripted->boxes().empty());
        const MessageBoxRequest box = scripted->boxes().back();
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.details, "Select a payer in the company list first.");
        EXPECT_EQ(box.style, kMessageStyleOK);
        EXPECT_EQ(box.title, "Talvexa 1099 E-File 2025");
        EXPECT_EQ(box.image, kMessageImagePlain);
    };
    // The command says so before asking about the label preferences.
    scripted->answerBox(kMessageAnswerOkYes);
    window->MailingLabels();
    EXPECT_EQ(scripted->boxes().size(), 1u);
    expectSelectAPayer();
    // The window says so itself when opened without one.
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(MailingLabels::run(window.get()), MailingLabels::kCancelledCode);
    expectSelectAPayer();
    EXPECT_EQ(jobs(), 0u);
}

TEST_F(LabelWindowTest, AnsweringNoPrintsWithTheStoredSettingsAtOnce) {
    selectPayer();
    labelsCommand(kMessageAnswerNo);
    EXPECT_EQ(jobs(), 1u);
    const auto runs = reportpdf::textRuns(reportpdf::read(scripted->jobs()[0].pdf));
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs[3].text, " Acme Widgets");
}

TEST_F(LabelWindowTest, SummaryReportCommandPrintsTheReport) {
    selectPayer();
    window->SummaryReport();
    ASSERT_EQ(jobs(), 1u);
    const auto runs = reportpdf::textRuns(reportpdf::read(scripted->jobs()[0].pdf));
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].text, "1099 Summary Report");
    EXPECT_EQ(runs[1].text, "Harbor View Dental & Sons");
}

}  // namespace
