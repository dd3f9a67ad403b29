#pragma once

#include <memory>

#include "ui/entry/RecipientEntryWindow.h"

namespace Ui {
class DIVFrame;
}

// The 1099-DIV entry window (form kind 2). Everything it does is the shared window's,
// read from its form table; its tab order runs in one chain from the name line through
// the boxes to the state rows.
class DIVFrame : public RecipientEntryWindow {
    Q_OBJECT

public:
    // The window on the selection holders' payer (new mode) or recipient (edit mode),
    // kept by the main window; null when there is none to open it on.
    static DIVFrame* create(QWidget* parent = nullptr);
    ~DIVFrame() override;

protected:
    void keepInMainWindow(bool keep) override;

private:
    DIVFrame(Target target, QWidget* parent);
    std::unique_ptr<Ui::DIVFrame> ui_;
};
