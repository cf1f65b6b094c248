// POSIX TZ rules: parsing and the offset at an instant, in 64-bit civil-day
// arithmetic.
#include "network/tz_rule.h"

#include "network/civil_date.h"

namespace zintu {
namespace {

constexpr int64_t kDay = 86400;
// Offsets run to ±24 h; a transition's time of day to ±167 h.
constexpr int32_t kMaxOffset = 24 * 3600;
constexpr int32_t kMaxTransitionTime = 167 * 3600;

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool done() const { return pos_ == text_.size(); }
    char peek() const { return done() ? '\0' : text_[pos_]; }
    bool take(char c) {
        if (peek() != c) return false;
        ++pos_;
        return true;
    }

    // A zone abbreviation: three or more letters, or "<...>" of letters,
    // digits and signs.
    bool name() {
        if (take('<')) {
            std::size_t length = 0;
            while (!done() && peek() != '>') {
                const char c = peek();
                if (!is_alpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-') return false;
                ++pos_;
                ++length;
            }
            return take('>') && length >= 3;
        }
        std::size_t length = 0;
        while (is_alpha(peek())) {
            ++pos_;
            ++length;
        }
        return length >= 3;
    }

    // Whole digits, at most `max_digits` of them.
    bool number(int max_digits, int32_t& out) {
        out = 0;
        int digits = 0;
        while (peek() >= '0' && peek() <= '9') {
            if (++digits > max_digits) return false;
            out = out * 10 + (peek() - '0');
            ++pos_;
        }
        return digits > 0;
    }

    // [+|-]hh[:mm[:ss]] as seconds, at most `limit` either way.
    bool duration(int32_t limit, int32_t& out) {
        const bool negative = take('-');
        if (!negative) take('+');
        int32_t hours = 0, minutes = 0, seconds = 0;
        if (!number(3, hours)) return false;
        if (take(':')) {
            if (!number(2, minutes) || minutes > 59) return false;
            if (take(':') && (!number(2, seconds) || seconds > 59)) return false;
        }
        out = hours * 3600 + minutes * 60 + seconds;
        if (out > limit) return false;
        if (negative) out = -out;
        return true;
    }

    bool transition(TzTransition& t) {
        int32_t value = 0;
        if (take('J')) {
            if (!number(3, value) || value < 1 || value > 365) return false;
            t.kind = TzTransition::Kind::JulianNoLeap;
            t.day = static_cast<int16_t>(value);
        } else if (take('M')) {
            int32_t week = 0, weekday = 0;
            if (!number(2, value) || value < 1 || value > 12 || !take('.') || !number(1, week) ||
                week < 1 || week > 5 || !take('.') || !number(1, weekday) || weekday > 6) {
                return false;
            }
            t.kind = TzTransition::Kind::MonthWeekDay;
            t.month = static_cast<int8_t>(value);
            t.week = static_cast<int8_t>(week);
            t.weekday = static_cast<int8_t>(weekday);
        } else {
            if (!number(3, value) || value > 365) return false;
            t.kind = TzTransition::Kind::ZeroBased;
            t.day = static_cast<int16_t>(value);
        }
        t.time = 7200;
        return !take('/') || duration(kMaxTransitionTime, t.time);
    }

private:
    static bool is_alpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool is_leap(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int64_t floor_div(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Day number (since 1970-01-01) of the transition's day in `year`.
int64_t transition_day(const TzTransition& t, int64_t year) {
    const int64_t january_first = days_from_civil(year, 1, 1);
    switch (t.kind) {
    case TzTransition::Kind::JulianNoLeap:
        return january_first + t.day - 1 + (is_leap(year) && t.day >= 60 ? 1 : 0);
    case TzTransition::Kind::ZeroBased:
        return january_first + t.day;
    case TzTransition::Kind::MonthWeekDay:
        break;
    }
    const int64_t first = days_from_civil(year, t.month, 1);
    const int64_t first_weekday = ((first % 7) + 7 + 4) % 7; // 1970-01-01 was a Thursday
    int64_t day = first + (t.weekday - first_weekday + 7) % 7 + 7 * (t.week - 1);
    const int64_t next_month =
        t.month == 12 ? days_from_civil(year + 1, 1, 1) : days_from_civil(year, t.month + 1, 1);
    while (day >= next_month)
        day -= 7;
    return day;
}

} // namespace

std::optional<TzRule> parse_tz_rule(std::string_view text) {
    Reader r(text);
    TzRule rule;
    int32_t offset = 0;
    // Offsets in the text count west of Greenwich.
    if (!r.name() || !r.duration(kMaxOffset, offset)) return std::nullopt;
    rule.std_offset = -offset;
    if (r.done()) return rule;
    if (!r.name()) return std::nullopt;
    rule.has_dst = true;
    rule.dst_offset = rule.std_offset + 3600;
    if (r.peek() != ',' && !r.done()) {
        if (!r.duration(kMaxOffset, offset)) return std::nullopt;
        rule.dst_offset = -offset;
    }
    if (r.done()) {
        // No dates: the rule the format names as the default.
        rule.start = {TzTransition::Kind::MonthWeekDay, 0, 3, 2, 0, 7200};
        rule.end = {TzTransition::Kind::MonthWeekDay, 0, 11, 1, 0, 7200};
        return rule;
    }
    if (!r.take(',') || !r.transition(rule.start) || !r.take(',') || !r.transition(rule.end) ||
        !r.done()) {
        return std::nullopt;
    }
    return rule;
}

int32_t utc_offset_at(const TzRule& rule, int64_t epoch, bool* is_dst) {
    if (is_dst) *is_dst = false;
    if (!rule.has_dst) return rule.std_offset;
    const int64_t year = civil_from_days(floor_div(epoch + rule.std_offset, kDay)).year;
    // The start is given in standard time, the end in daylight-saving time.
    const int64_t start =
        transition_day(rule.start, year) * kDay + rule.start.time - rule.std_offset;
    const int64_t end = transition_day(rule.end, year) * kDay + rule.end.time - rule.dst_offset;
    const bool dst =
        start < end ? (epoch >= start && epoch < end) : (epoch < end || epoch >= start);
    if (is_dst) *is_dst = dst;
    return dst ? rule.dst_offset : rule.std_offset;
}

} // namespace zintu
