#pragma once

#include <cstdint>
#include <string>

#include "core/print/FileWrap.h"
#include "core/print/Report.h"

// A report file of fixed-column text, tab-separated, comma-separated or XML lines,
// written as UTF-8 bytes through TextFile (which the caller opens). Lines end in a
// single carriage return; a tab-separated line's trailing tab becomes that return.
class TextReport : public Report {
public:
    TextReport() : Report(-1) {}

    // Positions the file at its start.
    bool Open();
    void InitBuf(const std::string& text) { buf = text; }
    // Does nothing: the caller writes buf itself.
    void PutBuf() {}
    // Pads buf with blanks to |column| - 1 characters, then appends the text, upper-cased
    // for a column of 0 or more.
    void MoveStr(const std::string& text, int32_t column);
    // The digits left-padded with "0" to the width (a longer text is moved as it is).
    void MoveNum(const std::string& digits, int32_t width, int32_t column);
    // The text right-padded with blanks to the width.
    void MoveNumWithBlanks(const std::string& text, int32_t width, int32_t column);
    void MoveVal(int64_t value, int32_t width, int32_t column);
    void MoveLong(int64_t value, int32_t width, int32_t column);
    void MoveULong(uint64_t value, int32_t width, int32_t column);
    void MoveDbl(double value, int32_t width, int32_t column);

    // Unless stop: the text and a separator ("," in comma mode, else a tab).
    void Put(const std::string& text, int32_t, int32_t) override;
    using Report::Put;
    // The text with its commas made blanks, and ",".
    void PutCSV(const std::string& text);
    // The text, when it holds a blank with the blanks and commas of its first eight
    // characters made commas, and ",".
    void PutCSV_1(const std::string& text);
    void PutXML(const std::string& text, bool newline);
    // tag, the escaped value, the closing tag and "\r\n".
    void PutXML_string(const std::string& tag, const std::string& value);
    void PutXML_long(const std::string& tag, int64_t cents);
    // Ends a tab-separated line; nothing when stop or in comma mode.
    void EndLine() override;
    // Ends a line of PutCSV fields; nothing when stop or in comma mode.
    void EndLineCsv();
    // In comma mode the last byte written becomes a carriage return; closes the file.
    // False when any write, or the close, failed.
    bool Close();

    // Index of the character in the text, -1 when absent.
    static int32_t strpos(char character, const char* text);

    std::string buf;
    FileWrap TextFile;

private:
    void write(const std::string& bytes);

    bool failed_ = false;
};
