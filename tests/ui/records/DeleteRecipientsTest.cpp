// Delete Recipients: the dialog lists the selected names, Confirm deletes the whole
// selection in one write (or, when a deletion fails part-way, none of it), Cancel and
// the close box delete nothing.

#include "RecordsFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/records/DeleteRecipientController.h"

namespace {

class DeleteRecipients : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        payer = addPayer("Harbor View Dental LLC");
        ann = addRecipient(payer, 1, "Ann", "Adams");
        bo = addRecipient(payer, 1, "Bo", "Brown");
        cy = addRecipient(payer, 7, "Cy", "Clark");
        di = addRecipient(payer, 3, "Di", "Davis");
        selectPayer(payer);
    }
    int stored() { return cdb()->db->intForQuery("select count(*) from recipients") +
                          cdb()->db->intForQuery("select count(*) from recipients_additionalinfo"); }

    int32_t payer = -1, ann = -1, bo = -1, cy = -1, di = -1;
};

TEST_F(DeleteRecipients, TheSelectedRowsAreGoneAndNoneStaysSelected) {
    selectRecipients({ann, cy, di});
    std::vector<std::string> rows;
    auto responder = respond([&](QWidget& w) {
        rows = static_cast<DeleteRecipientController&>(w).recp();
        EXPECT_TRUE(uitest::child<QPushButton>(&w, "Confirm_Delete")->isDefault());
        click(&w, "Confirm_Delete");
    });
    mainButton("DeleteRecipient_Button")->click();
    EXPECT_EQ(rows, (std::vector<std::string>{"  Adams, Ann", "  Clark, Cy", "  Davis, Di", ""}));
    EXPECT_EQ(listedRecipients(), std::vector<int32_t>{bo});
    EXPECT_TRUE(selectedRecipientRows().empty());
    EXPECT_TRUE(session().recp_details->selectedRecipients().empty());
    EXPECT_EQ(stored(), 2);
    EXPECT_EQ(main->Recvec(), std::vector<std::string>{"Brown, Bo"});
}

TEST_F(DeleteRecipients, ADeletionRefusedPartWayLeavesEveryRow) {
    ASSERT_TRUE(cdb()->db->executeStatements(
        "create trigger refuse_cy before delete on recipients when old.firstName = 'Cy' "
        "begin select raise(abort, 'locked by test'); end;"));
    selectRecipients({ann, bo, cy, di});
    int selection = 0;
    auto responder = respond([&](QWidget& w) {
        click(&w, "Confirm_Delete");
        selection = static_cast<DeleteRecipientController&>(w).buttonSelection();
    });
    scripted->answerBox(kMessageAnswerOkYes);   // the store's report
    mainButton("DeleteRecipient_Button")->click();
    EXPECT_EQ(selection, 1);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].details, "Unable to delete recipient info. \n\nlocked by test");
    EXPECT_EQ(stored(), 8);
    EXPECT_EQ(listedRecipients().size(), 4u);
}

TEST_F(DeleteRecipients, CancelAndTheCloseBoxDeleteNothing) {
    selectRecipients({ann, bo});
    for (auto close : std::vector<std::function<void(QWidget&)>>{
             [](QWidget& w) { click(&w, "Cancel_Button"); }, [](QWidget& w) { w.close(); },
             [](QWidget& w) { escape(&w); }}) {
        auto responder = respond(close);
        mainButton("DeleteRecipient_Button")->click();
        EXPECT_EQ(stored(), 8);
        EXPECT_EQ(session().recp_details->selectedRecipients().size(), 2u);
    }
    EXPECT_EQ(modalWindows.size(), 3u);
}

TEST_F(DeleteRecipients, WithNothingSelectedConfirmDeletesNothingAndStillEnds) {
    userSelect(recipients(), {});
    std::vector<std::string> rows;
    int code = 0;
    auto responder = respond([&](QWidget& w) {
        rows = static_cast<DeleteRecipientController&>(w).recp();
        click(&w, "Confirm_Delete");
    });
    DeleteRecipientController dialog(main.get());
    dialog.Getstring({});
    code = runModal(&dialog);
    EXPECT_EQ(code, DeleteRecipientController::kDeletedCode);
    EXPECT_EQ(rows, std::vector<std::string>{""});
    EXPECT_EQ(stored(), 8);
}

}  // namespace
