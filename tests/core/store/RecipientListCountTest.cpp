#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/DuplicateTaxID.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "core/store/RecipientListCount.h"

// The count must always agree with the list it stands in for.
TEST(RecipientListCount, AgreesWithTheRecipientListForEveryFilter) {
    resetSession();
    TempHome home;
    ScriptedUserInterface ui;
    session().comp_details = std::make_shared<Company>();
    CompanyDatabase db;
    EXPECT_EQ(countRecipientList(db, "", 0, 0), 0);   // not open
    ASSERT_TRUE(db.Init(home.file("count.db"), false, false, true, "Count"));

    struct Row {
        int32_t payer, kind;
        const char* first;
        const char* last;
        bool printed, voided;
    };
    const Row rows[] = {
        {0, 1, "Ann", "Smith", true, false},  {0, 7, "Bo", "O'Neil", false, false},
        {0, 7, "", "Jones LLC", false, true}, {1, 3, "Cy", "Smith", true, false},
        {1, 2, "Di", "Adams", false, false},  {2, 1, "Ed", "Stone", false, false},
    };
    for (const Row& r : rows) {
        RecipientInfo info;
        info.setCompany_FK(r.payer);
        info.setType(r.kind);
        info.setFirstName(r.first);
        info.setLastName(r.last);
        info.setPrinted(r.printed);
        info.setVoided(r.voided);
        RecipientAdditionalInfo extra;
        extra.setCompany_FK(r.payer);
        extra.setType(r.kind);
        ASSERT_TRUE(db.insertRecipientInfo(info, extra));
    }

    const std::vector<std::vector<int32_t>> selections = {{}, {0}, {0, 1}, {2}};
    const char* const filters[] = {"", "smith", "O'N", "S*h", "*LLC", "%"};
    for (const auto& payers : selections) {
        session().comp_details->setSelectedCompanies(payers);
        for (const char* filter : filters)
            for (int32_t kind : {0, 1, 7, 6})
                for (int32_t status : {0, 1, 2, 7, 8, 11}) {
                    SCOPED_TRACE(std::string(filter) + " kind " + std::to_string(kind) + " status " +
                                 std::to_string(status) + " payers " + std::to_string(payers.size()));
                    const int64_t count = countRecipientList(db, filter, kind, status);
                    EXPECT_EQ(count,
                              static_cast<int64_t>(db.execRecipientListQuery(filter, 0, kind, status).size()));
                    // With no filter, kind or status the count is the count line's total.
                    if (countsEveryRecipient(filter, kind, status)) {
                        EXPECT_EQ(count, countRecipientList(db, "", 0, 0));
                    }
                }
    }
    EXPECT_EQ(countRecipientList(db, "", 0, 0), 1);   // payer 2 alone
    db.Close();
    resetSession();
}

// The main window reads its list and the total count in one pass; each must be exactly what
// the separate list query and count give, row order included.
TEST(RecipientListCount, OnePassGivesTheListAndTheTotal) {
    resetSession();
    TempHome home;
    ScriptedUserInterface ui;
    session().comp_details = std::make_shared<Company>();
    CompanyDatabase db;
    ASSERT_TRUE(db.Init(home.file("onepass.db"), false, false, true, "One pass"));

    struct Row {
        int32_t payer, kind;
        const char* first;
        const char* last;
        const char* surname;
        bool printed;
    };
    const Row rows[] = {
        {0, 1, "Ann", "Smith", "Smith", true},   {0, 7, "Bo", "O'Neil", "Zed", false},
        {0, 7, "", "Jones LLC", "", false},       {0, 1, "Ann", "Smith", "Smith", false},
        {1, 3, "Cy", "Smith", "Smithers", true},  {1, 7, "Di", "Adams", "Smyth", false},
        {0, 1, "Ed", "Stone", "Smith", false},    {2, 1, "Fay", "Lee", "Lee", false},
        {0, 7, "Gus", "Gone", "Gone", false},     {0, 1, "Hal", "Null", "Null", false},
    };
    for (const Row& r : rows) {
        RecipientInfo info;
        info.setCompany_FK(r.payer);
        info.setType(r.kind);
        info.setFirstName(r.first);
        info.setLastName(r.last);
        info.setPrinted(r.printed);
        RecipientAdditionalInfo extra;
        extra.setCompany_FK(r.payer);
        extra.setType(r.kind);
        extra.setlastname(r.surname);
        extra.setname_typee(r.first[0] ? "Individual Name" : "Business Name");
        ASSERT_TRUE(db.insertRecipientInfo(info, extra));
    }
    // A recipient without additional data is counted but not listed; one without any
    // name is listed (by surname) but not counted; a name in the old Mac encoding.
    ASSERT_TRUE(db.db->executeUpdate("delete from recipients_additionalinfo where lastname_surname = 'Gone'"));
    ASSERT_TRUE(db.db->executeUpdate("update recipients set firstName = NULL, lastName = NULL where firstName = 'Hal'"));
    ASSERT_TRUE(db.db->executeUpdate("update recipients set lastName = x'4A8E726F6D65' where firstName = 'Fay'"));
    // Kind and status columns as older or foreign writers may have left them: NULL, text,
    // a real number; the list must take them as the queries' own comparisons do.
    ASSERT_TRUE(db.db->executeUpdate("update recipients set printed = NULL, void = 'yes' where firstName = 'Ed'"));
    ASSERT_TRUE(db.db->executeUpdate("update recipients set printed = 1.0, completed = '1' where firstName = 'Bo'"));
    ASSERT_TRUE(db.db->executeUpdate("update recipients set type = '7x', void = 0.5 where firstName = 'Di'"));

    const std::vector<std::vector<int32_t>> selections = {{0}, {0, 1}, {2}, {1, 0}, {5}};
    const char* const filters[] = {"", "smith", "smy", "O'N", "*LLC", "Null", "J" "\x8E"};
    for (const auto& payers : selections) {
        session().comp_details->setSelectedCompanies(payers);
        std::vector<ComapnyInfo> companies;
        for (int32_t key : payers) companies.push_back(db.getCompanyInfo1(key));
        for (const char* filter : filters)
            for (int32_t direction : {0, 1})
                for (int32_t kind : {0, 1, 7, 6})
                    for (int32_t status : {0, 1, 2, 3, 4, 7, 8, 11}) {
                        SCOPED_TRACE(std::string(filter) + " kind " + std::to_string(kind) + " status " +
                                     std::to_string(status) + " direction " + std::to_string(direction) +
                                     " payers " + std::to_string(payers.size()));
                        std::vector<int32_t> listed;
                        for (const auto& c : companies) listed.push_back(c.getPK());
                        const RecipientListRead read =
                            pickRecipientList(readRecipientList(db, listed, filter, direction), kind, status);
                        EXPECT_EQ(read.total, countRecipientList(db, "", 0, 0));
                        const auto expected = db.execRecipientFullInfoQuery(companies, filter, direction, kind, status);
                        auto sameRows = [&](const std::vector<const RecipientFullInfo*>& rows) {
                            ASSERT_EQ(rows.size(), expected.size());
                            for (size_t i = 0; i < expected.size(); ++i) {
                                const auto& a = *rows[i];
                                const auto& b = expected[i];
                                EXPECT_EQ(a.getPK(), b.getPK());
                                EXPECT_EQ(a.getCompany_FK(), b.getCompany_FK());
                                EXPECT_EQ(a.getType(), b.getType());
                                EXPECT_EQ(a.getPrinted(), b.getPrinted());
                                EXPECT_EQ(a.getFirstName(), b.getFirstName());
                                EXPECT_EQ(a.getLastName(), b.getLastName());
                                EXPECT_EQ(a.getRLastName(), b.getRLastName());
                                EXPECT_EQ(a.getnameType(), b.getnameType());
                            }
                        };
                        std::vector<const RecipientFullInfo*> fresh;
                        for (const auto& row : read.rows) fresh.push_back(&row);
                        sameRows(fresh);
                        // The window's refill reads over the last read, of other payers,
                        // filters and orders: nothing of that one may show through.
                        const RecipientListRead refilled =
                            refillRecipientList(db, listed, filter, direction, kind, status);
                        EXPECT_EQ(refilled.total, read.total);
                        sameRows(refilled.listed);
                    }
    }
    // The counts cover the surname-free and the data-less rows as the count query does.
    session().comp_details->setSelectedCompanies({0});
    const RecipientListRead all = pickRecipientList(readRecipientList(db, {0}, "", 0), 0, 0);
    EXPECT_EQ(all.total, 6);       // Hal has no name at all
    EXPECT_EQ(all.rows.size(), 6u);  // Gus has no additional data
    db.Close();
    resetSession();
}

// The duplicate check may take the taxpayer numbers from the list's last read: they must
// be what the file holds, recipients without names included, also after another
// connection or this one has written.
TEST(RecipientListCount, TheDuplicateCheckSeesWhatIsStoredAfterTheListWasRead) {
    resetSession();
    TempHome home;
    ScriptedUserInterface ui;
    session().comp_details = std::make_shared<Company>();
    const std::string file = home.file("taxids.db");
    CompanyDatabase db;
    ASSERT_TRUE(db.Init(file, false, false, true, "TaxIDs"));
    auto add = [](CompanyDatabase& to, int32_t payer, int32_t kind, const char* first, const char* tin) {
        RecipientInfo info;
        info.setCompany_FK(payer);
        info.setType(kind);
        if (first) info.setFirstName(first);
        info.setTaxID(tin);
        RecipientAdditionalInfo extra;
        extra.setCompany_FK(payer);
        extra.setType(kind);
        ASSERT_TRUE(to.insertRecipientInfo(info, extra));
    };
    add(db, 0, 1, "Ann", "111-11-1111");
    add(db, 0, 1, nullptr, "222222222");   // no name at all: counted nowhere, checked all the same
    add(db, 0, 7, "Bo", "333333333");
    add(db, 1, 1, "Cy", "444444444");
    auto numbers = [&](int32_t payer, int32_t kind) {
        std::vector<std::string> found;
        const auto list = db.getRecipientTaxIDsInFull(payer, kind);
        if (!list) return std::vector<std::string>{"unreadable"};
        for (const auto& r : *list) {
            EXPECT_EQ(r.payer, payer);
            EXPECT_EQ(r.kind, kind);
            found.push_back(std::to_string(r.key) + " " + r.taxID);
        }
        std::sort(found.begin(), found.end());
        return found;
    };
    const auto stored = numbers(0, 1);   // nothing read yet: from the file
    ASSERT_EQ(stored.size(), 2u);

    session().comp_details->setSelectedCompanies({0});
    refillRecipientList(db, {0}, "", 0, 0, 0);
    ASSERT_TRUE(keptRecipientTaxIDs(db, 0, 1).has_value());
    EXPECT_EQ(numbers(0, 1), stored);
    EXPECT_FALSE(keptRecipientTaxIDs(db, 1, 1).has_value());   // payer 1 was not read
    EXPECT_EQ(numbers(1, 1).size(), 1u);

    {
        CompanyDatabase other;
        ASSERT_TRUE(other.Init(file, false, false, true, "TaxIDs"));
        add(other, 0, 1, "Di", "555555555");
        other.Close();
    }
    EXPECT_EQ(numbers(0, 1).size(), 3u);
    refillRecipientList(db, {0}, "", 0, 0, 0);
    add(db, 0, 1, "Ed", "666666666");
    EXPECT_EQ(numbers(0, 1).size(), 4u);
    db.Close();
    resetSession();
}

// The window reads the list over its last read. A read stopped part way through its rows
// leaves some of them there: the duplicate check must not take them for every number
// stored, nor may the next refill of the same list.
TEST(RecipientListCount, AListReadStoppedPartWayIsNeverTakenForWhatIsStored) {
    resetSession();
    TempHome home;
    ScriptedUserInterface ui;
    session().comp_details = std::make_shared<Company>();
    CompanyDatabase db;
    ASSERT_TRUE(db.Init(home.file("stopped.db"), false, false, true, "Stopped"));
    constexpr int kEach = 6;
    for (int32_t payer : {0, 1})
        for (int i = 0; i < kEach; ++i) {
            RecipientInfo info;
            info.setCompany_FK(payer);
            info.setType(1);
            info.setFirstName("Name" + std::to_string(i));
            info.setTaxID(std::to_string(100000000 + payer * 100 + i));
            RecipientAdditionalInfo extra;
            extra.setCompany_FK(payer);
            extra.setType(1);
            extra.setlastname("Surname" + std::to_string(i));
            ASSERT_TRUE(db.insertRecipientInfo(info, extra));
        }
    session().comp_details->setSelectedCompanies({0});
    ASSERT_EQ(refillRecipientList(db, {0}, "", 0, 0, 0).listed.size(), static_cast<size_t>(kEach));
    ASSERT_TRUE(keptRecipientTaxIDs(db, 0, 1).has_value());

    // Both payers' list is read, and stopped after a few of its rows: the engine is told to
    // give up once the scan has run so many steps, more each time until rows were read.
    struct Stop {
        sqlite3* db;
        int steps = 0;
        int limit = 0;
    } stop{db.db->sqliteHandle()};
    sqlite3_progress_handler(
        stop.db, 1,
        [](void* p) {
            auto* s = static_cast<Stop*>(p);
            for (sqlite3_stmt* st = sqlite3_next_stmt(s->db, nullptr); st; st = sqlite3_next_stmt(s->db, st))
                if (sqlite3_stmt_busy(st) && std::string(sqlite3_sql(st)).find("AS nameListed") != std::string::npos)
                    return ++s->steps > s->limit ? 1 : 0;
            return 0;
        },
        &stop);
    ui.answerBox(kMessageAnswerOkYes);   // the failed read, reported once
    session().comp_details->setSelectedCompanies({0, 1});
    int64_t readBeforeTheStop = 0;
    for (stop.limit = 1; stop.limit < 100000 && readBeforeTheStop == 0; ++stop.limit) {
        stop.steps = 0;
        readBeforeTheStop = refillRecipientList(db, {0, 1}, "", 0, 0, 0).total;
    }
    sqlite3_progress_handler(stop.db, 0, nullptr, nullptr);
    ASSERT_GT(readBeforeTheStop, 0);
    ASSERT_LT(readBeforeTheStop, 2 * kEach);
    ASSERT_EQ(ui.boxes().size(), 1u);

    EXPECT_FALSE(keptRecipientTaxIDs(db, 0, 1).has_value());
    EXPECT_FALSE(keptRecipientTaxIDs(db, 1, 1).has_value());
    // The check reads the file instead, and finds every number, the last one too.
    const auto stored = db.getRecipientTaxIDsInFull(1, 1);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), static_cast<size_t>(kEach));
    RecipientInfo candidate;
    candidate.setCompany_FK(1);
    candidate.setType(1);
    candidate.setTaxID("100-00-0105");   // payer 1's last recipient
    EXPECT_TRUE(isDuplicateTaxID(candidate, *stored));

    // The same list again, in a command that reuses a read of the same list: read again,
    // in full, and kept then.
    const KeepRecipientListReads keep;
    const RecipientListRead again = refillRecipientList(db, {0, 1}, "", 0, 0, 0);
    EXPECT_EQ(again.total, 2 * kEach);
    EXPECT_EQ(again.listed.size(), static_cast<size_t>(2 * kEach));
    const auto kept = keptRecipientTaxIDs(db, 1, 1);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->size(), static_cast<size_t>(kEach));
    EXPECT_TRUE(isDuplicateTaxID(candidate, *kept));
    db.Close();
    resetSession();
}
