#pragma once
// How wide a drop-down list opens.

namespace klaxora {

// As wide as its widest item plus `margin`, never narrower than the box.
constexpr int DroppedWidth(int boxWidth, int widestItem, int margin) {
    return (boxWidth - margin > widestItem ? boxWidth - margin : widestItem) + margin;
}

}  // namespace klaxora
