// Golden files: the FIRE file, the five 1099-NEC state files and the IRIS files of one
// company database, compared byte for byte with the files kept under
// tests/fixtures/golden/. A change to a writer shows as a failing comparison that names
// the first record (or line), position (or column) and field that differ; the expected
// file is then changed by hand in a commit that names the field and why. This test never
// writes the expected files; it keeps what it built under test-output/efile/ and
// test-output/iris/ for comparing and reviewing.
//
// The writers take no clock: no record or column carries the day of the run, so the
// fixture alone fixes every byte. The dates in the files (1099-R date of payment,
// 1099-S date of closing) are the stored ones.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EFileTestSupport.h"
#include "FireFileReader.h"
#include "StateFileReader.h"
#include "core/efile/EFile.h"
#include "core/efile/EFile_NEC.h"
#include "core/efile/FireVendor.h"
#include "core/efile/IrisExport.h"
#include "core/efile/IrisFile.h"
#include "core/import/ImportCodes.h"
#include "core/import/ImportFixture.h"
#include "core/import/RecipientImport.h"
#include "core/store/Company.h"
#include "core/store/Recipient.h"

namespace {

namespace fs = std::filesystem;

fs::path goldenFolder() { return fs::path(TALVEXA_TEST_FIXTURES_DIR) / "golden"; }

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string testName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    return name;
}

// ---- the fixture --------------------------------------------------------------------
//
// Three payers, made as the payer windows store them:
// - key 0 "Zero Street Bakery, Inc." files through IRIS (the IRIS flow works on key 0
//   only): a business with an EIN, an empty second address line, its combined-filing
//   box on;
// - key 1 "Bluegrass Tooling & Die" (Kentucky) files through FIRE: every form kind;
// - key 2 "Marisol Peña" (Texas, an individual with an SSN) files through FIRE.
// Recipients are stored through the store as the entry windows store them (an
// individual's LastName holding the payer's name, as those windows leave it), some with
// amount texts as older imports kept them ("1500", "1,500", "12.5"), and the 1099-NEC
// recipients of payers 0 and 1 come through the recipient import of a CSV file.

class Golden : public ImportTest {
protected:
    void SetUp() override {
        ImportTest::SetUp();
        openCompany("Golden", {});
        addPayers();
        addFireRecipients();
        addIrisRecipients();
    }

    void addPayers() {
        ComapnyInfo zero;
        zero.setName("Zero Street Bakery, Inc.");
        zero.setTaxID1("36-1234567");
        zero.setTaxIDIsSSN(false);
        zero.setAddress1("12 Zero St.");
        zero.setCity1("Chicago");
        zero.setState1("Illinois-IL");
        zero.setZip1("60601-1234");
        zero.setPhone1("312-555-0100");
        for (auto set : {&ComapnyInfo::setMISC_type, &ComapnyInfo::setDIV_type, &ComapnyInfo::setINT_type,
                         &ComapnyInfo::setR_type, &ComapnyInfo::setS_type, &ComapnyInfo::setNEC_type})
            (zero.*set)("IRIS");
        ASSERT_TRUE(cdb()->insertCompanyInfo(zero));
        ASSERT_EQ(cdb()->getCompanyPK(), 0);
        // The IRIS window's fields, saved as its Submit saves them.
        zero = cdb()->getCompanyInfoIRIS(0);
        zero.setPayernametype("Business Name");
        zero.setPayertintype("EIN");
        zero.setPayerphone_type("Domestic");
        zero.setPayerbussinessadd2("");
        zero.setpayercountry("United States");
        zero.setCombineStateIRIS(true);
        zero.setValidated(true);
        ASSERT_TRUE(cdb()->updateAdditioninfo(zero));

        ComapnyInfo bluegrass;
        bluegrass.setName("Bluegrass Tooling & Die");
        bluegrass.setTaxID1("61-7654321");
        bluegrass.setAddress1("400 W. Main Street, Suite 2");
        bluegrass.setCity1("Louisville");
        bluegrass.setState1("Kentucky-KY");
        bluegrass.setZip1("40202");
        bluegrass.setPhone1("(502) 555-0142");
        ASSERT_TRUE(cdb()->insertCompanyInfo(bluegrass));

        ComapnyInfo marisol;
        marisol.setName("Marisol Peña");
        marisol.setTaxID1("123-45-6780");
        marisol.setTaxIDIsSSN(true);
        marisol.setAddress1("7 Río Grande Blvd");
        marisol.setCity1("El Paso");
        marisol.setState1("Texas-TX");
        marisol.setZip1("79901");
        marisol.setPhone1("915-555-0123");
        marisol.setFinalFlag(true);
        ASSERT_TRUE(cdb()->insertCompanyInfo(marisol));
        ASSERT_EQ(cdb()->getCompanyPK(), 2);
    }

    // A recipient as the entry windows store it: an individual's LastName holds the
    // payer's name; an individual's surname is in the additional data.
    struct Entry {
        RecipientInfo r;
        RecipientAdditionalInfo a;
    };
    Entry individual(int32_t payer, int32_t kind, const std::string& first, const std::string& middle,
                     const std::string& surname, const std::string& payerName) {
        Entry e;
        e.r.setCompany_FK(payer);
        e.r.setType(kind);
        e.r.setFirstName(first);
        e.r.setLastName(payerName);
        e.r.setValidated(true);
        e.a.setCompany_FK(payer);
        e.a.setType(kind);
        e.a.setname_typee("Individual");
        e.a.settin_type("SSN");
        e.a.setmiddleName(middle);
        e.a.setlastname(surname);
        return e;
    }
    Entry business(int32_t payer, int32_t kind, const std::string& name) {
        Entry e;
        e.r.setCompany_FK(payer);
        e.r.setType(kind);
        e.r.setLastName(name);
        e.r.setValidated(true);
        e.a.setCompany_FK(payer);
        e.a.setType(kind);
        e.a.setname_typee("Business Name");
        e.a.settin_type("EIN");
        return e;
    }
    static void address(Entry& e, const std::string& street, const std::string& city, const std::string& state,
                        const std::string& zip) {
        e.r.setAddress(street);
        e.r.setCity(city);
        e.r.setState(state);
        e.r.setZip(zip);
        e.r.setCountry("United States");
    }
    static void abroad(Entry& e, const std::string& street, const std::string& city, const std::string& province,
                       const std::string& postalCode, const std::string& country) {
        e.r.setAddressIsNotUSTerritory(true);
        e.r.setAddress(street);
        e.r.setCity(city);
        e.r.setState(province);
        e.r.setZip(postalCode);
        e.r.setCountry(country);
    }
    void store(Entry& e) { ASSERT_TRUE(cdb()->insertRecipientInfo(e.r, e.a)); }

    // The recipient import of a CSV file (1099-NEC) for a payer, as the import window runs it.
    void importNec(int32_t payer, const std::string& name, const std::vector<std::string>& lines) {
        importRecipients(payer, 7, name, necColumns(), lines);
    }
    static const std::vector<std::string>& necColumns() {
        static const std::vector<std::string> columns = {
            "Recipient's Name Type", "Business Name", "First Name", "Middle Name", "Last Name(Surname)",
            "Recipient Tax Payer ID", "Address Line 1", "City", "State", "ZIP Code", "Country",
            "Address not in U.S. - Checkbox", "Account Number", "Void - Checkbox", "Corrected - Checkbox",
            "Box 1: Nonemployee compensation", "Box 4: Federal income tax Withheld", "Box 5A - Top: State ",
            "Box 5 - Top: State tax withheld", "Box 6 - Top: State/Payer's state no.", "Box 7 - Top: State income",
            "Box 8 - Top: State Local income tax withheld "};
        return columns;
    }
    void importRecipients(int32_t payer, int32_t kind, const std::string& name,
                          const std::vector<std::string>& columns, const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        session()._type = kind;
        session().CPK = payer;
        ui->answerOpenFile(writeFile(name, text));
        // The records that the entry windows must complete are listed; the import goes on.
        ui->answerImportErrors(kImportErrorsOKCode);
        ui->answerBox(kMessageAnswerOkYes);
        ASSERT_EQ(imports::runRecipientImport(imports::RecipientReader::Csv, columns), imports::kImportCompletedCode);
        freshUi();
    }

    void addFireRecipients() {
        const std::string payer = "Bluegrass Tooling & Die";

        // 1099-MISC: an individual in Kentucky with accented names and amounts kept as
        // typed by an older import; a void business beside it.
        Entry misc = individual(1, 1, "José", "Ángel", "Núñez", payer);
        address(misc, "18 Bourbon St.", "Frankfort", "Kentucky-KY", "40601");
        misc.r.setTaxID("401-22-3333");
        misc.r.setAccountNumber("KY-MISC-0001");
        misc.r.setLine1_Misc("1500");
        misc.r.setLine3_Misc("12.5");
        misc.r.setLine4_Misc("150.00");
        misc.r.setLine16_1_Misc("30.00");
        misc.r.setLine17_1_Misc("KY/123456");
        misc.r.setLine18_1_Misc("1500.00");
        store(misc);

        Entry voidMisc = business(1, 1, "Void Vending LLC");
        address(voidMisc, "1 Void Way", "Lexington", "Kentucky-KY", "40507");
        voidMisc.r.setTaxID("61-0000001");
        voidMisc.r.setLine1_Misc("3000.00");
        voidMisc.r.setVoided(true);
        voidMisc.a.setVoided(true);
        store(voidMisc);

        // 1099-DIV: a corrected business in Wisconsin.
        Entry div = business(1, 2, "Cardinal Holdings & Co.");
        address(div, "55 Lake Dr.", "Madison", "Wisconsin-WI", "53703-0055");
        div.r.setTaxID("39-5550055");
        div.r.setDiv_Line1a("1,500");
        div.r.setDiv_Line1b("1,000.00");
        div.r.setDiv_Line4("10.00");
        div.r.setCorrected(true);
        div.a.setCorrected(true);
        store(div);

        // 1099-INT: an individual in France (a province, not a state).
        Entry interest = individual(1, 3, "Élodie", "", "Lefèvre", payer);
        abroad(interest, "8 rue de Rivoli", "Paris", "Île-de-France", "75001", "France");
        interest.r.setTaxID("900-70-1234");
        interest.r.setInt_Line1("12.5");
        interest.r.setInt_Line7("France");
        interest.r.setInt_payerRTN("071000013");
        store(interest);

        // 1099-R: an individual in Kentucky, box 2a kept as typed, a bare "KY" prefix.
        Entry r = individual(1, 4, "Ruth", "", "O'Brien", payer);
        address(r, "3 Derby Ln", "Owensboro", "Kentucky-KY", "42301");
        r.r.setTaxID("402-33-4444");
        r.r.setR_Line1("2,500.00");
        r.r.setR_Line2a("2500");
        r.r.setR_Line4("250.00");
        r.r.setR_Line7("7");
        r.r.setR_Line7_Checkbox(true);
        r.r.setR_Line9a(-1);
        r.r.setR_Line11(2015);
        r.r.setR_DateOfPayment("3/15/2025");
        r.r.setR_Line12_1("25.00");
        r.r.setR_Line13_1("KY12345");
        store(r);

        // 1099-S: a business transferor with the state "None".
        Entry s = business(1, 5, "River Bend Estates LLC");
        address(s, "9 River Rd", "Paducah", "None", "42001");
        s.r.setTaxID("61-9990009");
        s.r.setS_Line1("4/1/2025");
        s.r.setS_Line2("250,000.00");
        s.r.setS_Address_Line3("9 River Rd");
        s.r.setS_City_Line3("Paducah");
        s.r.setS_State_Line3("Kentucky-KY");
        s.r.setS_Zip_Line3("42001");
        store(s);

        // A 1099-DIV and a 1099-INT payee in Kentucky: their state IDs lose their "KY-"
        // and "KY/" prefixes as every kind's do.
        Entry divKy = individual(1, 2, "Kenji", "", "Abe", payer);
        address(divKy, "2 Paris Pike", "Lexington", "Kentucky-KY", "40511");
        divKy.r.setTaxID("401-88-9999");
        divKy.r.setDiv_Line1a("100");
        divKy.r.setDiv_Line13_1("KY-778899");
        divKy.r.setDiv_Line14_1("5.00");
        store(divKy);

        Entry intKy = individual(1, 3, "Lena", "", "Hart", payer);
        address(intKy, "10 Hart Ln", "Bowling Green", "Kentucky-KY", "42101");
        intKy.r.setTaxID("401-66-7777");
        intKy.r.setInt_Line1("50");
        intKy.r.setInt_payerRTN("071000013");
        intKy.r.setInt_Line14_1("KY/445566");
        intKy.r.setInt_Line15_1("2.50");
        store(intKy);

        // 1099-NEC through the import: one payee in each state of the state files (a void
        // one in Kentucky), one abroad and one with the state "None".
        importNec(1, "bluegrass-nec.csv",
                  {"I,,Zoë,,Brontë,401-55-6666,22 Elm St,Covington,KY,41011,United States,0,KY-NEC-01,0,0,1500,,KY,25,"
                   "KY/998877,,",
                   "I,,Victor,,Voss,401-77-8888,5 Void Ct,Covington,KY,41011,United States,0,,1,0,900,,KY,,,,",
                   "B,Pine Tree Design,,,,01-2345678,4 Harbor Rd,Portland,ME,04101,United States,0,,0,0,\"1,500\",,ME,"
                   "45.5,ME-1234,,",
                   "I,,Nadia,,Çelik,240-11-2222,9 Oak Ave,Raleigh,NC,27601,United States,0,ACCT-NC-0001,0,0,12.5,,NC,"
                   "1.25,600123456,12.50,",
                   "I,,Okla,,Homer,440-12-3434,1 Sooner Way,Tulsa,OK,74103,United States,0,,0,0,\"2,000\",200,,,,,",
                   "I,,Wendell,,Wiśniewski,390-45-6767,12 Badger Rd,Milwaukee,WI,53202,United States,0,,0,0,750,,,,,,",
                   "I,,Émile,,Côté,,77 King St W,Toronto,Ontario,M5V 2T6,Canada,1,,0,0,1000,,,,,,",
                   "B,Nowhere Consulting,,,,61-4040404,1 Null Rd,Nowhere,None,00000,United States,0,,0,0,500,,,,,,"});

        // A 1099-NEC individual entered in the windows (LastName holds the payer's name).
        Entry maeve = individual(1, 7, "Maeve", "", "O'Sullivan", payer);
        address(maeve, "6 Lighthouse Rd", "Bangor", "Maine-ME", "04401");
        maeve.r.setTaxID("004-12-3456");
        maeve.r.setLine1_NEC("800.00");
        maeve.r.setLine5_1_NEC("20.00");
        store(maeve);

        // Payer 2: a corrected 1099-NEC payee in Oklahoma, a 1099-MISC business in Texas.
        Entry tomas = individual(2, 7, "Tomás", "", "Ruiz", "Marisol Peña");
        address(tomas, "40 Route 66", "Oklahoma City", "Oklahoma-OK", "73102");
        tomas.r.setTaxID("440-98-7654");
        tomas.r.setLine1_NEC("1500.00");
        tomas.r.setLine5_1_NEC("15.00");
        tomas.r.setCorrected(true);
        tomas.a.setCorrected(true);
        store(tomas);

        Entry rentals = business(2, 1, "Lone Star Rentals");
        address(rentals, "100 Alamo Plaza", "San Antonio", "Texas-TX", "78205");
        rentals.r.setTaxID("74-1231231");
        rentals.r.setLine1_Misc("1,200.00");
        store(rentals);
    }

    void addIrisRecipients() {
        const std::string payer = "Zero Street Bakery, Inc.";

        Entry misc = individual(0, 1, "Ana", "", "Müller", payer);
        address(misc, "5 Lake Shore Dr., Apt #4", "Cleveland", "Ohio-OH", "44114-2020");
        misc.r.setTaxID("300-10-2000");
        misc.r.setAccountNumber("MISC-0001");
        misc.r.setLine1_Misc("1500");
        misc.r.setLine2_Misc("1,500");
        misc.r.setLine3_Misc("12.5");
        misc.r.setLine16_1_Misc("15.00");
        misc.r.setLine17_1_Misc("OH/1234-5");
        misc.r.setLine18_1_Misc("1500.00");
        misc.a.setTopState_M("Ohio-OH");
        misc.a.setline19_1_Misc("INVALID");
        misc.a.setline20_1_Misc("Say \"hi\"");
        misc.a.setOfficecode("00123");
        store(misc);

        Entry div = business(0, 2, "Maple Leaf Trust");
        abroad(div, "1 Rue Sainte-Catherine", "Montréal", "Québec", "H3B 1A7", "Canada");
        div.r.setTaxID("98-7000001");
        div.r.setDiv_Line1a("1,500");
        div.r.setDiv_Line7("Canada");
        store(div);

        Entry interest = individual(0, 3, "Björn", "", "Ødegaard", payer);
        address(interest, "12 Badger Rd", "Milwaukee", "Wisconsin-WI", "53202");
        interest.r.setTaxID("390-12-3434");
        interest.r.setInt_Line1("12.5");
        interest.r.setInt_Line13_1("Wisconsin-WI");
        interest.r.setInt_Line15_1("1.00");
        store(interest);

        Entry r = individual(0, 4, "Ruth", "", "Ng", payer);
        address(r, "3 Derby Ln", "Owensboro", "Kentucky-KY", "42301");
        r.r.setTaxID("402-33-5555");
        r.r.setR_Line1("12.5");
        r.r.setR_Line2a("12.50");
        r.r.setR_Line7("g");
        r.r.setR_Line8_Percentage(-2);
        r.r.setR_Line9a(-1);
        r.r.setR_Line11(2019);
        r.r.setR_DateOfPayment("3/15/2025");
        store(r);

        Entry s = business(0, 5, "Lakefront Realty, LLC");
        address(s, "700 N Michigan Ave", "Chicago", "Illinois-IL", "60611");
        s.r.setTaxID("36-7000007");
        s.r.setS_Line1("4/1/2025");
        s.r.setS_Line2("350000");
        s.r.setS_Address_Line3("9 River Rd");
        s.r.setS_City_Line3("Paducah");
        s.r.setS_State_Line3("Kentucky-KY");
        s.r.setS_Zip_Line3("42001");
        store(s);

        importNec(0, "zero-nec.csv",
                  {"I,,Zoë,,Brontë,401-55-6666,22 Elm St,Covington,KY,41011,United States,0,NEC-01,0,0,1500,,OK,12.5,"
                   "OK/99,,\"1,500\"",
                   "B,\"Acme, Ltd.\",,,,36-1111111,1 Acme Way,Springfield,IL,62701,United States,0,,0,1,\"1,500\",,,,,,",
                   "I,,Victor,,Voss,401-77-8888,5 Void Ct,Covington,KY,41011,United States,0,,1,0,900,,,,,,",
                   "I,,Émile,,Côté,,77 King St W,Toronto,Ontario,M5V 2T6,Canada,1,,0,0,1000,,,,,,",
                   "I,,Nora,,Lind,401-99-1234,\"2 Oak\r\nSuite 5\",Covington,KY,41011,United States,0,,0,0,300,,,,,,"});

        // A 1099-R whose spreadsheet wrote its date of payment in the ISO form.
        importRecipients(0, 4, "zero-r.csv",
                         {"Recipient's Name Type", "Business Name", "First Name", "Middle Name", "Last Name(Surname)",
                          "Recipient Tax Payer ID", "Address Line 1", "City", "State", "ZIP Code", "Country",
                          "Date of payment", "Box 1: Gross distribution", "Box 7: Distribution codes"},
                         {"I,,Iris,,Osei,402-44-6666,8 Derby Ln,Owensboro,KY,42301,United States,2025-03-15,100,7"});
    }

    // The keys of a payer's recipients of a kind, by key (the main window's selection).
    std::vector<int32_t> keysOf(int32_t payer, int32_t kind) {
        std::vector<int32_t> keys;
        for (const RecipientInfo& r : cdb()->getRecipients(payer, kind)) keys.push_back(r.getPK());
        return keys;
    }

    // The FIRE payers 1 and 2 selected, no recipient: all of their recipients by key.
    void selectFirePayers() {
        session().comp_details = std::make_shared<Company>();
        session().recp_details = std::make_shared<Recipient>();
        session().comp_details->setSelectedCompanies({1, 2});
        session().numberSelections = 2;
    }

    static E_FileInfo transmitter(bool combined, const std::string& necState) {
        E_FileInfo t = firetest::transmitter(combined);
        t.setNECState(necState);
        t.setTest(true);
        return t;
    }

    // Builds the file into a temporary folder; its bytes.
    template <typename Writer>
    std::string build(Writer& writer, const E_FileInfo& t) {
        const std::string path = home.file("out.txt");
        const EFileResult result = writer.Populate(t, path);
        EXPECT_TRUE(result.ok()) << result.message;
        std::string bytes;
        EXPECT_TRUE(platform::readFile(path, bytes));
        return bytes;
    }
};

// ---- comparing ----------------------------------------------------------------------

// The expected FIRE or state file. It is kept with a line feed after each record, so
// that a change shows as a change of one record line; the line feeds are not part of
// the file, which holds its 750-byte records without any separator.
std::string expectedFireFile(const std::string& name) {
    const std::string kept = readBytes(goldenFolder() / name);
    std::string file;
    std::istringstream lines(kept);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        EXPECT_EQ(line.size(), 750u) << name << ": line " << number << " is no 750-byte record";
        file += line;
    }
    return file;
}

// The maker data of the T record (positions 519-704) as a build's configuration sets
// it. The expected files hold the placeholders of a build that sets none; a build
// with the real maker data compares its own there.
std::string vendorBlock(std::string_view name, std::string_view address, std::string_view city,
                        std::string_view state, std::string_view zip, std::string_view contact,
                        std::string_view phone) {
    std::string block;
    auto put = [&block](std::string_view value, std::size_t width) {
        std::string field(value);
        field.resize(width, ' ');
        block += field;
    };
    put(name, 40);
    put(address, 40);
    put(city, 40);
    put(state, 2);
    put(zip, 9);
    put(contact, 40);
    put(phone, 15);
    return block;
}

void useBuildsMakerData(std::string& file) {
    const std::string placeholders = vendorBlock("TALVEXA SOFTWARE", "VENDOR ADDRESS", "VENDOR CITY", "NY",
                                                 "000000000", "VENDOR CONTACT", "0000000000");
    if (file.size() < 750 || file.compare(518, placeholders.size(), placeholders) != 0) {
        ADD_FAILURE() << "the expected T record does not hold the placeholder maker data at 519-704";
        return;
    }
    file.replace(518, placeholders.size(),
                 vendorBlock(firevendor::kName, firevendor::kMailingAddress, firevendor::kCity, firevendor::kState,
                             firevendor::kZip, firevendor::kContactName, firevendor::kContactPhone));
}

// The field of a record that covers a position, by the readers' field tables; a field
// of one position when none does.
firetest::Field fieldAt(const firetest::Record& record, int position, bool stateFile) {
    const std::vector<firetest::Field> fields =
        stateFile ? statetest::stateFieldsOf(record) : firetest::fieldsOf(record);
    for (const auto& f : fields)
        if (position >= f.first && position <= f.last) return f;
    return {"no field", position, position};
}

// Compares a built FIRE or state file with its expected file; fails naming the first
// record and position that differ, the field there and both texts of the field from
// that position on.
void compareFireFile(const std::string& built, const std::string& goldenName, bool stateFile) {
    std::string expected = expectedFireFile(goldenName);
    useBuildsMakerData(expected);
    if (built == expected) return;
    const std::size_t n = std::min(built.size(), expected.size());
    std::size_t at = 0;
    while (at < n && built[at] == expected[at]) ++at;
    if (at == n) {
        ADD_FAILURE() << goldenName << ": the built file has " << built.size() / 750 << " records, the expected "
                      << expected.size() / 750;
        return;
    }
    const std::size_t recordStart = at - at % 750;
    firetest::Record record{expected[recordStart], 0, expected.substr(recordStart, 750)};
    // The form kind of a B, C or K record, from the A record before it.
    for (std::size_t a = recordStart; a >= 750 && record.type != 'T' && record.type != 'A';) {
        a -= 750;
        if (expected[a] == 'A') {
            record.kind = firetest::kindOfReturn(expected.substr(a + 25, 2));
            break;
        }
    }
    const int position = static_cast<int>(at % 750) + 1;
    const firetest::Field field = fieldAt(record, position, stateFile);
    const std::size_t length = static_cast<std::size_t>(field.last - position + 1);
    ADD_FAILURE() << goldenName << ": record " << recordStart / 750 + 1 << " (" << record.type << "), position "
                  << position << " (field " << field.name << ", " << field.first << "-" << field.last
                  << "): expected \"" << expected.substr(at, length) << "\", built \"" << built.substr(at, length)
                  << "\"";
}

// A CSV line's fields (RFC 4180 quotes kept as written).
std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

// Compares a built IRIS file with its expected file (kept exactly as written); fails
// naming the first line and column that differ, with the column's title.
void compareIrisFile(const std::string& built, const std::string& goldenName) {
    const std::string expected = readBytes(goldenFolder() / goldenName);
    if (built == expected) return;
    const std::vector<std::string> want = linesOf(expected);
    const std::vector<std::string> got = linesOf(built);
    const std::vector<std::string> titles = csvFields(want.front());
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        if (i >= want.size() || i >= got.size()) {
            ADD_FAILURE() << goldenName << ": the built file has " << got.size() << " lines, the expected "
                          << want.size();
            return;
        }
        if (want[i] == got[i]) continue;
        const std::vector<std::string> w = csvFields(want[i]);
        const std::vector<std::string> g = csvFields(got[i]);
        for (std::size_t c = 0; c < std::max(w.size(), g.size()); ++c) {
            const std::string wc = c < w.size() ? w[c] : "(none)";
            const std::string gc = c < g.size() ? g[c] : "(none)";
            if (wc == gc) continue;
            ADD_FAILURE() << goldenName << ": line " << i + 1 << ", column " << c + 1 << " ("
                          << (c < titles.size() ? titles[c] : "no title") << "): expected \"" << wc << "\", built \""
                          << gc << "\"";
            return;
        }
        ADD_FAILURE() << goldenName << ": line " << i + 1 << " differs";
        return;
    }
    ADD_FAILURE() << goldenName << ": the files differ";
}

// Keeps a built IRIS file under test-output/iris/<Suite.Test>/.
void keepIrisOutput(const std::string& name, const std::string& bytes) {
    const fs::path folder = fs::path(TALVEXA_TEST_OUTPUT_DIR) / "iris" / testName();
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
}

// ---- the files ------------------------------------------------------------------------

// ---- what the expected files hold ----------------------------------------------------
//
// Each expected file was reviewed once, position by position, against the record
// layouts. Positions are 1-based; "cents" means the amount in whole cents, right-
// justified and zero-filled. Names and addresses go through the ASCII fallback of the
// FIRE formatter ("Núñez" -> "NUNEZ", "Zoë" -> "ZOE", "Wiśniewski" -> "WISNIEWSKI",
// "Çelik" -> "CELIK"), upper-cased, with every character outside A-Z, 0-9, blank, "-"
// and "&" dropped ("O'Brien" -> "OBRIEN", "400 W. Main Street, Suite 2" -> "400 W MAIN
// STREET SUITE 2"); the IRIS files are UTF-8 and keep the letters ("Müller", "Ødegaard").
//
// fire-combined-on.txt (T, payer 1: MISC DIV INT R S NEC, payer 2: MISC NEC, F; 41 records)
// - T: 28 "T" (test file); 296-303 00000017, the B records written: the void 1099-MISC
//   of 3,000.00 and the void imported 1099-NEC (Victor Voss) are not counted; 519-704
//   the placeholder maker data of a build that sets none.
// - Record 3, B of José Ángel Núñez (1099-MISC, Kentucky): 288-327 "NUNEZ" and 328-367
//   "JOSE ANGEL", the surname and names of the additional data, not the recipient's
//   LastName, which the entry windows fill with the payer's name; 55-66 box 1 stored
//   "1500" read as 150000 cents (not 0), 79-90 box 3 "12.5" as 1250 (not 125); under
//   combined filing 663-664 "21" and 665-684 "123456", box 17 "KY/123456" without its
//   prefix, 723-734 box 16 "30.00" as 3000; 747-748 blank: Kentucky has no combined code
//   and the group has no payee that has one, so A record 2 has a blank position 6.
// - The void 1099-MISC is in no record; C record 4 counts 1 payee and totals only José.
// - Record 6, B of Cardinal Holdings & Co. (1099-DIV, Wisconsin, corrected): 6 "G";
//   55-66 box 1a stored "1,500" as 150000 (not 0); 747-748 "55"; A record 5 position 6
//   "1". Record 7, B of Kenji Abe (1099-DIV, Kentucky): 663-664 "21", 665-684
//   "778899", box 13 "KY-778899" without its prefix, 723-734 box 14 as 500; 747-748
//   blank (no code for Kentucky); box 1a "100" as 10000. K record 9 carries the
//   Wisconsin payee alone (150000) and "55" at 747-748.
// - Record 11, B of Élodie Lefèvre (1099-INT, France): 287 "1"; 448-498 "PARIS
//   ILE-DE-FRANCE 75001 FRANCE" (the province stays in the foreign address line);
//   547-586 box 7 "FRANCE"; 663-722 the payer's routing number (not Kentucky); 747-748
//   blank and no K record: a foreign address has no state code ("Île-de-France" once
//   gave Delaware's "10"); 55-66 "12.5" as 1250. Record 12, B of Lena Hart (1099-INT,
//   Kentucky): 663-664 "21", 665-684 "445566", box 14 "KY/445566" without its prefix,
//   in place of the routing number; 723-734 box 15 "2.50" as 250; box 1 "50" as 5000.
//   Neither has a combined code, so A record 10 has a blank position 6 and no K.
// - Record 15, B of Ruth O'Brien (1099-R, Kentucky): 55-66 box 1 "2,500.00", 67-78 and
//   163-174 box 2a stored "2500", each 250000; 545-546 "7 ", 548 "1" (IRA/SEP/SIMPLE),
//   550-551 blank (no percentage), 552-555 "2015", 557-564 "20250315"; 663-684 "21"
//   and "12345", box 13 "KY12345" without its bare prefix; 723-734 box 14 as 2500,
//   735-746 zeros (no box 17).
// - Record 18, B of River Bend Estates LLC (1099-S, state "None"): 488-489 blank (no
//   state code for "None"); 67-78 box 2 "250,000.00"; 548-555 "20250401", 556-594 the
//   property "9 RIVER RD PADUCAH KY 42001"; A record 17 position 6 blank, no K (1099-S).
// - Records 21-28, the 1099-NEC payees of payer 1, by key: Zoë Brontë (imported; box 1
//   "1500" stored as 1500.00; 663-684 "21" and "998877", box 6 "KY/998877" without its
//   prefix; 723-734 box 5 "25" as 2500), Pine Tree Design (box 1 "1,500", box 5 "45.5"
//   as 4550, 747-748 "23"), Nadia Çelik (box 1 "12.5" as 1250; 711-722 box 7 "12.50" as
//   "1250", left-justified; 723-734 box 5 as 125; 747-748 "37"), Okla Homer (box 1
//   "2,000", box 4 "200" as 20000 at 91-102; 747-748 "40"), Wendell Wiśniewski (663-677
//   "036888888888801", no state data; 683-684 and 747-748 "55"), Émile Côté (Canada:
//   287 "1", 448-498 "TORONTO ONTARIO M5V 2T6 CANADA", no state code, 747-748 blank; no
//   TIN was imported, so 12-20 are blank), Nowhere Consulting (state "None": 488-489 and
//   747-748 blank) and Maeve O'Sullivan (entered in the windows: 288-327 "OSULLIVAN",
//   not the payer's name). Victor Voss, void, is left out.
// - C record 29: 8 payees, code 1 total 806250, code 4 total 20000. K records 30-33 in
//   order of first appearance: "23" (2 payees, 230000), "37", "40", "55"; none for
//   Kentucky, Canada or "None".
// - Payer 2 (Marisol Peña, Texas, last filing): A records 34 and 37 with 25 "1" and
//   53-92 "MARISOL PENA"; the 1099-MISC group (Lone Star Rentals, "1,200.00") has no
//   combined code: position 6 blank, no K; the 1099-NEC group (Tomás Ruiz, corrected,
//   6 "G") has Oklahoma's "40": position 6 "1", 747-748 "40", K record 40.
// - F: 2-9 00000008 A records, 50-57 00000017 payees.
//
// fire-combined-off.txt (35 records): the same payees with combined filing off: every A
// position 6 and every 747-748 blank, no K records; the Kentucky state data (663-684)
// and every state tax position (723-734) of the 1099-MISC, -DIV, -INT, -R and -NEC
// payees are gone, 723-746 zeros; both 1099-INT payees carry the payer's routing number
// at 663-722.
//
// The 1099-NEC state files (combined filing on; A: 26-27 "NE", 28-45 "134", position 6
// blank; B: 55-246 sixteen amounts, 247 foreign flag, 248-287 surname or business name,
// 288-327 first name; C: 16-303 sixteen totals):
// - state-KY.txt: T 296-303 and F 50-57 00000001: Zoë Brontë alone, the void Victor Voss
//   left out of the B records, the C count and total. 248-287 "BRONTE", 288-327 "ZOE";
//   663-664 "21", 665-684 "998877" (prefix stripped); 723-734 2500.
// - state-ME.txt: Pine Tree Design (248-287 the business name, 288-327 blank; 723-734
//   4550 from "45.5") and Maeve O'Sullivan (248-287 "OSULLIVAN", 288-327 "MAEVE", not the
//   payer's name that the windows keep in LastName; 723-734 2000); C 2 payees, 230000.
// - state-NC.txt: Nadia Çelik: 663 "M", 665-673 "ACCT-NC-0" (the account number's first
//   9 characters), 674 "V", 687 "N", 688-689 "60" (box 6's first two characters),
//   711-722 "1250" (box 7 "12.50" without its point), 723-734 125 from "1.25".
// - state-OK.txt: two payers, each A, B, C and K (747-748 "OK", the postal code): Okla
//   Homer (box 1 "2,000" as 200000, box 4 "200" as 20000, 723-734 zeros: no box 5) and
//   Tomás Ruiz (6 "G", 723-734 1500). Émile Côté (Canada) and Nowhere Consulting ("None")
//   are in no state file.
// - state-WI.txt: Wendell Wiśniewski: 663-677 "036888888888801" (no box 5 or 6),
//   683-684 "55".
//
// The IRIS files (company key 0, Zero Street Bakery, Inc.: B, its name quoted for its
// comma, Address Line 2 empty, ZIP 606011234, phone ="312-555-0100"; its combined-filing
// box on). Amount columns are written as the amount reader reads the stored text, with a
// point and two decimals; "INVALID" and no amount are empty.
// - iris-1099-MISC.csv: Ana Müller: box 1 "1500", box 2 "1,500" and box 3 "12.5" as
//   1500.00, 1500.00, 12.50; office code "00123" cut to ="0012"; combined "OH"; State 1
//   "OH", 15.00, "OH1234-5" (the "/" removed), 1500.00, local "INVALID" empty, special
//   data "Say ""hi""".
// - iris-1099-DIV.csv: Maple Leaf Trust in Canada: state column "Québec" as stored,
//   ZIP "H3B 1A7", combined filing empty (foreign); box 1a "1,500" as 1500.00; box 8
//   "Canada".
// - iris-1099-INT.csv: Björn Ødegaard in Wisconsin: box 1 "12.5" as 12.50; combined
//   "WI"; State 1 "WI" with 1.00 withheld.
// - iris-1099-R.csv: Ruth Ng in Kentucky: box 1 "12.5" as 12.50; distribution code "g"
//   as G; percentages -2 and -1 empty; 2019; "3/15/2025" as 03/15/2025; combined empty
//   (Kentucky is not in the program). Iris Osei, imported with the date "2025-03-15"
//   (stored 03/15/2025), box 1 "100" as 100.00, code 7, her TIN type SSN from her number.
// - iris-1099-S.csv: Lakefront Realty LLC (the comma dropped by the business-name rule):
//   closing date "4/1/2025" as 04/01/2025; box 2 "350000" as 350000.00; box 3 "9 River
//   Rd Paducah KY 42001".
// - iris-1099-NEC.csv: four lines, the imported void Victor Voss left out: Zoë Brontë
//   (box 1 "1500" imported as 1500.00, State 1 "OK" with 12.50 from "12.5", "OK99",
//   local tax imported as typed "1,500" written 1500.00; combined empty: her address is
//   in Kentucky), Acme Ltd (business; its comma and point dropped; TIN type EIN from its
//   number 36-1111111), Émile Côté (Canada: "Ontario" as stored, combined filing empty;
//   no number: an individual's SSN), Nora Lind (her quoted address "2 Oak" CR LF "Suite
//   5" imported as "2 Oak Suite 5").

struct FireCase {
    const char* name;
    bool combined;
    const char* golden;
};
void PrintTo(const FireCase& c, std::ostream* os) { *os << c.name; }

class GoldenFire : public Golden, public ::testing::WithParamInterface<FireCase> {};

TEST_P(GoldenFire, MatchesTheExpectedFile) {
    selectFirePayers();
    EFile writer;
    const std::string built = build(writer, transmitter(GetParam().combined, "Select State"));
    firetest::keepOutput(built);
    compareFireFile(built, GetParam().golden, false);
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenFire,
                         ::testing::Values(FireCase{"CombinedFilingOn", true, "fire-combined-on.txt"},
                                           FireCase{"CombinedFilingOff", false, "fire-combined-off.txt"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

class GoldenStateFile : public Golden, public ::testing::WithParamInterface<const char*> {};

TEST_P(GoldenStateFile, MatchesTheExpectedFile) {
    selectFirePayers();
    EFile_NEC writer;
    const std::string built = build(writer, transmitter(true, GetParam()));
    firetest::keepOutput(built);
    compareFireFile(built, std::string("state-") + GetParam() + ".txt", true);
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenStateFile, ::testing::Values("KY", "ME", "NC", "OK", "WI"),
                         [](const auto& testCase) { return std::string(testCase.param); });

// A return already filed is taken back by a corrected return with every amount zero; a
// void form is never filed, Corrected or not. A company file of its own: payer 0 "Harbor
// Light Supply" (Maine, IRIS data saved) with two 1099-NEC payees in Maine, both
// Corrected: Grace Holt, every amount set to "0.00", and Quarry Stone LLC, also Void.
//
// fire-zero-correction.txt (combined filing on; T, A, B, C, K, F):
// - T: 296-303 00000001, Quarry Stone LLC (void) not counted.
// - A: 6 "1" (Maine has a combined code), 26-27 "NE", 28-45 "134".
// - B: 6 "G" (corrected); 55-270 every amount zeros (box 1 at 55-66, box 4 at 91-102);
//   723-734 box 5 "0.00" as zeros; 747-748 "23".
// - C: 1 payee, every total zeros. K: "23", 1 payee, every total zeros.
// - F: 1 A record, 1 payee.
// iris-1099-NEC-zero-correction.csv: Grace Holt alone, with box 1, box 4, the state tax
// withheld and the state income as 0.00 (box 3, never entered, empty); combined filing
// "ME"; the IRIS file has no correction column (a correction is chosen when the file is
// uploaded); Quarry Stone LLC is left out.
class GoldenZeroCorrection : public Golden {
protected:
    void SetUp() override {
        ImportTest::SetUp();
        openCompany("Zero correction", {});
        ComapnyInfo harbor;
        harbor.setName("Harbor Light Supply");
        harbor.setTaxID1("01-2468024");
        harbor.setAddress1("200 Harbor Dr");
        harbor.setCity1("Portland");
        harbor.setState1("Maine-ME");
        harbor.setZip1("04101");
        harbor.setPhone1("207-555-0175");
        ASSERT_TRUE(cdb()->insertCompanyInfo(harbor));
        ASSERT_EQ(cdb()->getCompanyPK(), 0);
        harbor = cdb()->getCompanyInfoIRIS(0);
        harbor.setPayernametype("Business Name");
        harbor.setPayertintype("EIN");
        harbor.setPayerphone_type("Domestic");
        harbor.setpayercountry("United States");
        harbor.setCombineStateIRIS(true);
        harbor.setValidated(true);
        ASSERT_TRUE(cdb()->updateAdditioninfo(harbor));

        Entry zeroed = individual(0, 7, "Grace", "", "Holt", "Harbor Light Supply");
        address(zeroed, "14 Quarry Rd", "Bangor", "Maine-ME", "04401");
        zeroed.r.setTaxID("301-44-5555");
        zeroed.r.setAccountNumber("NEC-0007");
        zeroed.r.setLine1_NEC("0.00");
        zeroed.r.setLine4_NEC("0.00");
        zeroed.r.setLine5_1_NEC("0.00");
        zeroed.r.setLine6_1_NEC("ME-1234");
        zeroed.r.setLine7_1_NEC("0.00");
        zeroed.a.setTopState_NEC("Maine-ME");
        zeroed.r.setCorrected(true);
        zeroed.a.setCorrected(true);
        store(zeroed);

        Entry both = business(0, 7, "Quarry Stone LLC");
        address(both, "2 Quarry Rd", "Bangor", "Maine-ME", "04401");
        both.r.setTaxID("01-1357913");
        both.r.setLine1_NEC("2,000.00");
        both.r.setCorrected(true);
        both.a.setCorrected(true);
        both.r.setVoided(true);
        both.a.setVoided(true);
        store(both);
    }
};

TEST_F(GoldenZeroCorrection, FireFileMatchesTheExpectedFile) {
    session().comp_details = std::make_shared<Company>();
    session().recp_details = std::make_shared<Recipient>();
    session().comp_details->setSelectedCompanies({0});
    session().numberSelections = 1;
    EFile writer;
    const std::string built = build(writer, transmitter(true, "Select State"));
    firetest::keepOutput(built);
    compareFireFile(built, "fire-zero-correction.txt", false);
}

TEST_F(GoldenZeroCorrection, IrisFileMatchesTheExpectedFile) {
    IrisExport exporter(*cdb(), keysOf(0, 7));
    ASSERT_TRUE(exporter.payers()) << exporter.failure();
    ASSERT_EQ(exporter.fileCount(), 1u);
    EXPECT_EQ(exporter.voidLeftOut(), 1u);
    std::vector<IrisRecipient> recipients;
    ASSERT_TRUE(exporter.readFile(0, recipients)) << exporter.failure();
    IrisFile builder;
    const std::string built = builder.build(7, cdb()->getCompanyInfoIRIS(0), recipients);
    EXPECT_EQ(builder.refusal(), "");
    keepIrisOutput("1099-NEC.csv", built);
    compareIrisFile(built, "iris-1099-NEC-zero-correction.csv");
}

struct IrisCase {
    int32_t kind;
    const char* name;
};
void PrintTo(const IrisCase& c, std::ostream* os) { *os << c.name; }

class GoldenIris : public Golden, public ::testing::WithParamInterface<IrisCase> {};

TEST_P(GoldenIris, MatchesTheExpectedFile) {
    const int32_t kind = GetParam().kind;
    IrisExport exporter(*cdb(), keysOf(0, kind));
    const auto payers = exporter.payers();
    ASSERT_TRUE(payers) << exporter.failure();
    ASSERT_EQ(*payers, std::vector<int32_t>{0});
    ASSERT_EQ(exporter.fileCount(), 1u);
    std::vector<IrisRecipient> recipients;
    ASSERT_TRUE(exporter.readFile(0, recipients)) << exporter.failure();
    IrisFile builder;
    const std::string built = builder.build(kind, cdb()->getCompanyInfoIRIS(0), recipients);
    EXPECT_EQ(builder.refusal(), "");
    const std::string name = IrisFile::proposedName(kind, 0);
    keepIrisOutput(name, built);
    compareIrisFile(built, "iris-" + name);
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenIris,
                         ::testing::Values(IrisCase{1, "MISC"}, IrisCase{2, "DIV"}, IrisCase{3, "INT"},
                                           IrisCase{4, "R"}, IrisCase{5, "S"}, IrisCase{7, "NEC"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
