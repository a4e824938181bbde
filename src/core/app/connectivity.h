#pragma once
// Whether the computer is on the Internet as Windows itself shows it: the network list
// manager's connectivity, which counts a network only once Windows has reached the Internet
// through it. The older question (InternetGetConnectedState) says "connected" whenever any
// adapter has a route (a LAN whose router lost its line, the virtual adapters of Hyper-V, WSL
// or a VPN), so it is asked only where the manager cannot answer.
#include <cstdint>
#include <functional>
#include <optional>

namespace klaxora {

// The manager's connectivity bits that mean the Internet, over IPv4 or IPv6.
inline constexpr uint32_t kConnectivityIpv4Internet = 0x40;
inline constexpr uint32_t kConnectivityIpv6Internet = 0x400;

// `managerConnectivity`: the manager's answer, nothing when it could not be asked; only then
// is `fallback` asked.
bool InternetConnected(std::optional<uint32_t> managerConnectivity,
                       const std::function<bool()>& fallback);

}  // namespace klaxora
