// Forms four to a sheet on plain paper: one sheet per selected recipient, four copies at
// the built-in places over the form's picture, the copy-dependent boxes, and the marks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SheetFixture.h"
#include "core/print/DisplayPDF.h"
#include "core/print/FourUpForms.h"
#include "core/store/WX_FMT.h"

namespace {

struct FourUpKind {
    const char* name;
    int32_t kind;
    int32_t reptnum;
    int32_t layoutCode;
    const char* picture;
    WX_FMT::Layout (WX_FMT::*builtIn)();
    int32_t nameEntry;     // the recipient's name line
    int32_t yearEntry;
    int32_t voidEntry;
    int32_t secondTinEntry;
    int32_t correctedEntry;
    int32_t fatcaEntry;
    void (RecipientInfo::*setFatca)(bool);
};

const FourUpKind kKinds[] = {
    {"MISC", 1, REPDATA::kMisc4Up, 1, "499MISCU2025", &WX_FMT::InitWX_1099_4UP_FMT1, 24, 19, 34, 33, 10, 36,
     &RecipientInfo::setFATCA_MISC},
    {"INT", 3, REPDATA::kInt4Up, 8, "4099INTU2025", &WX_FMT::InitWX_1099_INT_4UP_FMT, 25, 30, 24, 23, 22, 33,
     &RecipientInfo::setFATCA_INT},
    {"NEC", 7, REPDATA::kNec4Up, 10, "4099NECU2025", &WX_FMT::InitWX_1099_NEC_4UP_FMT, 16, 23, 24, 22, 7, 21,
     &RecipientInfo::setFATCA_NEC},
};

class FourUpTest : public SheetTest, public ::testing::WithParamInterface<FourUpKind> {
protected:
    // The frame origin, in points, of a built-in entry on a copy.
    static std::pair<int32_t, int32_t> origin(const WX_FMT::Layout& layout, int32_t entry, int32_t copy) {
        const WX_FMTVAL& e = layout[static_cast<size_t>(entry)];
        return {(e.pt().x + fourup::kCopyX[copy]) * 72 / 100, (e.pt().y + fourup::kCopyY[copy]) * 72 / 100};
    }
    // Where each text equal to `text` stands on the sheet, in placing order.
    static std::vector<std::pair<int32_t, int32_t>> where(const Sheet& sheet, const std::string& text) {
        std::vector<std::pair<int32_t, int32_t>> out;
        for (const PlacedText& t : sheet.texts)
            if (t.text == text) out.push_back({t.x, t.y});
        return out;
    }
    std::shared_ptr<const SheetModel> run(const FourUpKind& k, const std::vector<int32_t>& keys) {
        selectRecipients(keys);
        REPDATA request;
        request.setReptnum(k.reptnum);
        request.setWxtype(k.layoutCode);
        request.setFormKind(k.kind);
        rept().DoReport(request);
        return lastSheets();
    }
};

TEST_P(FourUpTest, OneSheetPerSelectedRecipientInSelectionOrderEachWithItsOwnPayer) {
    const FourUpKind& k = GetParam();
    const int32_t first = addFullPayer("First Payer");
    const int32_t second = addFullPayer("Second Payer");
    const int32_t ann = add(first, person(k.kind, "Ann", "Lee"));
    const int32_t bo = add(second, person(k.kind, "Bo", "Lin"));
    const int32_t cy = add(first, person(k.kind, "Cy", "Po"));
    select({first});
    const auto sheets = run(k, {cy, ann, bo});
    ASSERT_EQ(sheets->size(), 3u);
    const WX_FMT::Layout layout = (WX_FMT().*k.builtIn)();
    const char* names[] = {"Cy Po", "Ann Lee", "Bo Lin"};
    const char* payers[] = {"First Payer", "First Payer", "Second Payer"};
    for (size_t i = 0; i < 3; ++i) {
        const Sheet& sheet = sheets->sheets()[i];
        EXPECT_EQ(sheet.background, k.picture);
        // Every copy at the built-in place plus the copy's offset, exactly.
        std::vector<std::pair<int32_t, int32_t>> expected;
        for (int32_t copy = 0; copy < fourup::kCopies; ++copy) expected.push_back(origin(layout, k.nameEntry, copy));
        EXPECT_EQ(where(sheet, names[i]), expected) << names[i];
        EXPECT_EQ(where(sheet, payers[i]).size(), 4u);
    }
}

TEST_P(FourUpTest, CopyBoxesAndTheYear) {
    const FourUpKind& k = GetParam();
    const int32_t payer = addFullPayer();
    Person p = person(k.kind);
    p.voided();
    p.r.setCorrected(true);
    p.r.setSecondTin(true);
    (p.r.*k.setFatca)(true);
    const int32_t key = add(payer, p);
    const int32_t plain = add(payer, person(k.kind, "Bo", "Lin"));
    select({payer});
    session().PartialYear = true;   // never applies on plain paper
    const auto sheets = run(k, {key, plain});
    ASSERT_EQ(sheets->size(), 2u);
    const WX_FMT::Layout layout = (WX_FMT().*k.builtIn)();
    auto at = [&](int32_t entry, std::vector<int32_t> copies) {
        std::vector<std::pair<int32_t, int32_t>> out;
        for (int32_t c : copies) out.push_back(origin(layout, entry, c));
        return out;
    };
    std::vector<std::pair<int32_t, int32_t>> marks = where(sheets->sheets()[0], "x");
    std::vector<std::pair<int32_t, int32_t>> expected;
    for (int32_t copy = 0; copy < 4; ++copy) {
        expected.push_back(origin(layout, k.correctedEntry, copy));
        expected.push_back(origin(layout, k.fatcaEntry, copy));
        if (copy >= 2) expected.push_back(origin(layout, k.voidEntry, copy));
        if (copy == 3) expected.push_back(origin(layout, k.secondTinEntry, copy));
    }
    std::sort(marks.begin(), marks.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(marks, expected);
    EXPECT_TRUE(where(sheets->sheets()[1], "x").empty());
    EXPECT_EQ(where(sheets->sheets()[0], "2025"), at(k.yearEntry, {0, 1, 2, 3}));
    EXPECT_TRUE(where(sheets->sheets()[0], "25").empty());
}

TEST_P(FourUpTest, MarksPrintedOnlyOnBothRecords) {
    const FourUpKind& k = GetParam();
    const int32_t payer = addFullPayer();
    const int32_t printedOne = add(payer, person(k.kind));
    const int32_t other = add(payer, person(k.kind, "Bo", "Lin"));
    select({payer});
    ui->answerPrint(false);   // the marks stay when the print is cancelled
    run(k, {printedOne});
    const RecipientInfo r = cdb()->getRecipientInfo(printedOne);
    const RecipientAdditionalInfo a = cdb()->getRecipientAdditionalInfo(printedOne);
    EXPECT_TRUE(r.getPrinted());
    EXPECT_TRUE(a.getPrinted());
    EXPECT_FALSE(r.getCompleted());
    EXPECT_FALSE(a.getCompleted());
    EXPECT_EQ(a.getType(), k.kind);
    EXPECT_FALSE(cdb()->getRecipientInfo(other).getPrinted());
}

TEST_P(FourUpTest, EveryPrintedFieldLiesInsideItsNamedBoxOnEveryCopy) {
    const FourUpKind& k = GetParam();
    const fourup::FormPicture* picture = fourup::picture(k.picture);
    ASSERT_NE(picture, nullptr);
    const WX_FMT::Layout layout = (WX_FMT().*k.builtIn)();
    const auto fields = fourup::fieldBoxes(k.reptnum);
    ASSERT_FALSE(fields.empty());
    for (const fourup::FieldBox& f : fields) {
        const fourup::FormBox* found = nullptr;
        for (const fourup::FormBox& b : picture->boxes)
            if (std::string(b.caption) == f.caption) found = &b;
        ASSERT_NE(found, nullptr) << f.caption;
        for (int32_t copy = 0; copy < fourup::kCopies; ++copy) {
            const auto [x, y] = origin(layout, f.entry, copy);
            const int32_t left = (found->x + fourup::kCopyX[copy]) * 72 / 100;
            const int32_t top = (found->y + fourup::kCopyY[copy]) * 72 / 100;
            const int32_t right = (found->x + found->width + fourup::kCopyX[copy]) * 72 / 100;
            const int32_t bottom = (found->y + found->height + fourup::kCopyY[copy]) * 72 / 100;
            EXPECT_TRUE(x >= left && x < right && y >= top && y < bottom)
                << "entry " << f.entry << " (" << x << "," << y << ") outside " << f.caption << " on copy " << copy;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, FourUpTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<FourUpKind>& k) { return std::string(k.param.name); });

TEST_F(SheetTest, FourUpMiscIgnoresAnEditedStoredLayout) {
    const int32_t payer = addFullPayer();
    const int32_t key = add(payer, person(1));
    select({payer});
    // The company's own 1099-MISC layout moved far away.
    std::vector<WX_FMTVAL> moved = WX_FMT().InitWX_1099_2UP_FMT();
    for (WX_FMTVAL& e : moved) {
        e.pt().x = static_cast<int16_t>(e.pt().x + 300);
        e.pt().y = static_cast<int16_t>(e.pt().y + 300);
    }
    ASSERT_TRUE(cdb()->Update1099MISCFields1(moved));
    selectRecipients({key});
    DisplayPDF(1, true).RecipientFed1099();
    const auto sheets = lastSheets();
    ASSERT_EQ(sheets->size(), 1u);
    const WX_FMTVAL name = WX_FMT().InitWX_1099_4UP_FMT1()[24];
    bool found = false;
    for (const PlacedText& t : sheets->sheets()[0].texts)
        if (t.text == "Ann Lee") {
            EXPECT_EQ(t.x, name.pt().x * 72 / 100);
            EXPECT_EQ(t.y, name.pt().y * 72 / 100);
            found = true;
            break;
        }
    EXPECT_TRUE(found);
}

}  // namespace
