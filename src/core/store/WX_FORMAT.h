#pragma once

#include <vector>

#include "core/store/WX_FMTVAL.h"

// A layout holder. It starts with 100 blank entries so that a stored layout can be
// read into it by field number (0 to 99) in place.
class WX_FORMAT {
public:
    static constexpr int kEntries = 100;

    WX_FORMAT();

    std::vector<WX_FMTVAL> Val;
};
