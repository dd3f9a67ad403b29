#include "core/payroll/ReportHooks.h"

namespace reporthooks {
namespace {
TextPrinter& textPrinter() {
    static TextPrinter printer;
    return printer;
}
LabelAdder& labelAdder() {
    static LabelAdder adder;
    return adder;
}
}  // namespace

void setTextPrinter(TextPrinter printer) { textPrinter() = std::move(printer); }
void printText(const std::string& title, const std::string& text) {
    if (textPrinter()) textPrinter()(title, text);
}

void setLabelAdder(LabelAdder adder) { labelAdder() = std::move(adder); }
void addLabel(const Label& label) {
    if (labelAdder()) labelAdder()(label);
}

}  // namespace reporthooks
