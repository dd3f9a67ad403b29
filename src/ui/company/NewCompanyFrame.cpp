#include "ui/company/NewCompanyFrame.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "ui/main/AppDelegate.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/TextLimits.h"
#include "ui_NewCompanyFrame.h"

using namespace textlimits;

NewCompanyFrame::NewCompanyFrame(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::NewCompanyFrame>()) {
    ui_->setupUi(this);
    ui_->CompName_OK->setEnabled(false);
    ui_->CompName_OK->setDefault(true);
    ui_->Newcompanyoutlet->setText(
        QStringLiteral("Warning: Please ensure that the entered Company Name is correct. Once you save \nthis "
                       "information, It cannot be modified. Proceed with caution!"));
    connect(ui_->Comp_Name, &QLineEdit::textEdited, this, &NewCompanyFrame::nameEdited);
    connect(ui_->Comp_Name, &QLineEdit::textChanged, this, &NewCompanyFrame::enableOK);
    connect(ui_->Comp_Name, &QLineEdit::editingFinished, this, &NewCompanyFrame::Name_Text);
    connect(ui_->Fed_Id, &QLineEdit::editingFinished, this, &NewCompanyFrame::Fed_Text);
    connect(ui_->CompName_OK, &QPushButton::clicked, this, &NewCompanyFrame::OK_Click);
    connect(ui_->Cancel_Button, &QPushButton::clicked, this, &NewCompanyFrame::Cancel_Click);
    ui_->Comp_Name->setFocus();
}

NewCompanyFrame::~NewCompanyFrame() = default;

std::optional<std::string> NewCompanyFrame::askCompanyName(QWidget* parent, std::string* federalID) {
    NewCompanyFrame dialog(parent);
    if (runModal(&dialog) != kOKCode) return std::nullopt;
    if (federalID) *federalID = dialog.GetFedId();
    return dialog.GetName();
}

// A keystroke that makes the name longer than its limit is taken back at once.
void NewCompanyFrame::nameEdited() {
    if (characterCount(ui_->Comp_Name->text()) > kNameLimit) ui_->Comp_Name->backspace();
}

void NewCompanyFrame::enableOK() {
    ui_->CompName_OK->setEnabled(!trimBlanksAndTabs(ui_->Comp_Name->text()).isEmpty());
}

void NewCompanyFrame::Name_Text() {
    const QString name = firstCharacters(trimBlanksAndTabs(ui_->Comp_Name->text()), kNameLimit);
    if (name != ui_->Comp_Name->text()) ui_->Comp_Name->setText(name);
}

void NewCompanyFrame::Fed_Text() {
    const QString id = firstCharacters(trimBlanksAndTabs(ui_->Fed_Id->text()), kNameLimit);
    if (id != ui_->Fed_Id->text()) ui_->Fed_Id->setText(id);
    FedId_ = id.toStdString();
}

void NewCompanyFrame::OK_Click() {
    static const QRegularExpression kOuterWhiteSpace(QStringLiteral("^\\s+|\\s+$"),
                                                     QRegularExpression::UseUnicodePropertiesOption);
    QString name = ui_->Comp_Name->text();
    name.replace(kOuterWhiteSpace, QString());
    ui_->Comp_Name->setText(firstCharacters(name, kNameLimit));
    Name_ = ui_->Comp_Name->text().toStdString();
    // OK may come while the federal ID is still being typed, before its field has ended.
    Fed_Text();
    if (company_Refer) company_Refer->setCompanycontrol(nullptr);
    end(kOKCode);
}

void NewCompanyFrame::Cancel_Click() {
    if (company_Refer) company_Refer->setCompanycontrol(nullptr);
    end(kCancelCode);
}

void NewCompanyFrame::reject() { Cancel_Click(); }

void NewCompanyFrame::end(int code) {
    stopModal(this, code);
    QDialog::done(code);
}
