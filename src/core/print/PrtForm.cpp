#include "core/print/PrtForm.h"

#include "core/foundation/Utils.h"

namespace {
// The draw position's distance from the paper's left edge, in points.
constexpr int32_t kLeftMargin = 55;
// Positioned columns: 89 of them span 730 layout units.
constexpr int32_t kColumnUnits = 730;
constexpr int32_t kColumns = 89;
}  // namespace

void PrtForm::Put(const std::string& text, int32_t x, int32_t alignment) {
    PDF& writer = pageToDrawOn();
    const std::string shown = PDF::printableText(text);
    const double width = PrtReport::textWidth(shown);
    double left = x;
    if (alignment == kAlignCenter)
        left -= width / 2;
    else if (alignment == kAlignRight)
        left -= width;
    if (Prt.PageNum >= Prt.FirstPage)
        writer.TextOut(static_cast<int32_t>(left) + kLeftMargin, (LineNum + 1) * Prt.LinePix, shown);
}

void PrtForm::Put1(const std::string& text, int32_t dx, int32_t dy, int32_t flag) {
    if (thePoint.empty()) thePoint.push_back(std::make_shared<POINT>());
    auto point = std::make_shared<POINT>(*thePoint.front());
    point->setX(point->x() + dx);
    point->setY(point->y() + dy);
    Report::Put(text, flag);
    thePoint.front() = point;
}

void PrtForm::Put_Str(int32_t column, const std::string& text) {
    if (column < 0) {
        fmtval.pt().x = static_cast<int16_t>(fmtval.pt().x - InchWidth(text));
        column = -column;
    }
    fmtval.pt().x = static_cast<int16_t>(fmtval.pt().x + column * kColumnUnits / kColumns);
    Report::Put(text, -1);
    fmtval = WX_FMTVAL();
}

void PrtForm::NextLine() {
    fmtval.pt().y = static_cast<int16_t>(fmtval.pt().y + Utils::InchVal(Prt.LinePix, Prt.yRes));
}
