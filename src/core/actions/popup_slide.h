#pragma once
// The alarm popup's slide at the right edge of the work area: the successive tops it takes.
#include <vector>

namespace klaxora {

enum class SlideDirection { In, Out };

// Tops of the window from the first placement to the resting one. In: from just below the
// work area up, step by step, to rest on its bottom edge. Out: from resting on the bottom edge
// down to just below it. A step below 1 moves by 1.
std::vector<int> SlideTops(int workBottom, int windowHeight, int step, SlideDirection direction);

}  // namespace klaxora
