#include "app/tray_notice.h"

namespace klaxora {

bool ShouldTellWhereTheIconIs(RegistryPort& registry, bool windowShownAtStart) {
    if (windowShownAtStart)
        return false;
    try {
        const auto key = registry.OpenExisting(kSettingsKey);
        return !key || !ReadBool(*key, settings::kTrayNoticeShown);
    } catch (const RegistryError&) {
        return false;
    }
}

bool RememberToldWhereTheIconIs(RegistryPort& registry) {
    try {
        registry.Open(kSettingsKey)->WriteDword(settings::kTrayNoticeShown, 1);
        return true;
    } catch (const RegistryError&) {
        return false;
    }
}

}  // namespace klaxora
