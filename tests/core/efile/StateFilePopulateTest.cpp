// Gathering the 1099-NEC state file from a company database file: which candidates
// are payees of the file, the payee counts of T and F, the completion marks (recipient
// rows only) in one transaction with the file, and the check the e-file window makes.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EFileTestSupport.h"
#include "ScriptedUserInterface.h"
#include "StateFileReader.h"
#include "TempHome.h"
#include "core/efile/EFile_NEC.h"
#include "core/foundation/Session.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "platform/FileSystem.h"

namespace {

class StateFilePopulate : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        session().DBH = std::make_shared<DatabaseHolder>();
        session().comp_details = std::make_shared<Company>();
        session().recp_details = std::make_shared<Recipient>();
        cdb = session().DBH->companyDatabase().get();
        ASSERT_TRUE(cdb->Init(home.file("Company.db"), false, false, true, "Test"));
        folder = home.file("out");
        std::filesystem::create_directories(folder);
        output = folder + "/1099_E-File_KY.txt";
    }
    void TearDown() override {
        cdb->Close();
        EXPECT_TRUE(ui->allAnswersUsed());
        ui.reset();
    }

    int count(const std::string& sql) { return cdb->db->intForQuery(sql); }

    int32_t addPayer(const std::string& name) {
        ComapnyInfo payer = firetest::payerIn("Kentucky-KY");
        payer.setName(name);
        EXPECT_TRUE(cdb->insertCompanyInfo(payer));
        return cdb->getCompanyPK();
    }

    int32_t addRecipient(int32_t payer, int32_t kind, const std::string& surname, const std::string& state,
                         const std::function<void(RecipientInfo&)>& boxes = {}) {
        EFilePayee p = firetest::payee(kind, "Pat", surname, state);
        p.recipient.setCompany_FK(payer);
        p.additional.setCompany_FK(payer);
        if (boxes) boxes(p.recipient);
        EXPECT_TRUE(cdb->insertRecipientInfo(p.recipient, p.additional));
        return cdb->getRecipientPK();
    }

    void selectPayers(std::vector<int32_t> keys) {
        session().numberSelections = static_cast<int64_t>(keys.size());
        session().comp_details->setSelectedCompanies(std::move(keys));
    }
    void selectRecipients(std::vector<int32_t> keys) { session().recp_details->setSelectedRecipients(std::move(keys)); }

    EFileResult run(const std::string& state, std::vector<firetest::Record>* records = nullptr) {
        E_FileInfo transmitter = firetest::transmitter(false);
        transmitter.setNECState(state);
        EFile_NEC file;
        const EFileResult result = file.Populate(transmitter, output);
        if (result.ok()) {
            std::string bytes;
            EXPECT_TRUE(platform::readFile(output, bytes));
            firetest::keepOutput(bytes);
            if (records) *records = firetest::readFile(bytes);
        }
        return result;
    }

    static std::vector<std::string> payeeNames(const std::vector<firetest::Record>& records) {
        std::vector<std::string> names;
        for (const auto& r : records)
            if (r.type == 'B') names.push_back(firetest::rtrim(r.at(248, 287)));
        return names;
    }
    static std::string field(const std::vector<firetest::Record>& records, char type, int first, int last) {
        for (const auto& r : records)
            if (r.type == type) return r.at(first, last);
        return "(no " + std::string(1, type) + " record)";
    }

    bool completed(const std::string& table, int32_t key) {
        return count("select completed from " + table + " where pk = " + std::to_string(key)) == 1;
    }
    bool completed(int32_t key) { return completed("recipients", key); }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> ui;
    CompanyDatabase* cdb = nullptr;
    std::string folder;
    std::string output;
};

TEST_F(StateFilePopulate, OnlyInStatePayeesOfTheKindAreFiledCountedAndMarked) {
    const int32_t payer = addPayer("Selected Payer");
    const int32_t other = addPayer("Unselected Payer");
    const int32_t inState = addRecipient(payer, 7, "Instate", "Kentucky-KY");
    const int32_t elsewhere = addRecipient(payer, 7, "Elsewhere", "Ohio-OH");
    const int32_t misc = addRecipient(payer, 1, "Miscy", "Kentucky-KY");
    const int32_t foreignPayer = addRecipient(other, 7, "Otherpayer", "Kentucky-KY");
    const int32_t none = addRecipient(payer, 7, "Nostate", "None");
    selectPayers({payer});
    selectRecipients({misc, foreignPayer, elsewhere, none, inState});

    std::vector<firetest::Record> records;
    const EFileResult result = run("KY", &records);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(firetest::order(records), "TABCF");
    EXPECT_EQ(payeeNames(records), std::vector<std::string>{"INSTATE"});
    // The in-state payee of the unselected payer has no B record, so it is not counted.
    EXPECT_EQ(field(records, 'T', 296, 303), "00000001");
    EXPECT_EQ(field(records, 'F', 50, 57), "00000001");
    EXPECT_EQ(field(records, 'F', 2, 9), "00000001");

    // Every payee of the file is marked, on its recipient row only; the rest stay as they were.
    EXPECT_TRUE(completed(inState));
    EXPECT_TRUE(completed(foreignPayer));
    EXPECT_FALSE(completed("recipients_additionalinfo", inState));
    for (int32_t key : {elsewhere, misc, none}) EXPECT_FALSE(completed(key)) << key;
}

TEST_F(StateFilePopulate, WithoutSelectedRecipientsTheNecRecipientsOfThePayersByKey) {
    const int32_t first = addPayer("First");
    const int32_t second = addPayer("Second");
    const int32_t unselected = addPayer("Unselected");
    addRecipient(second, 7, "Second A", "Kentucky-KY");
    addRecipient(first, 7, "First A", "Kentucky-KY");
    addRecipient(first, 1, "First Misc", "Kentucky-KY");
    addRecipient(unselected, 7, "Not Mine", "Kentucky-KY");
    addRecipient(first, 7, "First B", "kentucky-KY");
    selectPayers({second, first});

    std::vector<firetest::Record> records;
    ASSERT_TRUE(run("KY", &records).ok());
    EXPECT_EQ(firetest::order(records), "TABCABBCF");
    EXPECT_EQ(payeeNames(records), (std::vector<std::string>{"SECOND A", "FIRST A", "FIRST B"}));
    EXPECT_EQ(field(records, 'T', 296, 303), "00000003");
    EXPECT_EQ(count("select count(*) from recipients where completed = 1"), 3);
}

// A file of its T and F records alone is not offered: the run says that no selected
// recipient is a payee of the state, leaves no file and marks nothing.
TEST_F(StateFilePopulate, SelectedRecipientsAllOutOfStateGiveNoFile) {
    const int32_t payer = addPayer("Payer");
    addRecipient(payer, 7, "Kentuckian", "Kentucky-KY");
    const int32_t ohio = addRecipient(payer, 7, "Ohioan", "Ohio-OH");
    const int32_t misc = addRecipient(payer, 1, "Miscy", "Kentucky-KY");
    selectPayers({payer});
    selectRecipients({ohio, misc});

    const EFileResult result = run("KY");
    EXPECT_EQ(result.failure, EFileResult::Failure::empty);
    EXPECT_EQ(result.message, "No E-File for KY was created: no selected recipient is a 1099-NEC payee in KY.");
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_EQ(count("select count(*) from recipients where completed = 1"), 0);

    std::string failure;
    EXPECT_EQ(EFile_NEC::selectedPayersHavePayeesIn("KY", failure), true) << "the payer has one, unselected";
    EXPECT_EQ(EFile_NEC::selectedPayersHavePayeesIn("NC", failure), false);
    EXPECT_EQ(EFile_NEC::selectedPayersHavePayeesIn("", failure), false);
}

// A void form is left out of the state file and not marked; the counts and totals are
// those of the payees filed. A foreign address and the state "None" are in no state,
// whatever their state text.
TEST_F(StateFilePopulate, VoidForeignAndNoneAreLeftOut) {
    const int32_t payer = addPayer("Payer");
    const int32_t filed = addRecipient(payer, 7, "Filed", "Kentucky-KY",
                                       [](RecipientInfo& r) { r.setLine1_NEC("100.00"); });
    const int32_t voided = addRecipient(payer, 7, "Voided", "Kentucky-KY", [](RecipientInfo& r) {
        r.setLine1_NEC("3,000.00");
        r.setVoided(true);
    });
    const int32_t foreign = addRecipient(payer, 7, "Abroad", "Kentucky-KY",
                                         [](RecipientInfo& r) { r.setAddressIsNotUSTerritory(true); });
    const int32_t none = addRecipient(payer, 7, "Nostate", "None");
    selectPayers({payer});

    std::vector<firetest::Record> records;
    const EFileResult result = run("KY", &records);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.payees, 1u);
    EXPECT_EQ(result.voidLeftOut, 1u);
    EXPECT_EQ(firetest::order(records), "TABCF");
    EXPECT_EQ(payeeNames(records), std::vector<std::string>{"FILED"});
    EXPECT_EQ(field(records, 'T', 296, 303), "00000001");
    EXPECT_EQ(field(records, 'C', 2, 9), "00000001");
    EXPECT_EQ(field(records, 'C', 16, 33), "000000000000010000");
    EXPECT_EQ(field(records, 'F', 50, 57), "00000001");
    EXPECT_TRUE(completed(filed));
    for (int32_t key : {voided, foreign, none}) EXPECT_FALSE(completed(key)) << key;

    // With the filed one made void too, there is nothing to file.
    ASSERT_TRUE(cdb->db->executeUpdate("update recipients set void = 1, completed = 0 where pk = ?", {filed}));
    std::filesystem::remove(output);
    const EFileResult allVoid = run("KY");
    EXPECT_EQ(allVoid.failure, EFileResult::Failure::empty);
    EXPECT_EQ(allVoid.voidLeftOut, 2u);
    EXPECT_EQ(allVoid.message,
              "No E-File for KY was created: every selected 1099-NEC payee in KY is void. 2 void recipients were left "
              "out of the E-File.");
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_EQ(count("select count(*) from recipients where completed = 1"), 0);
    std::string failure;
    EXPECT_EQ(EFile_NEC::selectedPayersHavePayeesIn("KY", failure), true) << "void payees are there to be told of";
}

TEST_F(StateFilePopulate, ARefusedFileLeavesTheOldFileAndMarksNothing) {
    const int32_t payer = addPayer("Payer");
    const int32_t fine = addRecipient(payer, 7, "Fine", "Kentucky-KY");
    addRecipient(payer, 7, "Huge", "Kentucky-KY",
                 [](RecipientInfo& r) { r.setLine5_1_NEC("12345678901234.00"); });
    selectPayers({payer});
    ASSERT_TRUE(platform::writeFileAtomically(output, "earlier file"));

    const EFileResult result = run("KY");
    EXPECT_EQ(result.failure, EFileResult::Failure::refused);
    EXPECT_NE(result.message.find("Box 5"), std::string::npos) << result.message;
    std::string bytes;
    ASSERT_TRUE(platform::readFile(output, bytes));
    EXPECT_EQ(bytes, "earlier file");
    EXPECT_FALSE(completed(fine));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

}  // namespace
