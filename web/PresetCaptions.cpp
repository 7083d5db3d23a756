#include "web/PresetCaptions.h"

#include "web/EncodeHtml.h"

namespace {
// A raw line break would end the script string in mid-value, and a backslash would escape the
// character after it, even the closing quote; either breaks the whole script block, and with it
// every caption of the index page.
std::string scriptSafe(const std::string& encoded) {
    std::string safe;
    safe.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        char byte = encoded[i];
        if (byte == '\r' && i + 1 < encoded.size() && encoded[i + 1] == '\n')
            continue;  // the LF of the pair becomes the space
        if (byte == '\r' || byte == '\n')
            safe += ' ';
        else if (byte == '\\')
            safe += "&#92;";
        else
            safe += byte;
    }
    return safe;
}

// Every "&" of an encoded caption starts an entity, since a literal "&" is itself encoded. A cut
// that would keep an entity's "&" but not its ";" moves back to before the "&", so the page never
// shows half an entity.
std::size_t cutOutsideEntities(const std::string& text, std::size_t cut) {
    std::size_t ampersand = text.rfind('&', cut - 1);
    if (ampersand == std::string::npos)
        return cut;
    std::size_t semicolon = text.find(';', ampersand);
    return semicolon == std::string::npos || semicolon >= cut ? ampersand : cut;
}
}  // namespace

std::string presetCaptionValue(const std::string& caption) {
    std::string value = scriptSafe(EncodeHTML(caption));
    if (value.size() <= PresetCaptionMaxLength)
        return value;
    const std::size_t ellipsis = 3;
    value.resize(cutOutsideEntities(value, PresetCaptionMaxLength - ellipsis));
    return value + "...";
}

std::string presetCaptionLine(int number, const std::string& value) {
    return "c" + std::to_string(number) + "=\"" + value + "\";";
}
