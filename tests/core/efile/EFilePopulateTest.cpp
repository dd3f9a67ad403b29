// Gathering the FIRE file from a company database file: the run's recipients from the
// main window's selection, the payers, the completion marks in one transaction with the
// file, and a real output file written atomically and read back.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "EFileTestSupport.h"
#include "Leftovers.h"
#include "FireFileReader.h"
#include "IrisCsv.h"
#include "ScriptedJobs.h"
#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/efile/EFile.h"
#include "core/efile/IrisExport.h"
#include "core/efile/IrisFile.h"
#include "core/foundation/Session.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "platform/FileSystem.h"

namespace {

class EFilePopulate : public ::testing::Test {
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
        output = folder + "/1099_E-File.txt";
        // Every change of a completed flag is logged, to see that each is marked once.
        exec("create table markLog (tbl TEXT, pk INT);"
             "create trigger markRecipient after update of completed on recipients "
             "when new.completed <> old.completed begin insert into markLog values ('r', new.pk); end;"
             "create trigger markAdditional after update of completed on recipients_additionalinfo "
             "when new.completed <> old.completed begin insert into markLog values ('a', new.pk); end;");
    }
    void TearDown() override {
        cdb->Close();
        EXPECT_TRUE(ui->allAnswersUsed());
        ui.reset();
    }

    void exec(const std::string& sql) { ASSERT_TRUE(cdb->db->executeStatements(sql)) << sql; }
    int count(const std::string& sql) { return cdb->db->intForQuery(sql); }

    int32_t addPayer(const std::string& name, const std::string& state = "Illinois-IL") {
        ComapnyInfo payer = firetest::payerIn(state);
        payer.setName(name);
        EXPECT_TRUE(cdb->insertCompanyInfo(payer));
        return cdb->getCompanyPK();
    }

    int32_t addRecipient(int32_t payer, int32_t kind, const std::string& first, const std::string& surname,
                         const std::function<void(RecipientInfo&)>& boxes = {}) {
        EFilePayee p = firetest::payee(kind, first, surname, "Ohio-OH");
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

    // Runs the writer into the output file and reads the file back (kept for looking at).
    EFileResult run(EFile& file, std::vector<firetest::Record>* records = nullptr, bool combined = false) {
        const EFileResult result = file.Populate(firetest::transmitter(combined), output);
        if (result.ok()) {
            std::string bytes;
            EXPECT_TRUE(platform::readFile(output, bytes));
            firetest::keepOutput(bytes);
            if (records) *records = firetest::readFile(bytes);
        }
        return result;
    }

    // name1 of each B record ("SURNAME"), in file order.
    static std::vector<std::string> payeeNames(const std::vector<firetest::Record>& records) {
        std::vector<std::string> names;
        for (const auto& r : records)
            if (r.type == 'B') names.push_back(firetest::fieldsIn(r)["name1"]);
        return names;
    }

    // Adds copies of a recipient (both of its rows) under the keys after the largest one;
    // each copy's surname is "S" and its key.
    void copyRecipient(int32_t key, int copies) {
        const int32_t base = cdb->getRecipientPK() + 1;
        for (const char* table : {"recipients", "recipients_additionalinfo"}) {
            std::string names, values;
            auto rs = cdb->db->executeQuery(std::string("pragma table_info(") + table + ")");
            while (rs && rs->next()) {
                const std::string column = rs->stringForColumn("name").value_or("");
                names += (names.empty() ? "" : ", ") + column;
                values += (values.empty() ? "" : ", ") +
                          (column == "pk" ? std::to_string(base - 1) + " + i" : "t." + column);
            }
            exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < " + std::to_string(copies) +
                 ") insert into " + table + " (" + names + ") select " + values + " from n, " + table +
                 " t where t.pk = " + std::to_string(key) + ";");
        }
        exec("update recipients_additionalinfo set lastname_surname = 'S' || pk;");
    }

    bool completed(const std::string& table, int32_t key) {
        return count("select completed from " + table + " where pk = " + std::to_string(key)) == 1;
    }
    bool completedOnBoth(int32_t key) { return completed("recipients", key) && completed("recipients_additionalinfo", key); }
    int marks(int32_t key) { return count("select count(*) from markLog where pk = " + std::to_string(key)); }
    int allMarks() { return count("select count(*) from markLog"); }

    // Files in the output folder (a refused run leaves no temporary file behind).
    std::vector<std::string> folderFiles() {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
        return names;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> ui;
    CompanyDatabase* cdb = nullptr;
    std::string folder;
    std::string output;
};

TEST_F(EFilePopulate, SelectedRecipientsInSelectionOrderOnlyThoseOfSelectedPayersAndKnownKindsFiled) {
    const int32_t payerA = addPayer("Alpha Payer");
    const int32_t payerB = addPayer("Beta Payer");
    const int32_t necFirst = addRecipient(payerA, 7, "Nia", "Zulu");
    const int32_t ofUnselectedPayer = addRecipient(payerB, 7, "Ben", "Beta");
    const int32_t misc = addRecipient(payerA, 1, "Mia", "Misc");
    const int32_t unknownKind = addRecipient(payerA, 6, "Una", "Unknown");
    const int32_t necSecond = addRecipient(payerA, 7, "Ned", "Alpha");
    const int32_t notSelected = addRecipient(payerA, 7, "Otto", "Other");
    selectPayers({payerA});
    // The company list may count more selected rows than the selection holds.
    session().numberSelections = 5;
    selectRecipients({necSecond, ofUnselectedPayer, misc, unknownKind, necFirst});

    EFile file;
    std::vector<firetest::Record> records;
    const EFileResult result = run(file, &records);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(file.numPayers(), 1);
    ASSERT_EQ(firetest::order(records), "TABCABBCF");
    EXPECT_EQ(payeeNames(records), (std::vector<std::string>{"MISC", "ALPHA", "ZULU"}));
    // The T and F counts are the B records written, not the five selected.
    EXPECT_EQ(firetest::fieldsIn(records.front())["payees"], "00000003");
    EXPECT_EQ(firetest::fieldsIn(records.back())["payees"], "00000003");
    EXPECT_EQ(firetest::fieldsIn(records.back())["aRecords"], "00000002");
    EXPECT_EQ(firetest::fieldsIn(records[1])["name"], "ALPHA PAYER");

    // Every recipient of the run is marked completed, on both records, once.
    for (int32_t key : {necFirst, ofUnselectedPayer, misc, unknownKind, necSecond}) {
        EXPECT_TRUE(completedOnBoth(key)) << key;
        EXPECT_EQ(marks(key), 2) << key;
    }
    EXPECT_FALSE(completed("recipients", notSelected));
    EXPECT_EQ(allMarks(), 10);
    // The marks go through each table once, by ascending key, whatever the selection's order.
    std::vector<int32_t> keys{necFirst, ofUnselectedPayer, misc, unknownKind, necSecond};
    std::sort(keys.begin(), keys.end());
    std::string expected;
    for (const char* table : {"r", "a"})
        for (int32_t key : keys) expected += (expected.empty() ? "" : " ") + std::string(table) + std::to_string(key);
    auto rs = cdb->db->executeQuery("select group_concat(tbl || pk, ' ') from (select * from markLog order by rowid);");
    ASSERT_TRUE(rs && rs->next());
    EXPECT_EQ(rs->stringForColumnIndex(0).value_or(""), expected);
    rs->close();
}

TEST_F(EFilePopulate, WithNoRecipientSelectedEveryRecipientOfTheSelectedPayersByKey) {
    const int32_t payerA = addPayer("Alpha Payer");
    const int32_t payerB = addPayer("Beta Payer");
    const int32_t payerC = addPayer("Gamma Payer");
    const int32_t a1 = addRecipient(payerA, 7, "A", "One");
    const int32_t b1 = addRecipient(payerB, 3, "B", "One");
    const int32_t a2 = addRecipient(payerA, 7, "A", "Two");
    const int32_t c1 = addRecipient(payerC, 7, "C", "One");
    const int32_t a3 = addRecipient(payerA, 2, "A", "Three");
    selectPayers({payerB, payerA});

    EFile file;
    std::vector<firetest::Record> records;
    ASSERT_TRUE(run(file, &records).ok());
    // Payers in selection order, kinds in their order, payees by key.
    ASSERT_EQ(firetest::order(records), "TABCABCABBCF");
    EXPECT_EQ(payeeNames(records), (std::vector<std::string>{"ONE", "THREE", "ONE", "TWO"}));
    EXPECT_EQ(firetest::fieldsIn(records[1])["name"], "BETA PAYER");
    EXPECT_EQ(firetest::fieldsIn(records.front())["payees"], "00000004");
    for (int32_t key : {a1, b1, a2, a3}) EXPECT_TRUE(completedOnBoth(key)) << key;
    EXPECT_FALSE(completed("recipients", c1));
    EXPECT_EQ(allMarks(), 8);

    // Descending keys when asked.
    exec("update recipients set completed = 0; update recipients_additionalinfo set completed = 0;");
    EFile descending;
    descending.setRecSort(1);
    ASSERT_TRUE(run(descending, &records).ok());
    EXPECT_EQ(payeeNames(records), (std::vector<std::string>{"ONE", "THREE", "TWO", "ONE"}));
}

// A large selection is matched against the selected payers' rows in one pass instead of
// being looked up key by key; the file and the marks are the same.
TEST_F(EFilePopulate, ALargeSelectionKeepsItsOrderPayersAndMarks) {
    const int32_t payerA = addPayer("Alpha Payer");
    const int32_t payerB = addPayer("Beta Payer");
    const int32_t first = addRecipient(payerA, 7, "A", "One");
    const int32_t ofUnselectedPayer = addRecipient(payerB, 7, "B", "One");
    copyRecipient(first, 2100);
    const int32_t last = cdb->getRecipientPK();
    std::vector<int32_t> selection;
    for (int32_t key = last; key > ofUnselectedPayer; --key) selection.push_back(key);
    selection.push_back(ofUnselectedPayer);
    selection.push_back(first);
    selection.push_back(last + 1000);  // no such recipient
    selectPayers({payerA});
    selectRecipients(selection);

    EFile file;
    std::vector<firetest::Record> records;
    ASSERT_TRUE(run(file, &records).ok());
    EXPECT_EQ(firetest::fieldsIn(records.front())["payees"], "00002101");
    std::vector<std::string> expected;
    for (int32_t key : selection)
        if (key != ofUnselectedPayer && key <= last) expected.push_back("S" + std::to_string(key));
    EXPECT_EQ(payeeNames(records), expected);
    EXPECT_EQ(count("select count(*) from recipients where completed = 1"), 2102);
    EXPECT_EQ(count("select count(*) from recipients_additionalinfo where completed = 1"), 2102);
    EXPECT_EQ(allMarks(), 2 * 2102);
}

TEST_F(EFilePopulate, NoPayerSelectedGivesTransmitterAndEndRecordsAndMarksNothing) {
    const int32_t payer = addPayer("Alpha Payer");
    const int32_t r = addRecipient(payer, 7, "A", "One");
    selectRecipients({r});

    EFile file;
    std::vector<firetest::Record> records;
    ASSERT_TRUE(run(file, &records).ok());
    EXPECT_EQ(firetest::order(records), "TF");
    EXPECT_EQ(firetest::fieldsIn(records.front())["payees"], "00000000");
    EXPECT_EQ(allMarks(), 0);
    EXPECT_FALSE(completed("recipients", r));
}

TEST_F(EFilePopulate, AnOverLongAmountIsRefusedWithNameAndBoxLeavingNoFileAndNoMarks) {
    const int32_t payer = addPayer("Alpha Payer");
    const int32_t fine = addRecipient(payer, 7, "Fay", "Fine", [](RecipientInfo& r) { r.setLine1_NEC("10.00"); });
    const int32_t big = addRecipient(payer, 7, "Bea", "Bigg", [](RecipientInfo& r) { r.setLine4_NEC("12345678901.00"); });
    selectPayers({payer});
    ASSERT_TRUE(platform::writeFileAtomically(output, "the previous file"));

    EFile file;
    const EFileResult result = run(file);
    EXPECT_EQ(result.failure, EFileResult::Failure::refused);
    EXPECT_NE(result.message.find("Bea Bigg"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("Box 4 "), std::string::npos) << result.message;
    std::string kept;
    ASSERT_TRUE(platform::readFile(output, kept));
    EXPECT_EQ(kept, "the previous file");
    EXPECT_EQ(folderFiles(), std::vector<std::string>{"1099_E-File.txt"});
    EXPECT_EQ(allMarks(), 0);
    EXPECT_FALSE(completed("recipients", fine));
    EXPECT_FALSE(completed("recipients", big));
}

TEST_F(EFilePopulate, ADateThatIsNoDayIsRefusedWithNameBoxAndTextLeavingNoFileAndNoMarks) {
    const int32_t payer = addPayer("Alpha Payer");
    const int32_t fine = addRecipient(payer, 4, "Fay", "Fine", [](RecipientInfo& r) { r.setR_Line1("10.00"); });
    const int32_t bad =
        addRecipient(payer, 4, "Dee", "Date", [](RecipientInfo& r) { r.setR_DateOfPayment("2025-02-30"); });
    selectPayers({payer});

    EFile file;
    const EFileResult result = run(file);
    EXPECT_EQ(result.failure, EFileResult::Failure::refused);
    EXPECT_NE(result.message.find("\"2025-02-30\" in Box 13 of the 1099-R of Dee Date"), std::string::npos)
        << result.message;
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_EQ(allMarks(), 0);
    EXPECT_FALSE(completed("recipients", fine));
    EXPECT_FALSE(completed("recipients", bad));
}

// A surviving spouse's rollover ("4G"), last year's "4D" and a Roth's "b7" are filed as
// entered, in capitals, and marked like any other return.
TEST_F(EFilePopulate, DistributionCodePairsInEitherOrderAreFiledAndMarked) {
    const int32_t payer = addPayer("Alpha Payer");
    std::vector<int32_t> keys;
    for (const char* code : {"4G", "4D", "b7"})
        keys.push_back(addRecipient(payer, 4, "Ann", code, [code](RecipientInfo& r) { r.setR_Line7(code); }));
    selectPayers({payer});

    EFile file;
    std::vector<firetest::Record> records;
    const EFileResult result = run(file, &records);
    ASSERT_TRUE(result.ok()) << result.message;
    std::vector<std::string> codes;
    for (const auto& r : records)
        if (r.type == 'B') codes.push_back(firetest::fieldsIn(r)["distributionCode"]);
    EXPECT_EQ(codes, (std::vector<std::string>{"4G", "4D", "B7"}));
    for (int32_t key : keys) EXPECT_TRUE(completedOnBoth(key)) << key;
}

// Only the first two characters of a stored distribution code are the code (an older
// import kept "4 G" and "G4X" as written): the FIRE file and the IRIS file carry the
// same code for one return, in capitals, a blank second character dropped in IRIS.
TEST_F(EFilePopulate, ADistributionCodeIsOneCodeInTheFireAndIrisFiles) {
    struct Case {
        const char* stored;
        const char* fire;  // positions 545-546
        const char* iris;
    };
    const Case cases[] = {
        {"4 G", "4 ", "4"}, {"G4X", "G4", "G4"}, {"4G", "4G", "4G"}, {"g4x", "G4", "G4"}, {"7  ", "7 ", "7"},
    };
    const int32_t payer = addPayer("Alpha Payer");
    std::vector<int32_t> keys;
    for (const Case& c : cases)
        keys.push_back(addRecipient(payer, 4, "Ann", "Lee", [&c](RecipientInfo& r) { r.setR_Line7(c.stored); }));
    selectPayers({payer});

    EFile file;
    std::vector<firetest::Record> records;
    const EFileResult result = run(file, &records);
    ASSERT_TRUE(result.ok()) << result.message;
    std::vector<std::string> fire;
    for (const auto& r : records)
        if (r.type == 'B') fire.push_back(r.at(545, 546));

    IrisExport exporter(*cdb, keys);
    ASSERT_TRUE(exporter.payers()) << exporter.failure();
    std::vector<IrisRecipient> read;
    ASSERT_TRUE(exporter.readFile(0, read)) << exporter.failure();
    IrisFile builder;
    const std::string built = builder.build(4, cdb->getCompanyInfoIRIS(payer), read);
    EXPECT_EQ(builder.refusal(), "");
    const std::vector<iristest::Row> rows = iristest::readCsv(built);
    ASSERT_EQ(rows.size(), std::size(cases) + 1);
    const auto column = static_cast<std::size_t>(
        std::find(rows[0].begin(), rows[0].end(), "Box 7 - Distribution code(s)") - rows[0].begin());
    ASSERT_LT(column, rows[0].size());

    ASSERT_EQ(fire.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].stored);
        EXPECT_EQ(fire[i], cases[i].fire);
        EXPECT_EQ(rows[i + 1].at(column), cases[i].iris);
    }
}

TEST_F(EFilePopulate, MarksThatCannotBeStoredAreRolledBackAndLeaveNoFile) {
    const int32_t payer = addPayer("Alpha Payer");
    const int32_t r = addRecipient(payer, 7, "A", "One");
    selectPayers({payer});
    exec("create trigger blockMarks before update on recipients_additionalinfo "
         "begin select raise(abort, 'blocked by test'); end;");

    EFile file;
    const EFileResult result = run(file);
    EXPECT_EQ(result.failure, EFileResult::Failure::database);
    EXPECT_NE(result.message.find("blocked by test"), std::string::npos) << result.message;
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_FALSE(completed("recipients", r));  // its first mark was rolled back
    EXPECT_EQ(allMarks(), 0);
    EXPECT_FALSE(cdb->db->isInTransaction());
}

// The marks are stored only with the file: a commit that fails (here a deferred
// constraint, which SQLite checks only then) keeps the previous file and marks nothing.
TEST_F(EFilePopulate, MarksWhoseCommitFailsAreRolledBackAndKeepThePreviousFile) {
    const int32_t payer = addPayer("Alpha Payer");
    const int32_t r = addRecipient(payer, 7, "A", "One");
    selectPayers({payer});
    ASSERT_TRUE(platform::writeFileAtomically(output, "the previous file"));
    exec("pragma foreign_keys = on;"
         "create table markParent (k INTEGER PRIMARY KEY);"
         "create table markChild (k INT REFERENCES markParent (k) DEFERRABLE INITIALLY DEFERRED);"
         "create trigger orphanMark after update of completed on recipients "
         "begin insert into markChild values (new.pk); end;");

    EFile file;
    const EFileResult result = run(file);
    EXPECT_EQ(result.failure, EFileResult::Failure::database);
    EXPECT_NE(result.message.find("could not be marked completed"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("FOREIGN KEY constraint failed"), std::string::npos) << result.message;
    std::string kept;
    ASSERT_TRUE(platform::readFile(output, kept));
    EXPECT_EQ(kept, "the previous file");
    EXPECT_EQ(folderFiles(), std::vector<std::string>{"1099_E-File.txt"});
    EXPECT_FALSE(completed("recipients", r));
    EXPECT_EQ(allMarks(), 0);
    EXPECT_FALSE(cdb->db->isInTransaction());
}

TEST_F(EFilePopulate, RecipientsThatCannotBeReadAreAFailureNotAnEmptyFile) {
    const int32_t payer = addPayer("Alpha Payer");
    addRecipient(payer, 7, "A", "One");
    selectPayers({payer});
    exec("drop table recipients_additionalinfo;");

    EFile file;
    const EFileResult result = run(file);
    EXPECT_EQ(result.failure, EFileResult::Failure::database);
    EXPECT_NE(result.message.find("recipients_additionalinfo"), std::string::npos) << result.message;
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_FALSE(cdb->db->isInTransaction());
}

TEST_F(EFilePopulate, AnOutputThatCannotBeCreatedIsReportedWithTheSystemsReason) {
    const int32_t payer = addPayer("Alpha Payer");
    const int32_t r = addRecipient(payer, 7, "A", "One");
    selectPayers({payer});
    output = home.file("no such folder/1099_E-File.txt");

    EFile file;
    const EFileResult result = run(file);
    EXPECT_EQ(result.failure, EFileResult::Failure::output);
    EXPECT_NE(result.message.find("No such file or directory"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(output), std::string::npos) << result.message;
    EXPECT_FALSE(completed("recipients", r));
}

// An e-file saved into a folder of the user's touches nothing there but itself: the files
// of other programs keep every byte, whatever their names; what an interrupted save of
// the same e-file left goes, an empty one too.
TEST_F(EFilePopulate, SavingIntoAFolderOfOtherProgramsFilesKeepsEveryOneOfThem) {
    const int32_t payer = addPayer("Alpha Payer");
    addRecipient(payer, 7, "A", "One");
    selectPayers({payer});
    putOtherProgramsFiles(folder, "1099_E-File.txt");
    const std::map<std::string, std::string> others = filesWithBytes(folder);
    for (const char* left : {"/.1099_E-File.txt.talvexa-partial-00000000deadbeef",
                             "/.1099_E-File.txt.talvexa-partial-00000000deadbeef-journal"})
        ASSERT_TRUE(std::ofstream(folder + left).good());

    EFile file;
    ASSERT_TRUE(run(file).ok());

    std::map<std::string, std::string> now = filesWithBytes(folder);
    ASSERT_EQ(now.count("1099_E-File.txt"), 1u);
    now.erase("1099_E-File.txt");
    EXPECT_EQ(now, others);
}

TEST_F(EFilePopulate, ASecondRunReplacesTheFileAndMarksNothingTwice) {
    const int32_t payer = addPayer("Alpha Payer");
    const int32_t r = addRecipient(payer, 7, "A", "One");
    selectPayers({payer});
    EFile first;
    ASSERT_TRUE(run(first).ok());
    std::string before;
    ASSERT_TRUE(platform::readFile(output, before));

    addRecipient(payer, 7, "B", "Two");
    EFile second;
    std::vector<firetest::Record> records;
    ASSERT_TRUE(run(second, &records).ok());
    EXPECT_EQ(firetest::order(records), "TABBCF");
    EXPECT_EQ(before.size(), 5u * 750u);
    EXPECT_EQ(marks(r), 2);
    EXPECT_EQ(folderFiles(), std::vector<std::string>{"1099_E-File.txt"});
}

// A void form is not filed (its replacement is): it has no B record, counts in no T, C,
// K or F figure, adds to no total and is not marked completed; the run tells how many
// it left out. A run whose recipients are all void offers no file.
TEST_F(EFilePopulate, VoidRecipientsAreLeftOutWithTheCountsAndTotalsThatFollow) {
    const int32_t payer = addPayer("Alpha Payer");
    auto inState = [](const char* state, const char* box1, bool voided) {
        return [=](RecipientInfo& r) {
            r.setState(state);
            r.setLine1_NEC(box1);
            r.setVoided(voided);
        };
    };
    const int32_t filed = addRecipient(payer, 7, "Fay", "Filed", inState("Georgia-GA", "100.00", false));
    const int32_t voidNec = addRecipient(payer, 7, "Vic", "Void", inState("Georgia-GA", "3,000.00", true));
    const int32_t voidCa = addRecipient(payer, 7, "Cal", "Void", inState("California-CA", "50.00", true));
    const int32_t voidMisc = addRecipient(payer, 1, "Mia", "Void", [](RecipientInfo& r) {
        r.setLine1_Misc("3,000.00");
        r.setVoided(true);
    });
    exec("update recipients_additionalinfo set void = 1 where pk in (" + std::to_string(voidNec) + ", " +
         std::to_string(voidCa) + ", " + std::to_string(voidMisc) + ");");
    selectPayers({payer});
    selectRecipients({voidMisc, filed, voidNec, voidCa});

    EFile file;
    std::vector<firetest::Record> records;
    const EFileResult result = run(file, &records, true);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.payees, 1u);
    EXPECT_EQ(result.voidLeftOut, 3u);
    // No A record for the 1099-MISC, whose only recipient is void; no K record for California.
    ASSERT_EQ(firetest::order(records), "TABCKF");
    EXPECT_EQ(payeeNames(records), std::vector<std::string>{"FILED"});
    EXPECT_EQ(firetest::fieldsIn(records[0])["payees"], "00000001");
    auto c = firetest::fieldsIn(records[3]);
    EXPECT_EQ(c["payees"], "00000001");
    EXPECT_EQ(c["total1"], "000000000000010000");
    auto k = firetest::fieldsIn(records[4]);
    EXPECT_EQ(k["stateCode"], "13");
    EXPECT_EQ(k["payees"], "00000001");
    EXPECT_EQ(k["total1"], "000000000000010000");
    auto f = firetest::fieldsIn(records[5]);
    EXPECT_EQ(f["aRecords"], "00000001");
    EXPECT_EQ(f["payees"], "00000001");
    EXPECT_TRUE(completedOnBoth(filed));
    for (int32_t key : {voidNec, voidCa, voidMisc}) EXPECT_EQ(marks(key), 0) << key;
    EXPECT_EQ(EFile::voidLeftOutText(result.voidLeftOut, "E-File"), "3 void recipients were left out of the E-File.");
    EXPECT_EQ(EFile::voidLeftOutText(1, "E-File"), "1 void recipient was left out of the E-File.");
    EXPECT_EQ(EFile::voidLeftOutText(0, "E-File"), "");

    // All void: no file, no mark, and the reason.
    std::filesystem::remove(output);
    selectRecipients({voidMisc, voidNec});
    EFile allVoid;
    const EFileResult none = run(allVoid);
    EXPECT_EQ(none.failure, EFileResult::Failure::empty);
    EXPECT_EQ(none.voidLeftOut, 2u);
    EXPECT_EQ(none.message,
              "No E-File was created: every selected recipient is void. 2 void recipients were left out of the E-File."
              " A return that was already filed is taken back by a corrected return with every amount zero: mark it Corrected, not Void, and set its amounts to zero.");
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_EQ(allMarks(), 2);  // the earlier run's marks of the filed one only
}

// A large selection reads only the selected payers' rows: a void recipient of another
// payer is still not marked.
TEST_F(EFilePopulate, AVoidRecipientOfAnotherPayerInALargeSelectionIsNotMarked) {
    const int32_t payerA = addPayer("Alpha Payer");
    const int32_t payerB = addPayer("Beta Payer");
    const int32_t first = addRecipient(payerA, 7, "A", "One");
    const int32_t voidOfB = addRecipient(payerB, 7, "B", "Void", [](RecipientInfo& r) { r.setVoided(true); });
    const int32_t ordinaryOfB = addRecipient(payerB, 7, "B", "Ordinary");
    copyRecipient(first, 2100);
    std::vector<int32_t> selection{voidOfB, ordinaryOfB};
    for (int32_t key = cdb->getRecipientPK(); key > ordinaryOfB; --key) selection.push_back(key);
    selection.push_back(first);
    selectPayers({payerA});
    selectRecipients(selection);

    EFile file;
    ASSERT_TRUE(run(file).ok());
    EXPECT_EQ(marks(voidOfB), 0);
    EXPECT_EQ(marks(ordinaryOfB), 2);
}

// The marks look at each recipient's own void flag, a NULL (as the schema upgrade leaves
// every flag) counting as not void: whether the run looks the selection up by key or
// matches it against the payers' rows, a selected recipient with a NULL flag is marked
// completed on both of its rows, of a selected payer or not, and a void one on neither.
TEST_F(EFilePopulate, MarksFollowEachRecipientsOwnVoidFlagWithNullAsNotVoid) {
    const int32_t payerA = addPayer("Alpha Payer");
    const int32_t payerB = addPayer("Beta Payer");
    const int32_t nullOfA = addRecipient(payerA, 7, "A", "Null");
    const int32_t nullOfB = addRecipient(payerB, 7, "B", "Null");
    const int32_t voidOfA = addRecipient(payerA, 7, "A", "Void");
    const int32_t voidOfB = addRecipient(payerB, 1, "B", "Void");
    const int32_t oddVoidOfB = addRecipient(payerB, 7, "B", "Odd");
    auto keys = [](std::initializer_list<int32_t> list) {
        std::string text;
        for (int32_t key : list) text += (text.empty() ? "" : ", ") + std::to_string(key);
        return text;
    };
    exec("update recipients set void = NULL; update recipients_additionalinfo set void = NULL;"
         "update recipients set void = 1 where pk in (" + keys({voidOfA, voidOfB}) + ");"
         "update recipients set void = 2 where pk = " + std::to_string(oddVoidOfB) + ";");
    copyRecipient(nullOfA, 2100);
    const int32_t lastCopy = cdb->getRecipientPK();
    selectPayers({payerA});

    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "matched against the payer's rows" : "looked up by key");
        exec("update recipients set completed = 0; update recipients_additionalinfo set completed = 0;"
             "delete from markLog;");
        std::vector<int32_t> selection{voidOfB, nullOfB, voidOfA, oddVoidOfB, nullOfA};
        if (large)
            for (int32_t key = oddVoidOfB + 1; key <= lastCopy; ++key) selection.push_back(key);
        selectRecipients(selection);

        EFile file;
        const EFileResult result = run(file);
        ASSERT_TRUE(result.ok()) << result.message;
        const int copies = large ? lastCopy - oddVoidOfB : 0;
        EXPECT_EQ(result.payees, static_cast<uint64_t>(1 + copies));
        EXPECT_EQ(result.voidLeftOut, 1u);  // the selected payer's void one
        for (int32_t key : {nullOfA, nullOfB}) {
            EXPECT_TRUE(completedOnBoth(key)) << key;
            EXPECT_EQ(marks(key), 2) << key;
        }
        for (int32_t key : {voidOfA, voidOfB, oddVoidOfB}) EXPECT_EQ(marks(key), 0) << key;
        EXPECT_EQ(allMarks(), 2 * (2 + copies));
    }
}


// Cancel while the records are written stops the run before its marks and its rename:
// the previous file stays, nothing is marked, and no temporary file is left.
TEST_F(EFilePopulate, CancelWhileWritingLeavesThePreviousFileAndMarksNothing) {
    const int32_t payer = addPayer("Alpha Payer");
    const int32_t r = addRecipient(payer, 7, "A", "One");
    selectPayers({payer});
    ASSERT_TRUE(platform::writeFileAtomically(output, "the previous file"));
    ui.reset();
    auto* jobs = new ScriptedJobsUserInterface;
    ui.reset(jobs);
    jobs->cancelDuring("Writing");

    EFile file;
    EXPECT_EQ(run(file).failure, EFileResult::Failure::cancelled);
    std::string kept;
    ASSERT_TRUE(platform::readFile(output, kept));
    EXPECT_EQ(kept, "the previous file");
    EXPECT_EQ(folderFiles(), std::vector<std::string>{"1099_E-File.txt"});
    EXPECT_FALSE(completed("recipients", r));
    EXPECT_EQ(allMarks(), 0);
    EXPECT_FALSE(cdb->db->isInTransaction());
    ASSERT_EQ(jobs->jobs().size(), 1u);
    EXPECT_EQ(jobs->jobs()[0]->steps, (std::vector<std::string>{"Reading the recipients", "Writing the records"}));
    EXPECT_TRUE(jobs->jobs()[0]->closed);
}

}  // namespace
