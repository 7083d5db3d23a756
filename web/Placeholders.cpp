#include "web/Placeholders.h"

std::string replaceAll(std::string text, const std::string& pattern, const std::string& value) {
    if (pattern.empty())
        return text;
    for (std::size_t at = text.find(pattern); at != std::string::npos; at = text.find(pattern, at + value.size()))
        text.replace(at, pattern.size(), value);
    return text;
}

std::string fillPlaceholders(std::string line, const PageFields& fields) {
    // Templates are full of lines without any placeholder; they pass through untouched.
    if (line.find("^^^^sims_") == std::string::npos)
        return line;
    line = replaceAll(std::move(line), "^^^^sims_web_character_set^^^^", "iso-8859-1");
    line = replaceAll(std::move(line), "^^^^sims_web_language_code^^^^", "en-us");
    line = replaceAll(std::move(line), "^^^^sims_family_name^^^^", fields.familyName);
    if (fields.houseAddress)
        line = replaceAll(std::move(line), "^^^^sims_house_address^^^^", *fields.houseAddress);
    if (fields.pageNumber)
        line = replaceAll(std::move(line), "^^^^sims_scrapbook_currpagenum^^^^", std::to_string(*fields.pageNumber));
    line = replaceAll(std::move(line), "^^^^sims_scrapbook_numpages^^^^", std::to_string(fields.pageCount));
    if (fields.snapshot)
        line = replaceAll(std::move(line), "^^^^sims_scrapbookX_snapshot^^^^", *fields.snapshot);
    if (fields.caption)
        line = replaceAll(std::move(line), "^^^^sims_scrapbookX_caption^^^^", *fields.caption);
    return line;
}
