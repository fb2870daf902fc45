#pragma once
// Shared set-up for the turret, snake and beam tests: the player world of the
// player tests plus the objectlist kinds the turret and snake build, named
// sounds (silent unless a test opens the mixer), static walls and a way to
// count what is in the world.
#include "player_test_support.h"
#include "audio/Mixer.h"
#include "enemies/Electric.h"
#include "enemies/ElectricShot.h"
#include "enemies/Laser.h"
#include "enemies/SnakeSegment.h"
#include "enemies/ToruRobot.h"
#include "enemies/Turret.h"
#include "player/weapons/Tulirelv.h"
#include <cstdlib>
#include <string>

inline const char* kBeamTestScript = R"lua(
objectlist = objectlist or {}
local function kind(e)
  local d = {collision = 1, depth = 5, frame = 0, rectangle = 0, fovshadows = 0, material = 2,
             sprite = "spr_none", rw = 7, rh = 7, shadowdist = 1, mass = 0}
  for k, v in pairs(e) do d[k] = v end
  return d
end
objectlist.snakesegment = kind{depth = 9, rw = 7, mass = 5}
objectlist.deadturret = kind{rectangle = 1, rw = 20, rh = 20}
sounds = {}
for _, name in ipairs{"turret_h22l", "turret_drone", "turret_lask", "laser_lask", "laser_hit",
                      "elektripyss_lask", "elektripyss_hit", "explosion",
                      "kuul_tabab_raudseina"} do
  sounds[name] = _LoadSound(1)
end
function GetSound(name) return sounds[name] end
itemtable.lasergun = gun{invtext = "laser", bullettype = 3, reloadtime = 1, damage = 4,
                         clipsize = 100}
itemtable.zapper = gun{invtext = "zapper", bullettype = 6, reloadtime = 1, clipsize = 100}
)lua";

class BeamFixture : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        std::srand(12345);
        ASSERT_EQ(Run(kBeamTestScript), "");
    }

    // A static wall box centred at (x, y) with half extents (hw, hh).
    TProbe* Wall(float x, float y, float hw, float hh) { return WallAt(x, y, hw, hh); }

    // An actor facing along body angle `angle` (radians) at (x, y).
    TActor* Holder(float x, float y, float angle = 0.0f)
    {
        TActor* actor = MakeHolder(x, y);
        actor->body->SetTransform(b2Vec2(x, y), angle);
        return actor;
    }

    void Steps(int n)
    {
        Frames(n);
    }

    const TSound* Sound(const char* name) { return FindSound(name); }
};
