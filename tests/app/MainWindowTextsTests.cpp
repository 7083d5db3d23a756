#include "app/MainWindowTexts.h"

#include <gtest/gtest.h>

TEST(MainWindowTexts, PhotoCountSaysPhotoOnlyForOne) {
    struct Case {
        int rows;
        const char* text;
    };
    const Case cases[] = {{0, "\t\t0 Photos"}, {1, "\t\t1 Photo"}, {2, "\t\t2 Photos"}, {1234, "\t\t1234 Photos"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(photoCountText(c.rows), c.text);
    }
}

TEST(MainWindowTexts, TitleNamesTheFamilyOnlyWhenItHasAName) {
    EXPECT_EQ(mainWindowTitle("Velmora", ""), "Velmora");
    EXPECT_EQ(mainWindowTitle("Velmora", "Newbie"), "Velmora - Newbie Family Photo Album");
}
