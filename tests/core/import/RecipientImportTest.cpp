#include <iterator>
#include <tuple>

#include "ImportFixture.h"
#include "LineBreakCases.h"
#include "ScriptedJobs.h"
#include "TurkishLocale.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportCodes.h"
#include "core/import/ImportColumnChoices.h"
#include "core/import/RecipientImport.h"

using namespace imports;

namespace {

const char kComplete[] = "Import Complete";

// The columns most runs choose, in file order.
const std::vector<std::string> kColumns = {"Recipient Tax Payer ID", "Business Name", "First Name",
                                           "Last Name(Surname)",     "Address Line 1", "City",
                                           "State",                  "ZIP Code",       "Box 1: Rents"};

// One line of a file with kColumns.
std::string line(char sep, const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) out += (i ? std::string(1, sep) : "") + fields[i];
    return out + "\n";
}

class RecipientImport : public ImportTest {
protected:
    void SetUp() override {
        ImportTest::SetUp();
        openCompany("Acme", {"Payer Zero", "Payer One"});
        session()._type = 1;
        session().CPK = 1;
    }

    // Answers the chooser with a new file of the given text.
    std::string chooseFile(const std::string& name, const std::string& text) {
        const std::string path = writeFile(name, text);
        ui->answerOpenFile(path);
        return path;
    }

    // Imports text as a file of the reader's kind with the columns, into a payer cleared of
    // recipients, answering the summary. The run must complete without an error list;
    // what it stored (nothing when it did not complete).
    std::vector<RecipientInfo> importAfresh(RecipientReader reader, const std::string& name, const std::string& text,
                                            const std::vector<std::string>& columns = kColumns) {
        exec("delete from recipients; delete from recipients_additionalinfo;");
        freshUi();
        chooseFile(name, text);
        ui->answerBox(kMessageAnswerOkYes);
        const int code = runRecipientImport(reader, columns);
        EXPECT_EQ(code, kImportCompletedCode);
        EXPECT_EQ(ui->count("importErrors"), 0);
        return code == kImportCompletedCode ? recipients() : std::vector<RecipientInfo>{};
    }

    // Stores a recipient directly, as the entry windows do; its key.
    int32_t store(const std::string& name, const std::string& tin, int32_t payer = 1, int32_t kind = 1) {
        RecipientInfo r;
        r.setLastName(name);
        r.setTaxID(tin);
        r.setCompany_FK(payer);
        r.setType(kind);
        r.setValidated(true);
        r.setLine1_Misc("1.00");
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(kind);
        a.setname_typee("Business Name");
        EXPECT_TRUE(cdb()->insertRecipientInfo(r, a));
        return r.getPK();
    }

    std::vector<RecipientInfo> recipients(int32_t payer = 1, int32_t kind = 1) { return cdb()->getRecipients(payer, kind); }

    // Everything stored about recipients, for "nothing changed" checks.
    std::vector<std::string> allRecipientRows() {
        auto out = rows("select * from recipients order by pk;");
        for (auto& r : rows("select * from recipients_additionalinfo order by pk;")) out.push_back(r);
        return out;
    }
};

TEST_F(RecipientImport, TabSeparatedFileWithBusinessIndividualAndSurnameOnly) {
    chooseFile("recipients.txt",
               line('\t', {"11-1111111", "Acme Supply", "", "", "1 Main St", "Austin", "tx", "78701", "100.00"}) +
                   line('\t', {"222-22-2222", "Oak Shop", "John", "Smith", "2 Oak", "Dallas", "Texas", "75001", "50"}) +
                   line('\t', {"333-33-3333", "", "", "Jones", "3 Elm", "Waco", "TX", "76701", ""}) +
                   line('\t', {"444-44-4444", "", "", "", "4 Pine", "Houston", "TX", "77001", ""}));
    ui->answerImportErrors(kImportErrorsOKCode);
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportCompletedCode);

    // The line without any name is listed, with its file and line, and not imported.
    ASSERT_EQ(ui->count("importErrors"), 1);
    EXPECT_EQ(ui->shown()[1].errors, std::vector<std::string>{"(no name) (recipients.txt, line 4: not imported)"});
    EXPECT_EQ(ui->shown()[0].openFile.message, "Choose the file to import");
    EXPECT_EQ(ui->shown()[0].openFile.fileType, "txt");
    EXPECT_EQ(ui->shown()[0].openFile.typeName, "Text File");
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].title, kComplete);
    EXPECT_EQ(ui->boxes()[0].style, 4);
    EXPECT_EQ(ui->boxes()[0].image, 2048);

    const auto stored = recipients();
    ASSERT_EQ(stored.size(), 3u);
    const auto extras = cdb()->getAddRecipients(1, 1);
    ASSERT_EQ(extras.size(), 3u);
    struct Expect {
        std::string lastName, firstName, surname, nameType, state, tinType;
    } expected[] = {
        {"Acme Supply", "", "", "Business Name", "Texas-TX", "EIN"},
        {"", "John", "Smith", "Individual", "Texas-TX", "SSN"},   // the tab reader keeps no business name for him
        {"", "", "Jones", "Individual", "Texas-TX", "SSN"},       // a surname alone makes an individual
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(stored[i].getLastName(), expected[i].lastName);
        EXPECT_EQ(stored[i].getFirstName(), expected[i].firstName);
        EXPECT_EQ(extras[i].getlastname(), expected[i].surname);
        EXPECT_EQ(extras[i].getname_type(), expected[i].nameType);
        EXPECT_EQ(stored[i].getState(), expected[i].state);
        EXPECT_EQ(extras[i].gettin_type(), expected[i].tinType);
        EXPECT_EQ(stored[i].getType(), 1);
        EXPECT_EQ(extras[i].getPK(), stored[i].getPK());
        EXPECT_FALSE(stored[i].getValidated());
        EXPECT_FALSE(extras[i].getValidated());
    }
    EXPECT_EQ(stored[0].getLine1_Misc(), "100.00");
    EXPECT_TRUE(recipients(0, 1).empty());
    // The choice is kept for the form kind.
    EXPECT_EQ(loadRecipientColumns(*cdb(), 1), kColumns);
}

TEST_F(RecipientImport, CommaSeparatedFileKeepsAnIndividualsBusinessNameAndSkipsBlankRecords) {
    chooseFile("recipients.csv",
               line(',', {"222-22-2222", "Oak Shop", "John", "Smith", "2 Oak", "Dallas", "TX", "75001", "50"}) +
                   "\n \n" +
                   line(',', {"555-55-5555", "Beta LLC", "", "", "5 Birch", "Austin", "TX", "78701", "7"}));
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runRecipientImport(RecipientReader::Csv, kColumns), kImportCompletedCode);
    EXPECT_EQ(ui->shown()[0].openFile.fileType, "csv");
    const auto stored = recipients();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].getLastName(), "Oak Shop");
    EXPECT_EQ(stored[0].getFirstName(), "John");
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(stored[0].getPK()).getname_type(), "Individual");
    EXPECT_EQ(stored[1].getLastName(), "Beta LLC");
}

TEST_F(RecipientImport, QuotedCommaSeparatedFieldsAreStoredWhole) {
    // As a spreadsheet writes them: a comma in a name and an amount, doubled quotes, a
    // line break inside an address, an empty quoted field.
    chooseFile("quoted.csv",
               "\"111-11-1111\",\"Acme Supply, Inc.\",\"\",\"\",\"1 Main St\",\"Austin\",\"TX\",\"78701\",\"2,400.00\"\r\n"
               "222-22-2222,\"Oak \"\"Big\"\" Shop\",,,\"2 Oak\r\nSuite 5\",Dallas,TX,75001,50.00\r\n"
               "333-33-3333,O\"Neil Tools,,,3 Elm,Waco,TX,76701,7.00\r\n");
    ui->answerBox(kMessageAnswerOkYes);

    // Every field lands in its own column: no recipient fails a check.
    EXPECT_EQ(runRecipientImport(RecipientReader::Csv, kColumns), kImportCompletedCode);
    EXPECT_EQ(ui->count("importErrors"), 0);
    const auto stored = recipients();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].getLastName(), "Acme Supply, Inc.");
    EXPECT_EQ(stored[0].getZip(), "78701");
    // One field, stored in the entry windows' form of the amount.
    EXPECT_EQ(stored[0].getLine1_Misc(), "2400.00");
    EXPECT_EQ(stored[1].getLastName(), "Oak \"Big\" Shop");
    // A stored value is one line: the line break is a blank.
    EXPECT_EQ(stored[1].getAddress(), "2 Oak Suite 5");
    EXPECT_EQ(stored[1].getCity(), "Dallas");
    EXPECT_EQ(stored[1].getLine1_Misc(), "50.00");
    EXPECT_EQ(stored[2].getLastName(), "O\"Neil Tools");
    EXPECT_EQ(stored[2].getLine1_Misc(), "7.00");
}

// Without a TIN type column that gives one of the six types, the number as written
// gives the type, and a number without dashes the name type.
TEST_F(RecipientImport, TheTinTypeFollowsTheNumberAsWrittenUnlessAColumnGivesOne) {
    const std::vector<std::string> columns = {"Recipient's TIN Type", "Recipient Tax Payer ID", "Business Name",
                                              "First Name", "Last Name(Surname)"};
    struct Case {
        std::vector<std::string> fields;
        const char* tinType;
    } cases[] = {
        {{"ein", "222-22-2222", "", "Ann", "Lee"}, "EIN"},        // the column's type, as the pop-up titles it
        {{"xyz", "36-1111111", "Acme Ltd", "", ""}, "EIN"},       // no type: the dashes tell
        {{"", "401-55-6667", "Beta Inc", "", ""}, "SSN"},         // the dashes over the name type
        {{"", "361111112", "Gamma Co", "", ""}, "EIN"},           // no dashes: a business
        {{"", "401556668", "", "Bo", "Ray"}, "SSN"},              // no dashes: an individual
        {{"", "", "Delta Co", "", ""}, "EIN"},
    };
    std::string text;
    for (const Case& c : cases) text += line(',', c.fields);
    chooseFile("types.csv", text);
    ui->answerImportErrors(kImportErrorsOKCode);
    ui->answerBox(kMessageAnswerOkYes);
    ASSERT_EQ(runRecipientImport(RecipientReader::Csv, columns), kImportCompletedCode);
    const auto extras = cdb()->getAddRecipients(1, 1);
    ASSERT_EQ(extras.size(), std::size(cases));
    for (size_t i = 0; i < extras.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(extras[i].gettin_type(), cases[i].tinType);
    }
}

// An ISO date is stored as the entry windows write a date; a text that is no date is
// stored as typed and listed.
TEST_F(RecipientImport, AnIsoDateIsStoredAsTheEntryWindowsWriteIt) {
    session()._type = 4;
    const std::vector<std::string> columns = {"Recipient Tax Payer ID", "Business Name", "Address Line 1", "City",
                                              "State", "ZIP Code", "Date of payment"};
    chooseFile("dates.csv", line(',', {"11-1111111", "Iso Co", "1 Main St", "Austin", "TX", "78701", "2025-03-15"}) +
                                line(',', {"11-1111112", "Us Co", "1 Main St", "Austin", "TX", "78701", "3/5/2025"}) +
                                line(',', {"11-1111113", "No Day Co", "1 Main St", "Austin", "TX", "78701",
                                           "2025-02-30"}));
    ui->answerImportErrors(kImportErrorsOKCode);
    ui->answerBox(kMessageAnswerOkYes);
    ASSERT_EQ(runRecipientImport(RecipientReader::Csv, columns), kImportCompletedCode);
    EXPECT_EQ(ui->shown()[1].errors,
              std::vector<std::string>{"No Day Co (dates.csv, line 3: 'Date of payment' (column 7) is not valid)"});
    const auto stored = recipients(1, 4);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].getR_DateOfPayment(), "03/15/2025");
    EXPECT_EQ(stored[1].getR_DateOfPayment(), "3/5/2025");
    EXPECT_EQ(stored[2].getR_DateOfPayment(), "2025-02-30");
}

// Only the first two characters of a distribution code are the code, and only those are
// filed: a code with more than blanks after them is listed, so the user sees that "4 G"
// files as "4" before filing; the text is kept as written. "4G" and a code followed by
// blanks are not listed. Both readers.
TEST_F(RecipientImport, ADistributionCodeWithMoreThanTwoCharactersIsListed) {
    session()._type = 4;
    const std::vector<std::string> columns = {"Recipient Tax Payer ID", "Business Name", "Address Line 1", "City",
                                              "State", "ZIP Code", "Box 7: Distribution codes"};
    const std::vector<std::string> codes = {"4 G", "4G", "G4X", "7  ", "g4"};
    for (const auto& [reader, sep, file] : {std::tuple{RecipientReader::Csv, ',', "codes.csv"},
                                            std::tuple{RecipientReader::Text, '\t', "codes.txt"}}) {
        SCOPED_TRACE(file);
        exec("delete from recipients; delete from recipients_additionalinfo;");
        std::string text;
        for (size_t i = 0; i < codes.size(); ++i)
            text += line(sep, {"11-111111" + std::to_string(i), "Code Co " + std::to_string(i + 1), "1 Main St",
                               "Austin", "TX", "78701", codes[i]});
        chooseFile(file, text);
        ui->answerImportErrors(kImportErrorsOKCode);
        ui->answerBox(kMessageAnswerOkYes);
        ASSERT_EQ(runRecipientImport(reader, columns), kImportCompletedCode);
        ASSERT_FALSE(ui->shown().empty());
        const std::string name(file);
        EXPECT_EQ(ui->shown()[ui->shown().size() - 2].errors,
                  (std::vector<std::string>{
                      "Code Co 1 (" + name + ", line 1: 'Box 7: Distribution codes' (column 7) is not valid)",
                      "Code Co 3 (" + name + ", line 3: 'Box 7: Distribution codes' (column 7) is not valid)"}));
        std::vector<std::string> stored;
        for (const RecipientInfo& r : recipients(1, 4)) stored.push_back(r.getR_Line7());
        EXPECT_EQ(stored, codes);
    }
}

// Spreadsheets end their exports with rows of separators: such a row is no record.
TEST_F(RecipientImport, RowsOfEmptyFieldsAreSkippedWithoutAQuestionAndCounted) {
    for (const auto& [reader, name, text] :
         {std::tuple{RecipientReader::Csv, "rows.csv",
                     line(',', {"11-1111111", "Acme Supply", "", "", "1 Main St", "Austin", "TX", "78701", "1"}) +
                         ",,,,,,,,\n, ,,,,,,,\n,,,,,,,,\n"},
          std::tuple{RecipientReader::Text, "rows.txt",
                     line('\t', {"11-1111111", "Acme Supply", "", "", "1 Main St", "Austin", "TX", "78701", "1"}) +
                         "\t\t\t\t\t\t\t\t\n\t\t\t\t\t\t\t\t\n\t\t\t\t\t\t\t\t\n"}}) {
        SCOPED_TRACE(name);
        exec("delete from recipients; delete from recipients_additionalinfo;");
        chooseFile(name, text);
        ui->answerBox(kMessageAnswerOkYes);
        ASSERT_EQ(runRecipientImport(reader, kColumns), kImportCompletedCode);
        ASSERT_EQ(ui->boxes().size(), 1u) << "no question about the empty rows";
        EXPECT_EQ(ui->boxes()[0].title, kComplete);
        EXPECT_NE(ui->boxes()[0].details.find(
                      "1 recipient was added and 0 recipients were overwritten. 3 rows whose fields are all empty "
                      "were skipped."),
                  std::string::npos)
            << ui->boxes()[0].details;
        EXPECT_EQ(recipients().size(), 1u);
        freshUi();
    }
}

// A file without a record says so, and keeps the column choice as it was. An empty first
// line keeps the readers from the rest of the file: the message says that.
TEST_F(RecipientImport, AFileWithoutRecordsImportsNothingSaysWhyAndKeepsTheColumnChoice) {
    const std::vector<std::string> acme = {"11-1111111", "Acme", "", "", "1 Main St", "Austin", "TX", "78701", "1"};
    const std::string firstLineEmpty = " is empty. Remove the empty first line and import the file again.";
    const struct {
        RecipientReader reader;
        std::string name, text, says;
    } cases[] = {
        {RecipientReader::Csv, "empty.csv", "", "Nothing was imported: the file \"empty.csv\" holds no recipients."},
        {RecipientReader::Csv, "empty.csv", ",,,,\n,,,,\n",
         "Nothing was imported: the file \"empty.csv\" holds no recipients, only rows whose fields are all empty."},
        {RecipientReader::Csv, "first.csv", "\n" + line(',', acme),
         "Nothing was imported: the first line of the file \"first.csv\"" + firstLineEmpty},
        {RecipientReader::Text, "first.txt", "\r\n" + line('\t', acme),
         "Nothing was imported: the first line of the file \"first.txt\"" + firstLineEmpty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + ": " + c.text);
        chooseFile(c.name, c.text);
        ui->answerBox(kMessageAnswerOkYes);
        EXPECT_EQ(runRecipientImport(c.reader, kColumns), kImportStoppedCode);
        ASSERT_EQ(ui->boxes().size(), 1u);
        EXPECT_EQ(ui->boxes()[0].title, "Nothing Imported");
        EXPECT_EQ(ui->boxes()[0].details, c.says);
        EXPECT_TRUE(loadRecipientColumns(*cdb(), 1).empty());
        EXPECT_TRUE(recipients().empty());
        freshUi();
    }
}

// A spreadsheet's line break inside a cell, saved without quotes, is a lone CR: in a file
// of LF lines, one blank, as inside a quoted field.
TEST_F(RecipientImport, ALoneCarriageReturnInsideAFieldIsOneBlank) {
    for (const auto& [reader, name, sep] :
         {std::tuple{RecipientReader::Text, "cr.txt", '\t'}, std::tuple{RecipientReader::Csv, "cr.csv", ','}}) {
        SCOPED_TRACE(name);
        exec("delete from recipients; delete from recipients_additionalinfo;");
        chooseFile(name, line(sep, {"11-1111111", "Acme", "", "", "1 Main St", "Austin", "TX", "78701", "1"}) +
                             line(sep, {"22-2222222", "Oak", "", "", "2 Oak\rSuite 5", "Dallas", "TX", "75001", "1"}));
        ui->answerBox(kMessageAnswerOkYes);
        ASSERT_EQ(runRecipientImport(reader, kColumns), kImportCompletedCode);
        ASSERT_EQ(recipients().size(), 2u);
        EXPECT_EQ(recipients()[1].getAddress(), "2 Oak Suite 5");
        EXPECT_EQ(recipients()[1].getCity(), "Dallas");
        freshUi();
    }
}

// The recipients of kColumns that the line-end cases write, and what is stored of each.
const std::vector<std::vector<std::string>> kThreeRecipients = {
    {"11-1111111", "Acme Supply", "", "", "1 Main St", "Austin", "TX", "78701", "100.00"},
    {"22-2222222", "Oak Shop", "", "", "2 Oak", "Dallas", "Texas", "75001", "50.00"},
    {"33-3333333", "Elm Co", "", "", "3 Elm", "Waco", "tx", "76701", "7.00"},
};

std::vector<std::string> storedFields(const RecipientInfo& r) {
    return {r.getTaxID(), r.getLastName(), r.getFirstName(), r.getAddress(), r.getCity(),
            r.getState(), r.getZip(),      r.getLine1_Misc()};
}

// As written, the state as the state list names it.
std::vector<std::string> writtenFields(const std::vector<std::string>& f) {
    return {f[0], f[1], f[2], f[4], f[5], "Texas-TX", f[7], f[8]};
}

// Spreadsheets and editors end lines with LF, CR LF or a lone CR, and some mix CR LF and
// LF: every recipient of the file is added, each field as written.
TEST_F(RecipientImport, EveryKindOfLineEndAddsEveryRecipientWithItsFieldsAsWritten) {
    for (const auto& [reader, separator, kind] :
         {std::tuple{RecipientReader::Csv, ',', "csv"}, std::tuple{RecipientReader::Text, '\t', "txt"}}) {
        for (const auto& ending : kLineEndings) {
            SCOPED_TRACE(std::string(kind) + " " + ending.name);
            exec("delete from recipients; delete from recipients_additionalinfo;");
            freshUi();
            std::string text;
            for (size_t i = 0; i < kThreeRecipients.size(); ++i) {
                std::string written = line(separator, kThreeRecipients[i]);
                written.pop_back();   // its LF: the case gives the line end
                text += written + ending.ends[i];
            }
            chooseFile(std::string("recipients.") + kind, text);
            ui->answerBox(kMessageAnswerOkYes);
            ASSERT_EQ(runRecipientImport(reader, kColumns), kImportCompletedCode);
            EXPECT_EQ(ui->count("importErrors"), 0);
            ASSERT_EQ(boxTitles(), std::vector<std::string>{kComplete});
            EXPECT_NE(ui->boxes()[0].details.find("3 recipients were added"), std::string::npos)
                << ui->boxes()[0].details;
            const auto stored = recipients();
            ASSERT_EQ(stored.size(), kThreeRecipients.size());
            for (size_t i = 0; i < stored.size(); ++i)
                EXPECT_EQ(storedFields(stored[i]), writtenFields(kThreeRecipients[i])) << i;
        }
    }
}

// The same lone CR in the first record of a file of LF or CR LF lines, of two records or
// more: one blank as on any later line, not the line end of the whole file.
TEST_F(RecipientImport, ALoneCarriageReturnInTheFirstRecordOfAnLFFileIsOneBlank) {
    for (const auto& [reader, separator, kind] :
         {std::tuple{RecipientReader::Csv, ',', "csv"}, std::tuple{RecipientReader::Text, '\t', "txt"}}) {
        for (const StrayCrFile& file : kStrayCrFiles) {
            for (const size_t records : {2u, 3u}) {
                SCOPED_TRACE(std::string(kind) + " " + file.name + " " + std::to_string(records));
                std::string text;
                for (size_t i = 0; i < records; ++i) {
                    std::vector<std::string> fields = kThreeRecipients[i];
                    if (i == 0) fields[4] = "1 Main\rSt";
                    std::string written = line(separator, fields);
                    written.pop_back();
                    text += written + (i + 1 < records || file.finalEnd ? file.end : "");
                }
                const auto stored = importAfresh(reader, std::string("stray.") + kind, text);
                ASSERT_EQ(stored.size(), records);
                for (size_t i = 0; i < records; ++i)
                    EXPECT_EQ(storedFields(stored[i]), writtenFields(kThreeRecipients[i])) << i;
            }
        }
    }
}

// A fourth recipient, for files of four records.
const std::vector<std::vector<std::string>> kFourRecipients = [] {
    auto four = kThreeRecipients;
    four.push_back({"44-4444444", "Pine Works", "", "", "4 Pine", "Tyler", "TX", "75701", "9.00"});
    return four;
}();

// Line breaks pasted into addresses, saved unquoted as lone CRs, in a file of LF or CR LF
// lines of three or four recipients: one in every record, or in the first record as many
// as the file has line ends. Each break is one blank, and every recipient is added whole.
TEST_F(RecipientImport, StrayCarriageReturnsInAnLFFileLeaveEveryRecipientWhole) {
    for (const auto& [reader, separator, kind] :
         {std::tuple{RecipientReader::Csv, ',', "csv"}, std::tuple{RecipientReader::Text, '\t', "txt"}})
        for (const StrayCrFile& file : kStrayCrFiles)
            for (const size_t records : {3u, 4u})
                for (const bool everyRecord : {true, false}) {
                    SCOPED_TRACE(std::string(kind) + " " + file.name + " " + std::to_string(records) +
                                 (everyRecord ? " every record" : " first record"));
                    const size_t lineEnds = records - 1 + (file.finalEnd ? 1 : 0);
                    std::string text;
                    std::vector<std::vector<std::string>> expected;
                    for (size_t i = 0; i < records; ++i) {
                        std::vector<std::string> fields = kFourRecipients[i];
                        expected.push_back(writtenFields(fields));
                        const size_t strays = everyRecord ? 1 : (i == 0 ? lineEnds : 0);
                        for (size_t k = 0; k < strays; ++k) {
                            const std::string unit = "Fl " + std::to_string(i + k + 1);
                            fields[4] += "\r" + unit;
                            expected.back()[3] += " " + unit;
                        }
                        std::string written = line(separator, fields);
                        written.pop_back();
                        text += written + (i + 1 < records || file.finalEnd ? file.end : "");
                    }
                    const auto stored = importAfresh(reader, std::string("strays.") + kind, text);
                    ASSERT_EQ(stored.size(), records);
                    for (size_t i = 0; i < records; ++i) EXPECT_EQ(storedFields(stored[i]), expected[i]) << i;
                }
}

// A first row without its amount, or many breaks in one address (a middle column, or the
// first) and rows of empty cells after the recipients: with line breaks pasted into an
// address, every recipient is still added whole, each field as written and each break
// one blank.
TEST_F(RecipientImport, AShortFirstRowOrManyBreaksInOneAddressLeaveEveryRecipientWhole) {
    for (const auto& [reader, separator, kind] :
         {std::tuple{RecipientReader::Csv, ',', "csv"}, std::tuple{RecipientReader::Text, '\t', "txt"}})
        for (const LineBreakCase& c : kLineBreakCases)
            for (const bool finalEnd : {true, false}) {
                SCOPED_TRACE(std::string(kind) + " " + c.name + (finalEnd ? "" : ", without a final end"));
                std::vector<std::vector<std::string>> rows, expected;
                for (size_t i = 0; i < c.records; ++i) {
                    std::vector<std::string> fields = kFourRecipients[i];
                    expected.push_back(writtenFields(fields));
                    if (i == 0 && c.shortFirst) {
                        fields.pop_back();
                        expected.back()[7].clear();
                    }
                    if (i == c.record)
                        for (size_t k = 0; k < c.breaks.size(); ++k) {
                            fields[4] += c.breaks[k] + afterBreak(k);
                            expected.back()[3] += " " + afterBreak(k);
                        }
                    rows.push_back(inCaseOrder(c, fields, 4));
                }
                for (size_t k = 0; k < c.emptyRows; ++k) rows.emplace_back(kColumns.size());
                std::string text;
                for (size_t i = 0; i < rows.size(); ++i) {
                    std::string written = line(separator, rows[i]);
                    written.pop_back();
                    text += written + (i + 1 < rows.size() || finalEnd ? c.end : "");
                }
                const auto stored =
                    importAfresh(reader, std::string("short.") + kind, text, inCaseOrder(c, kColumns, 4));
                ASSERT_EQ(stored.size(), expected.size());
                for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(storedFields(stored[i]), expected[i]) << i;
            }
}

// A file of CR lines with a line break pasted into the address of a later recipient,
// saved unquoted as an LF or a CR LF: still a file of CR lines, the break one blank.
TEST_F(RecipientImport, AStrayLineFeedInALaterRecordOfACRFileIsOneBlank) {
    for (const auto& [reader, separator, kind] :
         {std::tuple{RecipientReader::Csv, ',', "csv"}, std::tuple{RecipientReader::Text, '\t', "txt"}})
        for (const char* stray : {"\n", "\r\n"})
            for (const bool finalEnd : {true, false})
                for (const size_t at : {1u, 2u}) {
                    SCOPED_TRACE(std::string(kind) + (stray[1] ? " CR LF" : " LF") +
                                 (finalEnd ? "" : " without a final end") + " in record " + std::to_string(at + 1));
                    std::string text;
                    std::vector<std::vector<std::string>> expected;
                    for (size_t i = 0; i < kThreeRecipients.size(); ++i) {
                        std::vector<std::string> fields = kThreeRecipients[i];
                        expected.push_back(writtenFields(fields));
                        if (i == at) {
                            fields[4] += stray + std::string("Suite 5");
                            expected.back()[3] += " Suite 5";
                        }
                        std::string written = line(separator, fields);
                        written.pop_back();
                        text += written + (i + 1 < kThreeRecipients.size() || finalEnd ? "\r" : "");
                    }
                    const auto stored = importAfresh(reader, std::string("cr.") + kind, text);
                    ASSERT_EQ(stored.size(), expected.size());
                    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(storedFields(stored[i]), expected[i]) << i;
                }
}

// A comma-separated file of CR lines with a line break inside a quoted field, on the
// first line or a later one: the break is one blank of that field, and every recipient is
// added.
TEST_F(RecipientImport, AQuotedLineBreakInAFileOfCRLinesIsOneBlank) {
    for (const size_t quoted : {0, 1}) {
        SCOPED_TRACE(quoted);
        exec("delete from recipients; delete from recipients_additionalinfo;");
        freshUi();
        std::vector<std::vector<std::string>> written = kThreeRecipients;
        written[quoted][4] = "\"" + written[quoted][4] + "\nSuite 5\"";
        std::string text;
        for (const auto& fields : written) {
            std::string l = line(',', fields);
            l.back() = '\r';
            text += l;
        }
        chooseFile("quoted.csv", text);
        ui->answerBox(kMessageAnswerOkYes);
        ASSERT_EQ(runRecipientImport(RecipientReader::Csv, kColumns), kImportCompletedCode);
        EXPECT_EQ(ui->count("importErrors"), 0);
        EXPECT_NE(ui->boxes().at(0).details.find("3 recipients were added"), std::string::npos)
            << ui->boxes()[0].details;
        const auto stored = recipients();
        ASSERT_EQ(stored.size(), kThreeRecipients.size());
        for (size_t i = 0; i < stored.size(); ++i) {
            std::vector<std::string> expected = writtenFields(kThreeRecipients[i]);
            if (i == quoted) expected[3] += " Suite 5";
            EXPECT_EQ(storedFields(stored[i]), expected) << i;
        }
    }
}

TEST_F(RecipientImport, AnUnclosedQuoteRefusesTheFileNamingItsLine) {
    const std::string path = chooseFile("unclosed.csv",
                                        line(',', {"111-11-1111", "Acme", "", "", "1 Main", "Austin", "TX", "78701", "1"}) +
                                            "222-22-2222,\"Beta,,,2 Main,Dallas,TX,75001,2\n"
                                            "333-33-3333,Gamma,,,3 Main,Waco,TX,76701,3\n");
    ui->answerBox(kMessageAnswerOkYes);
    const auto before = allRecipientRows();

    EXPECT_EQ(runRecipientImport(RecipientReader::Csv, kColumns), kImportStoppedCode);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].title, "Import Failed");
    EXPECT_NE(ui->boxes()[0].details.find(path), std::string::npos) << ui->boxes()[0].details;
    EXPECT_NE(ui->boxes()[0].details.find("line 2 "), std::string::npos) << ui->boxes()[0].details;
    EXPECT_EQ(allRecipientRows(), before);
}

TEST_F(RecipientImport, PayrollExportSplitsTheFirstNameAndSavesItsColumns) {
    session()._type = 7;
    chooseFile("payroll.txt", line('\t', {"Smith", "John Paul", "1 Main", "Apt 2", "Austin", "tx", "78701", "123-45-6789"}) +
                                  line('\t', {"Acme Corp", "", "2 Oak", "", "Dallas", "Texas", "75001", "98-7654321", "extra"}) +
                                  line('\t', {"Lee", "Ann", "3 Elm", "", "Waco", "TX", "76701", "555-12-3456"}));
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runPayrollRecipientImport(), kImportCompletedCode);
    const auto stored = recipients(1, 7);
    ASSERT_EQ(stored.size(), 3u);
    const auto john = cdb()->getRecipientAdditionalInfo(stored[0].getPK());
    EXPECT_EQ(stored[0].getFirstName(), "John");
    EXPECT_EQ(john.getmiddleName(), "Paul");
    EXPECT_EQ(john.getlastname(), "Smith");
    EXPECT_EQ(stored[0].getLastName(), "");
    EXPECT_EQ(john.getname_type(), "Individual");
    EXPECT_EQ(john.getaddline2(), "Apt 2");
    EXPECT_EQ(stored[0].getState(), "Texas-TX");
    EXPECT_EQ(stored[1].getLastName(), "Acme Corp");
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(stored[1].getPK()).getname_type(), "Business Name");
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(stored[2].getPK()).getmiddleName(), "");

    const auto available = AvaillistValue(7);
    EXPECT_EQ(loadRecipientColumns(*cdb(), 7), std::vector<std::string>(available.begin(), available.begin() + 8));
}

TEST_F(RecipientImport, TheErrorListNamesWhatFailedInFileOrderAndItsCancelWritesNothing) {
    chooseFile("recipients.txt",
               line('\t', {"12-34", "Acme", "", "", "1 Main", "Austin", "TX", "78701", ""}) +         // bad number
                   line('\t', {"222-22-2222", "", "", "", "", "", "", "", ""}) +                    // no name
                   line('\t', {"333-33-3333", "", "Ann", "Lee", "", "Waco", "TX", "76701", ""}) +   // no address
                   line('\t', {"444-44-4444", std::string(41, 'B'), "", "", "4 Pine", "Austin", "TX", "78701", ""}) +
                   line('\t', {"555-55-5555", "", "Bo", "Wu", "5 Elm", "Austin", "TX", "78701", ""}));
    ui->answerImportErrors(kImportErrorsCancelCode);
    const auto before = allRecipientRows();

    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportStoppedCode);
    ASSERT_EQ(ui->count("importErrors"), 1);
    // Each entry names its line and the column that failed. A business name longer than
    // 40 fails; an individual needs none.
    EXPECT_EQ(ui->shown()[1].errors,
              (std::vector<std::string>{
                  "Acme (recipients.txt, line 1: 'Recipient Tax Payer ID' (column 1) is not valid)",
                  "(no name) (recipients.txt, line 2: not imported)",
                  "Lee, Ann (recipients.txt, line 3: 'Address Line 1' (column 5) is not valid)",
                  std::string(41, 'B') + " (recipients.txt, line 4: 'Business Name' (column 2) is not valid)"}));
    EXPECT_EQ(allRecipientRows(), before);
    EXPECT_TRUE(loadRecipientColumns(*cdb(), 1).empty());
    EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(RecipientImport, TheNameQuestionComesOnlyWhenARecordHasAnEmptyFirstField) {
    // Every first field filled: a record with only a first name is imported, one
    // without any name is listed.
    chooseFile("a.txt", line('\t', {"111-11-1111", "", "Ann", "", "1 Main", "Austin", "TX", "78701", ""}) +
                            line('\t', {"222-22-2222", "", "", "", "2 Main", "Austin", "TX", "78701", ""}));
    ui->answerImportErrors(kImportErrorsOKCode);
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportCompletedCode);
    ASSERT_EQ(recipients().size(), 1u);
    EXPECT_EQ(recipients()[0].getFirstName(), "Ann");
    EXPECT_EQ(ui->shown()[1].errors, std::vector<std::string>{"(no name) (a.txt, line 2: not imported)"});
}

TEST_F(RecipientImport, TheNameQuestionSkipsARecordOrCancelsTheImport) {
    struct Case {
        RecipientReader reader;
        char sep;
        int answer;
        bool completes;
        size_t stored;
        const char* required;
    } cases[] = {
        {RecipientReader::Text, '\t', kMessageAnswerNo, true, 1, "'Business Name' or 'Last Name'"},
        {RecipientReader::Csv, ',', kMessageAnswerCloseBox, true, 1, "'Business or Last Name (Required)'"},
        {RecipientReader::Text, '\t', kMessageAnswerOkYes, false, 0, "'Business Name' or 'Last Name'"},
    };
    int run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(run);
        session().CPK = 0;
        exec("delete from recipients; delete from recipients_additionalinfo;");
        freshUi();
        // The empty first field of the second record brings the question to every
        // record without a business name or surname.
        chooseFile("q" + std::to_string(run++) + (c.sep == ',' ? ".csv" : ".txt"),
                   line(c.sep, {"111-11-1111", "Acme", "", "", "1 Main", "Austin", "TX", "78701", ""}) +
                       line(c.sep, {"", "", "Ann", "", "2 Main", "Austin", "TX", "78701", ""}));
        ui->answerBox(c.answer);
        if (c.completes) ui->answerBox(kMessageAnswerOkYes);

        EXPECT_EQ(runRecipientImport(c.reader, kColumns), c.completes ? kImportCompletedCode : kImportAbandonedCode);
        const MessageBoxRequest question = ui->boxes().at(0);
        EXPECT_EQ(question.details, std::string("Unable to import recipient information on line 2. Does not have an "
                                                "entry for the required field ") +
                                        c.required + ". Must skip this recipient. Do you want to cancel import instead?");
        EXPECT_EQ(question.caption, "");
        EXPECT_EQ(question.style, 10);
        EXPECT_EQ(question.title, "Import Error");
        EXPECT_EQ(question.image, 2048);
        EXPECT_FALSE(question.flag);
        EXPECT_EQ(recipients(0).size(), c.stored);
        EXPECT_EQ(ui->count("importErrors"), 0);
        EXPECT_TRUE(ui->allAnswersUsed());
    }
}

TEST_F(RecipientImport, NumbersRepeatedInsideTheFileStopTheRun) {
    chooseFile("dup.txt", line('\t', {"123-45-6789", "Acme", "", "", "1 Main", "Austin", "TX", "78701", ""}) +
                              line('\t', {"", "Beta", "", "", "2 Main", "Austin", "TX", "78701", ""}) +
                              line('\t', {"", "Gamma", "", "", "3 Main", "Austin", "TX", "78701", ""}) +
                              line('\t', {"123456789", "Delta", "", "", "4 Main", "Austin", "TX", "78701", ""}));
    ui->answerBox(kMessageAnswerOkYes);
    const auto before = allRecipientRows();

    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportStoppedCode);
    ASSERT_EQ(ui->boxes().size(), 1u);
    // The number as the later record writes it, and the lines of both records.
    EXPECT_EQ(ui->boxes()[0].details, "The same Recipient Tax Payer ID appears more than once. Check before "
                                      "importing.\n\nThe number 123456789 is on line 1 and on line 4.");
    EXPECT_EQ(ui->boxes()[0].style, 2);
    EXPECT_EQ(ui->boxes()[0].title, "Recipient Import Error");
    EXPECT_EQ(allRecipientRows(), before);

    // Two records without a number are no repetition.
    freshUi();
    chooseFile("empty numbers.txt", line('\t', {"", "Beta", "", "", "2 Main", "Austin", "TX", "78701", ""}) +
                                        line('\t', {"", "Gamma", "", "", "3 Main", "Austin", "TX", "78701", ""}));
    ui->answerImportErrors(kImportErrorsOKCode);   // both fail the number check
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportCompletedCode);
    EXPECT_EQ(recipients().size(), 2u);
}

struct ConflictCase {
    const char* name;
    int code;
    std::vector<int> rows;
    std::vector<std::string> overwritten;   // existing recipients that take the imported data
    std::string counts;                     // the completion's last sentence
};

void PrintTo(const ConflictCase& c, std::ostream* os) { *os << c.name; }

class RecipientConflicts : public RecipientImport, public ::testing::WithParamInterface<ConflictCase> {};

TEST_P(RecipientConflicts, OnlyRowsChosenWithOKAreOverwrittenAndNewRecipientsAreStoredInEveryCase) {
    const ConflictCase& c = GetParam();
    const int32_t a = store("Alpha", "111-11-1111");
    const int32_t b = store("Bravo", "222-22-2222");
    const int32_t cKey = store("Charlie", "333-33-3333");
    const int32_t otherPayer = store("Delta", "444-44-4444", 0);
    const int32_t otherKind = store("Echo", "555-55-5555", 1, 7);
    const std::vector<std::string> otherRows = rows("select * from recipients where pk in (" +
                                                    std::to_string(otherPayer) + ", " + std::to_string(otherKind) + ");");

    chooseFile("conflicts.txt",
               line('\t', {"111111111", "Alpha New", "", "", "1 Main", "Austin", "TX", "78701", "10.00"}) +
                   line('\t', {"222-22-2222", "Bravo New", "", "", "2 Main", "Austin", "TX", "78701", "20.00"}) +
                   line('\t', {"333-33-3333", "", "Carl", "Charlie", "3 Main", "Austin", "TX", "78701", "30.00"}) +
                   line('\t', {"444-44-4444", "Delta New", "", "", "4 Main", "Austin", "TX", "78701", "40.00"}) +
                   line('\t', {"555-55-5555", "Echo New", "", "", "5 Main", "Austin", "TX", "78701", "50.00"}) +
                   line('\t', {"666-66-6666", "Foxtrot", "", "", "6 Main", "Austin", "TX", "78701", "60.00"}));
    ui->answerImportConflicts(c.code, c.rows);
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportCompletedCode);
    // Only the payer's recipients of the kind conflict, numbers compared without dashes.
    ASSERT_EQ(ui->count("importConflicts"), 1);
    EXPECT_EQ(ui->shown()[1].errors, (std::vector<std::string>{"Alpha New", "Bravo New", "Charlie, Carl"}));

    const std::map<int32_t, std::pair<std::string, std::string>> before = {
        {a, {"Alpha", "Alpha New"}}, {b, {"Bravo", "Bravo New"}}, {cKey, {"Charlie", ""}}};
    for (const auto& [key, names] : before) {
        const RecipientInfo r = cdb()->getRecipientInfo(key);
        const bool chosen = std::find(c.overwritten.begin(), c.overwritten.end(), names.first) != c.overwritten.end();
        SCOPED_TRACE(names.first);
        EXPECT_EQ(r.getLastName(), chosen ? names.second : names.first);
        EXPECT_EQ(r.getValidated(), !chosen);
        EXPECT_EQ(r.getCompany_FK(), 1);
        if (chosen && key == cKey) {
            EXPECT_EQ(r.getFirstName(), "Carl");
            EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getname_type(), "Individual");
        }
    }
    // Another payer's and another kind's recipients are left alone; their numbers make new recipients.
    EXPECT_EQ(rows("select * from recipients where pk in (" + std::to_string(otherPayer) + ", " +
                   std::to_string(otherKind) + ");"),
              otherRows);
    const auto stored = recipients();
    ASSERT_EQ(stored.size(), 6u);
    EXPECT_EQ(stored[3].getLastName(), "Delta New");
    EXPECT_EQ(stored[4].getLastName(), "Echo New");
    EXPECT_EQ(stored[5].getLastName(), "Foxtrot");
    EXPECT_EQ(stored[5].getPK(), otherKind + 3);   // keys counted on from the largest
    EXPECT_EQ(count("select count(*) from recipients_additionalinfo"), 8);

    // The completion keeps its sentence and counts what the run did.
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].details,
              "All imported recipients will be marked as 'NOT Valid' until you review the recipients' data using the "
              "'Edit Recipient' button. Some recipients may still need more information before filing.\n\n" +
                  c.counts);
}

INSTANTIATE_TEST_SUITE_P(Import, RecipientConflicts,
                         ::testing::Values(ConflictCase{"OKWithTwoRows", kImportConflictsOKCode, {0, 2}, {"Alpha", "Charlie"},
                                                        "3 recipients were added and 2 recipients were overwritten."},
                                           ConflictCase{"OKWithNone", kImportConflictsOKCode, {}, {},
                                                        "3 recipients were added and 0 recipients were overwritten."},
                                           ConflictCase{"OKWithRowsOutOfRange", kImportConflictsOKCode, {1, 7, -1}, {"Bravo"},
                                                        "3 recipients were added and 1 recipient was overwritten."},
                                           ConflictCase{"Cancel", kImportConflictsCancelCode, {0, 1, 2}, {},
                                                        "3 recipients were added and 0 recipients were overwritten."}),
                         [](const ::testing::TestParamInfo<ConflictCase>& p) { return std::string(p.param.name); });

TEST_F(RecipientImport, AnOverwrittenRecipientWithoutAdditionalDataGetsIt) {
    RecipientInfo bare;
    bare.setLastName("Bare");
    bare.setTaxID("777-77-7777");
    bare.setCompany_FK(1);
    bare.setType(1);
    ASSERT_TRUE(cdb()->insertRecipientInfo(bare));
    const int32_t key = cdb()->getRecipientPK();
    chooseFile("bare.txt", line('\t', {"777777777", "Bare New", "", "", "1 Main", "Austin", "TX", "78701", ""}));
    ui->answerImportConflicts(kImportConflictsOKCode, {0});
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportCompletedCode);
    EXPECT_EQ(cdb()->getRecipientInfo(key).getLastName(), "Bare New");
    EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).getname_type(), "Business Name");
}

// The number's shape cannot tell an ITIN from an SSN: overwriting from a file that gives
// no type keeps the stored one; a type the file gives replaces it.
TEST_F(RecipientImport, AnOverwriteKeepsTheStoredTinTypeUnlessTheFileGivesOne) {
    const std::vector<std::string> names = {"Recipient Tax Payer ID", "Business Name", "First Name",
                                            "Last Name(Surname)"};
    std::vector<std::string> typed = names;
    typed.insert(typed.begin(), "Recipient's TIN Type");
    const struct {
        std::vector<std::string> columns, fields;
        const char* tinType;
    } cases[] = {
        {names, {"912-70-1234", "", "Ann", "Lee"}, "ITIN"},       // no type column
        {typed, {"", "912-70-1234", "", "Ann", "Lee"}, "ITIN"},   // an empty type
        {typed, {"ssn", "912-70-1234", "", "Ann", "Lee"}, "SSN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields[0]);
        exec("delete from recipients; delete from recipients_additionalinfo;");
        const int32_t key = store("Lee", "912-70-1234");
        exec("update recipients_additionalinfo set tin_type = 'ITIN';");
        chooseFile("itin.csv", line(',', c.fields));
        ui->answerImportErrors(kImportErrorsOKCode);   // no address
        ui->answerImportConflicts(kImportConflictsOKCode, {0});
        ui->answerBox(kMessageAnswerOkYes);
        ASSERT_EQ(runRecipientImport(RecipientReader::Csv, c.columns), kImportCompletedCode);
        EXPECT_EQ(cdb()->getRecipientInfo(key).getFirstName(), "Ann");   // overwritten
        EXPECT_EQ(cdb()->getRecipientAdditionalInfo(key).gettin_type(), c.tinType);
        freshUi();
    }
}

TEST_F(RecipientImport, AFailingWriteLeavesEveryTableAsItWas) {
    store("Alpha", "111-11-1111");
    exec("create trigger boom before insert on recipients_additionalinfo when new.Company_FK = 1 and "
         "(select count(*) from recipients where lastName = 'Late') > 0 begin select raise(abort, 'disk on fire'); end;");
    chooseFile("fail.txt", line('\t', {"111-11-1111", "Alpha New", "", "", "1 Main", "Austin", "TX", "78701", ""}) +
                               line('\t', {"222-22-2222", "Early", "", "", "2 Main", "Austin", "TX", "78701", ""}) +
                               line('\t', {"333-33-3333", "Late", "", "", "3 Main", "Austin", "TX", "78701", ""}));
    ui->answerImportConflicts(kImportConflictsOKCode, {0});
    ui->answerBox(kMessageAnswerOkYes);   // the failure
    const auto before = allRecipientRows();

    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportStoppedCode);
    EXPECT_EQ(allRecipientRows(), before);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_NE(ui->boxes()[0].details.find("disk on fire"), std::string::npos) << ui->boxes()[0].details;
    EXPECT_NE(boxTitles()[0], kComplete);
    EXPECT_TRUE(loadRecipientColumns(*cdb(), 1).empty());
}

TEST_F(RecipientImport, FilesThatCannotBeReadStopBeforeAnythingIsWritten) {
    struct Case {
        std::string bytes;   // empty: no file at all
        std::string detail;
    } cases[] = {
        {"", "could not be read"},
        {"111-11-1111\tAcme\r\n222-22-2222\tCaf\xE9\r\n", "line 2"},
    };
    for (const auto& c : cases) {
        freshUi();
        const std::string path = c.bytes.empty() ? home.file("missing.txt") : writeFile("latin1.txt", c.bytes);
        ui->answerOpenFile(path);
        ui->answerBox(kMessageAnswerOkYes);
        EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportStoppedCode);
        ASSERT_EQ(ui->boxes().size(), 1u);
        const MessageBoxRequest box = ui->boxes()[0];
        EXPECT_EQ(box.caption, "Unable to import.");
        EXPECT_EQ(box.style, 4);
        EXPECT_EQ(box.title, "Import Failed");
        EXPECT_EQ(box.image, 512);
        EXPECT_NE(box.details.find(path), std::string::npos);
        EXPECT_NE(box.details.find(c.detail), std::string::npos) << box.details;
        EXPECT_TRUE(recipients().empty());
        EXPECT_TRUE(ui->allAnswersUsed());
    }
}

TEST_F(RecipientImport, ANameColumnIsRequiredAndACancelledChooserEndsTheWindow) {
    const std::vector<std::string> noName = {"Recipient Tax Payer ID", "First Name", "City"};
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runRecipientImport(RecipientReader::Text, noName), kImportStoppedCode);
    ui->answerBox(kMessageAnswerCloseBox);
    EXPECT_EQ(runRecipientImport(RecipientReader::Csv, noName), kImportWindowStaysOpen);
    ASSERT_EQ(ui->boxes().size(), 2u);
    EXPECT_EQ(ui->boxes()[0].details, "'Business Name' or 'Recipient Last Name (Surname)' is a required field. Please "
                                      "add either one of them to the list of selected fields in any position.");
    EXPECT_EQ(ui->boxes()[0].title, "Unable to Import");
    EXPECT_TRUE(ui->boxes()[0].flag);
    EXPECT_EQ(ui->count("chooseOpenFile"), 0);

    ui->answerOpenFile(std::nullopt);
    EXPECT_EQ(runRecipientImport(RecipientReader::Text, {"Last Name(Surname)"}), kImportStoppedCode);
}

TEST_F(RecipientImport, PropertyAddressOfA1099S) {
    session()._type = 5;
    const std::vector<std::string> columns = {"Business Name", "Address Line 1", "City", "State", "ZIP Code",
                                              "Box 3: Address or legal description", "Box 3: City", "Box 3: State",
                                              "Box 3: ZIP Code"};
    chooseFile("s.txt", line('\t', {"Good Street", "1 Main", "Austin", "TX", "78701", "12 Lot", "Waco", "TX", "76701"}) +
                            line('\t', {"Legal Only", "1 Main", "Austin", "TX", "78701", "Parcel 7 of Block 12", "", "", ""}) +
                            line('\t', {"Too Long", "1 Main", "Austin", "TX", "78701", "12345 Long Street Name", "Waco", "TX", "76701"}) +
                            line('\t', {"Bad Zip", "1 Main", "Austin", "TX", "78701", "12 Lot", "Waco", "TX", "7670"}));
    ui->answerImportErrors(kImportErrorsOKCode);
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runRecipientImport(RecipientReader::Text, columns), kImportCompletedCode);
    EXPECT_EQ(ui->shown()[1].errors,
              (std::vector<std::string>{
                  "Too Long (s.txt, line 3: 'Box 3: Address or legal description' (column 6) is not valid)",
                  "Bad Zip (s.txt, line 4: 'Box 3: ZIP Code' (column 9) is not valid)"}));
}

// On a desktop whose language is Turkish the C library pairs "I" with a dotless small
// letter and "i" with a dotted capital. Each state, as written in the recipient's State
// column and in the box state column, still comes in as the state list names it, and no
// recipient is listed for its state.
TEST_F(RecipientImport, EveryStateIsFoundWhateverTheCaseOfItsLettersUnderATurkishDesktop) {
    const auto& cases = kTurkishStateSpellings;
    const TurkishLocale turkish;
    ASSERT_TRUE(turkish.inEffect()) << TurkishLocale::kName << " is missing: scripts/setup makes it";

    const std::vector<std::string> columns = {"Recipient Tax Payer ID", "Business Name", "Address Line 1", "City",
                                              "State", "ZIP Code", "Box 1: Rents", "Box 16A - Top: State"};
    std::string text;
    for (size_t i = 0; i < cases.size(); ++i)
        text += "12-34567" + std::to_string(10 + i) + ",Payee " + std::to_string(i) + ",1 Main St,Springfield," +
                cases[i].written + ",62701,10.00," + cases[i].written + "\n";
    ui->answerOpenFile(writeFile("states.csv", text));
    ui->answerBox(kMessageAnswerOkYes);

    ASSERT_EQ(runRecipientImport(RecipientReader::Csv, columns), kImportCompletedCode);
    EXPECT_EQ(ui->count("importErrors"), 0);
    const auto stored = cdb()->getRecipients(1, 1);
    const auto extras = cdb()->getAddRecipients(1, 1);
    ASSERT_EQ(stored.size(), cases.size());
    ASSERT_EQ(extras.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].written);
        EXPECT_EQ(stored[i].getState(), cases[i].listed);
        EXPECT_EQ(extras[i].getTopState_M(), cases[i].listed);
    }
}

}  // namespace

// A file of many recipients is stored a part at a time in one transaction: the new ones
// under keys counted on in file order, the chosen conflicts over the recipients they
// match, wherever in the file they stand.
TEST_F(RecipientImport, AFileOfManyRecipientsIsStoredInFileOrderWithItsConflicts) {
    std::vector<int32_t> existing;
    for (int i = 0; i < 4; ++i) existing.push_back(store("Old " + std::to_string(i), "90-000000" + std::to_string(i)));
    std::string text;
    std::vector<std::string> numbers;
    for (int i = 0; i < 1203; ++i) {
        // Lines 300, 600, 900 and 1200 repeat the stored numbers.
        const bool known = i % 300 == 299;
        const std::string tin = known ? "90-000000" + std::to_string(i / 300) : std::to_string(100000000 + i);
        text += line('\t', {tin, "Payee " + std::to_string(i), "", "", "1 Main", "Austin", "TX", "78701", "5.00"});
        if (!known) numbers.push_back(tin);
    }
    chooseFile("many.txt", text);
    ui->answerImportConflicts(kImportConflictsOKCode, {0, 3});
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportCompletedCode);
    EXPECT_NE(ui->boxes().at(0).details.find("1199 recipients were added and 2 recipients were overwritten."),
              std::string::npos);
    const int32_t firstNew = existing.back() + 1;
    for (size_t k = 0; k < numbers.size(); k += 97) {
        const RecipientInfo r = cdb()->getRecipientInfo(firstNew + static_cast<int32_t>(k));
        EXPECT_EQ(r.getTaxID(), numbers[k]) << k;
        EXPECT_FALSE(r.getValidated());
        EXPECT_EQ(cdb()->getRecipientAdditionalInfo(firstNew + static_cast<int32_t>(k)).getname_type(),
                  "Business Name");
    }
    EXPECT_EQ(cdb()->getRecipientInfo(firstNew + 1198).getLastName(), "Payee 1202");
    EXPECT_EQ(cdb()->getRecipientPK(), firstNew + 1198);
    EXPECT_EQ(cdb()->getRecipientInfo(existing[0]).getLastName(), "Payee 299");
    EXPECT_EQ(cdb()->getRecipientInfo(existing[1]).getLastName(), "Old 1");
    EXPECT_EQ(cdb()->getRecipientInfo(existing[2]).getLastName(), "Old 2");
    EXPECT_EQ(cdb()->getRecipientInfo(existing[3]).getLastName(), "Payee 1199");
}

// A long import shows its steps and stops on Cancel up to its single write, leaving the
// company file byte for byte as it was and saying nothing more.
TEST_F(RecipientImport, ShowsItsStepsAndCancelBeforeTheWriteLeavesTheFileAsItWas) {
    const std::string path = cdb()->GetPath();
    const auto bytes = [](const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string text = line('\t', {"111-11-1111", "Alpha", "", "", "1 Main", "Austin", "TX", "78701", ""}) +
                             line('\t', {"222-22-2222", "Beta", "", "", "2 Main", "Austin", "TX", "78701", ""});
    for (const char* cancelDuring : {"Reading", "Saving"}) {
        SCOPED_TRACE(cancelDuring);
        ui.reset();
        auto* jobs = new ScriptedJobsUserInterface;
        ui.reset(jobs);
        jobs->cancelDuring(cancelDuring);
        chooseFile("recipients.txt", text);
        const std::string before = bytes(path) + "|" + bytes(path + "-wal") + "|" + bytes(path + "-journal");

        EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportStoppedCode);
        EXPECT_EQ(bytes(path) + "|" + bytes(path + "-wal") + "|" + bytes(path + "-journal"), before);
        EXPECT_TRUE(recipients().empty());
        EXPECT_TRUE(loadRecipientColumns(*cdb(), 1).empty());
        EXPECT_TRUE(ui->boxes().empty());
        ASSERT_EQ(jobs->jobs().size(), 1u);
        EXPECT_TRUE(jobs->jobs()[0]->cancelPressed);
        EXPECT_TRUE(jobs->jobs()[0]->closed);
    }

    ui.reset();
    auto* jobs = new ScriptedJobsUserInterface;
    ui.reset(jobs);
    chooseFile("recipients.txt", text);
    ui->answerBox(kMessageAnswerOkYes);   // Import Complete
    EXPECT_EQ(runRecipientImport(RecipientReader::Text, kColumns), kImportCompletedCode);
    EXPECT_EQ(recipients().size(), 2u);
    ASSERT_EQ(jobs->jobs().size(), 1u);
    const auto& job = *jobs->jobs()[0];
    EXPECT_EQ(job.request.title, "Import Recipients");
    EXPECT_EQ(job.steps, (std::vector<std::string>{"Reading recipients.txt", "Saving 2 recipients"}));
    EXPECT_EQ(job.lastCounts[0].second, 2);
    EXPECT_EQ(job.shownAtOnce, std::vector<std::string>{"Saving 2 recipients"});
    EXPECT_FALSE(job.cancelOffered);   // the write had begun
    EXPECT_TRUE(job.closed);
}
