#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <tuple>

#include <sys/wait.h>
#include <unistd.h>

#include "ImportFixture.h"
#include "LineBreakCases.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportCodes.h"
#include "core/import/ImportColumnChoices.h"
#include "core/import/PayerImport.h"

using namespace imports;

namespace {

TEST(PayerFileName, EachStepOfTheRule) {
    struct Case {
        std::string name, file;
    } cases[] = {
        {"Acme   Supply  Co.", "Acme Supply Co_"},              // runs of blanks made one; "." replaced
        {"Acme ", "Acme"},                                      // a final blank removed
        {"Acme  ", "Acme"},                                     // after the runs are made one
        {"3M Company", "_3M Company"},                          // a digit first
        {"O'Neil & Sons", "O_Neil _ Sons"},                     // one "_" for each character replaced
        {"acme", "acme"},                                       // lower case first: no "_"
        {"{Brace}", "_Brace_"},                                 // "{" (code 123) first: no "_" in front
        {"_Under", "__Under"},                                  // "_" first (code 95) gets one
        {"-Dash", "_-Dash"},
        {"\xC3\x9Cnited", "__nited"},                           // a letter outside ASCII
        {"A/B Corp", "A_B Corp"},                               // no folders
        {"../../etc/passwd", "_______etc_passwd"},
        {"Tab\tCo", "Tab_Co"},
        {std::string(59, 'A') + " B" + std::string(14, 'C'), std::string(59, 'A')},   // 75 cut to 60, its blank removed
        {std::string(61, 'A'), std::string(60, 'A')},
    };
    for (const auto& c : cases) EXPECT_EQ(payerDatabaseName(c.name), c.file) << c.name;
}

std::vector<int> columnsOf(const std::vector<std::string>& names) {
    std::vector<int> out;
    for (const auto& n : names) out.push_back(payerCatalogueIndex(n));
    return out;
}

TEST(PayerLines, OneLineToOnePayer) {
    const auto nameAndId = columnsOf({"Payer's Name", "Payer's Federal ID"});
    // The .txt line: a name and a valid number, not valid for want of an address.
    ComapnyInfo p = payerFromLine({"Acme", "12-3456789"}, nameAndId, PayerReader::Text);
    EXPECT_EQ(p.getName(), "Acme");
    EXPECT_EQ(p.getTaxID1(), "12-3456789");
    EXPECT_FALSE(p.getValidated());
    // Fields beyond the chosen columns are ignored; missing ones are empty.
    p = payerFromLine({"Acme"}, nameAndId, PayerReader::Csv);
    EXPECT_EQ(p.getTaxID1(), "");

    const auto full = columnsOf({"Payer's Name", "Payer Address Line1", "City", "State", "ZIP", "Phone"});
    p = payerFromLine({"  Acme Co\t ", "1 Main", "Austin", "tx", "78701", "5125551212", "extra"}, full,
                      PayerReader::Csv);
    EXPECT_EQ(p.getName(), "Acme Co");   // a name holding a blank is trimmed
    EXPECT_EQ(p.getState(), "Texas-TX");
    EXPECT_TRUE(p.getValidated());
    EXPECT_EQ(payerFromLine({"Acme", "1 Main", "Austin", "Cal", "", ""}, full, PayerReader::Text).getState(), "Cal");
    EXPECT_EQ(payerFromLine({"Acme", "1 Main", "Austin", "", "", ""}, full, PayerReader::Text).getState(), "None");
    EXPECT_FALSE(payerFromLine({std::string(41, 'N'), "1 Main"}, full, PayerReader::Text).getValidated());
    EXPECT_EQ(payerFromLine({"   ", "1 Main"}, full, PayerReader::Text).getName(), "");
    EXPECT_FALSE(payerFromLine({"Acme", std::string(41, 'a')}, full, PayerReader::Text).getValidated());
    // An empty federal ID is not checked.
    EXPECT_TRUE(payerFromLine({"Acme", "1 Main", ""}, columnsOf({"Payer's Name", "Payer Address Line1", "Payer's Federal ID"}),
                              PayerReader::Text)
                    .getValidated());

    // A name type "b" before the first name empties it in .txt files only.
    const auto typeFirst = columnsOf({"Payer's Name", "Payer Name_Type", "Payer First Name"});
    const auto firstType = columnsOf({"Payer's Name", "Payer First Name", "Payer Name_Type"});
    EXPECT_EQ(payerFromLine({"Acme", "b", "Ann"}, typeFirst, PayerReader::Text).getfirstname(), "");
    EXPECT_EQ(payerFromLine({"Acme", "b", "Ann"}, typeFirst, PayerReader::Csv).getfirstname(), "Ann");
    EXPECT_EQ(payerFromLine({"Acme", "Ann", "B"}, firstType, PayerReader::Text).getfirstname(), "Ann");
    EXPECT_EQ(payerFromLine({"Acme", "Ann", "B"}, firstType, PayerReader::Text).getpayernametype(), "Business Name");
    EXPECT_EQ(payerFromLine({"Acme", "Ann", "Bus"}, firstType, PayerReader::Text).getpayernametype(), "Individual");

    const auto phone = columnsOf({"Payer Phone_type", "Payer's Federal ID"});
    EXPECT_EQ(payerFromLine({"d", "12"}, phone, PayerReader::Text).getphone_type(), "Domestic");
    EXPECT_EQ(payerFromLine({"", "12"}, phone, PayerReader::Text).getphone_type(), "International");
    EXPECT_FALSE(payerFromLine({"d", "12"}, phone, PayerReader::Text).getValidated());

    // The payroll export: its name is kept as read.
    p = payerFromLine({" Acme ", "12-3456789", "1 Main", "Austin", "TX", "78701", "555"}, {}, PayerReader::Payroll);
    EXPECT_EQ(p.getName(), " Acme ");
    EXPECT_EQ(p.getAddress(), "1 Main");
    EXPECT_EQ(p.getState(), "Texas-TX");
    EXPECT_EQ(p.getPhone(), "555");
}

const std::vector<std::string> kColumns = {"Payer's Name", "Payer's Federal ID", "Payer Address Line1", "City",
                                           "State", "ZIP"};

class PayerImport : public ImportTest {
protected:
    void SetUp() override {
        ImportTest::SetUp();
        mainPath = openCompany("Main", {"Existing Payer"});
    }

    std::string chooseFile(const std::string& name, const std::string& text) {
        const std::string path = writeFile(name, text);
        ui->answerOpenFile(path);
        return path;
    }

    std::string target(const std::string& fileName) const { return yearFolder() + fileName + " 2025.db"; }

    // The files of the year folder.
    std::vector<std::string> yearFiles() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(yearFolder()))
            if (e.is_regular_file()) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    // The federal id of the one payer in a new company database (stored in its own form).
    std::string storedTaxID(const std::string& fileName) {
        CompanyDatabase file;
        EXPECT_TRUE(file.Init(target(fileName), false, false, true, fileName));
        const std::string id = file.getCompanyInfo1(0).getTaxID1();
        file.Close();
        return id;
    }

    // Imports a payer ".csv" file of these payers, lines ended as file says, with strays[i]
    // line breaks pasted into payer i's address and saved unquoted as lone CRs (none past
    // the end of strays). Every payer must be made, named with the tag, each field as
    // written and each break one blank. The number of payers of the file.
    size_t expectPayersMadeWithStrayCrs(const std::vector<std::vector<std::string>>& payers, const StrayCrFile& file,
                                        const std::string& tag, const std::vector<size_t>& strays) {
        std::vector<std::vector<std::string>> written = payers, made = payers;
        for (size_t i = 0; i < payers.size(); ++i)
            for (size_t k = 0; k < (i < strays.size() ? strays[i] : 0); ++k) {
                const std::string suite = "Suite " + std::to_string(i + k + 5);
                written[i][2] += "\r" + suite;
                made[i][2] += " " + suite;
            }
        return expectPayersMade(written, file.end, file.finalEnd, tag, made);
    }

    // Imports a payer ".csv" file of the rows written (name, federal id, address, city,
    // state, ZIP, as far as each row goes; the address first when order puts it there)
    // and after them emptyRows rows of six empty cells, each line ended by end, the last
    // only when finalEnd. Every payer must be made, named with the tag, with its fields
    // as made gives them (the state "TX"). The number of payers of the file.
    size_t expectPayersMade(std::vector<std::vector<std::string>> written, const std::string& end, bool finalEnd,
                            const std::string& tag, const std::vector<std::vector<std::string>>& made,
                            size_t emptyRows = 0, const LineBreakCase& order = {}) {
        freshUi();
        for (auto& row : written) {
            row[0] += " " + tag;   // every case makes companies of its own
            row = inCaseOrder(order, row, 2);
        }
        written.insert(written.end(), emptyRows, std::vector<std::string>(6));
        std::string text;
        for (size_t i = 0; i < written.size(); ++i) {
            for (size_t j = 0; j < written[i].size(); ++j) text += (j ? "," : "") + written[i][j];
            if (i + 1 < written.size() || finalEnd) text += end;
        }
        chooseFile("payers.csv", text);
        ui->answerBox(kMessageAnswerOkYes);
        EXPECT_EQ(runPayerImport(PayerReader::Csv, inCaseOrder(order, kColumns, 2)), kImportCompletedCode);
        EXPECT_EQ(boxTitles(), std::vector<std::string>{"Import Complete"});
        EXPECT_EQ(ui->count("formErrors"), 0);
        for (const auto& p : made) {
            const std::string name = p[0] + " " + tag;
            EXPECT_EQ(rowsInFile(target(name), "select name, address, city, state, zip from companies;"),
                      std::vector<std::string>{name + "|" + p[2] + "|" + p[3] + "|Texas-TX|" + p[5]});
            EXPECT_EQ(storedTaxID(name), p[1]);
        }
        return made.size();
    }

    std::string mainPath;
};

TEST_F(PayerImport, TabSeparatedPayersBecomeRegisteredCompanyDatabases) {
    chooseFile("payers.txt", "Acme   Supply  Co.\t12-3456789\t1 Main\tAustin\ttx\t78701\r\n"
                             "Acme Supply Co?\t98-7654321\t2 Main\tDallas\tTX\t75001\r\n"
                             "3M Company\t\t3 Main\tWaco\tTX\t76701\r\n");
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportCompletedCode);
    EXPECT_EQ(ui->sequence(), (std::vector<std::string>{"closeDatabase", "chooseOpenFile", "openRecentDatabase",
                                                        "closeDatabase", "messageBox"}));
    EXPECT_EQ(ui->refreshCount(), 1);
    EXPECT_EQ(ui->boxes()[0].title, "Import Complete");
    EXPECT_EQ(ui->boxes()[0].details,
              "All imported companies will be marked as 'NOT Valid' until you review the companies' data using the "
              "'Update Company' button. Some companies may still need more information before filing.");
    EXPECT_FALSE(cdb()->IsReady());

    // Two payers with one file name share one database.
    const std::string acme = target("Acme Supply Co_");
    EXPECT_EQ(rowsInFile(acme, "select name, validated from companies order by pk;"),
              (std::vector<std::string>{"Acme   Supply  Co.|0", "Acme Supply Co?|0"}));
    EXPECT_EQ(rowsInFile(acme, "select name, year, isBackup, in_use from database;"),
              (std::vector<std::string>{"Acme Supply Co_|2025|0|0"}));
    EXPECT_EQ(rowsInFile(target("_3M Company"), "select name from companies;"), std::vector<std::string>{"3M Company"});
    EXPECT_EQ(rowsInFile(acme, "select count(*) from mailinglabel;"), std::vector<std::string>{"2"});

    std::map<std::string, databaseInfo> listed;
    for (const auto& e : app()->SelectDatabaseList()) listed[e.path()] = e;
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[acme].name(), "Acme Supply Co_");
    EXPECT_EQ(listed[acme].year(), 2025);
    EXPECT_EQ(listed[acme].CompanyName(), "Acme   Supply  Co.");
    EXPECT_EQ(listed[target("_3M Company")].CompanyName(), "3M Company");

    // The choice landed in the database the window had open.
    ASSERT_TRUE(cdb()->Init(mainPath, false, false, true, "Main"));
    EXPECT_EQ(loadPayerColumns(*cdb()), kColumns);
}

TEST_F(PayerImport, CommaSeparatedPayersWithTheNotValidList) {
    chooseFile("payers.csv", "Beta LLC,98-7654321,1 Main,Austin,TX,78701\n"
                             "Gamma Inc,12-345,,Austin,TX,78701\n"
                             "\n"
                             ",,9 Nowhere\n"
                             "Delta, Inc.,11-1111111,4 Main\n");
    ui->answerFormErrors(true);
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runPayerImport(PayerReader::Csv, kColumns), kImportCompletedCode);
    EXPECT_EQ(ui->shown()[1].openFile.fileType, "csv");
    ASSERT_EQ(ui->count("formErrors"), 1);
    // A comma inside a value shifts the later columns: Delta's number lands in the address.
    EXPECT_EQ(ui->shown()[2].errors,
              (std::vector<std::string>{"Gamma Inc", "(no name) (payers.csv, line 3: not imported)", "Delta"}));
    EXPECT_EQ(yearFiles(), (std::vector<std::string>{"Beta LLC 2025.db", "Delta 2025.db", "Gamma Inc 2025.db",
                                                     "Main 2025.db"}));
    EXPECT_EQ(rowsInFile(target("Delta"), "select address from companies;"),
              std::vector<std::string>{"11-1111111"});
}

TEST_F(PayerImport, QuotedCommaSeparatedPayersStayWholeAndAnUnclosedQuoteRefusesTheFile) {
    chooseFile("quoted.csv", "\"Epsilon, Inc.\",\"22-2222222\",\"5 Main, Suite 2\",Austin,TX,78701\r\n"
                             "\"Zeta \"\"Z\"\" Co\",,\"6 Main\",Dallas,TX,75001\r\n"
                             "\"Acme\r\nSupply Co\",,\"7 Main\r\nSuite\t5\",Waco,TX,76701\r\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Csv, kColumns), kImportCompletedCode);
    EXPECT_EQ(rowsInFile(target("Epsilon_ Inc_"), "select name, address, city, zip from companies;"),
              std::vector<std::string>{"Epsilon, Inc.|5 Main, Suite 2|Austin|78701"});
    EXPECT_EQ(rowsInFile(target("Zeta _Z_ Co"), "select name, city from companies;"),
              std::vector<std::string>{"Zeta \"Z\" Co|Dallas"});
    // A line break or a tab inside a field is a blank: in the name, and so in the file's name.
    EXPECT_EQ(rowsInFile(target("Acme Supply Co"), "select name, address from companies;"),
              std::vector<std::string>{"Acme Supply Co|7 Main Suite 5"});

    freshUi();
    const std::string path = chooseFile("unclosed.csv", "Eta,,1 Main\n\"Theta,,2 Main\nIota,,3 Main\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Csv, kColumns), kImportStoppedCode);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].title, "Import Failed");
    EXPECT_NE(ui->boxes()[0].details.find(path), std::string::npos) << ui->boxes()[0].details;
    EXPECT_NE(ui->boxes()[0].details.find("line 2 "), std::string::npos) << ui->boxes()[0].details;
    EXPECT_FALSE(platform::fileExists(target("Eta")));
    EXPECT_EQ(listedPaths().size(), 3u);
}

// A run stopped dead (as a crash would: no clean-up) at each step of putting the payers
// into their files and listing them. Each trial starts from the same files, runs the
// import in a child process that ends itself at the chosen step, and then runs the same
// file again here.
TEST_F(PayerImport, ARunKilledAtAnyStepListsNothingOrEverythingAndTheNextRunFinishesIt) {
    constexpr int kKilled = 42;
    const std::string gamma = makeDatabase("Gamma", {"Gamma Original"});   // there already, not listed
    const std::string file = writeFile("payers.txt", "Alpha\t\t1 Main\nBeta Co.\t\t2 Main\nBeta Co,\t\t3 Main\n"
                                                     "Gamma\t\t4 Main\n");
    const std::map<std::string, std::vector<std::string>> payersByFile = {
        {target("Alpha"), {"Alpha"}}, {target("Beta Co_"), {"Beta Co.", "Beta Co,"}}, {gamma, {"Gamma Original", "Gamma"}}};
    const std::vector<std::string> all = {target("Alpha"), target("Beta Co_"), gamma};
    const auto sorted = [](std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    const std::string configuration = app()->GetPath();
    const auto openBoth = [&] {
        return app()->Init(configuration, false) && cdb()->Init(mainPath, true, true, true, "Main");
    };

    namespace fs = std::filesystem;
    const std::string documents = home.file("Documents"), saved = home.file("saved");
    cdb()->Close();
    app()->Close();
    fs::copy(documents, saved, fs::copy_options::recursive);

    int stopAt = 0;
    for (;; ++stopAt) {
        SCOPED_TRACE("stopped at step " + std::to_string(stopAt));
        cdb()->Close();
        app()->Close();
        fs::remove_all(documents);
        fs::copy(saved, documents, fs::copy_options::recursive);

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int passed = 0;
            setPayerImportCheckpoint([&](const std::string&) {
                if (passed++ == stopAt) ::_exit(kKilled);
            });
            freshUi();
            ui->answerOpenFile(file);
            ui->answerBox(kMessageAnswerOkYes);
            ::_exit(openBoth() && runPayerImport(PayerReader::Text, kColumns) == kImportCompletedCode ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        const bool killed = WEXITSTATUS(status) == kKilled;
        ASSERT_TRUE(killed || WEXITSTATUS(status) == 0) << WEXITSTATUS(status);

        ASSERT_TRUE(openBoth());
        const std::vector<std::string> listed = sorted(listedPaths());
        EXPECT_TRUE(listed.empty() || listed == all) << testing::PrintToString(listed);
        if (killed) {
            freshUi();
            ui->answerOpenFile(file);
            if (listed.empty()) {
                ui->answerBox(kMessageAnswerOkYes);
                EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportCompletedCode);
            } else {
                // Everything was listed: the file's companies are there already.
                ui->answerAlert(kAlertFirstButtonCode);
                EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportDuplicateCompanyCode);
            }
        }
        EXPECT_EQ(sorted(listedPaths()), all);
        for (const auto& [path, names] : payersByFile)
            EXPECT_EQ(rowsInFile(path, "select name from companies order by pk;"), names) << path;
        // Nothing left over beside them.
        EXPECT_EQ(yearFiles(), (std::vector<std::string>{"Alpha 2025.db", "Beta Co_ 2025.db", "Gamma 2025.db",
                                                         "Main 2025.db"}));
        if (!killed) break;
    }
    // Two files built, one extended, two renamed, the list written and committed.
    EXPECT_EQ(stopAt, 7);
}

TEST_F(PayerImport, CancellingTheNotValidListCreatesNothing) {
    chooseFile("payers.txt", "Gamma Inc\t12-345\n");
    ui->answerFormErrors(false);
    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportStoppedCode);
    EXPECT_EQ(yearFiles(), std::vector<std::string>{"Main 2025.db"});
    EXPECT_TRUE(listedPaths().empty());
}

TEST_F(PayerImport, PayrollPayersAreNamedByTheRuleAndLeaveTheOpenDatabaseAlone) {
    chooseFile("payroll.txt", "A/B Corp\t12-3456789\t1 Main\tAustin\tTX\t78701\t5125551212\n"
                              "../Escape\t98-7654321\t2 Main\tDallas\tTX\t75001\t\n");
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runPayrollPayerImport(), kImportCompletedCode);
    // The open database was not closed before, and got no payers.
    EXPECT_EQ(ui->sequence().front(), "chooseOpenFile");
    EXPECT_EQ(rowsInFile(mainPath, "select name from companies;"), std::vector<std::string>{"Existing Payer"});
    EXPECT_EQ(yearFiles(), (std::vector<std::string>{"A_B Corp 2025.db", "Main 2025.db", "____Escape 2025.db"}));
    EXPECT_EQ(rowsInFile(target("A_B Corp"), "select name, year, isBackup from database;"),
              std::vector<std::string>{"A_B Corp|2025|0"});
    EXPECT_EQ(rowsInFile(target("A_B Corp"), "select name, phone from companies;"),
              std::vector<std::string>{"A/B Corp|5125551212"});
    EXPECT_EQ(listedPaths().size(), 2u);
    EXPECT_FALSE(cdb()->IsReady());
}

TEST_F(PayerImport, PayrollLinesWithTooManyFieldsOrNoneStopTheRun) {
    chooseFile("payroll.txt", "Acme\t1\t2\t3\t4\t5\t6\t7\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayrollPayerImport(), kImportStoppedCode);
    EXPECT_EQ(ui->boxes()[0].details, "Too many import fields on line 1");
    EXPECT_EQ(ui->boxes()[0].title, "Import Failed");

    chooseFile("payroll2.txt", "Acme\t12-3456789\n \nBeta\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayrollPayerImport(), kImportStoppedCode);
    EXPECT_EQ(ui->boxes().back().title, "Nothing Imported");
    EXPECT_EQ(yearFiles(), std::vector<std::string>{"Main 2025.db"});
    EXPECT_TRUE(cdb()->IsReady());
}

TEST_F(PayerImport, ALineWithoutANameAsksBeforeTheFirstPayerOnly) {
    chooseFile("payers.txt", "\t12-3456789\nAcme\t98-7654321\n\t11-1111111\n");
    ui->answerBox(kMessageAnswerNo);
    ui->answerFormErrors(true);
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportCompletedCode);
    EXPECT_EQ(ui->boxes()[0].details,
              "Unable to import company information on line 1. Does not have an entry for the required field "
              "'Payer's Name'. Must skip this Company. Do you want to cancel import instead?");
    EXPECT_EQ(ui->boxes()[0].style, 10);
    EXPECT_EQ(ui->boxes()[0].title, "Import Error");
    EXPECT_EQ(ui->shown()[3].errors,
              (std::vector<std::string>{"Acme", "(no name) (payers.txt, line 3: not imported)"}));

    // Yes cancels the whole import.
    chooseFile("payers2.txt", "\t12-3456789\nBeta\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportAbandonedCode);
    EXPECT_FALSE(platform::fileExists(target("Beta")));
}

// Spreadsheets end their exports with rows of separators: such a row is no payer.
TEST_F(PayerImport, RowsOfEmptyFieldsAreSkippedWithoutAQuestionAndCounted) {
    chooseFile("payers.csv", ",,,,,\nAcme,98-7654321,1 Main,Austin,TX,78701\n,,,,,\n, ,,,,\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Csv, kColumns), kImportCompletedCode);
    ASSERT_EQ(ui->boxes().size(), 1u) << "no question about the empty rows";
    EXPECT_EQ(ui->boxes()[0].title, "Import Complete");
    EXPECT_NE(ui->boxes()[0].details.find("\n\n3 rows whose fields are all empty were skipped."), std::string::npos)
        << ui->boxes()[0].details;
    EXPECT_TRUE(platform::fileExists(target("Acme")));
}

TEST_F(PayerImport, ABlankLineBeforeAnyPayerEndsTheRun) {
    chooseFile("payers.txt", " \nAcme\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportStoppedCode);
    EXPECT_EQ(boxTitles(), std::vector<std::string>{"Nothing Imported"});
    EXPECT_EQ(yearFiles(), std::vector<std::string>{"Main 2025.db"});
}

TEST_F(PayerImport, AListedCompanyNameRefusesTheWholeFile) {
    databaseInfo listed("Old", yearFolder() + "Old 2025.db", 2025, false, "");
    listed.setCompanyName("Acme");
    ASSERT_TRUE(app()->InsertDatabaseInfo(listed));
    chooseFile("payers.txt", "Beta\t\t1 Main\nAcme\t\t2 Main\n");
    ui->answerAlert(kAlertFirstButtonCode);

    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportDuplicateCompanyCode);
    ASSERT_EQ(ui->alerts().size(), 1u);
    const AlertRequest alert = ui->alerts()[0];
    EXPECT_EQ(alert.title, "Import Company");
    EXPECT_EQ(alert.message, "Duplicate company is available in the selected company list. Please avoid duplicate "
                             "companies for the import.");
    EXPECT_EQ(alert.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(alert.icon, AlertIcon::Error);
    EXPECT_EQ(yearFiles(), std::vector<std::string>{"Main 2025.db"});
    EXPECT_EQ(listedPaths().size(), 1u);

    // Exact and case-sensitive: "acme" is another company.
    chooseFile("payers2.txt", "acme\t\t2 Main\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportCompletedCode);
}

TEST_F(PayerImport, AFailureTakesBackEverythingTheRunMade) {
    // Alpha goes into a database that is there already; Beta gets a new one; Gamma's
    // database refuses the payer.
    const std::string alpha = makeDatabase("Alpha", {"Alpha Original"});
    const std::string gamma = makeDatabase("Gamma", {});
    {
        CompanyDatabase g;
        ASSERT_TRUE(g.Init(gamma, false, false, true, "Gamma"));
        ASSERT_TRUE(g.db->executeStatements(
            "create trigger refuse before insert on companies begin select raise(abort, 'no room here'); end;"));
        g.Close();
    }
    const auto alphaBefore = rowsInFile(alpha, "select * from companies;");
    chooseFile("payers.txt", "Alpha\t\t1 Main\nBeta\t\t2 Main\nGamma\t\t3 Main\n");
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportStoppedCode);
    ASSERT_EQ(ui->boxes().size(), 1u);
    const MessageBoxRequest box = ui->boxes()[0];
    EXPECT_EQ(box.caption, "Unable to import.");
    EXPECT_NE(box.details.find("\"Gamma\""), std::string::npos) << box.details;
    EXPECT_NE(box.details.find("no room here"), std::string::npos) << box.details;
    EXPECT_EQ(box.image, 512);
    EXPECT_EQ(yearFiles(), (std::vector<std::string>{"Alpha 2025.db", "Gamma 2025.db", "Main 2025.db"}));
    EXPECT_EQ(rowsInFile(alpha, "select * from companies;"), alphaBefore);
    EXPECT_EQ(rowsInFile(alpha, "select count(*) from mailinglabel;"), std::vector<std::string>{"1"});
    EXPECT_TRUE(listedPaths().empty());
}

TEST_F(PayerImport, AListThatRefusesTheNewEntriesTakesBackTheFilesAndPayers) {
    const std::string alpha = makeDatabase("Alpha", {"Alpha Original"});
    const auto alphaBefore = rowsInFile(alpha, "select * from companies;");
    ASSERT_TRUE(app()->db()->executeStatements(
        "create trigger refuse before insert on databaseList begin select raise(abort, 'list is full'); end;"));
    chooseFile("payers.txt", "Alpha\t\t1 Main\nBeta\t\t2 Main\n");
    ui->answerBox(kMessageAnswerOkYes);   // the list's own message

    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportStoppedCode);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_NE(ui->boxes()[0].details.find("list is full"), std::string::npos) << ui->boxes()[0].details;
    EXPECT_EQ(yearFiles(), (std::vector<std::string>{"Alpha 2025.db", "Main 2025.db"}));
    EXPECT_EQ(rowsInFile(alpha, "select * from companies;"), alphaBefore);
    EXPECT_TRUE(listedPaths().empty());
}

TEST_F(PayerImport, ATargetThatIsNoCompanyDatabaseIsRefusedBeforeAnythingIsMade) {
    std::ofstream(target("Gamma"), std::ios::binary) << "this is not a database, just some text to fill a page";
    chooseFile("payers.txt", "Beta\t\t2 Main\nGamma\t\t3 Main\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportStoppedCode);
    EXPECT_NE(ui->boxes()[0].details.find(target("Gamma")), std::string::npos);
    EXPECT_FALSE(platform::fileExists(target("Beta")));
    EXPECT_TRUE(listedPaths().empty());
}

TEST_F(PayerImport, TheRequiredNameColumnTheCancelledChooserAndUnreadableFiles) {
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Text, {"City", "ZIP"}), kImportStoppedCode);
    EXPECT_EQ(ui->boxes()[0].details, "'Payer's Name' is a required field. Please add 'Payer's Name' to the list of "
                                      "selected fields any position.");
    EXPECT_TRUE(ui->boxes()[0].flag);
    EXPECT_FALSE(cdb()->IsReady());

    // A cancelled chooser reopens the recent database.
    ui->answerOpenFile(std::nullopt);
    EXPECT_EQ(runPayerImport(PayerReader::Csv, kColumns), kImportStoppedCode);
    EXPECT_TRUE(cdb()->IsReady());

    // A file that is not UTF-8 stops the run; the database stays closed.
    chooseFile("latin1.txt", "Acme\nCaf\xE9\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportStoppedCode);
    EXPECT_EQ(ui->boxes().back().caption, "Unable to import.");
    EXPECT_EQ(ui->boxes().back().title, "Import Failed");
    EXPECT_NE(ui->boxes().back().details.find("line 2"), std::string::npos);
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_EQ(yearFiles(), std::vector<std::string>{"Main 2025.db"});
}

TEST_F(PayerImport, AWindowThatStaysOpenKeepsTheDatabaseAndStopsTheRun) {
    ui->refuseCloseDatabase();
    EXPECT_EQ(runPayerImport(PayerReader::Text, kColumns), kImportStoppedCode);
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_EQ(ui->count("chooseOpenFile"), 0);
}

// Spreadsheets and editors end lines with LF, CR LF or a lone CR, and some mix CR LF and
// LF: every payer of the file is made, each field as written.
TEST_F(PayerImport, EveryKindOfLineEndMakesEveryPayerWithItsFieldsAsWritten) {
    const std::vector<std::vector<std::string>> payers = {
        {"Beta", "98-7654321", "1 Main", "Austin", "TX", "78701"},
        {"Gamma", "12-3456789", "2 Elm", "Dallas", "Texas", "75001"},
        {"Delta", "23-4567890", "3 Oak", "Waco", "tx", "76701"},
    };
    for (const auto& [reader, separator, kind] :
         {std::tuple{PayerReader::Csv, ',', "csv"}, std::tuple{PayerReader::Text, '\t', "txt"}}) {
        for (const auto& ending : kLineEndings) {
            const std::string tag = std::string(kind) + " " + ending.name;
            SCOPED_TRACE(tag);
            freshUi();
            std::string text;
            for (size_t i = 0; i < payers.size(); ++i) {
                std::vector<std::string> fields = payers[i];
                fields[0] += " " + tag;   // every case makes companies of its own
                for (size_t j = 0; j < fields.size(); ++j) text += (j ? std::string(1, separator) : "") + fields[j];
                text += ending.ends[i];
            }
            chooseFile(std::string("payers.") + kind, text);
            ui->answerBox(kMessageAnswerOkYes);
            EXPECT_EQ(runPayerImport(reader, kColumns), kImportCompletedCode);
            EXPECT_EQ(boxTitles(), std::vector<std::string>{"Import Complete"});
            EXPECT_EQ(ui->count("formErrors"), 0);
            for (const auto& p : payers) {
                const std::string name = p[0] + " " + tag;
                EXPECT_EQ(rowsInFile(target(name), "select name, address, city, state, zip from companies;"),
                          std::vector<std::string>{name + "|" + p[2] + "|" + p[3] + "|Texas-TX|" + p[5]});
                EXPECT_EQ(storedTaxID(name), p[1]);
            }
        }
    }
    EXPECT_EQ(listedPaths().size(), 2 * kLineEndings.size() * payers.size());
}

// A line break pasted into a cell of the first payer, saved without quotes as a lone CR,
// in a file of LF or CR LF lines of two payers or more: one blank of that field, and
// every payer is made with its fields as written.
TEST_F(PayerImport, ALoneCarriageReturnInTheFirstRecordOfAnLFFileIsOneBlank) {
    const std::vector<std::vector<std::string>> payers = {
        {"Acme Co", "12-3456789", "1 Main", "Austin", "TX", "78701"},
        {"Beta Co", "98-7654321", "2 Elm", "Dallas", "TX", "75001"},
        {"Gamma Co", "23-4567890", "3 Oak", "Waco", "TX", "76701"},
    };
    size_t made = 0;
    for (const StrayCrFile& file : kStrayCrFiles) {
        for (const size_t count : {2u, 3u}) {
            const std::string tag = std::string(file.name) + " " + std::to_string(count);
            SCOPED_TRACE(tag);
            made += expectPayersMadeWithStrayCrs({payers.begin(), payers.begin() + static_cast<std::ptrdiff_t>(count)},
                                                 file, tag, {1});
        }
    }
    EXPECT_EQ(listedPaths().size(), made);
}

// The payers of the line-break files: name, federal id, address, city, state, ZIP code.
const std::vector<std::vector<std::string>> kFourPayers = {
    {"Acme Co", "12-3456789", "1 Main", "Austin", "TX", "78701"},
    {"Beta Co", "98-7654321", "2 Elm", "Dallas", "TX", "75001"},
    {"Gamma Co", "23-4567890", "3 Oak", "Waco", "TX", "76701"},
    {"Delta Co", "34-5678901", "4 Pine", "Tyler", "TX", "75701"},
};

// Line breaks pasted into payers' addresses, saved unquoted as lone CRs, in a file of LF
// or CR LF lines of three or four payers: one in every record, or in the first record as
// many as the file has line ends. Each break is one blank, and every payer is made whole.
TEST_F(PayerImport, StrayCarriageReturnsInAnLFFileLeaveEveryPayerWhole) {
    const auto& payers = kFourPayers;
    size_t made = 0;
    for (const StrayCrFile& file : kStrayCrFiles)
        for (const size_t count : {3u, 4u})
            for (const bool everyRecord : {true, false}) {
                const std::string tag = std::string(file.name) + " " + std::to_string(count) +
                                        (everyRecord ? " every" : " first");
                SCOPED_TRACE(tag);
                const size_t lineEnds = count - 1 + (file.finalEnd ? 1 : 0);
                const std::vector<size_t> strays = everyRecord ? std::vector<size_t>(count, 1)
                                                               : std::vector<size_t>{lineEnds};
                made += expectPayersMadeWithStrayCrs(
                    {payers.begin(), payers.begin() + static_cast<std::ptrdiff_t>(count)}, file, tag, strays);
            }
    EXPECT_EQ(listedPaths().size(), made);
}

// A first row without its ZIP code, or many breaks in one address (a middle column, or
// the first) and rows of empty cells after the payers: with line breaks pasted into an
// address, every payer is still made whole, each field as written and each break one
// blank.
TEST_F(PayerImport, AShortFirstRowOrManyBreaksInOneAddressLeaveEveryPayerWhole) {
    const auto& payers = kFourPayers;
    size_t made = 0;
    for (size_t i = 0; i < kLineBreakCases.size(); ++i)
        for (const bool finalEnd : {true, false}) {
            const LineBreakCase& c = kLineBreakCases[i];
            const std::string tag = "Case " + std::to_string(i) + (finalEnd ? "" : " unended");
            SCOPED_TRACE(std::string(c.name) + (finalEnd ? "" : ", without a final end"));
            std::vector<std::vector<std::string>> written(payers.begin(),
                                                          payers.begin() + static_cast<std::ptrdiff_t>(c.records));
            std::vector<std::vector<std::string>> stored = written;
            if (c.shortFirst) {
                written[0].pop_back();
                stored[0][5].clear();
            }
            for (size_t k = 0; k < c.breaks.size(); ++k) {
                written[c.record][2] += c.breaks[k] + afterBreak(k);
                stored[c.record][2] += " " + afterBreak(k);
            }
            made += expectPayersMade(written, c.end, finalEnd, tag, stored, c.emptyRows, c);
        }
    EXPECT_EQ(listedPaths().size(), made);
}

// A comma-separated file of CR lines with a line break inside a quoted field: the break
// is one blank of that field, and every payer is made.
TEST_F(PayerImport, AQuotedLineBreakInAFileOfCRLinesIsOneBlank) {
    chooseFile("payers.csv", "\"Epsilon\",12-3456789,\"5 Main\nSuite 2\",Austin,TX,78701\r"
                             "Zeta,98-7654321,\"6 Main\r\nSuite 3\",Dallas,TX,75001\r"
                             "Eta,23-4567890,7 Main,Waco,TX,76701\r\n");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runPayerImport(PayerReader::Csv, kColumns), kImportCompletedCode);
    EXPECT_EQ(ui->count("formErrors"), 0);
    EXPECT_EQ(rowsInFile(target("Epsilon"), "select name, address, city, zip from companies;"),
              std::vector<std::string>{"Epsilon|5 Main Suite 2|Austin|78701"});
    EXPECT_EQ(rowsInFile(target("Zeta"), "select name, address, city, zip from companies;"),
              std::vector<std::string>{"Zeta|6 Main Suite 3|Dallas|75001"});
    EXPECT_EQ(rowsInFile(target("Eta"), "select name, address, city, zip from companies;"),
              std::vector<std::string>{"Eta|7 Main|Waco|76701"});
    EXPECT_EQ(listedPaths().size(), 3u);
}

// A run that read no payer makes nothing and says why, in place of "Import Complete".
TEST_F(PayerImport, ARunThatReadsNoPayerSaysNothingWasImportedAndWhy) {
    const std::string firstLineEmpty = " is empty. Remove the empty first line and import the file again.";
    const std::string removeLine = " Remove the line and import the file again.";
    const struct {
        PayerReader reader;
        std::string name, text, says;
        bool askedAboutAName = false;
    } cases[] = {
        {PayerReader::Csv, "empty.csv", "", "Nothing was imported: the file \"empty.csv\" holds no payers."},
        {PayerReader::Text, "empty.txt", "", "Nothing was imported: the file \"empty.txt\" holds no payers."},
        {PayerReader::Payroll, "empty.txt", "", "Nothing was imported: the file \"empty.txt\" holds no payers."},
        {PayerReader::Csv, "rows.csv", ",,,\r\n, ,,\r\n",
         "Nothing was imported: the file \"rows.csv\" holds no payers, only rows whose fields are all empty."},
        {PayerReader::Csv, "first.csv", "\nAcme,12-3456789,1 Main\n",
         "Nothing was imported: the first line of the file \"first.csv\"" + firstLineEmpty},
        {PayerReader::Csv, "first.csv", "\rAcme,12-3456789,1 Main\r",
         "Nothing was imported: the first line of the file \"first.csv\"" + firstLineEmpty},
        {PayerReader::Text, "first.txt", "\r\nAcme\t12-3456789\t1 Main\r\n",
         "Nothing was imported: the first line of the file \"first.txt\"" + firstLineEmpty},
        {PayerReader::Payroll, "first.txt", "\nAcme\t12-3456789\t1 Main\n",
         "Nothing was imported: the first line of the file \"first.txt\"" + firstLineEmpty},
        // A line that holds one blank stops the run before the first payer, and anywhere in
        // the payroll export (whose payers read before it are dropped too).
        {PayerReader::Csv, "blank.csv", " \nAcme,12-3456789,1 Main\n",
         "Nothing was imported: line 1 of the file \"blank.csv\" holds only a blank." + removeLine},
        {PayerReader::Csv, "blank.csv", "\"\"\r\nAcme,12-3456789,1 Main\r\n",
         "Nothing was imported: line 1 of the file \"blank.csv\" holds only an empty field." + removeLine},
        {PayerReader::Text, "blank.txt", " \r\nAcme\t12-3456789\t1 Main\r\n",
         "Nothing was imported: line 1 of the file \"blank.txt\" holds only a blank." + removeLine},
        {PayerReader::Payroll, "payroll.txt", "Acme\t12-3456789\r\nBeta\t98-7654321\r\n \r\nGamma\r\n",
         "Nothing was imported: line 3 of the file \"payroll.txt\" holds only a blank." + removeLine},
        // Every line was left out at the user's answer.
        {PayerReader::Text, "nameless.txt", "\t12-3456789\n",
         "Nothing was imported: no line of the file \"nameless.txt\" has an entry for the required field "
         "'Payer's Name'.",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + ": " + c.text);
        freshUi();
        chooseFile(c.name, c.text);
        if (c.askedAboutAName) ui->answerBox(kMessageAnswerNo);
        ui->answerBox(kMessageAnswerOkYes);
        EXPECT_EQ(c.reader == PayerReader::Payroll ? runPayrollPayerImport() : runPayerImport(c.reader, kColumns),
                  kImportStoppedCode);
        ASSERT_FALSE(ui->boxes().empty());
        const MessageBoxRequest box = ui->boxes().back();
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.details, c.says);
        EXPECT_EQ(box.title, "Nothing Imported");
        EXPECT_EQ(box.style, kMessageStyleOK);
        EXPECT_EQ(box.image, kMessageImagePlain);
        EXPECT_EQ(ui->boxes().size(), c.askedAboutAName ? 2u : 1u);
        EXPECT_EQ(yearFiles(), std::vector<std::string>{"Main 2025.db"});
        EXPECT_TRUE(listedPaths().empty());
    }
}

}  // namespace
