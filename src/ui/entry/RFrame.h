#pragma once

#include <memory>

#include "ui/entry/RecipientEntryWindow.h"

namespace Ui {
class RFrame;
}

// The 1099-R entry window (form kind 4). Everything it does is the shared window's, read
// from its form table (its whole-number boxes and distribution code included); its tab
// order runs through the identity fields, then the boxes and state rows.
class RFrame : public RecipientEntryWindow {
    Q_OBJECT

public:
    // The window on the selection holders' payer (new mode) or recipient (edit mode),
    // kept by the main window; null when there is none to open it on.
    static RFrame* create(QWidget* parent = nullptr);
    ~RFrame() override;

protected:
    void keepInMainWindow(bool keep) override;

private:
    RFrame(Target target, QWidget* parent);
    std::unique_ptr<Ui::RFrame> ui_;
};
