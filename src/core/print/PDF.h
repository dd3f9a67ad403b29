#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program's own writer of small PDF documents (the summary report and the mailing
// labels): pages of text, lines and rectangles in the five standard Type 1 fonts. Page
// content is collected as text; PutDoc writes the whole document to a file.
//
// Coordinates are whole points from the top-left corner of a Letter page. Text is
// written in ASCII: accented letters lose their accents and any other character becomes
// "?", because the standard fonts' encoding has no other characters.
class PDF {
public:
    // Positions in the standard font table.
    static constexpr const char* FONTS[5] = {"Courier", "Helvetica", "Times-Roman", "Symbol", "ZapfDingbats"};
    static constexpr int32_t kMaxPages = 32000;
    // An escaped text of one TextOut holds at most this many bytes.
    static constexpr std::size_t kMaxTextBytes = 255;

    PDF() = default;

    // Starts the next page; its content begins with the current font (and line width
    // when it is not 1). After kMaxPages pages nothing happens: further lines go on
    // into the last page.
    void AddPage();
    // Makes the font current (a name outside the table counts as "Courier"). Fonts are
    // numbered in the order of their first use. Before the first page the choice is only
    // recorded.
    void SetFont(const std::string& name, int32_t size);
    void SetLineWidth(int32_t width);
    void TextOut(int32_t x, int32_t y, const std::string& text);
    void LineOut(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // The rectangle hangs down from its top-left corner.
    void RectOut(int32_t x, int32_t y, int32_t width, int32_t height);
    // Gives out the next object number and records its offset in the document text.
    int32_t NewObj();
    // Writes the document to the file at path. False when the file could not be
    // written (lastError() says why). Either way the writer is emptied afterwards.
    bool PutDoc(const std::string& path);

    // The text as TextOut puts it between the parentheses: ASCII with "(", ")" and "\"
    // escaped, cut to kMaxTextBytes without splitting an escape.
    static std::string escapedText(const std::string& text);
    // The text in the characters the fonts can show: accented letters without their
    // accents, anything else outside ASCII as "?"; ASCII text unchanged.
    static std::string printableText(const std::string& text);

    bool pageflag() const { return pageflag_; }
    int32_t Page() const { return Page_; }
    int32_t NumObject() const { return NumObject_; }
    int32_t NumFont() const { return NumFont_; }
    int32_t FontSize() const { return FontSize_; }
    int32_t Height() const { return Height_; }
    int32_t Width() const { return Width_; }
    int32_t LineWidth() const { return LineWidth_; }
    const std::vector<std::string>& PageBuf() const { return PageBuf_; }
    const std::string& FontFamily() const { return FontFamily_; }
    const std::vector<int64_t>& ObjOffset() const { return ObjOffset_; }
    const std::vector<int32_t>& FontIndex() const { return FontIndex_; }
    const std::vector<int32_t>& FontObj() const { return FontObj_; }
    const std::string& Buffer() const { return Buffer_; }
    const std::string& lastError() const { return lastError_; }

    // Metrics of the writer's text for positioned output: points per text column and
    // per line at 10 points, and points per inch.
    int32_t CharWidth() const { return CharWidth_; }
    void setCharWidth(int32_t v) { CharWidth_ = v; }
    int32_t LinePix() const { return LinePix_; }
    void setLinePix(int32_t v) { LinePix_ = v; }
    int32_t xRes() const { return xRes_; }
    void setXRes(int32_t v) { xRes_ = v; }
    int32_t yRes() const { return yRes_; }
    void setYRes(int32_t v) { yRes_ = v; }

private:
    // One line of the current page's content.
    void put(const std::string& line);
    // One line of the document text.
    void putDoc(const std::string& line);
    void recordOffset(int32_t object);
    void clear();

    bool pageflag_ = false;
    int32_t Page_ = 0;
    int32_t NumObject_ = 2;
    int32_t NumFont_ = 0;
    int32_t FontSize_ = -1;
    int32_t Height_ = 792;
    int32_t Width_ = 612;
    int32_t LineWidth_ = 1;
    std::vector<std::string> PageBuf_;
    std::string FontFamily_;
    std::vector<int64_t> ObjOffset_;    // index = object number - 1
    std::vector<int32_t> FontIndex_;
    std::vector<int32_t> FontObj_;
    std::string Buffer_;
    std::string lastError_;
    int32_t CharWidth_ = 6;
    int32_t LinePix_ = 12;
    int32_t xRes_ = 72;
    int32_t yRes_ = 72;
};
