#pragma once
// The configuration window's test fixture: the window created for real and driven in-process,
// as a user's clicks and keys and the program's other parts would drive it.
#include "win/app/armed_alarm.h"
#include "win/config/alarm_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include "config/vocabulary.h"
#include "util/text.h"
#include "win/ui/controls.h"
#include "win/sys/file_system_win.h"
#include "win/box_answerer.h"
#include "win/test_ports.h"
#include "win/test_sounds.h"
#include "win/pump.h"

namespace klaxora::win {

using testing::Drain;
using testing::PumpUntil;

inline RECT ClientRectIn(HWND control, HWND window) {
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

inline bool Enabled(HWND hwnd) {
    return IsWindowEnabled(hwnd) != FALSE;
}
inline bool Visible(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

using testing::BoxAnswerer;

inline std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i)
        items.push_back(ComboBox(combo).ItemText(i));
    return items;
}

class AlarmWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vantrelix\\Klaxora");  // nothing restored
        Connect(nullptr);
        window.Create();
    }
    // What the application gives the window, with the armed alarm (none: Start does nothing).
    void Connect(ArmedAlarmPort* alarm) {
        TF_Alarm::Links links;
        links.alarm = alarm;
        links.closeMainWindow = [this] { ++mainClosed; };
        links.showAbout = [this] { ++aboutShown; };
        links.showOptions = [this] { ++optionsShown; };
        window.Connect(std::move(links));
    }
    void FirstShow() {
        window.Show();
        Drain();
    }
    // Chooses a list item as the user does: the selection, then the list's notification to
    // its parent.
    void Choose(HWND combo, std::wstring_view text) {
        ASSERT_TRUE(ComboBox(combo).SelectByText(text));
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        Drain();
    }
    void Type(HWND edit, const std::wstring& text) {
        SetWindowTextW(edit, text.c_str());  // the edit notifies its parent of the change
        Drain();
    }
    // Shows the pages and panels whose controls a test reads, as a user's choices would.
    void BuildAll() {
        for (TriggerKind t : {TriggerKind::Countdown, TriggerKind::NoInternet, TriggerKind::AtTime})
            Choose(window.cb_A_Wykonaj, Info(t).caption);
        for (OtherActionKind o : {OtherActionKind::PressKeys, OtherActionKind::SingleClick}) {
            Choose(window.cb_Typ_Alarmu, Info(ActionKind::Other).caption);
            Choose(window.p_Inne.cb_InneOpcje, Info(o).caption);
        }
        Choose(window.cb_Typ_Alarmu, Info(ActionKind::KillProcess).caption);
        Choose(window.cb_Typ_Alarmu, Info(ActionKind::Message).caption);
    }
    SystemPorts system;
    testing::RecordingDocuments documents;
    testing::ProcessesWithPaths processes{system.processes};
    TF_Alarm window{
        testing::Replaced(system.Ports(), {.processes = &processes, .documents = &documents})};
    std::vector<std::wstring>& opened = documents.opened;
    int mainClosed = 0;
    int aboutShown = 0;
    int optionsShown = 0;
};

}  // namespace klaxora::win
