#include <gtest/gtest.h>

#include <functional>

#include "album/AlbumRows.h"
#include "album/PhotoOrdering.h"

namespace {
// Rows named by their former index ("0".."n-1"), each with a caption and flag that must travel along.
AlbumRows numberedRows(int count) {
    AlbumRows rows;
    for (int i = 0; i < count; ++i)
        rows.append(std::to_string(i), i % 2 ? RowFlagged : RowKept,
                    std::make_unique<PhotoEntry>("S_1_" + std::to_string(i), "caption " + std::to_string(i)));
    return rows;
}

std::string orderOf(const AlbumRows& rows) {
    std::string order;
    for (int i = 0; i < rows.count(); ++i) {
        order += rows.text(i);
        // Text, flag and caption must still belong together.
        int former = std::stoi(rows.text(i));
        EXPECT_EQ(rows.entry(i)->caption(), "caption " + rows.text(i));
        EXPECT_EQ(rows.image(i), former % 2 ? RowFlagged : RowKept);
    }
    return order;
}
}  // namespace

TEST(PhotoOrdering, MoveCommands) {
    using Move = std::function<int(AlbumRows&, int)>;
    struct Case {
        const char* name;
        Move move;
        int count, selected;
        const char* order;
        int selectedAfter;
    } cases[] = {
        {"top of 5 in 8", moveToTop, 8, 5, "50123467", 0},
        {"top of first", moveToTop, 8, 0, "01234567", -1},
        {"up of 3", moveUpOne, 5, 3, "01324", 2},
        {"up of first", moveUpOne, 5, 0, "01234", -1},
        {"down of 1", moveDownOne, 5, 1, "02134", 2},
        {"down of last", moveDownOne, 5, 4, "01234", -1},
        {"bottom of 2 in 5", moveToBottom, 5, 2, "01342", 4},
        {"bottom of last", moveToBottom, 5, 4, "01234", -1},
        {"no selection", moveToTop, 5, -1, "01234", -1},
        {"single row down", moveDownOne, 1, 0, "0", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AlbumRows rows = numberedRows(c.count);
        EXPECT_EQ(c.move(rows, c.selected), c.selectedAfter);
        EXPECT_EQ(orderOf(rows), c.order);
    }
}

TEST(PhotoOrdering, DropMovesTheRowBeforeOrAfterTheTarget) {
    struct Case {
        int source, target;
        const char* order;
        int newRow;
    } cases[] = {
        {1, 3, "02314", 3},   // downwards: after the photo that was at 3
        {3, 1, "03124", 1},   // upwards: before the photo that was at 1
        {2, 2, "01234", 2},   // onto itself
        {1, -1, "02341", 4},  // below the last row
        {0, 4, "12340", 4},
        {4, 0, "40123", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.source) + " onto " + std::to_string(c.target));
        AlbumRows rows = numberedRows(5);
        EXPECT_EQ(dropRow(rows, c.source, c.target), c.newRow);
        EXPECT_EQ(orderOf(rows), c.order);
    }
}

TEST(PhotoOrdering, ToggleTwiceRestoresTheFlag) {
    AlbumRows rows = numberedRows(3);
    EXPECT_TRUE(toggleDeleteFlag(rows, 0));
    EXPECT_EQ(rows.image(0), RowFlagged);
    EXPECT_TRUE(toggleDeleteFlag(rows, 0));
    EXPECT_EQ(rows.image(0), RowKept);
    EXPECT_FALSE(toggleDeleteFlag(rows, -1));
    EXPECT_FALSE(toggleDeleteFlag(rows, 3));
}
