#pragma once
// The range of a spin edit, and the clamping every value it is given goes through.
#include <cstdint>

namespace klaxora {

struct SpinRange {
    int64_t min;
    int64_t max;
};

// Spin edits clamp every value they are given to their range.
constexpr int64_t ClampSpin(int64_t value, SpinRange range) {
    return value < range.min ? range.min : value > range.max ? range.max : value;
}

}  // namespace klaxora
