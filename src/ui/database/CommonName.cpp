#include "ui/database/CommonName.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/support/ModalLoop.h"
#include "ui/support/TextLimits.h"
#include "ui/support/TypingClamp.h"
#include "ui_CommonName.h"

namespace {

// The wide form of the window, for names of up to 60 characters.
constexpr int kWideLength = 60;
constexpr int kWideWidth = 610;
constexpr int kWideHeight = 120;

}  // namespace

CommonName::CommonName(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CommonName>()) {
    ui_->setupUi(this);
    ui_->Name_textChange->clear();
    ui_->Ok_Button->setEnabled(true);
    connect(ui_->Name_textChange, &QLineEdit::textEdited, this, &CommonName::textEdited);
    connect(ui_->Name_textChange, &QLineEdit::editingFinished, this, &CommonName::Txt_Name_EditComplete);
    connect(ui_->Ok_Button, &QPushButton::clicked, this, &CommonName::Ok_Click);
    connect(ui_->Cancel_Button, &QPushButton::clicked, this, &CommonName::Cancel_Click);
    ui_->Name_textChange->setFocus();
}

CommonName::~CommonName() = default;

void CommonName::loadTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

void CommonName::setlabelName(const std::string& label) { ui_->Label_display->setText(QString::fromStdString(label)); }

void CommonName::setLength_Txt(int length) {
    len = length;
    if (len == kWideLength) resize(kWideWidth, kWideHeight);
}

void CommonName::setName(const std::string& name) {
    ui_->Name_textChange->setText(QString::fromStdString(name));
    ui_->Name_textChange->selectAll();
    PreviousValue = ui_->Name_textChange->text();
    enableOk();
}

void CommonName::textEdited(const QString& text) {
    clampTyping(ui_->Name_textChange, text, PreviousValue, len);
    enableOk();
}

void CommonName::enableOk() { ui_->Ok_Button->setEnabled(!ui_->Name_textChange->text().trimmed().isEmpty()); }

QString CommonName::trimmedAndCut() const {
    const QString text = ui_->Name_textChange->text().trimmed();
    return len > 0 ? textlimits::firstCharacters(text, len) : text;
}

void CommonName::Txt_Name_EditComplete() {
    const QString text = trimmedAndCut();
    if (text.isEmpty()) return;
    ui_->Ok_Button->setEnabled(true);
    if (text != ui_->Name_textChange->text()) {
        ui_->Name_textChange->setText(text);
        PreviousValue = text;
    }
}

void CommonName::Ok_Click() {
    ui_->Name_textChange->setText(trimmedAndCut());
    NameEntered_ = ui_->Name_textChange->text().toStdString();
    ui_->Name_textChange->clear();
    ui_->Ok_Button->setEnabled(false);
    stopModal(this, kOKCode);
    hide();
}

void CommonName::Cancel_Click() {
    NameEntered_.clear();
    stopModal(this, kCancelCode);
    hide();
    ui_->Name_textChange->clear();
}

// The close box and Escape cancel, as the Cancel button does.
void CommonName::reject() { Cancel_Click(); }
