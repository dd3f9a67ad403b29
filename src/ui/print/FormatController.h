#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QDialog>
#include <QPoint>
#include <QSize>

#include "core/print/LayoutEditing.h"
#include "core/store/WX_FMTVAL.h"

namespace Ui {
class FormatController;
}
class QLabel;

// The print-layout editor of one form: every field of the form's layout is a labelled
// box on a ruler, where the layout puts it. Dragging a box moves the field; a double
// click switches its printing off (red) or on again. Closing the window (close box,
// Escape) asks whether to save: "Yes" stores the layout in the company database, "No"
// leaves the stored one as it was; either ends the run with kEndCode. When the layout
// cannot be stored the database says why and the editor stays open with the changes.
class FormatController : public QDialog {
    Q_OBJECT

public:
    static constexpr int kEndCode = 1000;

    // The editor of the form with layoutCode (one of the chooser's forms), starting from
    // the built-in layout when fromProgram is set, else from the company's stored one.
    FormatController(int32_t layoutCode, bool fromProgram, QWidget* parent = nullptr);
    ~FormatController() override;

    int32_t whichRecipientFormatTypeToEdit() const { return whichRecipientFormatTypeToEdit_; }
    bool getFormatsFromProgram() const { return getFormatsFromProgram_; }
    // The layout as edited so far, in field order.
    const layoutediting::Layout& val() const { return val_; }
    // The label of a field; nullptr for a field the form does not have.
    QLabel* fieldLabel(int tag) const;
    int fieldCount() const { return static_cast<int>(labels_.size()); }

    // The mouse on the sheet, in the sheet's coordinates: a press (clickCount 2 for a
    // double click) picks the label under the point; a move with the button held drags
    // the picked one.
    void mouseDown(QPoint point, int clickCount);
    void mouseDragged(QPoint point);

    // Asks whether to save and, unless the user goes back to the editor or the layout
    // could not be stored, ends the run. Returns whether the editor ended.
    bool windowShouldClose();

public slots:
    void reject() override;

private:
    void windowDidLoad();
    QLabel* labelAt(QPoint point) const;
    void showPrinting(QLabel* label, bool printed);
    void showSelected(QLabel* label, bool selected);
    bool store();

    std::unique_ptr<Ui::FormatController> ui_;
    int32_t whichRecipientFormatTypeToEdit_ = 0;
    bool getFormatsFromProgram_ = false;
    layoutediting::Layout val_;
    std::vector<QLabel*> labels_;        // in field order; the sheet owns them

    QLabel* controlToMove_ = nullptr;    // the label being dragged
    WX_FMTVAL fmtval_;                   // its layout entry
    QPoint mouseDownLocation_;           // the pointer relative to its top-left corner
    QSize mouseDownInCntrlFrameSize_;
    QLabel* checkcontrolSelected_ = nullptr;
    bool ending_ = false;
};

inline constexpr const char* kFormatControllerWindowName = "FormatController";
