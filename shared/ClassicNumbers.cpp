#include "ClassicNumbers.h"

ClassicNumberScope::ClassicNumberScope() {
    const locale_t current = uselocale(locale_t(0));
    const locale_t copy = duplocale(current);
    if (copy == locale_t(0))
        return;
    classic_ = newlocale(LC_NUMERIC_MASK, "C", copy);
    if (classic_ == locale_t(0)) {
        freelocale(copy);
        return;
    }
    previous_ = uselocale(classic_);
}

ClassicNumberScope::~ClassicNumberScope() {
    if (classic_ == locale_t(0))
        return;
    uselocale(previous_);
    freelocale(classic_);
}
