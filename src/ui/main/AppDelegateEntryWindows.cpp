// The main window's payer window and recipient entry windows: at most one of each form
// kind, kept while open; each window clears its reference when it closes.

#include <functional>

#include <QApplication>
#include <QPointer>
#include <QTableView>
#include <QTimer>

#include "core/foundation/FormKind.h"
#include "ui/company/CompanyController.h"
#include "ui/entry/DIVFrame.h"
#include "ui/entry/INTFrame.h"
#include "ui/entry/MISCFrame.h"
#include "ui/entry/NECFrame.h"
#include "ui/entry/RFrame.h"
#include "ui/entry/SFrame.h"
#include "ui/main/AppDelegate.h"
#include "ui_AppDelegate.h"

namespace {

// The entry window of each form kind code: the window kept while it is open, and how
// a new one is made on the selection holders (the window keeps itself in the main
// window).
struct EntryWindowKind {
    int32_t kind;
    std::function<QWidget*(const AppDelegate&)> kept;
    std::function<QWidget*()> make;
};

const std::vector<EntryWindowKind>& entryWindowKinds() {
    static const std::vector<EntryWindowKind> kinds = {
        {1, [](const AppDelegate& m) -> QWidget* { return m.Miscframe(); },
         []() -> QWidget* { return MISCFrame::create(); }},
        {2, [](const AppDelegate& m) -> QWidget* { return m.Div(); }, []() -> QWidget* { return DIVFrame::create(); }},
        {3, [](const AppDelegate& m) -> QWidget* { return m.Int(); }, []() -> QWidget* { return INTFrame::create(); }},
        {4, [](const AppDelegate& m) -> QWidget* { return m.Rframe(); },
         []() -> QWidget* { return RFrame::create(); }},
        {5, [](const AppDelegate& m) -> QWidget* { return m.Sframe(); },
         []() -> QWidget* { return SFrame::create(); }},
        {FormKind::kNec, [](const AppDelegate& m) -> QWidget* { return m.NECframe(); },
         []() -> QWidget* { return NECFrame::create(); }},
    };
    return kinds;
}

void bringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

MISCFrame* AppDelegate::Miscframe() const { return Miscframe_; }
void AppDelegate::setMiscframe(MISCFrame* window) { Miscframe_ = window; }
NECFrame* AppDelegate::NECframe() const { return NECframe_; }
void AppDelegate::setNECframe(NECFrame* window) { NECframe_ = window; }
INTFrame* AppDelegate::Int() const { return Int_; }
void AppDelegate::setInt(INTFrame* window) { Int_ = window; }
DIVFrame* AppDelegate::Div() const { return Div_; }
void AppDelegate::setDiv(DIVFrame* window) { Div_ = window; }
RFrame* AppDelegate::Rframe() const { return Rframe_; }
void AppDelegate::setRframe(RFrame* window) { Rframe_ = window; }
SFrame* AppDelegate::Sframe() const { return Sframe_; }
void AppDelegate::setSframe(SFrame* window) { Sframe_ = window; }
CompanyController* AppDelegate::companycontrol() const { return companycontroller_; }
void AppDelegate::setCompanycontrol(CompanyController* window) { companycontroller_ = window; }

void AppDelegate::Open1099Dialog(int32_t mode, int32_t kind) {
    if (mode == 1) {
        if (kind != 1) return;
        if (!companycontroller_) companycontroller_ = CompanyController::create(this);
        if (companycontroller_) bringForward(companycontroller_);
        return;
    }
    for (const EntryWindowKind& entry : entryWindowKinds()) {
        if (entry.kind != kind) continue;
        if (QWidget* open = entry.kept(*this)) {
            bringForward(open);
        } else if (QWidget* made = entry.make()) {
            bringForward(made);
        }
        break;
    }
    FillCompanyList();
    FillRecipientList(allFormsIndex(), allStatusIndex());
    ReselectRecipients();
}

void AppDelegate::focusRecipientList(int32_t key, int32_t kind) {
    QTableView* list = ui->Recipient_sel;
    if (key >= 0) {
        for (size_t row = 0; row < Recipient_PTL_.size(); ++row) {
            if (Recipient_PTL_[row].recipientPK() != key || Recipient_PTL_[row].recipientType() != kind) continue;
            selectOnlyRow(list, static_cast<int>(row));
            list->scrollTo(list->model()->index(static_cast<int>(row), 0));
            SelectRecipient();
            break;
        }
    }
    // Kept as the main window's focus for when it is active again; a button there (Add
    // Company, say) would start something new on the next Space or Return.
    list->setFocus(Qt::OtherFocusReason);
    // The closed window leaves no window active: the main window takes the keyboard
    // again, unless another window has taken it meanwhile.
    QTimer::singleShot(0, this, [window = QPointer<AppDelegate>(this)] {
        if (window && window->isVisible() && !QApplication::activeWindow() && !QApplication::activeModalWidget())
            window->activateWindow();
    });
}

int32_t AppDelegate::listedRecipientKind(int32_t key) const {
    for (const recipient_PK_Map& row : Recipient_PTL_)
        if (row.recipientPK() == key) return row.recipientType();
    return 1;
}
