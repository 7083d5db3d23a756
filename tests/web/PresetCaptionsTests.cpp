#include <gtest/gtest.h>

#include "web/PresetCaptions.h"

namespace {
std::string repeat(char c, int count) { return std::string(std::size_t(count), c); }
}  // namespace

TEST(PresetCaptions, ValuesAreEncodedAndShortenedToFiftyCharacters) {
    struct Case {
        const char* what;
        std::string caption, value;
    } cases[] = {
        {"short", "Tom & Jerry", "Tom &amp; Jerry"},
        {"quote cannot end the value", "Say \"cheese\"", "Say &quot;cheese&quot;"},
        {"50 encoded characters stay whole", "&" + repeat('a', 45), "&amp;" + repeat('a', 45)},
        {"51 encoded characters are cut", repeat('b', 51), repeat('b', 47) + "..."},
        {"the length counts the encoded text", repeat('c', 47) + "\"", repeat('c', 47) + "..."},
        {"cut inside an entity moves before its &", repeat('x', 44) + "&yy", repeat('x', 44) + "..."},
        {"cut just inside the ;", repeat('x', 43) + "&yyy", repeat('x', 43) + "..."},
        {"entity ending at the cut is kept", repeat('x', 42) + "&zzzz", repeat('x', 42) + "&amp;..."},
        {"long entity at the cut", "Tom " + repeat('x', 40) + "\xBD" + "more text", "Tom " + repeat('x', 40) + "..."},
        {"line breaks become spaces", "one\r\ntwo\nthree\rfour", "one two three four"},
        {"a backslash cannot escape the closing quote", "C:\\", "C:&#92;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string value = presetCaptionValue(c.caption);
        EXPECT_EQ(value, c.value);
        EXPECT_LE(value.size(), PresetCaptionMaxLength);
    }
}

TEST(PresetCaptions, LineHoldsNumberAndQuotedValue) {
    EXPECT_EQ(presetCaptionLine(7, ""), "c7=\"\";");
    EXPECT_EQ(presetCaptionLine(200, "Tom &amp; Jerry"), "c200=\"Tom &amp; Jerry\";");
}
