#pragma once

// The incident-point pick as a state machine: it starts with no point
// (x = -1), the release of the left button picks, the release of the right
// button cancels, and a surface that is lost before either also cancels, so
// the pick can never wait on a window that is gone. Events outside a pick
// do nothing.

#include "bitmap/incident_point.h"
#include "platform/pick_surface.h"

namespace qx::app {

class IncidentPick final : public platform::PickEvents {
public:
    void Begin();

    void OnLeftButtonUp(int x, int y) override;
    void OnRightButtonUp() override;
    void OnSurfaceLost() override;
    bool IsPicking() const override { return m_picking; }

    // The last pick's point (g_ptIncident).
    IncidentPoint Point() const { return m_point; }

private:
    bool m_picking = false;
    IncidentPoint m_point;
};

} // namespace qx::app
