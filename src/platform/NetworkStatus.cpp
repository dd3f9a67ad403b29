#include "platform/NetworkStatus.h"

#include <cstdlib>
#include <cstring>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include "platform/SystemLog.h"

namespace platform {

namespace {

bool interfacesUp() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return false;
    bool up = false;
    for (const ifaddrs* i = list; i && !up; i = i->ifa_next) {
        if (!i->ifa_addr) continue;
        const int family = i->ifa_addr->sa_family;
        if (family != AF_INET && family != AF_INET6) continue;
        const unsigned flags = i->ifa_flags;
        up = (flags & IFF_UP) && (flags & IFF_RUNNING) && !(flags & IFF_LOOPBACK);
    }
    ::freeifaddrs(list);
    return up;
}

}  // namespace

bool isNetworkAvailable() {
    bool up = false;
    const char* forced = std::getenv(kNetworkStatusVariable);
    if (forced && std::strcmp(forced, "up") == 0)
        up = true;
    else if (forced && std::strcmp(forced, "down") == 0)
        up = false;
    else
        up = interfacesUp();
    systemLog(up ? "Connection is Available" : "Connection is down");
    return up;
}

}  // namespace platform
