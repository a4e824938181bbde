#include "actions/popup_slide.h"

namespace klaxora {

std::vector<int> SlideTops(int workBottom, int windowHeight, int step, SlideDirection direction) {
    if (step < 1)
        step = 1;
    const int rest = workBottom - windowHeight;
    std::vector<int> tops;
    if (direction == SlideDirection::In) {
        int top = workBottom;
        tops.push_back(top);
        do {
            top -= step;
            tops.push_back(top);
        } while (rest < top - step);
        if (tops.back() != rest)
            tops.push_back(rest);
    } else {
        int top = rest;
        tops.push_back(top);
        do {
            top += step;
            tops.push_back(top);
        } while (workBottom > top + step);
        if (tops.back() != workBottom)
            tops.push_back(workBottom);
    }
    return tops;
}

}  // namespace klaxora
