#include "ui/support/FieldsScrollArea.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QScrollBar>

namespace {

// The room the area takes around its fields: its frame and the vertical bar.
QSize around(const FieldsScrollArea& area) {
    const int frame = 2 * area.frameWidth();
    return {frame + area.verticalScrollBar()->sizeHint().width(), frame};
}

}  // namespace

FieldsScrollArea::FieldsScrollArea(QWidget* parent) : QScrollArea(parent) {
    // The fields are sized here, not by QScrollArea: with wrapped labels it would keep
    // them at their preferred width and scroll sideways below it.
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A field that takes the focus in any way (Tab from the buttons below, a mnemonic, the
    // window pointing at a failed field) is scrolled into sight, not only on Tab inside.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && widget() && widget()->isAncestorOf(now)) ensureWidgetVisible(now);
    });
}

QSize FieldsScrollArea::sizeHint() const {
    // QScrollArea caps its hint at a few dozen lines; a window of fields wants them all.
    if (!widget()) return QScrollArea::sizeHint();
    QSize hint = widget()->sizeHint();
    if (widget()->hasHeightForWidth()) hint.setHeight(std::max(hint.height(), widget()->heightForWidth(hint.width())));
    return hint + around(*this);
}

QSize FieldsScrollArea::minimumSizeHint() const {
    QSize smallest = QScrollArea::minimumSizeHint();
    if (widget()) smallest.setWidth(widget()->minimumSizeHint().width() + around(*this).width());
    return smallest;
}

void FieldsScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    fitFields();
}

bool FieldsScrollArea::eventFilter(QObject* watched, QEvent* event) {
    const bool done = QScrollArea::eventFilter(watched, event);
    if (watched == widget() && event->type() == QEvent::LayoutRequest) {
        // The fields' needs changed (a text was set, a field shown): the window's layout
        // asks this area again, and the fields take their new size.
        updateGeometry();
        fitFields();
    }
    return done;
}

void FieldsScrollArea::fitFields() {
    QWidget* fields = widget();
    if (!fields) return;
    const QSize least = fields->minimumSizeHint();
    const int width = std::max(viewport()->width(), least.width());
    int height = least.height();
    if (fields->hasHeightForWidth()) height = std::max(height, fields->heightForWidth(width));
    fields->resize(width, std::max(height, viewport()->height()));
}
