#pragma once

// What the print-layout editor knows about the forms it edits, apart from any window:
// which form each place of the chooser's list stands for, the label shown for every
// field, the widths a label is shown with, and the conversions between a layout entry
// and the label that shows it.
//
// Label geometry is in points (72 to the inch) measured from the bottom-left corner of
// the editor's canvas, which is kCanvasHeight points high; layout entries are in
// hundredths of an inch from the form's top-left corner. All conversions are integer
// and cut towards zero.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/WX_FMTVAL.h"
#include "core/store/WX_XPOINT.h"

class CompanyDatabase;
class FMDatabase;

namespace layoutediting {

using Layout = std::vector<WX_FMTVAL>;

// One form of the chooser's list.
struct FormChoice {
    int32_t layoutCode;
    const char* form;   // the form's name, as the list shows it
    int fields;         // entries of the layout that the editor shows and stores
    const char* table;  // the company database's table of the form's layout
    // Stores the first `fields` entries of a layout as the company's copy of the form's
    // layout, all or nothing; false when it could not be stored (the database has told
    // the user why).
    bool (CompanyDatabase::*store)(const Layout&);
};

// The chooser's list, in list order.
std::span<const FormChoice> formChoices();
// The form at a list position; nullptr for a position outside the list.
const FormChoice* choiceAt(int position);
// The form with a layout code; nullptr for a code the editor does not edit.
const FormChoice* choiceFor(int32_t layoutCode);

// Whether the company's stored layout of a form can be read now; when not, the reason
// (SQLite's message). Reports nothing itself.
bool storedLayoutReadable(FMDatabase& db, const FormChoice& form, std::string& reason);

// The label of each field of a form, in field order (as many as the form has fields);
// empty for a code the editor does not edit.
std::span<const char* const> fieldLabels(int32_t layoutCode);

// The width, in hundredths of an inch, that a field with this label and stored width is
// shown with. The editor keeps this width in the entry, so a saved layout stores it:
// a width of 10 or less is too narrow to grab and becomes 20 (40 for "12.x"), and a few
// labels whose text needs the room always get a fixed width.
int16_t displayWidth(std::string_view label, int16_t width);
// Applies displayWidth to every field of a form's layout.
void applyDisplayWidths(Layout& layout, int32_t layoutCode);

// Height of the editor's canvas in points.
inline constexpr int32_t kCanvasHeight = 816;

// Where a label sits on the canvas: its bottom-left corner and size, in points.
struct LabelFrame {
    int32_t left = 0;
    int32_t bottom = 0;
    int32_t width = 0;
    int32_t height = 0;

    friend bool operator==(const LabelFrame&, const LabelFrame&) = default;
};

// Points of label height per text line of an entry.
inline constexpr int32_t kPointsPerLine = 15;

// The frame of the label that shows a layout entry.
LabelFrame frameOf(const WX_FMTVAL& entry);

// The stored position of a field whose label's bottom-left corner has been moved to
// (left, bottom). It undoes frameOf's offsets the same way for every field, so a label
// put back where frameOf placed it gives the position it came from, within one
// hundredth of an inch. Results beyond the 16-bit range stop at its ends.
WX_XPOINT storedPosition(int32_t left, int32_t bottom);

}  // namespace layoutediting
