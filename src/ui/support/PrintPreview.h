#pragma once

#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class PrintPreview;
}

// A window that shows one text and prints it. Close, the close box and Escape end its
// run with kPrintPreviewClosedCode (UserInterface.h).
class PrintPreview : public QDialog {
    Q_OBJECT

public:
    explicit PrintPreview(QWidget* parent = nullptr);
    ~PrintPreview() override;

    // The text to show; set before the window is shown.
    void setText_Content(const std::string& text);
    const std::string& text_Content() const { return text_Content_; }

public slots:
    void Print_text();    // prints what the text view holds now
    void Print_Close();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::PrintPreview> ui_;
    std::string text_Content_;
};
