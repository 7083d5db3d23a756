#include "ui/PreviewFit.h"

#include <gtest/gtest.h>

namespace {

void expectRect(const PreviewRect& actual, const PreviewRect& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
}

}  // namespace

TEST(PreviewFit, PicturesShrinkToFitAtTheTopLeftAndAreNeverEnlarged) {
    struct Case {
        const char* name;
        int imageWidth, imageHeight;
        PreviewRect box;
        PreviewRect picture;
    };
    const Case cases[] = {
        {"small photo keeps its size", 128, 96, {10, 20, 400, 300}, {10, 20, 128, 96}},
        {"height decides (0.4667)", 800, 600, {0, 0, 400, 280}, {0, 0, 373, 280}},
        {"width decides", 1000, 100, {5, 5, 400, 300}, {5, 5, 400, 40}},
        {"exact fit", 400, 300, {0, 0, 400, 300}, {0, 0, 400, 300}},
        {"main preview of a game photo", 400, 300, {174, 45, 399, 302}, {174, 45, 399, 299}},
        {"one pixel", 1, 1, {3, 4, 50, 50}, {3, 4, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectRect(layoutPreview(c.imageWidth, c.imageHeight, c.box).picture, c.picture);
    }
}

TEST(PreviewFit, BackgroundStripsCoverWhatThePictureLeaves) {
    PreviewLayout layout = layoutPreview(128, 96, {10, 20, 400, 300});
    expectRect(layout.rightStrip, {138, 20, 272, 300});
    expectRect(layout.bottomStrip, {10, 116, 400, 204});

    SCOPED_TRACE("a picture as wide as the box leaves only the strip below");
    layout = layoutPreview(1000, 100, {5, 5, 400, 300});
    EXPECT_TRUE(layout.rightStrip.isEmpty());
    expectRect(layout.bottomStrip, {5, 45, 400, 260});
}

TEST(PreviewFit, EmptyImageLeavesTheWholeBoxToTheBackground) {
    for (auto [width, height] : {std::pair{0, 0}, std::pair{0, 10}, std::pair{10, 0}}) {
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        PreviewLayout layout = layoutPreview(width, height, {7, 8, 40, 30});
        EXPECT_TRUE(layout.picture.isEmpty());
        expectRect(layout.rightStrip, {7, 8, 40, 30});
    }
}
