#pragma once

#include <memory>

#include "ui/entry/RecipientEntryWindow.h"

namespace Ui {
class SFrame;
}

// The 1099-S entry window (form kind 5), for the transferor of a real-estate sale.
// Everything it does is the shared window's, read from its form table, whose Box 3 rule
// ties the property's address fields together; its tab order runs through the
// identity fields, then the property's boxes.
class SFrame : public RecipientEntryWindow {
    Q_OBJECT

public:
    // The window on the selection holders' payer (new mode) or recipient (edit mode),
    // kept by the main window; null when there is none to open it on.
    static SFrame* create(QWidget* parent = nullptr);
    ~SFrame() override;

protected:
    void keepInMainWindow(bool keep) override;

private:
    SFrame(Target target, QWidget* parent);
    std::unique_ptr<Ui::SFrame> ui_;
};
