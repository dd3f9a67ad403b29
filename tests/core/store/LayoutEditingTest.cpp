// The layout editor's forms, labels, display widths and label geometry.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/print/LayoutEditing.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/WX_FORMAT.h"
#include "core/store/format.h"

namespace {

using namespace layoutediting;

WX_FMTVAL entry(int16_t width, int16_t x, int16_t y, int32_t height = 1, int32_t noprint = 0) {
    return WX_FMTVAL(noprint, 0, height, width, x, y);
}

Layout builtIn(int32_t code) {
    WX_FORMAT holder;
    return format().GetWXFmt(holder.Val, code, true);
}

TEST(LayoutEditing, ChooserListStandsForTheSevenEditableForms) {
    struct Expect {
        int32_t code;
        const char* form;
        int fields;
        const char* firstLabel;
        const char* lastLabel;
    };
    const Expect expected[] = {
        {0, "1099-MISC", 35, "box 1", "filing year "},  {5, "1099-DIV", 39, "x", "filing year "},
        {3, "1099-INT", 36, "X", "filing year "},       {6, "1099-R", 42, "x", "13 date of pymt."},
        {4, "1099-S", 22, "X", "filing year "},         {2, "1096", 18, "filer name", "ssn"},
        {9, "1099-NEC", 24, "x", "filing year "},
    };
    ASSERT_EQ(formChoices().size(), std::size(expected));
    for (int position = 0; position < 7; ++position) {
        SCOPED_TRACE(position);
        const Expect& e = expected[position];
        const FormChoice* choice = choiceAt(position);
        ASSERT_NE(choice, nullptr);
        EXPECT_EQ(choice->layoutCode, e.code);
        EXPECT_STREQ(choice->form, e.form);
        EXPECT_EQ(choice->fields, e.fields);
        EXPECT_EQ(choiceFor(e.code), choice);
        // One label per field, and one field per entry of the built-in layout.
        const auto labels = fieldLabels(e.code);
        ASSERT_EQ(labels.size(), static_cast<size_t>(e.fields));
        EXPECT_STREQ(labels.front(), e.firstLabel);
        EXPECT_STREQ(labels.back(), e.lastLabel);
        EXPECT_EQ(builtIn(e.code).size(), static_cast<size_t>(e.fields));
    }
    EXPECT_EQ(choiceAt(-1), nullptr);
    EXPECT_EQ(choiceAt(7), nullptr);
    for (int32_t code : {1, 7, 8, 10, -1}) {
        EXPECT_EQ(choiceFor(code), nullptr) << code;
        EXPECT_TRUE(fieldLabels(code).empty()) << code;
    }
    EXPECT_STREQ(fieldLabels(0)[4], "box 5");
    EXPECT_STREQ(fieldLabels(9)[4], "payer city-state-zip");
    EXPECT_STREQ(fieldLabels(2)[4], "phone");
}

// Each list position stores into its own form's table of a company file.
TEST(LayoutEditing, EachChoiceStoresItsOwnForm) {
    resetSession();
    ScriptedUserInterface ui;
    TempHome home;
    CompanyDatabase company;
    ASSERT_TRUE(company.Init(home.file("Stores 2025.db"), false, false, true, ""));
    for (const FormChoice& choice : formChoices()) {
        SCOPED_TRACE(choice.form);
        WX_FORMAT holder;
        Layout layout = format().GetWXFmt(holder.Val, choice.layoutCode, false, &company);
        layout[1].pt() = WX_XPOINT{static_cast<int16_t>(700 + choice.layoutCode), 9};
        EXPECT_TRUE((company.*choice.store)(layout));
    }
    for (const FormChoice& choice : formChoices()) {
        WX_FORMAT holder;
        EXPECT_EQ(format().GetWXFmt(holder.Val, choice.layoutCode, false, &company)[1].pt().x,
                  700 + choice.layoutCode)
            << choice.form;
    }
    company.Close();
    EXPECT_TRUE(ui.boxes().empty());
}

TEST(LayoutEditing, DisplayWidths) {
    struct Case {
        const char* label;
        int16_t stored;
        int16_t shown;
    };
    const Case cases[] = {
        {"box 1", 5, 20},
        {"box 1", 10, 20},
        {"box 1", 11, 11},
        {"X", -5, 20},
        {"payer name", 200, 200},
        {"12.x", 5, 40},
        {"12.x", 10, 40},
        {"12.x", 100, 100},
        {"%%", 5, 40},
        {"%%", 100, 40},
        {"13 date of pymt.", 100, 120},
        {"recipient city-state-zip-country", 280, 250},
        {"recipient city-state-zip-phone", 5, 250},
        {"recipient city-state-zip", 200, 200},
        {"recipient acct", 100, 130},
        {"box 3 address", 100, 130},
        {"zip", 100, 35},
        {"zip", 0, 35},
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayWidth(c.label, c.stored), c.shown) << c.label << " " << c.stored;

    // Applied over a whole layout, by each field's label.
    Layout r = builtIn(6);
    r[0].setWidth(5);
    applyDisplayWidths(r, 6);
    EXPECT_EQ(r[0].width(), 20);        // "x"
    EXPECT_EQ(r[13].width(), 40);       // "%%"
    EXPECT_EQ(r[35].width(), 130);      // "recipient acct"
    EXPECT_EQ(r[41].width(), 120);      // "13 date of pymt."
    EXPECT_EQ(r[30].width(), builtIn(6)[30].width());   // "payer name" keeps its own
}

TEST(LayoutEditing, FrameOfAnEntry) {
    struct Case {
        const char* name;
        WX_FMTVAL entry;
        LabelFrame frame;   // left, bottom, width, height
    };
    const Case cases[] = {
        {"1099-MISC box 1", entry(100, 425, 85), {321, 740, 72, 15}},
        {"two lines, not printed", entry(250, 70, 263, 2, 1), {65, 612, 180, 30}},
        {"narrow mark", entry(20, 222, 17), {174, 789, 14, 15}},
        {"top left corner", entry(100, 0, 0), {15, 801, 72, 15}},
        // Products are cut towards zero, also below zero.
        {"left of the form", entry(100, -20, -30), {1, 822, 72, 15}},
    };
    for (const Case& c : cases) EXPECT_EQ(frameOf(c.entry), c.frame) << c.name;
}

TEST(LayoutEditing, DroppedLabelGivesItsStoredPosition) {
    // A label dropped with its origin at (87, 600) points: the same position for every
    // field, the form's fifth field (1099-MISC box 5, the 1099-NEC payer city line, the
    // 1096 contact phone) included.
    EXPECT_EQ(storedPosition(87, 600), (WX_XPOINT{100, 280}));
    EXPECT_EQ(storedPosition(15, 801), (WX_XPOINT{0, 1}));
    EXPECT_EQ(storedPosition(0, 816), (WX_XPOINT{-20, -20}));
    // Beyond the 16-bit range a position stops at its ends.
    EXPECT_EQ(storedPosition(100000, -100000), (WX_XPOINT{32767, 32767}));
    EXPECT_EQ(storedPosition(-100000, 100000), (WX_XPOINT{-32768, -32768}));
}

// Dropping a label where the editor showed it gives back the stored position within a
// hundredth of an inch, for every field of every form and across the page.
TEST(LayoutEditing, LabelPutBackWhereItWasKeepsItsPosition) {
    auto near = [](const WX_XPOINT& a, const WX_XPOINT& b) {
        return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
    };
    for (const FormChoice& choice : formChoices()) {
        const Layout layout = builtIn(choice.layoutCode);
        for (size_t i = 0; i < layout.size(); ++i) {
            const LabelFrame f = frameOf(layout[i]);
            const WX_XPOINT back = storedPosition(f.left, f.bottom);
            EXPECT_TRUE(near(back, layout[i].pt()))
                << choice.form << " field " << i << ": " << back.x << "," << back.y;
        }
    }
    for (int16_t v = 0; v <= 1100; ++v) {
        const LabelFrame f = frameOf(entry(100, v, v));
        const WX_XPOINT back = storedPosition(f.left, f.bottom);
        ASSERT_TRUE(near(back, WX_XPOINT{v, v})) << v << ": " << back.x << "," << back.y;
    }
}

}  // namespace
