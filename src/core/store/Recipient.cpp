#include "core/store/Recipient.h"

std::string Recipient::getTypeString() const {
    switch (type_) {
    case 1: return "MISC";
    case 2: return "DIV";
    case 3: return "INT";
    case 4: return "R";
    case 5: return "S";
    case 7: return "NEC";
    default: return "";
    }
}
