// Copying a recipient's identity to another form kind: the records built, the copy
// into the open database and into another listed file (closed again, its in-use mark
// cleared), and the refusals: a duplicate taxpayer number, a target without its payer
// of key 0, a file that is gone or cannot be opened, a list that cannot be read in full.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <ostream>

#include "core/store/CompanyRowsFixture.h"
#include "core/foundation/databaseInfo.h"
#include "core/records/RecipientCopy.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "platform/FileSystem.h"

using records::CopyResult;

namespace {

class RecipientCopy : public CompanyRowsTest {
protected:
    void SetUp() override {
        CompanyRowsTest::SetUp();
        ASSERT_TRUE(cdb.SetName("Acme"));
        addPayer(cdb, "Acme Holdings");   // key 0
        addPayer(cdb, "Beta Traders");    // key 1
    }

    static void addPayer(CompanyDatabase& db, const std::string& name) {
        ComapnyInfo c;
        c.setName(name);
        ASSERT_TRUE(db.insertCompanyInfo(c));
    }

    // A recipient of payer 1, with every field the copy carries and some it does not.
    int32_t addSource(int32_t kind, const std::string& taxID) {
        RecipientInfo r;
        r.setCompany_FK(1);
        r.setType(kind);
        r.setFirstName("Maria");
        r.setLastName("Beta Traders");
        r.setAddress("742 Evergreen Terrace");
        r.setCity("Springfield");
        r.setState("Oregon-OR");
        r.setZip("97403");
        r.setCountry("United States");
        r.setTaxID(taxID);
        r.setAccountNumber("ACC-7");
        r.setSecondTin(true);
        r.setAddressIsNotUSTerritory(true);
        r.setValidated(true);
        r.setPrinted(true);
        r.setCompleted(true);
        r.setLine1_Misc("100.00");
        r.setLine1_NEC("200.00");
        r.setFATCA_MISC(true);
        RecipientAdditionalInfo a;
        a.setCompany_FK(1);
        a.setType(kind);
        a.setlastname("Garcia");
        a.setmiddleName("Luz");
        a.setsuffix("Jr");
        a.settin_type("SSN");
        a.setname_typee("Individual");
        a.setaddline2("Apt 4");
        a.setOfficecode("0042");
        a.setValidated(true);
        EXPECT_TRUE(cdb.insertRecipientInfo(r, a));
        return r.getPK();
    }

    // A recipient of payer 0 of that kind with the taxpayer number.
    static void addHolder(CompanyDatabase& db, int32_t kind, const std::string& taxID) {
        RecipientInfo r;
        r.setType(kind);
        r.setTaxID(taxID);
        RecipientAdditionalInfo a;
        a.setType(kind);
        EXPECT_TRUE(db.insertRecipientInfo(r, a));
    }

    static int recipientsOf(CompanyDatabase& db, int32_t payer, int32_t kind) {
        return static_cast<int>(db.getRecipients(payer, kind).size());
    }

    std::vector<databaseInfo> listed(std::vector<std::pair<std::string, std::string>> names) {
        std::vector<databaseInfo> list;
        for (auto& [name, file] : names) list.emplace_back(name, file, 2025, false, "");
        return list;
    }

    // A second company file with its payer of key 0 (unless told otherwise), closed.
    std::string secondFile(const std::string& name, bool withPayer = true) {
        const std::string file = home.file(name + " 2025.db");
        CompanyDatabase other;
        EXPECT_TRUE(other.Init(file, false, true, true, name));
        EXPECT_TRUE(other.SetName(name));
        if (withPayer) addPayer(other, name + " Payer");
        other.Close();
        return file;
    }
};

TEST_F(RecipientCopy, TheCopyCarriesTheIdentityAndNothingElse) {
    const int32_t key = addSource(1, "123-45-6789");
    const auto copy = records::copiedRecipient(cdb.getRecipientInfo(key), cdb.getRecipientAdditionalInfo(key), 7);
    const RecipientInfo& r = copy.info;
    EXPECT_EQ(r.getPK(), -1);
    EXPECT_EQ(r.getCompany_FK(), 0);
    EXPECT_EQ(r.getType(), 7);
    EXPECT_EQ(r.getFirstName(), "Maria");
    EXPECT_EQ(r.getLastName(), "Beta Traders");
    EXPECT_EQ(r.getAddress(), "742 Evergreen Terrace");
    EXPECT_EQ(r.getCity(), "Springfield");
    EXPECT_EQ(r.getState(), "Oregon-OR");
    EXPECT_EQ(r.getZip(), "97403");
    EXPECT_EQ(r.getCountry(), "United States");
    EXPECT_EQ(r.getTaxID(), "123-45-6789");
    EXPECT_EQ(r.getAccountNumber(), "ACC-7");
    EXPECT_TRUE(r.getSecondTin());
    EXPECT_TRUE(r.getAddressIsNotUSTerritory());
    EXPECT_FALSE(r.getValidated() || r.getPrinted() || r.getCompleted() || r.getVoided() || r.getCorrected());
    EXPECT_EQ(r.getLine1_Misc(), "");
    EXPECT_EQ(r.getLine1_NEC(), "");
    const RecipientAdditionalInfo& a = copy.additional;
    EXPECT_EQ(a.getCompany_FK(), 0);
    EXPECT_EQ(a.getType(), 7);
    EXPECT_EQ(a.getlastname(), "Garcia");
    EXPECT_EQ(a.getmiddleName(), "Luz");
    EXPECT_EQ(a.getsuffix(), "Jr");
    EXPECT_EQ(a.gettin_type(), "SSN");
    EXPECT_EQ(a.getname_type(), "Individual");
    EXPECT_EQ(a.getaddline2(), "Apt 4");
    EXPECT_EQ(a.getOfficecode(), "0042");
    EXPECT_TRUE(a.getValidated());   // the source recipient's flag
}

struct Fatca {
    int32_t from, to;
    bool carried;
};
void PrintTo(const Fatca& f, std::ostream* os) { *os << f.from << " to " << f.to; }

class FatcaCarried : public ::testing::TestWithParam<Fatca> {};

TEST_P(FatcaCarried, FromTheSourceKindsFlagToTheTargetKinds) {
    const Fatca f = GetParam();
    RecipientInfo source;
    source.setType(f.from);
    source.setFATCA_MISC(f.from == 1);
    source.setFATCA_DIV(f.from == 2);
    source.setFATCA_INT(f.from == 3);
    source.setFATCA_R(f.from == 4);
    source.setFATCA_S(f.from == 5);
    source.setFATCA_NEC(f.from == 7);
    const RecipientInfo r = records::copiedRecipient(source, {}, f.to).info;
    const bool flags[] = {r.getFATCA_MISC(), r.getFATCA_DIV(), r.getFATCA_INT(), r.getFATCA_R(), r.FATCA_S(),
                          r.getFATCA_NEC()};
    const int32_t kinds[] = {1, 2, 3, 4, 5, 7};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(flags[i], f.carried && kinds[i] == f.to) << "kind " << kinds[i];
}

INSTANTIATE_TEST_SUITE_P(Kinds, FatcaCarried,
                         ::testing::Values(Fatca{1, 7, true}, Fatca{7, 1, true}, Fatca{2, 3, true},
                                           Fatca{4, 2, true}, Fatca{3, 4, true}, Fatca{1, 5, false},
                                           Fatca{5, 1, false}),
                         [](const ::testing::TestParamInfo<Fatca>& p) {
                             return "From" + std::to_string(p.param.from) + "To" + std::to_string(p.param.to);
                         });

TEST_F(RecipientCopy, IntoTheOpenDatabaseGoesToItsPayerOfKeyZero) {
    const int32_t key = addSource(1, "123-45-6789");
    const auto outcome = records::copyRecipient(cdb, key, 7, "Acme", listed({{"Acme", path}}));
    EXPECT_EQ(outcome.result, CopyResult::Copied);
    EXPECT_EQ(outcome.targetPath, path);
    const auto copies = cdb.getRecipients(0, 7);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].getFirstName(), "Maria");
    EXPECT_FALSE(copies[0].getValidated());
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(copies[0].getPK()).getlastname(), "Garcia");
    EXPECT_EQ(cdb.getRecipientInfo(key).getType(), 1);   // the source stays as it was
    EXPECT_TRUE(cdb.IsReady());
}

TEST_F(RecipientCopy, IntoAnotherFileWhichIsClosedAndNotMarkedInUseAfterwards) {
    const std::string other = secondFile("Beta");
    const int32_t key = addSource(3, "123456789");
    const auto outcome =
        records::copyRecipient(cdb, key, 3, "Beta", listed({{"Beta", home.file("gone 2025.db")}, {"Beta", other}}));
    EXPECT_EQ(outcome.result, CopyResult::Copied);
    EXPECT_EQ(outcome.targetPath, other);   // of equal names the last entry

    CompanyDatabase check;
    ASSERT_TRUE(check.Init(other, false, true, true, "Beta"));
    EXPECT_EQ(check.GetInUseCount(), 0);
    EXPECT_EQ(recipientsOf(check, 0, 3), 1);
    check.Close();
    EXPECT_EQ(recipientsOf(cdb, 0, 3), 0);
    EXPECT_FALSE(platform::fileExists(home.file("gone 2025.db")));
}

TEST_F(RecipientCopy, AListedEntryForTheOpenFileUnderAnotherNameIsWrittenOnTheOpenConnection) {
    CompanyDatabase marked;   // the open file as the program opens it: marked in use
    ASSERT_TRUE(marked.Init(path, true, true, true, "Acme"));
    ASSERT_TRUE(marked.SetName("Acme"));
    const int32_t key = addSource(1, "");
    EXPECT_EQ(records::copyRecipient(marked, key, 2, "Acme renamed", listed({{"Acme renamed", path}})).result,
              CopyResult::Copied);
    EXPECT_EQ(marked.GetInUseCount(), 1);
    EXPECT_EQ(recipientsOf(marked, 0, 2), 1);
    marked.Close();
}

struct Duplicate {
    const char* stored;
    const char* source;
    bool refused;
};
void PrintTo(const Duplicate& d, std::ostream* os) { *os << '"' << d.stored << "\" / \"" << d.source << '"'; }

class CopyDuplicates : public RecipientCopy, public ::testing::WithParamInterface<Duplicate> {};

TEST_P(CopyDuplicates, TaxpayerNumbersAreComparedWithoutDashes) {
    const Duplicate d = GetParam();
    addHolder(cdb, 7, d.stored);
    const int32_t key = addSource(1, d.source);
    const auto outcome = records::copyRecipient(cdb, key, 7, "Acme", {});
    EXPECT_EQ(outcome.result, d.refused ? CopyResult::Duplicate : CopyResult::Copied);
    EXPECT_EQ(recipientsOf(cdb, 0, 7), d.refused ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(Numbers, CopyDuplicates,
                         ::testing::Values(Duplicate{"123-45-6789", "123-45-6789", true},
                                           Duplicate{"123456789", "123-45-6789", true},
                                           Duplicate{"12-3456789", "123456789", true},
                                           Duplicate{"123-45-6780", "123-45-6789", false},
                                           Duplicate{"", "", false}, Duplicate{"-", "", false}),
                         [](const ::testing::TestParamInfo<Duplicate>& p) {
                             return std::string(p.param.refused ? "Refused" : "Copied") + std::to_string(p.index);
                         });

TEST_F(RecipientCopy, ADuplicateOfAnotherKindOrPayerIsNoDuplicate) {
    addHolder(cdb, 1, "123456789");   // payer 0, 1099-MISC
    const int32_t key = addSource(7, "123-45-6789");   // payer 1, 1099-NEC: the source itself
    EXPECT_EQ(records::copyRecipient(cdb, key, 7, "Acme", {}).result, CopyResult::Copied);
    EXPECT_EQ(records::copyRecipient(cdb, key, 1, "Acme", {}).result, CopyResult::Duplicate);
}

TEST_F(RecipientCopy, ATargetWithoutItsPayerOfKeyZeroGetsNothing) {
    const std::string other = secondFile("Empty", false);
    const int32_t key = addSource(1, "123456789");
    EXPECT_EQ(records::copyRecipient(cdb, key, 1, "Empty", listed({{"Empty", other}})).result, CopyResult::NoPayer);

    exec("delete from companies where pk = 0;");
    EXPECT_EQ(records::copyRecipient(cdb, key, 2, "Acme", {}).result, CopyResult::NoPayer);
    EXPECT_EQ(count("select count(*) from recipients"), 1);

    CompanyDatabase check;
    ASSERT_TRUE(check.Init(other, false, true, true, "Empty"));
    EXPECT_EQ(check.db->intForQuery("select count(*) from recipients"), 0);
    EXPECT_EQ(check.GetInUseCount(), 0);
    check.Close();
}

TEST_F(RecipientCopy, ATargetThatIsGoneOrCannotBeOpenedGetsNothing) {
    const int32_t key = addSource(1, "123456789");
    const std::string gone = home.file("Gone 2025.db");
    EXPECT_EQ(records::copyRecipient(cdb, key, 1, "Gone", listed({{"Gone", gone}})).result, CopyResult::TargetMissing);
    EXPECT_FALSE(platform::fileExists(gone));
    EXPECT_EQ(records::copyRecipient(cdb, key, 1, "Unlisted", listed({{"Gone", gone}})).result,
              CopyResult::TargetUnknown);

    const std::string junk = home.file("Junk 2025.db");
    std::ofstream(junk) << "this is not a database file, whatever its name says";
    ui.answerBox(2);   // the store says why it could not open the file
    EXPECT_EQ(records::copyRecipient(cdb, key, 1, "Junk", listed({{"Junk", junk}})).result,
              CopyResult::TargetNotOpened);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(recipientsOf(cdb, 0, 1), 0);
    EXPECT_EQ(records::copyRecipient(cdb, 999, 1, "Acme", {}).result, CopyResult::SourceMissing);
}

TEST_F(RecipientCopy, AFailedInsertStoresNeitherRecord) {
    const int32_t key = addSource(1, "123456789");
    block("insert", "recipients_additionalinfo");
    expectFailureBox();
    EXPECT_EQ(records::copyRecipient(cdb, key, 7, "Acme", {}).result, CopyResult::NotStored);
    EXPECT_EQ(count("select count(*) from recipients"), 1);
}

TEST_F(RecipientCopy, ATargetWhoseRecipientsCannotBeReadInFullGetsNothing) {
    // Enough recipients of payer 0 that the last page of the file is theirs alone.
    const std::string other = secondFile("Damaged");
    {
        CompanyDatabase fill;
        ASSERT_TRUE(fill.Init(other, false, true, true, "Damaged"));
        ASSERT_TRUE(fill.db->executeStatements(
            "with recursive n(k) as (select 0 union all select k + 1 from n where k < 399) "
            "insert into recipients (company_FK, pk, type, taxID, lastName) "
            "select 0, k, 7, printf('%09d', k), hex(randomblob(60)) from n;"));
        fill.Close();
    }
    std::string bytes;
    ASSERT_TRUE(platform::readFile(other, bytes));
    ASSERT_GT(bytes.size(), 8u * 4096);
    for (size_t i = bytes.size() - 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0xA5);
    ASSERT_TRUE(platform::writeFileAtomically(other, bytes));

    const int32_t key = addSource(1, "123-45-6789");
    ui.answerBox(1);   // the store says that the file could not be read in full
    EXPECT_EQ(records::copyRecipient(cdb, key, 7, "Damaged", listed({{"Damaged", other}})).result,
              CopyResult::ListUnreadable);
    CompanyDatabase check;
    ASSERT_TRUE(check.Init(other, false, true, true, "Damaged"));
    EXPECT_EQ(check.db->intForQuery("select count(*) from recipients_additionalinfo"), 0);
    EXPECT_EQ(check.db->intForQuery("select count(*) from recipients where pk >= 400"), 0);
    check.Close();
}

}  // namespace
