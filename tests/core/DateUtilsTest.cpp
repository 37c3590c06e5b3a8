#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "Utils/DateUtils.h"

namespace {

// Sets the time zone for one test and puts the previous one back.
class TimeZoneScope {
public:
    explicit TimeZoneScope(const char* zone) {
        if (const char* previous = std::getenv("TZ")) previous_ = previous;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZoneScope() {
        if (previous_)
            setenv("TZ", previous_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> previous_;
};

// A local time of the time zone in force.
DateUtils::Date local(int year, int month, int day, int hour, int minute = 0) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&fields));
}

struct DayRow {
    const char* name;
    const char* zone;
    DateUtils::Date (*date)();
    DateUtils::Date (*now)();
    const char* expected;
};

class DayTitles : public ::testing::TestWithParam<DayRow> {};

TEST_P(DayTitles, NameTheDayFromTheCalendarOfTheLocalTimeZone) {
    const DayRow& row = GetParam();
    const TimeZoneScope zone(row.zone);
    const DateUtils dates("C");
    EXPECT_EQ(dates.stringInNiceFormatFromDate(row.date(), row.now()), row.expected);
}

// Thursday 14 March 2024, mid-morning.
DateUtils::Date thursday() { return local(2024, 3, 14, 10); }

INSTANTIATE_TEST_SUITE_P(
    Days, DayTitles,
    ::testing::Values(DayRow{"Tomorrow", "UTC", [] { return local(2024, 3, 15, 0); }, thursday, "Tomorrow"},
                      DayRow{"TodayAtMidnight", "UTC", [] { return local(2024, 3, 14, 0); }, thursday, "Today"},
                      DayRow{"Yesterday", "UTC", [] { return local(2024, 3, 13, 0); }, thursday, "Yesterday"},
                      DayRow{"ThreeDaysAgo", "UTC", [] { return local(2024, 3, 11, 0); }, thursday, "Monday"},
                      DayRow{"SixDaysAgo", "UTC", [] { return local(2024, 3, 8, 0); }, thursday, "Friday"},
                      DayRow{"SevenDaysAgo", "UTC", [] { return local(2024, 3, 7, 0); }, thursday, "03/07/24"},
                      DayRow{"EightDaysAgo", "UTC", [] { return local(2024, 3, 6, 0); }, thursday, "03/06/24"},
                      DayRow{"TwoDaysAhead", "UTC", [] { return local(2024, 3, 16, 0); }, thursday, "03/16/24"},
                      // A day of 25 hours (summer time ends) is still one day.
                      DayRow{"YesterdayBeforeTheClocksWentBack", "Europe/Berlin", [] { return local(2024, 10, 26, 0); },
                             [] { return local(2024, 10, 27, 23, 30); }, "Yesterday"},
                      DayRow{"TodayJustBeforeMidnight", "America/New_York", [] { return local(2024, 3, 14, 0); },
                             [] { return local(2024, 3, 14, 23, 59); }, "Today"}),
    [](const ::testing::TestParamInfo<DayRow>& row) { return std::string(row.param.name); });

TEST(DayTitlesInALocale, UseItsWeekdayNamesAndShortDates) {
    const TimeZoneScope zone("UTC");
    locale_t german = newlocale(LC_TIME_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
    if (!german) GTEST_SKIP() << "no German locale on this system";
    freelocale(german);
    const DateUtils dates("de_DE.UTF-8");
    EXPECT_EQ(dates.stringInNiceFormatFromDate(local(2024, 3, 11, 0), thursday()), "Montag");
    EXPECT_EQ(dates.stringInNiceFormatFromDate(local(2024, 3, 6, 0), thursday()), "06.03.2024");
    EXPECT_EQ(dates.stringInNiceFormatFromDate(local(2024, 3, 13, 0), thursday()), "Yesterday");
}

}  // namespace
