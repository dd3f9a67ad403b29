#include "core/print/Printer.h"

#include "core/foundation/Utils.h"

Printer::Printer(int32_t reptnum) {
    if (reptnum == 8) {
        CharWidth = 6;
        LinesPerPage = 65;
        LinePix = 11;
        xMarg = yMarg = 18;
    } else if (reptnum == 9) {
        CharWidth = 6;
        LinePix = 10;
        LineInch = static_cast<int32_t>(Utils::InchVal(LinePix, yRes));
        BottomInch = static_cast<int32_t>(Utils::InchVal(static_cast<int32_t>(pageRect.bottom), yRes));
    }
}

void Printer::ClosePage() {
    ++PageNum;
    if (PageNum > LastPage) prterr = true;
}
