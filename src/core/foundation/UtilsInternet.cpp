#include "core/foundation/Utils.h"
#include "core/foundation/WebAddresses.h"
#include "platform/WebRequests.h"

namespace {
constexpr long kInternetCheckSeconds = 5;
}

bool Utils::CheckInternet() { return platform::headStatus(productWebSiteAddress() + "/", kInternetCheckSeconds) == 200; }
