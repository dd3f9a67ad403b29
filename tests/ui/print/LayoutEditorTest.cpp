// The print-layout editor behind the main window's Edit Print Forms command: the
// chooser's forms, loading the stored or the built-in layout, switching printing off
// and on, dragging a field, and what closing the editor stores.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>

#include "LabelWindowFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/print/LayoutEditing.h"
#include "core/print/REPDATA.h"
#include "core/print/SheetModel.h"
#include "core/print/rept.h"
#include "core/store/WX_FORMAT.h"
#include "core/store/format.h"
#include "ui/print/EditPrintformats.h"
#include "ui/print/FormatController.h"

namespace {

using layoutediting::Layout;

const char kChooser[] = "EditPrintformats";
const char kEditor[] = "FormatController";
constexpr int kNecPosition = 6;

class LayoutEditorTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        handOffs() = HandOffs{};
        handOffs().editPrintLayouts = &EditPrintformats::runFromMainWindow;
        openDatabase();
        showDatabase();
    }
    void TearDown() override {
        EXPECT_TRUE(answers.allUsed()) << "window answers left over";
        handOffs() = HandOffs{};
        MainWindowTest::TearDown();
    }

    static Layout stored(int32_t code) {
        WX_FORMAT holder;
        return format().GetWXFmt(holder.Val, code, false);
    }
    static Layout builtIn(int32_t code) {
        WX_FORMAT holder;
        return format().GetWXFmt(holder.Val, code, true);
    }
    static FormatController& editor(QWidget& w) { return dynamic_cast<FormatController&>(w); }
    static QWidget* sheet(QWidget& w) { return uitest::child<QWidget>(w, "CheckForamt_View"); }

    // Where the editor shows a layout entry, as a widget rectangle on the sheet.
    static QRect shownAt(const WX_FMTVAL& entry) {
        const layoutediting::LabelFrame f = layoutediting::frameOf(entry);
        return QRect(f.left, layoutediting::kCanvasHeight - f.bottom - f.height, f.width, f.height);
    }

    static void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    static void click(QWidget* target, QPoint at) {
        mouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        mouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    static void doubleClick(QWidget* target, QPoint at) {
        click(target, at);
        mouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        mouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    // Presses at `from`, moves in a few steps by `by` and lets go.
    static void drag(QWidget* target, QPoint from, QPoint by) {
        mouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        for (int step = 1; step <= 4; ++step)
            mouse(target, QEvent::MouseMove, from + by * step / 4, Qt::NoButton, Qt::LeftButton);
        mouse(target, QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton);
    }
    static bool red(QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(Qt::red); }

    // The chooser: picks the list position and presses a button.
    void choose(int position, const char* button) {
        answers.expect(kChooser, [position, button](QWidget& w) {
            auto* list = uitest::child<QComboBox>(w, "Misc_Combo_Choice");
            list->setCurrentIndex(position);
            uitest::press(w, button);
        });
    }
    // Closes the editor with the close box and answers the save question.
    void closeEditor(QWidget& w, int answer) {
        scripted->answerBox(answer);
        w.close();
    }
    void cancelChooser() {
        answers.expect(kChooser, [](QWidget& w) { uitest::press(w, "Cancel_Button"); });
    }

    WindowAnswers answers;
};

TEST_F(LayoutEditorTest, EachChooserPositionOpensItsFormWithOneLabelPerField) {
    const auto forms = layoutediting::formChoices();
    for (size_t position = 0; position < forms.size(); ++position) {
        const layoutediting::FormChoice form = forms[position];
        choose(static_cast<int>(position), "EditCurrent_Button");
        answers.expect(kEditor, [this, form](QWidget& w) {
            SCOPED_TRACE(form.form);
            FormatController& e = editor(w);
            EXPECT_EQ(e.whichRecipientFormatTypeToEdit(), form.layoutCode);
            EXPECT_FALSE(e.getFormatsFromProgram());
            ASSERT_EQ(e.fieldCount(), form.fields);
            EXPECT_EQ(sheet(w)->findChildren<QLabel*>().size(), form.fields);
            const auto labels = layoutediting::fieldLabels(form.layoutCode);
            Layout shown = stored(form.layoutCode);
            layoutediting::applyDisplayWidths(shown, form.layoutCode);
            for (int i = 0; i < form.fields; ++i) {
                QLabel* label = e.fieldLabel(i);
                EXPECT_EQ(label->text().toStdString(), labels[static_cast<size_t>(i)]);
                EXPECT_EQ(label->geometry(), shownAt(shown[static_cast<size_t>(i)])) << i;
                EXPECT_FALSE(red(label)) << i;
            }
            EXPECT_EQ(e.fieldLabel(form.fields), nullptr);
            closeEditor(w, kMessageAnswerNo);
        });
    }
    cancelChooser();
    window->Editprintforms_Action();
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes[0].caption, " ");
    EXPECT_EQ(boxes[0].details, "Do you wish to save any changes to the Format?");
    EXPECT_EQ(boxes[0].style, kMessageStyleYesNo);
    EXPECT_EQ(boxes[0].title, "Save Changes");
    EXPECT_EQ(boxes[0].image, kMessageImagePrompt);
    EXPECT_FALSE(boxes[0].flag);
}

TEST_F(LayoutEditorTest, EditCurrentShowsTheStoredLayoutAndResetTheBuiltInOne) {
    Layout moved = stored(9);
    moved[8].pt() = WX_XPOINT{300, 400};
    moved[14].setNoprint(1);
    ASSERT_TRUE(cdb()->Update1099NECFields(moved));

    choose(kNecPosition, "EditCurrent_Button");
    answers.expect(kEditor, [&](QWidget& w) {
        EXPECT_EQ(editor(w).fieldLabel(8)->geometry(), shownAt(moved[8]));
        EXPECT_TRUE(red(editor(w).fieldLabel(14)));
        EXPECT_FALSE(red(editor(w).fieldLabel(13)));
        closeEditor(w, kMessageAnswerNo);
    });
    choose(kNecPosition, "Reset_Button");
    answers.expect(kEditor, [&](QWidget& w) {
        EXPECT_TRUE(editor(w).getFormatsFromProgram());
        EXPECT_EQ(editor(w).fieldLabel(8)->geometry(), shownAt(builtIn(9)[8]));
        EXPECT_FALSE(red(editor(w).fieldLabel(14)));
        closeEditor(w, kMessageAnswerNo);
    });
    cancelChooser();
    window->Editprintforms_Action();
    // Reset followed by "No" leaves the stored layout as it was.
    EXPECT_EQ(stored(9)[8].pt(), (WX_XPOINT{300, 400}));

    // Reset followed by "Yes" stores the built-in layout, with the widths the editor
    // shows (the narrow marks 20 wide).
    choose(kNecPosition, "Reset_Button");
    answers.expect(kEditor, [&](QWidget& w) { closeEditor(w, kMessageAnswerOkYes); });
    cancelChooser();
    window->Editprintforms_Action();
    Layout expected = builtIn(9);
    layoutediting::applyDisplayWidths(expected, 9);
    expected.resize(100);
    EXPECT_EQ(stored(9), expected);
    EXPECT_EQ(stored(9)[0].width(), 20);
    EXPECT_EQ(stored(9)[11].width(), 250);
}

TEST_F(LayoutEditorTest, DoubleClickSwitchesPrintingOffAndOnAndAClickBesideEveryLabelMovesNothing) {
    choose(0, "EditCurrent_Button");
    answers.expect(kEditor, [&](QWidget& w) {
        FormatController& e = editor(w);
        QLabel* box5 = e.fieldLabel(4);
        const QRect before = box5->geometry();
        doubleClick(sheet(w), before.center());
        EXPECT_TRUE(red(box5));
        EXPECT_EQ(e.val()[4].noprint(), 1);
        EXPECT_EQ(box5->geometry(), before);
        doubleClick(sheet(w), before.center());
        EXPECT_FALSE(red(box5));
        EXPECT_EQ(e.val()[4].noprint(), 0);
        doubleClick(sheet(w), before.center());

        // A press where no label is, then a drag: nothing moves.
        const Layout edited = e.val();
        drag(sheet(w), QPoint(5, 810), QPoint(200, -300));
        EXPECT_EQ(e.val(), edited);
        EXPECT_EQ(box5->geometry(), before);
        closeEditor(w, kMessageAnswerOkYes);
    });
    cancelChooser();
    window->Editprintforms_Action();
    EXPECT_EQ(stored(0)[4].noprint(), 1);
    EXPECT_EQ(stored(0)[3].noprint(), 0);
}

// A dragged field is stored where it was dropped, the fifth field (index 4) as every
// other, so the reopened editor shows both where the user left them.
TEST_F(LayoutEditorTest, DraggedFieldsAreStoredWhereTheyWereDropped) {
    const Layout before = stored(9);
    QRect dropped4, dropped8;
    choose(kNecPosition, "EditCurrent_Button");
    answers.expect(kEditor, [&](QWidget& w) {
        FormatController& e = editor(w);
        QLabel* box1 = e.fieldLabel(8);
        const QRect start = box1->geometry();
        drag(sheet(w), start.topLeft() + QPoint(3, 4), QPoint(-40, 100));
        EXPECT_EQ(box1->geometry(), start.translated(-40, 100));
        dropped8 = box1->geometry();

        QLabel* city = e.fieldLabel(4);
        drag(sheet(w), city->geometry().center(), QPoint(72, 36));
        dropped4 = city->geometry();
        closeEditor(w, kMessageAnswerOkYes);
    });
    cancelChooser();
    window->Editprintforms_Action();

    const Layout after = stored(9);
    const auto storedFor = [](const QRect& r) {
        return layoutediting::storedPosition(r.left(), layoutediting::kCanvasHeight - (r.top() + r.height()));
    };
    EXPECT_EQ(after[8].pt(), storedFor(dropped8));
    EXPECT_EQ(after[4].pt(), storedFor(dropped4));
    // One inch right and half an inch down, give or take the hundredth the points cost.
    EXPECT_NEAR(after[4].pt().x, before[4].pt().x + 100, 1);
    EXPECT_NEAR(after[4].pt().y, before[4].pt().y + 50, 1);
    for (int i : {5, 9, 23}) EXPECT_EQ(after[static_cast<size_t>(i)], before[static_cast<size_t>(i)]) << i;

    choose(kNecPosition, "EditCurrent_Button");
    answers.expect(kEditor, [&](QWidget& w) {
        for (auto [tag, dropped] : {std::pair{8, dropped8}, std::pair{4, dropped4}}) {
            const QRect shown = editor(w).fieldLabel(tag)->geometry();
            EXPECT_LE(std::abs(shown.left() - dropped.left()), 1) << tag;
            EXPECT_LE(std::abs(shown.top() - dropped.top()), 1) << tag;
        }
        closeEditor(w, kMessageAnswerNo);
    });
    cancelChooser();
    window->Editprintforms_Action();
}

// The next print run of the form places the moved field where it was dropped.
TEST_F(LayoutEditorTest, APrintRunAfterASavedMovePlacesTheFieldThere) {
    const int32_t payer = addPayer("Harbor View Dental & Sons");
    RecipientInfo r;
    r.setCompany_FK(payer);
    r.setType(7);
    r.setFirstName("Ann");
    r.setLastName("Lee");
    r.setLine1_NEC("1001.00");
    RecipientAdditionalInfo a;
    a.setCompany_FK(payer);
    a.setType(7);
    ASSERT_TRUE(cdb()->insertRecipientInfo(r, a));
    const int32_t key = r.getPK();
    // Box 1's frame on the sheet of a 1099-NEC run over the recipient.
    const auto box1Frame = [&]() -> PlacedText {
        REPDATA request;
        request.setReptnum(REPDATA::kNec);
        request.setWxtype(9);
        request.setFormKind(7);
        request.setTheListBox({cdb()->getRecipientInfo(key)});
        request.setTheListBox2({cdb()->getCompanyInfo1(payer)});
        request.setTheAddListBox3({cdb()->getRecipientAdditionalInfo(key)});
        rept().DoReport(request);
        const std::vector<PrintJob> jobs = scripted->jobs();
        if (jobs.empty() || !jobs.back().sheets || jobs.back().sheets->empty()) return {};
        for (const PlacedText& t : jobs.back().sheets->sheets().front().texts)
            if (t.text == "1001.00") return t;
        return {};
    };
    const PlacedText before = box1Frame();
    ASSERT_EQ(before.text, "1001.00");

    choose(kNecPosition, "EditCurrent_Button");
    answers.expect(kEditor, [&](QWidget& w) {
        QLabel* box1 = editor(w).fieldLabel(8);
        drag(sheet(w), box1->geometry().topLeft() + QPoint(3, 4), QPoint(-40, 100));
        closeEditor(w, kMessageAnswerOkYes);
    });
    cancelChooser();
    window->Editprintforms_Action();

    const PlacedText after = box1Frame();
    ASSERT_EQ(after.text, "1001.00");
    // Stored in hundredths of an inch, so a point either way is the conversion's cost.
    EXPECT_NEAR(after.x, before.x - 40, 1);
    EXPECT_NEAR(after.y, before.y + 100, 1);
}

TEST_F(LayoutEditorTest, ALabelStopsAtTheSheetEdges) {
    choose(5, "EditCurrent_Button");   // 1096
    answers.expect(kEditor, [&](QWidget& w) {
        FormatController& e = editor(w);
        QLabel* phone = e.fieldLabel(4);
        const QSize size = phone->size();
        drag(sheet(w), phone->geometry().center(), QPoint(-5000, -5000));
        EXPECT_EQ(phone->pos(), QPoint(0, 0));
        EXPECT_EQ(e.val()[4].pt(), layoutediting::storedPosition(0, layoutediting::kCanvasHeight - size.height()));
        drag(sheet(w), phone->geometry().center(), QPoint(5000, 5000));
        EXPECT_EQ(phone->geometry().bottomRight(), QPoint(sheet(w)->width() - 1, sheet(w)->height() - 1));
        EXPECT_EQ(e.val()[4].pt(), layoutediting::storedPosition(sheet(w)->width() - size.width(), 0));
        closeEditor(w, kMessageAnswerNo);
    });
    cancelChooser();
    window->Editprintforms_Action();
}

TEST_F(LayoutEditorTest, NoStoresNothingAndClosingTheEditorBringsBackTheChooser) {
    const Layout before = stored(3);
    choose(2, "EditCurrent_Button");   // 1099-INT
    answers.expect(kEditor, [&](QWidget& w) {
        drag(sheet(w), editor(w).fieldLabel(3)->geometry().center(), QPoint(30, 30));
        doubleClick(sheet(w), editor(w).fieldLabel(5)->geometry().center());
        // Closing the question without an answer goes back to the editor.
        scripted->answerBox(kMessageAnswerCloseBox);
        w.close();
        EXPECT_TRUE(isRunningModal(&w));
        // Escape asks too.
        scripted->answerBox(kMessageAnswerNo);
        uitest::key(w, Qt::Key_Escape);
        EXPECT_FALSE(isRunningModal(&w));
    });
    // The chooser again, ended by its close box.
    answers.expect(kChooser, [](QWidget& w) { w.close(); });
    window->Editprintforms_Action();
    EXPECT_EQ(stored(3), before);
    EXPECT_EQ(scripted->boxes().size(), 2u);
}

TEST_F(LayoutEditorTest, TheChooserEndsWith1000HoweverItEnds) {
    struct Case {
        const char* name;
        std::function<void(QWidget&)> end;
        bool chosen;
        int32_t code;
        bool fromProgram;
    };
    const Case cases[] = {
        {"Cancel", [](QWidget& w) { uitest::press(w, "Cancel_Button"); }, false, 0, false},
        {"close box", [](QWidget& w) { w.close(); }, false, 0, false},
        {"Escape", [](QWidget& w) { uitest::key(w, Qt::Key_Escape); }, false, 0, false},
        {"Return", [](QWidget& w) { uitest::key(w, Qt::Key_Return); }, true, 0, false},
        {"Edit Current on 1099-R",
         [](QWidget& w) {
             uitest::child<QComboBox>(w, "Misc_Combo_Choice")->setCurrentIndex(3);
             uitest::press(w, "EditCurrent_Button");
         },
         true, 6, false},
        {"Reset on 1099-S",
         [](QWidget& w) {
             uitest::child<QComboBox>(w, "Misc_Combo_Choice")->setCurrentIndex(4);
             uitest::press(w, "Reset_Button");
         },
         true, 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditPrintformats chooser(window.get());
        EXPECT_EQ(chooser.whichRecipientFormatTypeToEdit(), 0);
        answers.expect(kChooser, c.end);
        EXPECT_EQ(runModal(&chooser), EditPrintformats::kEndCode);
        ASSERT_EQ(chooser.choice().has_value(), c.chosen);
        if (c.chosen) {
            EXPECT_EQ(chooser.choice()->whichRecipientFormatTypeToEdit, c.code);
            EXPECT_EQ(chooser.choice()->getFormatsFromProgram, c.fromProgram);
        }
    }
}

// A layout that cannot be stored leaves the stored one whole, says why and keeps the
// editor open with the user's changes, which a later "Yes" stores.
TEST_F(LayoutEditorTest, AFailedSaveKeepsTheEditorOpenWithTheChanges) {
    const Layout before = stored(9);
    ASSERT_TRUE(cdb()->db->executeStatements(
        "create trigger refuse before update on _1099NECFormat when new.mappingID = 20 "
        "begin select raise(abort, 'the layout is locked'); end;"));
    choose(kNecPosition, "EditCurrent_Button");
    answers.expect(kEditor, [&](QWidget& w) {
        FormatController& e = editor(w);
        drag(sheet(w), e.fieldLabel(2)->geometry().center(), QPoint(20, 20));
        drag(sheet(w), e.fieldLabel(20)->geometry().center(), QPoint(20, 20));
        const Layout edited = e.val();
        scripted->answerBox(kMessageAnswerOkYes);   // save
        scripted->answerBox(kMessageAnswerOkYes);   // the database's message
        w.close();
        EXPECT_TRUE(isRunningModal(&w));
        EXPECT_EQ(e.val(), edited);
        EXPECT_EQ(stored(9), before);

        ASSERT_TRUE(cdb()->db->executeStatements("drop trigger refuse;"));
        closeEditor(w, kMessageAnswerOkYes);
        EXPECT_FALSE(isRunningModal(&w));
        Layout expected = edited;
        expected.resize(24);
        Layout now = stored(9);
        now.resize(24);
        EXPECT_EQ(now, expected);
    });
    cancelChooser();
    window->Editprintforms_Action();
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].caption, "Company Database Error!");
    EXPECT_EQ(boxes[1].details.rfind("Unable to save the 1099-NEC print layout.", 0), 0u);
    EXPECT_NE(boxes[1].details.find("the layout is locked"), std::string::npos);
}

// A field the company's table has no row for is shown, and saved, where the built-in
// layout puts it; a table that cannot be read is said so, and the chooser comes back
// without an editor that would store the built-in layout over the company's own.
TEST_F(LayoutEditorTest, MissingRowsKeepTheBuiltInEntryAndAnUnreadableLayoutIsNotOpened) {
    ASSERT_TRUE(cdb()->db->executeUpdate("delete from _1099MiscFormat where mappingID = 12"));
    choose(0, "EditCurrent_Button");
    answers.expect(kEditor, [&](QWidget& w) {
        EXPECT_EQ(editor(w).fieldLabel(12)->geometry(), shownAt(builtIn(0)[12]));
        EXPECT_EQ(editor(w).val()[12], builtIn(0)[12]);
        closeEditor(w, kMessageAnswerOkYes);
    });
    cancelChooser();
    window->Editprintforms_Action();
    EXPECT_EQ(stored(0)[12], builtIn(0)[12]);

    ASSERT_TRUE(cdb()->db->executeStatements("drop table _1099SFormat;"));
    choose(4, "EditCurrent_Button");
    cancelChooser();
    scripted->answerBox(kMessageAnswerOkYes);
    window->Editprintforms_Action();
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, "Company Database Error!");
    EXPECT_NE(boxes[1].details.find("Unable to read the 1099-S print layout."), std::string::npos);
    EXPECT_NE(boxes[1].details.find("no such table"), std::string::npos);
}

}  // namespace
