#include "core/print/ReportHooks.h"

namespace reporthooks {
namespace {
TextPrinter& textPrinter() {
    static TextPrinter printer;
    return printer;
}
}  // namespace

void setTextPrinter(TextPrinter printer) { textPrinter() = std::move(printer); }
void printText(const std::string& title, const std::string& text) {
    if (textPrinter()) textPrinter()(title, text);
}

}  // namespace reporthooks
