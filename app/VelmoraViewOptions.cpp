#include "app/VelmoraView.h"

#include "diag/OpenEventLog.h"
#include "ui/OptionsDlg.h"

// The settings change for the rest of the run at once; they reach the registry at exit.
void CVelmoraView::OnOptions() {
    const int loggingBefore = settings.enableLogging;
    COptionsDlg dialog;
    dialog.deleteOnly = settings.deleteOnly;
    dialog.showOpen = settings.showOpen;
    dialog.enableHtml = settings.enableHtml;
    dialog.enableLogging = settings.enableLogging;
    if (dialog.runModal() != IDOK)
        return;
    settings.deleteOnly = dialog.deleteOnly;
    settings.showOpen = dialog.showOpen;
    settings.enableHtml = dialog.enableHtml;
    settings.enableLogging = dialog.enableLogging;
    // Logging switched on starts the log now; switched off, the writers simply stop writing.
    if (loggingBefore == 0 && settings.enableLogging == 1)
        openEventLog(settings.enableLogging, *this);
}
