#pragma once
// Resource, command and control identifiers of the program. Plain numbers, so that the resource
// compiler, the program and its tests (native ones included) share them.

// Main window: menu, accelerators, toolbar, program icon and title string.
#define IDR_MAINFRAME 128

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_VELMORA_FORM 101
#define IDD_OPEN_ALBUM 130
#define IDD_OPTIONS 131
#define IDD_IMPORT_PHOTOS 135
#define IDD_ERROR_PROMPT 139

// Icons and bitmaps.
#define IDI_ROW_KEPT 132
#define IDI_ROW_FLAGGED 133
#define IDB_ABOUT_BANNER 136
#define IDI_PROGRAM_ERROR 142
#define IDB_TOOLBAR_HOT 143
#define IDB_TOOLBAR 144

// Commands.
#define ID_FILE_OPEN_ALBUM 32771
#define ID_FILE_VIEW_HTML 32773
#define ID_TOOLS_IMPORT_PHOTOS 32774
#define ID_TOOLS_OPTIONS 32775
#define ID_MOVE_TOP 32776
#define ID_MOVE_UP 32777
#define ID_MOVE_DOWN 32778
#define ID_MOVE_BOTTOM 32779
#define ID_TOOLS_TOGGLE_DELETE 32780
#define ID_HELP_CONTENTS 32783
#define ID_TOOLS_OPEN_FOLDER 32784
#define ID_FILE_UPDATE_ALBUM 57610
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_INDEX 57666

// Status bar: the photo-count pane and its sizing string.
#define ID_INDICATOR_PHOTOS 61204

// Strings of the framework: the application title (also the settings key name) and the idle text.
#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345

// Controls of the main form.
#define IDC_PROGRESS 1001
#define IDC_ALBUM_LIST 1010
#define IDC_CAPTION 1018
#define IDC_PREVIEW_FRAME 1022
#define IDC_PREVIEW_LABEL 1028

// Controls of Program Options (dialog 131).
#define IDC_OPTION_SHOW_OPEN 1000
#define IDC_OPTION_ENABLE_LOGGING 1008
#define IDC_OPTION_ENABLE_HTML 1025
#define IDC_OPTION_DELETE_ONLY 1035

// Controls of Import Photos (dialog 135).
#define IDC_IMPORT_NEIGHBORHOOD 1000
#define IDC_IMPORT_AVAILABLE 1002
#define IDC_IMPORT_PREVIEW_FRAME 1003
#define IDC_IMPORT_SELECTED 1005
#define IDC_IMPORT_HOW_TO 1007

// Controls of About Velmora (dialog 100).
#define IDC_ABOUT_MAIL_LINK 1000
#define IDC_ABOUT_SITE_LINK 1001
