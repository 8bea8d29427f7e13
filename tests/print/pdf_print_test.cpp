// The report printed to PDF files through the Qt printer, read back with
// poppler's tools.

#include "platform/qt/printer/qt_printer.h"
#include "print/print_job.h"
#include "print/report_font.h"

#include "pdf_pages.h"
#include "print_fixtures.h"
#include "support/report_record_builder.h"
#include "support/scratch_dir.h"
#include "text/cp1252.h"

#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace qx::print {
namespace {

using platform::qt::QtPrinter;

constexpr int kDpi = 1200;

std::unique_ptr<QtPrinter> A4Pdf(const std::string& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                       QPageLayout::Millimeter));
    return std::make_unique<QtPrinter>(std::move(printer));
}

// The line height the report's font gets on `printer`.
int ReportLineHeight(QtPrinter& printer)
{
    auto font = printer.CreateFont(ReportFontSpec(printer.GetDeviceCaps(platform::DeviceCap::LogPixelsY)));
    printer.SelectFont(font.get());
    const platform::TextMetrics metrics = printer.GetTextMetrics();
    printer.SelectFont(nullptr);
    return metrics.height + metrics.externalLeading;
}

// Top of the printable area in points from the sheet's edge.
double TopOffsetPoints(QtPrinter& printer)
{
    return printer.Device().pageLayout().paintRect(QPageLayout::Point).top();
}

// Words such as "A01" or "B100": product codes.
int CountCodes(const std::string& row)
{
    int codes = 0;
    std::istringstream words(row);
    for (std::string w; words >> w;) {
        const bool digits = w.size() >= 3 && w.size() <= 4 &&
                            std::all_of(w.begin() + 1, w.end(), [](char c) { return c >= '0' && c <= '9'; });
        if ((w[0] == 'A' || w[0] == 'B') && digits) ++codes;
    }
    return codes;
}

std::string U(std::string_view cp1252)
{
    return text::Cp1252ToUtf8(cp1252);
}

CReportRecord ThirteenFileRecord()
{
    test::ReportRecordBuilder r;
    r.Name("Martin Dupont")
        .Company(text::Utf8ToCp1252("Société Exemple"))
        .Serial("123456")
        .Address("12 rue des Lilas", "69003", "Lyon")
        .Phone("04 72 00 00 01")
        .Fax("04 72 00 00 02")
        .Email("martin@example.fr")
        .Description("First paragraph.\r\n\r\nSecond paragraph.")
        .Steps("Open a project.\r\nPress F9.")
        .Answers(-1, 1)
        .WindowsVersion("Linux 6.1.0 Debian GNU/Linux 12")
        .Dll16("Aucune\r\n")
        .Modules32("QXRUN.EXE                                               5.50            1\r\n");
    // Twelve executables and one DLL the table knows, one file it does not.
    std::string executables;
    for (int i = 1; i <= 12; ++i) {
        const std::string name = "QXEXE" + std::to_string(i) + ".EXE";
        executables += name + " 5.50\r\n";
        r.ProductCode(name, (i < 10 ? "A0" : "A") + std::to_string(i));
    }
    r.ExeOnDisk(executables + "NOTQX.EXE 1.0\r\n").DllOnDisk("QXDLL.DLL 5.5a\r\n").ProductCode("QXDLL.DLL", "B100");
    return r.Build();
}

class PdfPrint : public ::testing::Test {
protected:
    std::string Output(const std::string& name) const
    {
        const char* keep = std::getenv("QX_PRINT_KEEP_DIR");
        return keep != nullptr && *keep != '\0' ? std::string(keep) + "/" + name : scratch.File(name);
    }
    test::ScratchDir scratch;
};

TEST_F(PdfPrint, HeaderOnEveryPageBodyOnRowEightAndEveryRowOfTheForm)
{
    CReportRecord record = ThirteenFileRecord();
    record.m_strComments = test::NumberedLines(150);
    test::PinnedHeader header(record, "0042");
    const std::string path = Output("report.pdf");
    auto printer = A4Pdf(path);
    const int lineHeight = ReportLineHeight(*printer);
    const double top = TopOffsetPoints(*printer);
    ASSERT_GT(lineHeight, 0);
    const int lastRow = printer->GetDeviceCaps(platform::DeviceCap::VertRes) / lineHeight - 1;
    ASSERT_EQ(PrintReportJob(*printer, test::kJobName, header.source, [](platform::Printer&, int) {}), JobOutcome::Printed);
    printer.reset();

    const auto pages = test::ReadPdfWords(path);
    ASSERT_GE(pages.size(), 3u);
    std::vector<std::map<int, std::string>> rows;
    for (const auto& words : pages) rows.push_back(test::RowsOf(words, kDpi, lineHeight, top));
    for (std::size_t p = 0; p < rows.size(); ++p) {
        EXPECT_EQ(rows[p][2], U(text::Utf8ToCp1252("Rapport Bêta Version à faxer au 01 47 20 55 50"))) << p;
        EXPECT_EQ(rows[p][3], "Date : 07/03/2026 N°série : 123456") << p;
        EXPECT_EQ(rows[p][4], "Rapport n°0042") << p;
        EXPECT_EQ(rows[p][5], "Nom : Martin Dupont") << p;
        EXPECT_EQ(rows[p][6], "Société : Société Exemple") << p;
        EXPECT_EQ(rows[p].count(7), 0u) << p;
    }
    const auto& first = rows[0];
    EXPECT_EQ(first.at(8), "Adresse : 12 rue des Lilas");
    EXPECT_EQ(first.at(9), "69003 - Lyon");
    EXPECT_EQ(first.at(14), "Description de l'incident :");
    EXPECT_EQ(first.at(15), "First paragraph.");
    EXPECT_EQ(first.count(16), 0u); // the blank line: a row holding one blank
    EXPECT_EQ(first.at(17), "Second paragraph.");
    EXPECT_EQ(first.at(20), "Open a project.");
    EXPECT_EQ(first.at(23), "Commentaires :");
    EXPECT_EQ(first.at(24), "line 1");
    // The body as one flow of rows, page after page: rows 8 to the row limit
    // of each page (an empty row where nothing was drawn), so what follows
    // holds wherever this machine's fonts break the pages.
    std::vector<std::string> body;
    for (std::size_t p = 0; p + 1 < rows.size(); ++p) {
        EXPECT_LE(rows[p].rbegin()->first, lastRow) << p;
        for (int row = 8; row <= lastRow; ++row) body.push_back(rows[p].count(row) != 0 ? rows[p].at(row) : "");
    }
    const auto at = [&body](const std::string& text) {
        return static_cast<int>(std::find(body.begin(), body.end(), text) - body.begin());
    };
    // The comments run on, line after line, over the pages.
    const int firstComment = at("line 1");
    ASSERT_LT(firstComment, static_cast<int>(body.size()));
    for (int i = 1; i <= 150; ++i) ASSERT_EQ(body.at(firstComment + i - 1), "line " + std::to_string(i));
    // The answers, the lists and the product codes.
    const int reproducible = firstComment + 151;
    EXPECT_EQ(body.at(reproducible), ""); // unanswered: an empty row
    EXPECT_TRUE(body.at(reproducible + 1).starts_with("Version du système"));
    EXPECT_EQ(body.at(reproducible + 2), "Mode test Orvane : 32 bits");
    const int internal = at("Informations internes :");
    ASSERT_LT(internal + 3, static_cast<int>(body.size()));
    EXPECT_EQ((std::vector<int>{CountCodes(body[internal + 1]), CountCodes(body[internal + 2]), CountCodes(body[internal + 3])}),
              (std::vector<int>{6, 6, 1}));

    // The last page: the header only, as no image was drawn.
    EXPECT_EQ(rows.back().rbegin()->first, 6);
    EXPECT_EQ(header.numberReads, static_cast<int>(pages.size()));

    // Columns as the fixed pitch puts them: "N°série" 26 characters after "Date".
    const auto word = [&pages](const std::string& text) {
        const auto& first = pages.at(0);
        return *std::find_if(first.begin(), first.end(), [&](const test::PdfWord& w) { return w.text == text; });
    };
    const test::PdfWord date = word("Date");
    const double advance = (date.xMax - date.xMin) / 4;
    EXPECT_NEAR(word("N°série").xMin - date.xMin, 26 * advance, advance / 2);
    test::RenderPdfPage(path, 1, 100, Output("report-page1"));
}

TEST_F(PdfPrint, AnUnwritableFileIsAJobThatDidNotStart)
{
    auto printer = A4Pdf(scratch.File("missing-dir/report.pdf"));
    const CReportRecord record;
    test::PinnedHeader header(record);
    EXPECT_EQ(PrintReportJob(*printer, test::kJobName, header.source, [](platform::Printer&, int) {}), JobOutcome::NotStarted);
    EXPECT_EQ(header.numberReads, 0);
}

TEST_F(PdfPrint, RowsBelowThePrintableAreaAreLost)
{
    const std::string path = Output("foot.pdf");
    auto printer = A4Pdf(path);
    const int lineHeight = ReportLineHeight(*printer);
    auto font = printer->CreateFont(ReportFontSpec(printer->GetDeviceCaps(platform::DeviceCap::LogPixelsY)));
    printer->SelectFont(font.get());
    ASSERT_GT(printer->StartDoc(test::kJobName), 0);
    ASSERT_GT(printer->StartPage(), 0);
    const int lastRow = printer->GetDeviceCaps(platform::DeviceCap::VertRes) / lineHeight - 1;
    const platform::Rect rect{lineHeight, lastRow * lineHeight, 3000, printer->GetDeviceCaps(platform::DeviceCap::PhysicalHeight)};
    EXPECT_EQ(printer->DrawText("kept ZZZZZZZZZZZZZZZZZZ lost1 ZZZZZZZZZZZZZZZZZZ lost2", rect), 3 * lineHeight);
    printer->EndPage();
    printer->EndDoc();
    printer->SelectFont(nullptr);
    const auto words = test::ReadPdfWords(path).at(0);
    std::vector<std::string> texts;
    for (const auto& w : words) texts.push_back(w.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"kept", "ZZZZZZZZZZZZZZZZZZ"}));
}

TEST_F(PdfPrint, PagesOnlyInsideAStartedJob)
{
    auto printer = A4Pdf(Output("order.pdf"));
    EXPECT_LE(printer->StartPage(), 0);
    EXPECT_EQ(printer->DrawText("x", {0, 0, 1000, 1000}), 0);
    ASSERT_GT(printer->StartDoc(test::kJobName), 0);
    EXPECT_LE(printer->StartDoc(test::kJobName), 0); // one job at a time
    EXPECT_EQ(printer->DrawText("x", {0, 0, 1000, 1000}), 0); // no page open yet
    ASSERT_GT(printer->StartPage(), 0);
    EXPECT_LE(printer->StartPage(), 0); // the page is still open
    printer->AbortDoc();
    EXPECT_LE(printer->StartPage(), 0);
    EXPECT_LE(printer->EndDoc(), 0);
}

TEST(ResolveFontFamily, LiberationMonoForAMissingFixedPitchFaceThenTheSystemsFixedFont)
{
    const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    ASSERT_TRUE(QFontDatabase::isFixedPitch(fixed));
    const bool liberation = QFontDatabase::hasFamily("Liberation Mono");
    const QString fallback = liberation ? QString("Liberation Mono") : fixed;
    const platform::FontSpec report = ReportFontSpec(1200);
    if (!QFontDatabase::hasFamily("MS Sans Serif")) {
        EXPECT_EQ(platform::qt::ResolveFontFamily(report), fallback);
    }
    // A fixed-pitch face the system has is taken as it is.
    if (QFontDatabase::hasFamily("DejaVu Sans Mono")) {
        platform::FontSpec present = report;
        present.faceName = "DejaVu Sans Mono";
        EXPECT_EQ(platform::qt::ResolveFontFamily(present), "DejaVu Sans Mono");
    }
    // A proportional face does not satisfy a fixed-pitch request.
    const QString proportional = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (!QFontDatabase::isFixedPitch(proportional)) {
        platform::FontSpec wrongPitch = report;
        wrongPitch.faceName = proportional.toStdString();
        EXPECT_EQ(platform::qt::ResolveFontFamily(wrongPitch), fallback);
        wrongPitch.pitch = platform::FontPitch::Default;
        EXPECT_EQ(platform::qt::ResolveFontFamily(wrongPitch), proportional);
    }
}

} // namespace
} // namespace qx::print
