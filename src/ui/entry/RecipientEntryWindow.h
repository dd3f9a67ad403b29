#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QString>

#include "core/entry/RecipientEntry.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientFullInfo.h"
#include "ui/database/DatabaseBoundWindow.h"

// The close prompt's buttons (message box style 26) by the code each ends it with; only
// its affirmative button (2) saves. Its close box (1000) keeps the window open with its
// edits, as Cancel does: a way of dismissing the prompt never stores what the user did
// not confirm.
inline constexpr int kClosePromptCancel = 8;
inline constexpr int kClosePromptNo = 16;

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The window in which one recipient of one form kind is entered or edited, beside the
// main window. Everything the forms share lives here and reads the form's table
// (entry::EntryFormTable): binding the controls by name, the typing limit of every
// field, marking the record changed, showing and reading the two records, the checks
// with their colours and error list, Add, Update, Previous and Next, and the prompt
// before closing with unsaved changes. The form windows (MISCFrame, NECFrame,
// INTFrame) add their layout and what only they do.
//
// The payer is fixed when the window opens: a later change of the main window's
// selection moves nothing. Records, lists and previous texts belong to the window, so
// two open windows never store each other's records.
class RecipientEntryWindow : public QDialog, public DatabaseBoundWindow {
    Q_OBJECT

public:
    // What a window opens on: a payer and, in edit mode, a stored recipient.
    struct Target {
        int32_t payer = -1;
        bool edit = false;
        entry::RecipientRecords records;
    };
    // The target of the selection holders: in new mode the first selected payer, in
    // edit mode the first selected recipient with its own payer. None (the window does
    // not open) without an open database, a selected payer or a stored recipient.
    static std::optional<Target> target();

    ~RecipientEntryWindow() override;

    // Closes through the close prompt; false when the user kept the window open.
    bool closeWithPrompt() override;

    const entry::EntryFormTable& formTable() const { return formTable_; }
    const RecipientInfo& theRecipientInfo() const { return records_.info; }
    const RecipientAdditionalInfo& theRecipientAdditionalInfo() const { return records_.additional; }
    const std::vector<bool>& flags() const { return flags_; }
    int32_t CurrentIndex() const { return CurrentIndex_; }
    int32_t payerKey() const { return payerKey_; }
    bool isEditMode() const { return edit_; }
    // The control of a field of the form's table.
    QWidget* control(const std::string& outlet) const;

public slots:
    void AddRecipient_Action();
    void UpdateRecipient_Action();
    void Previous_Action();
    void NextRecipient_Action();
    void Cancel_Action();
    // Escape takes the close path.
    void reject() override;

protected:
    // The window's buttons by object name.
    struct Buttons {
        const char* add;
        const char* update;
        const char* previous;
        const char* next;
        const char* cancel;
    };
    // Controls whose next key view is the following one. Tab runs through the chains in
    // turn, then through the controls outside them in the layout's order, then the
    // buttons, and back to the first chain: every enabled control once.
    struct TabChain {
        std::vector<const char*> outlets;
    };

    RecipientEntryWindow(const entry::EntryFormTable& formTable, Target target, QWidget* parent);

    // The load routine; the form window calls it once, after building its layout.
    void load(const Buttons& buttons, const std::vector<TabChain>& chains);

    // Sets (keep) or clears the main window's reference to this window.
    virtual void keepInMainWindow(bool keep) = 0;
    bool isForeignAddress() const;
    QWidget* control(entry::Role role) const;

    void closeEvent(QCloseEvent* event) override;

private:
    void setTabChains(const std::vector<TabChain>& chains);

    // The close prompt; true when the window may close.
    bool windowShouldClose();
    // A new recipient whose fields differ from the empty form the window opened with.
    bool isNewRecipientTyped() const;

    // View and records.
    entry::EntryView readView() const;
    void showView(const entry::EntryView& view);
    void showRecords();
    void setNameControls(bool business);
    void setAddressControls(bool foreign);
    void showStoredRecipient(const entry::RecipientRecords& records);
    void setFieldText(std::size_t field, const QString& text);

    // Checks and saving.
    bool Validate();
    void showErrors();
    bool VerifySave();
    bool isDuplicate();
    bool saveEdits();
    bool insertNewRecipient();
    void showSavedRecipient(int32_t key);

    // Change marking and control actions.
    void markChanged();
    void stateChosen();
    void textEdited(std::size_t field, const QString& text);
    void fieldAction(std::size_t field);
    void popUpChosen(std::size_t field, int index);
    void checkBoxClicked(std::size_t field);

    const entry::EntryFormTable& formTable_;
    int32_t payerKey_;
    bool edit_;
    entry::RecipientRecords records_;
    ComapnyInfo payer_;
    std::vector<RecipientFullInfo> recipients_;   // the payer's recipients of this kind, for Previous/Next
    int32_t CurrentIndex_ = 0;
    std::vector<bool> flags_;

    std::vector<QWidget*> controls_;      // by field of the table
    std::vector<QString> previous_;       // text fields: the text before the current keystroke
    std::vector<bool> edited_;            // text fields: typed into since their last action
    QPushButton* add_ = nullptr;
    QPushButton* update_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool closing_ = false;                // closing after Add: no prompt
    entry::EntryView untouched_;          // new mode: the fields as the window opened
    int32_t closedOn_ = -1;               // the recipient the main window's list goes back to; -1: none
};
