#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What the payroll report writers hand to the window layer: the printing of a text
// report and the labels of the shared report view. The window layer installs them at
// start-up; with none installed the text is not printed and the label not shown.
namespace reporthooks {

// A text report to print: its job title and its lines, each ended by "\n".
using TextPrinter = std::function<void(const std::string& title, const std::string& text)>;
void setTextPrinter(TextPrinter printer);
void printText(const std::string& title, const std::string& text);

// A plain label of the shared report view: not bezelled, no background, neither
// editable nor selectable.
struct Label {
    std::string text;
    double x = 0, y = 0, width = 0, height = 0;   // points
    std::string fontName;
    int32_t fontSize = 0;
};
using LabelAdder = std::function<void(const Label& label)>;
void setLabelAdder(LabelAdder adder);
void addLabel(const Label& label);

}  // namespace reporthooks
