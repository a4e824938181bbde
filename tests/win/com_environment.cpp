// The program's GUI thread holds COM for the run; so does the tests' thread, for the shell's
// pieces.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "win/sys/handles.h"

namespace {

struct ComEnvironment : ::testing::Environment {
    void SetUp() override { com.emplace(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); }
    void TearDown() override { com.reset(); }
    std::optional<klaxora::win::ComApartment> com;
};
[[maybe_unused]] const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace
