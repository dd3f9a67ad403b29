// Form sheets: where one text of a layout entry lands, how recipients fill the form
// slots of a sheet, what each form kind prints in each entry, the texts every form
// shares, and which copies carry the void and second-TIN boxes.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "SheetFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/print/DisplayPDF.h"
#include "core/print/Report.h"
#include "core/store/WX_FMT.h"

namespace {

// ---- placing one text ----

struct PlacementCase {
    std::string name;
    std::string text;
    WX_FMTVAL entry;
    bool exact;
    int32_t xOffset;
    int32_t yOffset;
    std::optional<PlacedText> expected;   // nothing: no text placed
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, TextLandsInItsFrame) {
    const PlacementCase& c = GetParam();
    Report report(1);
    report.xOffset = c.xOffset;
    report.yOffset = c.yOffset;
    report.LocateSubview(c.text, c.entry, c.exact);
    if (!c.expected) {
        EXPECT_TRUE(report.theTextView.texts.empty());
        return;
    }
    ASSERT_EQ(report.theTextView.texts.size(), 1u);
    const PlacedText& t = report.theTextView.texts[0];
    EXPECT_EQ(t.text, c.expected->text);
    EXPECT_EQ(t.x, c.expected->x);
    EXPECT_EQ(t.y, c.expected->y);
    EXPECT_EQ(t.width, c.expected->width);
    EXPECT_EQ(t.height, c.expected->height);
}

// WX_FMTVAL(noprint, rjust, height, width, x, y)
INSTANTIATE_TEST_SUITE_P(
    Entries, PlacementTest,
    ::testing::Values(
        PlacementCase{"NoPrintPlacesNothing", "123.45", WX_FMTVAL(1, 0, 1, 100, 100, 100), false, 0, 0, {}},
        // (100 − 5) × 72 / 100 = 68.4 and (100 + 2) × 72 / 100 = 73.44, truncated
        PlacementCase{"ShiftedFiveLeftTwoDown", "abc", WX_FMTVAL(0, 0, 1, 100, 100, 100), false, 0, 0,
                      PlacedText{"abc", 68, 73, 103, 20}},
        PlacementCase{"ExactAtThePoint", "abc", WX_FMTVAL(0, 0, 1, 100, 100, 100), true, 0, 0,
                      PlacedText{"abc", 72, 72, 103, 20}},
        PlacementCase{"RightJustifyIsIgnored", "abc", WX_FMTVAL(0, 1, 1, 100, 100, 100), false, 0, 0,
                      PlacedText{"abc", 68, 73, 103, 20}},
        PlacementCase{"SlotOffsetsAreAdded", "abc", WX_FMTVAL(0, 0, 1, 100, 100, 100), false, 2, 548,
                      PlacedText{"abc", 69, 468, 103, 20}},
        PlacementCase{"NegativeSlotOffsetCountsZero", "abc", WX_FMTVAL(0, 0, 1, 100, 100, 100), false, -40, -548,
                      PlacedText{"abc", 68, 73, 103, 20}},
        // 2 × 0.72 = 1.44 and −1 × 0.72 = −0.72: both toward zero
        PlacementCase{"TruncatedTowardZero", "x", WX_FMTVAL(0, 0, 1, 10, 7, -1), false, 0, 0,
                      PlacedText{"x", 1, 0, 11, 20}},
        PlacementCase{"ShiftBelowZeroTruncatesTowardZero", "x", WX_FMTVAL(0, 0, 1, 10, 3, -4), false, 0, 0,
                      PlacedText{"x", -1, -1, 11, 20}},
        // characters, not bytes, plus the entry width taken as points
        PlacementCase{"WidthCountsCharacters", "Müller", WX_FMTVAL(0, 0, 1, 10, 100, 100), false, 0, 0,
                      PlacedText{"Müller", 68, 73, 16, 20}},
        PlacementCase{"EmptyTextKeepsTheEntryWidth", "", WX_FMTVAL(0, 0, 1, 150, 100, 100), false, 0, 0,
                      PlacedText{"", 68, 73, 150, 20}},
        PlacementCase{"TwentyPointsPerLine", "abc", WX_FMTVAL(0, 0, 3, 100, 100, 100), false, 0, 0,
                      PlacedText{"abc", 68, 73, 103, 60}}),
    [](const ::testing::TestParamInfo<PlacementCase>& c) { return c.param.name; });

// ---- form slots and sheet breaks ----

struct KindRun {
    std::string name;
    int32_t kind;
    int32_t reptnum;
    int32_t layout;
    int32_t perSheet;
    std::vector<int32_t> slotX;   // hundredths of an inch
    std::vector<int32_t> slotY;
};

void PrintTo(const KindRun& k, std::ostream* os) { *os << k.name; }

const std::vector<KindRun> kKinds{
    {"MISC", 1, 1, 0, 2, {0, 0}, {0, 548}},        {"DIV", 2, 5, 5, 2, {0, 2}, {0, 548}},
    {"INT", 3, 3, 3, 2, {0, 2}, {0, 547}},         {"R", 4, 6, 6, 2, {0, 0}, {0, 547}},
    {"S", 5, 4, 4, 3, {0, 0, 0}, {0, 365, 730}},   {"NEC", 7, 10, 9, 3, {0, 2, 2}, {0, 363, 726}},
};

class SheetBreakTest : public SheetTest, public ::testing::WithParamInterface<KindRun> {
protected:
    // The recipients R1 … Rn of the kind.
    std::vector<int32_t> recipients(int n) {
        const int32_t payer = addFullPayer();
        std::vector<int32_t> keys;
        for (int i = 1; i <= n; ++i) keys.push_back(add(payer, person(GetParam().kind, "R" + std::to_string(i))));
        return keys;
    }
    // The sheet and the name line of recipient i.
    static std::pair<int, PlacedText> nameOf(const SheetModel& sheets, int i) {
        const std::string name = "R" + std::to_string(i) + " Lee";
        for (size_t s = 0; s < sheets.size(); ++s)
            for (const PlacedText& t : sheets.sheets()[s].texts)
                if (t.text == name) return {static_cast<int>(s), t};
        ADD_FAILURE() << name << " not placed";
        return {-1, {}};
    }
};

TEST_P(SheetBreakTest, FormsFillTheSlotsOfASheetAndTheNextStartsANewSheet) {
    const KindRun& k = GetParam();
    const int n = k.perSheet + 1;
    const auto sheets = draw(k.reptnum, k.layout, recipients(n));
    ASSERT_EQ(sheets->size(), 2u);
    // The name line of slot s lies at the slot's offset from the first slot's.
    const PlacedText first = nameOf(*sheets, 1).second;
    for (int i = 1; i <= n; ++i) {
        const auto [sheet, name] = nameOf(*sheets, i);
        const int slot = (i - 1) % k.perSheet;
        EXPECT_EQ(sheet, (i - 1) / k.perSheet) << "recipient " << i;
        EXPECT_NEAR(name.x, first.x + k.slotX[slot] * 72 / 100, 1) << "recipient " << i;
        EXPECT_NEAR(name.y, first.y + k.slotY[slot] * 72 / 100, 1) << "recipient " << i;
    }
    // The form after the last full sheet starts the second sheet in the first slot.
    EXPECT_EQ(nameOf(*sheets, n).second.y, first.y);
}

TEST_P(SheetBreakTest, OneRecipientGivesOneSheetWithTheOtherSlotsEmpty) {
    const KindRun& k = GetParam();
    const auto sheets = draw(k.reptnum, k.layout, recipients(1));
    ASSERT_EQ(sheets->size(), 1u);
    for (const PlacedText& t : sheets->sheets()[0].texts)
        EXPECT_LT(t.y, k.slotY[1] * 72 / 100) << t.text << " lies in the second slot";
}

INSTANTIATE_TEST_SUITE_P(Kinds, SheetBreakTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<KindRun>& c) { return c.param.name; });

// ---- what each form kind prints where ----

struct Nudge {
    int x;
    int y;
};

// One entry of a form as transcribed from the form's table: its text and its nudges
// in the first and the second slot.
struct Expected {
    int entry;
    std::string text;
    Nudge slot0;
    std::optional<Nudge> slot1 = std::nullopt;
};

using Layout = std::vector<WX_FMTVAL>;

class FormFieldsTest : public SheetTest {
protected:
    // Draws the recipient in the first two slots of Copy A (which carries the void and
    // second-TIN boxes) and checks every text against the transcription.
    void check(const KindRun& k, const Layout& layout, const std::function<void(Person&)>& boxes,
               const std::vector<Expected>& expected) {
        const int32_t payer = addFullPayer();
        Person p = person(k.kind);
        p.r.setVoided(true);
        p.r.setCorrected(true);
        p.r.setSecondTin(true);
        boxes(p);
        const int32_t key = add(payer, p);
        session().currentForm = DisplayPDF::kCopyA;
        const auto sheets = draw(k.reptnum, k.layout, {key, key});
        ASSERT_EQ(sheets->size(), 1u);
        const std::vector<PlacedText>& placed = sheets->sheets()[0].texts;
        ASSERT_EQ(placed.size(), 2 * expected.size()) << ::testing::PrintToString(texts(sheets->sheets()[0]));
        for (size_t slot = 0; slot < 2; ++slot) {
            for (size_t i = 0; i < expected.size(); ++i) {
                const Expected& e = expected[i];
                const Nudge n = slot == 0 ? e.slot0 : e.slot1.value_or(e.slot0);
                const WX_FMTVAL& entry = layout.at(static_cast<size_t>(e.entry));
                const PlacedText& t = placed[slot * expected.size() + i];
                const std::string where = k.name + " entry " + std::to_string(e.entry) + " slot " + std::to_string(slot);
                EXPECT_EQ(t.text, e.text) << where;
                EXPECT_EQ(t.x, (entry.pt().x + n.x - 5 + k.slotX[slot]) * 72 / 100) << where;
                EXPECT_EQ(t.y, (entry.pt().y + n.y + 2 + k.slotY[slot]) * 72 / 100) << where;
            }
        }
    }

    // The texts every form shares, as the fixture's payer and recipient give them.
    static constexpr const char* kPayerName = "Payer Co";
    static constexpr const char* kPayerStreet = "1 Payer St";
    static constexpr const char* kPayerCity = "Payville CA 90001";
    static constexpr const char* kPayerPhone = "555-0100";
    static constexpr const char* kPayerTin = "12-3456789";
    static constexpr const char* kTin = "123-45-6789";
    static constexpr const char* kName = "Ann Lee";
    static constexpr const char* kStreet = "2 Main St";
    static constexpr const char* kCity = "Reno NV 89501 US";
    static constexpr const char* kAccount = "ACCT-7";
};

TEST_F(FormFieldsTest, NecPrintsEachBoxInItsEntry) {
    check(kKinds[5], WX_FMT().InitWX_1099_NEC_FMT(),
          [](Person& p) {
              p.r.setLine1_NEC("1001.00");
              p.r.setNec_Line2_2(true);
              p.r.setLine3_NEC("1003.00");
              p.r.setLine4_NEC("1004.00");
              p.r.setLine5_1_NEC("1051.00");
              p.r.setLine5_2_NEC("1052.00");
              p.r.setLine6_1_NEC("NV-61");
              p.r.setLine6_2_NEC("NV-62");
              p.r.setLine7_1_NEC("1071.00");
              p.r.setLine7_2_NEC("1072.00");
          },
          {{0, "x", {0, 0}},          {1, "x", {0, 0}},         {2, kPayerName, {0, 0}},
           {3, kPayerStreet, {0, 0}}, {4, kPayerCity, {0, 0}},  {5, kPayerPhone, {0, 0}},
           {6, kPayerTin, {0, 2}},    {7, kTin, {0, 2}},        {8, "1001.00", {0, 2}},
           {9, kName, {0, 0}},        {10, kStreet, {0, -5}},   {11, kCity, {0, -5}},
           {12, "x", {1, -1}},        {13, kAccount, {0, -5}},  {14, "x", {6, -5}},
           {15, "1003.00", {0, -5}},  {16, "1004.00", {0, -5}}, {17, "1051.00", {2, -5}},
           {18, "1052.00", {2, -5}},  {19, "NV-61", {0, -5}},   {20, "NV-62", {0, -5}},
           {21, "1071.00", {0, -5}},  {22, "1072.00", {0, -5}}, {23, "2025", {0, 0}}});
}

TEST_F(FormFieldsTest, MiscPrintsEachBoxInItsEntry) {
    const Nudge n{-18, -17};
    check(kKinds[0], WX_FMT().InitWX_1099_2UP_FMT(),
          [](Person& p) {
              p.r.setLine1_Misc("101.00");
              p.r.setLine2_Misc("102.00");
              p.r.setLine3_Misc("103.00");
              p.r.setLine4_Misc("104.00");
              p.r.setLine5_Misc("105.00");
              p.r.setLine6_Misc("106.00");
              p.r.setLine7_Misc("107.00");
              p.r.setLine8_Misc("108.00");
              p.r.setLine9_Misc(true);
              p.r.setLine10_Misc("110.00");
              p.r.setLine11_Misc("111.00");
              p.r.setLine12_Misc("112.00");
              p.r.setLine13_Misc("113.00");
              p.r.setLine14_Misc("114.00");
              p.r.setLine16_1_Misc("161.00");
              p.r.setLine16_2_Misc("162.00");
              p.r.setLine17_1_Misc("CA-171");
              p.r.setLine17_2_Misc("NV-172");
              p.r.setLine18_1_Misc("181.00");
              p.r.setLine18_2_Misc("182.00");
              p.r.setFATCA_MISC(true);
          },
          {{0, "101.00", {-18, -19}}, {1, "102.00", {-18, -19}}, {2, "103.00", n},
           {3, "104.00", n},          {4, "105.00", {-18, -19}}, {5, "106.00", {-18, -19}},
           {6, kPayerName, n},        {7, kPayerStreet, n},      {8, kPayerCity, n},
           {9, kPayerTin, n},         {10, "x", {-14, -20}},     {11, "x", {-16, -18}},
           {12, "108.00", n},         {13, "107.00", n},         {14, "110.00", n},
           {15, "111.00", n},         {16, "112.00", n},         {18, "114.00", n},
           {19, kTin, n},             {20, kAccount, n},         {21, kName, n},
           {22, kStreet, n},          {23, kCity, n},            {24, "161.00", {-18, -18}},
           {25, "162.00", {-18, -18}}, {26, "CA-171", {-18, -18}}, {27, "NV-172", {-18, -18}},
           {28, "181.00", {-18, -18}}, {29, "182.00", {-18, -18}}, {30, "x", {-10, -19}, Nudge{-13, -21}},
           {31, "x", {-14, -20}},     {32, kPayerPhone, n},      {33, "x", {-10, -19}, Nudge{-13, -21}},
           {34, "2025", n}});
}

TEST_F(FormFieldsTest, DivPrintsEachBoxInItsEntry) {
    const Nudge b{-18, -15};
    const Nudge n{-18, -17};
    check(kKinds[1], WX_FMT().InitWX_1099_DIV_FMT(),
          [](Person& p) {
              p.r.setDiv_Line1a("201.00");
              p.r.setDiv_Line1b("202.00");
              p.r.setDiv_Line2a("203.00");
              p.r.setDiv_Line2b("204.00");
              p.r.setDiv_Line2c("205.00");
              p.r.setDiv_Line2d("206.00");
              p.r.setDiv_Line2e("207.00");
              p.r.setDiv_Line2f("208.00");
              p.r.setDiv_Line3("209.00");
              p.r.setDiv_Line4("210.00");
              p.r.setDiv_Line5("211.00");
              p.r.setDiv_Line6("212.00");
              p.r.setDiv_Line7("Canada");
              p.r.setDiv_Line8("214.00");
              p.r.setDiv_Line9("215.00");
              p.r.setDiv_Line10("216.00");
              p.r.setDiv_Line11("217.00");
              p.r.setDiv_Line12_1("Oregon-OR");
              p.r.setDiv_Line13_1("OR-1");
              p.r.setDiv_Line14_1("218.00");
              p.r.setDiv_Line12_2("Texas-TX");
              p.r.setDiv_Line13_2("TX-2");
              p.r.setDiv_Line14_2("219.00");
              p.r.setFATCA_DIV(true);
              p.r.setDiv_Sec199ADiv("220.00");
          },
          {{0, "x", {-15, -16}},        {1, "x", {-15, -16}},       {2, "201.00", b},
           {3, "202.00", b},            {4, "203.00", b},           {5, "204.00", b},
           {6, "205.00", b},            {7, "206.00", b},           {8, "207.00", b},
           {9, "208.00", b},            {10, "209.00", b},          {11, "210.00", b},
           {12, "211.00", b},           {13, "212.00", b},          {14, "Canada", b},
           {15, "214.00", b},           {16, "215.00", b},          {17, kPayerName, {-18, -22}},
           {18, kPayerStreet, {-18, -22}}, {19, kPayerCity, {-18, -22}}, {20, kPayerTin, n},
           {21, kTin, n},               {22, kAccount, n},          {23, kName, n},
           {24, kStreet, n},            {25, kCity, n},             {26, "x", {-15, -16}, Nudge{-17, -18}},
           {27, kPayerPhone, n},        {28, "216.00", b},          {29, "217.00", b},
           {30, "OR", b},               {31, "OR-1", {-15, -15}},   {32, "218.00", {-20, -15}},
           {33, "TX", b},               {34, "TX-2", {-15, -15}},   {35, "219.00", {-20, -15}},
           {36, "x", {-15, -16}, Nudge{-17, -18}}, {37, "220.00", b}, {38, "2025", b}});
}

TEST_F(FormFieldsTest, IntPrintsEachBoxInItsEntry) {
    const Nudge top{-18, -20};
    const Nudge b{-18, -18};
    const Nudge n{-18, -17};
    check(kKinds[2], WX_FMT().InitWX_1099_INT_FMT(),
          [](Person& p) {
              p.r.setInt_payerRTN("021000021");
              p.r.setInt_Line1("301.00");
              p.r.setInt_Line2("302.00");
              p.r.setInt_Line3("303.00");
              p.r.setInt_Line4("304.00");
              p.r.setInt_Line5("305.00");
              p.r.setInt_Line6("306.00");
              p.r.setInt_Line7("Canada");
              p.r.setInt_Line8("308.00");
              p.r.setInt_Line9("309.00");
              p.r.setInt_Line10("310.00");
              p.r.setInt_Line11("311.00");
              // Box 12 is kept in a whole-number column of the recipients table.
              p.r.setInt_Line12("312");
              p.r.setInt_Line13_1("Ohio-OH");
              p.r.setInt_Line14_1("OH-14");
              p.r.setInt_Line15_1("315.00");
              p.r.setInt_Line13_2("Utah-UT");
              p.r.setInt_Line14_2("UT-14");
              p.r.setInt_Line15_2("316.00");
              p.r.setInt_Line16("317.00");
              p.r.setInt_Line17("CUSIP17");
              p.r.setFATCA_INT(true);
          },
          {{0, "x", {-15, -18}, Nudge{-18, -18}}, {1, "x", {-15, -18}, Nudge{-18, -18}},
           {2, "021000021", top}, {3, "301.00", top}, {4, "302.00", top}, {5, "303.00", top},
           {6, "304.00", top}, {7, "305.00", top}, {8, "306.00", top}, {9, "Canada", b},
           {10, "308.00", b}, {11, "309.00", b}, {12, "312", b}, {13, kPayerName, n},
           {14, kPayerStreet, n}, {15, kPayerCity, n}, {16, kPayerTin, n}, {17, kTin, n},
           {18, kName, {-18, -14}}, {19, kStreet, {-18, -14}}, {20, kCity, n}, {21, kAccount, n},
           {22, "x", {-15, -17}}, {23, kPayerPhone, n}, {24, "OH", b}, {25, "OH-14", b},
           {26, "315.00", b}, {27, "UT", b}, {28, "UT-14", b}, {29, "316.00", b},
           {30, "310.00", b}, {31, "311.00", b}, {32, "x", {-15, -17}}, {33, "CUSIP17", {-20, -17}},
           {34, "317.00", {-20, -17}}, {35, "2025", top}});
}

TEST_F(FormFieldsTest, RPrintsEachBoxInItsEntryWithoutSecondTinOrYear) {
    const Nudge n{-18, -17};
    const Nudge row{-18, -18};
    const Nudge low{-18, -16};
    check(kKinds[3], WX_FMT().InitWX_1099_R_FMT(),
          [](Person& p) {
              p.r.setR_Line1("401.00");
              p.r.setR_Line2a("402.00");
              p.r.setR_Line2b_Checkbox_1(true);
              p.r.setR_Line2b_Checkbox_2(true);
              p.r.setR_Line3("403.00");
              p.r.setR_Line4("404.00");
              p.r.setR_Line5("405.00");
              p.r.setR_Line6("406.00");
              p.r.setR_Line7("7D");
              p.r.setR_Line7_Checkbox(true);
              p.r.setR_Line8("408.00");
              p.r.setR_Line8_Percentage(45);
              p.r.setR_Line9a(12);
              p.r.setR_Line9b("409.00");
              p.r.setR_Line10("410.00");
              p.r.setR_Line11(2019);
              p.r.setR_Line12_1("412.10");
              p.r.setR_Line12_2("412.20");
              p.r.setR_Line13_1("California-CA");
              p.r.setR_Line13_2("NY-X");
              p.r.setR_Line14_1("414.10");
              p.r.setR_Line14_2("414.20");
              p.r.setR_Line15_1("415.10");
              p.r.setR_Line15_2("415.20");
              p.r.setR_Line16_1("Town A");
              p.r.setR_Line16_2("Town B");
              p.r.setR_Line17_1("417.10");
              p.r.setR_Line17_2("417.20");
              p.r.setFATCA_R(true);
              p.r.setR_DateOfPayment("01/15/2025");
          },
          {{0, "x", {-15, -18}, Nudge{-12, -16}}, {1, "x", {-15, -18}, Nudge{-12, -16}},
           {2, "401.00", n}, {3, "402.00", {-16, -17}}, {4, "x", {-15, -17}, Nudge{-12, -17}},
           {5, "x", {-15, -17}, Nudge{-12, -17}}, {6, "403.00", {-18, -15}}, {7, "404.00", {-18, -15}},
           {8, "405.00", n}, {9, "406.00", n}, {10, "7D", n}, {11, "x", {-10, -16}, Nudge{-12, -18}},
           {12, "408.00", row}, {13, "45", row}, {14, "12", row}, {15, "409.00", row},
           {16, "410.00", row}, {17, "2019", row}, {18, "412.10", row}, {19, "412.20", row},
           {20, "California-CA", row}, {21, "NY-X", row}, {22, "414.10", row}, {23, "414.20", row},
           {24, "415.10", row}, {25, "415.20", low}, {26, "Town A", low}, {27, "Town B", low},
           {28, "417.10", {-16, -16}}, {29, "417.20", {-16, -16}}, {30, kPayerName, n},
           {31, kPayerStreet, n}, {32, kPayerCity, n}, {33, kPayerTin, {-18, -15}},
           {34, kTin, {-18, -15}}, {35, kAccount, n}, {36, kName, n}, {37, kStreet, n},
           {38, kCity, n}, {39, kPayerPhone, n}, {40, "x", {-10, -16}}, {41, "01/15/2025", {-15, -15}}});
}

TEST_F(FormFieldsTest, SPrintsEachBoxInItsEntryWithoutSecondTin) {
    const Nudge n{-18, -17};
    check(kKinds[4], WX_FMT().InitWX_1099_S_FMT(),
          [](Person& p) {
              p.r.setS_Line1("03/01/2025");
              p.r.setS_Line2("501000.00");
              p.r.setS_Address_Line3("9 Lot Rd");
              p.r.setS_City_Line3("Elko");
              p.r.setS_State_Line3("Nevada-NV");
              p.r.setS_Zip_Line3("89801");
              p.r.setS_Line4(true);
              p.r.setS_Line5("5005.00");
              p.r.setS_Line6(true);
          },
          {{0, "x", {-10, -15}}, {1, "x", {-13, -15}}, {2, "03/01/2025", n}, {3, "501000.00", n},
           {4, "9 Lot Rd", n}, {5, "Elko", n}, {6, "NV", n}, {7, "89801", n}, {8, "x", {-10, -15}},
           {9, "5005.00", {-14, -14}}, {10, kPayerName, n}, {11, kPayerStreet, n}, {12, kPayerCity, n},
           {13, kPayerTin, n}, {14, kTin, n}, {15, kName, n}, {16, kStreet, n}, {17, kCity, n},
           {18, kAccount, {-18, -16}}, {19, kPayerPhone, n}, {20, "x", {-10, -14}}, {21, "2025", n}});
}

// ---- the texts every form shares ----

class CommonTextsTest : public SheetTest {
protected:
    // The texts of one 1099-NEC form of the recipient on Copy B.
    std::vector<std::string> necTexts(Person p) {
        const int32_t key = add(addFullPayer(), std::move(p));
        session().currentForm = DisplayPDF::kCopyB;
        const auto sheets = draw(10, 9, {key});
        return sheets->empty() ? std::vector<std::string>{} : texts(sheets->sheets()[0]);
    }
    // Entry 9 (name), 11 (city line) and 23 (year) of the 1099-NEC, as placed.
    static std::string at(const std::vector<std::string>& t, size_t i) { return i < t.size() ? t[i] : "?"; }
};

// A stored layout that cannot be read is reported, and the run places every field where
// the built-in layout has it rather than at the sheet's corner.
TEST_F(CommonTextsTest, AnUnreadableStoredLayoutIsReportedAndTheBuiltInPlacesServe) {
    const int32_t key = add(addFullPayer(), person(7));
    session().currentForm = DisplayPDF::kCopyB;
    const auto normal = draw(10, 9, {key});
    ASSERT_FALSE(normal->empty());
    ASSERT_TRUE(cdb()->db->executeStatements("alter table _1099NECFormat rename to hidden_layout;"));
    ui->answerBox(kMessageAnswerOkYes);
    const auto damaged = draw(10, 9, {key});
    ASSERT_FALSE(damaged->empty());
    ASSERT_FALSE(ui->boxes().empty());
    EXPECT_NE(ui->boxes().back().details.find("Unable to read all of the company database"), std::string::npos);
    EXPECT_EQ(damaged->sheets()[0].texts, normal->sheets()[0].texts);
}

TEST_F(CommonTextsTest, NameLineWithAnEmptyFirstNameBeginsWithOneBlank) {
    const auto t = necTexts(person(7, "", "Lee"));
    // Copy B carries neither the void nor the second-TIN box; corrected is off.
    EXPECT_EQ(at(t, 7), " Lee");
}

TEST_F(CommonTextsTest, NameLineOfABusinessIsItsName) {
    Person p = Person::business(7, "Acme & Sons");
    p.at("2 Main St", "Reno", "Nevada-NV", "89501");
    EXPECT_EQ(at(necTexts(p), 7), " Acme & Sons");
}

TEST_F(CommonTextsTest, ATerritoryAddressKeepsItsStateAsTyped) {
    Person p = person(7);
    p.at("5 Rue Haute", "Montréal", "Quebec", "H2X 1Y4").foreign();
    p.r.setCountry("CA");
    EXPECT_EQ(at(necTexts(p), 9), "Montréal Quebec H2X 1Y4 CA");
}

TEST_F(CommonTextsTest, CityLinesCarryTheUpperCaseStateCodes) {
    Person p = person(7);
    p.at("2 Main St", "Reno", "nevada", "89501");
    const auto t = necTexts(p);
    EXPECT_EQ(at(t, 2), "Payville CA 90001");
    EXPECT_EQ(at(t, 9), "Reno NV 89501 US");
}

TEST_F(CommonTextsTest, PartialYearPrintsOnly25) {
    session().PartialYear = true;
    const auto t = necTexts(person(7));
    EXPECT_EQ(t.back(), "25");
}

TEST_F(CommonTextsTest, MiscBox9WithAMinusIsLeftEmptyAndRWholeNumbersShowTheirMarkers) {
    const int32_t payer = addFullPayer();
    Person misc = person(1);
    misc.r.setLine7_Misc("-1");
    misc.r.setLine8_Misc("8.00");
    const auto miscSheets = draw(1, 0, {add(payer, misc)});
    const auto m = texts(miscSheets->sheets().at(0));
    // entries 12 (box 8) and 13 follow each other
    const auto box8 = std::find(m.begin(), m.end(), "8.00");
    ASSERT_NE(box8, m.end());
    EXPECT_EQ(*(box8 + 1), "");

    Person r = person(4);
    r.r.setR_Line8("8.00");
    r.r.setR_Line8_Percentage(-1);
    r.r.setR_Line9a(-2);
    r.r.setR_Line9b("9.00");
    const auto rSheets = draw(6, 6, {add(payer, r)});
    const auto t = texts(rSheets->sheets().at(0));
    const auto line8 = std::find(t.begin(), t.end(), "8.00");
    ASSERT_NE(line8, t.end());
    EXPECT_EQ(*(line8 + 1), "");
    EXPECT_EQ(*(line8 + 2), "INVALID");
    EXPECT_EQ(*(line8 + 3), "9.00");
}

TEST_F(CommonTextsTest, ARecipientWithoutAdditionalDataShowsItsStoredName) {
    Person p = person(7, "Bo", "Nash");
    p.r.setLastName("Nash");
    const int32_t key = add(addFullPayer(), p);
    ASSERT_TRUE(cdb()->db->executeUpdate("delete from recipients_additionalinfo where pk = ?;", key));
    const auto sheets = draw(10, 9, {key});
    EXPECT_TRUE(shows(*sheets, "Bo Nash"));
    // The recipient row is still marked; there is no additional row to mark.
    EXPECT_TRUE(cdb()->getRecipientInfo(key).getPrinted());
}

// ---- copies that carry the void and second-TIN boxes ----

struct CopyBoxes {
    int32_t kind;
    std::vector<int32_t> voidCopies;
    std::vector<int32_t> secondTinCopies;
};

void PrintTo(const CopyBoxes& c, std::ostream* os) { *os << "kind " << c.kind; }

class CopyBoxesTest : public ::testing::TestWithParam<CopyBoxes> {
protected:
    void SetUp() override { resetSession(); }
    void TearDown() override { resetSession(); }
};

TEST_P(CopyBoxesTest, VoidAndSecondTinBoxesFollowTheCopy) {
    const CopyBoxes& c = GetParam();
    for (int32_t copy = 0; copy <= DisplayPDF::kCopyNec4Up; ++copy) {
        const bool isVoid = std::find(c.voidCopies.begin(), c.voidCopies.end(), copy) != c.voidCopies.end();
        const bool isTin =
            std::find(c.secondTinCopies.begin(), c.secondTinCopies.end(), copy) != c.secondTinCopies.end();
        EXPECT_EQ(DisplayPDF::VoidOnForm(c.kind, copy), isVoid) << "copy " << copy;
        EXPECT_EQ(DisplayPDF::SecondTinOnForm(c.kind, copy), isTin) << "copy " << copy;
        // The controller answers for the copy being printed.
        session().currentForm = copy;
        DisplayPDF run(c.kind, false);
        EXPECT_EQ(run.VoidOnForm(), isVoid) << "copy " << copy;
        EXPECT_EQ(run.SecondTinOnForm(), isTin) << "copy " << copy;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CopyBoxesTest,
                         ::testing::Values(CopyBoxes{1, {0, 2, 4}, {0, 2}}, CopyBoxes{2, {0, 2}, {0, 2}},
                                           CopyBoxes{3, {0, 2, 3, 4, 6, 7, 8, 9}, {0, 2}},
                                           CopyBoxes{4, {0, 3, 4}, {}}, CopyBoxes{5, {0, 2}, {}},
                                           CopyBoxes{7, {0, 2, 4, 5}, {0, 2}}, CopyBoxes{0, {}, {}},
                                           CopyBoxes{6, {}, {}}),
                         [](const ::testing::TestParamInfo<CopyBoxes>& c) {
                             return "Kind" + std::to_string(c.param.kind);
                         });

}  // namespace
