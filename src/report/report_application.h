#pragma once

// The application object as a report dialog uses it: the kept screen
// image, the pick of the incident point on it, and the installation check
// that yields the environment's directory.

#include "bitmap/incident_point.h"
#include "platform/bitmap.h"

#include <string>

namespace qx::report {

class ReportApplication {
public:
    virtual ~ReportApplication() = default;

    // m_hScreenBitmap: the image of the capture the dialog reports on.
    virtual Bitmap& ScreenImage() = 0;

    // Shows the screen image over the whole screen until the tester
    // releases a mouse button; the caller hides its dialog around it.
    virtual IncidentPoint PickIncidentPoint() = 0;

    // CheckInstallation; on false its message has been shown.
    virtual bool CheckInstallation(std::string& installDir) = 0;
};

} // namespace qx::report
