#include "reports/date_mask.h"
#include "reports/report_name.h"

#include "platform/system.h"
#include "unit_support.h"

#include <gtest/gtest.h>

#include <ctime>

namespace dg {
namespace {

constexpr long long LeapDayAfternoon = 1709211909; // 2024-02-29 13:05:09

TEST(DateMask, TokensInEitherCaseAndEverythingElseCopied) {
    const struct {
        const char* mask;
        long long date;
        const char* text;
    } cases[] = {
        {"%dd%mm%yyyy", LeapDayAfternoon, "29022024"},
        {"%hh%ii%ss", LeapDayAfternoon, "130509"},
        {"%YY-%Mm-%dD %Hh:%iI:%SS", LeapDayAfternoon, "24-02-29 13:05:09"},
        // "%yyyy" is tried before "%yy"; a "%" before no token stays.
        {"%yyy 100% %x %%dd %", LeapDayAfternoon, "24y 100% %x %29 %"},
        {"%dd.%mm.%yyyy %hh:%ii:%ss", 0, "01.01.1970 00:00:00"},
        {"%dd.%mm.%yyyy %hh:%ii:%ss", -1, "31.12.1969 23:59:59"},
        {"%dd.%mm.%yyyy %hh:%ii:%ss", 951868799, "29.02.2000 23:59:59"},
        // Short years: "%yy" is the third and fourth character, as far as there are any.
        {"%yyyy|%yy|%dd%mm", -30610224001, "999|9|3112"},
        {"%yyyy|%yy|%dd%mm", -62004268800, "5||0103"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateMask(c.mask, c.date), c.text) << c.mask << " " << c.date;
}

TEST(DateMask, ReportNameHasTheTimeBeforeTheDate) {
    EXPECT_EQ(ReportFileName(LeapDayAfternoon, ".html"), "Digestorium 130509_29022024.html");
    EXPECT_EQ(ReportFileName(0, ".txt"), "Digestorium 000000_01011970.txt");
}

#ifndef _WIN32
// The value carries the local clock's fields, whatever the zone.
TEST(DateMask, SystemLocalDateIsTheLocalClock) {
    long long start = 0, local = 0, end = 0;
    {
        const test::ScopedVariable zone("TZ", "XYZ-5"); // five hours east of UTC
        tzset();
        start = std::time(nullptr);
        local = SystemLocalDate();
        end = std::time(nullptr);
    }
    tzset();
    EXPECT_GE(local - 5 * 3600, start);
    EXPECT_LE(local - 5 * 3600, end);
}
#endif

} // namespace
} // namespace dg
