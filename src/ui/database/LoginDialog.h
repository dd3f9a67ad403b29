#pragma once

#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class LoginDialog;
}
class QLineEdit;
class QPushButton;

// Asks for a user name and password of the open company database's user accounts.
// A successful login fills session().loginInfo from the user's row and ends the run
// with kLoggedInCode; Cancel, the close box and Escape end it with kCancelCode. A
// refused login says so and leaves the dialog open for another attempt.
class LoginDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kLoggedInCode = 1234;
    static constexpr int kCancelCode = 1000;

    explicit LoginDialog(QWidget* parent = nullptr);
    ~LoginDialog() override;

    bool getValiDLogin() const { return validLogin_; }
    bool validLogin() const { return validLogin_; }
    void setValidLogin(bool v) { validLogin_ = v; }

    // A warning alert with the program's mark, the window title, the message and the
    // informative text, and one OK button; waits until it is dismissed.
    static void ShowAlertMsg(const std::string& message, const std::string& informative, const std::string& title);

    QLineEdit* UserName_P() const;
    QLineEdit* Password_P() const;
    QPushButton* Execute_Login() const;
    QPushButton* Cancel_Login() const;

public slots:
    void Execute_Login_M();
    void Cencel_Login_M();
    void reject() override;

private:
    void windowDidLoad();

    std::unique_ptr<Ui::LoginDialog> ui_;
    bool validLogin_ = false;
};

inline constexpr const char* kInvalidLoginMessage = "Invalid Login, Please try again";
