#pragma once
// Layout as data: a box is a control's place in its parent's client area. Windows describe
// their controls in tables of named boxes and rows instead of coordinates in code.
namespace klaxora::win {

struct Box {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    constexpr int Right() const { return x + w; }
    constexpr int Bottom() const { return y + h; }
};

// The same box moved by (dx, dy).
constexpr Box Offset(const Box& b, int dx, int dy) {
    return {b.x + dx, b.y + dy, b.w, b.h};
}

}  // namespace klaxora::win
