// The process's locale as a desktop program of the platform has it: the
// user's for texts, dates and messages, and the classic "C" conventions for
// numbers, so that printf, strtod and their wide forms always read and write
// '.' as the decimal point (recording positions, voltages and G values are
// exchanged as text with files, pages and the libraries).
#pragma once

// Sets every category from the environment, then the numeric one back to
// "C". Call it where a toolkit would set the locale, before other threads
// format numbers.
void UseUserLocaleWithClassicNumbers();
