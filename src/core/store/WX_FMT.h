#pragma once

#include <cstdint>
#include <vector>

#include "core/store/WX_FMTVAL.h"

// The factory of the built-in print layouts. Each builder makes its layout afresh,
// keeps it in its property and returns it; nothing is cached between factories.
// Layout codes: 0 1099-MISC, 1 1099-MISC four per sheet, 2 1096, 3 1099-INT, 4 1099-S,
// 5 1099-DIV, 6 1099-R, 8 1099-INT four per sheet, 9 1099-NEC, 10 1099-NEC four per sheet.
class WX_FMT {
public:
    using Layout = std::vector<WX_FMTVAL>;

    // One entry with the given values.
    static WX_FMTVAL InitParam(int32_t noprint, int32_t rjust, int32_t height, int16_t width, int16_t x,
                               int16_t y);

    // Builders (the data lives in BuiltInLayouts.cpp).
    Layout InitWX_1099_2UP_FMT();        // code 0, 35 fields
    Layout InitWX_1099_4UP_FMT1();       // code 1, 37 fields
    Layout InitWX_1096_FMT();            // code 2, 18 fields
    Layout InitWX_1099_INT_FMT();        // code 3, 36 fields
    Layout InitWX_1099_S_FMT();          // code 4, 22 fields
    Layout InitWX_1099_DIV_FMT();        // code 5, 39 fields
    Layout InitWX_1099_R_FMT();          // code 6, 42 fields
    Layout InitWX_1099_INT_4UP_FMT();    // code 8, 36 fields
    Layout InitWX_1099_NEC_FMT();        // code 9, 24 fields
    Layout InitWX_1099_NEC_4UP_FMT();    // code 10, 25 fields

    // The stored arrays, empty until their builder has run.
    const Layout& GetWX_1099_2UP_FMT() const { return WX_1099_2UP_FMT_; }
    const Layout& GetWX_1096_FMT() const { return WX_1096_FMT_; }
    const Layout& GetWX_1099_INT_FMT() const { return WX_1099_INT_FMT_; }
    const Layout& GetWX_1099_S_FMT() const { return WX_1099_S_FMT_; }
    const Layout& GetWX_1099_DIV_FMT() const { return WX_1099_DIV_FMT_; }
    const Layout& GetWX_1099_R_FMT() const { return WX_1099_R_FMT_; }
    const Layout& GetWX_1099_4UP_FMT1() const { return WX_1099_4UP_FMT1_; }
    const Layout& GetWX_1099_NEC_FMT() const { return WX_1099_NEC_FMT_; }

    const Layout& WX_1099_2UP_FMT() const { return WX_1099_2UP_FMT_; }
    void setWX_1099_2UP_FMT(Layout v) { WX_1099_2UP_FMT_ = std::move(v); }
    const Layout& WX_1096_FMT() const { return WX_1096_FMT_; }
    void setWX_1096_FMT(Layout v) { WX_1096_FMT_ = std::move(v); }
    const Layout& WX_1099_INT_FMT() const { return WX_1099_INT_FMT_; }
    void setWX_1099_INT_FMT(Layout v) { WX_1099_INT_FMT_ = std::move(v); }
    const Layout& WX_1099_S_FMT() const { return WX_1099_S_FMT_; }
    void setWX_1099_S_FMT(Layout v) { WX_1099_S_FMT_ = std::move(v); }
    const Layout& WX_1099_DIV_FMT() const { return WX_1099_DIV_FMT_; }
    void setWX_1099_DIV_FMT(Layout v) { WX_1099_DIV_FMT_ = std::move(v); }
    const Layout& WX_1099_R_FMT() const { return WX_1099_R_FMT_; }
    void setWX_1099_R_FMT(Layout v) { WX_1099_R_FMT_ = std::move(v); }
    const Layout& WX_1099_4UP_FMT1() const { return WX_1099_4UP_FMT1_; }
    void setWX_1099_4UP_FMT1(Layout v) { WX_1099_4UP_FMT1_ = std::move(v); }
    const Layout& WX_1099_NEC_FMT() const { return WX_1099_NEC_FMT_; }
    void setWX_1099_NEC_FMT(Layout v) { WX_1099_NEC_FMT_ = std::move(v); }
    const Layout& WX_1099_4UP_NEC_FMT() const { return WX_1099_4UP_NEC_FMT_; }
    void setWX_1099_4UP_NEC_FMT(Layout v) { WX_1099_4UP_NEC_FMT_ = std::move(v); }
    const Layout& WX_1099_4Up_INT_FMT() const { return WX_1099_4Up_INT_FMT_; }
    void setWX_1099_4Up_INT_FMT(Layout v) { WX_1099_4Up_INT_FMT_ = std::move(v); }

private:
    Layout WX_1099_2UP_FMT_;
    Layout WX_1096_FMT_;
    Layout WX_1099_INT_FMT_;
    Layout WX_1099_S_FMT_;
    Layout WX_1099_DIV_FMT_;
    Layout WX_1099_R_FMT_;
    Layout WX_1099_4UP_FMT1_;
    Layout WX_1099_NEC_FMT_;
    Layout WX_1099_4UP_NEC_FMT_;
    Layout WX_1099_4Up_INT_FMT_;
};
