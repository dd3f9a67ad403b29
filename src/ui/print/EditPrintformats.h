#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QDialog>

namespace Ui {
class EditPrintformats;
}

// The chooser of the print-layout editor: the user picks one of the editable forms and
// either edits the layout the company database keeps for it (Edit Current) or starts
// again from the program's built-in layout (Reset). Every way out ends the run with
// kEndCode; what was chosen, if anything, is in choice().
class EditPrintformats : public QDialog {
    Q_OBJECT

public:
    // The code every run of the chooser ends with.
    static constexpr int kEndCode = 1000;

    // What the user chose: the form's layout code and whether to start from the
    // built-in layout.
    struct Choice {
        int32_t whichRecipientFormatTypeToEdit = 0;
        bool getFormatsFromProgram = false;
    };

    explicit EditPrintformats(QWidget* parent = nullptr);
    ~EditPrintformats() override;

    // The main window's Edit Print Forms command: the chooser, and for each form chosen
    // the editor, after which the chooser comes back, until the chooser is cancelled.
    // Does nothing without an open company database.
    static void runFromMainWindow(QWidget* parent);

    const std::optional<Choice>& choice() const { return choice_; }
    int32_t whichRecipientFormatTypeToEdit() const { return whichRecipientFormatTypeToEdit_; }

public slots:
    void MISC2upChoice(int position);
    void EditCurrent_Action();
    void ResetFormat_Action();
    void Cancel_Action();
    void reject() override;

private:
    void windowDidLoad();
    void UpdateUserButtons();
    void choose(bool fromProgram);

    std::unique_ptr<Ui::EditPrintformats> ui_;
    int32_t whichRecipientFormatTypeToEdit_ = 0;
    std::optional<Choice> choice_;
    bool ending_ = false;
};

inline constexpr const char* kEditPrintformatsWindowName = "EditPrintformats";
