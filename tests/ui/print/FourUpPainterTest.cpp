// The four-up forms painted: a run written into the print folder as one PDF, one page
// per recipient, the form picture's captions and every field inside its box.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <tuple>
#include <algorithm>
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
    EXPECT_EQ(printJob(nullptr, job), PrintResult::printed);
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

// A box of a copy, in points on the sheet (its rules drawn on its edges).
Rect inner(const fourup::FormBox& b, int copy) {
    const double left = (b.x + fourup::kCopyX[copy]) * 0.72;
    const double top = (b.y + fourup::kCopyY[copy]) * 0.72;
    return {left, top, left + b.width * 0.72, top + b.height * 0.72};
}

// How the values are typed: as written, in capitals (as many bookkeepers type them),
// or in the widest letters of the font.
struct Lettering {
    const char* name;
    std::string (*typed)(std::string);
    // The least size of a text whose box cannot hold it at 6 pt.
    double least;
};

const Lettering kLetterings[] = {
    {"AsWritten", [](std::string s) { return s; }, 5.5},
    {"Capitals",
     [](std::string s) {
         for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
         return s;
     },
     5.5},
    {"WideLetters",
     [](std::string s) {
         for (std::size_t i = 0; i < s.size(); ++i)
             if (std::isalnum(static_cast<unsigned char>(s[i]))) s[i] = i % 2 ? 'M' : 'W';
         return s;
     },
     4.2},
};

// The longest values the entry windows accept: 40-character names and address lines,
// the longest city, a foreign province, ZIP+4 and a foreign country, typed one way.
constexpr const char* kZip = "62704-1234";
constexpr const char* kPhone = "(217) 555-0123";
struct Values {
    explicit Values(const Lettering& l)
        : payerName(l.typed("Harborview Family Dental Group Svcs Corp")),
          payerStreet(l.typed("12345 North Harborview Industrial Pkwy 2")),
          city(l.typed("Rancho Santa Margarita Heights Junctions")),
          first(l.typed("Maximiliana Josefina")),
          surname(l.typed("Featherstonehaughson")),
          street(l.typed("98765 South Featherstone Boulevard Apt 9")),
          province(l.typed("Saskatchewan West")),
          country(l.typed("Trinidad Tobago")),
          account(l.typed("ACCT-2025-0001234567")),
          stateNumber(l.typed("12-3456789-ABCD-0001")),
          rtn(l.typed("123456789-ABCDEFGHIJKLM")),
          foreignCountry(l.typed("Bosnia and Herzegovina")),
          payerCity(city + " MA " + kZip),
          nameLine(first + " " + surname),
          cityLine(city + " " + province + " " + kZip + " " + country) {}

    std::string payerName, payerStreet, city, first, surname, street, province, country, account, stateNumber, rtn,
        foreignCountry, payerCity, nameLine, cityLine, phone = kPhone;
};

using V = Values;

struct LongestForm {
    const char* name;
    int32_t kind;
    int32_t reptnum;
    const char* picture;
    std::vector<void (RecipientInfo::*)(std::string)> amounts;   // 13 characters
    std::vector<void (RecipientInfo::*)(std::string)> texts20;   // state numbers: 20 characters
    void (*more)(RecipientInfo&, const Values&);
    // The texts of the form's fields (layout entry and the text printed there).
    std::vector<std::pair<int32_t, std::string Values::*>> texts;
    // By lettering, the entries whose box cannot hold its texts at 6 pt: the lines they
    // take at 6 pt are more than the box's free height holds.
    std::map<std::string, std::vector<int32_t>> crowded;
};

const LongestForm kLongest[] = {
    {"MISC", 1, REPDATA::kMisc4Up, "499MISCU2025",
     {&RecipientInfo::setLine1_Misc, &RecipientInfo::setLine2_Misc, &RecipientInfo::setLine3_Misc,
      &RecipientInfo::setLine4_Misc, &RecipientInfo::setLine5_Misc, &RecipientInfo::setLine6_Misc,
      &RecipientInfo::setLine7_Misc, &RecipientInfo::setLine8_Misc, &RecipientInfo::setLine10_Misc,
      &RecipientInfo::setLine11_Misc, &RecipientInfo::setLine12_Misc, &RecipientInfo::setLine14_Misc,
      &RecipientInfo::setLine16_1_Misc, &RecipientInfo::setLine16_2_Misc, &RecipientInfo::setLine18_1_Misc,
      &RecipientInfo::setLine18_2_Misc},
     {&RecipientInfo::setLine17_1_Misc, &RecipientInfo::setLine17_2_Misc},
     [](RecipientInfo& r, const Values&) {
         r.setLine9_Misc(true);
         r.setFATCA_MISC(true);
     },
     {{6, &V::payerName}, {7, &V::payerStreet}, {8, &V::payerCity}, {35, &V::phone}, {24, &V::nameLine},
      {25, &V::street}, {26, &V::cityLine}, {21, &V::account}, {29, &V::stateNumber}, {30, &V::stateNumber}},
     {{"AsWritten", {24, 25, 26}},
      {"Capitals", {24, 25, 26}},
      {"WideLetters", {6, 7, 8, 35, 24, 25, 26, 21, 29, 30}}}},
    {"INT", 3, REPDATA::kInt4Up, "4099INTU2025",
     {&RecipientInfo::setInt_Line1, &RecipientInfo::setInt_Line2, &RecipientInfo::setInt_Line3,
      &RecipientInfo::setInt_Line4, &RecipientInfo::setInt_Line5, &RecipientInfo::setInt_Line6,
      &RecipientInfo::setInt_Line8, &RecipientInfo::setInt_Line9, &RecipientInfo::setInt_Line10,
      &RecipientInfo::setInt_Line11, &RecipientInfo::setInt_Line16, &RecipientInfo::setInt_Line17,
      &RecipientInfo::setInt_Line15_1, &RecipientInfo::setInt_Line15_2},
     {&RecipientInfo::setInt_Line14_1, &RecipientInfo::setInt_Line14_2},
     [](RecipientInfo& r, const Values& v) {
         r.setInt_payerRTN(v.rtn);
         r.setInt_Line7(v.foreignCountry);
         r.setInt_Line12("123456789ABCD");
         r.setInt_Line13_1("Massachusetts");
         r.setInt_Line13_2("Massachusetts");
         r.setFATCA_INT(true);
     },
     {{6, &V::payerName}, {7, &V::payerStreet}, {8, &V::payerCity}, {9, &V::phone}, {25, &V::nameLine},
      {26, &V::street}, {27, &V::cityLine}, {32, &V::account}, {20, &V::stateNumber}, {21, &V::stateNumber},
      {4, &V::rtn}, {12, &V::foreignCountry}},
     {{"AsWritten", {25, 26, 27}},
      {"Capitals", {25, 26, 27, 12}},
      {"WideLetters", {6, 7, 8, 9, 25, 26, 27, 32, 20, 21, 12}}}},
    {"NEC", 7, REPDATA::kNec4Up, "4099NECU2025",
     {&RecipientInfo::setLine1_NEC, &RecipientInfo::setLine3_NEC, &RecipientInfo::setLine4_NEC,
      &RecipientInfo::setLine5_1_NEC, &RecipientInfo::setLine5_2_NEC, &RecipientInfo::setLine7_1_NEC,
      &RecipientInfo::setLine7_2_NEC},
     {&RecipientInfo::setLine6_1_NEC, &RecipientInfo::setLine6_2_NEC},
     [](RecipientInfo& r, const Values&) {
         r.setNec_Line2_2(true);
         r.setFATCA_NEC(true);
     },
     {{2, &V::payerName}, {3, &V::payerStreet}, {4, &V::payerCity}, {5, &V::phone}, {16, &V::nameLine},
      {17, &V::street}, {18, &V::cityLine}, {20, &V::account}, {12, &V::stateNumber}, {13, &V::stateNumber}},
     {{"Capitals", {16, 17, 18}}, {"WideLetters", {2, 3, 4, 5, 16, 17, 18, 20, 12, 13}}}},
};

void PrintTo(const LongestForm& form, std::ostream* out) { *out << form.name; }
void PrintTo(const Lettering& lettering, std::ostream* out) { *out << lettering.name; }

// The body of a word's letters: from the height of a capital down to the baseline
// (pdftotext's box runs from the font's ascent to its descent, which the lines of a
// box may share).
// The size a word is printed at: pdftotext's box is the font's ascent and descent high.
double sizeOf(const Word& w) { return (w.yMax - w.yMin) / 1.117; }

Rect inkOf(const Word& w) {
    Rect r = rectOf(w);
    const double size = sizeOf(w);
    const double baseline = r.top + 0.905 * size;
    return {r.left, baseline - 0.75 * size, r.right, baseline};
}

class FourUpLongestTest : public LabelWindowTest,
                          public ::testing::WithParamInterface<std::tuple<LongestForm, Lettering>> {};

// Every field at the longest value the entry windows accept and every mark set,
// painted: each word of every text reads back whole inside the box of its field, on
// every copy; every word on the page (captions too) lies inside a box or under its
// copy, and no two overlap.
TEST_P(FourUpLongestTest, EveryWordWholeInsideItsBoxAndClearOfEveryOther) {
    const LongestForm& k = std::get<0>(GetParam());
    const Lettering& lettering = std::get<1>(GetParam());
    const Values v(lettering);
    ComapnyInfo p;
    p.setName(v.payerName);
    p.setAddress1(v.payerStreet);
    p.setCity1(v.city);
    p.setState1("Massachusetts");
    p.setZip1(kZip);
    p.setPhone1(kPhone);
    p.setTaxID1("99-9999999");
    ASSERT_TRUE(cdb()->insertCompanyInfo(p));
    const int32_t longPayer = cdb()->getCompanyPK();

    RecipientInfo r;
    r.setCompany_FK(longPayer);
    r.setType(k.kind);
    r.setFirstName(v.first);
    r.setLastName(v.surname);
    r.setTaxID("999-99-9999");
    r.setAddress(v.street);
    r.setCity(v.city);
    r.setAddressIsNotUSTerritory(true);
    r.setState(v.province);
    r.setZip(kZip);
    r.setCountry(v.country);
    r.setAccountNumber(v.account);
    r.setVoided(true);
    r.setCorrected(true);
    r.setSecondTin(true);
    for (auto set : k.amounts) (r.*set)("9999999999.99");
    for (auto set : k.texts20) (r.*set)(v.stateNumber);
    k.more(r, v);
    RecipientAdditionalInfo a;
    a.setCompany_FK(longPayer);
    a.setType(k.kind);
    a.setlastname(v.surname);
    a.setname_typee("Individual");
    ASSERT_TRUE(cdb()->insertRecipientInfo(r, a));
    session().comp_details->setSelectedCompanies({longPayer});
    session().recp_details->setSelectedRecipients({cdb()->getRecipientPK()});
    DisplayPDF(k.kind, true).RecipientFed1099();
    ASSERT_EQ(scripted->jobs().size(), 1u);
    const PrintJob job = scripted->jobs().back();
    ASSERT_TRUE(job.sheets);
    ASSERT_EQ(job.sheets->size(), 1u);

    std::string reason;
    const QByteArray pdf = SheetPainter::pdf(*job.sheets, job.title, reason);
    ASSERT_FALSE(pdf.isEmpty()) << reason;
    const std::string kept = testoutput::keepPdf(pdf.toStdString());
    const std::string png = kept.substr(0, kept.size() - 4);
    EXPECT_EQ(std::system(("pdftoppm -png -r 150 -f 1 -l 1 -singlefile '" + kept + "' '" + png + "'").c_str()), 0);
    const auto pages = wordsOf(kept);
    ASSERT_EQ(pages.size(), 1u);
    std::vector<Word> words = pages[0];
    for (Word& w : words) w.text = unescaped(w.text);

    const fourup::FormPicture* picture = fourup::picture(k.picture);
    ASSERT_NE(picture, nullptr);
    auto boxOf = [&](int32_t entry) -> const fourup::FormBox* {
        for (const fourup::FieldBox& f : fourup::fieldBoxes(k.reptnum))
            if (f.entry == entry)
                for (const fourup::FormBox& b : picture->boxes)
                    if (std::string(f.caption) == b.caption) return &b;
        return nullptr;
    };

    // Each word of each text whole, inside its field's box, on every copy, at 6 pt or
    // more unless its box cannot hold the box's texts at 6 pt.
    const auto crowded = k.crowded.find(lettering.name);
    auto isCrowded = [&](int32_t entry) {
        return crowded != k.crowded.end() &&
               std::find(crowded->second.begin(), crowded->second.end(), entry) != crowded->second.end();
    };
    constexpr double kSizeTolerance = 0.05;
    std::vector<bool> used(words.size(), false);
    for (int copy = 0; copy < fourup::kCopies; ++copy)
        for (const auto& [entry, value] : k.texts) {
            const std::string& text = v.*value;
            const fourup::FormBox* b = boxOf(entry);
            ASSERT_NE(b, nullptr) << entry;
            const Rect box = inner(*b, copy);
            const double least = isCrowded(entry) ? lettering.least : 6.0;
            for (const std::string& t : tokens(text)) {
                std::vector<std::size_t> parts;
                for (std::size_t i = 0; i < words.size() && parts.empty(); ++i)
                    if (!used[i] && words[i].text == t && rectOf(words[i]).within(box)) parts = {i};
                // A word longer than a whole line is broken: its two parts follow each
                // other, the second starting the next line.
                for (std::size_t i = 0; i < words.size() && parts.empty(); ++i) {
                    if (used[i] || words[i].text.size() >= t.size() || t.rfind(words[i].text, 0) != 0 ||
                        !rectOf(words[i]).within(box))
                        continue;
                    for (std::size_t j = i + 1; j < words.size() && parts.empty(); ++j)
                        if (!used[j] && words[i].text + words[j].text == t && rectOf(words[j]).within(box) &&
                            words[j].yMin > words[i].yMin)
                            parts = {i, j};
                }
                EXPECT_FALSE(parts.empty()) << k.name << " copy " << copy << ", entry " << entry << ": \"" << t
                                            << "\" of \"" << text << "\" not whole inside \"" << b->caption << "\" "
                                            << box;
                for (const std::size_t i : parts) {
                    used[i] = true;
                    EXPECT_GE(sizeOf(words[i]), least - kSizeTolerance)
                        << k.name << " copy " << copy << ", entry " << entry << ": \"" << words[i].text << "\" in \""
                        << b->caption << "\"";
                }
            }
        }

    // Every word inside a box of the picture (the form's name and each copy's title stand
    // under the copy), and no two words overlap.
    std::vector<std::string> underCopies = tokens(std::string(picture->formName) + " " + picture->year);
    for (const char* title : fourup::kCopyTitles)
        for (const std::string& t : tokens(title)) underCopies.push_back(t);
    for (const Word& w : words) {
        if (std::find(underCopies.begin(), underCopies.end(), w.text) != underCopies.end()) continue;
        bool inside = false;
        for (int copy = 0; copy < fourup::kCopies && !inside; ++copy)
            for (const fourup::FormBox& b : picture->boxes)
                if (rectOf(w).within(inner(b, copy))) inside = true;
        EXPECT_TRUE(inside) << k.name << ": \"" << w.text << "\" " << rectOf(w) << " outside every box";
    }
    constexpr double kTouch = 0.05;
    for (std::size_t i = 0; i < words.size(); ++i)
        for (std::size_t j = i + 1; j < words.size(); ++j) {
            const Rect both = inkOf(words[i]).cut(inkOf(words[j]));
            EXPECT_TRUE(both.right - both.left <= kTouch || both.bottom - both.top <= kTouch)
                << k.name << ": \"" << words[i].text << "\" " << inkOf(words[i]) << " overlaps \"" << words[j].text
                << "\" " << inkOf(words[j]);
        }
}

INSTANTIATE_TEST_SUITE_P(Forms, FourUpLongestTest,
                         ::testing::Combine(::testing::ValuesIn(kLongest), ::testing::ValuesIn(kLetterings)),
                         [](const auto& k) {
                             return std::string(std::get<0>(k.param).name) + std::get<1>(k.param).name;
                         });

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
