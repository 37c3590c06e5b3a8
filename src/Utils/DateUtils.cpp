#include "Utils/DateUtils.h"

#include <array>
#include <ctime>

#include "Platform/Core/Localized.h"

namespace {

std::tm localTime(DateUtils::Date date) {
    const std::time_t time = std::chrono::system_clock::to_time_t(date);
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

// Days since the epoch of the local calendar day that holds the date.
std::chrono::sys_days localDay(DateUtils::Date date) {
    const std::tm local = localTime(date);
    return std::chrono::sys_days(std::chrono::year(local.tm_year + 1900) /
                                 std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)) /
                                 std::chrono::day(static_cast<unsigned>(local.tm_mday)));
}

}  // namespace

const DateUtils& DateUtils::sharedInstance() {
    static const DateUtils formatter("");
    return formatter;
}

DateUtils::DateUtils(const std::string& localeName) {
    locale_ = newlocale(LC_TIME_MASK, localeName.c_str(), static_cast<locale_t>(nullptr));
    if (!locale_) locale_ = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
}

DateUtils::~DateUtils() {
    if (locale_) freelocale(locale_);
}

std::string DateUtils::stringInNiceFormatFromDate(Date date) {
    return sharedInstance().stringInNiceFormatFromDate(date, std::chrono::system_clock::now());
}

std::string DateUtils::stringInNiceFormatFromDate(Date date, Date now) const {
    // Tomorrow appears when the clock has been moved back since the step was made.
    const auto daysAgo = (localDay(now) - localDay(date)).count();
    switch (daysAgo) {
        case -1: return Localized::string("Tomorrow");
        case 0: return Localized::string("Today");
        case 1: return Localized::string("Yesterday");
        default: break;
    }
    if (daysAgo >= 2 && daysAgo <= 6) return formatted("%A", date);
    return formatted("%x", date);
}

std::string DateUtils::formatted(const char* format, Date date) const {
    const std::tm local = localTime(date);
    std::array<char, 128> text{};
    const size_t length = locale_ ? strftime_l(text.data(), text.size(), format, &local, locale_)
                                  : std::strftime(text.data(), text.size(), format, &local);
    return std::string(text.data(), length);
}
