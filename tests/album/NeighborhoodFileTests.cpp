#include "album/NeighborhoodFile.h"

#include <gtest/gtest.h>

#include "album/FamilyRecordScanner.h"
#include "tests/album/NeighborhoodBytes.h"
#include "tests/support/TempFolder.h"

using namespace neighborhood_bytes;

namespace {

std::vector<FamilyRow> namedRows(const std::vector<std::string>& names) {
    std::vector<FamilyRow> rows;
    for (const auto& name : names)
        rows.push_back({name, "", ""});
    return rows;
}

// Reads rows named as given against a neighborhood file holding bytes.
std::vector<FamilyRow> completeRows(const std::vector<std::string>& names, const std::string& bytes) {
    TempFolder game;
    writeFile(game.file("UserData3\\Neighborhood.iff"), bytes);
    std::vector<FamilyRow> rows = namedRows(names);
    EXPECT_EQ(readNeighborhoodFile(game.path(), 3, rows), 1);
    return rows;
}

}  // namespace

TEST(NeighborhoodFile, PathsOfTheNeighborhoods) {
    EXPECT_EQ(neighborhoodFilePath("C:\\Game", 1), "C:\\Game\\UserData\\Neighborhood.iff");
    EXPECT_EQ(neighborhoodFilePath("C:\\Game", 3), "C:\\Game\\UserData3\\Neighborhood.iff");
    EXPECT_EQ(neighborhoodFilePath("C:\\Game", 10), "C:\\Game\\UserData10\\Neighborhood.iff");
}

TEST(NeighborhoodFile, RecordsFillRowsAndRowsWithoutRecordsGo) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::string bytes;
        std::vector<FamilyRow> expected;
    } cases[] = {
        {"one family", {"Smith"}, fileHeader() + family(2, 20) + familyName(2, "Smith"), {{"Smith", "20", "2"}}},
        {"family record right after a byte F", {"Zarez", "Lee"},
         fileHeader() + "Report card: F" + family(17, 31) + familyName(17, "Zarez") + "FF" + family(5, 1) +
             familyName(5, "Lee"),
         {{"Zarez", "31", "17"}, {"Lee", "1", "5"}}},
        {"name record right after a byte F", {"Zarez"}, fileHeader() + family(17, 31) + "xF" + familyName(17, "Zarez"),
         {{"Zarez", "31", "17"}}},
        {"only the low byte of the chunk ID is the family ID", {"A", "B"},
         family(200, -1) + familyName(200, "A") + family(0x012C, 7) + familyName(0x012C, "B"),
         {{"A", "-1", "200"}, {"B", "7", "44"}}},
        {"same name: records fill rows in file order", {"Smith", "Smith"},
         family(2, 20) + familyName(2, "Smith") + family(7, 5) + familyName(7, "Smith"),
         {{"Smith", "20", "2"}, {"Smith", "5", "7"}}},
        {"families without a record are removed", {"Marsh", "Ghost", "Smith", "Pryce"},
         family(2, 20) + familyName(2, "Smith"), {{"Smith", "20", "2"}}},
        {"names compare case and all", {"smith", "Smith "}, family(2, 20) + familyName(2, "Smith"), {}},
        {"a name of 32 bytes without NUL", {std::string(32, 'N')},
         family(1, 3) + familyName(1, std::string(32, 'N'), false) + "more", {{std::string(32, 'N'), "3", "1"}}},
        {"a longer name is cut at 32 bytes", {std::string(32, 'N'), std::string(33, 'N')},
         family(1, 3) + familyName(1, std::string(33, 'N')), {{std::string(32, 'N'), "3", "1"}}},
        {"a record across the reader's 64 KiB pieces", {"Smith"},
         std::string(65536 - 50, 'x') + family(2, 20) + familyName(2, "Smith"), {{"Smith", "20", "2"}}},
        {"empty file", {"Smith"}, "", {}},
        {"no family records", {"Smith"}, fileHeader() + chunk("NGBH", 1, std::string(40, 'F')), {}},
        {"a name record without a family record before it", {"Smith"}, familyName(2, "Smith"), {}},
        // Unsound pairings the scan refuses: no row gets a name that is not its record's own.
        {"a family record cut off before its name record", {"Smith", "Smith"},
         family(2, 20) + familyName(2, "Smith") + family(7, 5), {{"Smith", "20", "2"}}},
        {"a family record without name record before another", {"Smith", "Jones"},
         family(2, 20) + family(3, 8) + familyName(3, "Jones"), {{"Jones", "8", "3"}}},
        {"a name cut off by the end of the file", {"Smi", "Smith"},
         family(2, 20) + familyName(2, "Smi", false), {}},
        {"a family record cut off inside its lot", {"Smith"}, family(2, 20).substr(0, 90), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(completeRows(c.rows, c.bytes), c.expected);
    }
}

TEST(NeighborhoodFile, UnreadableFileMarksEveryRowUnknown) {
    TempFolder game;
    std::vector<FamilyRow> rows = namedRows({"Smith", "Zarez"});
    EXPECT_EQ(readNeighborhoodFile(game.path(), 1, rows), 0);
    EXPECT_EQ(rows, (std::vector<FamilyRow>{{"Smith", "?", "?"}, {"Zarez", "?", "?"}}));

    // A folder in the file's place opens on some systems and fails on reading.
    makeFolders(game.file("UserData2\\Neighborhood.iff"));
    rows = namedRows({"Smith"});
    EXPECT_EQ(readNeighborhoodFile(game.path(), 2, rows), 0);
    EXPECT_EQ(rows, (std::vector<FamilyRow>{{"Smith", "?", "?"}}));
}

TEST(FamilyRecordScanner, PiecesOfAnySizeFindTheSameRecords) {
    std::string bytes = readFile(VELMORA_SOURCE_DIR "/sample/game/UserData/Neighborhood.iff");
    ASSERT_FALSE(bytes.empty());
    auto scan = [&](std::size_t piece) {
        std::string found;
        FamilyRecordScanner scanner([&](const FamilyRecord& r) {
            found += r.name + "/" + std::to_string(r.lot) + "/" + std::to_string(r.id) + " ";
        });
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            scanner.feed(data + at, std::min(piece, bytes.size() - at));
        return found;
    };
    std::string whole = scan(bytes.size());
    EXPECT_EQ(whole, "Smith/20/2 Smith/5/7 Zarez/31/17 Dubois/12/4 van Dorn/44/9 Pryce/8/3 ");
    for (std::size_t piece : {1u, 2u, 3u, 7u, 91u, 92u, 100u}) {
        SCOPED_TRACE(piece);
        EXPECT_EQ(scan(piece), whole);
    }
}
