#include "config/ini_document.h"

#include "config/name_case.h"

namespace qx::config {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

// Walks the lines of a document; a line's LF and one CR before it are not
// part of it. A document ending with a line end has no empty last line.
class LineCursor {
public:
    explicit LineCursor(std::string_view document) : m_rest(document) {}

    bool Next(std::string_view& line)
    {
        if (m_rest.empty()) return false;
        const std::size_t lf = m_rest.find('\n');
        line = m_rest.substr(0, lf);
        m_rest = lf == std::string_view::npos ? std::string_view() : m_rest.substr(lf + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return true;
    }

private:
    std::string_view m_rest;
};

// Where a key of a section is, or would go, in a document (line indices).
struct EntryPlace {
    std::optional<std::size_t> entry;        // the first matching entry
    std::optional<std::size_t> insertAfter;  // last entry of the section's first block, or its header
};

EntryPlace FindEntryPlace(std::string_view document, std::string_view section, std::string_view key)
{
    EntryPlace place;
    enum class Block { Outside, First, Later } block = Block::Outside;
    bool seenSection = false;
    LineCursor cursor(document);
    std::string_view text;
    for (std::size_t index = 0; cursor.Next(text); ++index) {
        const IniLine line = ParseIniLine(text);
        if (line.kind == IniLineKind::Section) {
            const bool matches = EqualIgnoringCase(line.name, section);
            block = !matches ? Block::Outside : seenSection ? Block::Later : Block::First;
            if (matches && !seenSection) place.insertAfter = index;
            seenSection = seenSection || matches;
            continue;
        }
        if (block == Block::Outside || line.kind != IniLineKind::Entry) continue;
        if (block == Block::First) place.insertAfter = index;
        if (!place.entry && EqualIgnoringCase(line.name, key)) place.entry = index;
    }
    return place;
}

bool IsStorableName(std::string_view name, std::string_view forbidden)
{
    return !name.empty() && Trim(name) == name && name.find_first_of(forbidden) == std::string_view::npos;
}

std::string StorableValue(std::string_view value)
{
    std::string stored(value.substr(0, value.find('\0')));
    for (char& c : stored)
        if (c == '\r' || c == '\n') c = ' ';
    return stored;
}

} // namespace

IniLine ParseIniLine(std::string_view line)
{
    IniLine parsed;
    const std::string_view content = Trim(line);
    if (content.empty()) return parsed;
    if (content.front() == ';') {
        parsed.kind = IniLineKind::Comment;
        return parsed;
    }
    if (content.front() == '[') {
        parsed.kind = IniLineKind::Section;
        parsed.name = Trim(content.substr(1, content.find(']') - 1));
        return parsed;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return parsed;
    parsed.kind = IniLineKind::Entry;
    parsed.name = Trim(line.substr(0, equals));
    parsed.value = Unquote(Trim(line.substr(equals + 1)));
    parsed.valueStart = equals + 1;
    return parsed;
}

std::optional<std::string_view> LookupIni(std::string_view document, std::string_view section, std::string_view key)
{
    const std::string_view wantedSection = Trim(section);
    const std::string_view wantedKey = Trim(key);
    bool inSection = false;
    LineCursor cursor(document);
    std::string_view text;
    while (cursor.Next(text)) {
        const IniLine line = ParseIniLine(text);
        if (line.kind == IniLineKind::Section)
            inSection = EqualIgnoringCase(line.name, wantedSection);
        else if (inSection && line.kind == IniLineKind::Entry && EqualIgnoringCase(line.name, wantedKey))
            return line.value;
    }
    return std::nullopt;
}

std::optional<std::string> WriteIni(std::string_view document, std::string_view section, std::string_view key,
                                    std::string_view value)
{
    using namespace std::string_view_literals;
    if (!IsStorableName(section, "\r\n\0]"sv) || !IsStorableName(key, "\r\n\0="sv)) return std::nullopt;
    if (key.front() == ';' || key.front() == '[') return std::nullopt;

    const std::string newValue = StorableValue(value);
    const EntryPlace place = FindEntryPlace(document, section, key);

    std::string result;
    result.reserve(document.size() + document.size() / 16 + section.size() + key.size() + newValue.size() + 16);
    const auto appendEntry = [&] {
        result.append(key).append("=").append(newValue).append(kLineEnd);
    };
    LineCursor cursor(document);
    std::string_view text;
    for (std::size_t index = 0; cursor.Next(text); ++index) {
        if (place.entry == index)
            result.append(text.substr(0, ParseIniLine(text).valueStart)).append(newValue);
        else
            result.append(text);
        result.append(kLineEnd);
        if (!place.entry && place.insertAfter == index) appendEntry();
    }
    if (!place.insertAfter) {
        result.append("[").append(section).append("]").append(kLineEnd);
        appendEntry();
    }
    return result;
}

} // namespace qx::config
