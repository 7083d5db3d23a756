#include "app/VelmoraApp.h"

#include "ui/AboutDialog.h"

void CVelmoraApp::OnAppAbout() {
    CAboutDialog about;
    about.runModal();
}
