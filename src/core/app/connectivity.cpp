#include "app/connectivity.h"

namespace klaxora {

bool InternetConnected(std::optional<uint32_t> managerConnectivity,
                       const std::function<bool()>& fallback) {
    if (!managerConnectivity)
        return fallback();
    return (*managerConnectivity & (kConnectivityIpv4Internet | kConnectivityIpv6Internet)) != 0;
}

}  // namespace klaxora
