#include "app/CommandAvailability.h"

#include "res/resource.h"

bool commandEnabled(int command, const CommandContext& context) {
    const bool hasRows = context.rowCount >= 1;
    const bool hasSelection = context.selectedRow >= 0 && context.selectedRow < context.rowCount;
    const bool selectionIsFirst = hasSelection && context.selectedRow == 0;
    const bool selectionIsLast = hasSelection && context.selectedRow == context.rowCount - 1;
    switch (command) {
    case ID_FILE_OPEN_ALBUM:
    case ID_APP_EXIT:
    case ID_TOOLS_OPEN_FOLDER:
    case ID_TOOLS_OPTIONS:
    case ID_HELP_CONTENTS:
    case ID_HELP_INDEX:
    case ID_APP_ABOUT:
        return true;
    case ID_FILE_UPDATE_ALBUM:
    case ID_TOOLS_IMPORT_PHOTOS:
        return hasRows;
    case ID_FILE_VIEW_HTML:
        return hasRows && !context.browserAttached;
    case ID_MOVE_TOP:
    case ID_MOVE_UP:
        return hasSelection && !selectionIsFirst;
    case ID_MOVE_DOWN:
    case ID_MOVE_BOTTOM:
        return hasSelection && !selectionIsLast;
    case ID_TOOLS_TOGGLE_DELETE:
        return hasSelection;
    default:
        return false;
    }
}
