#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "core/store/MailingLabelInfo.h"
#include "ui/support/HandOffs.h"

namespace Ui {
class MailingLabels;
}
class QLineEdit;

// The label settings of the first selected payer: margins, label size, labels across
// and labels per recipient. Each way out prints the labels once at most:
// - Save stores settings that pass their checks and ends with kSavedCode; the caller
//   prints. Settings that fail are named in a message and the window stays open.
// - Cancel, the close box and Escape print with the stored settings and end with
//   kCancelledCode.
// - Reset to Defaults, once confirmed, stores the defaults, ends with kRestoredCode and
//   opens the window again; this window then prints when that one is saved.
class MailingLabels : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSavedCode = kLabelSettingsSavedCode;
    static constexpr int kCancelledCode = kLabelSettingsCancelledCode;
    static constexpr int kRestoredCode = kLabelSettingsRestoredCode;
    // Characters a measure field and a count field keep.
    static constexpr int kMeasureLength = 5;
    static constexpr int kCountLength = 1;

    explicit MailingLabels(QWidget* parent = nullptr);
    ~MailingLabels() override;

    // Runs the window modally for the first selected payer; returns its end code. With
    // no payer selected the user is told to select one, and nothing is shown or printed
    // (kCancelledCode).
    static int run(QWidget* parent);

    const MailingLabelInfo& getMailLabel() const { return MailLabel_; }

public slots:
    void Leftlabel_action();
    void TopLabel_Action();
    void WidthLabel_Action();
    void HeightLabel_Action();
    void Cross_Action();
    void Repeat_Action();
    void Labels_Save();
    void Labels_Cancel();
    void Labels_Restore();
    void reject() override;

private:
    void windowDidLoad();
    void showSettings();
    // Writes MailLabel_ into the payer's row (a payer without one gets one); false when
    // it could not be stored (the database has told the user).
    bool store();
    void printLabels();
    static void cut(QLineEdit* field, int length);

    std::unique_ptr<Ui::MailingLabels> ui_;
    MailingLabelInfo MailLabel_;
    int32_t payer_ = -1;
    bool ending_ = false;
};

inline constexpr const char* kMailingLabelsWindowName = "MailingLabels";
