#pragma once

#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class HowtoIRIS;
}

// The IRIS help window, run modally over the IRIS payer window. Its buttons open the
// tax agency's pages in the web browser: the sign-in to its e-services, the page on
// applying for an IRIS transmitter control code and the IRIS user guide. Close,
// the close box and Escape end the run with kClosedCode.
class HowtoIRIS : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClosedCode = 1000;

    explicit HowtoIRIS(QWidget* parent = nullptr);
    ~HowtoIRIS() override;

public slots:
    void Sign_Action();
    void Completetheiris_Action();
    void UserGuide_Action();
    void Cancel_Action();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Opens the address in the browser, or tells the user to open it.
    void openPage(const std::string& address);

    std::unique_ptr<Ui::HowtoIRIS> ui;
};
