#include "pdf_pages.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <algorithm>
#include <sstream>

namespace qx::test {

namespace {

std::string Quote(const std::string& s)
{
    std::string quoted = "'";
    for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Run(const std::string& command)
{
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return output;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) output.append(buffer, n);
    return output;
}

std::string Unescape(std::string s)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities) {
        for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1)) {
            s.replace(at, std::char_traits<char>::length(from), to);
        }
    }
    return s;
}

} // namespace

std::vector<std::vector<PdfWord>> ReadPdfWords(const std::filesystem::path& pdf)
{
    const std::string html = Run("pdftotext -bbox " + Quote(pdf.string()) + " - 2>/dev/null");
    std::vector<std::vector<PdfWord>> pages;
    const auto attribute = [](const std::string& line, const std::string& name) {
        const std::size_t at = line.find(name + "=\"");
        return at == std::string::npos ? 0.0 : std::stod(line.substr(at + name.size() + 2));
    };
    std::istringstream lines(html);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("<page ") != std::string::npos) pages.emplace_back();
        const std::size_t word = line.find("<word ");
        if (pages.empty() || word == std::string::npos) continue;
        const std::size_t textStart = line.find('>', word) + 1;
        const std::size_t textEnd = line.find("</word>", textStart);
        pages.back().push_back({attribute(line, "xMin"), attribute(line, "yMin"), attribute(line, "xMax"),
                                attribute(line, "yMax"), Unescape(line.substr(textStart, textEnd - textStart))});
    }
    return pages;
}

std::map<int, std::string> RowsOf(const std::vector<PdfWord>& words, double dpi, int lineHeight, double topOffset)
{
    std::map<int, std::vector<const PdfWord*>> grouped;
    for (const PdfWord& w : words) {
        // The middle of the word's box lies inside its row.
        const double middle = ((w.yMin + w.yMax) / 2 - topOffset) * dpi / 72.0;
        grouped[static_cast<int>(std::floor(middle / lineHeight))].push_back(&w);
    }
    std::map<int, std::string> rows;
    for (auto& [row, list] : grouped) {
        std::sort(list.begin(), list.end(), [](const PdfWord* a, const PdfWord* b) { return a->xMin < b->xMin; });
        std::string text;
        for (const PdfWord* w : list) text += (text.empty() ? "" : " ") + w->text;
        rows[row] = text;
    }
    return rows;
}

std::vector<std::string> ReadPdfLayoutText(const std::filesystem::path& pdf)
{
    const std::string text = Run("pdftotext -layout " + Quote(pdf.string()) + " - 2>/dev/null");
    std::vector<std::string> pages;
    std::string page;
    for (char c : text) {
        if (c == '\f') {
            pages.push_back(page);
            page.clear();
        } else {
            page += c;
        }
    }
    if (!page.empty()) pages.push_back(page);
    return pages;
}

RenderedPage RenderPdfPage(const std::filesystem::path& pdf, int page, int dpi, const std::string& pngPrefix)
{
    const std::string range = " -f " + std::to_string(page) + " -l " + std::to_string(page) + " -r " + std::to_string(dpi);
    if (!pngPrefix.empty()) {
        Run("pdftoppm -png -singlefile" + range + " " + Quote(pdf.string()) + " " + Quote(pngPrefix) + " 2>/dev/null");
    }
    const std::string ppm = Run("pdftoppm -singlefile" + range + " " + Quote(pdf.string()) + " 2>/dev/null");
    RenderedPage rendered;
    std::istringstream in(ppm);
    std::string magic;
    int maxValue = 0;
    in >> magic >> rendered.width >> rendered.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || rendered.width <= 0 || rendered.height <= 0) return {};
    rendered.rgb.resize(static_cast<std::size_t>(rendered.width) * rendered.height * 3);
    in.read(reinterpret_cast<char*>(rendered.rgb.data()), static_cast<std::streamsize>(rendered.rgb.size()));
    if (in.gcount() != static_cast<std::streamsize>(rendered.rgb.size())) return {};
    return rendered;
}

int PdfPageCount(const std::filesystem::path& pdf)
{
    const std::string info = Run("pdfinfo " + Quote(pdf.string()) + " 2>/dev/null");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

} // namespace qx::test
