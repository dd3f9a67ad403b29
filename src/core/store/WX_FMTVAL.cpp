#include "core/store/WX_FMTVAL.h"

WX_FMTVAL::WX_FMTVAL(int32_t noprint, int32_t rjust, int32_t height, int16_t width, int16_t x, int16_t y)
    : noprint_(noprint), rjust_(rjust), height_(height), width_(width), pt_{x, y} {}
