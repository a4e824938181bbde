// The program initialises COM once, on its GUI thread, when it starts; the shell's pieces (links,
// folder trees, file dialogs, ShellExecute) rely on it. The tests use them without the program,
// so their thread does the same for the whole run.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "win/sys/handles.h"

namespace {

class ComEnvironment : public ::testing::Environment {
    void SetUp() override { com_.emplace(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); }
    void TearDown() override { com_.reset(); }
    std::optional<klaxora::win::ComApartment> com_;
};

[[maybe_unused]] const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace
