#include "ui/entry/RecipientEntryWindow.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

#include "core/entry/RecipientEntry.h"
#include "core/entry/RecipientRecordWrites.h"
#include "core/foundation/FormErrorList.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TinType.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/DuplicateTaxID.h"
#include "core/store/Recipient.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/InvalidMarking.h"
#include "ui/support/TypingClamp.h"

using namespace entry;

namespace {

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const auto& dbh = session().DBH;
    return dbh ? dbh->companyDatabase() : nullptr;
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::optional<RecipientEntryWindow::Target> RecipientEntryWindow::target() {
    Session& s = session();
    auto db = companyDatabase();
    if (!db || !db->IsReady() || !s.comp_details || !s.recp_details) return std::nullopt;
    Target t;
    if (s.recp_details->ModeIsEdit()) {
        const std::vector<int32_t>& keys = s.recp_details->selectedRecipients();
        if (keys.empty()) return std::nullopt;
        t.records.info = db->getRecipientInfo(keys.front());
        if (t.records.info.getPK() < 0) return std::nullopt;
        t.records.additional = db->getRecipientAdditionalInfo(keys.front());
        // The recipient's own payer, whichever payers the main window has selected.
        t.payer = t.records.info.getCompany_FK();
        t.edit = true;
    } else {
        const std::vector<int32_t>& payers = s.comp_details->selectedCompanies();
        if (payers.empty()) return std::nullopt;
        t.payer = payers.front();
    }
    if (db->getCompanyInfo1(t.payer).getPK() < 0) return std::nullopt;
    return t;
}

RecipientEntryWindow::RecipientEntryWindow(const EntryFormTable& formTable, Target target, QWidget* parent)
    : QDialog(parent),
      formTable_(formTable),
      payerKey_(target.payer),
      edit_(target.edit),
      records_(std::move(target.records)) {
    setAttribute(Qt::WA_DeleteOnClose);
    if (company_Refer) company_Refer->boundWindows().add(*this);
}

RecipientEntryWindow::~RecipientEntryWindow() {
    // The controls outlive this part of the window: hiding a field that has the focus
    // while the window goes away would still report its edit to it.
    for (QWidget* w : controls_)
        if (w) w->disconnect(this);
}

QWidget* RecipientEntryWindow::control(const std::string& outlet) const {
    const std::size_t i = formTable_.indexOf(outlet);
    return i == EntryFormTable::npos ? nullptr : controls_[i];
}

QWidget* RecipientEntryWindow::control(Role role) const {
    const std::size_t i = formTable_.indexOf(role);
    return i == EntryFormTable::npos ? nullptr : controls_[i];
}

bool RecipientEntryWindow::isForeignAddress() const {
    auto* box = qobject_cast<QCheckBox*>(control(Role::ForeignAddress));
    return box && box->isChecked();
}

// ---------------------------------------------------------------------------
// Load

void RecipientEntryWindow::load(const Buttons& buttons, const std::vector<TabChain>& chains) {
    const std::size_t n = formTable_.fields.size();
    controls_.assign(n, nullptr);
    previous_.assign(n, QString());
    edited_.assign(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        controls_[i] = findChild<QWidget*>(QString::fromLatin1(formTable_.fields[i].outlet));
        if (!controls_[i]) qFatal("%s has no control %s", formTable_.window, formTable_.fields[i].outlet);
    }
    auto findButton = [this](const char* name) {
        auto* b = findChild<QPushButton*>(QString::fromLatin1(name));
        if (!b) qFatal("%s has no button %s", formTable_.window, name);
        return b;
    };
    add_ = findButton(buttons.add);
    update_ = findButton(buttons.update);
    previousButton_ = findButton(buttons.previous);
    next_ = findButton(buttons.next);
    cancel_ = findButton(buttons.cancel);

    QStringList states;
    for (const std::string& s : Utils::StateWithCode()) states << qs(s);
    QStringList tinTypes, nameTypes;
    for (const std::string& s : tintype::titles()) tinTypes << qs(s);
    for (const std::string& s : nameTypeTitles()) nameTypes << qs(s);

    for (std::size_t i = 0; i < n; ++i) {
        const EntryField& f = formTable_.fields[i];
        QWidget* w = controls_[i];
        switch (f.control) {
        case Control::Text: {
            auto* edit = static_cast<QLineEdit*>(w);
            connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) { textEdited(i, text); });
            connect(edit, &QLineEdit::editingFinished, this, [this, i] { fieldAction(i); });
            break;
        }
        case Control::PopUp: {
            auto* box = static_cast<QComboBox*>(w);
            box->clear();
            box->addItems(f.role == Role::TinType ? tinTypes : f.role == Role::NameType ? nameTypes : states);
            connect(box, &QComboBox::activated, this, [this, i](int index) { popUpChosen(i, index); });
            break;
        }
        case Control::CheckBox:
            connect(static_cast<QCheckBox*>(w), &QCheckBox::clicked, this, [this, i] { checkBoxClicked(i); });
            break;
        }
    }
    for (const char* outlet : formTable_.disabledAtLoad) control(outlet)->setEnabled(false);

    connect(add_, &QPushButton::clicked, this, &RecipientEntryWindow::AddRecipient_Action);
    connect(update_, &QPushButton::clicked, this, &RecipientEntryWindow::UpdateRecipient_Action);
    connect(previousButton_, &QPushButton::clicked, this, &RecipientEntryWindow::Previous_Action);
    connect(next_, &QPushButton::clicked, this, &RecipientEntryWindow::NextRecipient_Action);
    connect(cancel_, &QPushButton::clicked, this, &RecipientEntryWindow::Cancel_Action);

    setTabChains(chains);

    auto db = companyDatabase();
    payer_ = db->getCompanyInfo1(payerKey_);
    recipients_ = db->getRecipientFullInfo1(payerKey_, 0, formTable_.kind, 0);
    flags_.assign(formTable_.flagCount, true);

    auto label = [this](const char* name, const std::string& text) {
        if (auto* l = findChild<QLabel*>(QString::fromLatin1(name))) {
            l->setText(qs(text));
            l->setToolTip(qs(text));
        }
    };
    const auto orBlank = [](const std::string& s) { return s.empty() ? std::string(" ") : s; };
    label("PayersName_Text", payer_.getName());
    label("Payers_Address", orBlank(payer_.getAddress()));
    label("City_State_Zip_Phone_Text",
          payer_.getCity() + ", " + payer_.getState() + "  " + payer_.getZip() + "  " + payer_.getPhone());
    label("PayerFed_ID", orBlank(payer_.getTaxID1()));

    previousButton_->setEnabled(false);
    next_->setEnabled(false);
    cancel_->setEnabled(true);
    add_->setDefault(true);
    update_->setEnabled(false);

    if (edit_) {
        add_->setEnabled(false);
        if (recipients_.size() != 1) {
            const auto found = std::find_if(recipients_.begin(), recipients_.end(), [this](const RecipientFullInfo& r) {
                return r.getPK() == records_.info.getPK() && r.getType() == formTable_.kind;
            });
            if (found != recipients_.end()) {
                CurrentIndex_ = static_cast<int32_t>(found - recipients_.begin());
                previousButton_->setEnabled(CurrentIndex_ > 0);
                next_->setEnabled(static_cast<std::size_t>(CurrentIndex_) + 1 < recipients_.size());
            }
        }
        showStoredRecipient(records_);
    } else {
        records_ = RecipientRecords();
        showRecords();
        add_->setEnabled(true);
        untouched_ = readView();
    }

    QWidget* first = control(Role::BusinessName);
    if (!first->isEnabled()) first = control(Role::FirstName);
    first->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------
// View and records

EntryView RecipientEntryWindow::readView() const {
    EntryView v = EntryView::empty(formTable_);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        switch (formTable_.fields[i].control) {
        case Control::Text:
            v.text[i] = static_cast<QLineEdit*>(controls_[i])->text().toStdString();
            break;
        case Control::PopUp:
            v.text[i] = static_cast<QComboBox*>(controls_[i])->currentText().toStdString();
            break;
        case Control::CheckBox:
            v.checked[i] = static_cast<QCheckBox*>(controls_[i])->isChecked();
            break;
        }
    }
    return v;
}

void RecipientEntryWindow::setFieldText(std::size_t field, const QString& text) {
    static_cast<QLineEdit*>(controls_[field])->setText(text);
    previous_[field] = text;
}

void RecipientEntryWindow::showView(const EntryView& view) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        switch (formTable_.fields[i].control) {
        case Control::Text:
            setFieldText(i, qs(view.text[i]));
            static_cast<QLineEdit*>(controls_[i])->setCursorPosition(0);
            break;
        case Control::PopUp: {
            auto* box = static_cast<QComboBox*>(controls_[i]);
            // A stored title that is no item shows the first item.
            box->setCurrentIndex(std::max(0, box->findText(qs(view.text[i]), Qt::MatchExactly)));
            break;
        }
        case Control::CheckBox:
            static_cast<QCheckBox*>(controls_[i])->setChecked(view.checked[i]);
            break;
        }
    }
}

void RecipientEntryWindow::setNameControls(bool business) {
    control(Role::BusinessName)->setEnabled(business);
    for (Role part : {Role::FirstName, Role::MiddleName, Role::Surname, Role::Suffix})
        control(part)->setEnabled(!business);
}

void RecipientEntryWindow::setAddressControls(bool foreign) {
    auto* state = static_cast<QComboBox*>(control(Role::AddressState));
    state->setEnabled(!foreign);
    if (foreign) state->setCurrentIndex(0);
    control(Role::Province)->setEnabled(foreign);
}

void RecipientEntryWindow::showRecords() {
    const EntryView view = recordsToView(formTable_, records_, payer_.getName());
    showView(view);
    setNameControls(isBusiness(formTable_, view));
    setAddressControls(records_.info.getAddressIsNotUSTerritory());
}

// Shows a stored recipient as loading and stepping do: its texts cut to their fields
// and checked. Looking at a recipient writes nothing: what the window shows reaches the
// file only when the user saves it.
void RecipientEntryWindow::showStoredRecipient(const RecipientRecords& records) {
    records_ = records;
    showRecords();
    EntryView view = readView();
    trimView(formTable_, view);
    showView(view);
    viewToRecords(formTable_, view, payer_.getName(), records_);
    Validate();
}

// ---------------------------------------------------------------------------
// Checks

bool RecipientEntryWindow::Validate() {
    checkFields(formTable_, readView(), flags_);
    records_.info.setType(formTable_.kind);
    records_.additional.setType(formTable_.kind);
    showErrors();
    const bool valid = allValid(flags_);
    records_.info.setValidated(valid);
    records_.additional.setValidated(valid);
    return valid;
}

void RecipientEntryWindow::showErrors() {
    const bool foreign = isForeignAddress();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const EntryField& f = formTable_.fields[i];
        if (f.flag < 0 || f.check == Check::None) continue;
        const bool invalid = !flags_[static_cast<std::size_t>(f.flag)];
        if (f.role == Role::AddressState) {
            // The state of a foreign address is the province's text.
            markInvalid(controls_[i], invalid && !foreign);
            markInvalid(control(Role::Province), invalid && foreign);
            continue;
        }
        markInvalid(controls_[i], invalid);
    }
}

bool RecipientEntryWindow::VerifySave() {
    if (!flags_[static_cast<std::size_t>(formTable_.nameLineFlag)]) {
        tvDatabase::tvMessageBox("", "You must enter a Business Name to save this Recipient.", kMessageStyleOK,
                                 "No Last Name given", kMessageImagePlain, true);
        return false;
    }
    if (!flags_[static_cast<std::size_t>(formTable_.surnameFlag)]) {
        tvDatabase::tvMessageBox("", "You must enter a Last Name to save this Recipient.", kMessageStyleOK,
                                 "No Last Name given", kMessageImagePlain, true);
        return false;
    }
    const std::vector<std::string> errors = errorStrings(formTable_, flags_, isForeignAddress());
    if (errors.empty()) return true;
    // Going back to correct the record keeps its changes unsaved, and Update with them.
    const bool updateWasEnabled = update_->isEnabled();
    update_->setEnabled(false);
    const bool saveAnyway = showFormErrors(errors);
    update_->setEnabled(updateWasEnabled);
    return saveAnyway;
}

bool RecipientEntryWindow::isDuplicate() {
    // A list read only in part could hide the duplicate, so nothing is saved on it.
    const auto stored = companyDatabase()->getRecipientTaxIDsInFull(payerKey_, formTable_.kind);
    if (!stored) {
        tvDatabase::tvMessageBox("",
                                 "The recipients of this company could not be read to check the Taxpayer ID "
                                 "for duplicates, so the recipient was not saved.",
                                 kMessageStyleYes, "Recipient Creation Error", kMessageImagePlain, false);
        return true;
    }
    if (!isDuplicateTaxID(records_.info, *stored)) return false;
    tvDatabase::tvMessageBox("", "A Recipient Taxpayer ID already exists for this company and 1099 type",
                             kMessageStyleYes, "Recipient Creation Error", kMessageImagePlain, false);
    return true;
}

// ---------------------------------------------------------------------------
// Saving

void RecipientEntryWindow::AddRecipient_Action() {
    if (edit_ || !insertNewRecipient()) return;
    tvDatabase::tvMessageBox("", "Recipient successfully added.", kMessageStyleOK, "Recipient successfully added",
                             kMessageImagePlain, true);
    keepInMainWindow(false);
    closing_ = true;
    closedOn_ = records_.info.getPK();
    close();
}

// Add's path, which the close prompt's save of a new recipient takes too: the checks,
// the save check, the duplicate check, both rows under one key, and the main window's
// lists with the new recipient selected. False when any step refused or failed:
// nothing was stored.
bool RecipientEntryWindow::insertNewRecipient() {
    records_ = RecipientRecords();
    if (!Validate() && !VerifySave()) return false;
    viewToRecords(formTable_, readView(), payer_.getName(), records_);
    records_.info.setCompany_FK(payerKey_);
    records_.additional.setCompany_FK(payerKey_);
    if (isDuplicate()) return false;
    // Both rows under one key, or neither; a failure is reported by the store.
    if (!companyDatabase()->insertRecipientInfo(records_.info, records_.additional)) return false;
    showSavedRecipient(records_.info.getPK());
    return true;
}

// Update's path, which the close prompt's save takes too: the checks, the save check,
// the duplicate check, both records with their check result in one write, and the
// main window's lists. False when any step refused or failed: nothing was stored.
bool RecipientEntryWindow::saveEdits() {
    if (!Validate() && !VerifySave()) return false;
    viewToRecords(formTable_, readView(), payer_.getName(), records_);
    records_.info.setCompany_FK(payerKey_);
    records_.additional.setCompany_FK(payerKey_);
    if (isDuplicate()) return false;
    if (!updateRecipientRecords(*companyDatabase(), records_.info, records_.additional)) return false;
    showSavedRecipient(records_.info.getPK());
    return true;
}

void RecipientEntryWindow::UpdateRecipient_Action() {
    if (!edit_ || !saveEdits()) return;
    tvDatabase::tvMessageBox("", "Recipient successfully updated.", kMessageStyleOK, "Recipient successfully updated",
                             kMessageImagePlain, true);
    update_->setEnabled(false);
}

// The main window lists the payers' recipients again with the saved one selected.
void RecipientEntryWindow::showSavedRecipient(int32_t key) {
    AppDelegate* main = company_Refer;
    if (main) main->SelectCompany();
    Recipient& held = *session().recp_details;
    held.setSelectedRecipients({key});
    held.setSelectedType({formTable_.kind});
    if (main) {
        main->ReselectRecipients();
        main->Refresh();
    }
}

// ---------------------------------------------------------------------------
// Previous and next

void RecipientEntryWindow::Previous_Action() {
    if (recipients_.empty() || CurrentIndex_ <= 0) return;
    const int32_t position = CurrentIndex_ - 1;
    auto db = companyDatabase();
    const int32_t key = recipients_[static_cast<std::size_t>(position)].getPK();
    RecipientRecords stored{db->getRecipientInfo(key), db->getRecipientAdditionalInfo(key)};
    if (stored.info.getPK() < 0) return;
    showStoredRecipient(stored);
    previousButton_->setEnabled(position != 0);
    next_->setEnabled(true);
    update_->setEnabled(false);
    CurrentIndex_ = position;
}

void RecipientEntryWindow::NextRecipient_Action() {
    for (std::size_t position = static_cast<std::size_t>(CurrentIndex_) + 1; position < recipients_.size(); ++position) {
        const int32_t key = recipients_[position].getPK();
        if (key == records_.info.getPK()) continue;
        auto db = companyDatabase();
        RecipientRecords stored{db->getRecipientInfo(key), db->getRecipientAdditionalInfo(key)};
        if (stored.info.getPK() < 0) return;
        showStoredRecipient(stored);
        previousButton_->setEnabled(true);
        next_->setEnabled(position + 1 < recipients_.size());
        update_->setEnabled(false);
        CurrentIndex_ = static_cast<int32_t>(position);
        return;
    }
}

// ---------------------------------------------------------------------------
// Closing

void RecipientEntryWindow::Cancel_Action() { close(); }

void RecipientEntryWindow::reject() { close(); }

bool RecipientEntryWindow::closeWithPrompt() { return close(); }

bool RecipientEntryWindow::isNewRecipientTyped() const {
    if (edit_ || untouched_.text.empty()) return false;
    const EntryView now = readView();
    // The blank that stands in an unused field is no text of the user's.
    auto same = [](const std::string& a, const std::string& b) {
        return QString::fromStdString(a).trimmed() == QString::fromStdString(b).trimmed();
    };
    for (std::size_t i = 0; i < now.text.size(); ++i)
        if (!same(now.text[i], untouched_.text[i])) return true;
    return now.checked != untouched_.checked;
}

bool RecipientEntryWindow::windowShouldClose() {
    if (closing_) return true;
    // Unsaved edits of a stored recipient, or a new one with anything typed into it.
    if (update_->isEnabled() || isNewRecipientTyped()) {
        const int32_t answer = tvDatabase::tvMessageBox(
            "Save before closing?", "You may have unsaved changes. Would you like to save before closing?",
            kMessageStyleYesNoCancel, formTable_.closeTitle, kMessageImagePrompt, false);
        if (answer == kClosePromptNo) {
            keepInMainWindow(false);
            closedOn_ = -1;
            return true;
        }
        if (answer != kMessageAnswerOkYes) {
            // Cancel, or the prompt dismissed by its close box.
            (edit_ ? update_ : add_)->setDefault(true);
            return false;
        }
        // A save that is refused or fails keeps the window open.
        if (!(edit_ ? saveEdits() : insertNewRecipient())) return false;
    }
    if (company_Refer) company_Refer->SelectCompany();
    keepInMainWindow(false);
    closedOn_ = records_.info.getPK();
    return true;
}

void RecipientEntryWindow::closeEvent(QCloseEvent* event) {
    if (!windowShouldClose()) {
        event->ignore();
        return;
    }
    leaveBoundWindowList();
    event->accept();
    if (company_Refer) company_Refer->focusRecipientList(closedOn_, formTable_.kind);
}

// ---------------------------------------------------------------------------
// Changes and control actions

void RecipientEntryWindow::markChanged() {
    if (add_->isEnabled()) return;
    update_->setEnabled(true);
    add_->setDefault(false);
    update_->setDefault(true);
}

void RecipientEntryWindow::stateChosen() {
    if (edit_) {
        add_->setEnabled(false);
        update_->setEnabled(true);
        update_->setDefault(true);
    } else {
        add_->setEnabled(true);
        update_->setEnabled(false);
    }
}

// A keystroke or paste that makes the text longer than the field's limit is undone.
void RecipientEntryWindow::textEdited(std::size_t field, const QString& text) {
    auto* edit = static_cast<QLineEdit*>(controls_[field]);
    if (!clampTyping(edit, text, previous_[field], formTable_.fields[field].maximum)) return;
    edited_[field] = true;
    markChanged();
}

void RecipientEntryWindow::fieldAction(std::size_t field) {
    const EntryField& f = formTable_.fields[field];
    bool changed = edited_[field];
    edited_[field] = false;
    if (f.cut > 0) {
        const std::string text = static_cast<QLineEdit*>(controls_[field])->text().toStdString();
        const std::string cut = cutToLength(text, f.cut);
        if (cut != text) {
            setFieldText(field, qs(cut));
            changed = true;
        }
    }
    if (f.actionMarksChanged && changed) markChanged();
}

void RecipientEntryWindow::popUpChosen(std::size_t field, int index) {
    switch (formTable_.fields[field].role) {
    case Role::NameType: {
        const bool business = index == kBusinessNameIndex;
        const std::size_t line = formTable_.indexOf(Role::BusinessName);
        const std::string payerName = cutToLength(payer_.getName(), formTable_.fields[line].maximum);
        if (business) {
            for (Role part : {Role::FirstName, Role::MiddleName, Role::Surname, Role::Suffix})
                setFieldText(formTable_.indexOf(part), QString());
            const std::string& name = records_.info.getLastName();
            setFieldText(line, qs(name.empty() ? payerName : name));
        } else {
            setFieldText(line, qs(payerName));
        }
        setNameControls(business);
        markChanged();
        break;
    }
    case Role::TinType:
        if (index == kEinIndex && controls_[field]->isEnabled()) setFieldText(formTable_.indexOf(Role::TaxID), QString());
        markChanged();
        break;
    case Role::AddressState:
    case Role::StateRow:
        stateChosen();
        break;
    default:
        break;
    }
}

void RecipientEntryWindow::checkBoxClicked(std::size_t field) {
    if (formTable_.fields[field].role == Role::ForeignAddress) {
        const bool foreign = isForeignAddress();
        const std::size_t province = formTable_.indexOf(Role::Province);
        // The blank that stands in the unused province is not part of what the user types.
        if (!foreign || static_cast<QLineEdit*>(controls_[province])->text() == QLatin1String(" "))
            setFieldText(province, QString());
        setAddressControls(foreign);
    }
    markChanged();
}

// ---------------------------------------------------------------------------
// Keyboard

void RecipientEntryWindow::setTabChains(const std::vector<TabChain>& chains) {
    std::vector<QWidget*> order;
    auto take = [&order](QWidget* w) {
        if (w && std::find(order.begin(), order.end(), w) == order.end()) order.push_back(w);
    };
    for (const TabChain& chain : chains)
        for (const char* outlet : chain.outlets) take(control(outlet));

    // The rest in the layout's order, then the buttons, Add first. A scroll area that
    // holds the form is no stop of its own.
    std::vector<QWidget*> rest, buttons;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (qobject_cast<QAbstractScrollArea*>(w) && !qobject_cast<QAbstractItemView*>(w) &&
            !qobject_cast<QTextEdit*>(w) && !qobject_cast<QPlainTextEdit*>(w)) {
            w->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        if (!(w->focusPolicy() & Qt::TabFocus) || w->window() != this) continue;
        if (std::find(order.begin(), order.end(), w) != order.end()) continue;
        (qobject_cast<QPushButton*>(w) ? buttons : rest).push_back(w);
    }
    for (QWidget* w : rest) take(w);
    for (QWidget* w : {add_, update_, previousButton_, next_, cancel_}) take(w);
    for (QWidget* w : buttons) take(w);
    for (std::size_t k = 1; k < order.size(); ++k) QWidget::setTabOrder(order[k - 1], order[k]);
}
