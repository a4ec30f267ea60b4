// Registers the program's resources and the window classes its templates
// use, and makes the main window the window the application object runs
// modally. Once, before the first window.
#pragma once

void RegisterMainWindow();
