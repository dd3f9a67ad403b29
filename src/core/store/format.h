#pragma once

#include <cstdint>
#include <vector>

#include "core/store/WX_FMTVAL.h"
#include "core/store/WX_FORMAT.h"

class CompanyDatabase;

// The layout loader: hands out a fresh copy of a built-in layout or the copy that the
// open company database keeps. The four fields are filled by the layout editor for its
// own use; the loader does not read them.
class format {
public:
    // Loads the layout of a layout code.
    // - Codes 0, 2, 3, 4, 5, 6, 9 with builtIn set: a fresh copy of the built-in layout;
    //   destination is not touched.
    // - The same codes with builtIn clear: the open company database's stored rows replace
    //   destination's entries by field number, and destination is returned; entries without
    //   a stored row keep what destination held.
    // - Codes 1, 8, 10: always the built-in layout.
    // - Code 7 and any other code: destination unchanged.
    std::vector<WX_FMTVAL> GetWXFmt(std::vector<WX_FMTVAL>& destination, int32_t layoutCode, bool builtIn);

    // The same, reading stored layouts from the given database instead of the open one.
    std::vector<WX_FMTVAL> GetWXFmt(std::vector<WX_FMTVAL>& destination, int32_t layoutCode, bool builtIn,
                                    CompanyDatabase* database);

    WX_FORMAT& getTheFormat() { return theFormat_; }
    WX_FORMAT& theFormat() { return theFormat_; }
    void setTheFormat(WX_FORMAT v) { theFormat_ = std::move(v); }

    const char* const* getStringPointer() const { return stringPointer_; }
    const char* const* stringPointer() const { return stringPointer_; }
    void setStringPointer(const char* const* v) { stringPointer_ = v; }

    int32_t getNumberOfFormatFields() const { return numberOfFormatFields_; }
    int32_t numberOfFormatFields() const { return numberOfFormatFields_; }
    void setNumberOfFormatFields(int32_t v) { numberOfFormatFields_ = v; }

    int32_t getTheFormatID() const { return theFormatID_; }
    int32_t theFormatID() const { return theFormatID_; }
    void setTheFormatID(int32_t v) { theFormatID_ = v; }

private:
    WX_FORMAT theFormat_;
    const char* const* stringPointer_ = nullptr;   // the editor's field labels
    int32_t numberOfFormatFields_ = 0;
    int32_t theFormatID_ = 0;
};
