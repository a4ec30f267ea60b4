#include "shared/ClassicNumbers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Printed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// The thread's own locale writes decimal commas; within the scope numbers
// are classic, after it the thread has its locale again.
TEST(ClassicNumberScope, NumbersUseAPointWithinAndTheThreadsLocaleAfter) {
    const locale_t comma = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", locale_t(0));
    ASSERT_NE(comma, locale_t(0)) << "de_DE.UTF-8 comes with the package locales-all";
    const locale_t before = uselocale(comma);
    ASSERT_EQ(Printed(1.5), "1,50");
    {
        const ClassicNumberScope classic;
        EXPECT_EQ(Printed(1.5), "1.50");
        EXPECT_DOUBLE_EQ(std::atof("31.2504"), 31.2504);
        {
            const ClassicNumberScope nested;
            EXPECT_EQ(Printed(2.25), "2.25");
        }
        EXPECT_EQ(Printed(2.25), "2.25");
    }
    EXPECT_EQ(Printed(1.5), "1,50");
    EXPECT_EQ(uselocale(before), comma);
    freelocale(comma);
}

}  // namespace
