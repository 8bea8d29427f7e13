#include "print/print_command.h"

#include "config/notices.h"
#include "print/print_job.h"

namespace qx::print {

namespace {

// The busy window and the wait cursor for as long as the job runs.
class BusyJob {
public:
    explicit BusyJob(report::ReportCommandHost& host) : m_host(host)
    {
        m_host.SetWaitCursor(report::WaitCursor::On);
        m_host.OpenBusyWindow();
    }
    ~BusyJob()
    {
        m_host.CloseBusyWindow();
        m_host.SetWaitCursor(report::WaitCursor::Off);
    }
    BusyJob(const BusyJob&) = delete;
    BusyJob& operator=(const BusyJob&) = delete;

private:
    report::ReportCommandHost& m_host;
};

} // namespace

void RunPrintCommand(report::ReportCommandHost& host, const PrintServices& services)
{
    host.SaveIdentity();
    const IncidentPoint incident = host.PickIncidentPoint();
    std::unique_ptr<platform::Printer> printer = services.choosePrinter(host.DialogWindow());
    if (!printer) return;

    const BusyJob busy(host);
    const config::Profile& profile = host.Profile();
    const HeaderSource header{host.Record(), [&profile] { return config::ReadReportNumber(profile); },
                              services.localTime};
    Bitmap& kept = host.ScreenImage();
    const ImagePrinter printImage = [&](platform::Printer& device, int top) {
        PrintScreenImage(device, top, ScreenImage{kept, kept.width, kept.height}, incident, services.display());
    };
    if (PrintReportJob(*printer, header, printImage) == JobOutcome::Printed) config::IncrementReportNumber(profile);
    printer.reset();
}

} // namespace qx::print
