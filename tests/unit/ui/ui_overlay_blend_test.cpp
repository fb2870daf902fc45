// The HUD text and the map markers are drawn over whatever the world's draw
// left behind; they must set the blend mode that honours their alpha (2) first.
#include "player_test_support.h"
#include "core/screens/MapState.h"
#include "core/screens/StateRegistry.h"
#include "render/GLState.h"
#include "ui/GameOverlay.h"

namespace {

// Notes the blend mode in force when its late pass and its map marker draw.
class TBlendModeProbe : public TGameObject {
public:
    void Update() override {}
    void Draw() override {}
    void DrawLate() override { lateMode = CurrentBlendMode(); }
    void DrawOnMap(float) override { mapMode = CurrentBlendMode(); }
    int lateMode = kUnknownBlendMode;
    int mapMode = kUnknownBlendMode;
};

} // namespace

using OverlayBlend = PlayerFixture;

TEST_F(OverlayBlend, HudAndMapMarkersDrawInBlendModeTwoWhateverTheWorldLeft)
{
    MakePlayer();
    auto* probe = new TBlendModeProbe;
    probe->seen = 1;
    auto* map = dynamic_cast<TMapState*>(stateRegistry.Find("map"));
    ASSERT_NE(map, nullptr);

    SetBlendMode(3);  // what the field-of-view shadows leave
    DrawGameOverlay(game);
    EXPECT_EQ(probe->lateMode, 2);

    SetBlendMode(3);
    map->DrawPass2();
    EXPECT_EQ(probe->mapMode, 2);
}
