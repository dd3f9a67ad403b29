#pragma once

#include <cstdint>
#include <string>

#include "core/print/Report.h"

// A text report built line by line in columns of blanks, printed on Close (when
// ptint_flag is set) through the report text printer of the window layer.
class WinReport : public Report {
public:
    WinReport() : Report(-1) {}

    bool Open() { return true; }
    // n blanks onto the current line (nothing for n of 0 or less).
    void AddSpace(int32_t n);
    void AddSpace_Att(int32_t n);
    // The text on the current line at the column, moved left by its length (alignment
    // 1, right edge at the column) or half of it (2, centred); the line is padded with
    // blanks up to there.
    void Put(const std::string& text, int32_t column, int32_t alignment) override;
    using Report::Put;
    void Put_Att_S(const std::string& text, int32_t column, int32_t alignment);
    // The current line and "\n" onto TextData; a new line begins.
    void EndLine() override;
    void EndLine_Att();
    // Prints TextData, titled with the report's title, when ptint_flag is set.
    void Close();

    std::string LineBuffer;
    std::string LineBuffer_Att;
    std::string HeaderData;
    std::string TextData;
};
