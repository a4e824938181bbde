#include <gtest/gtest.h>

#include <vector>

#include "actions/key_names.h"

namespace klaxora {
namespace {

// The key list as the user sees it, written out in full as an independent check.
// clang-format off
const std::vector<std::wstring> kExpectedNames{
    L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"a", L"A", L"b", L"B", L"c", L"C",
    L"d", L"D", L"e", L"E", L"f", L"F", L"g", L"G", L"h", L"H", L"i", L"I", L"j", L"J", L"k", L"K",
    L"l", L"L", L"m", L"M", L"n", L"N", L"o", L"O", L"p", L"P", L"q", L"Q", L"r", L"R", L"s", L"S",
    L"t", L"T", L"u", L"U", L"v", L"V", L"w", L"W", L"x", L"X", L"y", L"Y", L"z", L"Z", L"!", L"#",
    L"$", L"%", L"&", L"(", L")", L"*", L"@", L"^", L"F1", L"F2", L"F3", L"F4", L"F5", L"F6",
    L"F7", L"F8", L"F9", L"F10", L"F11", L"F12", L"Enter", L"Esc", L"Tab", L"Backspace", L"Spacja",
    L"Num Lock", L"Caps Lock", L"Pause", L"Print Screen", L"Scroll Lock", L"Insert", L"Delete",
    L"Home", L"End", L"Page Up", L"Page Down", L"Strzałka w lewo", L"Strzałka w górę",
    L"Strzałka w prawo", L"Strzałka w dół", L"Lewy WIN", L"Prawy WIN", L"Lewy SHIFT",
    L"Prawy SHIFT", L"Lewy CTRL", L"Prawy CTRL", L"Lewy ALT", L"Prawy ALT",
    L"0 w bloku numerycznym", L"1 w bloku numerycznym", L"2 w bloku numerycznym",
    L"3 w bloku numerycznym", L"4 w bloku numerycznym", L"5 w bloku numerycznym",
    L"6 w bloku numerycznym", L"7 w bloku numerycznym", L"8 w bloku numerycznym",
    L"9 w bloku numerycznym", L"/  w bloku numerycznym", L"*  w bloku numerycznym",
    L"-  w bloku numerycznym", L"+  w bloku numerycznym", L",  w bloku numerycznym", L"Ctrl+Break",
    L"Ctrl+Esc", L"Ctrl+Enter", L"Ctrl+Insert", L"Ctrl+Spacja", L"Ctrl+Delete", L"Ctrl+Home",
    L"Ctrl+End", L"Ctrl+Tab", L"Ctrl+0", L"Ctrl+1", L"Ctrl+2", L"Ctrl+3", L"Ctrl+4", L"Ctrl+5",
    L"Ctrl+6", L"Ctrl+7", L"Ctrl+8", L"Ctrl+9", L"Ctrl+A", L"Ctrl+B", L"Ctrl+C", L"Ctrl+D",
    L"Ctrl+E", L"Ctrl+F", L"Ctrl+G", L"Ctrl+H", L"Ctrl+I", L"Ctrl+J", L"Ctrl+K", L"Ctrl+L",
    L"Ctrl+M", L"Ctrl+N", L"Ctrl+O", L"Ctrl+P", L"Ctrl+Q", L"Ctrl+R", L"Ctrl+S", L"Ctrl+T",
    L"Ctrl+U", L"Ctrl+V", L"Ctrl+W", L"Ctrl+X", L"Ctrl+Y", L"Ctrl+Z", L"Ctrl+F1", L"Ctrl+F2",
    L"Ctrl+F3", L"Ctrl+F4", L"Ctrl+F5", L"Ctrl+F6", L"Ctrl+F7", L"Ctrl+F8", L"Ctrl+F9",
    L"Ctrl+F10", L"Ctrl+F11", L"Ctrl+F12", L"Alt+Esc", L"Alt+Enter", L"Alt+Insert", L"Alt+Spacja",
    L"Alt+Delete", L"Alt+Home", L"Alt+End", L"Alt+Tab", L"Alt+0", L"Alt+1", L"Alt+2", L"Alt+3",
    L"Alt+4", L"Alt+5", L"Alt+6", L"Alt+7", L"Alt+8", L"Alt+9", L"Alt+A", L"Alt+B", L"Alt+C",
    L"Alt+D", L"Alt+E", L"Alt+F", L"Alt+G", L"Alt+H", L"Alt+I", L"Alt+J", L"Alt+K", L"Alt+L",
    L"Alt+M", L"Alt+N", L"Alt+O", L"Alt+P", L"Alt+Q", L"Alt+R", L"Alt+S", L"Alt+T", L"Alt+U",
    L"Alt+V", L"Alt+W", L"Alt+X", L"Alt+Y", L"Alt+Z", L"Alt+F1", L"Alt+F2", L"Alt+F3", L"Alt+F4",
    L"Alt+F5", L"Alt+F6", L"Alt+F7", L"Alt+F8", L"Alt+F9", L"Alt+F10", L"Alt+F11", L"Alt+F12",
    L"Alt+Strzałka w lewo", L"Alt+Strzałka w górę", L"Alt+Strzałka w prawo", L"Alt+Strzałka w dół",
    L"Ctrl+Alt+Esc", L"Ctrl+Alt+Enter", L"Ctrl+Alt+Insert", L"Ctrl+Alt+Spacja", L"Ctrl+Alt+Delete",
    L"Ctrl+Alt+Home", L"Ctrl+Alt+End", L"Ctrl+Alt+Tab", L"Ctrl+Alt+0", L"Ctrl+Alt+1",
    L"Ctrl+Alt+2", L"Ctrl+Alt+3", L"Ctrl+Alt+4", L"Ctrl+Alt+5", L"Ctrl+Alt+6", L"Ctrl+Alt+7",
    L"Ctrl+Alt+8", L"Ctrl+Alt+9", L"Ctrl+Alt+A", L"Ctrl+Alt+B", L"Ctrl+Alt+C", L"Ctrl+Alt+D",
    L"Ctrl+Alt+E", L"Ctrl+Alt+F", L"Ctrl+Alt+G", L"Ctrl+Alt+H", L"Ctrl+Alt+I", L"Ctrl+Alt+J",
    L"Ctrl+Alt+K", L"Ctrl+Alt+L", L"Ctrl+Alt+M", L"Ctrl+Alt+N", L"Ctrl+Alt+O", L"Ctrl+Alt+P",
    L"Ctrl+Alt+Q", L"Ctrl+Alt+R", L"Ctrl+Alt+S", L"Ctrl+Alt+T", L"Ctrl+Alt+U", L"Ctrl+Alt+V",
    L"Ctrl+Alt+W", L"Ctrl+Alt+X", L"Ctrl+Alt+Y", L"Ctrl+Alt+Z", L"Ctrl+Shift+Esc",
    L"Ctrl+Shift+Enter", L"Ctrl+Shift+Insert", L"Ctrl+Shift+Spacja", L"Ctrl+Shift+Delete",
    L"Ctrl+Shift+Home", L"Ctrl+Shift+End", L"Ctrl+Shift+Tab", L"Ctrl+Shift+0", L"Ctrl+Shift+1",
    L"Ctrl+Shift+2", L"Ctrl+Shift+3", L"Ctrl+Shift+4", L"Ctrl+Shift+5", L"Ctrl+Shift+6",
    L"Ctrl+Shift+7", L"Ctrl+Shift+8", L"Ctrl+Shift+9", L"Ctrl+Shift+A", L"Ctrl+Shift+B",
    L"Ctrl+Shift+C", L"Ctrl+Shift+D", L"Ctrl+Shift+E", L"Ctrl+Shift+F", L"Ctrl+Shift+G",
    L"Ctrl+Shift+H", L"Ctrl+Shift+I", L"Ctrl+Shift+J", L"Ctrl+Shift+K", L"Ctrl+Shift+L",
    L"Ctrl+Shift+M", L"Ctrl+Shift+N", L"Ctrl+Shift+O", L"Ctrl+Shift+P", L"Ctrl+Shift+Q",
    L"Ctrl+Shift+R", L"Ctrl+Shift+S", L"Ctrl+Shift+T", L"Ctrl+Shift+U", L"Ctrl+Shift+V",
    L"Ctrl+Shift+W", L"Ctrl+Shift+X", L"Ctrl+Shift+Y", L"Ctrl+Shift+Z", L"Shift+F1", L"Shift+F2",
    L"Shift+F3", L"Shift+F4", L"Shift+F5", L"Shift+F6", L"Shift+F7", L"Shift+F8", L"Shift+F9",
    L"Shift+F10", L"Shift+F11", L"Shift+F12", L"Shift+Esc", L"Shift+Enter", L"Shift+Insert",
    L"Shift+Spacja", L"Shift+Delete", L"Shift+Home", L"Shift+End", L"Shift+Tab",
};
// clang-format on

struct RecordingSink : KeyEventSink {
    std::vector<std::pair<int, bool>> events;  // virtual key, key up
    std::vector<int> extended;                 // the key of each event flagged extended
    void KeyEvent(uint8_t vk, bool up, bool isExtended) override {
        events.emplace_back(vk, up);
        if (isExtended)
            extended.push_back(vk);
    }
};

using Events = std::vector<std::pair<int, bool>>;

TEST(KeyNames, The352NamesInTheirFixedOrder) {
    const auto names = KeyNames();
    ASSERT_EQ(names.size(), 352u);
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], kExpectedNames[i]) << i;
    // The keypad symbols carry two spaces.
    EXPECT_EQ(names[125], L"+  w bloku numerycznym");
}

TEST(KeyNames, EveryNameYieldsAStroke) {
    for (const auto& name : KeyNames()) {
        const auto stroke = KeyStrokeForName(name);
        ASSERT_TRUE(stroke.has_value()) << name.size();
        EXPECT_NE(stroke->virtualKey, 0);
    }
}

TEST(KeyNames, OneCharacterNamesByRule) {
    EXPECT_EQ(KeyStrokeForName(L"a"), (KeyStroke{0x41, kNoModifier}));
    EXPECT_EQ(KeyStrokeForName(L"A"), (KeyStroke{0x41, kShift}));
    EXPECT_EQ(KeyStrokeForName(L"7"), (KeyStroke{0x37, kNoModifier}));
    EXPECT_EQ(KeyStrokeForName(L"!"), (KeyStroke{0x31, kShift}));
    EXPECT_EQ(KeyStrokeForName(L"@"), (KeyStroke{0x32, kShift}));
    EXPECT_EQ(KeyStrokeForName(L")"), (KeyStroke{0x30, kShift}));
    EXPECT_EQ(KeyStrokeForName(L"^"), (KeyStroke{0x36, kShift}));
    EXPECT_FALSE(KeyStrokeForName(L"?"));
    EXPECT_FALSE(KeyStrokeForName(L"ż"));
    EXPECT_FALSE(KeyStrokeForName(L""));
}

TEST(KeyNames, LongerNamesComparedExactly) {
    EXPECT_EQ(KeyStrokeForName(L"Num Lock"), (KeyStroke{0x90, kNoModifier}));  // VK_NUMLOCK
    EXPECT_EQ(KeyStrokeForName(L"Ctrl+Break"), (KeyStroke{0x03, kNoModifier}));
    EXPECT_EQ(KeyStrokeForName(L"+  w bloku numerycznym"), (KeyStroke{0x6B, kNoModifier}));
    EXPECT_FALSE(KeyStrokeForName(L"+ w bloku numerycznym"));
    EXPECT_EQ(KeyStrokeForName(L"F10"), (KeyStroke{0x79, kNoModifier}));
    EXPECT_EQ(KeyStrokeForName(L"Ctrl+F12"), (KeyStroke{0x7B, kCtrl}));
    EXPECT_EQ(KeyStrokeForName(L"Alt+Strzałka w dół"), (KeyStroke{0x28, kAlt}));
    EXPECT_EQ(KeyStrokeForName(L"Ctrl+Alt+Delete"), (KeyStroke{0x2E, kCtrl | kAlt}));
    EXPECT_EQ(KeyStrokeForName(L"Ctrl+Shift+Esc"), (KeyStroke{0x1B, kCtrl | kShift}));
    EXPECT_EQ(KeyStrokeForName(L"Shift+Spacja"), (KeyStroke{0x20, kShift}));
    EXPECT_EQ(KeyStrokeForName(L"9 w bloku numerycznym"), (KeyStroke{0x69, kNoModifier}));
    EXPECT_EQ(KeyStrokeForName(L",  w bloku numerycznym"), (KeyStroke{0x6E, kNoModifier}));
    EXPECT_EQ(KeyStrokeForName(L"Prawy ALT"), (KeyStroke{0xA5, kNoModifier}));
    EXPECT_FALSE(KeyStrokeForName(L"ctrl+alt+delete"));
    EXPECT_FALSE(KeyStrokeForName(L"Ctrl+Alt+F1"));  // not in the list
    EXPECT_FALSE(KeyStrokeForName(L"Shift+A"));
}

// A key that is an extended key on a real keyboard is sent with the extended flag, down and
// up; the modifiers a combination adds (left Ctrl, Shift, left Alt) never are.
TEST(KeyNames, ExtendedKeysCarryTheExtendedFlag) {
    // clang-format off
    const std::vector<std::wstring> extended{
        L"Strzałka w lewo", L"Strzałka w górę", L"Strzałka w prawo", L"Strzałka w dół",
        L"Insert", L"Delete", L"Home", L"End", L"Page Up", L"Page Down", L"Prawy CTRL",
        L"Prawy ALT", L"Lewy WIN", L"Prawy WIN", L"/  w bloku numerycznym", L"Num Lock",
        L"Ctrl+Break", L"Print Screen", L"Ctrl+Alt+Delete", L"Alt+Strzałka w dół", L"Shift+Home"};
    const std::vector<std::wstring> plain{
        L"Lewy CTRL", L"Lewy ALT", L"Prawy SHIFT", L"Enter", L"Pause", L"Ctrl+Alt+A",
        L"4 w bloku numerycznym", L"*  w bloku numerycznym", L"F10"};
    // clang-format on
    for (const auto* names : {&extended, &plain}) {
        for (const auto& name : *names) {
            RecordingSink sink;
            SimulateNamedKey(sink, name);
            const int key = KeyStrokeForName(name)->virtualKey;
            const std::vector<int> flagged =
                names == &extended ? std::vector<int>{key, key} : std::vector<int>{};
            EXPECT_EQ(sink.extended, flagged) << name;
        }
    }
}

TEST(KeyNames, StrokeSequences) {
    RecordingSink sink;
    SimulateNamedKey(sink, L"Ctrl+Alt+Delete");
    EXPECT_EQ(sink.events, (Events{{0x11, false},
                                   {0x12, false},
                                   {0x2E, false},
                                   {0x2E, true},
                                   {0x12, true},
                                   {0x11, true}}));
    sink.events.clear();
    SimulateNamedKey(sink, L"Z");
    EXPECT_EQ(sink.events, (Events{{0x10, false}, {0x5A, false}, {0x5A, true}, {0x10, true}}));
    sink.events.clear();
    SimulateNamedKey(sink, L"Ctrl+Shift+Tab");
    EXPECT_EQ(sink.events, (Events{{0x11, false},
                                   {0x10, false},
                                   {0x09, false},
                                   {0x09, true},
                                   {0x10, true},
                                   {0x11, true}}));
    sink.events.clear();
    SimulateKeyStroke(sink, {0x41, kCtrl | kShift | kAlt});
    EXPECT_EQ(sink.events, (Events{{0x11, false},
                                   {0x10, false},
                                   {0x12, false},
                                   {0x41, false},
                                   {0x41, true},
                                   {0x12, true},
                                   {0x10, true},
                                   {0x11, true}}));
    sink.events.clear();
    SimulateNamedKey(sink, L"Ctrl+Break");
    EXPECT_EQ(sink.events, (Events{{0x03, false}, {0x03, true}}));
    sink.events.clear();
    SimulateNamedKey(sink, L"CTRL+BREAK");
    SimulateNamedKey(sink, L"?");
    SimulateNamedKey(sink, L"");
    EXPECT_TRUE(sink.events.empty());
}

TEST(KeyNames, ModifierTableOrder) {
    const auto table = ModifierTable();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].virtualKey, 0x11);
    EXPECT_EQ(table[1].virtualKey, 0x10);
    EXPECT_EQ(table[2].virtualKey, 0x12);
}

}  // namespace
}  // namespace klaxora
