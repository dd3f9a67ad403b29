#pragma once

#include <functional>
#include <string>

// What the payroll report writers hand to the window layer: the printing of a text
// report. The window layer installs it at start-up; with none installed the text is
// not printed.
namespace reporthooks {

// A text report to print: its job title and its lines, each ended by "\n".
using TextPrinter = std::function<void(const std::string& title, const std::string& text)>;
void setTextPrinter(TextPrinter printer);
void printText(const std::string& title, const std::string& text);

}  // namespace reporthooks
