#include "ui/support/tvMessageDialog.h"

#include <QKeyEvent>
#include <QPushButton>

#include "core/foundation/MessageBoxCodes.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/Icons.h"
#include "ui/support/MessageTextActions.h"
#include "ui/support/ModalLoop.h"
#include "ui_tvMessageDialog.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Length in characters (code points), as the sizing rule counts them.
qsizetype characters(const QString& s) { return s.toUcs4().size(); }

}  // namespace

tvMessageDialog::tvMessageDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::tvMessageDialog>()) {
    ui_->setupUi(this);
    ui_->Image_Icon->setPixmap(talvexaIcon(IconKind::Message));
    ui_->Image_Icon1->setPixmap(talvexaIcon(IconKind::Error));
    ui_->Image_Icon2->setPixmap(talvexaIcon(IconKind::Plain));
    ui_->Image_Icon3->setPixmap(talvexaIcon(IconKind::Prompt));
    ui_->DonotShowVal->hide();
    ui_->Weblink_Val->hide();

    connect(ui_->Button1, &QPushButton::clicked, this, &tvMessageDialog::Button1_code);
    connect(ui_->Button2, &QPushButton::clicked, this, &tvMessageDialog::Button2_Code);
    connect(ui_->Button3, &QPushButton::clicked, this, &tvMessageDialog::Button3_Code);
    connect(ui_->Weblink_Val, &QPushButton::clicked, this, &tvMessageDialog::Weblink_action);
    connect(ui_->Print_btn, &QPushButton::clicked, this, &tvMessageDialog::Print_Message);
    connect(ui_->Copy_btn, &QPushButton::clicked, this, &tvMessageDialog::Copy_Message);
}

tvMessageDialog::~tvMessageDialog() = default;

void tvMessageDialog::setTitle(const std::string& title) { setWindowTitle(qs(title)); }

void tvMessageDialog::setCaptionInfo(const std::string& caption) {
    ui_->Caption->setText(qs(caption));
    // Bold at 13 of the same units the window sizes are given in (logical pixels), so
    // that the caption fits the widths that the sizing rule chooses for its length.
    QFont font = ui_->Caption->font();
    font.setBold(true);
    font.setPixelSize(13);
    ui_->Caption->setFont(font);
}

void tvMessageDialog::setDetails(const std::string& details) {
    const QString text = qs(details);
    ui_->Message_text->setPlainText(text);
    const qsizetype length = characters(text);

    if (length == 0) {
        ui_->Message_text->hide();
        ui_->Print_btn->hide();
        ui_->Copy_btn->hide();
        ui_->Caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        resize(587, 170);
        return;
    }

    ui_->Message_text->show();
    ui_->Print_btn->show();
    ui_->Copy_btn->show();
    if (length >= 500) {
        resize(592, 400);
    } else if (length > 300) {
        if (Button3_title_ == "Exit Talvexa 1099") {
            // The long titles of this question need wider buttons.
            ui_->Button3->setMinimumSize(157, 21);
            ui_->Button2->setMinimumSize(210, 21);
            resize(700, 300);
        } else {
            resize(642, 300);
        }
    } else {
        const qsizetype captionLength = characters(ui_->Caption->text());
        if (captionLength >= 76) resize(675, 226);
        else if (captionLength >= 66) resize(645, 226);
        else resize(592, 226);
    }
}

void tvMessageDialog::setstyle(int32_t style, bool flag) {
    const bool showButton1 = (style & kMessageStyleButton1Bit) != 0;
    const bool showButton2 = (style & kMessageStyleButton2Bit) != 0;
    ui_->Button1->setVisible(showButton1);
    ui_->Button1->setEnabled(showButton1);
    ui_->Button2->setVisible(showButton2);
    ui_->Button2->setEnabled(showButton2);

    QPushButton* preselected = ui_->Button3;
    switch (style) {
    case kMessageStyleOK:
        ui_->Button3->setText(QStringLiteral("OK"));
        break;
    case kMessageStyleOKCancel:
        ui_->Button1->setText(QStringLiteral("Cancel"));
        ui_->Button3->setText(QStringLiteral("OK"));
        break;
    case kMessageStyleYesNo: {
        // A title that a caller gave Button2 beforehand stays, and then Button3 keeps Return.
        const QString current = ui_->Button2->text();
        const bool retitled = current == QLatin1String("No") || current == QLatin1String("Cancel");
        if (retitled) ui_->Button2->setText(QStringLiteral("No"));
        if (flag && retitled) preselected = ui_->Button2;
        break;
    }
    default:
        ui_->Button2->setText(QStringLiteral("No"));
        ui_->Button1->setText(QStringLiteral("Cancel"));
        if (flag) preselected = ui_->Button2;
        break;
    }
    preselect(preselected);
}

void tvMessageDialog::setButtonName(const std::string& button2Title, const std::string& button3Title) {
    ui_->Button2->setText(qs(button2Title));
    ui_->Button3->setText(qs(button3Title));
}

void tvMessageDialog::setcheckboxesandURL(bool hideLink, bool checked) {
    ui_->DonotShowVal->setChecked(checked);
    ui_->DonotShowVal->show();
    ui_->Weblink_Val->setVisible(!hideLink);
}

void tvMessageDialog::setcheckboxesandURL1() {
    // The link takes the check box's place in the row.
    ui_->DonotShowVal->hide();
    ui_->Weblink_Val->setText(QStringLiteral("1099 Patch page"));
    ui_->Weblink_Val->show();
}

void tvMessageDialog::showWebLink(const std::string& title, const std::string& address) {
    ui_->Weblink_Val->setText(qs(title));
    accessURl_ = address;
    if (!ui_->DonotShowVal->isChecked()) ui_->Weblink_Val->setFocus();
}

void tvMessageDialog::setImage(int32_t image) {
    QLabel* chosen = ui_->Image_Icon2;
    QString title = QStringLiteral("Talvexa Message");
    bool printAndCopy = true;
    if (image & kMessageImageMessage) {
        chosen = ui_->Image_Icon;
    } else if (image & kMessageImageError) {
        chosen = ui_->Image_Icon1;
        title = QStringLiteral("Talvexa Error");
    } else if (image & kMessageImagePrompt) {
        chosen = ui_->Image_Icon3;
        title = QStringLiteral("Talvexa Prompt");
    } else {
        printAndCopy = false;
    }

    for (QLabel* icon : {ui_->Image_Icon1, ui_->Image_Icon2, ui_->Image_Icon3}) {
        icon->setVisible(icon == chosen);
        icon->setEnabled(icon == chosen);
    }
    // The message icon stays in place, disabled and blank, under another kind's icon.
    ui_->Image_Icon->setVisible(true);
    ui_->Image_Icon->setEnabled(chosen == ui_->Image_Icon);
    ui_->Image_Icon->setPixmap(chosen == ui_->Image_Icon ? talvexaIcon(IconKind::Message) : QPixmap());
    chosen->raise();

    if (windowTitle().isEmpty()) setWindowTitle(title);
    if (!printAndCopy) {
        ui_->Print_btn->hide();
        ui_->Copy_btn->hide();
    }
}

void tvMessageDialog::setOkYesButtonLabel(const std::string& title) {
    ui_->Button3->setText(qs(title));
    Button3_title_ = title;
}

void tvMessageDialog::setCancelButtonLabel(const std::string& title) { ui_->Button2->setText(qs(title)); }

void tvMessageDialog::setNoButtonlabel(const std::string& title) { ui_->Button1->setText(qs(title)); }

void tvMessageDialog::setKeyEquivalent(int which) {
    QPushButton* buttons[] = {ui_->Button1, ui_->Button2, ui_->Button3};
    if (which < 1 || which > 3) return;
    for (int i = 0; i < 3; ++i) buttons[i]->setDefault(i == which - 1);
}

void tvMessageDialog::setCheckBoxLabelName(const std::string& name) {
    ui_->DonotShowVal->setText(name.empty() ? QStringLiteral("Do not show this message again") : qs(name));
}

bool tvMessageDialog::GetDoNotShowAgain() const { return ui_->DonotShowVal->isChecked(); }

void tvMessageDialog::preselect(QPushButton* button) {
    QPushButton* other = button == ui_->Button2 ? ui_->Button3 : ui_->Button2;
    other->setDefault(false);
    button->setDefault(true);
    button->setFocus();
}

void tvMessageDialog::finish(int code) { stopModal(this, code); }

void tvMessageDialog::Button1_code() { finish(kMessageAnswerCancel); }
void tvMessageDialog::Button2_Code() { finish(kMessageAnswerNo); }
void tvMessageDialog::Button3_Code() { finish(kMessageAnswerOkYes); }
void tvMessageDialog::reject() { finish(kMessageAnswerCloseBox); }

// Escape is the key for "not this": in a box with a Cancel button it answers Cancel,
// so that a prompt whose close box would go ahead cannot be gone ahead with by
// Escape; in any other box it answers as the close box does.
void tvMessageDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        for (QPushButton* button : {ui_->Button1, ui_->Button2, ui_->Button3}) {
            QString title = button->text();
            title.remove(QLatin1Char('&'));
            if (!button->isHidden() && button->isEnabled() && title == QLatin1String("Cancel")) {
                event->accept();
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void tvMessageDialog::Weblink_action() {
    if (!accessURl_.empty())
        openAddressOrExplain(accessURl_, "Open this address in your web browser:\n\n" + accessURl_, "");
}

std::string tvMessageDialog::messageText() const {
    return (ui_->Caption->text() + QStringLiteral("\n\n") + ui_->Message_text->toPlainText()).toStdString();
}

void tvMessageDialog::Print_Message() { printMessageText(this, messageText()); }

void tvMessageDialog::Copy_Message() {
    copyMessageText(this, copyText_.empty() ? messageText() : copyText_, CopiedAlertForm::Compact, "");
}

MessageBoxResult runMessageBox(const MessageBoxRequest& request) {
    tvMessageDialog box;
    box.setTitle(request.title);
    box.setCaptionInfo(request.caption);
    if (request.okYesLabel) box.setOkYesButtonLabel(*request.okYesLabel);
    if (request.cancelLabel) box.setCancelButtonLabel(*request.cancelLabel);
    if (request.noLabel) box.setNoButtonlabel(*request.noLabel);
    box.setDetails(request.details);
    box.setstyle(request.style, request.flag);
    if (request.variant == MessageBoxRequest::Variant::NamedButtons)
        box.setButtonName(request.button2Title, request.button3Title);
    if (request.variant == MessageBoxRequest::Variant::CheckBox)
        box.setcheckboxesandURL(request.hideLink, request.checkBoxState);
    if (request.variant == MessageBoxRequest::Variant::NamedButtons && request.showPatchLink) {
        box.setcheckboxesandURL1();
        box.showWebLink(request.linkTitle, request.linkAddress);
    }
    box.setImage(request.image);
    box.setCopyText(request.copyText);

    MessageBoxResult result;
    result.code = runModal(&box);
    result.doNotShowAgain = box.GetDoNotShowAgain();
    return result;
}
