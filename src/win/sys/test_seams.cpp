#include "win/sys/test_seams.h"

#ifdef KLAXORA_TEST_SEAMS
#include <windows.h>
#endif

namespace klaxora::win {

#ifdef KLAXORA_TEST_SEAMS

std::wstring TestSeamValue(TestSeam seam) {
    const wchar_t* name = L"";
    switch (seam) {
        case TestSeam::ClockScale:
            name = L"KLAXORA_CLOCK_SCALE";
            break;
        case TestSeam::UpdateBase:
            name = L"KLAXORA_UPDATE_BASE";
            break;
        case TestSeam::StartupTrace:
            name = L"KLAXORA_STARTUP_TRACE";
            break;
        case TestSeam::HighContrast:
            name = L"KLAXORA_HIGH_CONTRAST";
            break;
    }
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);  // changed in between: as if unset
    return value;
}

#else

// The names are not even in the program: only the tests' build knows them.
std::wstring TestSeamValue(TestSeam) {
    return {};
}

#endif

}  // namespace klaxora::win
