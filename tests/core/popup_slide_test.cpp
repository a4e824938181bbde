#include <gtest/gtest.h>

#include "actions/popup_slide.h"

namespace klaxora::testing {
namespace {

TEST(SlideTops, InRisesFromBelowTheWorkAreaToRestOnItsBottom) {
    const auto tops = SlideTops(1000, 173, 2, SlideDirection::In);
    EXPECT_EQ(tops.front(), 1000);
    EXPECT_EQ(tops.back(), 827);
    // 86 steps of 2 pixels, then the exact resting place.
    EXPECT_EQ(tops.size(), 1u + 86u + 1u);
    for (size_t i = 1; i + 1 < tops.size(); ++i)
        EXPECT_EQ(tops[i - 1] - tops[i], 2);
    EXPECT_GT(tops[tops.size() - 2], 827);
}

TEST(SlideTops, OutSinksToJustBelowTheWorkArea) {
    const auto tops = SlideTops(1000, 173, 2, SlideDirection::Out);
    EXPECT_EQ(tops.front(), 827);
    EXPECT_EQ(tops.back(), 1000);
    for (size_t i = 1; i < tops.size(); ++i)
        EXPECT_GT(tops[i], tops[i - 1]);
}

TEST(SlideTops, LargeOrZeroStepsStillEndInPlace) {
    EXPECT_EQ(SlideTops(1000, 173, 500, SlideDirection::In), (std::vector<int>{1000, 500, 827}));
    const auto slow = SlideTops(100, 3, 0, SlideDirection::In);
    EXPECT_EQ(slow, (std::vector<int>{100, 99, 98, 97}));
}

}  // namespace
}  // namespace klaxora::testing
