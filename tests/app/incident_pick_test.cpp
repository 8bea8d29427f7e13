#include "app/core/incident_pick.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qx::app {
namespace {

using Event = std::function<void(IncidentPick&)>;

const Event kLeft = [](IncidentPick& pick) { pick.OnLeftButtonUp(120, 45); };
const Event kLeftElsewhere = [](IncidentPick& pick) { pick.OnLeftButtonUp(7, 9); };
const Event kRight = [](IncidentPick& pick) { pick.OnRightButtonUp(); };
const Event kLost = [](IncidentPick& pick) { pick.OnSurfaceLost(); };

TEST(IncidentPick, EndsAtTheFirstReleaseOrWhenItsSurfaceIsLost)
{
    struct Case {
        std::string name;
        std::vector<Event> events;
        IncidentPoint point;
    };
    const Case cases[] = {
        {"left release picks", {kLeft}, {120, 45}},
        {"right release cancels", {kRight}, {-1, 0}},
        {"a lost surface cancels", {kLost}, {-1, 0}},
        {"only the first release counts", {kLeft, kLeftElsewhere}, {120, 45}},
        {"a release after a cancel does nothing", {kRight, kLeft}, {-1, 0}},
        {"a loss after the pick keeps the point", {kLeft, kLost}, {120, 45}},
    };
    for (const Case& c : cases) {
        IncidentPick pick;
        pick.Begin();
        EXPECT_TRUE(pick.IsPicking()) << c.name;
        EXPECT_FALSE(pick.Point().IsPicked()) << c.name;
        for (const Event& event : c.events) event(pick);
        EXPECT_FALSE(pick.IsPicking()) << c.name;
        EXPECT_EQ(pick.Point(), c.point) << c.name;
    }
}

TEST(IncidentPick, ReleasesOutsideAPickDoNothing)
{
    IncidentPick pick;
    kLeft(pick);
    EXPECT_FALSE(pick.IsPicking());
    EXPECT_FALSE(pick.Point().IsPicked());
}

TEST(IncidentPick, EveryPickStartsWithoutAPoint)
{
    IncidentPick pick;
    pick.Begin();
    kLeft(pick);
    pick.Begin();
    EXPECT_EQ(pick.Point().x, -1);
    kRight(pick);
    EXPECT_EQ(pick.Point().x, -1);
}

} // namespace
} // namespace qx::app
