#pragma once

#include <chrono>
#include <clocale>
#include <string>

// The title of a day in the history: "Tomorrow", "Today" or "Yesterday" (localized), the
// weekday's name for two to six days ago, and the short date before that, in the user's
// locale for dates. Days are calendar days of the local time zone, so a day of 23 or 25 hours
// counts as one day.
class DateUtils {
public:
    using Date = std::chrono::system_clock::time_point;

    // The formatter of the process, in the user's locale for dates (LC_ALL, LC_TIME, LANG).
    static const DateUtils& sharedInstance();
    // A formatter in a locale of its own ("de_DE.UTF-8"); the "C" locale when the system has
    // no such locale.
    explicit DateUtils(const std::string& localeName);
    ~DateUtils();
    DateUtils(const DateUtils&) = delete;
    DateUtils& operator=(const DateUtils&) = delete;

    static std::string stringInNiceFormatFromDate(Date date);
    // Measured from the day of `now` instead of the present moment.
    std::string stringInNiceFormatFromDate(Date date, Date now) const;

private:
    std::string formatted(const char* format, Date date) const;

    locale_t locale_;
};
