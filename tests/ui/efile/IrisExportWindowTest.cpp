// The IRIS export from the payer window: its refusals, files written to a real folder
// through the save panels, a cancelled panel, a save that fails, and the error list
// that stops the export.

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "IrisWindowFixture.h"
#include "ScriptedJobs.h"
#include "core/efile/IrisFile.h"
#include "platform/FileSystem.h"
#include "WithoutFileOverride.h"

namespace {

using iristest::readCsv;
using iristest::Row;

// A surname for recipient i that the name cleaning keeps and that sorts as i does.
std::string surname(int i) {
    return std::string("Surname") + static_cast<char>('a' + i / 100) + static_cast<char>('a' + i / 10 % 10) +
           static_cast<char>('a' + i % 10);
}

class IrisExportWindow : public IrisWindowTest {
protected:
    // One payer (key 0) with count 1099-NEC recipients, all selected in the main window.
    int32_t payerWithRecipients(int count) {
        const int32_t payer = addPayer(validPayer("Alpha Corp"));
        EXPECT_TRUE(cdb()->db->beginTransaction());
        for (int i = 0; i < count; ++i) addRecipient(payer, 7, surname(i), std::to_string(i) + ".00");
        EXPECT_TRUE(cdb()->db->commit());
        selectInMainWindow({payer});
        return payer;
    }

    // Exports from a window run modally; returns the run's end code. The window is
    // closed with Cancel when the export leaves it open.
    int exportFromWindow(bool closeAfter = false) {
        return run([&](Window& w) {
            ASSERT_TRUE(button(w, "Export_P")->isEnabled());
            button(w, "Export_P")->click();
            if (closeAfter) {
                EXPECT_TRUE(w.isVisible()) << "no file saved: the window stays";
                button(w, "Cancel")->click();
            }
        });
    }

    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& b : boxes()) out.push_back(b.caption);
        return out;
    }
};

// ---------------------------------------------------------------------------
// Refusals

TEST_F(IrisExportWindow, RefusalsWriteNothing) {
    struct Refusal {
        const char* name;
        std::function<void()> prepare;
        std::string text;
    };
    const Refusal refusals[] = {
        {"no form kind and no selection",
         [] {
             session().recp_details->setType(0);
             session().recp_details->setSelectedRecipients({});
         },
         "To generate an IRIS, please select one or more Recipients."},
        {"no form kind", [] { session().recp_details->setType(0); },
         "Select the appropriate 1099 type from the 'All forms' dropdown (above the recipient list, right of "
         "center). Then, choose the recipients for IRIS file generation and click 'Export IRIS File'."},
        {"no selection", [] { session().recp_details->setSelectedRecipients({}); },
         "Select at least one recipient to generate an IRIS file."},
    };
    payerWithRecipients(2);
    const Recipient selection = *session().recp_details;
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        *session().recp_details = selection;
        scripted->answerBox(kMessageAnswerOkYes);
        EXPECT_EQ(run([&](Window& w) {
                      r.prepare();
                      button(w, "Export_P")->click();
                      EXPECT_TRUE(w.isVisible());
                      button(w, "Cancel")->click();
                  }),
                  Window::kClosedCode);
        const auto box = boxes().back();
        EXPECT_EQ(box.caption, r.text);
        EXPECT_EQ(box.title, "1099 IRIS ERROR");
        EXPECT_EQ(box.style, kMessageStyleOK);
        EXPECT_EQ(box.image, kMessageImageError);
    }
    EXPECT_TRUE(proposedNames.empty()) << "no save panel";
    EXPECT_TRUE(std::filesystem::is_empty(exportFolder));
}

TEST_F(IrisExportWindow, AnAmountTheUploadCannotTakeRefusesTheWholeExport) {
    // The refused amount is in the second file: not even the first is saved.
    payerWithRecipients(101);
    RecipientInfo last = cdb()->getRecipientInfo(session().recp_details->selectedRecipients().back());
    last.setLine1_NEC("15,00");
    ASSERT_TRUE(cdb()->updateRecipientInfo(last));

    scripted->answerBox(kMessageAnswerOkYes);
    exportFromWindow(true);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_NE(boxes()[0].caption.find("\"15,00\" in Box 1 - Nonemployee Compensation of the 1099-NEC of Pat " +
                                      surname(100)),
              std::string::npos)
        << boxes()[0].caption;
    EXPECT_EQ(boxes()[0].title, "1099 IRIS ERROR");
    EXPECT_TRUE(proposedNames.empty()) << "no save panel";
    EXPECT_TRUE(std::filesystem::is_empty(exportFolder));
}

TEST_F(IrisExportWindow, RecipientsOfTwoPayersAreRefused) {
    const int32_t first = addPayer(validPayer("Alpha Corp"));
    ComapnyInfo beta = validPayer("Beta LLC");
    beta.setCity1("Toledo");
    const int32_t second = addPayer(beta);
    addRecipient(first, 7, "Adams");
    addRecipient(second, 7, "Baker");
    selectInMainWindow({first, second});
    ASSERT_EQ(session().recp_details->selectedRecipients().size(), 2u);

    scripted->answerBox(kMessageAnswerOkYes);
    exportFromWindow(true);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption,
              "The selected recipients belong to more than one payer. Select the recipients of one payer to "
              "generate an IRIS file.");
    EXPECT_EQ(boxes()[0].title, "1099 IRIS ERROR");
    EXPECT_EQ(boxes()[0].image, kMessageImageError);
    EXPECT_TRUE(proposedNames.empty());
    EXPECT_TRUE(std::filesystem::is_empty(exportFolder));
    EXPECT_EQ(cdb()->getCompanyInfo1(second).getCity(), "Toledo");
}

TEST_F(IrisExportWindow, CancelInTheErrorListStopsTheExport) {
    ComapnyInfo p = validPayer("Alpha Corp");
    p.setZip1("12");
    const int32_t payer = addPayer(p);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    ASSERT_TRUE(cdb()->db->executeStatements(
        "create table payerWrites (pk INT);"
        "create trigger notePayerWrite after update on companies begin insert into payerWrites values (new.pk); end;"));

    scripted->answerFormErrors(true);            // Submit: save anyway
    scripted->answerBox(kMessageAnswerOkYes);    // its success message
    scripted->answerFormErrors(false);           // Export: go back to the payer
    const int code = run([&](Window& w) {
        typeText(edit(w, "Middle_Name"), QStringLiteral("Q"));
        button(w, "Submit")->click();
        ASSERT_TRUE(button(w, "Export_P")->isEnabled());
        button(w, "Export_P")->click();
        EXPECT_TRUE(w.isVisible());
        button(w, "Cancel")->click();
    });
    EXPECT_EQ(code, Window::kClosedCode);
    EXPECT_EQ(cdb()->db->intForQuery("select count(*) from payerWrites;"), 1) << "only Submit wrote the payer";
    EXPECT_TRUE(proposedNames.empty()) << "no file built";
    EXPECT_TRUE(std::filesystem::is_empty(exportFolder));
}

// A TIN type that its dashed number contradicts is listed with the payer's faults,
// naming the recipient: going back stops the export, going on files the type as stored.
TEST_F(IrisExportWindow, ATinTypeItsNumberContradictsIsListedBeforeTheExport) {
    payerWithRecipients(2);
    const std::vector<int32_t> keys = session().recp_details->selectedRecipients();
    RecipientAdditionalInfo business = cdb()->getRecipientAdditionalInfo(keys[1]);
    business.settin_type("SSN");
    ASSERT_TRUE(cdb()->updateAdditionalRecipientInfo(business));
    RecipientInfo number = cdb()->getRecipientInfo(keys[1]);
    number.setTaxID("36-1111111");
    ASSERT_TRUE(cdb()->updateRecipientInfo(number));
    const std::string listed = "Recipient TIN Type of Pat " + surname(1) +
                               ": SSN does not fit the taxpayer ID number 36-1111111, which is written as an EIN "
                               "(XX-XXXXXXX). Choose the TIN type in the recipient's window.";

    scripted->answerFormErrors(false);   // go back
    exportFromWindow(true);
    ASSERT_EQ(scripted->shown().size(), 1u);
    EXPECT_EQ(scripted->shown()[0].errors, std::vector<std::string>{listed});
    EXPECT_TRUE(proposedNames.empty()) << "no file built";
    EXPECT_TRUE(std::filesystem::is_empty(exportFolder));

    scripted->answerFormErrors(true);    // go on
    saveAs("nec upload");
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(exportFromWindow(), Window::kClosedCode);
    const std::vector<Row> rows = readCsv(keep(exportFolder + "/nec upload.csv"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][19], "SSN");
}

// A stored TIN type is written in capitals without blanks; one that is none of the six
// is listed by name before the export, as a contradicting one is. A line break kept in a
// stored text is written as a blank, the record staying on its line.
TEST_F(IrisExportWindow, TinTypesAreWrittenInCapitalsAndAnUnknownOneIsListed) {
    payerWithRecipients(2);
    const std::vector<int32_t> keys = session().recp_details->selectedRecipients();
    for (const auto& [key, type] : {std::pair{keys[0], " itin"}, std::pair{keys[1], "XYZ"}}) {
        RecipientAdditionalInfo a = cdb()->getRecipientAdditionalInfo(key);
        a.settin_type(type);
        ASSERT_TRUE(cdb()->updateAdditionalRecipientInfo(a));
    }
    RecipientInfo account = cdb()->getRecipientInfo(keys[0]);
    account.setAccountNumber("A-1\r\nB-2");
    ASSERT_TRUE(cdb()->updateRecipientInfo(account));

    scripted->answerFormErrors(true);   // go on
    saveAs("nec upload");
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(exportFromWindow(), Window::kClosedCode);
    ASSERT_FALSE(scripted->shown().empty());
    EXPECT_EQ(scripted->shown()[0].errors,
              std::vector<std::string>{"Recipient TIN Type of Pat " + surname(1) +
                                       ": \"XYZ\" is none of SSN, EIN, ATIN, ITIN, QI-EIN and UND. Choose the TIN "
                                       "type in the recipient's window."});
    const std::string bytes = keep(exportFolder + "/nec upload.csv");
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    const std::vector<Row> rows = readCsv(bytes);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][19], "ITIN");
    EXPECT_EQ(rows[1][19 + 16], "A-1 B-2");
    EXPECT_EQ(rows[2][19], "XYZ");
}

// ---------------------------------------------------------------------------
// Files

TEST_F(IrisExportWindow, WritesTheFileAndClosesTheWindow) {
    const int32_t payer = payerWithRecipients(3);
    saveAs("nec upload");   // ".csv" is added
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(exportFromWindow(), Window::kClosedCode);

    EXPECT_EQ(proposedNames, std::vector<std::string>{"1099-NEC.csv"});
    const std::string path = exportFolder + "/nec upload.csv";
    ASSERT_TRUE(platform::fileExists(path));
    const std::string bytes = keep(path);
    EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    EXPECT_NE(bytes.back(), '\n');
    EXPECT_EQ(bytes.substr(0, bytes.find('\n')), IrisFile::header(7));
    const std::vector<Row> rows = readCsv(bytes);
    ASSERT_EQ(rows.size(), 4u);
    const Row titles = IrisFile::columnTitles(7);
    for (std::size_t line = 1; line < rows.size(); ++line) {
        ASSERT_EQ(rows[line].size(), titles.size());
        EXPECT_EQ(rows[line][0], "1099-NEC");
        EXPECT_EQ(rows[line][3], "123-45-6789");
        EXPECT_EQ(rows[line][7], "Ann");
        EXPECT_EQ(rows[line][18], "=\"6145550100\"");
        // In selection order, each recipient once.
        EXPECT_EQ(rows[line][19 + 7], surname(static_cast<int>(line) - 1));
        EXPECT_EQ(rows[line][19 + 18], std::to_string(line - 1) + ".00");
    }

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption, "Successfully created CSV File for recipients 1 to 3.");
    EXPECT_EQ(boxes()[0].details, "");
    EXPECT_EQ(boxes()[0].title, "1099 IRIS-Efile");
    EXPECT_EQ(boxes()[0].style, kMessageStyleOK);
    EXPECT_EQ(boxes()[0].image, kMessageImagePlain);
    EXPECT_TRUE(cdb()->getCompanyInfo1(payer).getValidated());
    EXPECT_TRUE(session().ADDInfoEditflag);
}

// A void form is not filed: it is left out of the upload, the file's count follows, the
// message says how many were left out and that a filed return is corrected in the portal,
// and a selection of void forms only offers no file.
TEST_F(IrisExportWindow, VoidRecipientsAreLeftOutAndAllVoidOffersNoFile) {
    payerWithRecipients(3);
    const std::vector<int32_t> keys = session().recp_details->selectedRecipients();
    ASSERT_TRUE(cdb()->db->executeUpdate("update recipients set void = 1 where pk = ?", {keys[1]}));
    saveAs("upload");
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(exportFromWindow(), Window::kClosedCode);
    const std::vector<Row> rows = readCsv(keep(exportFolder + "/upload.csv"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][19 + 7], surname(0));
    EXPECT_EQ(rows[2][19 + 7], surname(2));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption, "Successfully created CSV File for recipients 1 to 2.");
    // The upload has no correction column: the advice is the portal's, never a zero upload.
    const std::string portal = "Void forms are not uploaded: a return that was already filed through IRIS is "
                               "corrected in the IRIS portal, not by uploading it again.";
    EXPECT_EQ(boxes()[0].details, "1 void recipient was left out of the IRIS files. " + portal);

    ASSERT_TRUE(cdb()->db->executeUpdate("update recipients set void = 1"));
    scripted->answerBox(kMessageAnswerOkYes);
    exportFromWindow(true);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1].caption,
              "No IRIS file was created: every selected recipient is void. " + portal);
    EXPECT_EQ(boxes()[1].image, kMessageImageError);
    EXPECT_EQ(proposedNames.size(), 1u) << "no second save panel";
}

TEST_F(IrisExportWindow, OneHundredAndOneRecipientsMakeTwoFiles) {
    payerWithRecipients(101);
    saveAs("1099-NEC.csv");
    saveAs("1099-NEC-2.csv");
    scripted->answerBox(kMessageAnswerOkYes);
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(exportFromWindow(), Window::kClosedCode);
    EXPECT_EQ(proposedNames, (std::vector<std::string>{"1099-NEC.csv", "1099-NEC-2.csv"}));
    EXPECT_EQ(captions(), (std::vector<std::string>{"Successfully created CSV File for recipients 1 to 100.",
                                                    "Successfully created CSV File for recipients 101 to 101."}));
    const std::vector<Row> first = readCsv(keep(exportFolder + "/1099-NEC.csv"));
    const std::vector<Row> second = readCsv(keep(exportFolder + "/1099-NEC-2.csv"));
    EXPECT_EQ(first.size(), 101u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[1][19 + 7], surname(100));
}

TEST_F(IrisExportWindow, ACancelledPanelSkipsThatFileOnly) {
    payerWithRecipients(101);
    cancelPanel();
    saveAs("second.csv");
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(exportFromWindow(), Window::kClosedCode);
    EXPECT_EQ(proposedNames, (std::vector<std::string>{"1099-NEC.csv", "1099-NEC-2.csv"}));
    EXPECT_EQ(captions(), std::vector<std::string>{"Successfully created CSV File for recipients 101 to 101."});
    EXPECT_FALSE(platform::fileExists(exportFolder + "/1099-NEC.csv"));
    EXPECT_EQ(readCsv(keep(exportFolder + "/second.csv")).size(), 2u);
}

TEST_F(IrisExportWindow, EveryPanelCancelledKeepsTheWindowOpen) {
    payerWithRecipients(2);
    cancelPanel();
    EXPECT_EQ(exportFromWindow(true), Window::kClosedCode);
    EXPECT_TRUE(boxes().empty()) << "no success message, and no prompt: the payer was saved";
    EXPECT_TRUE(std::filesystem::is_empty(exportFolder));
}

// The check of every file before the first is saved counts the recipients; Cancel there
// offers no panel and leaves the folder as it was, with the window open.
TEST_F(IrisExportWindow, TheCheckCountsTheRecipientsAndCancelThereSavesNothing) {
    payerWithRecipients(150);
    scripted.reset();
    auto* progress = new ScriptedJobsUserInterface;
    scripted.reset(progress);
    progress->cancelDuring("Checking");
    EXPECT_EQ(exportFromWindow(true), Window::kClosedCode);
    EXPECT_TRUE(proposedNames.empty()) << "no save panel";
    EXPECT_TRUE(std::filesystem::is_empty(exportFolder));
    EXPECT_TRUE(boxes().empty());
    ASSERT_EQ(progress->jobs().size(), 1u);
    EXPECT_EQ(progress->jobs()[0]->request.title, "Export IRIS File");
    EXPECT_EQ(progress->jobs()[0]->steps, std::vector<std::string>{"Checking the recipients"});
    EXPECT_TRUE(progress->jobs()[0]->cancelPressed);
    EXPECT_TRUE(progress->jobs()[0]->closed);

    progress->cancelDuring("");
    saveAs("1099-NEC.csv");
    saveAs("1099-NEC-2.csv");
    scripted->answerBox(kMessageAnswerOkYes);
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(exportFromWindow(), Window::kClosedCode);
    ASSERT_EQ(progress->jobs().size(), 2u);
    EXPECT_EQ(progress->jobs()[1]->lastCounts, (std::vector<std::pair<int64_t, int64_t>>{{150, 150}}));
    EXPECT_TRUE(progress->jobs()[1]->closed);
    EXPECT_EQ(readCsv(keep(exportFolder + "/1099-NEC-2.csv")).size(), 51u);
}

TEST_F(IrisExportWindow, AFailedSaveNamesThePathAndTheReasonAndOffersThePanelAgain) {
    payerWithRecipients(2);
    const std::string missing = exportFolder + "/no such folder/1099-NEC.csv";
    saveAs(missing);
    saveAs("1099-NEC.csv");
    scripted->answerBox(kMessageAnswerOkYes);   // the error
    scripted->answerBox(kMessageAnswerOkYes);   // the success message
    EXPECT_EQ(exportFromWindow(), Window::kClosedCode);

    EXPECT_EQ(proposedNames, (std::vector<std::string>{"1099-NEC.csv", "1099-NEC.csv"}));
    ASSERT_EQ(boxes().size(), 2u);
    const auto error = boxes()[0];
    EXPECT_EQ(error.caption, "The CSV file could not be saved.");
    EXPECT_NE(error.details.find(missing), std::string::npos) << error.details;
    EXPECT_NE(error.details.find("No such file or directory"), std::string::npos) << error.details;
    EXPECT_EQ(error.style, kMessageStyleOK);
    EXPECT_EQ(error.image, kMessageImageError);
    EXPECT_EQ(boxes()[1].caption, "Successfully created CSV File for recipients 1 to 2.");
    EXPECT_FALSE(platform::fileExists(missing));
    EXPECT_EQ(readCsv(keep(exportFolder + "/1099-NEC.csv")).size(), 3u);
}

TEST_F(IrisExportWindow, AReadOnlyFolderShowsTheErrorAndLeavesTheOldFile) {
    WithoutFileOverride plainUser;
    payerWithRecipients(2);
    const std::string locked = exportFolder + "/locked";
    std::filesystem::create_directories(locked);
    const std::string target = locked + "/1099-NEC.csv";
    ASSERT_TRUE(platform::writeFileAtomically(target, "older file"));
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    saveAs(target);
    cancelPanel();
    scripted->answerBox(kMessageAnswerOkYes);   // the error
    EXPECT_EQ(exportFromWindow(true), Window::kClosedCode);
    ::chmod(locked.c_str(), 0755);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_NE(boxes()[0].details.find(target), std::string::npos) << boxes()[0].details;
    EXPECT_NE(boxes()[0].details.find("Permission denied"), std::string::npos) << boxes()[0].details;
    EXPECT_EQ(proposedNames.size(), 2u) << "the panel is offered again";
    EXPECT_EQ(iristest::readBytes(target), "older file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), std::filesystem::directory_iterator()), 1);
}

}  // namespace
