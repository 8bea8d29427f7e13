#pragma once

// Reads printed PDF files back with poppler's command line tools: the words
// of each page with their positions, and a page rendered to pixels.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qx::test {

struct PdfWord {
    double xMin = 0; // points from the sheet's top-left corner
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    std::string text; // UTF-8
};

// The words of every page, in reading order (pdftotext -bbox).
std::vector<std::vector<PdfWord>> ReadPdfWords(const std::filesystem::path& pdf);

// Words grouped into printed rows: a row's number is its top in printer
// pixels divided by `lineHeight`, counted from the top of the printable area
// (`topOffset` points below the sheet's edge). Words of a row are joined by
// one blank.
std::map<int, std::string> RowsOf(const std::vector<PdfWord>& words, double dpi, int lineHeight, double topOffset);

// The layout text of every page (pdftotext -layout), UTF-8.
std::vector<std::string> ReadPdfLayoutText(const std::filesystem::path& pdf);

struct RenderedPage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // three bytes a pixel, top row first

    const unsigned char* At(int x, int y) const { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
};

// Page `page` (from 1) rendered at `dpi` (pdftoppm); also written as PNG
// beside `pngPrefix` when it is not empty, for a person to look at.
RenderedPage RenderPdfPage(const std::filesystem::path& pdf, int page, int dpi, const std::string& pngPrefix = {});

int PdfPageCount(const std::filesystem::path& pdf);

} // namespace qx::test
