// INI text lookup and update: a line scanner shared by both directions.
#include "host/ini_text.h"

#include "app/settings.h"

#include <cstddef>

namespace zintu {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    }
    return true;
}

// One line of the text: its bytes without the line end, and where the next
// line starts.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
    bool has_newline = false;
};

enum class LineKind { Blank, Section, Key, Other };

struct Parsed {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section name or key
    std::string_view value; // key lines only
};

Parsed parse_line(std::string_view content) {
    const std::string_view t = trim(content);
    if (t.empty()) return {LineKind::Blank, {}, {}};
    if (t.front() == '[') {
        // A section runs to ']' or, without one, to the line's end: a broken
        // header still ends the section before it.
        std::string_view name = t.substr(1);
        const std::size_t close = name.find(']');
        if (close != std::string_view::npos) name = name.substr(0, close);
        return {LineKind::Section, trim(name), {}};
    }
    if (t.front() == ';' || t.front() == '#') return {LineKind::Other, {}, {}};
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return {LineKind::Other, {}, {}};
    return {LineKind::Key, trim(t.substr(0, eq)), t.substr(eq + 1)};
}

// Calls `visit(line, parsed)` for each line until it returns false.
template <typename Visit>
void for_each_line(std::string_view text, Visit visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        const std::size_t nl = text.find('\n', pos);
        line.has_newline = nl != std::string_view::npos;
        line.end = line.has_newline ? nl : text.size();
        line.next = line.has_newline ? nl + 1 : text.size();
        if (line.end > line.begin && text[line.end - 1] == '\r') --line.end;
        if (!visit(line, parse_line(text.substr(line.begin, line.end - line.begin)))) return;
        pos = line.next;
    }
}

// What a scan for one key of one section found.
struct KeyScan {
    bool section_found = false;
    std::optional<Line> key_line;
    std::string_view value;
    Line last_section_line; // last non-blank line of the section (header included)
};

KeyScan scan(std::string_view text, std::string_view section, std::string_view key) {
    KeyScan found;
    bool inside = false;
    for_each_line(text, [&](const Line& line, const Parsed& parsed) {
        if (parsed.kind == LineKind::Section) {
            if (found.section_found) return false; // only the first match counts
            inside = same_name(parsed.name, section);
            if (inside) {
                found.section_found = true;
                found.last_section_line = line;
            }
            return true;
        }
        if (!inside) return true;
        if (parsed.kind != LineKind::Blank) found.last_section_line = line;
        if (parsed.kind == LineKind::Key && same_name(parsed.name, key)) {
            found.key_line = line;
            found.value = parsed.value;
            return false;
        }
        return true;
    });
    return found;
}

} // namespace

std::optional<std::string> ini_value(std::string_view text, std::string_view section,
                                     std::string_view key, std::size_t limit) {
    const KeyScan found = scan(text, section, key);
    if (!found.key_line) return std::nullopt;
    std::string_view value = found.value;
    // The profile buffer is a C string: a NUL byte ends the value.
    value = value.substr(0, value.find('\0'));
    value = trim(value);
    return std::string(value.substr(0, limit));
}

std::string ini_with_value(std::string_view text, std::string_view section, std::string_view key,
                           std::string_view value) {
    const std::string_view eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    std::string entry = std::string(key) + "=" + std::string(value);
    const KeyScan found = scan(text, section, key);
    std::string out;
    if (found.key_line) {
        out.append(text.substr(0, found.key_line->begin));
        out.append(entry);
        out.append(text.substr(found.key_line->end));
        return out;
    }
    if (found.section_found) {
        const Line& after = found.last_section_line;
        out.append(text.substr(0, after.next));
        if (!after.has_newline) out.append(eol);
        out.append(entry).append(eol);
        out.append(text.substr(after.next));
        return out;
    }
    out.append(text);
    if (!out.empty()) {
        if (out.back() != '\n') out.append(eol);
        out.append(eol);
    }
    out.append("[").append(section).append("]").append(eol);
    out.append(entry).append(eol);
    return out;
}

} // namespace zintu
