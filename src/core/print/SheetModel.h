#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One text of a form, placed on its sheet: the frame is in whole points from the
// sheet's top left corner (y downwards). The text is drawn from the frame's top left,
// in the form font at its size, and cut at the frame's edges. A text of several lines
// (broken at "\n") has them lineHeight points apart.
struct PlacedText {
    std::string text;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    double size = 8.0;   // points; the form font's size unless set smaller to fit a box
    double lineHeight = 0.0;

    friend bool operator==(const PlacedText&, const PlacedText&) = default;
};

// One letter sheet of a form run.
struct Sheet {
    std::vector<PlacedText> texts;
    // The form picture drawn behind the texts (a resource name, for forms printed four
    // to a sheet on plain paper); empty for pre-printed paper.
    std::string background;
};

// The sheets of one form print run, in printing order. Core composes them; the window
// layer paints each sheet as one page, at full size with no scaling, so every text
// lands where its frame says.
class SheetModel {
public:
    // A letter sheet, portrait, in points.
    static constexpr int32_t kPageWidth = 612;
    static constexpr int32_t kPageHeight = 792;
    // The form font: Arial at 8 points (painted with a metric-compatible face).
    static constexpr const char* kFontFamily = "Arial";
    static constexpr int32_t kFontSize = 8;
    // A text is drawn kInsetX points right of and kInsetY points below its frame's top
    // left corner, as a borderless text field draws it: the layouts were measured with
    // it, and a text fitted into its box without these would be cut at the box's edge.
    static constexpr double kInsetX = 2.0;
    static constexpr double kInsetY = 1.0;
    // One line of the form font, from its ascent to its descent, in multiples of its size.
    static constexpr double kGlyphHeight = 1.12;

    std::vector<Sheet>& sheets() { return sheets_; }
    const std::vector<Sheet>& sheets() const { return sheets_; }
    std::size_t size() const { return sheets_.size(); }
    bool empty() const { return sheets_.empty(); }

    // Appends a sheet, which becomes the last page.
    void add(Sheet sheet) { sheets_.push_back(std::move(sheet)); }

private:
    std::vector<Sheet> sheets_;
};
