#include "app/core/incident_pick.h"

namespace qx::app {

void IncidentPick::Begin()
{
    m_point = IncidentPoint{};
    m_picking = true;
}

void IncidentPick::OnLeftButtonUp(int x, int y)
{
    if (!m_picking) return;
    m_picking = false;
    m_point = IncidentPoint{x, y};
}

void IncidentPick::OnRightButtonUp()
{
    m_picking = false;
}

void IncidentPick::OnSurfaceLost()
{
    m_picking = false;
}

} // namespace qx::app
