// What the entry windows store without being asked to: nothing. Escape and the close box
// of the "save changes?" prompt keep the edits unsaved (through the real message box,
// with keys), a typed new recipient is asked about before Escape drops it, looking at
// recipients writes no row, and a business name is stored without the trailing blanks
// its check passes over.

#include "EntryWindowFixture.h"

#include "ui/UiTestHelpers.h"
#include "core/sqlite/FMResultSet.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

using entry::Role;

namespace {

// The real message box in place of the scripted seam, for the lifetime of the object.
class RealMessageBoxes {
public:
    RealMessageBoxes() : previous_(session().ui) { session().ui = &ui_; }
    ~RealMessageBoxes() { session().ui = previous_; }
    RealMessageBoxes(const RealMessageBoxes&) = delete;
    RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;

private:
    QtUserInterface ui_;
    UserInterface* previous_;
};

class EntryWindowPrompts : public EveryEntryWindow {
protected:
    // Every column of both rows of a recipient, as text.
    std::string stored(int32_t key) {
        std::string row;
        for (const char* table : {"recipients", "recipients_additionalinfo"}) {
            auto rs = cdb()->db->executeQuery(std::string("select * from ") + table + " where pk = ?;", key);
            if (rs && rs->next())
                for (int i = 0; i < rs->columnCount(); ++i) row += rs->stringForColumnIndex(i).value_or("<null>") + "|";
            row += "\n";
        }
        return row;
    }
    QCheckBox* corrected(RecipientEntryWindow* w) { return role<QCheckBox>(w, Role::Corrected); }
};

// Edit, tick CORRECTED, Escape, and the prompt dismissed by Escape (its Cancel) or by its
// close box: the window stays open with the tick, and nothing is stored.
TEST_P(EntryWindowPrompts, EscapeAndTheClosePromptsCloseBoxStoreNothing) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t key = addRecipient(payer, kind(), {"Ann", "Lee", "123-45-6789"});
    selectRecipient(payer, key);
    const std::string before = stored(key);
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    corrected(w)->setFocus();
    corrected(w)->click();
    ASSERT_TRUE(updateButton(w)->isEnabled());

    RealMessageBoxes real;
    for (bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape ? "Escape" : "close box");
        std::vector<std::string> captions;
        {
            ScopedModalResponder responder([&](QWidget& box) {
                ASSERT_EQ(box.objectName(), "tvMessageDialog");
                captions.push_back(uitest::child<QLabel>(box, "Caption")->text().toStdString());
                if (byEscape)
                    uitest::key(box, Qt::Key_Escape);
                else
                    box.close();
                EXPECT_FALSE(isRunningModal(&box));
            });
            press(corrected(w), Qt::Key_Escape);
            settle();
        }
        EXPECT_EQ(captions, std::vector<std::string>{"Save before closing?"});
        ASSERT_FALSE(w.isNull());
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(corrected(w)->isChecked());
        EXPECT_TRUE(updateButton(w)->isEnabled());
        EXPECT_FALSE(cdb()->getRecipientInfo(key).getCorrected());
        EXPECT_EQ(stored(key), before);
    }

    // "No" closes the window without saving.
    {
        ScopedModalResponder responder([](QWidget& box) { uitest::press(box, "Button2"); });
        w->close();
        settle();
    }
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(stored(key), before);
}

// A new recipient with a name typed: Escape brings the real prompt, whose Escape keeps
// the window with the name; its "No" drops the recipient. Nothing is stored either way.
TEST_P(EntryWindowPrompts, EscapeOnATypedNewRecipientAsksFirst) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    uitest::activate(*w);
    typeText(field(w, Role::FirstName), QStringLiteral("Maria & Jo"));

    RealMessageBoxes real;
    for (bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "Escape in the prompt" : "No");
        std::vector<std::string> captions;
        {
            ScopedModalResponder responder([&](QWidget& box) {
                captions.push_back(uitest::child<QLabel>(box, "Caption")->text().toStdString());
                if (keep)
                    uitest::key(box, Qt::Key_Escape);
                else
                    uitest::press(box, "Button2");
            });
            press(field(w, Role::FirstName), Qt::Key_Escape);
            settle();
        }
        EXPECT_EQ(captions, std::vector<std::string>{"Save before closing?"});
        EXPECT_EQ(w.isNull(), !keep);
        if (keep) {
            EXPECT_EQ(field(w, Role::FirstName)->text(), "Maria & Jo");
        }
    }
    EXPECT_TRUE(cdb()->getRecipientFullInfo1(payer, 0, kind(), 0).empty());
}

// Opening a recipient, stepping to the next and back, and closing write no row, not even
// for a stored text longer than its field or a record that is not marked validated.
TEST_P(EntryWindowPrompts, OpeningAndSteppingWriteNothing) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t first = addRecipient(payer, kind(), {"Ann", "Lee", "111-11-1111"});
    const int32_t second = addRecipient(payer, kind(), {"Bo", "Ng", "222-22-2222"});
    // Longer than the first-name field's 20 characters: the window shows it cut.
    ASSERT_TRUE(cdb()->db->executeUpdate("update recipients set firstName = ? where pk = ?;",
                                         std::string("Annemarie-Josephine Q."), first));
    const std::string firstBefore = stored(first);
    const std::string secondBefore = stored(second);
    ASSERT_NE(firstBefore.find("Annemarie-Josephine Q."), std::string::npos);

    selectRecipient(payer, first);
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(field(w, Role::FirstName)->text(), "Annemarie-Josephine ");
    ASSERT_TRUE(nextButton(w)->isEnabled());
    nextButton(w)->click();
    EXPECT_EQ(w->theRecipientInfo().getPK(), second);
    previousButton(w)->click();
    EXPECT_EQ(w->theRecipientInfo().getPK(), first);
    EXPECT_FALSE(updateButton(w)->isEnabled());
    w->close();
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(stored(first), firstBefore);
    EXPECT_EQ(stored(second), secondBefore);
    EXPECT_TRUE(scripted->boxes().empty());
}

// The check passes over trailing blanks of a business name; the stored name has none.
TEST_P(EntryWindowPrompts, ABusinessNameIsStoredWithoutTrailingBlanks) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    newMode();
    QPointer<RecipientEntryWindow> w = open();
    ASSERT_TRUE(w);
    enterIndividual(w, QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("12-3456789"));
    choose(role<QComboBox>(w, Role::NameType), QStringLiteral("Business Name"));
    retype(field(w, Role::BusinessName), QStringLiteral("Acme Supply   "));
    answer();   // "Recipient successfully added."
    addButton(w)->click();
    settle();
    ASSERT_EQ(boxTexts(), std::vector<std::string>{"Recipient successfully added."});
    const std::vector<int32_t> added = session().recp_details->selectedRecipients();
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(cdb()->getRecipientInfo(added.front()).getLastName(), "Acme Supply");
}

INSTANTIATE_TEST_SUITE_P(Windows, EntryWindowPrompts, ::testing::ValuesIn(entryForms()),
                         [](const auto& test) { return test.param.name; });

}  // namespace
