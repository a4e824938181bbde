// The alarm sounds built beside the program open in the real player (WAV through waveaudio,
// MP3 through mpegvideo) and last a few seconds each.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/config/sound_transport.h"
#include "win/sys/file_system_win.h"

namespace klaxora::testing {
namespace {

std::vector<std::wstring> ShippedSounds(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(folder + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

TEST(ShippedSounds, EachOfTheEightOpensAndLastsAFewSeconds) {
    const std::wstring folder = win::Win32FileSystem().ExecutableDirectory() + L"sound\\";
    const auto files = ShippedSounds(folder);
    ASSERT_EQ(files.size(), 8u) << "sound folder beside the program";

    HWND parent = CreateWindowExW(0, L"STATIC", L"panel", WS_POPUP, 0, 0, 300, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style) {
        return CreateWindowExW(0, cls, text, WS_CHILD | style, 0, 0, 30, 20, parent, nullptr,
                               nullptr, nullptr);
    };
    win::SoundTransportControls controls;
    controls.LabelCzas = win::Label(child(L"STATIC", L"(brak pliku)", 0));
    controls.Play = win::Button(child(L"BUTTON", L">", BS_AUTOCHECKBOX | BS_PUSHLIKE));
    controls.Pause = win::Button(child(L"BUTTON", L"||", BS_AUTOCHECKBOX | BS_PUSHLIKE));
    controls.Stop = win::Button(child(L"BUTTON", L"[]", BS_AUTOCHECKBOX | BS_PUSHLIKE));
    controls.LoopCheckBox = win::CheckBox(child(L"BUTTON", L"loop", BS_AUTOCHECKBOX));
    {
        const win::Win32FileSystem system;
        win::SoundDevice device(system, system);
        win::SoundTransport panel(device);
        panel.Attach(controls);
        for (const auto& file : files) {
            EXPECT_EQ(panel.ApplyFileChange(file), SoundFileChange::Loaded) << file;
            // The label reads m:sss ("0:04s"): every sound lasts from 2 to 10 seconds.
            const std::wstring& label = panel.Label();
            ASSERT_EQ(label.size(), 5u) << file << L": " << label;
            const int seconds = std::stoi(label.substr(2, 2));
            EXPECT_EQ(label[0], L'0') << file;
            EXPECT_GE(seconds, 2) << file;
            EXPECT_LE(seconds, 10) << file;
        }
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace klaxora::testing
