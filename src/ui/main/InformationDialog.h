#pragma once

#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class InformationDialog;
}

// The important information shown after every start, application-modally. The user
// may print or copy the text and goes on with Continue; Continue, the close box and
// Escape all end the run with kContinueCode.
class InformationDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kContinueCode = 10000;

    explicit InformationDialog(QWidget* parent = nullptr);
    ~InformationDialog() override;

    // The text that Print and Copy hand on: the window's text and two line breaks.
    std::string textToHandOn() const;

public slots:
    void Information_Continue();
    void Information_Print();
    void Information_Copy();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::InformationDialog> ui;
    bool ending_ = false;
};
