#include "core/store/Recipient.h"

#include "core/foundation/FormKind.h"

std::string Recipient::getTypeString() const {
    return FormKind::shortName(type_);
}
