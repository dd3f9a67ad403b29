#pragma once

// The main window over a company database with a payer and its recipients, the print
// hand-offs installed as the program installs them, a scripted seam that records the
// print jobs, and a queue of answers for the windows run modally.

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QLineEdit>

#include "ReportPdfReader.h"
#include "core/store/MailingLabelInfo.h"
#include "ui/UiTestHelpers.h"
#include "ui/main/MainWindowFixture.h"
#include "ui/print/PrintHandOffs.h"
#include "ui/support/HandOffs.h"
#include "ui/support/ModalLoop.h"

// Answers the windows run modally, in order, each checked by its object name; a window
// that comes unexpected fails the test.
class WindowAnswers {
public:
    using Answer = std::function<void(QWidget&)>;

    WindowAnswers() : responder_([this](QWidget& w) { answer(w); }) {}
    void expect(std::string name, Answer answer) { queue_.push_back({std::move(name), std::move(answer)}); }
    bool allUsed() const { return queue_.empty(); }

private:
    void answer(QWidget& window) {
        const std::string name = window.objectName().toStdString();
        if (queue_.empty()) {
            ADD_FAILURE() << "unexpected window " << name;
            return;
        }
        auto [expected, answer] = std::move(queue_.front());
        queue_.pop_front();
        EXPECT_EQ(name, expected);
        if (name == expected) answer(window);
    }

    std::deque<std::pair<std::string, Answer>> queue_;
    ScopedModalResponder responder_;
};

class LabelWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        handOffs() = HandOffs{};
        installPrintHandOffs();
        session().ControlledTempDir = home.path() + "/config";
        std::filesystem::create_directories(session().ControlledTempDir);
        openDatabase();
        payer = addPayer("Harbor View Dental & Sons");
        addRecipient(payer, {1, "Ann", "Ann Lee", "Lee"});
        addRecipient(payer, {7, "", "Acme Widgets", "", true});
        showDatabase();
    }
    void TearDown() override {
        EXPECT_TRUE(answers.allUsed()) << "window answers left over";
        handOffs() = HandOffs{};
        MainWindowTest::TearDown();
    }

    void selectPayer() { userSelect(companies(), {0}); }

    static QLineEdit* field(QWidget& w, const char* name) { return uitest::child<QLineEdit>(w, name); }
    static std::string textOf(QWidget& w, const char* name) { return field(w, name)->text().toStdString(); }
    // The six fields as shown: left, top, width, height, across, repeat.
    static std::vector<std::string> shown(QWidget& w) {
        std::vector<std::string> values;
        for (const char* name : {"Leftlabel", "TopLabel", "LabelWidth", "LabelHeight", "CrossLabel", "Repeatlabel"})
            values.push_back(textOf(w, name));
        return values;
    }
    static void fill(QWidget& w, const std::vector<std::string>& values) {
        const char* names[] = {"Leftlabel", "TopLabel", "LabelWidth", "LabelHeight", "CrossLabel", "Repeatlabel"};
        for (size_t i = 0; i < values.size(); ++i) field(w, names[i])->setText(QString::fromStdString(values[i]));
    }
    // Types the text into the field as keys, replacing what it holds.
    static void type(QWidget& w, const char* name, const std::string& text) {
        QLineEdit* f = field(w, name);
        f->setFocus();
        f->selectAll();
        for (char c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
            QApplication::sendEvent(f, &press);
        }
    }
    // The payer's stored settings: left, top, width, height, across, repeat.
    std::vector<std::string> stored() {
        const MailingLabelInfo info = cdb()->SelectMailingLabelInfo(payer);
        return {info.getLeft(), info.getTop(), info.getWidth(), info.getHeight(), std::to_string(info.getAcross()),
                std::to_string(info.getRepeat())};
    }
    // Runs the main window's Mailing Labels command, answering its question.
    void labelsCommand(int answer) {
        scripted->answerBox(answer);
        window->MailingLabels();
    }
    size_t jobs() const { return scripted->jobs().size(); }

    WindowAnswers answers;
    int32_t payer = -1;
};

inline const std::vector<std::string> kDefaults{"0.30", "0.20", "3.00", "1.00", "1", "1"};
