#pragma once

#include <memory>
#include <string>

#include <QDialog>
#include <QString>

namespace Ui {
class CommonName;
}

// A small prompt for one line of text: the caller sets the window title, the label in
// front of the field, the longest text and the text to start from. Typing past the
// longest text puts the text before the keystroke back; OK takes the text trimmed of
// white space at both ends.
//
// Run it through runModal: OK ends the run with kOKCode and NameEntered() gives the
// text; Cancel, the close box and Escape end it with kCancelCode.
class CommonName : public QDialog {
    Q_OBJECT

public:
    static constexpr int kOKCode = 1000;
    static constexpr int kCancelCode = 1234;

    explicit CommonName(QWidget* parent = nullptr);
    ~CommonName() override;

    void loadTitle(const std::string& title);
    void setlabelName(const std::string& label);
    // The longest text in characters; a length of 60 gives the window its wide form.
    void setLength_Txt(int length);
    void setName(const std::string& name);

    // The text confirmed with OK; empty after Cancel.
    const std::string& NameEntered() const { return NameEntered_; }

public slots:
    void Ok_Click();
    void Cancel_Click();
    void Txt_Name_EditComplete();
    void reject() override;

private:
    void textEdited(const QString& text);
    void enableOk();
    QString trimmedAndCut() const;

    std::unique_ptr<Ui::CommonName> ui_;
    int len = 0;
    QString PreviousValue;
    std::string NameEntered_;
};
