#pragma once
// Key names offered by the key list and the key strokes they stand for.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace klaxora {

enum Modifier : uint8_t {
    kNoModifier = 0,
    kCtrl = 1,
    kShift = 2,
    kAlt = 4,
};
using Modifiers = uint8_t;

struct KeyStroke {
    uint8_t virtualKey = 0;
    Modifiers modifiers = kNoModifier;
    bool operator==(const KeyStroke&) const = default;
};

struct ModifierKey {
    Modifier flag;
    uint8_t virtualKey;
};
// The order in which modifiers go down (and, reversed, come up): Ctrl, Shift, Alt.
std::span<const ModifierKey> ModifierTable();

// All 352 key names in the fixed order of the key list.
std::span<const std::wstring> KeyNames();

// The stroke a key name stands for; nothing for an empty or unknown name. One-character
// names are mapped by rule, longer ones compared exactly (case-sensitive).
std::optional<KeyStroke> KeyStrokeForName(std::wstring_view name);

// Whether a key is an extended key on a real keyboard (the arrows, Insert, Delete, Home, End,
// Page Up/Down, right Ctrl and Alt, the Windows and menu keys, keypad /, Num Lock, Break,
// Print Screen): its events carry the extended flag.
bool IsExtendedKey(uint8_t virtualKey);

// Where simulated key events go: on Windows, keybd_event with the key's scan code.
class KeyEventSink {
  public:
    virtual ~KeyEventSink() = default;
    virtual void KeyEvent(uint8_t virtualKey, bool keyUp, bool extended) = 0;
};

// Modifiers down in table order, the key down and up, modifiers up in reverse order; each
// event flagged extended as IsExtendedKey says.
void SimulateKeyStroke(KeyEventSink& sink, KeyStroke stroke);
// Sends the stroke of a key name; an empty or unknown name sends nothing.
void SimulateNamedKey(KeyEventSink& sink, std::wstring_view name);

}  // namespace klaxora
