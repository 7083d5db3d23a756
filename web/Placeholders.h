#pragma once
#include <optional>
#include <string>

// What the placeholders of one scrapbook page are replaced by. A field left empty leaves its
// placeholder in the page as it stands: each kind of page fills only the fields it has.
struct PageFields {
    std::string familyName;
    std::optional<std::string> houseAddress;  // the family's lot, on the expansion index page
    std::optional<int> pageNumber;            // the photo's position, counted from 1
    int pageCount = 0;                        // the number of photos
    std::optional<std::string> snapshot;      // image name relative to the image folder
    std::optional<std::string> caption;       // already encoded for HTML
};

// Replaces every occurrence of each placeholder in one template line. The placeholders are taken
// in a fixed order, each searched in the line as the earlier ones left it.
std::string fillPlaceholders(std::string line, const PageFields& fields);

// Every occurrence of pattern in text, left to right; inserted text is not searched again.
std::string replaceAll(std::string text, const std::string& pattern, const std::string& value);
