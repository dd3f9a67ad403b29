#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "Leftovers.h"
#include "NewYearFixture.h"
#include "ScriptedJobs.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/newyear/CloseYear.h"
#include "core/newyear/PriorYearList.h"
#include "core/newyear/RollOverName.h"
#include "core/store/Startup.h"

namespace {

constexpr int kConfirm = 2;
constexpr int kKeepAmounts = kAlertFirstButtonCode;        // "No"
constexpr int kClearAmounts = kAlertSecondButtonCode;      // "Yes"

// The new database as the tests read it.
struct NewFile {
    std::vector<RecipientInfo> recipients;          // by key
    std::vector<RecipientAdditionalInfo> additional;
    std::vector<UserInfo> logins;
    std::vector<int> loginTypes;
    ComapnyInfo payer;
    E_FileInfo transmitter;
    std::string name;
    int year = 0;
};

NewFile readNewFile(const std::string& path) {
    NewFile f;
    CompanyDatabase db;
    EXPECT_TRUE(db.Init(path, false, true, true, ""));
    f.recipients = db.getRecipients(0, 0);
    f.additional = db.getAddRecipients(0, 0);
    for (const UserInfo& u : db.getUsers()) f.logins.push_back(db.getUserInfo(u.getPK()));
    f.payer = db.getCompanyInfo1(0);
    f.transmitter = db.getEFileInfo(1);
    f.name = db.GetName();
    f.year = db.GetYear();
    db.Close();
    return f;
}

const RecipientInfo* byNumber(const NewFile& f, int type, const std::string& taxID) {
    for (const auto& r : f.recipients)
        if (r.getType() == type && r.getTaxID() == taxID) return &r;
    return nullptr;
}

const RecipientAdditionalInfo* additionalOf(const NewFile& f, int key) {
    for (const auto& a : f.additional)
        if (a.getPK() == key) return &a;
    return nullptr;
}

std::vector<PriorRecipient> someRecipients() {
    std::vector<PriorRecipient> r;
    // Entered in the entry windows: an individual and a business.
    r.push_back({0, 1, "Mary Ann", "", "111-22-3333", {{"line13", "1500.00"}, {"line1", "10.00"}}, true, true, false,
                 "Smith", "Q", "SSN"});
    r.push_back({0, 7, "", "Widget Works", "22-3333444", {{"nec_line1", "700.00"}}, true, true, true, "", "", "EIN"});
    // Without additional rows.
    r.push_back({0, 3, "John Paul", "Jones", "333-44-5555", {{"int_line1", "12.00"}}, true, false, false, "", "", ""});
    r.push_back({0, 1, "", "Gadget Co", "44-5555666", {{"line13", "250.00"}}, false, false, false, "", "", ""});
    // Of the second payer.
    r.push_back({1, 1, "", "Other Payee", "55-6666777", {{"line13", "90.00"}}, false, false, false, "", "", ""});
    return r;
}

}  // namespace

TEST(RollOverName, FollowsTheFileNameRule) {
    struct Case {
        const char* listed;
        const char* name;
    } cases[] = {
        {"Acme  Supply Co ", "Acme Supply Co"},
        {"Acme Supply Co", "Acme Supply Co"},
        {"3M Company", "_3M Company"},
        {"_Under Co", "_Under Co"},
        {"O'Neil & Sons", "O_Neil _ Sons"},
        {"", "_"},
        {"   ", "_"},
        {"  Leading", "Leading"},
        {"Caf\xC3\xA9 Ltd", "Caf_ Ltd"},
        {"A-B_C", "A-B_C"},
        {"x123456789012345678901234567890123456789012345678901234567890XYZ",
         "x12345678901234567890123456789012345678901234567890123456789"},
    };
    for (const Case& c : cases) EXPECT_EQ(newyear::rollOverName(c.listed), c.name) << "\"" << c.listed << "\"";
}

TEST(RollOverName, UnderscoreMarkerTurnsBlanksOfTheFileNameOnly) {
    EXPECT_EQ(yearDatabaseFileName("Acme Supply Co", false), "Acme Supply Co 2025.db");
    EXPECT_EQ(yearDatabaseFileName("Acme Supply Co", true), "Acme_Supply_Co_2025.db");
}

TEST_F(NewYearTest, OneCompanyBecomesADatabaseOfItsOwnWithLoginsPayerRecipientsAndTransmitter) {
    const std::string prior = makePriorDatabase("Acme", {"  Acme Supply ", "Second Payer"}, someRecipients());
    databaseInfo entry = entryOf(prior, "Acme");
    ui->answerBox(kConfirm);
    ui->answerAlert(kKeepAmounts);
    ui->answerBox(kConfirm);   // success

    ASSERT_TRUE(newyear::CloseYear(entry, {0}));

    const std::string target = yearFolder() + "Acme Supply 2025.db";
    EXPECT_EQ(captions(), (std::vector<std::string>{"Start New Year?", "Successfully started new year."}));
    EXPECT_NE(ui->boxes()[1].details.find(target), std::string::npos);
    ASSERT_TRUE(platform::fileExists(target));
    EXPECT_TRUE(replacementLeftoversIn(yearFolder()).empty());
    ASSERT_EQ(listedPaths(), std::vector<std::string>{target});
    const databaseInfo listed = app()->SelectDatabaseList()[0];
    EXPECT_EQ(listed.name(), "Acme Supply");
    EXPECT_EQ(listed.year(), 2025);
    EXPECT_EQ(listed.CompanyName(), "  Acme Supply ");

    const NewFile f = readNewFile(target);
    EXPECT_EQ(f.name, "Acme Supply");
    EXPECT_EQ(f.year, 2025);
    EXPECT_EQ(f.payer.getName(), "Acme Supply");
    EXPECT_EQ(f.payer.getAddress(), "1 Main St");
    EXPECT_EQ(f.payer.payerfirstname(), "");
    EXPECT_EQ(f.payer.getpayercountry(), "");
    EXPECT_EQ(f.transmitter.getName(), "Transmitter Inc");
    // Logins keep their user type; the built-in ones are not doubled.
    std::map<std::string, int> types;
    for (const UserInfo& u : f.logins) types[u.getUserName()] += 1, types[u.getUserName() + ":type"] = u.getUserType();
    EXPECT_EQ(types["Ada"], 1);
    EXPECT_EQ(types["Ada:type"], 1);
    EXPECT_EQ(types["Bob:type"], 0);
    EXPECT_EQ(types["Harbour"], 1);
    EXPECT_EQ(types["tvs1099"], 1);
    EXPECT_EQ(number(target, "select count(*) from logins where doNotShowWelcomeDialog = '1';"), 0);

    // Four recipients of the first payer, plus the 1099-NEC made for Gadget Co's line 13.
    ASSERT_EQ(f.recipients.size(), 5u);
    ASSERT_EQ(f.additional.size(), 5u);
    for (const auto& r : f.recipients) {
        EXPECT_EQ(r.getCompany_FK(), 0);
        EXPECT_FALSE(r.getPrinted() || r.getValidated() || r.getVoided() || r.getCorrected() || r.getCompleted());
        ASSERT_NE(additionalOf(f, r.getPK()), nullptr);
    }
    // Entered individual: its own names and row carried unchanged, boxes included; the
    // flags of the row are cleared.
    const RecipientInfo* mary = byNumber(f, 1, "111-22-3333");
    ASSERT_NE(mary, nullptr);
    EXPECT_EQ(mary->getFirstName(), "Mary Ann");
    EXPECT_EQ(mary->getLastName(), "  Acme Supply ");
    const RecipientAdditionalInfo* maryRow = additionalOf(f, mary->getPK());
    EXPECT_EQ(maryRow->getname_type(), "Individual");
    EXPECT_EQ(maryRow->gettin_type(), "SSN");
    EXPECT_EQ(maryRow->getlastname(), "Smith");
    EXPECT_EQ(maryRow->getmiddleName(), "Q");
    EXPECT_EQ(maryRow->getsuffix(), "Jr");
    EXPECT_EQ(maryRow->getaddline2(), "Suite 5");
    EXPECT_EQ(maryRow->getOfficecode(), "1234");
    EXPECT_EQ(maryRow->getline19_1_Misc(), "99.00");
    EXPECT_FALSE(maryRow->getValidated());
    // Mary's line 13 went to her new 1099-NEC, her line 1 stays on the 1099-MISC.
    EXPECT_EQ(mary->getLine13_Misc(), "");
    EXPECT_EQ(mary->getLine1_Misc(), "10.00");
    const RecipientInfo* maryNec = byNumber(f, 7, "111-22-3333");
    ASSERT_NE(maryNec, nullptr);
    EXPECT_EQ(maryNec->getLine3_NEC(), "1500.00");
    EXPECT_EQ(additionalOf(f, maryNec->getPK())->getlastname(), "Smith");
    // Entered business with an EIN keeps "EIN".
    const RecipientInfo* widget = byNumber(f, 7, "22-3333444");
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->getLastName(), "Widget Works");
    EXPECT_EQ(additionalOf(f, widget->getPK())->gettin_type(), "EIN");
    EXPECT_EQ(additionalOf(f, widget->getPK())->getname_type(), "Business Name");
    // Not entered here: the derived names.
    const RecipientInfo* john = byNumber(f, 3, "333-44-5555");
    ASSERT_NE(john, nullptr);
    EXPECT_EQ(john->getFirstName(), "John");
    EXPECT_EQ(john->getLastName(), "");
    EXPECT_EQ(additionalOf(f, john->getPK())->getmiddleName(), "Paul");
    EXPECT_EQ(additionalOf(f, john->getPK())->getlastname(), "Jones");
    EXPECT_EQ(additionalOf(f, john->getPK())->getname_type(), "Individual");
    EXPECT_EQ(additionalOf(f, john->getPK())->gettin_type(), "SSN");
    EXPECT_EQ(john->getInt_Line1(), "12.00");
    // Gadget Co had line 13 alone: the 1099-MISC is gone, a 1099-NEC holds the amount.
    EXPECT_EQ(byNumber(f, 1, "44-5555666"), nullptr);
    const RecipientInfo* gadget = byNumber(f, 7, "44-5555666");
    ASSERT_NE(gadget, nullptr);
    EXPECT_EQ(gadget->getLastName(), "Gadget Co");
    EXPECT_EQ(gadget->getLine3_NEC(), "250.00");
    EXPECT_EQ(additionalOf(f, gadget->getPK())->getname_type(), "Business Name");
    // A business whose type was never entered is filed with the type its number shows.
    EXPECT_EQ(additionalOf(f, gadget->getPK())->gettin_type(), "EIN");
}

TEST_F(NewYearTest, TwoCompaniesAreEachCleanedAfterOneAmountsQuestion) {
    const std::string prior = makePriorDatabase("Acme", {"Acme Supply", "Second Payer"}, someRecipients());
    databaseInfo entry = entryOf(prior, "Acme");
    for (int answer : {kClearAmounts, kKeepAmounts}) {
        SCOPED_TRACE(answer == kClearAmounts ? "clear" : "keep");
        for (const auto& e : app()->SelectDatabaseList()) ASSERT_TRUE(app()->DeleteDatabaseInfo(e));
        for (const char* f : {"Acme Supply 2025.db", "Second Payer 2025.db"}) platform::removePath(yearFolder() + f);
        entry.setImported(false);
        ui->answerBox(kConfirm);
        ui->answerAlert(answer);
        ui->answerBox(kConfirm);
        ASSERT_TRUE(newyear::CloseYear(entry, {1, 0}));
        EXPECT_EQ(ui->count("alert"), answer == kClearAmounts ? 1 : 2);

        const std::string second = yearFolder() + "Second Payer 2025.db";
        const std::string first = yearFolder() + "Acme Supply 2025.db";
        EXPECT_EQ(listedPaths().size(), 2u);
        // The success message names the last database made.
        EXPECT_NE(ui->boxes().back().details.find(first), std::string::npos);
        for (const std::string& path : {first, second}) {
            EXPECT_EQ(number(path, "select count(*) from recipients where printed = '1' or validated = '1' or "
                                   "void = '1' or corrected = '1' or completed = '1';"),
                      0)
                << path;
            EXPECT_EQ(number(path, "select count(*) from logins where doNotShowWelcomeDialog = '1';"), 0) << path;
        }
        const NewFile s = readNewFile(second);
        if (answer == kClearAmounts) {
            ASSERT_EQ(s.recipients.size(), 1u);
            EXPECT_EQ(s.recipients[0].getLine13_Misc(), "");
            EXPECT_EQ(number(first, "select count(*) from recipients where line13 != '' or line1 != '' or "
                                    "nec_line1 != '' or int_line1 != '';"),
                      0);
        } else {
            ASSERT_EQ(s.recipients.size(), 1u);
            EXPECT_EQ(s.recipients[0].getType(), 7);
            EXPECT_EQ(s.recipients[0].getLine3_NEC(), "90.00");
        }
    }
}

namespace {

struct MoveCase {
    const char* name;
    std::vector<PriorRecipient> recipients;
    // Expected (type, number, line 13 of a 1099-MISC or line 3 of a 1099-NEC), in key order.
    std::vector<std::tuple<int, std::string, std::string>> expected;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

PriorRecipient misc(std::string number, std::string line13, std::map<std::string, std::string> more = {}) {
    PriorRecipient r;
    r.type = 1;
    r.last = "M " + number;
    r.taxID = std::move(number);
    if (!line13.empty()) more["line13"] = line13;
    r.amounts = std::move(more);
    return r;
}
PriorRecipient nec(std::string number, std::string line3) {
    PriorRecipient r;
    r.type = 7;
    r.last = "N " + number;
    r.taxID = std::move(number);
    if (!line3.empty()) r.amounts["nec_line3"] = line3;
    return r;
}

class LineThirteenMove : public NewYearTest, public ::testing::WithParamInterface<MoveCase> {};

}  // namespace

TEST_P(LineThirteenMove, MovesToTheNecOfTheSameNumber) {
    const MoveCase& c = GetParam();
    const std::string prior = makePriorDatabase("Move", {"Payer"}, c.recipients);
    databaseInfo entry = entryOf(prior, "Move");
    ui->answerBox(kConfirm);
    ui->answerAlert(kKeepAmounts);
    ui->answerBox(kConfirm);
    ASSERT_TRUE(newyear::CloseYear(entry, {0}));
    const NewFile f = readNewFile(yearFolder() + "Payer 2025.db");
    std::vector<std::tuple<int, std::string, std::string>> got;
    for (const auto& r : f.recipients)
        got.emplace_back(r.getType(), r.getTaxID(), r.getType() == 7 ? r.getLine3_NEC() : r.getLine13_Misc());
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineThirteenMove,
    ::testing::Values(
        MoveCase{"AloneWithoutNecBecomesNec", {misc("11-1111111", "1500.00")}, {{7, "11-1111111", "1500.00"}}},
        MoveCase{"ReplacesTheNecsLine3",
                 {misc("11-1111111", "1500.00"), nec("11-1111111", "20.00")},
                 {{7, "11-1111111", "1500.00"}}},
        MoveCase{"OtherDashesFindTheSameNec",
                 {misc("111111111", "5.00"), nec("11-1111111", "")},
                 {{7, "11-1111111", "5.00"}}},
        MoveCase{"EmptyLine13StaysAsItIs",
                 {misc("11-1111111", "", {{"line1", "3.00"}}), nec("11-1111111", "8.00")},
                 {{1, "11-1111111", ""}, {7, "11-1111111", "8.00"}}},
        MoveCase{"OtherAmountsKeepTheMiscWithoutLine13",
                 {misc("11-1111111", "40.00", {{"line1", "3.00"}})},
                 {{1, "11-1111111", ""}, {7, "11-1111111", "40.00"}}},
        MoveCase{"AnEmptyNumberNeverMatches",
                 {misc("", "7.00"), nec("", "1.00")},
                 {{7, "", "1.00"}, {7, "", "7.00"}}}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(NewYearTest, RestartReplacesTheExisting2025DatabaseAfterItsQuestion) {
    const std::string prior = makePriorDatabase("Acme Supply", {"Acme Supply"}, someRecipients());
    databaseInfo entry = entryOf(prior, "Acme Supply");
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);
    ASSERT_TRUE(newyear::CloseYear(entry, {0}));
    const std::string target = yearFolder() + "Acme Supply 2025.db";
    databaseInfo recent("Acme Supply", target, 2025, false, "");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(recent));
    // A row added in 2025 disappears with the restart.
    ASSERT_TRUE(text(target, "select count(*) from recipients;") == "4");
    {
        auto db = FMDatabase::databaseWithPath(target);
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeUpdate("insert into recipients (pk, company_FK, type) values (100, 0, 1);"));
        db->close();
    }

    // Declined: the 2025 database stays as it is.
    databaseInfo again = entryOf(prior, "Acme Supply");
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kMessageAnswerNo);
    const std::string before = contents(target);
    EXPECT_FALSE(newyear::CloseYear(again, {0}));
    EXPECT_TRUE(again.imported());
    EXPECT_EQ(captions(), (std::vector<std::string>{"Start New Year?", "Successfully started new year.",
                                                    "Restart New Year?", "Delete current year database?"}));
    EXPECT_TRUE(ui->boxes()[3].flag);
    EXPECT_EQ(contents(target), before);
    EXPECT_EQ(app()->GetRecentDatabaseInfo()->path(), target);

    // Confirmed: made again; the registration is the new one and the recent entry is emptied.
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);
    ui->answerBox(kConfirm);
    ASSERT_TRUE(newyear::CloseYear(again, {0}));
    EXPECT_EQ(number(target, "select count(*) from recipients;"), 4);
    EXPECT_EQ(listedPaths(), std::vector<std::string>{target});
    EXPECT_EQ(app()->GetRecentDatabaseInfo()->path(), "");
    EXPECT_TRUE(replacementLeftoversIn(yearFolder()).empty());
}

TEST_F(NewYearTest, AFailedWriteLeavesNothingAndPutsARestartedDatabaseBack) {
    const std::string prior = makePriorDatabase("Acme", {"Acme Supply"}, someRecipients());
    const std::string target = yearFolder() + "Acme Supply 2025.db";
    newyear::setWriteHookForTests([](CompanyDatabase& db) { (void)db.db->executeUpdate("drop table importFields;"); });

    databaseInfo entry = entryOf(prior, "Acme");
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);   // the failure
    EXPECT_FALSE(newyear::CloseYear(entry, {0}));
    EXPECT_EQ(captions().back(), "Unable to start new year.");
    EXPECT_FALSE(platform::fileExists(target));
    EXPECT_TRUE(replacementLeftoversIn(yearFolder()).empty());
    EXPECT_TRUE(listedPaths().empty());

    // A restart that fails: the old file, its registration and the recent entry are back.
    newyear::setWriteHookForTests({});
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);
    ASSERT_TRUE(newyear::CloseYear(entry, {0}));
    databaseInfo recent("Acme Supply", target, 2025, false, "");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(recent));
    const std::string before = contents(target);
    newyear::setWriteHookForTests([](CompanyDatabase& db) { (void)db.db->executeUpdate("drop table importFields;"); });
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);   // delete question
    ui->answerBox(kConfirm);   // the failure
    EXPECT_FALSE(newyear::CloseYear(entry, {0}));
    newyear::setWriteHookForTests({});
    EXPECT_EQ(captions().back(), "Unable to start new year.");
    EXPECT_EQ(contents(target), before);
    EXPECT_TRUE(replacementLeftoversIn(yearFolder()).empty());
    ASSERT_EQ(listedPaths(), std::vector<std::string>{target});
    EXPECT_EQ(app()->SelectDatabaseList()[0].CompanyName(), "Acme Supply");
    EXPECT_EQ(app()->GetRecentDatabaseInfo()->path(), target);
}

// The new file fails to take the old one's place at each step of the replacement (a full
// disk, an I/O error): the restarted database, its registration and the recent entry stay.
TEST_F(NewYearTest, AReplacementThatFailsAtAnyStepKeepsTheRestartedDatabase) {
    const std::string prior = makePriorDatabase("Acme", {"Acme Supply"}, someRecipients());
    const std::string target = yearFolder() + "Acme Supply 2025.db";
    databaseInfo entry = entryOf(prior, "Acme");
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);
    ASSERT_TRUE(newyear::CloseYear(entry, {0}));
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(databaseInfo("Acme Supply", target, 2025, false, "")));
    const std::string before = contents(target);

    for (platform::ReplaceStep failing :
         {platform::ReplaceStep::started, platform::ReplaceStep::built, platform::ReplaceStep::flushed,
          platform::ReplaceStep::previousKept, platform::ReplaceStep::renaming}) {
        SCOPED_TRACE(static_cast<int>(failing));
        platform::setReplaceStepHookForTesting(
            [&](platform::ReplaceStep at, const std::string& path) { return path != target || at != failing; });
        ui->answerBox(kConfirm);
        ui->answerAlert(kClearAmounts);
        ui->answerBox(kConfirm);   // delete question
        ui->answerBox(kConfirm);   // the failure
        EXPECT_FALSE(newyear::CloseYear(entry, {0}));
        platform::setReplaceStepHookForTesting({});
        EXPECT_EQ(captions().back(), "Unable to start new year.");
        EXPECT_EQ(contents(target), before);
        EXPECT_TRUE(replacementLeftoversIn(yearFolder()).empty());
        EXPECT_EQ(listedPaths(), std::vector<std::string>{target});
        EXPECT_EQ(app()->GetRecentDatabaseInfo()->path(), target);
    }
}

// A crash at each step of putting the restarted database in place (the run ends itself
// there, nothing cleans up): after the next start the old database or the whole new one
// is at its place, still listed, and nothing is left beside it, in the year folder or in
// a folder of the user's where the database is listed (its replacement noted). Where the
// file system makes no links the old database is moved aside, not linked: a crash then
// leaves it as the only copy, and it comes back.
TEST_F(NewYearTest, ACrashWhileTheNewDatabaseTakesItsPlaceLeavesOneWholeDatabaseAfterTheNextStart) {
    constexpr int kKilled = 42;
    const std::string prior = makePriorDatabase("Acme", {"Acme Supply"}, someRecipients());
    databaseInfo entry = entryOf(prior, "Acme");
    const std::string chosen = home.file("Stick") + "/";
    ASSERT_TRUE(platform::createDirectories(chosen));

    using platform::ReplaceStep;
    struct Kill {
        ReplaceStep at;
        bool targetGone;   // the old database only under its previous name, as after a move
    };
    const Kill kills[] = {{ReplaceStep::started, false},       {ReplaceStep::built, false},
                          {ReplaceStep::flushed, false},       {ReplaceStep::previousKept, false},
                          {ReplaceStep::previousKept, true},   {ReplaceStep::renaming, false},
                          {ReplaceStep::renamed, false},       {ReplaceStep::folderFlushed, false}};
    for (const std::string& folder : {yearFolder(), chosen}) {
        SCOPED_TRACE(folder == chosen ? "in a folder of the user's" : "in the year folder");
        const std::string target = folder + "Acme Supply 2025.db";
        ASSERT_TRUE(app()->PurgeDatabaseList(2025, true));
        if (folder == chosen) {
            databaseInfo listed("Acme Supply", target, 2025, false, "");
            listed.setCompanyName("Acme Supply");
            ASSERT_TRUE(app()->InsertDatabaseInfo(listed));
        }
        ui->answerBox(kConfirm);
        ui->answerAlert(kClearAmounts);
        ui->answerBox(kConfirm);
        ASSERT_TRUE(newyear::CloseYear(entry, {0}));
        ASSERT_EQ(listedPaths(), std::vector<std::string>{target});
        const std::string configuration = app()->GetPath();
        sweepProgramFolders();   // the start of the runs that are killed

        for (const Kill& kill : kills) {
            SCOPED_TRACE("killed at step " + std::to_string(static_cast<int>(kill.at)) +
                         (kill.targetGone ? ", the target gone" : ""));
            {
                auto db = FMDatabase::databaseWithPath(target);
                ASSERT_TRUE(db->open());
                ASSERT_TRUE(db->executeUpdate("update companies set name = 'Old marker';"));
                db->close();
            }
            app()->Close();
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                platform::setReplaceStepHookForTesting([&](ReplaceStep at, const std::string& path) {
                    if (path == target && at == kill.at) {
                        if (kill.targetGone) ::unlink(target.c_str());
                        ::_exit(kKilled);
                    }
                    return true;
                });
                ui->answerBox(kConfirm);
                ui->answerAlert(kClearAmounts);
                ui->answerBox(kConfirm);   // delete question
                ui->answerBox(kConfirm);
                ::_exit(app()->Init(configuration, false) && newyear::CloseYear(entry, {0}) ? 0 : 1);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), kKilled);

            ASSERT_TRUE(app()->Init(configuration, false));
            sweepProgramFolders();
            EXPECT_TRUE(replacementLeftoversIn(folder).empty());
            EXPECT_EQ(filesBelow(session().ControlledTempDir + "/Unfinished Writes"), std::vector<std::string>{});
            EXPECT_EQ(text(target, "select name from companies;") == "Old marker", kill.at < ReplaceStep::renamed);
            EXPECT_EQ(number(target, "select count(*) from recipients;"), 4);
            EXPECT_EQ(listedPaths(), std::vector<std::string>{target});
        }
    }
}

TEST_F(NewYearTest, AnOlderYearIsWarnedAboutAndMayGoOn) {
    const std::string prior = makePriorDatabase("Old", {"Old Payer"}, {}, 2023);
    databaseInfo entry = entryOf(prior, "Old", 2023);
    ui->answerAlert(kAlertSecondButtonCode);   // "No"
    EXPECT_FALSE(newyear::CloseYear(entry, {0}));
    ASSERT_EQ(ui->alerts().size(), 1u);
    EXPECT_EQ(ui->alerts()[0].message, "Import prior year information from a 2023 database");
    EXPECT_EQ(ui->alerts()[0].returnButton, 1u);
    EXPECT_FALSE(platform::fileExists(yearFolder() + "Old Payer 2025.db"));

    ui->answerAlert(kAlertFirstButtonCode);    // "Yes"
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);
    EXPECT_TRUE(newyear::CloseYear(entry, {0}));
    EXPECT_NE(ui->boxes()[0].details.find("WARNING: The selected database is for 2023."), std::string::npos);
    EXPECT_TRUE(platform::fileExists(yearFolder() + "Old Payer 2025.db"));
}

TEST_F(NewYearTest, NoCompanyChosenEndsAfterTheConfirmation) {
    const std::string prior = makePriorDatabase("Acme", {"Acme Supply"}, {});
    databaseInfo entry = entryOf(prior, "Acme");
    ui->answerBox(kConfirm);
    EXPECT_TRUE(newyear::CloseYear(entry, {}));
    EXPECT_NE(ui->boxes()[0].details.find("Companies:    None"), std::string::npos);
    EXPECT_EQ(ui->count("alert"), 0);
    EXPECT_TRUE(listedPaths().empty());
    EXPECT_FALSE(platform::fileExists(yearFolder() + "Acme Supply 2025.db"));
}

TEST_F(NewYearTest, AFileThatIsNoCompanyDatabaseIsRefusedBeforeAnythingIsWritten) {
    const std::string empty = lastYearFolder + "Empty 2024.db";
    ASSERT_TRUE(platform::writeFileAtomically(empty, ""));
    watch(empty);
    const std::string foreign = lastYearFolder + "Foreign 2024.db";
    {
        auto db = FMDatabase::databaseWithPath(foreign);
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeUpdate("create table notes (x text);"));
        db->close();
    }
    watch(foreign);
    for (const std::string& path : {empty, foreign}) {
        databaseInfo entry = entryOf(path, "X");
        ui->answerBox(kConfirm);
        EXPECT_FALSE(newyear::CloseYear(entry, {0}));
        EXPECT_EQ(ui->boxes().back().details.rfind("Unable to initialize the database.", 0), 0u) << path;
    }
    EXPECT_TRUE(listedPaths().empty());
}

namespace {

// Every column of one row as text, "<null>" for NULL.
using RawRow = std::map<std::string, std::string>;

std::vector<std::pair<std::string, std::string>> columnsOf(FMDatabase& db, const std::string& table) {
    std::vector<std::pair<std::string, std::string>> out;   // name, declared type
    auto rs = db.executeQuery("pragma table_info(" + table + ");");
    while (rs && rs->next())
        out.emplace_back(rs->stringForColumn("name").value_or(""), rs->stringForColumn("type").value_or(""));
    if (rs) rs->close();
    return out;
}

RawRow rawRow(const std::string& path, const std::string& table, int key) {
    auto db = FMDatabase::databaseWithPath(path);
    EXPECT_TRUE(db->open());
    RawRow row;
    const auto columns = columnsOf(*db, table);
    auto rs = db->executeQuery("select * from " + table + " where pk = ?;", key);
    if (rs && rs->next())
        for (const auto& [name, type] : columns) row[name] = rs->stringForColumn(name).value_or("<null>");
    if (rs) rs->close();
    db->close();
    return row;
}

constexpr int kKinds[] = {1, 2, 3, 4, 5, 7};
// Keys, and the window mode that no reader or writer of recipients looks at.
const char* const kNames[] = {"company_FK", "pk", "type", "mode"};
const char* const kRecipientIdentity[] = {"taxID", "accountNumber", "firstName", "lastName"};
const char* const kStatusFlags[] = {"validated", "printed", "completed", "corrected", "void"};
const char* const kAdditionalNames[] = {"tin_type", "name_type", "suffix", "middleName", "lastname_surname",
                                        "addline2", "Officecode"};

bool among(const std::string& column, std::initializer_list<const char*> set) {
    for (const char* c : set)
        if (column == c) return true;
    return false;
}
template <std::size_t N>
bool among(const std::string& column, const char* const (&set)[N]) {
    for (const char* c : set)
        if (column == c) return true;
    return false;
}

// The value a column of a recipient of kind `kind` holds in last year's file:
// 1 in every INT column, else a text of its own.
std::string fixtureValue(const std::string& column, const std::string& type, int kind) {
    if (type.rfind("INT", 0) == 0) return "1";
    if (column == "r_line11") return "2019";   // a year, read as a number
    return std::to_string(kind) + column.substr(0, 3) + std::to_string(column.size()) + ".25";
}

}  // namespace

// A recipient of each kind whose two rows hold a value in every column: kept amounts
// carry every column of both rows; cleared amounts empty the boxes of both rows alike
// and keep the names, TIN type, second address line and office code.
TEST_F(NewYearTest, EveryColumnOfBothRowsIsCarriedOrClearedAlike) {
    const std::string prior = makePriorDatabase("Every", {"Every Payer"}, {});
    std::map<int, int> keyOfKind;
    {
        CompanyDatabase db;
        ASSERT_TRUE(db.Init(prior, false, true, true, "Every"));
        ASSERT_TRUE(db.db->beginTransaction());
        for (int kind : kKinds) {
            RecipientInfo r;
            r.setCompany_FK(0);
            r.setType(kind);
            r.setFirstName("First" + std::to_string(kind));
            r.setLastName("Last" + std::to_string(kind));
            r.setTaxID("9" + std::to_string(kind) + "-0000000");
            r.setAccountNumber("ACC" + std::to_string(kind));
            RecipientAdditionalInfo a;
            a.setCompany_FK(0);
            a.setType(kind);
            ASSERT_TRUE(db.insertRecipientInfo(r, a));
            keyOfKind[kind] = db.getRecipientPK();
        }
        for (const char* table : {"recipients", "recipients_additionalinfo"})
            for (const auto& [column, type] : columnsOf(*db.db, table)) {
                if (among(column, kNames) || among(column, kRecipientIdentity)) continue;
                for (int kind : kKinds) {
                    std::string value = fixtureValue(column, type, kind);
                    if (column == "name_type") value = "Individual";   // the names stay as entered
                    ASSERT_TRUE(db.db->executeUpdate("update " + std::string(table) + " set " + column +
                                                         " = ? where pk = ?;",
                                                     value, keyOfKind[kind]))
                        << column;
                }
            }
        ASSERT_TRUE(db.db->commit());
        db.Close();
    }
    watch(prior);

    for (int answer : {kKeepAmounts, kClearAmounts}) {
        const bool keep = answer == kKeepAmounts;
        SCOPED_TRACE(keep ? "kept" : "cleared");
        const std::string target = yearFolder() + "Every Payer 2025.db";
        for (const auto& e : app()->SelectDatabaseList()) ASSERT_TRUE(app()->DeleteDatabaseInfo(e));
        platform::removePath(target);
        databaseInfo entry = entryOf(prior, "Every");
        ui->answerBox(kConfirm);
        ui->answerAlert(answer);
        ui->answerBox(kConfirm);
        ASSERT_TRUE(newyear::CloseYear(entry, {0}));

        const NewFile f = readNewFile(target);
        for (int kind : kKinds) {
            SCOPED_TRACE("kind " + std::to_string(kind));
            const RecipientInfo* now = byNumber(f, kind, "9" + std::to_string(kind) + "-0000000");
            ASSERT_NE(now, nullptr);
            for (const char* table : {"recipients", "recipients_additionalinfo"}) {
                const bool additional = std::string(table) == "recipients_additionalinfo";
                const RawRow before = rawRow(prior, table, keyOfKind[kind]);
                const RawRow after = rawRow(target, table, now->getPK());
                ASSERT_EQ(before.size(), after.size()) << table;
                for (const auto& [column, was] : before) {
                    const std::string& is = after.at(column);
                    if (among(column, kNames)) continue;
                    if (among(column, kStatusFlags)) {
                        EXPECT_EQ(is, "0") << table << "." << column;
                    } else if (additional ? among(column, kAdditionalNames) : among(column, kRecipientIdentity)) {
                        EXPECT_EQ(is, was) << table << "." << column;
                    } else if (!additional && kind == 1 && column == "line13" && keep) {
                        // Moved to a 1099-NEC of the same number.
                        EXPECT_EQ(is, "") << column;
                    } else if (keep) {
                        EXPECT_EQ(is, was) << table << "." << column;
                    } else if (additional || column == "nec_line3") {
                        EXPECT_EQ(is, "") << table << "." << column;
                    } else {
                        // The recipient row: a box is emptied, a check box cleared, a
                        // choice set to "not entered"; what describes the recipient stays.
                        const bool kept = among(column, {"country", "addressIsNotUSTerritory", "secondTin",
                                                         "address", "city", "state", "zip", "FATCA_MISC",
                                                         "FATCA_INT", "FATCA_DIV", "FATCA_R", "FATCA_NEC"});
                        if (kept) EXPECT_EQ(is, was) << column;
                        else EXPECT_TRUE(is == "" || is == "0" || is == "-1") << column << " holds " << is;
                    }
                }
            }
        }
        if (keep) {
            const RecipientInfo* moved = byNumber(f, 7, "91-0000000");
            ASSERT_NE(moved, nullptr);
            EXPECT_EQ(moved->getLine3_NEC(), fixtureValue("line13", "TEXT", 1));
        }
    }
}

// The restart question comes only where a 2025 database would be replaced, and names
// it; the list shows from the first start on that the database was rolled over.
TEST_F(NewYearTest, ARestartIsAskedOnlyWhereADatabaseWouldBeReplacedAndNamesIt) {
    const std::string prior = makePriorDatabase("Acme", {"Acme Supply"}, {});
    ASSERT_TRUE(app()->InsertPriorYearInfo(entryOf(prior, "Acme")));
    const std::string target = yearFolder() + "Acme Supply 2025.db";
    auto run = [&](bool replaces) {
        databaseInfo entry = app()->SelectPriorYearList().at(0);
        ui->answerBox(kConfirm);
        ui->answerAlert(kClearAmounts);
        if (replaces) ui->answerBox(kConfirm);   // Delete current year database?
        ui->answerBox(kConfirm);                 // success
        EXPECT_TRUE(newyear::CloseYear(entry, {0}));
    };

    run(false);
    EXPECT_EQ(captions(), (std::vector<std::string>{"Start New Year?", "Successfully started new year."}));
    EXPECT_TRUE(app()->SelectPriorYearList().at(0).imported());

    run(true);
    ASSERT_EQ(captions().size(), 5u);
    EXPECT_EQ(captions()[2], "Restart New Year?");
    EXPECT_NE(ui->boxes()[2].details.find("will delete the existing 2025 database (" + target + ")"),
              std::string::npos)
        << ui->boxes()[2].details;
    EXPECT_EQ(captions()[3], "Delete current year database?");
    EXPECT_NE(ui->boxes()[3].details.find(target), std::string::npos);

    // The list still says it was rolled over, but nothing is there to replace.
    platform::removePath(target);
    run(false);
    EXPECT_EQ(captions()[5], "Start New Year?");
    EXPECT_EQ(ui->boxes()[5].details.find("Restarting"), std::string::npos);
    EXPECT_EQ(captions().size(), 7u);
}

// A last-year file whose program ended without closing it is left as it is, with advice
// on how to put it right, by the roll-over and by the check of a file to add.
TEST_F(NewYearTest, AFileNotClosedProperlyIsLeftAsItIsWithAdvice) {
    const std::string source = makePriorDatabase("Source", {"Acme Supply"}, someRecipients());
    const std::string crashed = lastYearFolder + "Crashed 2024.db";
    {
        // The file and its journal as a crash in the middle of a write leaves them: a
        // small page cache spills the write into the file once the journal is synced.
        auto db = FMDatabase::databaseWithPath(source);
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeStatements("pragma cache_size = 1;"));
        ASSERT_TRUE(db->beginTransaction());
        ASSERT_TRUE(db->executeStatements(
            "update recipients set line1 = '999.00'; create table filler (x);"
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < 500) "
            "insert into filler select randomblob(3000) from n;"));
        ASSERT_TRUE(platform::copyFile(source, crashed));
        ASSERT_TRUE(platform::copyFile(source + "-journal", crashed + "-journal"));
        ASSERT_TRUE(db->rollback());
        db->close();
    }
    watch(source);   // the crash was staged on it
    watch(crashed);
    watch(crashed + "-journal");
    ASSERT_TRUE(newyear::wasNotClosedProperly(crashed));
    EXPECT_FALSE(newyear::wasNotClosedProperly(source));

    databaseInfo entry = entryOf(crashed, "Crashed");
    ui->answerBox(kConfirm);
    EXPECT_FALSE(newyear::CloseYear(entry, {0}));
    ui->answerBox(kConfirm);
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(crashed, newyear::kAddToListCaption).verdict, newyear::Verdict::Refused);

    EXPECT_EQ(captions(), (std::vector<std::string>{"Unable to start new year.", newyear::kAddToListCaption}));
    for (const auto& box : ui->boxes()) {
        EXPECT_EQ(box.details, newyear::notClosedProperlyDetails(crashed));
        EXPECT_NE(box.details.find("not closed properly"), std::string::npos);
        EXPECT_NE(box.details.find("open this database once in last year's version of Talvexa 1099 and close it"),
                  std::string::npos);
    }
    EXPECT_TRUE(listedPaths().empty());
}

namespace {

// A payer's recipients whose name order has ties (the same names in other cases),
// 1099-MISC line 13 amounts that go to an existing 1099-NEC, to a new one or leave
// their 1099-MISC empty, line 15b values and rows with and without additional data.
std::vector<PriorRecipient> manyRecipients() {
    const char* lasts[] = {"smith", "Smith", "Adams", "", "Zed", "adams"};
    const char* firsts[] = {"Ann", "ann", "Bo Lee", "", "Cy"};
    const char* numbers[] = {"111-11-1111", "222-22-2222", "333333333", "", "44-4444444", "555-55-5555", "66-6666666"};
    const int kinds[] = {1, 7, 3, 1, 2, 1, 7, 4};
    std::vector<PriorRecipient> out;
    for (int i = 0; i < 48; ++i) {
        PriorRecipient p;
        p.payer = i % 11 == 10 ? 1 : 0;
        p.type = kinds[i % 8];
        p.first = firsts[(i * 3) % 5];
        p.last = lasts[(i * 5) % 6];
        if (p.first.empty() && p.last.empty()) p.last = "Nameless";
        p.taxID = numbers[(i * 4) % 7];
        if (p.type == 1 && i % 3 != 2) p.amounts["line13"] = std::to_string(100 + i) + ".00";
        if (p.type == 1 && i % 4 == 0) p.amounts["line1"] = "5.00";
        if (p.type == 1 && i % 5 == 0) p.amounts["line15b"] = "7.00";
        if (p.type == 7) p.amounts["nec_line3"] = "1.00";
        p.entered = i % 4 == 1;
        p.business = p.entered && p.first.empty();
        p.surname = p.entered ? "Sur" + std::to_string(i) : "";
        p.tinType = "SSN";
        out.push_back(p);
    }
    return out;
}

// The new file's recipients by key: key, form kind, names, number, the moved amounts
// and the additional row's names.
std::vector<std::string> keyedRows(const std::string& path) {
    std::vector<std::string> rows;
    auto db = FMDatabase::databaseWithPath(path);
    EXPECT_TRUE(db->open());
    auto rs = db->executeQuery(
        "select r.pk, r.type, r.firstName, r.lastName, r.taxID, r.line1, r.line13, r.nec_line3, r.line15b, "
        "a.name_type, a.middleName, a.lastname_surname from recipients r left join recipients_additionalinfo a "
        "on a.pk = r.pk order by r.rowid;");
    EXPECT_TRUE(rs);
    while (rs && rs->next()) {
        std::string row;
        for (int c = 0; c < 12; ++c) row += (c ? "|" : "") + rs->stringForColumnIndex(c).value_or("<null>");
        rows.push_back(row);
    }
    db->close();
    return rows;
}

}  // namespace

// The recipients arrive in the order and under the keys that the name order of last
// year's file gives them, with the line 13 moves made among all of them.
TEST_F(NewYearTest, EveryRecipientGetsTheKeyOfItsPlaceInTheNameOrder) {
    struct Case {
        int sort;
        int amounts;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        // As the roll-over has always made them.
        {0, kKeepAmounts,
            {
             "0|4|Ann||5C4445645C44645C6454||||<null>|Individual||",
             "1|4|Bo||5B435B635B43635B63||||<null>|Individual|Lee|",
             "2|7||adams|5C4445645C44645C6454|||1.00|<null>|Business Name||",
             "3|1||Adams|5A425A7D5A427D5A62525A|5.00|||<null>|Business Name||",
             "4|4||adams|5D455D7D5D457D5D65555D||||<null>|Business Name||",
             "5|7||Adams|5B435B635B43635B63|||1.00|<null>|Business Name||",
             "6|4|ann||5941597D59417D59615159||||<null>|Individual||adams",
             "7|7|ann||5C4445645C44645C6454|||1.00|<null>|Individual||Adams",
             "8|1|Ann||5E4645665E46665E6656|5.00|||7.00|Individual||Adams",
             "9|2|Bo||5B435B635B43635B63||||<null>|Individual|Lee|Adams",
             "10|3|Bo||||||<null>|Individual|Lee|Adams",
             "11|2|Cy||5941597D59417D59615159||||<null>|Individual||Adams",
             "12|1|Ann|Many Payer 0|5E4645665E46665E6656||||7.00|Individual||Sur5",
             "13|7|ann|Many Payer 0|5D455D7D5D457D5D65555D|||124.00|<null>|Individual||Sur17",
             "14|7|Ann|Many Payer 0|5B435B635B43635B63|||1.00|<null>|Individual||Sur25",
             "15|1|Ann|Many Payer 0|5D455D7D5D457D5D65555D||||7.00|Individual||Sur45",
             "16|7|Bo Lee|Many Payer 0|5A425A7D5A427D5A62525A|||137.00|<null>|Individual||Sur9",
             "17|1|Bo Lee|Many Payer 0|5C4445645C44645C6454||||<null>|Individual||Sur29",
             "18|7|Cy|Many Payer 0|5E4645665E46665E6656|||119.00|<null>|Individual||Sur33",
             "19|7||smith||||1.00|<null>|Business Name||",
             "20|1||Smith|5B435B635B43635B63||||<null>|Business Name||",
             "21|2||smith|5C4445645C44645C6454||||<null>|Business Name||",
             "22|7||Smith||||1.00|<null>|Business Name||",
             "23|1|Ann||5941597D59417D59615159|5.00|||7.00|Individual||smith",
             "24|2|ann||5E4645665E46665E6656||||<null>|Individual||smith",
             "25|7|Ann||5A425A7D5A427D5A62525A|||1.00|<null>|Individual||smith",
             "26|1|Ann||5941597D59417D59615159||||7.00|Individual||Smith",
             "27|3|ann||5941597D59417D59615159||||<null>|Individual||smith",
             "28|4|ann||5E4645665E46665E6656||||<null>|Individual||Smith",
             "29|1|Bo||5D455D7D5D457D5D65555D|5.00|||<null>|Individual|Lee|smith",
             "30|3|Cy||5B435B635B43635B63||||<null>|Individual||smith",
             "31|4|Cy||5A425A7D5A427D5A62525A||||<null>|Individual||Smith",
             "32|3||Zed|5E4645665E46665E6656||||<null>|Business Name||",
             "33|3|ann||5A425A7D5A427D5A62525A||||<null>|Individual||Zed",
             "34|2|Ann||||||<null>|Individual||Zed",
             "35|7|Bo||5941597D59417D59615159|||100.00|<null>|Individual|Lee|Zed",
             "36|2|Bo||5A425A7D5A427D5A62525A||||<null>|Individual|Lee|Zed",
             "37|1|Cy||5C4445645C44645C6454|5.00|||<null>|Individual||Zed",
             "38|7|Cy||5D455D7D5D457D5D65555D|||1.00|<null>|Individual||Zed",
             "39|7|ann|||||127.00|<null>|Individual||",
             "40|7|Cy|Many Payer 0||||113.00|<null>|Individual||Sur13",
            }},
        {1, kClearAmounts,
            {
             "0|1|Cy||5C4445645C44645C6454|||||Individual||Zed",
             "1|7|Cy||5D455D7D5D457D5D65555D|||||Individual||Zed",
             "2|7|Bo||5941597D59417D59615159|||||Individual|Lee|Zed",
             "3|2|Bo||5A425A7D5A427D5A62525A|||||Individual|Lee|Zed",
             "4|3|ann||5A425A7D5A427D5A62525A|||||Individual||Zed",
             "5|2|Ann|||||||Individual||Zed",
             "6|3||Zed|5E4645665E46665E6656|||||Business Name||",
             "7|3|Cy||5B435B635B43635B63|||||Individual||smith",
             "8|4|Cy||5A425A7D5A427D5A62525A|||||Individual||Smith",
             "9|1|Bo||5D455D7D5D457D5D65555D|||||Individual|Lee|smith",
             "10|1|Ann||5941597D59417D59615159|||||Individual||smith",
             "11|2|ann||5E4645665E46665E6656|||||Individual||smith",
             "12|7|Ann||5A425A7D5A427D5A62525A|||||Individual||smith",
             "13|1|Ann||5941597D59417D59615159|||||Individual||Smith",
             "14|3|ann||5941597D59417D59615159|||||Individual||smith",
             "15|4|ann||5E4645665E46665E6656|||||Individual||Smith",
             "16|7||smith||||||Business Name||",
             "17|1||Smith|5B435B635B43635B63|||||Business Name||",
             "18|2||smith|5C4445645C44645C6454|||||Business Name||",
             "19|7||Smith||||||Business Name||",
             "20|1|Cy|Many Payer 1||||||Individual||Sur13",
             "21|7|Cy|Many Payer 1|5E4645665E46665E6656|||||Individual||Sur33",
             "22|7|Bo Lee|Many Payer 1|5A425A7D5A427D5A62525A|||||Individual||Sur9",
             "23|1|Bo Lee|Many Payer 1|5C4445645C44645C6454|||||Individual||Sur29",
             "24|1|Ann|Many Payer 1|5E4645665E46665E6656|||||Individual||Sur5",
             "25|7|ann|Many Payer 1|5D455D7D5D457D5D65555D|||||Individual||Sur17",
             "26|7|Ann|Many Payer 1|5B435B635B43635B63|||||Individual||Sur25",
             "27|1|ann|Many Payer 1|5A425A7D5A427D5A62525A|||||Individual||Sur37",
             "28|1|Ann|Many Payer 1|5D455D7D5D457D5D65555D|||||Individual||Sur45",
             "29|2|Cy||5941597D59417D59615159|||||Individual||Adams",
             "30|2|Bo||5B435B635B43635B63|||||Individual|Lee|Adams",
             "31|1|Bo||5E4645665E46665E6656|||||Individual|Lee|adams",
             "32|3|Bo|||||||Individual|Lee|Adams",
             "33|4|ann||5941597D59417D59615159|||||Individual||adams",
             "34|7|ann||5C4445645C44645C6454|||||Individual||Adams",
             "35|1|Ann||5E4645665E46665E6656|||||Individual||Adams",
             "36|7||adams|5C4445645C44645C6454|||||Business Name||",
             "37|1||Adams|5A425A7D5A427D5A62525A|||||Business Name||",
             "38|4||adams|5D455D7D5D457D5D65555D|||||Business Name||",
             "39|7||Adams|5B435B635B43635B63|||||Business Name||",
             "40|1|Cy||5D455D7D5D457D5D65555D|||||Individual||",
             "41|4|Bo||5B435B635B43635B63|||||Individual|Lee|",
             "42|4|Ann||5C4445645C44645C6454|||||Individual||",
             "43|1|ann|||||||Individual||",
            }},
    };
    // Read and written in batches of the usual size and in batches of 7, so that the
    // name order and the new 1099-NEC each run over several batches.
    for (std::size_t batch : {std::size_t{0}, std::size_t{7}})
        for (const Case& c : cases) {
            SCOPED_TRACE("sort " + std::to_string(c.sort) + ", amounts answer " + std::to_string(c.amounts) +
                         ", batch " + std::to_string(batch));
            newyear::setRecipientBatchForTests(batch);
            const std::string name = "Many" + std::to_string(c.sort) + "_" + std::to_string(batch);
            const std::string payer = "Many Payer " + std::to_string(c.sort) + " " + std::to_string(batch);
            const std::string prior = makePriorDatabase(name, {payer, "Other"}, manyRecipients());
            databaseInfo entry = entryOf(prior, name);
            ui->answerBox(kConfirm);
            ui->answerAlert(c.amounts);
            ui->answerBox(kConfirm);
            const bool done = newyear::CloseYear(entry, {0}, c.sort);
            newyear::setRecipientBatchForTests(0);
            ASSERT_TRUE(done);
            std::vector<std::string> expected = c.expected;
            // The payer's name stands in the name line of recipients entered as individuals.
            const std::string asMade = "Many Payer " + std::to_string(c.sort);
            for (std::string& row : expected)
                if (const auto at = row.find(asMade); at != std::string::npos) row.replace(at, asMade.size(), payer);
            EXPECT_EQ(keyedRows(yearFolder() + payer + " 2025.db"), expected);
        }
}

// Cancel while the first company is copied stops the run before anything is written:
// the 2025 database it would restart stays byte for byte, and so does its listing.
TEST_F(NewYearTest, CancelBeforeTheFirstWriteLeavesEverythingAsItWas) {
    const std::string prior = makePriorDatabase("Acme Supply", {"Acme Supply"}, someRecipients());
    databaseInfo entry = entryOf(prior, "Acme Supply");
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);
    ASSERT_TRUE(newyear::CloseYear(entry, {0}));
    const std::string target = yearFolder() + "Acme Supply 2025.db";
    const std::string before = contents(target);
    const std::vector<std::string> listed = listedPaths();

    ui.reset();
    auto* jobs = new ScriptedJobsUserInterface;
    ui.reset(jobs);
    jobs->cancelDuring("Copying");
    databaseInfo again = entryOf(prior, "Acme Supply");
    ui->answerBox(kConfirm);
    ui->answerAlert(kClearAmounts);
    ui->answerBox(kConfirm);   // delete the current year database
    EXPECT_FALSE(newyear::CloseYear(again, {0}));
    EXPECT_EQ(contents(target), before);
    EXPECT_FALSE(platform::fileExists(target + ".partial"));
    EXPECT_FALSE(platform::fileExists(target + ".previous"));
    EXPECT_EQ(listedPaths(), listed);
    EXPECT_EQ(captions(), (std::vector<std::string>{"Restart New Year?", "Delete current year database?"}));
    ASSERT_EQ(jobs->jobs().size(), 1u);
    const auto& job = *jobs->jobs()[0];
    EXPECT_EQ(job.steps, std::vector<std::string>{"Copying Acme Supply (1 of 1)"});
    // The copy says nothing while it runs: its window shows at once.
    EXPECT_EQ(job.shownAtOnce, job.steps);
    EXPECT_TRUE(job.cancelPressed);
    EXPECT_TRUE(job.closed);
}
