// Parses, looks up and rewrites arbitrary bytes as a profile document. The
// first three bytes choose the section, the key and the value written (the
// text files of the corpus start with three such characters); the rest is the
// document. Checks that the written key reads back, that a second
// identical write changes nothing, and that no other line or key changed.
#include "config/ini_document.h"
#include "config/name_case.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::string_literals;
using qx::config::LookupIni;
using qx::config::WriteIni;

const std::string_view kSections[] = {"QXBETA", "Orvane55", "a", "\xE9t\xE9"};
const std::string_view kKeys[] = {"numrpt", "Nom", "REPEXE", "k", "\xC9"};
const std::string kValues[] = {
    "", "1", "  blanks around  ", "\"quoted\"", "line\r\nend\n", "nul\0after"s, std::string(300, 'v'), "=;[x]",
};

void Check(bool condition)
{
    if (!condition) std::abort();
}

std::vector<std::string_view> Lines(std::string_view document)
{
    std::vector<std::string_view> lines;
    while (!document.empty()) {
        const std::size_t lf = document.find('\n');
        std::string_view line = document.substr(0, lf);
        document = lf == std::string_view::npos ? std::string_view() : document.substr(lf + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

// The value as a reader sees it: up to a NUL, line ends as blanks, blanks
// trimmed, enclosing quotes removed.
std::string ReadBackForm(std::string_view value)
{
    std::string text(value.substr(0, value.find('\0')));
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    const std::size_t first = text.find_first_not_of(" \t");
    text = first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    return text;
}

// Apart from one rewritten entry, one added entry, or a section added at the
// end, `after` holds the lines of `before` unchanged and in order.
void CheckOnlyTheKeyChanged(std::string_view before, std::string_view after, std::string_view section,
                            std::string_view key)
{
    const auto old = Lines(before);
    const auto now = Lines(after);
    std::size_t same = 0;
    while (same < old.size() && same < now.size() && old[same] == now[same]) ++same;
    const auto tailEqual = [&](std::size_t oldFrom, std::size_t nowFrom) {
        if (old.size() - oldFrom != now.size() - nowFrom) return false;
        for (std::size_t i = 0; oldFrom + i < old.size(); ++i)
            if (old[oldFrom + i] != now[nowFrom + i]) return false;
        return true;
    };
    const std::string entry = std::string(key) + "=";
    if (same == old.size() && now.size() == old.size()) return; // the value was already stored
    if (now.size() == old.size()) {
        Check(same < old.size() && tailEqual(same + 1, same + 1));
        const auto rewritten = qx::config::ParseIniLine(now[same]);
        Check(rewritten.kind == qx::config::IniLineKind::Entry && qx::config::EqualIgnoringCase(rewritten.name, key));
        Check(now[same].substr(0, rewritten.valueStart) == old[same].substr(0, rewritten.valueStart));
    } else if (now.size() == old.size() + 1) {
        Check(tailEqual(same, same + 1) && now[same].starts_with(entry));
    } else {
        Check(now.size() == old.size() + 2 && same == old.size());
        Check(now[same] == "[" + std::string(section) + "]" && now[same + 1].starts_with(entry));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const std::string_view section = kSections[data[0] % std::size(kSections)];
    const std::string_view key = kKeys[data[1] % std::size(kKeys)];
    const std::string& value = kValues[data[2] % std::size(kValues)];
    const std::string_view document(reinterpret_cast<const char*>(data) + 3, size - 3);

    const auto written = WriteIni(document, section, key, value);
    Check(written.has_value());
    const auto readBack = LookupIni(*written, section, key);
    Check(readBack.has_value() && ReadBackForm(value) == *readBack);
    Check(WriteIni(*written, section, key, value) == written);
    CheckOnlyTheKeyChanged(document, *written, section, key);

    for (const std::string_view otherSection : kSections)
        for (const std::string_view otherKey : kKeys)
            if (otherSection != section || otherKey != key)
                Check(LookupIni(document, otherSection, otherKey) == LookupIni(*written, otherSection, otherKey));
    return 0;
}
