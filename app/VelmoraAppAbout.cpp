#include "app/VelmoraApp.h"

#include "framework/Dialog.h"
#include "res/resource.h"

void CVelmoraApp::OnAppAbout() {
    fw::CDialog about(IDD_ABOUTBOX);
    about.runModal();
}
