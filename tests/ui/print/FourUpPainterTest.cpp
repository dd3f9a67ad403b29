// The four-up forms painted: a run written into the print folder as one PDF, one page
// per recipient, the form picture's captions and every field inside its box.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "KeptPdf.h"
#include "LabelWindowFixture.h"
#include "core/print/DisplayPDF.h"
#include "core/print/FourUpForms.h"
#include "core/print/SheetModel.h"
#include "platform/SystemLog.h"
#include "ui/print/FourUpFormPainter.h"
#include "ui/print/PrintJobSink.h"

#include <QImage>
#include <QPainter>

namespace {

struct Word {
    double xMin, yMin, xMax, yMax;
    std::string text;
};

// The words of each page as pdftotext -bbox finds them.
std::vector<std::vector<Word>> wordsOf(const std::string& pdf) {
    const std::string html = pdf + ".html";
    const std::string command = "pdftotext -bbox '" + pdf + "' '" + html + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(html);
    std::stringstream all;
    all << in.rdbuf();
    std::filesystem::remove(html);
    std::vector<std::vector<Word>> pages;
    const std::regex token(R"re(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    const std::string text = all.str();
    for (auto it = std::sregex_iterator(text.begin(), text.end(), token); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (m[0].str() == "<page ") {
            pages.emplace_back();
        } else if (!pages.empty()) {
            pages.back().push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5]});
        }
    }
    return pages;
}

class FourUpPainterTest : public LabelWindowTest {};

TEST_F(FourUpPainterTest, ThreeRecipientsGiveThreePagesWithEveryFieldInItsBox) {
    const std::string folder = home.path() + "/printed";
    std::filesystem::create_directories(folder);
    std::vector<int32_t> keys;
    for (const char* name : {"Ann", "Bea", "Cal"}) {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(1);
        r.setFirstName(name);
        r.setLastName(std::string(name) + " Lee");
        r.setTaxID("123-45-6789");
        r.setAccountNumber("ACCT7");
        r.setLine1_Misc("101.00");
        r.setLine4_Misc("104.00");
        r.setLine7_Misc("107.00");
        r.setLine12_Misc("112.00");
        r.setLine16_1_Misc("161.00");
        r.setLine18_2_Misc("182.00");
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(1);
        a.setlastname("Lee");
        a.setname_typee("Individual");
        ASSERT_TRUE(cdb()->insertRecipientInfo(r, a));
        keys.push_back(cdb()->getRecipientPK());
    }
    session().comp_details->setSelectedCompanies({payer});
    session().recp_details->setSelectedRecipients(keys);
    DisplayPDF(1, true).RecipientFed1099();
    ASSERT_EQ(scripted->jobs().size(), 1u);
    const PrintJob job = scripted->jobs().back();
    ASSERT_TRUE(job.sheets);

    // File mode: the job is written into the print folder.
    setenv(kPrintFolderVariable, folder.c_str(), 1);
    EXPECT_TRUE(printJob(nullptr, job));
    unsetenv(kPrintFolderVariable);
    std::vector<std::filesystem::path> written;
    for (const auto& e : std::filesystem::directory_iterator(folder)) written.push_back(e.path());
    ASSERT_EQ(written.size(), 1u);
    std::ifstream in(written[0], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string kept = testoutput::keepPdf(bytes);
    const std::string png = kept.substr(0, kept.size() - 4);
    EXPECT_EQ(std::system(("pdftoppm -png -r 100 -f 1 -l 1 -singlefile '" + kept + "' '" + png + "'").c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(png + ".png"));

    const auto pages = wordsOf(kept);
    ASSERT_EQ(pages.size(), 3u);
    const fourup::FormPicture* picture = fourup::picture("499MISCU2025");
    ASSERT_NE(picture, nullptr);
    auto count = [&](const std::string& text) {
        int n = 0;
        for (const Word& w : pages[0]) n += w.text == text;
        return n;
    };
    // The picture's captions, once per copy.
    for (const char* caption : {"Rents", "Royalties", "VOID", "CORRECTED", "1099-MISC"}) EXPECT_EQ(count(caption), 4) << caption;
    // Each field text inside its box on every copy (its first line and most of its
    // height: a value may reach into the border below).
    const std::pair<const char*, const char*> fields[] = {
        {"101.00", "Rents"},
        {"104.00", "Federal income tax withheld"},
        {"107.00", "Crop insurance proceeds"},
        {"112.00", "Section 409A deferrals"},
        {"161.00", "State tax withheld"},
        {"182.00", "State income"},
        {"123-45-6789", "RECIPIENT'S TIN"},
        {"ACCT7", "Account number (see instructions)"},
        {"Harbor", "PAYER'S name, street address, city, state, ZIP code and telephone no."},
        {"Ann", "RECIPIENT'S name, street address, city, state, ZIP code and country"},
        {"2025", "For calendar year"},
    };
    for (const auto& [text, caption] : fields) {
        const fourup::FormBox* box = nullptr;
        for (const fourup::FormBox& b : picture->boxes)
            if (std::string(b.caption) == caption) box = &b;
        ASSERT_NE(box, nullptr) << caption;
        for (int copy = 0; copy < fourup::kCopies; ++copy) {
            const double left = (box->x + fourup::kCopyX[copy]) * 0.72;
            const double top = (box->y + fourup::kCopyY[copy]) * 0.72;
            const double right = left + box->width * 0.72;
            const double bottom = top + box->height * 0.72;
            bool inside = false;
            for (const Word& w : pages[0])
                if (w.text == text && w.xMin >= left && w.xMin < right && w.yMin >= top && (w.yMin + w.yMax) / 2 < bottom)
                    inside = true;
            EXPECT_TRUE(inside) << text << " outside " << caption << " on copy " << copy;
        }
    }
    // The other pages carry the other recipients.
    auto has = [&](size_t page, const std::string& text) {
        for (const Word& w : pages[page])
            if (w.text == text) return true;
        return false;
    };
    EXPECT_TRUE(has(1, "Bea"));
    EXPECT_TRUE(has(2, "Cal"));
}

TEST(FourUpFormPainter, AnUnknownPictureIsLoggedAndDrawsNothing) {
    std::vector<std::string> logged;
    platform::setLogSink([&](const std::string& line) { logged.push_back(line); });
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_FALSE(FourUpFormPainter::paint("499MISCU2024", painter));
    EXPECT_TRUE(FourUpFormPainter::paint("4099NECU2025", painter));
    painter.end();
    platform::setLogSink({});
    EXPECT_EQ(logged, std::vector<std::string>{"Error: PDF not found."});
}

}  // namespace
