#include <gtest/gtest.h>

#include <map>

#include "web/EncodeHtml.h"

TEST(EncodeHTML, ReplacesExactlyTheFortySevenBytesOfTheTable) {
    const std::map<unsigned char, std::string> entities = {
        {0x22, "&quot;"},   {0x26, "&amp;"},    {0x3C, "&lt;"},     {0x3E, "&gt;"},     {0x80, "&euro;"},
        {0xA2, "&cent;"},   {0xA7, "&sect;"},   {0xA9, "&copy;"},   {0xAE, "&reg;"},    {0xBC, "&frac14;"},
        {0xBD, "&frac12;"}, {0xBE, "&frac34;"}, {0xC0, "&Agrave;"}, {0xC2, "&Acirc;"},  {0xC4, "&Auml;"},
        {0xC5, "&Aring;"},  {0xC6, "&AElig;"},  {0xC7, "&Ccedil;"}, {0xC8, "&Egrave;"}, {0xC9, "&Eacute;"},
        {0xCA, "&Ecirc;"},  {0xCB, "&Euml;"},   {0xCF, "&Iuml;"},   {0xD4, "&Ocirc;"},  {0xD6, "&Ouml;"},
        {0xD8, "&Oslash;"}, {0xD9, "&Ugrave;"}, {0xDB, "&Ucirc;"},  {0xDC, "&Uuml;"},   {0xDF, "&szlig;"},
        {0xE0, "&agrave;"}, {0xE2, "&acirc;"},  {0xE4, "&auml;"},   {0xE5, "&aring;"},  {0xE6, "&aelig;"},
        {0xE7, "&ccedil;"}, {0xE8, "&egrave;"}, {0xE9, "&eacute;"}, {0xEA, "&ecirc;"},  {0xEB, "&euml;"},
        {0xEF, "&iuml;"},   {0xF4, "&ocirc;"},  {0xF6, "&ouml;"},   {0xF8, "&oslash;"}, {0xF9, "&ugrave;"},
        {0xFB, "&ucirc;"},  {0xFC, "&uuml;"},
    };
    ASSERT_EQ(entities.size(), 47u);
    for (int value = 0; value < 256; ++value) {
        SCOPED_TRACE("byte " + std::to_string(value));
        std::string byte(1, char(value));
        auto entity = entities.find((unsigned char)value);
        EXPECT_EQ(EncodeHTML("a" + byte + "b"), "a" + (entity == entities.end() ? byte : entity->second) + "b");
    }
}

TEST(EncodeHTML, WholeCaptions) {
    struct Case {
        std::string caption, encoded;
    } cases[] = {
        {"", ""},
        {"Tom & Jerry", "Tom &amp; Jerry"},
        {"&amp;", "&amp;amp;"},
        {"\"\"\"", "&quot;&quot;&quot;"},
        {"Line one\r\nLine two", "Line one\r\nLine two"},
        {"<b>Caf\xE9</b> \x80" "5, \xC1lvaro's \\ tab\t", "&lt;b&gt;Caf&eacute;&lt;/b&gt; &euro;5, \xC1lvaro's \\ tab\t"},
        {std::string("nul\0byte", 8), std::string("nul\0byte", 8)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(EncodeHTML(c.caption), c.encoded);
    }
}
