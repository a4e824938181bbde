#pragma once
// What a system operation that failed tells the user. The Windows side words it (the system's
// own text for its error); the core decides that it is shown.
#include <optional>
#include <string>

#include "util/user_error.h"

namespace klaxora {

// Nothing when the operation succeeded; otherwise the text the user is shown.
using SystemFailure = std::optional<std::wstring>;

// A failure becomes the UserError the standard error box shows; success passes.
inline void ThrowIfFailed(const SystemFailure& failure) {
    if (failure)
        throw UserError(*failure);
}

}  // namespace klaxora
