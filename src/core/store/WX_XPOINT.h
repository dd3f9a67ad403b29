#pragma once

#include <cstdint>

// A position on one form, in hundredths of an inch from the form's left and top edges
// (y grows downward).
struct WX_XPOINT {
    int16_t x = 0;
    int16_t y = 0;

    friend bool operator==(const WX_XPOINT&, const WX_XPOINT&) = default;
};
