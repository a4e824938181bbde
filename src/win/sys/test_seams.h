#pragma once
// What the tests and benchmarks steer through the environment: compressed clocks for soak runs,
// a local server for the update check, a file for the start-up trace. Only the build configured
// with KLAXORA_TEST_SEAMS reads these variables; the shipped program reads no environment
// variable at all, so nothing a user's environment holds can speed its alarms up, send its
// update check elsewhere or make it write a file.
#include <string>

namespace klaxora::win {

enum class TestSeam {
    ClockScale,    // KLAXORA_CLOCK_SCALE: the clocks run 1 to 1000 times faster
    UpdateBase,    // KLAXORA_UPDATE_BASE: the web address the version file is taken from
    StartupTrace,  // KLAXORA_STARTUP_TRACE: the file the start-up stages are appended to
    HighContrast,  // KLAXORA_HIGH_CONTRAST: "1" paints as with high contrast on
};

// The variable's text; empty when it is unset, and always in the shipped program.
std::wstring TestSeamValue(TestSeam seam);

}  // namespace klaxora::win
