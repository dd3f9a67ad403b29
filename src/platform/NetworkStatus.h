#pragma once

namespace platform {

// Whether the machine is on a network, read from its interfaces without sending
// anything: up when an interface other than loopback is up and running and has an
// address. The environment variable below forces the answer ("up" or "down"), so
// tests never depend on the machine they run on.
bool isNetworkAvailable();

inline constexpr const char kNetworkStatusVariable[] = "TALVEXA_NETWORK";

}  // namespace platform
