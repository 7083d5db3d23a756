#include "update/UpdateJournal.h"

#include <algorithm>

#include "album/AlbumLoader.h"
#include "platform/FileSystem.h"
#include "platform/ShellFileOps.h"

namespace {
const char* const Title = "Velmora update journal";
const char* const MovingOutLine = "phase moving out";
const char* const MovingBackLine = "phase moving back";

// Lines of CR LF text: the title, the phase, then one "old<TAB>new" line per photo. File names
// cannot hold a tab on Windows.
std::string journalText(const UpdateJournal& journal) {
    std::string text = std::string(Title) + "\r\n" +
                       (journal.phase == UpdateJournal::Phase::MovingOut ? MovingOutLine : MovingBackLine) + "\r\n";
    for (const auto& move : journal.moves)
        text += move.oldBaseName + "\t" + move.newBaseName + "\r\n";
    return text;
}

// Lines without their line ends; text after the last line end makes a last line of its own.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start - (end > start && text[end - 1] == '\r')));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// A name the recovery moves files to and from must stay a name inside the album and work folders.
bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

bool movesFamilyPhotos(const UpdateJournal& journal, const std::string& fileHeader) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (const auto& move : journal.moves) {
        const std::string& next = move.newBaseName;
        if (!isPlainFileName(move.oldBaseName) || !isAlbumPhotoName(move.oldBaseName, fileHeader) ||
            next.size() <= fileHeader.size() || next.compare(0, fileHeader.size(), fileHeader) != 0 ||
            !std::all_of(next.begin() + std::ptrdiff_t(fileHeader.size()), next.end(), isDigit))
            return false;
    }
    return true;
}
}  // namespace

const UpdateJournal::Move* UpdateJournal::moveFrom(const std::string& oldBaseName) const {
    for (const auto& move : moves)
        if (move.oldBaseName == oldBaseName)
            return &move;
    return nullptr;
}

std::string journalPathOf(const std::string& workFolder, const std::string& fileHeader) {
    return workFolder + "\\" + fileHeader + "journal.vlm";
}

// A cut at any moment leaves a whole journal, the old one or the new one.
int writeUpdateJournal(FileOperations& ops, const std::string& path, const UpdateJournal& journal) {
    return writeWholeFile(ops, path, journalText(journal));
}

std::optional<UpdateJournal> readUpdateJournal(const std::string& path, const std::string& fileHeader) {
    std::optional<std::string> text = readFileBytes(path);
    if (!text)
        return std::nullopt;
    std::vector<std::string> lines = linesOf(*text);
    if (lines.size() < 2 || lines[0] != Title || (lines[1] != MovingOutLine && lines[1] != MovingBackLine))
        return std::nullopt;
    UpdateJournal journal;
    journal.phase = lines[1] == MovingOutLine ? UpdateJournal::Phase::MovingOut : UpdateJournal::Phase::MovingBack;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        auto tab = line.find('\t');
        if (tab == std::string::npos || tab == 0 || tab + 1 == line.size() || line.find('\t', tab + 1) != std::string::npos)
            return std::nullopt;
        journal.moves.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    if (!movesFamilyPhotos(journal, fileHeader))
        return std::nullopt;
    return journal;
}
