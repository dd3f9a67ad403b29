#include "core/print/LayoutEditing.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/sqlite/FMDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"

namespace layoutediting {

namespace {

constexpr const char* kMiscLabels[] = {
    "box 1", "box 2", "box 3", "box 4", "box 5", "box 6", "payer name", "payer address",
    "payer city-state-zip", "payer id", "X", "X", "box 8", "box 9", "box 10", "box 11", "box 12", "box 14",
    "box 15", "recipient id", "recipient acct", "recipient name", "recipient address",
    "recipient city-state-zip-country", "box 16-1", "box 16-2", "box 17-1", "box 17-2", "box 18-1", "box 18-2",
    "X", "X", "payer phone", "X", "filing year "};

constexpr const char* kDivLabels[] = {
    "x", "x", "box 1a", "box 1b", "box 2a", "box 2b", "box 2c", "box 2d", "box 2e", "box 2f", "box 3", "box 4",
    "box 6", "box 7", "box 8", "box 9", "box 10", "payer name", "payer address", "payer city-state-zip",
    "payer id", "recipient id", "account", "recipient name", "recipient address",
    "recipient city-state-zip-phone", "x", "payer phone", "box 12", "box 13", "14", "box 15", "box 16", "14",
    "box 15", "box 16", "x", "box 5", "filing year "};

constexpr const char* kIntLabels[] = {
    "X", "X", "payer rtn", "box 1", "box 2", "box 3", "box 4", "box 5", "box 6", "box 7", "box 8", "box 9",
    "box 14", "payer name", "payer address", "payer city-state-zip", "payer id", "recipient id",
    "recipient name", "recipient address", "recipient city-state-zip-phone", "recipient acct", "X",
    "payer phone", "15", "box 16", "box 17", "15", "box 16", "box 17", "box 10", "box 11", "X", "box 12",
    "box 13", "filing year "};

constexpr const char* kRLabels[] = {
    "x", "x", "box 1", "box 2a", "x", "x", "box 3", "box 4", "box 5", "box 6", "box 7", "x", "box 8", "%%",
    "box 9a", "box 9b", "box 10", "box 11", "box 14-1", "box 14-2", "box 15-1", "box 15-2", "box 16-1",
    "box 16-2", "box 17-1", "box 17-2", "box 18-1", "box 18-2", "box 19-1", "box 19-2", "payer name",
    "payer address", "payer city-state-zip", "payer id", "recipient id", "recipient acct", "recipient name",
    "recipient address", "recipient city-state-zip", "payer phone", "12.x", "13 date of pymt."};

constexpr const char* kSLabels[] = {
    "X", "X", "box 1", "box 2", "box 3 address", "box 3 city", "st", "zip", "X", "box 6", "filer name",
    "filer address", "filer city-state-zip", "filer id", "transferor id", "transferor name",
    "transferor address", "transferor city-state-zip", "account", "filer phone", "X", "filing year "};

constexpr const char* k1096Labels[] = {
    "filer name", "filer address", "filer city-st-zip", "contact", "phone", "fax", "email", "federal id",
    "# forms", "fed w/h", "tot amt", "x", "x", "x", "x", "x", "x", "ssn"};

constexpr const char* kNecLabels[] = {
    "x", "x", "payer name", "payer address", "payer city-state-zip", "payer phone", "payer id",
    "recipient id", "box 1", "recipient name", "recipient address", "recipient city-state-zip-country", "x",
    "recipient acct", "x", "box 3", "box 4", "box 5-1", "box 5-2", "box 6-1", "box 6-2", "box 7-1", "box 7-2",
    "filing year "};

constexpr std::array<FormChoice, 7> kChoices{{
    {0, "1099-MISC", 35, "_1099MiscFormat", &CompanyDatabase::Update1099MISCFields1},
    {5, "1099-DIV", 39, "_1099DIVFormat", &CompanyDatabase::Update1099DIVFields1},
    {3, "1099-INT", 36, "_1099INTFormat", &CompanyDatabase::Update1099INTFields1},
    {6, "1099-R", 42, "_1099RFormat", &CompanyDatabase::Update1099RFields1},
    {4, "1099-S", 22, "_1099SFormat", &CompanyDatabase::Update1099SFields1},
    {2, "1096", 18, "_1096Format", &CompanyDatabase::Update1096Fields1},
    {9, "1099-NEC", 24, "_1099NECFormat", &CompanyDatabase::Update1099NECFields},
}};

static_assert(std::size(kMiscLabels) == 35 && std::size(kDivLabels) == 39 && std::size(kIntLabels) == 36 &&
              std::size(kRLabels) == 42 && std::size(kSLabels) == 22 && std::size(k1096Labels) == 18 &&
              std::size(kNecLabels) == 24);

int16_t toInt16(int64_t value) {
    return static_cast<int16_t>(std::clamp<int64_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

}  // namespace

std::span<const FormChoice> formChoices() { return kChoices; }

const FormChoice* choiceAt(int position) {
    if (position < 0 || position >= static_cast<int>(kChoices.size())) return nullptr;
    return &kChoices[static_cast<size_t>(position)];
}

const FormChoice* choiceFor(int32_t layoutCode) {
    for (const FormChoice& c : kChoices)
        if (c.layoutCode == layoutCode) return &c;
    return nullptr;
}

bool storedLayoutReadable(FMDatabase& db, const FormChoice& form, std::string& reason) {
    if (companyrows::readAll(db, std::string("select count(*) from ") + form.table + ";", {}, [](FMResultSet&) {}))
        return true;
    reason = db.lastErrorMessage();
    return false;
}

std::span<const char* const> fieldLabels(int32_t layoutCode) {
    switch (layoutCode) {
        case 0: return kMiscLabels;
        case 2: return k1096Labels;
        case 3: return kIntLabels;
        case 4: return kSLabels;
        case 5: return kDivLabels;
        case 6: return kRLabels;
        case 9: return kNecLabels;
        default: return {};
    }
}

int16_t displayWidth(std::string_view label, int16_t width) {
    if (width <= 10) width = label == "12.x" ? 40 : 20;
    if (label == "%%") return 40;
    if (label == "13 date of pymt.") return 120;
    if (label == "recipient city-state-zip-country" || label == "recipient city-state-zip-phone") return 250;
    if (label == "recipient acct" || label == "box 3 address") return 130;
    if (label == "zip") return 35;
    return width;
}

void applyDisplayWidths(Layout& layout, int32_t layoutCode) {
    const auto labels = fieldLabels(layoutCode);
    for (size_t i = 0; i < labels.size() && i < layout.size(); ++i)
        layout[i].setWidth(displayWidth(labels[i], layout[i].width()));
}

LabelFrame frameOf(const WX_FMTVAL& entry) {
    LabelFrame frame;
    frame.left = entry.pt().x * 72 / 100 + 15;
    frame.bottom = 801 - entry.pt().y * 72 / 100;
    frame.width = entry.width() * 72 / 100;
    frame.height = entry.height() * kPointsPerLine;
    return frame;
}

WX_XPOINT storedPosition(int32_t left, int32_t bottom) {
    // frameOf puts a label 15 points right of its field's x and its bottom 801 - y
    // points up; 20 and 30 hundredths are those offsets rounded the way that lands the
    // label back on its own position. Every field goes the same way: a field that went
    // without them would jump by that much when the layout is opened again.
    const int64_t x = int64_t{left} * 100 / 72 - 20;
    const int64_t y = (int64_t{780} - bottom) * 100 / 72 + 30;
    return WX_XPOINT{toInt16(x), toInt16(y)};
}

}  // namespace layoutediting
