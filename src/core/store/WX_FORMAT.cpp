#include "core/store/WX_FORMAT.h"

WX_FORMAT::WX_FORMAT() : Val(kEntries) {}
