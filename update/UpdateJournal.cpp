#include "update/UpdateJournal.h"

#include <algorithm>
#include <vector>

#include "album/AlbumLoader.h"
#include "platform/FileSystem.h"
#include "platform/ShellFileOps.h"

namespace {
const char* const Title = "Velmora update journal 2";
const char* const NoNameField = "none";
const char* const AlbumField = "album";
const char* const WorkField = "work";
const char* const StaysField = "stays";
const char* const RecycleField = "recycle";
const char* const MovesField = "moves";

// The first version: "old<TAB>new" lines after a phase line.
const char* const FirstTitle = "Velmora update journal";
const char* const MovingOutLine = "phase moving out";
const char* const MovingBackLine = "phase moving back";

const char* folderField(PhotoFolder folder) { return folder == PhotoFolder::Work ? WorkField : AlbumField; }

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

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// A name the recovery moves files to and from must stay a name inside the album and work folders.
bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

bool isNumberedName(const std::string& name, const std::string& fileHeader) {
    return name.size() > fileHeader.size() && name.compare(0, fileHeader.size(), fileHeader) == 0 &&
           std::all_of(name.begin() + std::ptrdiff_t(fileHeader.size()), name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool readFolder(const std::string& field, PhotoFolder& folder) {
    if (field != AlbumField && field != WorkField)
        return false;
    folder = field == WorkField ? PhotoFolder::Work : PhotoFolder::Album;
    return true;
}

std::optional<TrackedPhoto> photoOfLine(const std::string& line) {
    std::vector<std::string> fields = fieldsOf(line);
    if (fields.size() != 5 && fields.size() != 7)
        return std::nullopt;
    TrackedPhoto photo;
    photo.identity = fields[0];
    photo.flagged = fields[1] == RecycleField;
    photo.finalBaseName = photo.flagged || fields[1] == NoNameField ? std::string() : fields[1];
    photo.at.baseName = fields[3];
    if (!readFolder(fields[2], photo.at.folder))
        return std::nullopt;
    if (fields[4] == StaysField || fields[4] == RecycleField) {
        photo.step = fields[4] == StaysField ? TrackedPhoto::Step::Stays : TrackedPhoto::Step::Recycled;
        return fields.size() == 5 ? std::optional<TrackedPhoto>(photo) : std::nullopt;
    }
    if (fields[4] != MovesField || fields.size() != 7 || !readFolder(fields[5], photo.to.folder))
        return std::nullopt;
    photo.step = TrackedPhoto::Step::Moves;
    photo.to.baseName = fields[6];
    return photo;
}

// The first version named each photo's old and new base name and the phase of the whole update.
std::optional<TrackedPhotos> firstVersionPhotos(const std::vector<std::string>& lines) {
    if (lines.size() < 2 || (lines[1] != MovingOutLine && lines[1] != MovingBackLine))
        return std::nullopt;
    bool movingOut = lines[1] == MovingOutLine;
    TrackedPhotos photos;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        std::vector<std::string> fields = fieldsOf(lines[i]);
        if (fields.size() != 2)
            return std::nullopt;
        TrackedPhoto photo;
        photo.identity = fields[0];
        photo.finalBaseName = fields[1];
        PhotoPlace album{PhotoFolder::Album, movingOut ? fields[0] : fields[1]};
        PhotoPlace work{PhotoFolder::Work, fields[0]};
        photo.at = movingOut ? album : work;
        photo.moveTo(movingOut ? work : album);
        photos.push_back(photo);
    }
    return photos;
}

bool namesFamilyPhotos(const TrackedPhotos& photos, const std::string& fileHeader) {
    for (const TrackedPhoto& photo : photos) {
        auto isOwnName = [&](const std::string& name) {
            return isPlainFileName(name) && (name == photo.identity || isNumberedName(name, fileHeader));
        };
        if (!isPlainFileName(photo.identity) || !isAlbumPhotoName(photo.identity, fileHeader) ||
            (!photo.finalBaseName.empty() && !isNumberedName(photo.finalBaseName, fileHeader)) ||
            !isOwnName(photo.at.baseName) ||
            (photo.step == TrackedPhoto::Step::Moves && !isOwnName(photo.to.baseName)))
            return false;
    }
    return namesOnePhotoEach(photos);
}
}  // namespace

std::string journalPathOf(const std::string& workFolder, const std::string& fileHeader) {
    return workFolder + "\\" + fileHeader + "journal.vlm";
}

std::string journalText(const TrackedPhotos& photos) {
    std::string text = std::string(Title) + "\r\n";
    for (const TrackedPhoto& photo : photos) {
        std::string finalField = photo.flagged ? RecycleField : photo.finalBaseName.empty() ? NoNameField : photo.finalBaseName;
        text += photo.identity + "\t" + finalField + "\t" +
                folderField(photo.at.folder) + "\t" + photo.at.baseName + "\t";
        switch (photo.step) {
        case TrackedPhoto::Step::Stays: text += StaysField; break;
        case TrackedPhoto::Step::Recycled: text += RecycleField; break;
        case TrackedPhoto::Step::Moves:
            text += std::string(MovesField) + "\t" + folderField(photo.to.folder) + "\t" + photo.to.baseName;
            break;
        }
        text += "\r\n";
    }
    return text;
}

int writeUpdateJournal(FileOperations& ops, const std::string& path, const TrackedPhotos& photos) {
    return writeWholeFile(ops, path, journalText(photos));
}

std::optional<TrackedPhotos> readUpdateJournal(const std::string& path, const std::string& fileHeader) {
    std::optional<std::string> text = readFileBytes(path);
    if (!text)
        return std::nullopt;
    std::vector<std::string> lines = linesOf(*text);
    std::optional<TrackedPhotos> photos;
    if (!lines.empty() && lines[0] == FirstTitle) {
        photos = firstVersionPhotos(lines);
    } else if (!lines.empty() && lines[0] == Title) {
        photos.emplace();
        for (std::size_t i = 1; i < lines.size() && photos; ++i) {
            if (std::optional<TrackedPhoto> photo = photoOfLine(lines[i]))
                photos->push_back(*photo);
            else
                photos.reset();
        }
    }
    if (!photos || !namesFamilyPhotos(*photos, fileHeader))
        return std::nullopt;
    return photos;
}
