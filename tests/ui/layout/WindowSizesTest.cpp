// Every window of the program at its smallest size: it fits a 1366×768 screen with room
// for a title bar and a panel, and no label or button in it is cut. A picture of each
// window at that size is kept under test-output/windows/<Suite.Test>/.

#include "EveryWindow.h"

namespace {

using namespace everywindow;

class WindowSizes : public EveryWindowTest, public ::testing::WithParamInterface<WindowCase> {};

// Where a control is drawn cut: the room it has against the room its text needs.
std::vector<std::string> cutControls(QWidget& window) {
    std::vector<std::string> cut;
    auto describe = [](QWidget* w, QSize has, QSize needs) {
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        return w->objectName().toStdString() + " \"" + text.left(40).toStdString() + "\" has " +
               std::to_string(has.width()) + "x" + std::to_string(has.height()) + ", needs " +
               std::to_string(needs.width()) + "x" + std::to_string(needs.height());
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || (label->text().isEmpty() && label->pixmap().isNull())) continue;
        if (qobject_cast<ElidedLabel*>(label)) continue;   // draws its text elided on purpose
        if (label->hasScaledContents()) continue;          // a picture drawn at the label's size
        QSize needs = label->sizeHint();
        if (label->wordWrap()) needs = {label->minimumSizeHint().width(), label->heightForWidth(label->width())};
        const QSize has = label->size();
        if (has.width() < needs.width() || has.height() < needs.height()) cut.push_back(describe(label, has, needs));
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window)) continue;
        const QSize needs = button->minimumSizeHint();
        const QSize has = button->size();
        if (has.width() < needs.width() || has.height() < needs.height()) cut.push_back(describe(button, has, needs));
    }
    return cut;
}

// Text fields too narrow to show eight characters (an amount such as 9,999.99).
std::vector<std::string> narrowFields(QWidget& window) {
    std::vector<std::string> narrow;
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
        if (!field->isVisibleTo(&window) || qobject_cast<QComboBox*>(field->parentWidget())) continue;
        const int needs = field->fontMetrics().horizontalAdvance(QStringLiteral("9,999.99")) + 8;
        if (field->width() < needs)
            narrow.push_back(field->objectName().toStdString() + " is " + std::to_string(field->width()) + " wide, needs " +
                             std::to_string(needs));
    }
    return narrow;
}

// Push buttons that the user cannot see at once: outside the window or scrolled away.
std::vector<std::string> hiddenButtons(QWidget& window) {
    std::vector<std::string> hidden;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisibleTo(&window)) continue;
        bool scrolled = false;
        for (QWidget* p = button->parentWidget(); p && p != &window; p = p->parentWidget())
            if (qobject_cast<QAbstractScrollArea*>(p)) scrolled = true;
        const QRect where(button->mapTo(&window, QPoint(0, 0)), button->size());
        if (scrolled || !window.rect().contains(where))
            hidden.push_back(button->objectName().toStdString() + " \"" + button->text().toStdString() + "\"");
    }
    return hidden;
}

TEST_P(WindowSizes, FitsTheScreenAndCutsNothingAtItsSmallestSize) {
    WindowPtr made = GetParam().make();
    QWidget* window = made ? made.get() : main.get();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window->layout(), nullptr) << "a window without a layout cannot reflow";
    window->show();
    QCoreApplication::processEvents();
    if (window->layout()) window->layout()->activate();
    const QSize smallest = window->minimumSize().expandedTo(window->minimumSizeHint());
    // The windows open at a size that fits as well.
    EXPECT_LE(window->width(), kScreenWidth);
    EXPECT_LE(window->height(), kScreenHeight);
    EXPECT_LE(smallest.width(), kScreenWidth);
    EXPECT_LE(smallest.height(), kScreenHeight);
    window->resize(smallest);
    QCoreApplication::processEvents();
    // Fields that scroll do so up and down only: none is hidden at the side.
    for (FieldsScrollArea* area : window->findChildren<FieldsScrollArea*>())
        EXPECT_LE(area->widget()->width(), area->viewport()->width()) << area->objectName().toStdString();
    for (const std::string& c : cutControls(*window)) ADD_FAILURE() << "cut: " << c;
    for (const std::string& f : narrowFields(*window)) ADD_FAILURE() << "narrow: " << f;
    for (const std::string& b : hiddenButtons(*window)) ADD_FAILURE() << "button out of sight: " << b;
    uitest::saveImage(*window, QString::fromStdString(GetParam().name) + QStringLiteral("-smallest"));

    // At the size it asks for, a window shows all its fields without scrolling.
    window->resize(window->sizeHint());
    QCoreApplication::processEvents();
    for (FieldsScrollArea* area : window->findChildren<FieldsScrollArea*>())
        EXPECT_LE(area->widget()->height(), area->viewport()->height()) << area->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Every, WindowSizes, ::testing::ValuesIn(windows()),
                         [](const auto& test) { return test.param.name; });

}  // namespace

namespace {

// The entry windows at their smallest size: Tab through every field, and each one that
// takes the focus is scrolled into sight.
class FieldsScrolling : public WindowSizes {};

TEST_P(FieldsScrolling, TabBringsEveryFieldIntoSight) {
    WindowPtr window = GetParam().make();
    ASSERT_NE(window, nullptr);
    window->show();
    QCoreApplication::processEvents();
    window->resize(window->minimumSize());
    QCoreApplication::processEvents();
    auto* area = window->findChild<FieldsScrollArea*>(QStringLiteral("FieldsScroll"));
    ASSERT_NE(area, nullptr);
    QApplication::setActiveWindow(window.get());
    int scrolledTo = 0;
    for (int step = 0; step < 120; ++step) {
        QWidget* focus = window->focusWidget();
        ASSERT_NE(focus, nullptr);
        if (area->widget()->isAncestorOf(focus)) {
            // Scrolling follows the text cursor of a field, which may leave a pixel of its
            // frame at the edge.
            const QRect shown = QRect(focus->mapTo(area->viewport(), QPoint(0, 0)), focus->size()).adjusted(0, 2, 0, -2);
            EXPECT_TRUE(area->viewport()->rect().contains(shown))
                << focus->objectName().toStdString() << " at " << shown.y() << " of " << area->viewport()->height();
            scrolledTo = std::max(scrolledTo, area->verticalScrollBar()->value());
        }
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(focus, &tab);
    }
    EXPECT_GT(scrolledTo, 0) << "the fields never needed scrolling at the smallest size";
}

std::vector<WindowCase> entryWindows() {
    std::vector<WindowCase> entry;
    for (const WindowCase& c : windows())
        if (c.name.size() > 5 && c.name.compare(c.name.size() - 5, 5, "Frame") == 0 && c.name != "NewCompanyFrame")
            entry.push_back(c);
    return entry;
}

INSTANTIATE_TEST_SUITE_P(Entry, FieldsScrolling, ::testing::ValuesIn(entryWindows()),
                         [](const auto& test) { return test.param.name; });

}  // namespace
