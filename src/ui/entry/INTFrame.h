#pragma once

#include <memory>

#include "ui/entry/RecipientEntryWindow.h"

namespace Ui {
class INTFrame;
}

// The 1099-INT entry window (form kind 3). What only it does (a Box 15 state left at
// "None" keeps its check, Box 18 stored as typed) is in its form table.
class INTFrame : public RecipientEntryWindow {
    Q_OBJECT

public:
    // The window on the selection holders' payer (new mode) or recipient (edit mode),
    // kept by the main window; null when there is none to open it on.
    static INTFrame* create(QWidget* parent = nullptr);
    ~INTFrame() override;

protected:
    void keepInMainWindow(bool keep) override;

private:
    INTFrame(Target target, QWidget* parent);
    std::unique_ptr<Ui::INTFrame> ui_;
};
