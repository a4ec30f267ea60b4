#include "ProcessLocale.h"

#include <clocale>

void UseUserLocaleWithClassicNumbers() {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
}
