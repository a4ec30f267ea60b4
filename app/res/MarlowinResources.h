// Registers every resource of Marlowin with the window system's resource
// tables: dialog templates, menu 2000, the string table and the skin bitmaps.
// The program calls it once at start-up, before the first window; calling it
// again replaces the entries with equal ones.
#pragma once

void RegisterMarlowinResources();
