#include "actions/key_names.h"

#include <array>
#include <map>
#include <vector>

namespace klaxora {
namespace {

constexpr std::array<ModifierKey, 3> kModifierTable{{
    {kCtrl, 0x11},   // VK_CONTROL
    {kShift, 0x10},  // VK_SHIFT
    {kAlt, 0x12},    // VK_MENU
}};

struct BaseKey {
    std::wstring_view name;
    uint8_t virtualKey;
};

// Named keys in list order. An alarm stores the name, so a key's code may be corrected freely.
// clang-format off
constexpr std::array<BaseKey, 28> kNamedKeys{{
    {L"Enter", 0x0D},           {L"Esc", 0x1B},           {L"Tab", 0x09},
    {L"Backspace", 0x08},       {L"Spacja", 0x20},        {L"Num Lock", 0x90},
    {L"Caps Lock", 0x14},       {L"Pause", 0x13},         {L"Print Screen", 0x2C},
    {L"Scroll Lock", 0x91},     {L"Insert", 0x2D},        {L"Delete", 0x2E},
    {L"Home", 0x24},            {L"End", 0x23},           {L"Page Up", 0x21},
    {L"Page Down", 0x22},       {L"Strzałka w lewo", 0x25}, {L"Strzałka w górę", 0x26},
    {L"Strzałka w prawo", 0x27}, {L"Strzałka w dół", 0x28}, {L"Lewy WIN", 0x5B},
    {L"Prawy WIN", 0x5C},       {L"Lewy SHIFT", 0xA0},    {L"Prawy SHIFT", 0xA1},
    {L"Lewy CTRL", 0xA2},       {L"Prawy CTRL", 0xA3},    {L"Lewy ALT", 0xA4},
    {L"Prawy ALT", 0xA5},
}};
// clang-format on

// Keypad names carry two spaces after the symbol.
constexpr std::array<BaseKey, 5> kKeypadSymbols{{
    {L"/  w bloku numerycznym", 0x6F},
    {L"*  w bloku numerycznym", 0x6A},
    {L"-  w bloku numerycznym", 0x6D},
    {L"+  w bloku numerycznym", 0x6B},
    {L",  w bloku numerycznym", 0x6E},
}};

// The keys that combinations start with, before their digits and letters.
constexpr std::array<std::wstring_view, 8> kComboHeads{
    L"Esc", L"Enter", L"Insert", L"Spacja", L"Delete", L"Home", L"End", L"Tab",
};
constexpr std::array<std::wstring_view, 4> kArrows{
    L"Strzałka w lewo",
    L"Strzałka w górę",
    L"Strzałka w prawo",
    L"Strzałka w dół",
};

// Shifted symbols of a United States keyboard's digit row, in list order.
constexpr std::array<std::pair<wchar_t, uint8_t>, 10> kShiftedSymbols{{
    {L'!', 0x31},
    {L'#', 0x33},
    {L'$', 0x34},
    {L'%', 0x35},
    {L'&', 0x37},
    {L'(', 0x39},
    {L')', 0x30},
    {L'*', 0x38},
    {L'@', 0x32},
    {L'^', 0x36},
}};

// Keys that a real keyboard sends with the 0xE0 prefix: without the extended flag Windows
// takes them for their keypad twins (an arrow for keypad 4, Insert for keypad 0, right Ctrl
// for left Ctrl) or, for Num Lock, does not toggle the light.
// clang-format off
constexpr std::array<uint8_t, 22> kExtendedKeys{
    0x03,                          // VK_CANCEL (Break)
    0x21, 0x22, 0x23, 0x24,        // Page Up, Page Down, End, Home
    0x25, 0x26, 0x27, 0x28,        // the arrows
    0x2C, 0x2D, 0x2E,              // Print Screen, Insert, Delete
    0x5B, 0x5C, 0x5D,              // left and right Windows keys, the menu key
    0x6F,                          // keypad /
    0x90,                          // Num Lock
    0xA3, 0xA5,                    // right Ctrl, right Alt
    0xAD, 0xAE, 0xAF,              // volume mute, down, up
};
// clang-format on

uint8_t NamedVirtualKey(std::wstring_view name) {
    for (const auto& k : kNamedKeys) {
        if (k.name == name)
            return k.virtualKey;
    }
    return 0;
}

std::wstring FunctionKeyName(int n) {
    return L"F" + std::to_wstring(n);
}

struct Catalogue {
    std::vector<std::wstring> names;
    std::map<std::wstring, KeyStroke, std::less<>> longNames;

    void AddLong(std::wstring name, KeyStroke stroke) {
        longNames.emplace(name, stroke);
        names.push_back(std::move(name));
    }

    // A prefix followed by the heads, digits, letters and optionally F-keys and arrows.
    void AddCombos(std::wstring_view prefix, Modifiers mods, bool functionKeys, bool arrows) {
        const std::wstring p(prefix);
        for (auto head : kComboHeads)
            AddLong(p + std::wstring(head), {NamedVirtualKey(head), mods});
        for (wchar_t c = L'0'; c <= L'9'; ++c)
            AddLong(p + c, {uint8_t(c), mods});
        for (wchar_t c = L'A'; c <= L'Z'; ++c)
            AddLong(p + c, {uint8_t(c), mods});
        if (functionKeys) {
            for (int n = 1; n <= 12; ++n)
                AddLong(p + FunctionKeyName(n), {uint8_t(0x6F + n), mods});
        }
        if (arrows) {
            for (auto a : kArrows)
                AddLong(p + std::wstring(a), {NamedVirtualKey(a), mods});
        }
    }

    Catalogue() {
        for (wchar_t c = L'0'; c <= L'9'; ++c)
            names.emplace_back(1, c);
        for (wchar_t c = L'a'; c <= L'z'; ++c) {
            names.emplace_back(1, c);
            names.emplace_back(1, wchar_t(c - 32));
        }
        for (auto [c, vk] : kShiftedSymbols)
            names.emplace_back(1, c);
        for (int n = 1; n <= 12; ++n)
            AddLong(FunctionKeyName(n), {uint8_t(0x6F + n), 0});
        for (const auto& k : kNamedKeys)
            AddLong(std::wstring(k.name), {k.virtualKey, 0});
        for (int n = 0; n <= 9; ++n) {
            AddLong(std::to_wstring(n) + L" w bloku numerycznym", {uint8_t(0x60 + n), 0});
        }
        for (const auto& k : kKeypadSymbols)
            AddLong(std::wstring(k.name), {k.virtualKey, 0});
        // The cancel key alone stands for the Ctrl+Break combination.
        AddLong(L"Ctrl+Break", {0x03, 0});
        AddCombos(L"Ctrl+", kCtrl, true, false);
        AddCombos(L"Alt+", kAlt, true, true);
        AddCombos(L"Ctrl+Alt+", kCtrl | kAlt, false, false);
        AddCombos(L"Ctrl+Shift+", kCtrl | kShift, false, false);
        for (int n = 1; n <= 12; ++n)
            AddLong(L"Shift+" + FunctionKeyName(n), {uint8_t(0x6F + n), kShift});
        for (auto head : kComboHeads) {
            AddLong(L"Shift+" + std::wstring(head), {NamedVirtualKey(head), kShift});
        }
    }
};

const Catalogue& TheCatalogue() {
    static const Catalogue catalogue;
    return catalogue;
}

}  // namespace

std::span<const ModifierKey> ModifierTable() {
    return kModifierTable;
}

bool IsExtendedKey(uint8_t virtualKey) {
    for (uint8_t k : kExtendedKeys) {
        if (k == virtualKey)
            return true;
    }
    return false;
}

std::span<const std::wstring> KeyNames() {
    return TheCatalogue().names;
}

std::optional<KeyStroke> KeyStrokeForName(std::wstring_view name) {
    if (name.empty())
        return std::nullopt;
    if (name.size() == 1) {
        const wchar_t c = name[0];
        if (c >= L'0' && c <= L'9')
            return KeyStroke{uint8_t(c), kNoModifier};
        if (c >= L'A' && c <= L'Z')
            return KeyStroke{uint8_t(c), kShift};
        if (c >= L'a' && c <= L'z')
            return KeyStroke{uint8_t(c - 32), kNoModifier};
        for (auto [symbol, vk] : kShiftedSymbols) {
            if (symbol == c)
                return KeyStroke{vk, kShift};
        }
        return std::nullopt;
    }
    const auto& longNames = TheCatalogue().longNames;
    const auto it = longNames.find(name);
    if (it == longNames.end())
        return std::nullopt;
    return it->second;
}

void SimulateKeyStroke(KeyEventSink& sink, KeyStroke stroke) {
    for (const auto& m : kModifierTable) {
        if (stroke.modifiers & m.flag)
            sink.KeyEvent(m.virtualKey, false, IsExtendedKey(m.virtualKey));
    }
    const bool extended = IsExtendedKey(stroke.virtualKey);
    sink.KeyEvent(stroke.virtualKey, false, extended);
    sink.KeyEvent(stroke.virtualKey, true, extended);
    for (auto it = kModifierTable.rbegin(); it != kModifierTable.rend(); ++it) {
        if (stroke.modifiers & it->flag)
            sink.KeyEvent(it->virtualKey, true, IsExtendedKey(it->virtualKey));
    }
}

void SimulateNamedKey(KeyEventSink& sink, std::wstring_view name) {
    if (const auto stroke = KeyStrokeForName(name))
        SimulateKeyStroke(sink, *stroke);
}

}  // namespace klaxora
