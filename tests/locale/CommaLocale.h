// The comma locale that a suite runs under when CTest's comma-locale entry
// starts it (cmake/Testing.cmake, dvr_add_comma_locale_run): LC_ALL names a
// locale whose decimal point is ','. Each mode sets the process's locale the
// way its deliverable meets it at run time, and stops the run at once when
// the named locale is missing, so that a pass always means a comma locale.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace comma_locale {

// The ordinary runs of the suite keep the locale they are given.
inline bool Requested() {
    return std::getenv("DVR_COMMA_LOCALE") != nullptr;
}

// Sets every category from the environment and checks that numbers now use
// a decimal comma.
inline void AdoptEnvironmentLocale() {
    if (std::setlocale(LC_ALL, "") == nullptr ||
        std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        const char* name = std::getenv("LC_ALL");
        std::fprintf(stderr, "the comma locale %s is not installed\n", name ? name : "(unset)");
        std::exit(2);
    }
}

}  // namespace comma_locale
