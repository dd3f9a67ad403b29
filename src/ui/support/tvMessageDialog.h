#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QDialog>

#include "core/foundation/UserInterface.h"

namespace Ui {
class tvMessageDialog;
}
class QPushButton;

// The program's one message box: a bold caption, a detail text that can be printed or
// copied, up to three buttons chosen by a style code, an icon and window title chosen by
// an image code, and optionally a do-not-show-again box or a link button.
//
// Callers apply the setters in this order: setTitle, setCaptionInfo, (button labels),
// setDetails, setstyle, setButtonName, link or check box, setImage. The style, image
// and answer codes are those of MessageBoxCodes.h: the run returns kMessageAnswerOkYes
// for Button3, kMessageAnswerCancel for Button1, kMessageAnswerNo for Button2 and
// kMessageAnswerCloseBox for the close box or Escape.
class tvMessageDialog : public QDialog {
    Q_OBJECT

public:
    explicit tvMessageDialog(QWidget* parent = nullptr);
    ~tvMessageDialog() override;

    void setTitle(const std::string& title);
    void setCaptionInfo(const std::string& caption);
    void setDetails(const std::string& details);
    void setstyle(int32_t style, bool flag);
    void setButtonName(const std::string& button2Title, const std::string& button3Title);
    void setcheckboxesandURL(bool hideLink, bool checked);
    void setcheckboxesandURL1();
    void showWebLink(const std::string& title, const std::string& address);
    void setImage(int32_t image);

    // Button titles that direct users set before setDetails and setstyle.
    void setOkYesButtonLabel(const std::string& title);   // Button3
    void setCancelButtonLabel(const std::string& title);  // Button2
    void setNoButtonlabel(const std::string& title);      // Button1

    // 1, 2 or 3 gives the Return key to Button1, Button2 or Button3; other values change nothing.
    void setKeyEquivalent(int which);
    void setCheckBoxLabelName(const std::string& name);
    bool GetDoNotShowAgain() const;

    const std::string& Button3_title() const { return Button3_title_; }
    void setButton3_title(const std::string& title) { Button3_title_ = title; }
    // What Copy copies in place of the caption and details; empty for those.
    void setCopyText(const std::string& text) { copyText_ = text; }
    const std::string& accessURl() const { return accessURl_; }
    void setAccessURl(const std::string& address) { accessURl_ = address; }

public slots:
    void Button1_code();
    void Button2_Code();
    void Button3_Code();
    void Weblink_action();
    void Print_Message();
    void Copy_Message();
    // The close box (and Escape in a box without Cancel) ends the run with kMessageAnswerCloseBox.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void finish(int code);
    void preselect(QPushButton* button);
    std::string messageText() const;

    std::unique_ptr<Ui::tvMessageDialog> ui_;
    std::string Button3_title_;
    std::string accessURl_;
    std::string copyText_;
};

// Builds a box from a request with the setters in their order, runs it and returns
// the code (and the check box's state for the check-box variant).
MessageBoxResult runMessageBox(const MessageBoxRequest& request);
