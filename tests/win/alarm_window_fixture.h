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
#include <optional>
#include <thread>
#include "config/vocabulary.h"
#include "util/text.h"
#include "win/ui/controls.h"
#include "win/sys/file_system_win.h"
#include "win/alarm_driver.h"
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
        Connect(Armed());
        window.Create();
    }
    // The armed alarm the application binds to the window; none: Start does nothing.
    virtual ArmedAlarmPort* Armed() { return nullptr; }
    // What the application gives the window, with the armed alarm (none: Start does nothing).
    void Connect(ArmedAlarmPort* alarm) {
        TF_Alarm::Links links;
        links.alarm = alarm;
        links.closeMainWindow = [this] { ++mainClosed; };
        links.showAbout = [this] { ++aboutShown; };
        links.showOptions = [this] { ++optionsShown; };
        links.openTimeWizard = [this](const std::wstring& caption) { wizardFor = caption; };
        window.Connect(std::move(links));
    }
    void FirstShow() {
        window.Show();
        Drain();
    }
    // Shows the pages and panels whose controls a test reads, as a user's choices would.
    void BuildAll() {
        for (TriggerKind t : {TriggerKind::Countdown, TriggerKind::NoInternet, TriggerKind::AtTime})
            ui.Trigger(t);
        for (OtherActionKind o : {OtherActionKind::PressKeys, OtherActionKind::SingleClick})
            ui.Other(o);
        ui.Action(ActionKind::KillProcess);
        ui.Action(ActionKind::Message);
    }
    SystemPorts system;
    testing::RecordingDocuments documents;
    testing::ProcessesWithPaths processes{system.processes};
    TF_Alarm window{
        testing::Replaced(system.Ports(), {.processes = &processes, .documents = &documents})};
    std::vector<std::wstring>& opened = documents.opened;
    AlarmDriver ui{window};
    int mainClosed = 0;
    int aboutShown = 0;
    int optionsShown = 0;
    std::wstring wizardFor;  // the trigger caption the time wizard was asked for
};

}  // namespace klaxora::win
