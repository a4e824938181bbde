#pragma once
// Which proxy the update check goes through: what automatic configuration (detection or the
// user's script) answered for the address, else the fixed proxy of the user's settings, else
// the system's own; the order the browser tries them in.
#include <optional>
#include <string>

namespace klaxora {

// The user's Internet settings as the browser keeps them.
struct ProxySettings {
    bool autoDetect = false;    // "Automatically detect settings"
    std::wstring configScript;  // the automatic configuration script's address
    std::wstring proxy;         // "host:port" or "http=host:port;https=host:port"
    std::wstring bypass;        // addresses that go direct ("<local>;*.firma.pl")
};

// What automatic configuration answered for one address.
struct AutoProxyAnswer {
    bool direct = false;
    std::wstring proxy;
    std::wstring bypass;
};

enum class ProxyKind {
    System,  // the system's own setting (WinHTTP's, direct unless an administrator set one)
    Direct,
    Named,
};

struct ProxyChoice {
    ProxyKind kind = ProxyKind::System;
    std::wstring proxy;
    std::wstring bypass;
    bool operator==(const ProxyChoice&) const = default;
};

// Whether automatic configuration is asked before anything else.
bool AsksAutomaticProxy(const ProxySettings& settings);

// `answer` is nothing when automatic configuration was not asked or failed. Texts of blanks
// only count as none.
ProxyChoice ChooseProxy(const ProxySettings& settings,
                        const std::optional<AutoProxyAnswer>& answer);

}  // namespace klaxora
