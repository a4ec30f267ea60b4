// Linked into a suite of the program for its comma-locale run: the process
// gets the locale the program's display start gives it (the user's locale
// with classic numbers), after the comma locale was seen to be there.
#include "platform/base/ProcessLocale.h"
#include "tests/locale/CommaLocale.h"

namespace {

const bool adopted = [] {
    if (!comma_locale::Requested())
        return false;
    comma_locale::AdoptEnvironmentLocale();
    UseUserLocaleWithClassicNumbers();
    return true;
}();

}  // namespace
