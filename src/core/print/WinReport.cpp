#include "core/print/WinReport.h"

#include "core/foundation/Utils.h"
#include "core/print/ReportHooks.h"

namespace {

void putAt(std::string& line, const std::string& text, int32_t column, int32_t alignment) {
    const int64_t length = static_cast<int64_t>(Utils::characterCount(text));
    int64_t at = column;
    if (alignment == 1)
        at -= length;
    else if (alignment == 2)
        at -= length / 2;
    const int64_t filled = static_cast<int64_t>(Utils::characterCount(line));
    if (filled < at) line.append(static_cast<std::size_t>(at - filled), ' ');
    line += text;
}

}  // namespace

void WinReport::AddSpace(int32_t n) {
    if (n > 0) LineBuffer.append(static_cast<std::size_t>(n), ' ');
}

void WinReport::AddSpace_Att(int32_t n) {
    if (n > 0) LineBuffer_Att.append(static_cast<std::size_t>(n), ' ');
}

void WinReport::Put(const std::string& text, int32_t column, int32_t alignment) {
    putAt(LineBuffer, text, column, alignment);
}

void WinReport::Put_Att_S(const std::string& text, int32_t column, int32_t alignment) {
    putAt(LineBuffer_Att, text, column, alignment);
}

void WinReport::EndLine() {
    TextData += LineBuffer + "\n";
    LineBuffer.clear();
}

void WinReport::EndLine_Att() { LineBuffer_Att += "\n"; }

void WinReport::Close() {
    if (ptint_flag) reporthooks::printText(title, TextData);
}
