#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QDialog>

#include "core/store/RecipientInfo.h"
#include "ui/records/FormKindSwitches.h"

class QButtonGroup;
namespace Ui {
class CopyRecipient;
}

// Copies the identity of the first recipient selected in the main window to a form
// kind (1099-MISC to start with) in a listed company database, where it becomes a new
// recipient of that database's payer of key 0. The copying is records::copyRecipient;
// the dialog collects the choices and tells the user why a copy was refused.
//
// Every ending of its run has kEndCode: after a copy (or a failure the store has
// reported), Cancel, the close box and Escape. A duplicate taxpayer number keeps the
// dialog open unless its message is answered with OK; a target without its payer of
// key 0 or a database file that is gone keeps it open. A copy made is told: the
// recipient, the form kind, the payer and the database (by name and file) it went to.
class CopyRecipient : public QDialog {
    Q_OBJECT

public:
    static constexpr int kEndCode = 1000;

    explicit CopyRecipient(QWidget* parent = nullptr);
    ~CopyRecipient() override;

    // The target form kind code: 1, 2, 3, 4, 5 or 7.
    int32_t type() const { return type_; }
    const RecipientInfo& theRecpInfo() const { return theRecpInfo_; }
    const FormKindSwitches& switches() const { return switches_; }

public slots:
    void Copy_OK();
    void Copy_Cancel();
    void reject() override;

private:
    void setType(int32_t kind);
    void end();

    std::unique_ptr<Ui::CopyRecipient> ui_;
    QButtonGroup* kinds_ = nullptr;
    RecipientInfo theRecpInfo_;
    std::string recipientName_;   // as the dialog names it
    FormKindSwitches switches_;
    int32_t type_ = 1;
};
