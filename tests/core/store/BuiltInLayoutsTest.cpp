#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "core/foundation/Session.h"
#include "core/store/WX_FORMAT.h"
#include "core/store/format.h"

namespace {

struct Sample {
    int field;
    int width, x, y;
};

struct BuiltIn {
    int code;
    size_t fields;
    std::vector<Sample> samples;
};

void PrintTo(const BuiltIn& b, std::ostream* os) { *os << "layout " << b.code << " (" << b.fields << " fields)"; }

const BuiltIn kBuiltIns[] = {
    {0, 35, {{0, 100, 425, 85}, {11, 10, 510, 283}, {23, 200, 83, 380}, {34, 100, 565, 135}}},
    {1, 37, {{0, 100, 52, 38}, {13, 100, 253, 184}, {33, 10, 243, 459}, {36, 100, 253, 258}}},
    {2, 18, {{0, 150, 80, 135}, {9, 75, 470, 334}, {13, 10, 151, 440}, {17, 120, 216, 333}}},
    {3, 36, {{0, 10, 240, 34}, {20, 245, 83, 376}, {24, 30, 541, 466}, {35, 100, 570, 133}}},
    {4, 22, {{0, 10, 238, 34}, {4, 120, 425, 167}, {20, 10, 648, 265}, {21, 100, 580, 133}}},
    {5, 39, {{0, 10, 239, 35}, {30, 30, 410, 466}, {36, 10, 344, 434}, {38, 100, 560, 133}}},
    {6, 42, {{0, 10, 239, 34}, {13, 20, 628, 348}, {40, 100, 344, 431}, {41, 100, 315, 474}}},
    {8, 36, {{0, 100, 50, 37}, {4, 100, 163, 440}, {27, 115, 39, 360}, {35, 100, 165, 259}}},
    {9, 24, {{0, 10, 222, 17}, {11, 280, 70, 263}, {12, 100, 631, 186}, {23, 100, 570, 118}}},
    {10, 25, {{0, 100, 75, 41}, {12, 280, 160, 270}, {16, 115, 38, 337}, {24, 100, 248, 197}}},
};

class BuiltInLayouts : public ::testing::TestWithParam<BuiltIn> {
protected:
    void SetUp() override { resetSession(); }
};

TEST_P(BuiltInLayouts, LoadsTheFormsFieldsWithoutTouchingTheDestination) {
    const BuiltIn& b = GetParam();
    WX_FORMAT holder;
    holder.Val[0].setWidth(7);
    const std::vector<WX_FMTVAL> before = holder.Val;

    std::vector<WX_FMTVAL> layout = format().GetWXFmt(holder.Val, b.code, true);

    ASSERT_EQ(layout.size(), b.fields);
    EXPECT_EQ(holder.Val, before);
    for (const Sample& s : b.samples) {
        SCOPED_TRACE(s.field);
        EXPECT_EQ(layout[s.field].width(), s.width);
        EXPECT_EQ(layout[s.field].pt().x, s.x);
        EXPECT_EQ(layout[s.field].pt().y, s.y);
    }
    for (const WX_FMTVAL& e : layout) {
        EXPECT_EQ(e.noprint(), 0);
        EXPECT_EQ(e.rjust(), 0);
        EXPECT_EQ(e.height(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(AllCodes, BuiltInLayouts, ::testing::ValuesIn(kBuiltIns),
                         [](const auto& testInfo) { return "code" + std::to_string(testInfo.param.code); });

// The four-per-sheet layouts have no stored copy: they come built-in whatever the flag,
// and every item stays inside one quarter of the sheet.
TEST(FourPerSheetLayouts, AreBuiltInWhateverTheFlagAndStayInsideTheQuarter) {
    resetSession();
    for (int code : {1, 8, 10}) {
        SCOPED_TRACE(code);
        WX_FORMAT holder;
        std::vector<WX_FMTVAL> builtIn = format().GetWXFmt(holder.Val, code, true);
        std::vector<WX_FMTVAL> stored = format().GetWXFmt(holder.Val, code, false);
        EXPECT_EQ(stored, builtIn);
        for (const WX_FMTVAL& e : builtIn) {
            EXPECT_GE(e.pt().x, 0);
            EXPECT_LE(e.pt().x, 253);
            EXPECT_GE(e.pt().y, 0);
            EXPECT_LE(e.pt().y, 460);
        }
    }
}

TEST(LayoutCodesWithoutLayout, ReturnTheDestinationUnchanged) {
    resetSession();
    for (int code : {7, 11, -1}) {
        for (bool builtIn : {true, false}) {
            SCOPED_TRACE(code);
            WX_FORMAT holder;
            holder.Val[3].setNoprint(1);
            std::vector<WX_FMTVAL> layout = format().GetWXFmt(holder.Val, code, builtIn);
            EXPECT_EQ(layout, holder.Val);
            ASSERT_EQ(layout.size(), 100u);
            EXPECT_EQ(layout[3].noprint(), 1);
            EXPECT_EQ(layout[4], WX_FMTVAL());
        }
    }
}

}  // namespace
