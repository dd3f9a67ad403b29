#include "core/print/LabelLayout.h"

#include <limits>

#include "core/foundation/Utils.h"
#include "core/store/MailingLabelInfo.h"

namespace {

// Hundredths of an inch of a measure, or -1 when it may not be stored.
int64_t measure(const std::string& text, bool mayBeZero) {
    if (text.empty() || !Utils::isValidDollarString(text)) return -1;
    const int64_t value = Utils::dollarStringToInt(text);
    if (value < 0 || value > std::numeric_limits<int32_t>::max()) return -1;
    if (value == 0 && !mayBeZero) return -1;
    return value;
}

bool countAllowed(int32_t count) { return count >= 1 && count <= LabelLayout::kMaxCount; }

}  // namespace

LabelLayout LabelLayout::of(const MailingLabelInfo& stored) {
    LabelLayout layout;
    const LabelLayout defaults;
    auto take = [](const std::string& text, bool mayBeZero, int32_t fallback) {
        const int64_t value = measure(text, mayBeZero);
        return value < 0 ? fallback : static_cast<int32_t>(value);
    };
    layout.left = take(stored.getLeft(), true, defaults.left);
    layout.top = take(stored.getTop(), true, defaults.top);
    layout.width = take(stored.getWidth(), false, defaults.width);
    layout.height = take(stored.getHeight(), false, defaults.height);
    layout.across = countAllowed(stored.getAcross()) ? stored.getAcross() : defaults.across;
    layout.repeat = countAllowed(stored.getRepeat()) ? stored.getRepeat() : defaults.repeat;
    return layout;
}

std::vector<std::string> LabelLayout::faults(const std::string& left, const std::string& top,
                                             const std::string& width, const std::string& height,
                                             const std::string& across, const std::string& repeat) {
    std::vector<std::string> lines;
    if (measure(left, true) < 0) lines.emplace_back("Left: inches with at most two decimals, 0 or more (such as 0.30)");
    if (measure(top, true) < 0) lines.emplace_back("Top: inches with at most two decimals, 0 or more (such as 0.20)");
    if (measure(width, false) < 0) lines.emplace_back("Width: inches with at most two decimals, more than 0 (such as 3.00)");
    if (measure(height, false) < 0) lines.emplace_back("Height: inches with at most two decimals, more than 0 (such as 1.00)");
    if (!countAllowed(Utils::stringToPositive(across))) lines.emplace_back("Across: a number from 1 to 9");
    if (!countAllowed(Utils::stringToPositive(repeat))) lines.emplace_back("Repeat: a number from 1 to 9");
    return lines;
}
