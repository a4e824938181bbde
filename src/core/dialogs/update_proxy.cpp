#include "dialogs/update_proxy.h"

#include "util/text.h"

namespace klaxora {

bool AsksAutomaticProxy(const ProxySettings& settings) {
    return settings.autoDetect || !Trim(settings.configScript).empty();
}

ProxyChoice ChooseProxy(const ProxySettings& settings,
                        const std::optional<AutoProxyAnswer>& answer) {
    const auto named = [](const std::wstring& proxy, const std::wstring& bypass) {
        return ProxyChoice{ProxyKind::Named, std::wstring(Trim(proxy)), std::wstring(Trim(bypass))};
    };
    if (answer && answer->direct)
        return {ProxyKind::Direct, {}, {}};
    // A script that names no proxy for this address has not answered.
    if (answer && !Trim(answer->proxy).empty())
        return named(answer->proxy, answer->bypass);
    if (!Trim(settings.proxy).empty())
        return named(settings.proxy, settings.bypass);
    return {};
}

}  // namespace klaxora
