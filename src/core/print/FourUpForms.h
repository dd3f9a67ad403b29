#pragma once

#include <cstdint>
#include <span>
#include <string>

// The forms printed four to a sheet on plain paper: where the four copies of a form
// stand on the sheet, and the picture of the form drawn behind the fields.
//
// A form picture is the program's own drawing of one copy of the form as a table of
// boxes, drawn four times, once at each copy's place. Every printed field of the form's
// built-in four-up layout lies inside the box its caption names.
namespace fourup {

inline constexpr int32_t kCopies = 4;
// Each copy's place on the sheet, hundredths of an inch.
inline constexpr int32_t kCopyX[kCopies] = {0, 257, 0, 257};
inline constexpr int32_t kCopyY[kCopies] = {0, 0, 512, 512};
// What each copy is for: the recipient's copy, the copy for the recipient's state
// return, the state's copy and the payer's copy (the two lower copies carry the void
// box, the payer's copy the second notice of an incorrect TIN).
inline constexpr const char* kCopyTitles[kCopies] = {
    "Copy B  For Recipient",
    "Copy 2  To be filed with recipient's state income tax return, when required",
    "Copy 1  For State Tax Department",
    "Copy C  For Payer",
};

// Where a box's caption is written: in its top left corner, in its top right corner, or
// in its bottom left corner when fields start at the box's very top.
enum class CaptionCorner : uint8_t { left, right, bottom };

// One box of a copy, hundredths of an inch from the copy's top left corner.
struct FormBox {
    int16_t x;
    int16_t y;
    int16_t width;
    int16_t height;
    const char* number;    // the box number, "" for the unnumbered boxes
    const char* caption;   // unique within its form
    CaptionCorner corner = CaptionCorner::left;
};

struct FormPicture {
    const char* name;        // the picture's name, as the print run asks for it
    const char* formName;    // "Form 1099-MISC"
    const char* title;       // the form's title
    const char* year;        // "2025"
    std::span<const FormBox> boxes;
};

// The picture of a name; null for a name that has none.
const FormPicture* picture(const std::string& name);

// A printed field of a four-up form: its entry in the built-in layout and the caption
// of the box that holds it.
struct FieldBox {
    int32_t entry;
    const char* caption;
};
// The printed fields of the four-up form of a report number (0 1099-MISC, 7 1099-INT,
// 11 1099-NEC); empty for any other number.
std::span<const FieldBox> fieldBoxes(int32_t reptnum);

}  // namespace fourup
