#include "print/print_command.h"

#include "platform/qt/common/owner_widget.h"
#include "platform/qt/printer/printer_dialog.h"

#include <QGuiApplication>
#include <QScreen>

namespace qx::print {

namespace {

// The primary screen's width in device pixels. Its colours come from the
// image itself: the display has no palette.
DisplayInfo PrimaryDisplay()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    return {static_cast<int>(screen->size().width() * screen->devicePixelRatio()), {}};
}

std::unique_ptr<platform::Printer> ChoosePrinterOver(platform::OwnerWindow* owner, const std::string& documentName)
{
    return platform::qt::ChoosePrinter(platform::WidgetOf(owner), documentName);
}

std::tm LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

class PrintCommand final : public report::ReportCommand {
public:
    void Run(report::ReportCommandHost& host) override
    {
        RunPrintCommand(host, {ChoosePrinterOver, PrimaryDisplay, LocalTimeNow});
    }
};

} // namespace

std::unique_ptr<report::ReportCommand> MakePrintCommand()
{
    return std::make_unique<PrintCommand>();
}

} // namespace qx::print
