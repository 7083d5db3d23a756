#include "web/EncodeHtml.h"

#include <array>

namespace {
// Entity of each byte that is replaced, indexed by the byte; null for bytes copied as they are.
// The pages declare "iso-8859-1", under which the bytes left out display as themselves.
constexpr std::array<const char*, 256> entityTable() {
    std::array<const char*, 256> table{};
    table[0x22] = "&quot;";
    table[0x26] = "&amp;";
    table[0x3C] = "&lt;";
    table[0x3E] = "&gt;";
    table[0x80] = "&euro;";
    table[0xA2] = "&cent;";
    table[0xA7] = "&sect;";
    table[0xA9] = "&copy;";
    table[0xAE] = "&reg;";
    table[0xBC] = "&frac14;";
    table[0xBD] = "&frac12;";
    table[0xBE] = "&frac34;";
    table[0xC0] = "&Agrave;";
    table[0xC2] = "&Acirc;";
    table[0xC4] = "&Auml;";
    table[0xC5] = "&Aring;";
    table[0xC6] = "&AElig;";
    table[0xC7] = "&Ccedil;";
    table[0xC8] = "&Egrave;";
    table[0xC9] = "&Eacute;";
    table[0xCA] = "&Ecirc;";
    table[0xCB] = "&Euml;";
    table[0xCF] = "&Iuml;";
    table[0xD4] = "&Ocirc;";
    table[0xD6] = "&Ouml;";
    table[0xD8] = "&Oslash;";
    table[0xD9] = "&Ugrave;";
    table[0xDB] = "&Ucirc;";
    table[0xDC] = "&Uuml;";
    table[0xDF] = "&szlig;";
    table[0xE0] = "&agrave;";
    table[0xE2] = "&acirc;";
    table[0xE4] = "&auml;";
    table[0xE5] = "&aring;";
    table[0xE6] = "&aelig;";
    table[0xE7] = "&ccedil;";
    table[0xE8] = "&egrave;";
    table[0xE9] = "&eacute;";
    table[0xEA] = "&ecirc;";
    table[0xEB] = "&euml;";
    table[0xEF] = "&iuml;";
    table[0xF4] = "&ocirc;";
    table[0xF6] = "&ouml;";
    table[0xF8] = "&oslash;";
    table[0xF9] = "&ugrave;";
    table[0xFB] = "&ucirc;";
    table[0xFC] = "&uuml;";
    return table;
}

constexpr auto entities = entityTable();
}  // namespace

// The result is built apart from the caption, so the "&" of an inserted entity is never encoded again.
std::string EncodeHTML(std::string caption) {
    std::string encoded;
    encoded.reserve(caption.size());
    for (char byte : caption) {
        if (const char* entity = entities[static_cast<unsigned char>(byte)])
            encoded += entity;
        else
            encoded += byte;
    }
    return encoded;
}
