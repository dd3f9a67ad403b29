#include "core/store/WX_FMT.h"

WX_FMTVAL WX_FMT::InitParam(int32_t noprint, int32_t rjust, int32_t height, int16_t width, int16_t x, int16_t y) {
    return WX_FMTVAL(noprint, rjust, height, width, x, y);
}
