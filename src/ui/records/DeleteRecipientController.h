#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

class TextListModel;
namespace Ui {
class DeleteRecipientController;
}

// Confirms the deletion of the recipients selected in the main window, listing the
// names the main window gives it. Confirm deletes every recipient of
// session().recp_details from the open company database, with its additional data,
// in one write (all or none; a failure is reported by the store) and ends the run with
// kDeletedCode, even when nothing was selected. Cancel, the close box and Escape end
// it with kCancelCode and delete nothing.
class DeleteRecipientController : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDeletedCode = 1234;
    static constexpr int kCancelCode = 1000;

    explicit DeleteRecipientController(QWidget* parent = nullptr);
    ~DeleteRecipientController() override;

    // The names to list, in list order.
    void Getstring(const std::vector<std::string>& names);
    // The rows shown: each name after two blanks, then one empty row.
    const std::vector<std::string>& recp() const { return recp_; }
    int32_t buttonSelection() const { return buttonSelection_; }

public slots:
    void DelRecip_confirm();
    void DelRecip_Cancel();
    void reject() override;

private:
    void LoadData();
    void end(int code);

    std::unique_ptr<Ui::DeleteRecipientController> ui_;
    TextListModel* model_ = nullptr;
    std::vector<std::string> deletestring_;
    std::vector<std::string> recp_;
    int32_t buttonSelection_ = 0;
};
