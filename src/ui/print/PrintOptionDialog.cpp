#include "ui/print/PrintOptionDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/foundation/FormKind.h"
#include "core/foundation/Session.h"
#include "ui/support/ModalLoop.h"
#include "ui_PrintFormForFilingINT.h"
#include "ui_PrintFormsForFIlingMISC.h"
#include "ui_PrintRecipientINT.h"
#include "ui_PrintRecipientMISC.h"
#include "ui_PrintRecipientNec.h"
#include "ui_PrintformforFillingNEC.h"

namespace {

// One dialog: its own window layout, the common behaviour.
template <class Layout>
class OptionDialog final : public PrintOptionDialog {
public:
    template <class Wire>
    OptionDialog(QWidget* parent, Wire wireLayout) : PrintOptionDialog(parent) {
        layout_.setupUi(this);
        wireLayout(*this, layout_);
    }

    using PrintOptionDialog::wire;

private:
    Layout layout_;
};

template <class Layout, class Wire>
std::unique_ptr<PrintOptionDialog> makeDialog(QWidget* parent, Wire wireLayout) {
    return std::make_unique<OptionDialog<Layout>>(parent, wireLayout);
}

}  // namespace

PrintOptionDialog::PrintOptionDialog(QWidget* parent) : QDialog(parent) {}

PrintOptionDialog::~PrintOptionDialog() = default;

std::unique_ptr<PrintOptionDialog> PrintOptionDialog::make(int32_t kind, bool filing, QWidget* parent) {
    switch (kind) {
    case 1:
        if (filing)
            return makeDialog<Ui::PrintFormsForFIlingMISC>(parent, [](auto& d, auto& u) {
                d.wire(u.FormSel_2, u.FormSel_4, u.PrintPartialYear_Btn, u.Ok_btn, u.Cancel_btn);
            });
        return makeDialog<Ui::PrintRecipientMISC>(parent, [](auto& d, auto& u) {
            d.wire(u.Print_2up, u.Print_4up, u.PrintPartialYear_Btn, u.Ok_btn, u.Cancel_btn);
        });
    case 3:
        if (filing)
            return makeDialog<Ui::PrintFormForFilingINT>(parent, [](auto& d, auto& u) {
                d.wire(u.Print2Up, u.Print4Up, u.PrintPartialYear_Btn, u.OK_btn, u.Cancel_btn);
            });
        return makeDialog<Ui::PrintRecipientINT>(parent, [](auto& d, auto& u) {
            d.wire(u.print2up_btn, u.Print4up_btn, u.PrintPartialYear_Btn, u.Ok_btn, u.Cancel_btn);
        });
    case FormKind::kNec:
        if (filing)
            return makeDialog<Ui::PrintformforFillingNEC>(parent, [](auto& d, auto& u) {
                d.wire(u.FormSelnec_2, u.FormSelnec_4, u.PrintPartialYear_Btn, u.Ok_btn, u.Cancel_btn);
            });
        return makeDialog<Ui::PrintRecipientNec>(parent, [](auto& d, auto& u) {
            d.wire(u.Print_2up, u.Print_4up, u.PartialYear_Btn, u.Okbtn, u.Cancelbtn);
        });
    default: return nullptr;
    }
}

void PrintOptionDialog::wire(QRadioButton* twoUp, QRadioButton* fourUp, QCheckBox* partialYear, QPushButton* ok,
                             QPushButton* cancel) {
    twoUp_ = twoUp;
    fourUp_ = fourUp;
    partialYear_ = partialYear;
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    group_->addButton(twoUp, kTwoUp);
    group_->addButton(fourUp, kFourUp);
    twoUp->setChecked(true);
    partialYear->setChecked(false);
    partialYear->setEnabled(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) layoutChosen();
    });
    connect(ok, &QPushButton::clicked, this, &PrintOptionDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &PrintOptionDialog::reject);
}

void PrintOptionDialog::layoutChosen() {
    // Forms on plain paper always print the whole year.
    const bool twoUp = twoUp_->isChecked();
    if (!twoUp) partialYear_->setChecked(false);
    partialYear_->setEnabled(twoUp);
}

int PrintOptionDialog::run() { return runModal(this); }

void PrintOptionDialog::accept() {
    const int chosen = group_ ? group_->checkedId() : -1;
    if (chosen != kTwoUp && chosen != kFourUp) return;   // nothing chosen: the dialog stays open
    okSelected_ = true;
    lastSelected_ = chosen;
    session().PartialYear = chosen == kTwoUp && partialYear_->isChecked();
    stopModal(this, kOkCode);
}

void PrintOptionDialog::reject() { stopModal(this, kCancelCode); }
