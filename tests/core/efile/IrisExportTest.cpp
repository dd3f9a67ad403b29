// Reading and saving for the IRIS export over a company database file: a file's
// recipients with their additional data in selection order, the payers of a selection,
// and the atomic save of a finished file.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "IrisCsv.h"
#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/efile/IrisExport.h"
#include "core/efile/IrisFile.h"
#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "platform/FileSystem.h"
#include "WithoutFileOverride.h"

namespace {

class IrisExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        session().comp_details = std::make_shared<Company>();
        ASSERT_TRUE(cdb.Init(home.file("Company.db"), false, false, true, "Test"));
    }
    void TearDown() override {
        cdb.Close();
        EXPECT_TRUE(ui->allAnswersUsed());
        ui.reset();
    }

    int32_t addPayer(const std::string& name) {
        ComapnyInfo p;
        p.setName(name);
        EXPECT_TRUE(cdb.insertCompanyInfo(p));
        return cdb.getCompanyPK();
    }

    int32_t addRecipient(int32_t payer, const std::string& surname, const std::string& account = "") {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(7);
        r.setFirstName("Pat");
        r.setLastName("Name line");
        r.setAccountNumber(account);
        r.setLine1_NEC("100.00");
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(7);
        a.setlastname(surname);
        a.setOfficecode("7");
        EXPECT_TRUE(cdb.insertRecipientInfo(r, a));
        return r.getPK();
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> ui;
    CompanyDatabase cdb;
};

TEST_F(IrisExportTest, AFilesRecipientsComeWithTheirAdditionalDataInSelectionOrder) {
    const int32_t payer = addPayer("Acme");
    const int32_t a = addRecipient(payer, "Adams", "ACC-1");
    const int32_t b = addRecipient(payer, "Baker", "ACC-2");
    const int32_t c = addRecipient(payer, "Clark", "ACC-3");
    // A recipient whose additional row is missing still comes, with empty additional data.
    ASSERT_TRUE(cdb.db->executeUpdate("delete from recipients_additionalinfo where pk = ?;", b));

    IrisExport exporter(cdb, {c, a, b, a});
    ASSERT_EQ(exporter.fileCount(), 1u);
    std::vector<IrisRecipient> read;
    ASSERT_TRUE(exporter.readFile(0, read)) << exporter.failure();
    ASSERT_EQ(read.size(), 4u);
    const std::vector<int32_t> keys = {c, a, b, a};
    const std::vector<std::string> surnames = {"Clark", "Adams", "", "Adams"};
    const std::vector<std::string> accounts = {"ACC-3", "ACC-1", "ACC-2", "ACC-1"};
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].recipient.getPK(), keys[i]);
        EXPECT_EQ(read[i].recipient.getCompany_FK(), payer);
        EXPECT_EQ(read[i].recipient.getType(), 7);
        EXPECT_EQ(read[i].recipient.getAccountNumber(), accounts[i]) << "unscrambled";
        EXPECT_EQ(read[i].recipient.getLine1_NEC(), "100.00");
        EXPECT_EQ(read[i].additional.getlastname(), surnames[i]);
    }
    EXPECT_EQ(read[0].additional.getOfficecode(), "7");
}

TEST_F(IrisExportTest, ARecipientNoLongerStoredStopsTheFile) {
    const int32_t payer = addPayer("Acme");
    const int32_t a = addRecipient(payer, "Adams");
    IrisExport exporter(cdb, {a, 4711});
    std::vector<IrisRecipient> read;
    EXPECT_FALSE(exporter.readFile(0, read));
    EXPECT_NE(exporter.failure().find("4711"), std::string::npos) << exporter.failure();
}

TEST_F(IrisExportTest, FilesOfOneHundredReadTheirOwnRange) {
    const int32_t payer = addPayer("Acme");
    std::vector<int32_t> keys;
    ASSERT_TRUE(cdb.db->beginTransaction());
    for (int i = 0; i < 201; ++i) keys.push_back(addRecipient(payer, "R" + std::to_string(i)));
    ASSERT_TRUE(cdb.db->commit());

    IrisExport exporter(cdb, keys);
    ASSERT_EQ(exporter.fileCount(), 3u);
    const std::size_t sizes[] = {100, 100, 1};
    for (std::size_t file = 0; file < 3; ++file) {
        std::vector<IrisRecipient> read;
        ASSERT_TRUE(exporter.readFile(file, read)) << exporter.failure();
        ASSERT_EQ(read.size(), sizes[file]);
        EXPECT_EQ(read.front().recipient.getPK(), keys[file * 100]);
        EXPECT_EQ(read.back().additional.getlastname(), "R" + std::to_string(file * 100 + sizes[file] - 1));
    }
}

TEST_F(IrisExportTest, PayersOfTheSelectionEachOnceInOrder) {
    const int32_t first = addPayer("First");
    const int32_t second = addPayer("Second");
    const int32_t a = addRecipient(second, "A");
    const int32_t b = addRecipient(first, "B");
    const int32_t c = addRecipient(second, "C");

    auto one = IrisExport(cdb, {a, c}).payers();
    ASSERT_TRUE(one);
    EXPECT_EQ(*one, std::vector<int32_t>{second});
    auto two = IrisExport(cdb, {a, b, c}).payers();
    ASSERT_TRUE(two);
    EXPECT_EQ(*two, (std::vector<int32_t>{second, first}));
}

TEST_F(IrisExportTest, SaveWritesTheBytesAndReplacesAnOlderFile) {
    const std::string path = home.file("1099-NEC.csv");
    ASSERT_TRUE(platform::writeFileAtomically(path, "old contents that are longer"));
    const std::string bytes = "\"Form Type\"\n1099-NEC";
    EXPECT_EQ(IrisExport::save(path, bytes), "");
    EXPECT_EQ(iristest::readBytes(path), bytes);
    // Nothing else is left in the folder (no temporary file).
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(home.path()))
        if (entry.path().extension() == ".csv" || entry.path().filename().string().find(".csv.") != std::string::npos)
            ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(IrisExportTest, SaveIntoAReadOnlyFolderNamesThePathAndLeavesNothing) {
    WithoutFileOverride plainUser;
    const std::string folder = home.file("locked");
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/1099-NEC.csv";
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const std::string reason = IrisExport::save(path, "data");
    ::chmod(folder.c_str(), 0755);
    EXPECT_NE(reason.find(path), std::string::npos) << reason;
    EXPECT_NE(reason.find("Permission denied"), std::string::npos) << reason;
    EXPECT_FALSE(platform::fileExists(path));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
