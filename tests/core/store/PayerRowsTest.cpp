#include "CompanyRowsFixture.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/COMPANYLISTSTRUCT.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/MailingLabelInfo.h"
#include "core/store/RecipientInfo.h"

namespace {

ComapnyInfo fullPayer(const std::string& name) {
    ComapnyInfo c;
    c.setName(name);
    c.setTaxID1("12-3456789");
    c.setAddress1("1 Main St");
    c.setCity1("Springfield");
    c.setState1("Oregon-OR");
    c.setZip1("97477");
    c.setPhone1("(503) 555-1212");
    c.setFax("503-555-1313");
    c.setEmail("pay@example.com");
    c.setContact("Pat Payer");
    c.setContactPhone("503-555-1414");
    c.setOregonBIN("OR-1234");
    c.setTaxIDIsSSN(true);
    c.setFinalFlag(true);
    c.setValidated(true);
    c.setCombineStateIRIS(true);
    c.setpayernametype("Business Name");
    c.setpayertintype("EIN");
    c.setpayersuffix("Jr");
    c.setpayerfirstname("Pat");
    c.setpayermiddleName("Q");
    c.setpayerlastname("Payer");
    c.setpayerphone_type("Domestic");
    c.setpayerbussinessadd2("Suite 2");
    c.setpayercountry("US");
    c.setmisctype("FIRE");
    c.setdivtype("IRIS");
    c.setinttype("FIRE");
    c.setrtype("IRIS");
    c.setstype("FIRE");
    c.setnectype("IRIS");
    return c;
}

void expectSamePayer(const ComapnyInfo& a, const ComapnyInfo& b) {
    EXPECT_EQ(a.getName(), b.getName());
    EXPECT_EQ(a.getTaxID1(), b.getTaxID1());
    EXPECT_EQ(a.getAddress(), b.getAddress());
    EXPECT_EQ(a.getCity(), b.getCity());
    EXPECT_EQ(a.getState(), b.getState());
    EXPECT_EQ(a.getZip(), b.getZip());
    EXPECT_EQ(a.getPhone(), b.getPhone());
    EXPECT_EQ(a.getFax(), b.getFax());
    EXPECT_EQ(a.getEmail(), b.getEmail());
    EXPECT_EQ(a.getContact(), b.getContact());
    EXPECT_EQ(a.getContactPhone(), b.getContactPhone());
    EXPECT_EQ(a.getOregonBIN(), b.getOregonBIN());
    EXPECT_EQ(a.getTaxIDIsSSN(), b.getTaxIDIsSSN());
    EXPECT_EQ(a.getFinalFlag(), b.getFinalFlag());
    EXPECT_EQ(a.getValidated(), b.getValidated());
    EXPECT_EQ(a.getCombineStateIRIS(), b.getCombineStateIRIS());
    EXPECT_EQ(a.getpayernametype(), b.getpayernametype());
    EXPECT_EQ(a.getpayertintype(), b.getpayertintype());
    EXPECT_EQ(a.getpayersuffix(), b.getpayersuffix());
    EXPECT_EQ(a.getfirstname(), b.getfirstname());
    EXPECT_EQ(a.getmiddleName(), b.getmiddleName());
    EXPECT_EQ(a.getpayerlastname(), b.getpayerlastname());
    EXPECT_EQ(a.getphone_type(), b.getphone_type());
    EXPECT_EQ(a.getbussinessadd2(), b.getbussinessadd2());
    EXPECT_EQ(a.getpayercountry(), b.getpayercountry());
    EXPECT_EQ(a.getmisctype(), b.getmisctype());
    EXPECT_EQ(a.getdivtype(), b.getdivtype());
    EXPECT_EQ(a.getinttype(), b.getinttype());
    EXPECT_EQ(a.getrtype(), b.getrtype());
    EXPECT_EQ(a.getstype(), b.getstype());
    EXPECT_EQ(a.getnectype(), b.getnectype());
}

}  // namespace

using PayerRows = CompanyRowsTest;

TEST_F(PayerRows, EveryColumnRoundTripsAndTheTaxpayerNumberIsStoredScrambled) {
    const ComapnyInfo payer = fullPayer("Acme");
    ASSERT_TRUE(cdb.insertCompanyInfo(payer));
    ASSERT_EQ(cdb.getCompanyPK(), 0);

    const ComapnyInfo read = cdb.getCompanyInfo1(0);
    EXPECT_EQ(read.getPK(), 0);
    expectSamePayer(payer, read);
    EXPECT_EQ(single("select taxID from companies where pk = 0"), tvDatabase::Encrypt("12-3456789"));

    ComapnyInfo changed = fullPayer("Acme Two");
    changed.setPK(0);
    changed.setTaxID1("98-7654321");
    changed.setTaxIDIsSSN(false);
    changed.setFinalFlag(false);
    changed.setValidated(false);
    changed.setCombineStateIRIS(false);
    changed.setnectype("FIRE");
    ASSERT_TRUE(cdb.updateCompanyInfo(changed));
    expectSamePayer(changed, cdb.getCompanyInfoIRIS(0));
}

TEST_F(PayerRows, KeysAreTheLargestPlusOne) {
    EXPECT_EQ(cdb.getCompanyPK(), -1);
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("A")));
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("B")));
    EXPECT_EQ(cdb.getCompanyPK(), 1);

    ComapnyInfo b;
    b.setPK(1);
    ASSERT_TRUE(cdb.deleteCompany(b));
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("C")));
    EXPECT_EQ(cdb.getCompanyPK(), 1);

    ComapnyInfo a;
    a.setPK(0);
    ASSERT_TRUE(cdb.deleteCompany(a));
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("D")));
    EXPECT_EQ(cdb.getCompanyPK(), 2);
    EXPECT_EQ(cdb.GetCompanyList(), (std::vector<int32_t>{1, 2}));
}

TEST_F(PayerRows, AMissingKeyReadsAsAnEmptyRecord) {
    const ComapnyInfo c = cdb.getCompanyInfo1(7);
    EXPECT_EQ(c.getPK(), -1);
    EXPECT_EQ(c.getName(), "");
    EXPECT_FALSE(c.getValidated());
}

TEST_F(PayerRows, ARowWithoutIrisDataReadsEmptyTexts) {
    exec("insert into companies (pk, name, taxID) values (0, 'Old', '');");
    const ComapnyInfo c = cdb.getCompanyInfo1(0);
    EXPECT_EQ(c.getName(), "Old");
    EXPECT_EQ(c.getpayernametype(), "");
    EXPECT_EQ(c.getmisctype(), "");
}

TEST_F(PayerRows, CompanyListFiltersAndSorts) {
    for (const char* name : {"Smith", "smooth", "Keith Co", "O'Brien", "Smyth"})
        ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer(name)));

    struct Case {
        std::string filter;
        int32_t order;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"sm*th", 0, {"Smith", "smooth", "Smyth"}},
        {"ith", 0, {"Keith Co", "Smith"}},
        {"ith", 1, {"Smith", "Keith Co"}},
        {"ith", 2, {"Keith Co", "Smith"}},
        {"O'B", 0, {"O'Brien"}},
        {"", 0, {"Keith Co", "O'Brien", "Smith", "smooth", "Smyth"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names;
        for (const auto& p : cdb.execCompanyListQuery(c.filter, c.order)) names.push_back(p.getName());
        EXPECT_EQ(names, c.names) << "filter " << c.filter << " order " << c.order;
    }
}

TEST_F(PayerRows, CompanyListEntriesCarryKeyNameAndPosition) {
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("Zed")));
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("Abe")));
    std::vector<COMPANYLISTSTRUCT> list(3);
    ASSERT_EQ(cdb.GetCompanyList(list, true), 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].CompanyPK(), 0);
    EXPECT_EQ(list[0].companyName(), "Zed");
    EXPECT_EQ(list[1].locationInList(), 1);
    EXPECT_EQ(cdb.GetCompanyList1(list, true), 2);
}

TEST_F(PayerRows, APayerWithRecipientsIsNotDeleted) {
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("Acme")));
    RecipientInfo r;
    r.setCompany_FK(0);
    r.setType(7);
    ASSERT_TRUE(cdb.insertRecipientInfo(r));

    ui.answerBox(2);
    ComapnyInfo payer;
    payer.setPK(0);
    EXPECT_FALSE(cdb.deleteCompany(payer));
    EXPECT_EQ(session().CompanyDeleted, 0);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].title, "Company Delete Error");
    EXPECT_EQ(ui.boxes()[0].image, 2048);
    EXPECT_EQ(cdb.getCompanyInfo1(0).getName(), "Acme");
}

TEST_F(PayerRows, DeletingAPayerTakesItsLabelRowSoALaterPayerStartsFresh) {
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("A")));
    MailingLabelInfo label = cdb.SelectMailingLabelInfo(0);
    ASSERT_EQ(label.getCompanyFK(), 0);
    label.setLeft("0.75");
    ASSERT_TRUE(cdb.updateMailingLabelInfo(label));

    ComapnyInfo a;
    a.setPK(0);
    ASSERT_TRUE(cdb.deleteCompany(a));
    EXPECT_EQ(session().CompanyDeleted, 1);
    EXPECT_EQ(count("select count(*) from mailinglabel"), 0);

    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("B")));
    ASSERT_EQ(cdb.getCompanyPK(), 0);
    EXPECT_EQ(cdb.SelectMailingLabelInfo(0).getLeft(), "0.30");
}

TEST_F(PayerRows, IrisDataGoesToThePayersOwnRow) {
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("First")));
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("Second")));

    ComapnyInfo second = cdb.getCompanyInfo1(1);
    second.setpayerlastname("Changed");
    second.setnectype("FIRE");  // filing methods are not written here
    ASSERT_TRUE(cdb.updateAdditioninfo(second));
    EXPECT_EQ(second.getPK(), 1);
    EXPECT_EQ(cdb.getCompanyInfo1(1).getpayerlastname(), "Changed");
    EXPECT_EQ(cdb.getCompanyInfo1(1).getnectype(), "IRIS");
    EXPECT_EQ(cdb.getCompanyInfo1(0).getpayerlastname(), "Payer");

    ComapnyInfo fresh = fullPayer("Third");
    ASSERT_TRUE(cdb.updateAdditioninfo(fresh));
    EXPECT_EQ(fresh.getPK(), 2);
    EXPECT_EQ(cdb.getCompanyInfo1(2).getName(), "Third");
    EXPECT_EQ(cdb.SelectMailingLabelInfo(2).getCompanyFK(), 2);
    EXPECT_EQ(cdb.getCompanyInfo1(0).getName(), "First");
}

TEST_F(PayerRows, AFailedWriteStoresNothingAndSaysSo) {
    ASSERT_TRUE(cdb.insertCompanyInfo(fullPayer("Kept")));
    block("insert", "mailinglabel");
    block("update", "companies");

    expectFailureBox();
    EXPECT_FALSE(cdb.insertCompanyInfo(fullPayer("Lost")));
    EXPECT_EQ(count("select count(*) from companies"), 1);

    expectFailureBox();
    ComapnyInfo kept = cdb.getCompanyInfo1(0);
    kept.setName("Renamed");
    EXPECT_FALSE(cdb.updateCompanyInfo(kept));
    EXPECT_EQ(cdb.getCompanyInfo1(0).getName(), "Kept");

    for (const auto& box : ui.boxes()) {
        EXPECT_EQ(box.caption, "Company Database Error!");
        EXPECT_NE(box.details.find("blocked by test"), std::string::npos) << box.details;
    }
    EXPECT_FALSE(cdb.db->isInTransaction());
}

TEST_F(PayerRows, AreaCodeIsTheFirstThreeDigits) {
    ComapnyInfo c;
    c.setPhone1("(503) 555-1212");
    EXPECT_EQ(c.getAreaCode(), "503");
    EXPECT_EQ(c.getNonAreaCode(), "5551212");
    c.setPhone1("5-0");
    EXPECT_EQ(c.getAreaCode(), "50");
    EXPECT_EQ(c.getNonAreaCode(), "");
}

TEST_F(PayerRows, LoginNamesAreCheckedExactly) {
    EXPECT_TRUE(cdb.isNameTaken("Harbour"));
    EXPECT_FALSE(cdb.isNameTaken("harbour"));
    EXPECT_FALSE(cdb.isNameTaken("O'Hara"));
}
