#pragma once

#include <memory>

#include "ui/entry/RecipientEntryWindow.h"

namespace Ui {
class NECFrame;
}

// The 1099-NEC entry window (form kind 7). Beyond the shared window: its tab order
// runs through the identity fields, then the boxes and state rows.
class NECFrame : public RecipientEntryWindow {
    Q_OBJECT

public:
    // The window on the selection holders' payer (new mode) or recipient (edit mode),
    // kept by the main window; null when there is none to open it on.
    static NECFrame* create(QWidget* parent = nullptr);
    ~NECFrame() override;

protected:
    void keepInMainWindow(bool keep) override;

private:
    NECFrame(Target target, QWidget* parent);
    std::unique_ptr<Ui::NECFrame> ui_;
};
