// The four-up forms painted: a run written into the print folder as one PDF, one page
// per recipient, the form picture's captions and every field inside its box.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
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
#include "core/print/REPDATA.h"
#include "core/print/SheetModel.h"
#include "core/store/WX_FMT.h"
#include "platform/SystemLog.h"
#include "ui/print/FourUpFormPainter.h"
#include "ui/print/PrintJobSink.h"
#include "ui/print/SheetPainter.h"

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


// pdftotext writes the word texts as XML.
std::string unescaped(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&apos;", "'"}, {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities)
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::strlen(entity), plain);
    return text;
}

std::vector<std::string> tokens(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

struct Rect {
    double left, top, right, bottom;
    bool empty() const { return right <= left || bottom <= top; }
    Rect cut(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
    bool within(const Rect& o) const {
        return left >= o.left && top >= o.top && right <= o.right && bottom <= o.bottom;
    }
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "[" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << "]";
}

Rect rectOf(const Word& w) { return {w.xMin, w.yMin, w.xMax, w.yMax}; }

bool numeric(const std::string& text) {
    return text == "x" || text.find_first_not_of("0123456789.,-") == std::string::npos;
}

// Captions are set at most 4.5 points high, the fields at 8.
constexpr double kCaptionHeight = 6.0;

// A box of a copy, in points on the sheet (its rules drawn on its edges).
Rect inner(const fourup::FormBox& b, int copy) {
    const double left = (b.x + fourup::kCopyX[copy]) * 0.72;
    const double top = (b.y + fourup::kCopyY[copy]) * 0.72;
    return {left, top, left + b.width * 0.72, top + b.height * 0.72};
}

struct LongestForm {
    const char* name;
    int32_t kind;
    int32_t reptnum;
    const char* picture;
    WX_FMT::Layout (WX_FMT::*builtIn)();
    std::vector<void (RecipientInfo::*)(std::string)> amounts;   // 13 characters
    std::vector<void (RecipientInfo::*)(std::string)> texts20;   // state numbers: 20 characters
    void (*more)(RecipientInfo&);
};

const LongestForm kLongest[] = {
    {"MISC", 1, REPDATA::kMisc4Up, "499MISCU2025", &WX_FMT::InitWX_1099_4UP_FMT1,
     {&RecipientInfo::setLine1_Misc, &RecipientInfo::setLine2_Misc, &RecipientInfo::setLine3_Misc,
      &RecipientInfo::setLine4_Misc, &RecipientInfo::setLine5_Misc, &RecipientInfo::setLine6_Misc,
      &RecipientInfo::setLine7_Misc, &RecipientInfo::setLine8_Misc, &RecipientInfo::setLine10_Misc,
      &RecipientInfo::setLine11_Misc, &RecipientInfo::setLine12_Misc, &RecipientInfo::setLine14_Misc,
      &RecipientInfo::setLine16_1_Misc, &RecipientInfo::setLine16_2_Misc, &RecipientInfo::setLine18_1_Misc,
      &RecipientInfo::setLine18_2_Misc},
     {&RecipientInfo::setLine17_1_Misc, &RecipientInfo::setLine17_2_Misc},
     [](RecipientInfo& r) {
         r.setLine9_Misc(true);
         r.setFATCA_MISC(true);
     }},
    {"INT", 3, REPDATA::kInt4Up, "4099INTU2025", &WX_FMT::InitWX_1099_INT_4UP_FMT,
     {&RecipientInfo::setInt_Line1, &RecipientInfo::setInt_Line2, &RecipientInfo::setInt_Line3,
      &RecipientInfo::setInt_Line4, &RecipientInfo::setInt_Line5, &RecipientInfo::setInt_Line6,
      &RecipientInfo::setInt_Line8, &RecipientInfo::setInt_Line9, &RecipientInfo::setInt_Line10,
      &RecipientInfo::setInt_Line11, &RecipientInfo::setInt_Line16, &RecipientInfo::setInt_Line17,
      &RecipientInfo::setInt_Line15_1, &RecipientInfo::setInt_Line15_2},
     {&RecipientInfo::setInt_Line14_1, &RecipientInfo::setInt_Line14_2},
     [](RecipientInfo& r) {
         r.setInt_payerRTN(std::string(60, 'W'));
         r.setInt_Line7(std::string(40, 'W'));
         r.setInt_Line12(std::string(13, 'W'));
         r.setInt_Line13_1("Massachusetts");
         r.setInt_Line13_2("Massachusetts");
         r.setFATCA_INT(true);
     }},
    {"NEC", 7, REPDATA::kNec4Up, "4099NECU2025", &WX_FMT::InitWX_1099_NEC_4UP_FMT,
     {&RecipientInfo::setLine1_NEC, &RecipientInfo::setLine3_NEC, &RecipientInfo::setLine4_NEC,
      &RecipientInfo::setLine5_1_NEC, &RecipientInfo::setLine5_2_NEC, &RecipientInfo::setLine7_1_NEC,
      &RecipientInfo::setLine7_2_NEC},
     {&RecipientInfo::setLine6_1_NEC, &RecipientInfo::setLine6_2_NEC},
     [](RecipientInfo& r) {
         r.setNec_Line2_2(true);
         r.setFATCA_NEC(true);
     }},
};

class FourUpLongestTest : public LabelWindowTest, public ::testing::WithParamInterface<LongestForm> {};

// Every field at its longest value and every mark set, painted: each glyph of a field,
// as far as its frame lets it show, lies inside the picture's box for the field and
// clear of that box's caption, and every caption stands whole inside its box.
TEST_P(FourUpLongestTest, EveryGlyphInsideItsBoxAndClearOfTheCaption) {
    const LongestForm& k = GetParam();
    ComapnyInfo p;
    p.setName(std::string(40, 'W'));
    p.setAddress1(std::string(40, 'W'));
    p.setCity1(std::string(40, 'W'));
    p.setState1("Massachusetts");
    p.setZip1("99999-9999");
    p.setPhone1("999-999-9999 ext 9");
    p.setTaxID1("99-9999999");
    ASSERT_TRUE(cdb()->insertCompanyInfo(p));
    const int32_t longPayer = cdb()->getCompanyPK();

    RecipientInfo r;
    r.setCompany_FK(longPayer);
    r.setType(k.kind);
    r.setFirstName(std::string(20, 'W'));
    r.setLastName(std::string(20, 'W'));
    r.setTaxID("999-99-9999");
    r.setAddress(std::string(40, 'W'));
    r.setCity(std::string(40, 'W'));
    r.setAddressIsNotUSTerritory(true);
    r.setState(std::string(17, 'W'));
    r.setZip(std::string(10, 'W'));
    r.setCountry(std::string(15, 'W'));
    r.setAccountNumber(std::string(20, 'W'));
    r.setVoided(true);
    r.setCorrected(true);
    r.setSecondTin(true);
    for (auto set : k.amounts) (r.*set)("9999999999.99");
    for (auto set : k.texts20) (r.*set)(std::string(20, 'W'));
    k.more(r);
    RecipientAdditionalInfo a;
    a.setCompany_FK(longPayer);
    a.setType(k.kind);
    a.setlastname(std::string(20, 'W'));
    a.setname_typee("Individual");
    ASSERT_TRUE(cdb()->insertRecipientInfo(r, a));
    session().comp_details->setSelectedCompanies({longPayer});
    session().recp_details->setSelectedRecipients({cdb()->getRecipientPK()});
    DisplayPDF(k.kind, true).RecipientFed1099();
    ASSERT_EQ(scripted->jobs().size(), 1u);
    const PrintJob job = scripted->jobs().back();
    ASSERT_TRUE(job.sheets);
    ASSERT_EQ(job.sheets->size(), 1u);
    const Sheet& sheet = job.sheets->sheets()[0];

    std::string reason;
    const QByteArray pdf = SheetPainter::pdf(*job.sheets, job.title, reason);
    ASSERT_FALSE(pdf.isEmpty()) << reason;
    const std::string kept = testoutput::keepPdf(pdf.toStdString());
    const auto pages = wordsOf(kept);
    ASSERT_EQ(pages.size(), 1u);
    std::vector<Word> words = pages[0];
    for (Word& w : words) w.text = unescaped(w.text);

    const fourup::FormPicture* picture = fourup::picture(k.picture);
    ASSERT_NE(picture, nullptr);
    auto boxNamed = [&](const std::string& caption) -> const fourup::FormBox* {
        for (const fourup::FormBox& b : picture->boxes)
            if (caption == b.caption) return &b;
        return nullptr;
    };

    // Every caption whole: each of its words (and the box number) inside the box, in
    // the caption's small print.
    std::map<std::pair<const fourup::FormBox*, int>, std::vector<Rect>> captions;
    for (int copy = 0; copy < fourup::kCopies; ++copy)
        for (const fourup::FormBox& b : picture->boxes) {
            const Rect box = inner(b, copy);
            std::vector<std::string> wanted = tokens(b.caption);
            if (*b.number) wanted.push_back(b.number);
            for (const std::string& t : wanted) {
                bool found = false;
                for (const Word& w : words)
                    if (w.text == t && w.yMax - w.yMin < kCaptionHeight && rectOf(w).within(box)) {
                        captions[{&b, copy}].push_back(rectOf(w));
                        found = true;
                        break;
                    }
                EXPECT_TRUE(found) << k.name << " copy " << copy << ": caption \"" << b.caption << "\" not whole in its box ("
                                   << t << ")";
            }
        }

    // Every field: its words found where its frame starts, each cut to the frame inside
    // the box and clear of the caption.
    const WX_FMT::Layout layout = (WX_FMT().*k.builtIn)();
    std::vector<bool> used(sheet.texts.size(), false);
    int placed = 0;
    for (int copy = 0; copy < fourup::kCopies; ++copy)
        for (const fourup::FieldBox& f : fourup::fieldBoxes(k.reptnum)) {
            const WX_FMTVAL& e = layout[static_cast<std::size_t>(f.entry)];
            const int32_t x = (e.pt().x + fourup::kCopyX[copy]) * 72 / 100;
            const int32_t y = (e.pt().y + fourup::kCopyY[copy]) * 72 / 100;
            const PlacedText* text = nullptr;
            for (std::size_t i = 0; i < sheet.texts.size() && !text; ++i)
                if (!used[i] && sheet.texts[i].x == x && sheet.texts[i].y == y) {
                    used[i] = true;
                    text = &sheet.texts[i];
                }
            if (!text) continue;   // a mark this copy does not carry
            ++placed;
            const fourup::FormBox* b = boxNamed(f.caption);
            ASSERT_NE(b, nullptr) << f.caption;
            const Rect box = inner(*b, copy);
            const Rect frame{double(text->x), double(text->y), double(text->x + text->width),
                             double(text->y + text->height)};
            const std::string where = std::string(k.name) + " copy " + std::to_string(copy) + ", entry " +
                                      std::to_string(f.entry) + " \"" + text->text + "\" in \"" + f.caption + "\"";
            bool first = true;
            for (const std::string& t : tokens(text->text)) {
                const Word* found = nullptr;
                // A word running off the page's edge is read up to the edge.
                for (const Word& w : words)
                    if (!w.text.empty() && t.compare(0, w.text.size(), w.text) == 0 && w.yMin >= frame.top &&
                        w.yMin < frame.top + 3 && w.xMin >= frame.left && w.xMin < frame.right)
                        found = &w;
                if (!found) {
                    // Words after the first may lie wholly beyond the frame's end.
                    EXPECT_FALSE(first) << where << ": not painted";
                    break;
                }
                const Rect glyphs = rectOf(*found).cut(frame);
                // An amount, a number or a mark cut short would print something else.
                if (first && numeric(text->text)) {
                    EXPECT_LE(found->xMax, frame.right) << where << ": cut short at " << frame.right;
                }
                EXPECT_FALSE(first && glyphs.empty()) << where << ": cut away";
                first = false;
                if (glyphs.empty()) continue;
                EXPECT_TRUE(glyphs.within(box)) << where << ": glyphs " << glyphs << " outside the box " << box;
                for (const Rect& caption : captions[{b, copy}])
                    EXPECT_TRUE(glyphs.cut(caption).empty())
                        << where << ": glyphs " << glyphs << " on the caption " << caption;
            }
        }
    EXPECT_EQ(placed, static_cast<int>(sheet.texts.size())) << k.name << ": texts placed outside the field table";
}

INSTANTIATE_TEST_SUITE_P(Forms, FourUpLongestTest, ::testing::ValuesIn(kLongest),
                         [](const ::testing::TestParamInfo<LongestForm>& k) { return std::string(k.param.name); });

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
