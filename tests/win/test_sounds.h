#pragma once
// Sound files the Windows tests make for themselves.
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace klaxora::testing {

// A file name in the temporary folder, private to this test process.
inline std::wstring TempFile(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"klaxora_" + std::to_wstring(GetCurrentProcessId()) + L"_" + name;
}

// A mono 8 kHz 8-bit sine of the given length.
inline std::wstring WriteWav(const std::wstring& name, int milliseconds) {
    const std::wstring path = TempFile(name);
    const uint32_t rate = 8000;
    const uint32_t samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
    std::vector<uint8_t> data(samples);
    for (uint32_t i = 0; i < samples; ++i) {
        data[i] = static_cast<uint8_t>(128 + 40 * std::sin(i * 2 * 3.14159265 * 440 / rate));
    }
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    const auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + samples);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(rate);
    u32(rate);  // bytes per second
    u16(1);     // block align
    u16(8);     // bits
    out.write("data", 4);
    u32(samples);
    out.write(reinterpret_cast<const char*>(data.data()), samples);
    return path;
}

}  // namespace klaxora::testing
