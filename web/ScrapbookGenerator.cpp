#include "web/ScrapbookGenerator.h"

#include "album/AlbumInfo.h"
#include "album/AlbumRows.h"
#include "album/Settings.h"
#include "diag/EventLog.h"
#include "platform/FileSystem.h"
#include "platform/ShellFileOps.h"
#include "platform/UserFeedback.h"
#include "web/EncodeHtml.h"
#include "web/PageFile.h"
#include "web/Placeholders.h"
#include "web/PresetCaptions.h"
#include "web/ScrapbookPaths.h"
#include "web/TemplateFile.h"

namespace {
const char* const StopNotice = "HTML file generation will be stopped due to this error.";

// One run of the generator: both templates stay open from the start of the run to its end and are
// rewound before each further page made from them.
class ScrapbookRun {
public:
    ScrapbookRun(const std::string& albumPrefix, const ScrapbookContext& context)
        : albumPrefix(albumPrefix), rows(context.rows), album(context.album), settings(context.settings),
          feedback(context.feedback), files(context.files), expansion(context.album.expansionInstalled != 0) {}

    void run();

private:
    void log(const std::string& text) const;
    void report(const std::string& logText, const std::string& message, const std::string& title, unsigned icon);

    bool openTemplates();
    void removeOldEntries(const std::string& folder);
    void copyPhotos();
    void writeBasePages();
    void writeExpansionPages();
    bool writeIndexPage();
    void copyIndexTemplate(PageFile& page, const PageFields& fields);
    bool writeEntryPage(int number);

    std::string captionOf(int number) const;
    PageFields photoPageFields(int number) const;
    void reportPageNotCreated(const std::string& path);

    const std::string& albumPrefix;
    const AlbumRows& rows;
    const AlbumInfo& album;
    const Settings& settings;
    UserFeedback& feedback;
    FileOperations& files;
    const bool expansion;

    ScrapbookPaths paths;
    std::string templateFolder;
    TemplateFile indexTemplate;
    TemplateFile entryTemplate;
};

void ScrapbookRun::log(const std::string& text) const {
    if (settings.enableLogging)
        eventLog.writeMessage(text);
}

// The log line goes first, so that it is on disk while the message box waits for the user.
void ScrapbookRun::report(const std::string& logText, const std::string& message, const std::string& title,
                          unsigned icon) {
    if (settings.enableLogging && !logText.empty())
        eventLog.writeLabeled("ERROR:", logText);
    feedback.messageBox(title, message, msgbox::Ok | icon);
}

void ScrapbookRun::run() {
    log("========== UPDATING HTML FILES ==========");
    paths = scrapbookPathsOf(album);
    log("Web Path = " + paths.webFolder);
    if (!files.exists(paths.webFolder)) {
        report("Web Pages folder not found. Aborting HTML update.",
               "The \"Web Pages\" folder could not be found in this album's\nneighborhood folder. As a result, "
               "no HTML files will be\ngenerated. Any order or caption changes you made to this\nalbum have not "
               "been lost. The expected path is:\n\n" + paths.webFolder,
               "Program Warning", msgbox::IconWarning);
        return;
    }
    log("Web image path = " + paths.imageFolder);

    feedback.setProgressPosition(0);
    feedback.setProgressRange(0, 2 * rows.count());
    feedback.setProgressStep(1);
    feedback.setStatusText("Generating Web Pages...");

    templateFolder = findTemplateFolder(templateRootOf(album.gamePath));
    // Both templates are checked before anything old is removed, so a missing template costs nothing.
    if (!openTemplates())
        return;
    removeOldEntries(paths.imageFolder);
    copyPhotos();
    removeOldEntries(paths.familyFolder);
    if (expansion)
        writeExpansionPages();
    else
        writeBasePages();
}

bool ScrapbookRun::openTemplates() {
    if (!indexTemplate.open(templateFolder + "\\scrapbookX.html")) {
        report("HTML template for photo album index not found. Aborting HTML update.",
               "The HTML template for the photo album index page was\nnot found. The expected template file "
               "path is:\n\n" + templateFolder + "\\scrapbookX.html\n\n" + StopNotice,
               "Template Missing Error", msgbox::IconError);
        return false;
    }
    if (expansion && !entryTemplate.open(templateFolder + "\\scrapbook_popupX.html")) {
        report("HTML template for photo album entry page not found. Aborting HTML update.",
               "The HTML template for the individual photo album entry\npages was not found. The expected "
               "template file path is:\n\n" + templateFolder + "\\scrapbook_popupX.html\n\n" + StopNotice,
               "Template Missing Error", msgbox::IconError);
        return false;
    }
    return true;
}

// Old pages and images go to the Recycle Bin unless "Delete Only" is on. A file that cannot be
// removed is overwritten or left over; neither is worth stopping for.
void ScrapbookRun::removeOldEntries(const std::string& folder) {
    for (const FolderEntry& entry : findEntries(folder + "\\scrapbook*"))
        files.remove(folder + "\\" + entry.name, settings.deleteOnly != 0);
}

// A photo whose copy fails is reported and passed over: the pages are still worth writing.
void ScrapbookRun::copyPhotos() {
    for (int number = 1; number <= rows.count(); ++number) {
        std::string photo = albumPrefix + rows.text(number - 1);
        std::string copy = paths.imageFolder + "\\scrapbook" + std::to_string(number);
        int imageResult = files.copy(photo + ".jpg", copy + ".jpg");
        int thumbnailResult = expansion ? files.copy(photo + "_thumb.jpg", copy + "_thumb.jpg") : 0;
        if (imageResult != 0 || thumbnailResult != 0)
            report("",
                   "A file copy error was encountered with the following\nalbum entry:\n\n" + photo + "\n\n" +
                       "GenerateHTML() Error Codes: " + std::to_string(imageResult) + ", " +
                       std::to_string(thumbnailResult),
                   "File Copying Error", msgbox::IconError);
        feedback.stepProgress();
    }
}

std::string ScrapbookRun::captionOf(int number) const {
    const PhotoEntry* entry = rows.entry(number - 1);
    return entry ? entry->caption() : std::string();
}

PageFields ScrapbookRun::photoPageFields(int number) const {
    PageFields fields;
    fields.familyName = album.familyName;
    fields.pageNumber = number;
    fields.pageCount = rows.count();
    fields.snapshot = "scrapbook" + std::to_string(number) + ".jpg";
    fields.caption = EncodeHTML(captionOf(number));
    return fields;
}

void ScrapbookRun::reportPageNotCreated(const std::string& path) {
    report("Cannot create photo album entry page. Aborting HTML update.",
           "The individual photo album entry page could not be\ncreated. The expected path is:\n\n" + path +
               "\n\n" + StopNotice,
           "HTML File Creation Error", msgbox::IconError);
}

// Without an expansion pack every photo has a page of its own, made from the index template.
void ScrapbookRun::writeBasePages() {
    for (int number = 1; number <= rows.count(); ++number) {
        std::string path = paths.familyFolder + "\\scrapbook" + std::to_string(number) + ".html";
        PageFile page;
        if (!page.create(path)) {
            reportPageNotCreated(path);
            return;
        }
        PageFields fields = photoPageFields(number);
        for (std::string line; indexTemplate.readLine(line);)
            page.writeLine(fillPlaceholders(line, fields));
        feedback.stepProgress();
        // A page cut short by a full disk is as good as a page that could not be created.
        if (!page.close()) {
            reportPageNotCreated(path);
            return;
        }
        indexTemplate.rewind();
    }
}

void ScrapbookRun::writeExpansionPages() {
    if (!writeIndexPage())
        return;
    indexTemplate.close();
    for (int number = 1; number <= rows.count(); ++number)
        if (!writeEntryPage(number))
            return;
    entryTemplate.close();
}

bool ScrapbookRun::writeIndexPage() {
    std::string path = paths.familyFolder + "\\scrapbook1.html";
    PageFile page;
    bool written = page.create(path);
    if (written) {
        PageFields fields;
        fields.familyName = album.familyName;
        fields.houseAddress = album.familyLot;
        fields.pageCount = rows.count();
        copyIndexTemplate(page, fields);
        written = page.close();
    }
    if (!written)
        report("Cannot create photo album index page. Aborting HTML update.",
               "The new photo album index page could not be created.\nThe expected file path is:\n\n" + path +
                   "\n\n" + StopNotice,
               "HTML File Creation Error", msgbox::IconError);
    return written;
}

// The template's lines after the marker stand in for the preset captions: exactly as many are
// dropped as are written, however many the template holds.
void ScrapbookRun::copyIndexTemplate(PageFile& page, const PageFields& fields) {
    for (std::string line; indexTemplate.readLine(line);) {
        std::string filled = fillPlaceholders(line, fields);
        page.writeLine(filled);
        if (filled.find(PresetCaptionsMarker) == std::string::npos)
            continue;
        std::string dropped;
        for (int k = 1; k <= PresetCaptionCount; ++k)
            indexTemplate.readLine(dropped);
        for (int k = 1; k <= PresetCaptionCount; ++k)
            page.writeLine(presetCaptionLine(k, k <= rows.count() ? presetCaptionValue(captionOf(k)) : ""));
    }
}

bool ScrapbookRun::writeEntryPage(int number) {
    std::string path = paths.familyFolder + "\\scrapbook_popup" + std::to_string(number) + ".html";
    PageFile page;
    if (!page.create(path)) {
        reportPageNotCreated(path);
        return false;
    }
    PageFields fields = photoPageFields(number);
    for (std::string line; entryTemplate.readLine(line);)
        page.writeLine(fillPlaceholders(line, fields));
    feedback.stepProgress();
    if (!page.close()) {
        reportPageNotCreated(path);
        return false;
    }
    entryTemplate.rewind();
    return true;
}
}  // namespace

void GenerateHTML(const std::string& albumPrefix, const ScrapbookContext& context) {
    ScrapbookRun(albumPrefix, context).run();
}
