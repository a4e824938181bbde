#include <gtest/gtest.h>

#include "e2e/program.h"

namespace klaxora::e2e {
namespace {

TEST(Smoke, StartsWithItsMainWindowAndEndsWhenItCloses) {
    RunningProgram program;
    ASSERT_NE(program.Id(), 0u) << "Klaxora.exe did not start";
    HWND main = program.FindWindowOf(L"TF_Glowna", L"Klaxora");
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitExit(10000));
}

}  // namespace
}  // namespace klaxora::e2e
