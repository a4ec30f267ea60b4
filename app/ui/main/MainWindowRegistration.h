// Makes the main window the window the application object runs modally.
#pragma once

void RegisterMainWindow();
