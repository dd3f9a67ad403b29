#include "ui/print/EditPrintformats.h"

#include <QComboBox>
#include <QPushButton>

#include <string>

#include "core/foundation/Session.h"
#include "core/print/LayoutEditing.h"
#include "core/sqlite/FMDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/print/FormatController.h"
#include "ui/support/ModalLoop.h"
#include "ui_EditPrintformats.h"

EditPrintformats::EditPrintformats(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::EditPrintformats>()) {
    ui_->setupUi(this);
    setObjectName(QString::fromLatin1(kEditPrintformatsWindowName));
    connect(ui_->Misc_Combo_Choice, &QComboBox::currentIndexChanged, this, &EditPrintformats::MISC2upChoice);
    connect(ui_->EditCurrent_Button, &QPushButton::clicked, this, &EditPrintformats::EditCurrent_Action);
    connect(ui_->Reset_Button, &QPushButton::clicked, this, &EditPrintformats::ResetFormat_Action);
    connect(ui_->Cancel_Button, &QPushButton::clicked, this, &EditPrintformats::Cancel_Action);
    windowDidLoad();
}

EditPrintformats::~EditPrintformats() = default;

void EditPrintformats::runFromMainWindow(QWidget* parent) {
    for (;;) {
        const auto& holder = session().DBH;
        const auto company = holder ? holder->companyDatabase() : nullptr;
        if (!company || !company->IsReady()) return;

        EditPrintformats chooser(parent);
        runModal(&chooser);
        if (!chooser.choice()) return;
        const Choice choice = *chooser.choice();
        // A stored layout that cannot be read now (the file locked by another program,
        // say) is not shown as if it were the built-in one, which saving would then
        // store over the company's own.
        const layoutediting::FormChoice* form = layoutediting::choiceFor(choice.whichRecipientFormatTypeToEdit);
        std::string reason;
        if (!choice.getFormatsFromProgram && form && !layoutediting::storedLayoutReadable(*company->db, *form, reason)) {
            company->DatabaseError(-1, std::string("Unable to read the ") + form->form + " print layout.", reason, true,
                                   true);
            continue;
        }
        FormatController editor(choice.whichRecipientFormatTypeToEdit, choice.getFormatsFromProgram, parent);
        runModal(&editor);
    }
}

void EditPrintformats::windowDidLoad() {
    UpdateUserButtons();
    whichRecipientFormatTypeToEdit_ = layoutediting::choiceAt(0)->layoutCode;
    ui_->Misc_Combo_Choice->setCurrentIndex(0);
    ui_->Misc_Combo_Choice->setFocus();
}

void EditPrintformats::UpdateUserButtons() {
    ui_->Reset_Button->setEnabled(true);
    ui_->EditCurrent_Button->setEnabled(true);
}

void EditPrintformats::MISC2upChoice(int position) {
    // A place outside the list keeps the form chosen before.
    if (const layoutediting::FormChoice* form = layoutediting::choiceAt(position))
        whichRecipientFormatTypeToEdit_ = form->layoutCode;
}

void EditPrintformats::choose(bool fromProgram) {
    if (ending_) return;
    ending_ = true;
    choice_ = Choice{whichRecipientFormatTypeToEdit_, fromProgram};
    stopModal(this, kEndCode);
}

void EditPrintformats::EditCurrent_Action() { choose(false); }

void EditPrintformats::ResetFormat_Action() { choose(true); }

void EditPrintformats::Cancel_Action() {
    if (ending_) return;
    ending_ = true;
    stopModal(this, kEndCode);
}

void EditPrintformats::reject() { Cancel_Action(); }
