#pragma once

#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class HowToEFile;
}

// The e-file help window: its buttons open the tax agency's FIRE pages in the web
// browser (applying for a transmitter control code, registering, the introduction,
// logging on, the test system) and leave the window open. It runs modally from the
// e-file window, which keeps it for the next use; Close, the close box and Escape end
// the run with kHowToEFileClosedCode.
class HowToEFile : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHowToEFileClosedCode = 10000;

    explicit HowToEFile(QWidget* parent = nullptr);
    ~HowToEFile() override;

public slots:
    void Form_4419();
    void Create_FIRE();
    void Login_FIRE();
    void My_FIREAcct();
    void Send_TestFile();
    void HowEFile_Close();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void open(const std::string& address);

    std::unique_ptr<Ui::HowToEFile> ui;
};
