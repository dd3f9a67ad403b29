#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class AboutTalvexa1099;
}

// The program's version, the configuration database's version and a link to the
// maker's home page. Shown beside the main window, which keeps it until it closes.
// Close ends a modal run, when one is going on, with kCloseCode.
class AboutTalvexa1099 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCloseCode = 1000;

    explicit AboutTalvexa1099(QWidget* parent = nullptr);
    ~AboutTalvexa1099() override;

public slots:
    void weblink();
    void Close_Action();

private:
    std::unique_ptr<Ui::AboutTalvexa1099> ui;
};
