// Fuzzes the caption texts of the scrapbook pages: any caption bytes must give a preset value that
// is at most 50 characters, holds no raw line break, backslash or double quote that would end the
// script string, and never ends inside an entity; the encoded page text holds no raw markup.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "web/EncodeHtml.h"
#include "web/PresetCaptions.h"

namespace {
void check(bool condition) {
    if (!condition)
        std::abort();
}

// Every "&" opens an entity that is closed by ";" before the next "&" or the end.
bool entitiesWhole(const std::string& text) {
    for (std::size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 1)) {
        std::size_t end = text.find(';', at);
        std::size_t next = text.find('&', at + 1);
        if (end == std::string::npos || (next != std::string::npos && next < end))
            return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string caption(reinterpret_cast<const char*>(data), size);

    std::string encoded = EncodeHTML(caption);
    check(encoded.find_first_of("\"<>") == std::string::npos);
    check(entitiesWhole(encoded));

    std::string value = presetCaptionValue(caption);
    check(value.size() <= PresetCaptionMaxLength);
    check(value.find_first_of("\"\\\r\n") == std::string::npos);
    check(entitiesWhole(value));
    return 0;
}
