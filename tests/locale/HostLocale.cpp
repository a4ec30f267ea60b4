// Linked into a library's suite for its comma-locale run: the whole process
// uses the comma locale, as a host that set its locale from the environment
// would, so the library must read and write its numbers without it.
#include "tests/locale/CommaLocale.h"

namespace {

const bool adopted = [] {
    if (!comma_locale::Requested())
        return false;
    comma_locale::AdoptEnvironmentLocale();
    return true;
}();

}  // namespace
