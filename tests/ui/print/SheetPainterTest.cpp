// Painting form sheets: each sheet a letter page with its texts in their frames (the
// documented inset, cut at the frame's edge), a filing run written into the print
// folder as one document per copy and the 1096, the print dialog on the program's
// printer, and a home folder that no run touches.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <QPrintDialog>
#include <QPrinter>

#include "KeptPdf.h"
#include "ReportPdfReader.h"
#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/print/DisplayPDF.h"
#include "core/print/SheetModel.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "platform/FileSystem.h"
#include "ui/PrintDialogAnswers.h"
#include "ui/print/PrintJobSink.h"
#include "ui/print/SheetPainter.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"

namespace {

namespace fs = std::filesystem;

// A glyph box that pdftotext found: its word and its corners in points.
struct Word {
    std::string text;
    double xMin, yMin, xMax, yMax;
};

std::vector<Word> words(const std::string& pdfPath, int page) {
    const auto result = reportpdf::runTool("pdftotext -bbox -f " + std::to_string(page) + " -l " +
                                           std::to_string(page) + " " + reportpdf::quoted(pdfPath) + " -");
    EXPECT_EQ(result.status, 0) << result.output;
    std::vector<Word> out;
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(result.output.begin(), result.output.end(), word);
         it != std::sregex_iterator(); ++it)
        out.push_back({(*it)[5].str(), std::stod((*it)[1].str()), std::stod((*it)[2].str()),
                       std::stod((*it)[3].str()), std::stod((*it)[4].str())});
    return out;
}

std::string pdfInfo(const std::string& path) {
    const auto info = reportpdf::runTool("pdfinfo " + reportpdf::quoted(path));
    EXPECT_EQ(info.status, 0) << info.output;
    return info.output;
}

// A PNG of the first page beside the kept PDF, for checking the alignment by eye.
void keepPng(const std::string& keptPdf) {
    const std::string base = keptPdf.substr(0, keptPdf.size() - 4);
    const auto r = reportpdf::runTool("pdftoppm -png -r 100 -f 1 -l 1 -singlefile " + reportpdf::quoted(keptPdf) +
                                      " " + reportpdf::quoted(base));
    EXPECT_EQ(r.status, 0) << r.output;
}

// The page rendered in grey at 144 dots per inch (2 pixels a point): darkness at a
// point of the page.
class Raster {
public:
    Raster(const std::string& pdfPath, int page) {
        const std::string base = fs::temp_directory_path() / ("sheet-raster-" + std::to_string(::getpid()));
        reportpdf::runTool("pdftoppm -r 144 -gray -f " + std::to_string(page) + " -l " + std::to_string(page) +
                           " -singlefile " + reportpdf::quoted(pdfPath) + " " + reportpdf::quoted(base));
        EXPECT_TRUE(platform::readFile(base + ".pgm", pgm_));
        fs::remove(base + ".pgm");
        int depth = 0;
        std::sscanf(pgm_.c_str(), "P5 %d %d %d%n", &width_, &height_, &depth, &header_);
        ++header_;
    }
    // True when some pixel of the rectangle (points) is dark.
    bool inked(double x0, double y0, double x1, double y1) const {
        for (int y = static_cast<int>(y0 * 2); y < static_cast<int>(y1 * 2); ++y)
            for (int x = static_cast<int>(x0 * 2); x < static_cast<int>(x1 * 2); ++x)
                if (x >= 0 && y >= 0 && x < width_ && y < height_ &&
                    static_cast<unsigned char>(pgm_[static_cast<size_t>(header_ + y * width_ + x)]) < 128)
                    return true;
        return false;
    }

private:
    std::string pgm_;
    int width_ = 0, height_ = 0, header_ = 0;
};

// The names, sizes and change times of everything under a folder.
std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> snapshot(const std::string& folder) {
    std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        std::error_code ec;
        out[e.path().string()] = {e.is_regular_file() ? e.file_size() : 0, fs::last_write_time(e.path(), ec)};
    }
    return out;
}

class SheetPainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        scripted = std::make_unique<ScriptedUserInterface>();
        unsetenv(kPrintFolderVariable);
    }
    void TearDown() override {
        unsetenv(kPrintFolderVariable);
        if (scripted) {
            EXPECT_TRUE(scripted->allAnswersUsed());
        }
        scripted.reset();
        resetSession();
    }

    static SheetModel twoSheets() {
        SheetModel model;
        Sheet first;
        first.texts = {{"Alpha", 100, 100, 105, 20}, {"12345.67", 300, 400, 108, 20}, {"x", 40, 700, 11, 20}};
        Sheet second;
        // Far longer than its 30-point frame: cut at the frame's right edge.
        second.texts = {{"WWWWWWWWWWWWWWWWWWWW", 200, 300, 30, 20}, {"Beta", 50, 60, 104, 20}};
        model.add(first);
        model.add(second);
        return model;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
};

TEST_F(SheetPainterTest, EachSheetIsALetterPageWithItsTextsJustInsideTheirFrames) {
    const SheetModel model = twoSheets();
    std::string reason;
    const QByteArray bytes = SheetPainter::pdf(model, "1099 Print", reason);
    ASSERT_FALSE(bytes.isEmpty()) << reason;
    const std::string kept = testoutput::keepPdf(bytes.toStdString());
    keepPng(kept);

    const std::string info = pdfInfo(kept);
    EXPECT_NE(info.find("Pages:           2\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           1099 Print"), std::string::npos) << info;

    for (int page = 1; page <= 2; ++page) {
        const auto found = words(kept, page);
        for (const PlacedText& t : model.sheets()[static_cast<size_t>(page - 1)].texts) {
            if (t.text.front() == 'W') continue;
            const auto w = std::find_if(found.begin(), found.end(), [&](const Word& x) { return x.text == t.text; });
            ASSERT_NE(w, found.end()) << t.text;
            // The inset: about 2 points right and 1 point down of the frame's corner.
            EXPECT_GT(w->xMin, t.x + 1.0) << t.text;
            EXPECT_LT(w->xMin, t.x + 3.5) << t.text;
            EXPECT_GT(w->yMin, t.y + 0.0) << t.text;
            EXPECT_LT(w->yMin, t.y + 3.0) << t.text;
            // 8-point text: a glyph box about 8 to 10 points high.
            EXPECT_NEAR(w->yMax - w->yMin, 9.0, 1.5) << t.text;
        }
    }
}

TEST_F(SheetPainterTest, ATextLongerThanItsFrameIsCutAtTheFramesEdge) {
    std::string reason;
    const std::string kept = testoutput::keepPdf(SheetPainter::pdf(twoSheets(), "1099 Print", reason).toStdString());
    const Raster page(kept, 2);
    // Inked inside the frame, blank beyond its right edge on the same line.
    EXPECT_TRUE(page.inked(202, 301, 230, 319));
    EXPECT_FALSE(page.inked(231, 298, 400, 322));
}

TEST_F(SheetPainterTest, APrintFolderReceivesThePaintedSheetsAndAnEmptyRunLeavesNoFile) {
    const std::string folder = home.file("printed");
    fs::create_directories(folder);
    setenv(kPrintFolderVariable, folder.c_str(), 1);
    PrintJob job;
    job.title = "1099 Print";
    job.sheets = std::make_shared<const SheetModel>(twoSheets());
    EXPECT_EQ(printJob(nullptr, job), PrintResult::printed);
    job.sheets = std::make_shared<const SheetModel>();
    EXPECT_EQ(printJob(nullptr, job), PrintResult::printed);
    const std::string one = folder + "/1-1099 Print.pdf";
    ASSERT_TRUE(platform::fileExists(one));
    EXPECT_FALSE(platform::fileExists(folder + "/2-1099 Print.pdf"));
    std::string bytes;
    ASSERT_TRUE(platform::readFile(one, bytes));
    EXPECT_NE(pdfInfo(testoutput::keepPdf(bytes)).find("Pages:           2\n"), std::string::npos);
}

TEST_F(SheetPainterTest, ThePrintDialogPrintsFullLetterPagesAndGivesThePageSetupBack) {
    const std::string output = home.file("printer output.pdf");
    QPrinter& printer = applicationPrinter();
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    int dialogs = 0;
    ScopedModalResponder responder([&](QWidget& w) {
        ++dialogs;
        EXPECT_EQ(w.objectName().toStdString(), kPrintDialogName);
        printToFile(w, output);
        qobject_cast<QDialog*>(&w)->accept();
    });
    PrintJob job;
    job.title = "1099 Print";
    job.sheets = std::make_shared<const SheetModel>(twoSheets());
    EXPECT_EQ(printJob(nullptr, job), PrintResult::printed);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(printer.docName().toStdString(), "1099 Print");
    ASSERT_TRUE(platform::fileExists(output));
    std::string bytes;
    ASSERT_TRUE(platform::readFile(output, bytes));
    const std::string kept = testoutput::keepPdf(bytes);
    const std::string info = pdfInfo(kept);
    EXPECT_NE(info.find("Pages:           2\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info;
    const auto found = words(kept, 1);
    const auto alpha = std::find_if(found.begin(), found.end(), [](const Word& w) { return w.text == "Alpha"; });
    ASSERT_NE(alpha, found.end());
    EXPECT_NEAR(alpha->xMin, 102.0, 1.5);
    EXPECT_NEAR(alpha->yMin, 101.0, 2.0);
    // The page setup's paper, orientation and margins are the user's again.
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(printer.fullPage());
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setOutputFileName(QString());
}

// ---- a whole filing run in the print folder ----

// Prompts answered by the script, jobs printed by the window layer's sink.
class PrintingUserInterface : public ScriptedUserInterface {
public:
    PrintResult print(const PrintJob& job) override {
        ScriptedUserInterface::print(job);
        return printJob(nullptr, job);
    }
};

TEST_F(SheetPainterTest, AFilingRunWritesOneDocumentPerCopyAndThe1096AndLeavesTheHomeFolderAlone) {
    scripted.reset();
    auto ui = std::make_unique<PrintingUserInterface>();
    // The company file and the print folder lie beside the home folder, not in it.
    const fs::path work = fs::path(home.path()).parent_path() / ("sheet-run-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "printed");
    setenv(kPrintFolderVariable, (work / "printed").c_str(), 1);

    Session& s = session();
    s.DBH = std::make_shared<DatabaseHolder>();
    s.comp_details = std::make_shared<Company>();
    s.recp_details = std::make_shared<Recipient>();
    s.ControlledTempDir = (work / "config").string();
    fs::create_directories(s.ControlledTempDir);
    auto db = s.DBH->companyDatabase();
    ASSERT_TRUE(db->Init((work / "Acme 2025.db").string(), false, false, true, "Acme"));
    ComapnyInfo payer;
    payer.setName("Acme & Sons");
    payer.setAddress("1 Payer St");
    payer.setCity("Payville");
    payer.setState("California-CA");
    payer.setZip("90001");
    payer.setTaxID("12-3456789");
    ASSERT_TRUE(db->insertCompanyInfo(payer));
    const int32_t payerKey = db->getCompanyPK();
    for (int i = 1; i <= 4; ++i) {
        RecipientInfo r;
        r.setType(7);
        r.setCompany_FK(payerKey);
        r.setFirstName("Recipient");
        r.setLastName("Number " + std::to_string(i));
        r.setAddress(std::to_string(i) + " Main St");
        r.setCity("Reno");
        r.setState("Nevada-NV");
        r.setZip("89501");
        r.setTaxID("123-45-678" + std::to_string(i));
        r.setLine1_NEC(std::to_string(i) + "000.00");
        RecipientAdditionalInfo a;
        a.setType(7);
        a.setCompany_FK(payerKey);
        a.setlastname("Number " + std::to_string(i));
        ASSERT_TRUE(db->insertRecipientInfo(r, a));
    }
    s.comp_details->setSelectedCompanies({payerKey});
    const auto before = snapshot(home.path());

    for (int i = 0; i < 4; ++i) ui->answerBox(kMessageAnswerOkYes);
    DisplayPDF(7, false).CompanyFed1099(0, 0);

    EXPECT_EQ(snapshot(home.path()), before) << "the run wrote into the home folder";
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(work / "printed")) files.push_back(e.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"1-1099 Print.pdf", "2-1099 Print.pdf", "3-1099 Print.pdf",
                                               "4-1099 Print.pdf"}));
    for (const std::string& f : files) {
        std::string bytes;
        ASSERT_TRUE(platform::readFile((work / "printed" / f).string(), bytes));
        const std::string kept = testoutput::keepPdf(bytes);
        // Four recipients at three a sheet: two sheets a copy; the 1096 one.
        EXPECT_NE(pdfInfo(kept).find(f[0] == '4' ? "Pages:           1\n" : "Pages:           2\n"),
                  std::string::npos)
            << f;
        if (f[0] == '1') keepPng(kept);
    }
    const auto onCopyA = words((work / "printed" / "1-1099 Print.pdf").string(), 1);
    EXPECT_TRUE(std::any_of(onCopyA.begin(), onCopyA.end(), [](const Word& w) { return w.text == "3000.00"; }));
    EXPECT_TRUE(std::any_of(onCopyA.begin(), onCopyA.end(), [](const Word& w) { return w.text == "&amp;"; }));
    const auto on1096 = words((work / "printed" / "4-1099 Print.pdf").string(), 1);
    EXPECT_TRUE(std::any_of(on1096.begin(), on1096.end(), [](const Word& w) { return w.text == "10000.00"; }));

    db->Close();
    EXPECT_TRUE(ui->allAnswersUsed());
    ui.reset();
    fs::remove_all(work);
}

}  // namespace
