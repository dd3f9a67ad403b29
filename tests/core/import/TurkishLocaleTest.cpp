// The import on a desktop whose language is Turkish, where the C library pairs "I" with
// a dotless small letter and "i" with a dotted capital: the state lookup still finds
// every state, whatever the case of its letters.

#include <string>
#include <vector>

#include "ImportFixture.h"
#include "TurkishLocale.h"
#include "core/import/ImportCodes.h"
#include "core/import/RecipientImport.h"

using namespace imports;

namespace {

class ImportUnderTurkishLocale : public ImportTest {
protected:
    void SetUp() override {
        ImportTest::SetUp();
        openCompany("Acme", {"Payer Zero", "Payer One"});
        session()._type = 1;
        session().CPK = 1;
    }
};

// Each state, as written in the recipient's State column and in the box state column,
// comes in as the state list names it, and no recipient is listed for its state.
TEST_F(ImportUnderTurkishLocale, EveryStateIsFoundWhateverTheCaseOfItsLetters) {
    struct Case {
        std::string written, listed;
    };
    const std::vector<Case> cases = {
        {"il", "Illinois-IL"},     {"illinois", "Illinois-IL"}, {"ILLINOIS", "Illinois-IL"},
        {"in", "Indiana-IN"},      {"wi", "Wisconsin-WI"},      {"mi", "Michigan-MI"},
        {"hi", "Hawaii-HI"},       {"ri", "Rhode Island-RI"},   {"MISSISSIPPI", "Mississippi-MS"},
        {"Iowa-ia", "Iowa-IA"},
    };
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
