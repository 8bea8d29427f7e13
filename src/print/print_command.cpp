#include "print/print_command.h"

#include "config/notices.h"
#include "print/document_name.h"
#include "print/print_report.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

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
    const config::Profile& profile = host.Profile();
    const std::string documentName = ReportDocumentName(host.Record().m_identity.m_strSerial, config::ReadReportNumber(profile));
    std::unique_ptr<platform::Printer> printer = services.choosePrinter(host.DialogWindow(), documentName);
    if (!printer) return;

    JobOutcome outcome = JobOutcome::NotStarted;
    {
        const BusyJob busy(host);
        Bitmap& kept = host.ScreenImage();
        const Printout printout{{host.Record(), [&profile] { return config::ReadReportNumber(profile); }, services.localTime},
                                documentName,
                                ScreenImage{kept, kept.width, kept.height},
                                incident,
                                services.display()};
        outcome = PrintReport(*printer, printout);
        if (outcome == JobOutcome::Printed) config::IncrementReportNumber(profile);
        printer.reset();
    }
    // Said once the busy window is gone, so the message never opens under it.
    if (outcome == JobOutcome::NotStarted) host.ShowMessage(res::LoadResString(res::kMsgPrintFailed));
}

} // namespace qx::print
