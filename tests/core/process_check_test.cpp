#include <gtest/gtest.h>

#include <map>

#include "ports/processes.h"

namespace klaxora::testing {
namespace {

TEST(ProcessNames, OnlyEntriesWithTheWatchedFileNameAreWorthOpening) {
    EXPECT_TRUE(ExeNameCanMatch(L"NOTEPAD.EXE", L"C:\\Windows\\notepad.exe"));
    EXPECT_TRUE(ExeNameCanMatch(L"C:\\Windows\\notepad.exe", L"c:\\windows\\NOTEPAD.exe"));
    EXPECT_FALSE(ExeNameCanMatch(L"notepad2.exe", L"C:\\Windows\\notepad.exe"));
    EXPECT_FALSE(ExeNameCanMatch(L"", L"C:\\Windows\\notepad.exe"));
    // Only a..z fold: Polish letters must match exactly.
    EXPECT_FALSE(ExeNameCanMatch(L"ŻÓŁW.EXE", L"C:\\x\\żółw.exe"));
    EXPECT_TRUE(ExeNameCanMatch(L"żółw.EXE", L"C:\\x\\żółw.exe"));
    EXPECT_EQ(FileNameOf(L"C:/a/b.exe"), L"b.exe");
    EXPECT_EQ(FileNameOf(L"b.exe"), L"b.exe");
    EXPECT_TRUE(SameProgramPath(L"C:\\A\\B.EXE", L"c:\\a\\b.exe"));
    EXPECT_FALSE(SameProgramPath(L"", L""));
}

class FakeProcesses : public ProcessWatchPort {
  public:
    std::map<ProcessId, WindowRef> windows;
    std::vector<std::wstring> log;
    ProcessId found = kNoProcess;
    bool hung = false;

    std::vector<ProcessEntry> ListProcesses() override { return {}; }
    bool IsInternetConnected() override { return true; }
    std::wstring GetProcessPath(ProcessId) override { return L""; }
    bool IsProgramRunning(std::wstring_view) override {
        log.push_back(L"running?");
        return found != kNoProcess;
    }
    ProcessId FindProcessIdByPath(std::wstring_view) override {
        log.push_back(L"find");
        return found;
    }
    WindowRef FindMainWindow(ProcessId id) override {
        log.push_back(L"window");
        return windows.contains(id) ? windows[id] : 0;
    }
    bool IsWindowResponding(WindowRef w) override {
        log.push_back(L"responding " + std::to_wstring(w));
        return !hung;
    }
};

TEST(CheckProgram, OneWalkAnswersRunningAndWhich) {
    FakeProcesses p;
    EXPECT_FALSE(CheckProgram(p, L"C:\\x.exe", true).running);
    EXPECT_EQ(p.log, std::vector<std::wstring>{L"find"});

    p.log.clear();
    p.found = 42;
    p.windows[42] = 7;
    p.hung = true;
    const ProgramCheck check = CheckProgram(p, L"C:\\x.exe", true);
    EXPECT_TRUE(check.running);
    EXPECT_EQ(check.id, 42u);
    EXPECT_EQ(check.window, 7u);
    EXPECT_FALSE(check.responding);
    EXPECT_EQ(p.log, (std::vector<std::wstring>{L"find", L"window", L"responding 7"}));

    // Without a main window the handle 0 is asked about, as it is.
    p.log.clear();
    p.windows.clear();
    p.hung = false;
    EXPECT_EQ(CheckProgram(p, L"C:\\x.exe", true).window, 0u);
    EXPECT_EQ(p.log.back(), L"responding 0");

    p.log.clear();
    EXPECT_TRUE(CheckProgram(p, L"C:\\x.exe", false).running);
    EXPECT_EQ(p.log, std::vector<std::wstring>{L"find"});
}

}  // namespace
}  // namespace klaxora::testing
