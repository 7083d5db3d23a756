#include "app/VelmoraView.h"

#include <htmlhelp.h>

#include "album/GameLocations.h"
#include "app/MainFrame.h"
#include "app/MainWindowTexts.h"
#include "diag/EventLog.h"
#include "framework/Text.h"
#include "platform/System.h"
#include "res/resource.h"

bool CVelmoraView::onCommand(int id) {
    switch (id) {
    case ID_FILE_OPEN_ALBUM: openAlbum(); return true;
    case ID_FILE_UPDATE_ALBUM: OnUpdateAlbum(); return true;
    case ID_FILE_VIEW_HTML: OnViewHtmlPages(); return true;
    case ID_TOOLS_IMPORT_PHOTOS: OnImportPhotos(); return true;
    case ID_MOVE_TOP: OnMoveTop(); return true;
    case ID_MOVE_UP: OnMoveUp(); return true;
    case ID_MOVE_DOWN: OnMoveDown(); return true;
    case ID_MOVE_BOTTOM: OnMoveBottom(); return true;
    case ID_TOOLS_TOGGLE_DELETE: OnToggleDeleteFlag(); return true;
    case ID_TOOLS_OPEN_FOLDER: OnOpenNeighborhoodFolder(); return true;
    case ID_TOOLS_OPTIONS: OnOptions(); return true;
    // F1 is bound to the help index; it opens the contents, as the Help menu shows beside it.
    case ID_HELP_CONTENTS:
    case ID_HELP_INDEX: OnHelpContents(); return true;
    default: return false;
    }
}

CommandContext CVelmoraView::commandContext() const {
    return CommandContext{rows.count(), selectedRow(), browserAttached()};
}

void CVelmoraView::openAlbum() {
    if (isAlbumChanged()) {
        if (!mainFrame().discardChangesConfirmed())
            return;
        if (settings.enableLogging)
            eventLog.writeLabeled("WARNING:", "Changes were made without applying them.");
    }
    int neighborhood = album.neighborhoodNumber;
    std::string familyName;
    std::string familyId;
    std::string familyLot;
    if (!chooseAlbum(neighborhood, familyName, familyId, familyLot))
        return;

    setAlbumChanged(0);
    closeBrowser();
    clearAlbumRows();

    album.neighborhoodNumber = neighborhood;
    album.familyId = familyId;
    album.familyLot = familyLot;
    album.familyName = familyName;
    album.albumPath = albumPathOf(album.gamePath, album.neighborhoodNumber);
    album.fileHeader = fileHeaderOf(album.familyName, album.familyId);
    if (settings.enableLogging) {
        eventLog.writeMessage("========== OPENING PHOTO ALBUM ==========");
        eventLog.writeLabeled("OPEN:", "Family Name = " + album.familyName);
        eventLog.writeLabeled("OPEN:", "Family Lot = " + album.familyLot);
        eventLog.writeLabeled("OPEN:", "Family ID = " + album.familyId);
        eventLog.writeLabeled("OPEN:", "Expected File Header = \"" + album.fileHeader + "\"");
    }
    loadAlbumContents();
    SetWindowTextA(mainFrame().handle(), mainWindowTitle(fw::loadString(IDR_MAINFRAME), album.familyName).c_str());
    refreshPreviewAndCaption();
}

void CVelmoraView::OnHelpContents() {
    std::string helpPath = programFolder() + "\\velmora.chm";
    HWND helpWindow = HtmlHelpA(nullptr, helpPath.c_str(), HH_DISPLAY_TOC, 0);
    if (helpWindow) {
        // The viewer's own system-menu item 0xEFFF is not offered from this program.
        DeleteMenu(GetSystemMenu(helpWindow, FALSE), 0xEFFF, MF_BYCOMMAND);
        return;
    }
    if (settings.enableLogging)
        eventLog.writeLabeled("ERROR:", "Cannot open help file: " + helpPath);
    messageBox("Error Opening Help File",
               "The program help file was either not found, or\ncannot be opened. The expected file path is:\n\n" +
                   helpPath,
               MB_ICONERROR);
}
