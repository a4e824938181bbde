#include <gtest/gtest.h>

#include "dialogs/options.h"
#include "fakes/memory_files.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

using testing::MemoryFiles;
using testing::MemoryRegistry;
using Names = std::vector<std::wstring>;

const std::wstring kSettings(kSettingsKey);
const std::wstring kRun(kRunKey);
const std::wstring kApproved(kStartupApprovedKey);
const std::wstring kExe = L"C:\\Klaxora\\Klaxora.exe";
const std::wstring kOtherCopy = L"D:\\Stary\\Klaxora.exe";

class OptionsDialog : public ::testing::Test {
  protected:
    OptionsDialog() {
        files.AddFile(kExe);
        files.AddFile(kOtherCopy);
    }
    void SetRun(RegistryType type, std::wstring text) {
        reg.Set(kRun, L"Alarm", {type, std::move(text), 0});
    }
    bool RunValuePresent() { return reg.Open(kRun)->Read(L"Alarm").has_value(); }
    MemoryRegistry reg;
    MemoryFiles files;
};

TEST_F(OptionsDialog, BoxesFollowTheTypedReadRule) {
    reg.Set(kSettings, L"AutoMinimize", {RegistryType::Dword, L"", 1});
    reg.Set(kSettings, L"Wyg_Off", {RegistryType::String, L"1", 0});  // text: unchecked
    reg.Set(kSettings, L"MinimizeAll", {RegistryType::Dword, L"", 7});
    reg.Set(kSettings, L"MinimizeProg", {RegistryType::Dword, L"", 0});
    reg.Set(kSettings, L"PlayBeep", {RegistryType::Other, L"", 1});
    const OptionChecks checks = ReadOptionChecks(reg, files);
    EXPECT_EQ(checks, (OptionChecks{.startWithWindows = false,
                                    .startMinimized = true,
                                    .minimizeAll = true,
                                    .screenSaverOff = false,
                                    .minimizeOnPreview = false,
                                    .beep = false}));
}

TEST_F(OptionsDialog, RunEntryCountsOnlyAsTextNamingAnExistingFile) {
    struct Case {
        RegistryType type;
        std::wstring text;
        bool counts;
    };
    for (const Case& c : std::initializer_list<Case>{
             {RegistryType::String, kExe, true},
             {RegistryType::String, kOtherCopy, true},  // any existing file
             {RegistryType::String, L"C:\\gone\\Klaxora.exe", false},
             {RegistryType::ExpandString, kExe, false},
             {RegistryType::String, L"\"" + kExe + L"\"", true},  // as this version writes it
             {RegistryType::String, L"\"C:\\gone\\Klaxora.exe\"", false},
         }) {
        SetRun(c.type, c.text);
        EXPECT_EQ(ReadOptionChecks(reg, files).startWithWindows, c.counts) << c.text;
    }
}

TEST_F(OptionsDialog, OkWritesTheFiveOptionsInOrderEachIntoTheRunningOptions) {
    reg.Set(kApproved, L"Alarm", {RegistryType::Binary, L"", 0, {0x03, 0, 0, 0}});
    AppOptions options;
    options.MinimizeAll = true;
    const OptionChecks checks{.startWithWindows = true,
                              .startMinimized = true,
                              .minimizeAll = false,
                              .screenSaverOff = true,
                              .minimizeOnPreview = false,
                              .beep = true,
                              .snoozeMinutes = 12};
    EXPECT_EQ(SaveOptionChecks(reg, files, checks, kExe, options), std::nullopt);
    EXPECT_EQ(reg.WriteLog(), (Names{kSettings + L"|AutoMinimize", kSettings + L"|Wyg_Off",
                                     kSettings + L"|MinimizeAll", kSettings + L"|MinimizeProg",
                                     kSettings + L"|PlayBeep", kSettings + L"|Drzemka",
                                     kRun + L"|Alarm", kApproved + L"|Alarm"}));
    EXPECT_EQ(options.SnoozeMinutes, 12);
    EXPECT_TRUE(options.AutoMinimize);
    EXPECT_TRUE(options.Wyg_Off);
    EXPECT_FALSE(options.MinimizeAll);
    EXPECT_FALSE(options.MinimizeProg);
    EXPECT_TRUE(options.PlayBeep);
    const auto stored = reg.Open(kSettings);
    EXPECT_EQ(stored->Read(L"MinimizeAll")->type, RegistryType::Dword);
    EXPECT_EQ(stored->Read(L"Wyg_Off")->number, 1u);
    EXPECT_EQ(ReadString(*reg.Open(kRun), L"Alarm"), L"\"" + kExe + L"\"");
    EXPECT_EQ(ReadOptionChecks(reg, files), checks);
}

// Task Manager switches the entry off in its approval's first byte (-1: no approval yet),
// leaving the Run value: the box shows it off, and an unchecked OK leaves it to be switched on.
TEST_F(OptionsDialog, RunBoxShowsTheEntryAsWindowsStartsIt) {
    for (const auto& [first, on] : std::vector<std::pair<int, bool>>{
             {-1, true}, {2, true}, {6, true}, {3, false}, {1, false}, {7, false}}) {
        SetRun(RegistryType::String, kExe);
        if (first >= 0)
            reg.Set(kApproved, L"Alarm", {RegistryType::Binary, L"", 0, {uint8_t(first), 0, 0}});
        EXPECT_EQ(ReadOptionChecks(reg, files).startWithWindows, on);
        AppOptions options;
        SaveOptionChecks(reg, files, OptionChecks{}, kExe, options);
        EXPECT_EQ(RunValuePresent(), !on);
    }
}

TEST_F(OptionsDialog, UncheckedRunBoxDeletesOnlyAnEntryThatCounts) {
    struct Case {
        RegistryType type;
        std::wstring text;
        bool deleted;
    };
    for (const Case& c : std::initializer_list<Case>{
             {RegistryType::String, kOtherCopy, true},
             {RegistryType::String, L"C:\\gone\\Klaxora.exe", false},
             {RegistryType::ExpandString, kExe, false},
         }) {
        SetRun(c.type, c.text);
        AppOptions options;
        SaveOptionChecks(reg, files, OptionChecks{}, kExe, options);
        EXPECT_EQ(RunValuePresent(), !c.deleted) << c.text;
    }
}

TEST_F(OptionsDialog, AFailedWriteStopsThereAndIsReported) {
    reg.FailWrites(true);
    AppOptions options;
    const auto error = SaveOptionChecks(
        reg, files, OptionChecks{.startWithWindows = true, .startMinimized = true}, kExe, options);
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->empty());
    EXPECT_FALSE(options.AutoMinimize);
    EXPECT_FALSE(RunValuePresent());
}

}  // namespace
}  // namespace klaxora
