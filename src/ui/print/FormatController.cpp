#include "ui/print/FormatController.h"

#include <algorithm>

#include <QLabel>
#include <QScrollArea>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/WX_FORMAT.h"
#include "core/store/format.h"
#include "ui/print/LayoutCanvas.h"
#include "ui/print/RulerGrid.h"
#include "ui/support/ModalLoop.h"
#include "ui_FormatController.h"

namespace {

using namespace layoutediting;

// The sheet is a letter page wide, with the ruler's margin on both sides, or wider when
// a stored field lies further right.
constexpr int kSheetWidth = RulerGrid::kOrigin * 2 + 612;

const QColor kNotPrinted(Qt::red);
const QColor kFieldBackground(255, 250, 225);
const QColor kSelectedBackground(205, 225, 255);

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const auto& holder = session().DBH;
    auto db = holder ? holder->companyDatabase() : nullptr;
    return db && db->IsReady() ? db : nullptr;
}

}  // namespace

FormatController::FormatController(int32_t layoutCode, bool fromProgram, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::FormatController>()),
      whichRecipientFormatTypeToEdit_(layoutCode),
      getFormatsFromProgram_(fromProgram) {
    ui_->setupUi(this);
    setObjectName(QString::fromLatin1(kFormatControllerWindowName));
    ui_->CheckForamt_View->onMouseDown = [this](QPoint p, int clicks) { mouseDown(p, clicks); };
    ui_->CheckForamt_View->onMouseDragged = [this](QPoint p) { mouseDragged(p); };
    windowDidLoad();
}

FormatController::~FormatController() = default;

void FormatController::windowDidLoad() {
    const FormChoice* form = choiceFor(whichRecipientFormatTypeToEdit_);
    if (!form) return;
    setWindowTitle(QStringLiteral("Print Layout of the %1").arg(QString::fromLatin1(form->form)));

    // A field that the company's table lacks a row for keeps its built-in entry, so it
    // is not shown (nor, saved, stored) in the form's top-left corner.
    WX_FORMAT holder;
    const Layout builtIn = format().GetWXFmt(holder.Val, form->layoutCode, true);
    std::copy(builtIn.begin(), builtIn.end(), holder.Val.begin());
    val_ = format().GetWXFmt(holder.Val, form->layoutCode, getFormatsFromProgram_);
    if (std::ssize(val_) < form->fields) val_.resize(static_cast<size_t>(form->fields));
    applyDisplayWidths(val_, form->layoutCode);

    LayoutCanvas* sheet = ui_->CheckForamt_View;
    const auto labels = fieldLabels(form->layoutCode);
    QFont text = font();
    // The sheet is drawn one point to the pixel, so the labels' 10 points are 10 pixels.
    text.setPixelSize(10);
    int sheetWidth = kSheetWidth;
    for (size_t i = 0; i < labels.size(); ++i) {
        const LabelFrame frame = frameOf(val_[i]);
        auto* label = new QLabel(QString::fromLatin1(labels[i]), sheet);
        label->setObjectName(QStringLiteral("field%1").arg(i));
        label->setFont(text);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFrameShape(QFrame::Box);
        label->setMargin(0);
        label->setIndent(1);
        label->setAutoFillBackground(true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setGeometry(frame.left, kCanvasHeight - frame.bottom - frame.height, frame.width, frame.height);
        showSelected(label, false);
        showPrinting(label, val_[i].noprint() == 0);
        labels_.push_back(label);
        sheetWidth = std::max(sheetWidth, frame.left + frame.width + RulerGrid::kOrigin);
    }
    sheet->setFixedSize(sheetWidth, kCanvasHeight);
    ui_->Image_1->setGeometry(0, 0, sheetWidth, kCanvasHeight);
    ui_->Image_1->lower();
    ui_->Image_1->show();
    ui_->Image_2->setText(QStringLiteral("%1: drag a field to move it; double-click a field to switch its printing "
                                         "off (red) or on. Close the window to save the layout.")
                              .arg(QString::fromLatin1(form->form)));
}

QLabel* FormatController::fieldLabel(int tag) const {
    if (tag < 0 || tag >= std::ssize(labels_)) return nullptr;
    return labels_[static_cast<size_t>(tag)];
}

void FormatController::showPrinting(QLabel* label, bool printed) {
    QPalette look = label->palette();
    look.setColor(QPalette::WindowText, printed ? palette().color(QPalette::WindowText) : kNotPrinted);
    label->setPalette(look);
}

void FormatController::showSelected(QLabel* label, bool selected) {
    QPalette look = label->palette();
    look.setColor(QPalette::Window, selected ? kSelectedBackground : kFieldBackground);
    label->setPalette(look);
}

QLabel* FormatController::labelAt(QPoint point) const {
    // Where labels overlap, the one shown on top (the later one) is picked.
    for (auto it = labels_.rbegin(); it != labels_.rend(); ++it)
        if ((*it)->geometry().contains(point)) return *it;
    return nullptr;
}

void FormatController::mouseDown(QPoint point, int clickCount) {
    controlToMove_ = labelAt(point);
    if (checkcontrolSelected_) {
        showSelected(checkcontrolSelected_, false);
        checkcontrolSelected_ = nullptr;
    }
    if (!controlToMove_) return;

    const size_t tag = static_cast<size_t>(std::find(labels_.begin(), labels_.end(), controlToMove_) - labels_.begin());
    fmtval_ = val_[tag];
    if (clickCount == 2) {
        const bool nowPrinted = fmtval_.noprint() != 0;
        fmtval_.setNoprint(nowPrinted ? 0 : 1);
        showPrinting(controlToMove_, nowPrinted);
    } else {
        mouseDownLocation_ = point - controlToMove_->pos();
        mouseDownInCntrlFrameSize_ = controlToMove_->size();
        // Selection shows in the background, so the text keeps telling whether the
        // field is printed.
        checkcontrolSelected_ = controlToMove_;
        showSelected(controlToMove_, true);
    }
    val_[tag] = fmtval_;
}

void FormatController::mouseDragged(QPoint point) {
    if (!controlToMove_) return;
    const QWidget* sheet = ui_->CheckForamt_View;
    const QSize size = mouseDownInCntrlFrameSize_;
    // The label stops at the sheet's edges, so every position stays on the page.
    const int left = std::clamp(point.x() - mouseDownLocation_.x(), 0, std::max(0, sheet->width() - size.width()));
    const int top = std::clamp(point.y() - mouseDownLocation_.y(), 0, std::max(0, sheet->height() - size.height()));
    controlToMove_->move(left, top);
    ui_->checkformatscrollview->ensureWidgetVisible(controlToMove_, 10, 10);

    const size_t tag = static_cast<size_t>(std::find(labels_.begin(), labels_.end(), controlToMove_) - labels_.begin());
    fmtval_ = val_[tag];
    fmtval_.setPt(storedPosition(left, kCanvasHeight - (top + size.height())));
    val_[tag] = fmtval_;
}

bool FormatController::store() {
    const FormChoice* form = choiceFor(whichRecipientFormatTypeToEdit_);
    auto db = companyDatabase();
    return form && db && ((*db).*(form->store))(val_);
}

bool FormatController::windowShouldClose() {
    if (ending_) return true;
    const int32_t answer = tvDatabase::tvMessageBox(" ", "Do you wish to save any changes to the Format?",
                                                    kMessageStyleYesNo, "Save Changes", kMessageImagePrompt, false);
    if (answer == kMessageAnswerOkYes) {
        // Not stored: the database has said why; the changes stay for another try.
        if (!store()) return false;
    } else if (answer != kMessageAnswerNo) {
        // The question was closed without an answer: back to the editor.
        return false;
    }
    ending_ = true;
    stopModal(this, kEndCode);
    return true;
}

void FormatController::reject() { windowShouldClose(); }
