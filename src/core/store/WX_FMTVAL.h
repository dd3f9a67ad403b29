#pragma once

#include <cstdint>

#include "core/store/WX_XPOINT.h"

// One field entry of a print layout: where one printable item of a form goes and how
// wide it may be. The entry's position in its layout array is its field number.
class WX_FMTVAL {
public:
    WX_FMTVAL() = default;
    WX_FMTVAL(int32_t noprint, int32_t rjust, int32_t height, int16_t width, int16_t x, int16_t y);

    // 1: the item is not printed at all.
    int32_t noprint() const { return noprint_; }
    void setNoprint(int32_t v) { noprint_ = v; }

    // Right-justify flag; kept with the entry, the print runs place items left-aligned.
    int32_t rjust() const { return rjust_; }
    void setRjust(int32_t v) { rjust_ = v; }

    // Height in text lines.
    int32_t height() const { return height_; }
    void setHeight(int32_t v) { height_ = v; }

    // Width in hundredths of an inch.
    int16_t width() const { return width_; }
    void setWidth(int16_t v) { width_ = v; }

    // Top-left corner of the item.
    const WX_XPOINT& pt() const { return pt_; }
    WX_XPOINT& pt() { return pt_; }
    void setPt(const WX_XPOINT& v) { pt_ = v; }

    friend bool operator==(const WX_FMTVAL&, const WX_FMTVAL&) = default;

private:
    int32_t noprint_ = 0;
    int32_t rjust_ = 0;
    int32_t height_ = 0;
    int16_t width_ = 0;
    WX_XPOINT pt_;
};
