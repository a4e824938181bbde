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
};

}  // namespace klaxora::win
