#include <windows.h>

#include "app/VelmoraApp.h"

// The one application object, made before WinMain runs.
CVelmoraApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return theApp.run(instance, showCommand); }
