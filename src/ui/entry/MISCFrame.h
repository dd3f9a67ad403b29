#pragma once

#include <memory>

#include "ui/entry/RecipientEntryWindow.h"

namespace Ui {
class MISCFrame;
}

// The 1099-MISC entry window (form kind 1). Beyond the shared window: Box 14 is shown
// but never used.
class MISCFrame : public RecipientEntryWindow {
    Q_OBJECT

public:
    // The window on the selection holders' payer (new mode) or recipient (edit mode),
    // kept by the main window; null when there is none to open it on.
    static MISCFrame* create(QWidget* parent = nullptr);
    ~MISCFrame() override;

protected:
    void keepInMainWindow(bool keep) override;

private:
    MISCFrame(Target target, QWidget* parent);
    std::unique_ptr<Ui::MISCFrame> ui_;
};
