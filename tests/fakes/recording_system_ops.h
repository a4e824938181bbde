#pragma once
// Records every system operation as one line of text, in order, so tests can compare the
// sequence an action produces without anything reaching the machine.
#include <cwchar>
#include <string>
#include <vector>

#include "actions/key_names.h"
#include "ports/system_ops.h"
#include "util/user_error.h"

namespace klaxora::testing {

class RecordingSystemOps : public SystemOperations {
  public:
    std::vector<std::wstring> calls;
    bool failPowerState = false;
    // What each operation the system may refuse (exit, shell, volume, input) answers.
    SystemFailure refusal;

    bool SetTokenPrivilege(std::wstring_view privilege, bool enable) override {
        Add(L"SetTokenPrivilege " + std::wstring(privilege) + (enable ? L" on" : L" off"));
        return true;
    }
    SystemFailure ExitSystem(uint32_t flags) override {
        Add(L"ExitSystem " + std::to_wstring(flags));
        return refusal;
    }
    void EnterPowerState(bool suspend, bool force) override {
        Add(std::wstring(L"EnterPowerState ") + (suspend ? L"suspend" : L"hibernate") +
            (force ? L" force" : L""));
        if (failPowerState)
            throw UserError(L"power state refused");
    }
    void SendMonitorOff() override { Add(L"SendMonitorOff"); }
    SystemFailure SendScreenSaver(WindowRef target) override {
        return Refusable(L"SendScreenSaver " + Ref(target));
    }
    SystemFailure SendMinimizeAll() override { return Refusable(L"SendMinimizeAll"); }
    void WakeDisplay() override { Add(L"WakeDisplay"); }
    void LaunchControlPanel() override { Add(L"LaunchControlPanel"); }
    void LaunchExplorer(WindowRef owner) override { Add(L"LaunchExplorer " + Ref(owner)); }
    void LaunchDefaultBrowser(WindowRef owner) override {
        Add(L"LaunchDefaultBrowser " + Ref(owner));
    }
    SystemFailure OpenWithShell(WindowRef owner, std::wstring_view target) override {
        Add(L"OpenWithShell " + Ref(owner) + L" " + std::wstring(target));
        return refusal;
    }
    SystemFailure SetMaxVolume() override {
        Add(L"SetMaxVolume");
        return refusal;
    }
    SystemFailure DisableKeyboard(uint32_t ms) override {
        return Refusable(L"DisableKeyboard " + std::to_wstring(ms));
    }
    SystemFailure DisableMouse(uint32_t ms) override {
        return Refusable(L"DisableMouse " + std::to_wstring(ms));
    }
    SystemFailure ClickMouse(int x, int y, int clicks) override {
        return Refusable(L"ClickMouse " + std::to_wstring(x) + L"," + std::to_wstring(y) + L" x" +
                         std::to_wstring(clicks));
    }
    void OperateCdTray(wchar_t driveLetter, bool open) override {
        Add(L"OperateCdTray " + std::wstring(1, driveLetter) + (open ? L" open" : L" close"));
    }

  private:
    void Add(std::wstring call) { calls.push_back(std::move(call)); }
    SystemFailure Refusable(std::wstring call) { return Add(std::move(call)), refusal; }
    static std::wstring Ref(WindowRef w) { return L"#" + std::to_wstring(w); }
};

// Key events as "v41", "^41" (down, up) in order; an extended key's as "v25e", "^25e".
class RecordingKeySink : public KeyEventSink {
  public:
    std::vector<std::wstring> events;
    void KeyEvent(uint8_t virtualKey, bool keyUp, bool extended) override {
        wchar_t text[8];
        swprintf(text, 8, L"%c%02X%ls", keyUp ? L'^' : L'v', virtualKey, extended ? L"e" : L"");
        events.push_back(text);
    }
};

}  // namespace klaxora::testing
