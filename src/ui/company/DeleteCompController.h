#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class DeleteCompController;
}

// Confirms the deletion of the payers selected in the main window (session().comp_details),
// showing the one name the main window gives it. Confirm asks the open company database
// to delete each selected payer (it refuses, with its own message, a payer that still
// has recipients, and sets session().CompanyDeleted for the last one asked) and ends the
// run with kConfirmCode; Cancel, the close box and Escape end it with kCancelCode.
class DeleteCompController : public QDialog {
    Q_OBJECT

public:
    static constexpr int kConfirmCode = 1234;
    static constexpr int kCancelCode = 1000;

    explicit DeleteCompController(QWidget* parent = nullptr);
    ~DeleteCompController() override;

    // The name to show.
    void Getstring(const std::string& name);
    int32_t buttonSelection() const { return buttonSelection_; }

public slots:
    void Del_confirm();
    void Del_Comp();
    void Delete_NameText();
    void reject() override;

private:
    void LoadData();
    void end(int code);

    std::unique_ptr<Ui::DeleteCompController> ui_;
    std::string deletestring_;
    int32_t buttonSelection_ = 0;
};
