#include <gtest/gtest.h>

#include "album/AlbumRows.h"

namespace {
AlbumRows rowsOf(std::initializer_list<const char*> baseNames) {
    AlbumRows rows;
    for (const char* name : baseNames)
        rows.append(photoNumberOf(name), RowKept, std::make_unique<PhotoEntry>(name, std::string("caption of ") + name));
    return rows;
}

std::vector<std::string> textsOf(const AlbumRows& rows) {
    std::vector<std::string> texts;
    for (int i = 0; i < rows.count(); ++i)
        texts.push_back(rows.text(i));
    return texts;
}
}  // namespace

TEST(PhotoNumber, IsTheTextAfterTheLastUnderscore) {
    EXPECT_EQ(photoNumberOf("Smith_12_0003"), "0003");
    EXPECT_EQ(photoNumberOf("Van_Dyke_7_0010"), "0010");
    EXPECT_EQ(photoNumberOf("NoUnderscore"), "NoUnderscore");
    EXPECT_EQ(photoNumberOf("Trailing_"), "");
}

TEST(PhotoNumber, IsWrittenWithFourDigitsAndNeverCut) {
    EXPECT_EQ(photoNumberText(0), "0000");
    EXPECT_EQ(photoNumberText(199), "0199");
    EXPECT_EQ(photoNumberText(9999), "9999");
    EXPECT_EQ(photoNumberText(10000), "10000");
}

TEST(AlbumRows, SortIsByteWiseOnBaseNames) {
    // 10 before 9 (no numeric reading), upper case before lower case, and a byte above 0x7F after
    // every ASCII letter (unsigned comparison).
    AlbumRows rows = rowsOf({"S_1_9", "S_1_10", "S_1_\xE9", "S_1_a", "S_1_B"});
    rows.sortByBaseName();
    EXPECT_EQ(textsOf(rows), (std::vector<std::string>{"10", "9", "B", "a", "\xE9"}));
}

TEST(AlbumRows, SwapAndTakeKeepTextFlagAndEntryTogether) {
    AlbumRows rows = rowsOf({"S_1_0000", "S_1_0001", "S_1_0002"});
    rows.setImage(2, RowFlagged);
    rows.swapRows(0, 2);
    EXPECT_EQ(rows.text(0), "0002");
    EXPECT_EQ(rows.image(0), RowFlagged);
    EXPECT_EQ(rows.entry(0)->caption(), "caption of S_1_0002");
    EXPECT_EQ(rows.image(2), RowKept);

    AlbumRow moved = rows.take(0);
    rows.insert(rows.count(), moved.text, moved.image, std::move(moved.entry));
    EXPECT_EQ(textsOf(rows), (std::vector<std::string>{"0001", "0000", "0002"}));
    EXPECT_EQ(rows.entry(2)->baseName(), "S_1_0002");
    EXPECT_TRUE(rows.row(2).flagged());
}

TEST(AlbumRows, ObserverHearsEveryChange) {
    struct Recorder : AlbumRowsObserver {
        std::vector<std::string> events;
        void rowsReset() override { events.push_back("reset"); }
        void rowInserted(int i) override { events.push_back("insert " + std::to_string(i)); }
        void rowRemoved(int i) override { events.push_back("remove " + std::to_string(i)); }
        void rowChanged(int i) override { events.push_back("change " + std::to_string(i)); }
    } recorder;
    AlbumRows rows = rowsOf({"S_1_0000", "S_1_0001"});
    rows.setObserver(&recorder);
    rows.swapRows(0, 1);
    rows.setImage(1, RowFlagged);
    rows.remove(0);
    rows.append("0005", RowKept, std::make_unique<PhotoEntry>("S_1_0005", ""));
    rows.clear();
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"change 0", "change 1", "change 1", "remove 0",
                                                          "insert 1", "reset"}));
    EXPECT_TRUE(rows.empty());
}
