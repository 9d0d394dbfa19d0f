#include "reports/date_mask.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>
#include <utility>

namespace dg {

namespace {

struct DateFields {
    long long year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

long long FloorDivide(long long value, long long divisor) {
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// The proleptic Gregorian calendar, counted in eras of 400 years from 0000-03-01 so that the
// leap day ends each year.
DateFields Split(long long date) {
    DateFields fields;
    const long long days = FloorDivide(date, 86400);
    const long long seconds = date - days * 86400;
    fields.hour = static_cast<int>(seconds / 3600);
    fields.minute = static_cast<int>(seconds / 60 % 60);
    fields.second = static_cast<int>(seconds % 60);
    const long long fromMarch = days + 719468;
    const long long era = FloorDivide(fromMarch, 146097);
    const long long dayOfEra = fromMarch - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
    fields.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    fields.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    fields.year = yearOfEra + era * 400 + (fields.month <= 2 ? 1 : 0);
    return fields;
}

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

bool TokenAt(std::string_view rest, std::string_view token) {
    if (rest.size() < token.size())
        return false;
    for (std::size_t i = 0; i < token.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(rest[i])) != token[i])
            return false;
    return true;
}

} // namespace

std::string FormatDateMask(const std::string& mask, long long date) {
    const DateFields fields = Split(date);
    const std::string year = std::to_string(fields.year);
    const std::pair<std::string_view, std::string> tokens[] = {
        {"yyyy", year},
        {"yy", year.size() > 2 ? year.substr(2, 2) : std::string()},
        {"mm", TwoDigits(fields.month)},
        {"dd", TwoDigits(fields.day)},
        {"hh", TwoDigits(fields.hour)},
        {"ii", TwoDigits(fields.minute)},
        {"ss", TwoDigits(fields.second)},
    };
    std::string text;
    for (std::size_t at = 0; at < mask.size();) {
        if (mask[at] == '%') {
            const std::string_view rest = std::string_view(mask).substr(at + 1);
            const auto token = std::find_if(std::begin(tokens), std::end(tokens),
                                            [&](const auto& t) { return TokenAt(rest, t.first); });
            if (token != std::end(tokens)) {
                text += token->second;
                at += 1 + token->first.size();
                continue;
            }
        }
        text += mask[at++];
    }
    return text;
}

} // namespace dg
