// The payer and recipient lists from the keyboard and the mouse: a double-click or
// Return opens the row for editing as its Edit button does, and Delete on the recipient
// list runs Delete Recipients with its confirmation.

#include <QMouseEvent>
#include <QPointer>

#include "RecordsFixture.h"
#include "ui/company/CompanyController.h"
#include "ui/entry/NECFrame.h"

namespace {

class ListKeys : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        payer = addPayer("Harbor View Dental LLC");
        ann = addRecipient(payer, 7, "Ann", "Adams", "111-22-3333");
        bo = addRecipient(payer, 7, "Bo", "Brown", "222-33-4444");
        selectPayer(payer);
        main->resize(1040, 760);
        main->show();
        main->activateWindow();
        QApplication::processEvents();
    }

    // Press, release and the double-click on the row, as the mouse sends them.
    static void doubleClick(QTableView* table, int row) {
        const QPoint at = table->visualRect(table->model()->index(row, 0)).center();
        QWidget* viewport = table->viewport();
        const QPointF global = viewport->mapToGlobal(QPointF(at));
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(at), global, Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        }
        QApplication::processEvents();
    }
    static void key(QTableView* table, Qt::Key k) {
        table->setFocus();
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(table, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(table, &release);
        QApplication::processEvents();
    }
    int rowOf(int32_t key) const {
        for (size_t row = 0; row < main->Recipient_PTL().size(); ++row)
            if (main->Recipient_PTL()[row].recipientPK() == key) return static_cast<int>(row);
        return -1;
    }
    void closeEntryWindow() {
        if (main->NECframe()) main->NECframe()->close();
        settle();
        ASSERT_EQ(main->NECframe(), nullptr);
    }
    void closePayerWindow() {
        if (QPointer<CompanyController> w = main->companycontrol()) click(w, "Cancel_btnProperty");
        settle();
        ASSERT_EQ(main->companycontrol(), nullptr);
    }

    int32_t payer = -1, ann = -1, bo = -1;
};

TEST_F(ListKeys, DoubleClickAndReturnOpenThePayerForEditing) {
    doubleClick(companies(), 0);
    ASSERT_NE(main->companycontrol(), nullptr);
    EXPECT_EQ(main->companycontrol()->theCompanyInfo().getPK(), payer);
    closePayerWindow();

    key(companies(), Qt::Key_Return);
    ASSERT_NE(main->companycontrol(), nullptr);
    EXPECT_EQ(main->companycontrol()->theCompanyInfo().getPK(), payer);
    closePayerWindow();

    // Enter of the number pad as well; nothing else happens in the main window.
    key(companies(), Qt::Key_Enter);
    EXPECT_NE(main->companycontrol(), nullptr);
    closePayerWindow();
    EXPECT_TRUE(modalWindows.empty());
}

TEST_F(ListKeys, DoubleClickAndReturnOpenTheRecipientForEditing) {
    doubleClick(recipients(), rowOf(bo));
    ASSERT_NE(main->NECframe(), nullptr);
    EXPECT_TRUE(main->NECframe()->isEditMode());
    EXPECT_EQ(main->NECframe()->theRecipientInfo().getPK(), bo);
    closeEntryWindow();

    selectRecipients({ann});
    key(recipients(), Qt::Key_Return);
    ASSERT_NE(main->NECframe(), nullptr);
    EXPECT_EQ(main->NECframe()->theRecipientInfo().getPK(), ann);
    closeEntryWindow();

    // Two rows chosen: Edit is off, and Return opens nothing either.
    selectRecipients({ann, bo});
    ASSERT_FALSE(mainButton("UpdateRecipient_Button")->isEnabled());
    key(recipients(), Qt::Key_Return);
    EXPECT_EQ(main->NECframe(), nullptr);
    EXPECT_TRUE(modalWindows.empty());
}

TEST_F(ListKeys, DeleteOnTheRecipientListAsksFirst) {
    selectRecipients({bo});
    {
        auto responder = respond([&](QWidget& w) { click(&w, "Cancel_Button"); });
        key(recipients(), Qt::Key_Delete);
    }
    ASSERT_EQ(modalWindows.size(), 1u);
    EXPECT_EQ(listedRecipients(), (std::vector<int32_t>{ann, bo}));

    {
        auto responder = respond([&](QWidget& w) { click(&w, "Confirm_Delete"); });
        key(recipients(), Qt::Key_Delete);
    }
    ASSERT_EQ(modalWindows.size(), 2u);
    EXPECT_EQ(modalWindows[0], modalWindows[1]);
    EXPECT_EQ(listedRecipients(), std::vector<int32_t>{ann});
    EXPECT_EQ(cdb()->db->intForQuery("select count(*) from recipients"), 1);

    // With nothing selected there is nothing to delete: no dialog (none is answered).
    ASSERT_TRUE(selectedRecipientRows().empty());
    key(recipients(), Qt::Key_Delete);
    EXPECT_EQ(modalWindows.size(), 2u);
    // Delete on the payer list deletes no payer.
    key(companies(), Qt::Key_Delete);
    EXPECT_EQ(modalWindows.size(), 2u);
}

}  // namespace
