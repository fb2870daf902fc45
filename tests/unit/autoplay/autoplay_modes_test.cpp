// What the automatic player gives its legs to do in a few made-up rooms:
// nothing through the opening freeze, the gate when nothing else calls, loot
// lying in sight, an enemy at arm's length before either, and a back-out
// after a hit from nothing in sight, at most once in a while; the level's
// switches when the way to the gate is shut, one the map has no way to
// walked at straight, one not reached left for the next. And the fight's
// choices: cover from a gunman raising his gun (none from one all but down), a swarm
// held in a doorway, the red robot walked away from and its charge
// side-stepped, a heavy's burst in the open dodged, a turret kept at its
// range and fought first while it sees him, heavies met in a doorway too, a
// biter as tough as a heavy shot at once, a flight into a corner or cover
// that is none given up for the fight, a laser valued for the beam it burns,
// a gun's reloads counted in its worth, a gun spare beside a better one for
// its rounds, any bomb in hand thrown at a crowd, far loot left alone in a
// hurry; a full pack sorted after walking on when the item steps are not
// taken (beside a crate), and a medkit they would reach left for later in a
// fight, the combine menu shut for one; work at the menu that comes to
// nothing left alone for a while; loot given up told apart from later loot
// at its address.
#include "autoplay/AutoCombat.h"
#include "autoplay/AutoControls.h"
#include "autoplay/AutoCrafting.h"
#include "autoplay/AutoInputDevice.h"
#include "autoplay/AutoTuning.h"
#include "enemies/PunaneRobot.h"
#include "enemies/Sdur.h"
#include "enemies_test_support.h"
#include "player/PlayerInventory.h"
#include "player/items/CombineMenu.h"
#include "player/weapons/TimeBomb.h"
#include "player/weapons/Tulirelv.h"
#include "world/ObjectRef.h"
#include "world/World.h"
#include <cstdio>

namespace {

using Mode = TAutoInputDevice::Mode;

class AutoModeTest : public EnemyFixture {
protected:
    // A walled 20 x 10 room, the player by its west wall and the gate by its east one.
    void SetUp() override
    {
        EnemyFixture::SetUp();
        WallAt(0.0f, -5.5f, 10.5f, 0.5f);
        WallAt(0.0f, 5.5f, 10.5f, 0.5f);
        WallAt(-10.5f, 0.0f, 0.5f, 5.0f);
        WallAt(10.5f, 0.0f, 0.5f, 5.0f);
        ASSERT_EQ(Run("scripttable = scripttable or {}; CreateTrigger(8, 0, 1, 'gate', 0)"), "");
        player = PlayerAt(-6.0f, 0.0f);
    }

    Mode Think()
    {
        device.Think(*player, *world, hands);
        hands.Clear();
        return device.CurrentMode();
    }

    // Thinks until the mode is `wanted`, at most `frames` times; the frames it took, or -1.
    int ThinkUntil(Mode wanted, int frames)
    {
        for (int i = 1; i <= frames; ++i)
            if (Think() == wanted) return i;
        return -1;
    }

    // The player with a loaded pistol in hand.
    void Arm()
    {
        TItem* pistol = Make("pistol", -6.0f, 0.0f);
        ASSERT_NE(pistol, nullptr);
        ASSERT_TRUE(player->inventory->Insert(pistol));
        ASSERT_EQ(player->inventory->SelectedItem(), pistol);
        player->ammo[0] = 60;
    }

    // A wall across the room with a doorway two units wide at x = 0; the
    // armed player walked through it from the west to `toX`.
    void WalkThroughTheDoorway(float toX)
    {
        WallAt(0.0f, -3.25f, 0.5f, 1.75f);
        WallAt(0.0f, 3.25f, 0.5f, 1.75f);
        ASSERT_EQ(Run("settings = {keys = {left = 97, right = 100, up = 119, down = 115}}"), "");
        Arm();
        for (float x = -6.0f; x <= toX; x += 0.5f) {
            player->SetPosition(b2Vec2(x, 0.0f));
            Think();
        }
    }

    // Put in the doorway, he holds it standing once he has looked round.
    void ExpectToStandInTheDoorway()
    {
        player->SetPosition(b2Vec2(0.0f, 0.0f));
        for (int i = 0; i < autotune::kHoldLookFrames; ++i) Think();
        device.Think(*player, *world, hands);
        EXPECT_EQ(device.Doing(), "holding a doorway");
        EXPECT_FALSE(hands.Wants("left") || hands.Wants("right") || hands.Wants("up") || hands.Wants("down"));
        hands.Clear();
    }

    TAutoInputDevice device;
    TAutoControls hands;
    TPlayer* player = nullptr;
};

TEST_F(AutoModeTest, WaitsOutTheFreezeThenMakesForTheGateAndTurnsAsideForLootInSight)
{
    world->introTimer = kIntroFrames;
    EXPECT_EQ(Think(), Mode::Wait);
    world->introTimer = kIntroFrames + 1;
    EXPECT_EQ(Think(), Mode::Travel);
    EXPECT_EQ(device.Doing(), "walking");

    // A stone on the floor ahead: the next look for loot finds it.
    ASSERT_NE(Make("stone", -4.0f, 0.0f), nullptr);
    EXPECT_GT(ThinkUntil(Mode::Loot, autotune::kLootLookFrames), 0);
    EXPECT_EQ(device.Doing(), "looting");

    // The player down: nothing more is pressed for him.
    player->health = 0.0f;
    EXPECT_EQ(Think(), Mode::Wait);
}

TEST_F(AutoModeTest, AnEnemyAtArmsLengthIsFoughtBeforeLootOrTheGate)
{
    ASSERT_NE(Make("stone", -6.0f, 1.5f), nullptr);
    TZombi* zombie = ZombieAt(-5.4f, 0.0f);
    for (int i = 0; i < autotune::kLootLookFrames + 1; ++i) {
        ASSERT_EQ(Think(), Mode::Fight) << "frame " << i;
        ASSERT_EQ(device.Doing(), "fighting zombie");
    }
    // The zombie gone, the stone it stood by is next.
    zombie->dead = 1;
    EXPECT_EQ(Think(), Mode::Loot);
}

TEST_F(AutoModeTest, AHitFromNothingInSightBacksItOutForAWhileAtMostOnceInARest)
{
    ASSERT_EQ(Think(), Mode::Travel);
    player->health -= 10.0f;
    ASSERT_EQ(Think(), Mode::BackOut);
    EXPECT_EQ(device.Doing(), "backing out") << "no gunman about to hide from";
    // The back-out lasts its span, then the way to the gate is taken again.
    EXPECT_EQ(ThinkUntil(Mode::Travel, autotune::kBackOutFrames + 1), autotune::kBackOutFrames);

    // Hit again soon after: a gun covering the only way on is passed after all.
    player->health -= 10.0f;
    EXPECT_EQ(Think(), Mode::Travel);
    // Unhurt meanwhile, the next hit after the rest backs it out again.
    for (int i = 0; i < autotune::kBackOutRest; ++i) ASSERT_NE(Think(), Mode::BackOut) << "frame " << i;
    player->health -= 10.0f;
    EXPECT_EQ(Think(), Mode::BackOut);
}

TEST_F(AutoModeTest, WithTheWayToTheGateShutItMakesForTheLevelsSwitches)
{
    ASSERT_EQ(Run("scripttable.release = function() end; CreateTrigger(-8, 3, 0.8, 'release', 5)"), "");
    EXPECT_EQ(Think(), Mode::Travel);
    EXPECT_EQ(device.Doing(), "walking");
    // A door slammed shut between him and the gate: not standing about, the switch.
    WallAt(0.0f, 0.0f, 0.5f, 5.0f);
    for (int i = 0; i < autotune::kGridRefreshFrames; ++i) Think();
    EXPECT_EQ(Think(), Mode::Travel);
    EXPECT_EQ(device.Doing(), "trying a switch");
}

TEST_F(AutoModeTest, ASwitchTheMapHasNoWayToIsWalkedAtStraight)
{
    // The way to the gate shut; the only switch in a pocket that a ring of
    // wall blocks cuts off on the map (as a lever beside a heap can be): he
    // walks straight at it, not standing about for want of a way.
    ASSERT_EQ(Run("settings = {keys = {up = 119, down = 115, left = 97, right = 100}}\n"
                  "scripttable.release = function() end\n"
                  "for _, p in ipairs({{-1, -2}, {1, -2}, {3, -2}, {-1, 0}, {3, 0}, {-1, 2}, {1, 2}, {3, 2}}) do\n"
                  "  CreateBlock(p[1], p[2], 0, 0, 0) end\n"
                  "CreateTrigger(1, 0, 0.8, 'release', 5)"),
              "");
    WallAt(6.0f, 0.0f, 0.5f, 5.0f);
    device.Think(*player, *world, hands);
    EXPECT_EQ(device.Doing(), "trying a switch");
    EXPECT_TRUE(hands.Wants("right"));
    hands.Clear();
}

TEST_F(AutoModeTest, ASwitchNotReachedInItsTimeIsLeftForTheNext)
{
    // The way to the gate shut; two switches behind him, one a step south
    // (within the grid cell he stands in). Nothing moves here, so he never
    // steps onto it: after its time he makes for the other, to the north-east.
    player->SetPosition(b2Vec2(-5.9f, 0.1f));
    ASSERT_EQ(Run("settings = {keys = {up = 119, down = 115, left = 97, right = 100}}\n"
                  "scripttable.release = function() end\n"
                  "CreateTrigger(-5.9, 0.4, 0.2, 'release', 5); CreateTrigger(-3, -4, 0.8, 'release', 5)"),
              "");
    WallAt(0.0f, 0.0f, 0.5f, 5.0f);
    const auto walking = [&](const char* key) {
        device.Think(*player, *world, hands);
        const bool wanted = hands.Wants(key);
        hands.Clear();
        return wanted;
    };
    ASSERT_TRUE(walking("down"));
    const int patience = autotune::kSwitchPatienceFrames + int(autotune::kSwitchFramesPerUnit * 0.3f);
    int frames = 1;
    while (frames < 2 * patience && !walking("up")) ++frames;
    EXPECT_EQ(device.Doing(), "trying a switch");
    EXPECT_LE(frames, patience + 5);
}

TEST_F(AutoModeTest, AHurtPlayerTakesCoverFromAGunmanRaisingHisGunButFinishesOneAllButDown)
{
    ASSERT_EQ(Run("itemtable.automaat = gun{invtext = 'automaat', clipsize = 30, ammotype = 1}"), "");
    Arm();
    // A pillar a step north-east of the player; the soldier across the room.
    WallAt(-4.5f, 1.5f, 0.5f, 0.5f);
    ASSERT_EQ(Run("made = CreateSoldier(4, 0)"), "");
    auto* soldier = ObjectFromHandleAs<TSdur>(GlobalPointer("made"));
    ASSERT_NE(soldier, nullptr);
    soldier->SetAction(kActionAim);

    TAutoCombat combat;
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::Strafe) << "healthy: the gunman is answered";
    player->health = 30.0f;
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(Think(), Mode::Fight) << "frame " << i;
        ASSERT_EQ(device.Doing(), "taking cover") << "frame " << i;
    }
    // All but down, he is finished off rather than hidden from.
    soldier->health = 1.0f;
    ASSERT_EQ(Think(), Mode::Fight);
    EXPECT_EQ(device.Doing(), "fighting " + soldier->kindName);
}

TEST_F(AutoModeTest, TheRedRobotIsGivenGroundToThenWalkedAwayFromUnlessAllButDownAndItsChargeIsSideStepped)
{
    ASSERT_EQ(Run("settings = {keys = {aim = 325, shoot = 323}}"), "");
    Arm();
    auto* robot = new TPunaneRobot(0.0f, 0.0f);
    robot->body->SetAngularVelocity(0.0f);
    TAutoCombat combat;
    // Coming on from six units: shot at while he gives ground, before it is near enough to charge.
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::BackOff);
    EXPECT_TRUE(hands.Wants("aim"));
    hands.Clear();
    // Wounded, it is no less a red robot.
    robot->health = 100.0f;
    robot->body->SetTransform(b2Vec2(-3.4f, 0.0f), 0.0f);
    // Near and walking: he outwalks it, for as long as it follows: walking
    // away he does not shoot, so its health standing still is no sign of a
    // wall between them.
    for (int i = 0; i <= autotune::kNoProgressFrames + 1; ++i)
        ASSERT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::Flee) << "frame " << i;
    // All but down, it is finished rather than walked away from.
    robot->health = 1.0f;
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::BackOff);
    EXPECT_TRUE(hands.Wants("aim"));
    hands.Clear();
    // Charging: faster than he walks, so no running; out of its line.
    robot->SetAction(kActionSprint);
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::Strafe);
}

TEST_F(AutoModeTest, AFlightIntoACornerTurnsIntoAFight)
{
    Arm();
    // In the room's south-west corner, the robot walking up at arm's length:
    // he keeps away from it. The world does not move here, so neither does
    // he: a corner. After a span of that he turns and fights.
    player->SetPosition(b2Vec2(-9.6f, -4.6f));
    auto* robot = new TPunaneRobot(-7.6f, -3.4f);
    robot->body->SetAngularVelocity(0.0f);
    robot->SetAction(kActionWalk);
    ASSERT_EQ(Think(), Mode::Fight);
    ASSERT_EQ(device.Doing(), "keeping away");
    int frames = 1;
    while (device.Doing() == "keeping away" && frames < 3 * autotune::kEvasionFrames) {
        Think();
        ++frames;
    }
    EXPECT_GT(frames, autotune::kEvasionFrames);
    EXPECT_LE(frames, autotune::kEvasionFrames + 2) << "a span without headway, then the fight";
    EXPECT_EQ(device.Doing(), "fighting red_commander");
}

TEST_F(AutoModeTest, CoverWhereTheFireStillHurtsIsLeft)
{
    ASSERT_EQ(Run("itemtable.automaat = gun{invtext = 'automaat', clipsize = 30, ammotype = 1}"), "");
    Arm();
    // Hurt, he hides from a gunman raising his gun behind the pillar a step
    // north-east; there the rounds (a spread, a second gun) still find him.
    // Hurt there the span long, he leaves it.
    WallAt(-4.5f, 1.5f, 0.5f, 0.5f);
    player->health = 30.0f;
    ASSERT_EQ(Run("made = CreateSoldier(4, 0)"), "");
    auto* soldier = ObjectFromHandleAs<TSdur>(GlobalPointer("made"));
    ASSERT_NE(soldier, nullptr);
    soldier->SetAction(kActionAim);
    ASSERT_EQ(Think(), Mode::Fight);
    ASSERT_EQ(device.Doing(), "taking cover");
    player->SetPosition(b2Vec2(-5.5f, 2.1f));
    int frames = 1;
    while (device.Doing() == "taking cover" && frames < 3 * autotune::kEvasionFrames) {
        player->health -= 0.4f;
        Think();
        ++frames;
    }
    // The first span he walked there; the second he stood in it, hurt.
    EXPECT_LE(frames, 2 * autotune::kEvasionFrames + 2) << device.Doing();
}

TEST_F(AutoModeTest, AHeavysBurstInTheOpenIsDodgedAtARunAndATurretIsKeptAtItsRange)
{
    ASSERT_EQ(Run("settings = {keys = {left = 97, right = 100, up = 119, down = 115, aim = 325, shoot = 323}}"), "");
    Arm();
    // Hurt, he meets the robot across the open room raising its gun: no wall
    // to hide behind within a second's walk, so sideways (north or south) at
    // a run, not aiming (aiming he walks at half speed).
    player->health = 60.0f;
    auto* robot = new TPunaneRobot(2.0f, 0.0f);
    robot->SetAction(kActionAim);
    device.Think(*player, *world, hands);
    EXPECT_EQ(device.Doing(), "dodging");
    EXPECT_TRUE(hands.Wants("up") != hands.Wants("down")) << "sideways";
    EXPECT_FALSE(hands.Wants("left") || hands.Wants("right") || hands.Wants("aim"));
    hands.Clear();
    // Within arm's length its burst misses nothing sideways: away from it.
    robot->body->SetTransform(b2Vec2(-3.3f, 0.0f), 0.0f);
    device.Think(*player, *world, hands);
    EXPECT_EQ(device.Doing(), "keeping away");
    EXPECT_TRUE(hands.Wants("left"));
    EXPECT_FALSE(hands.Wants("right"));
    hands.Clear();
    robot->dead = 1;
    world->Step();

    // A turret within its sight is walked away from, shooting; from beyond, stood at.
    ASSERT_EQ(Run("CreateTurret(4, 0, math.pi)"), "");
    TAutoCombat combat;
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::BackOff);
    EXPECT_TRUE(hands.Wants("aim"));
    hands.Clear();
    player->SetPosition(b2Vec2(-6.8f, 0.0f));
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::Stand);
    hands.Clear();
}

TEST_F(AutoModeTest, ATurretThatSeesHimIsFoughtBeforeWhatComesNearer)
{
    Arm();
    // A zombie walking up a few steps off; a turret across the room, within
    // its sight of him: the turret fires all the while, so it comes first.
    ASSERT_EQ(Run("CreateZombie(-3, 1, '000'); CreateTurret(3, 0, math.pi)"), "");
    TAutoCombat combat;
    combat.Fight(*player, *world, hands);
    ASSERT_NE(combat.Target(), nullptr);
    EXPECT_EQ(combat.Target()->kindName, "sentry_gun");
    // Beyond its sight the zombie is the nearer worry.
    player->SetPosition(b2Vec2(-8.0f, 0.0f));
    combat.Fight(*player, *world, hands);
    ASSERT_NE(combat.Target(), nullptr);
    EXPECT_EQ(combat.Target()->kindName, "zombie");
}

TEST_F(AutoModeTest, ALaserWithItsCellsIsTakenBeforeARifleThatMissesAndAHeavyGunBeforeBoth)
{
    // The deep levels' guns, with the numbers they have there.
    ASSERT_EQ(Run("itemtable.automaat = gun{clipsize = 30, reloadtime = 4, damage = 12, ammotype = 1}\n"
                  "itemtable.laser = gun{clipsize = 60, reloadtime = 2, damage = 2, ammotype = 3, bullettype = 3}\n"
                  "itemtable.heavy = gun{clipsize = 100, reloadtime = 2, damage = 14, ammotype = 7}"),
              "");
    TItem* rifle = Make("automaat");
    TItem* laser = Make("laser");
    ASSERT_TRUE(player->inventory->Insert(rifle));
    ASSERT_TRUE(player->inventory->Insert(laser));
    player->ammo[1] = 200;
    player->ammo[3] = 180;
    // The rifle does more a second on paper, but a beam held on the mark
    // burns every update and misses nothing.
    EXPECT_EQ(TAutoCombat::BestWeapon(*player, 6.0f), laser);
    TItem* heavy = Make("heavy");
    ASSERT_TRUE(player->inventory->Insert(heavy));
    player->ammo[7] = 100;
    EXPECT_EQ(TAutoCombat::BestWeapon(*player, 6.0f), heavy);
    // Its cells count for what the beam burns with them.
    player->ammo[1] = player->ammo[7] = 0;
    static_cast<TTulirelv*>(rifle)->roundsLoaded = static_cast<TTulirelv*>(heavy)->roundsLoaded = 0;
    static_cast<TTulirelv*>(laser)->roundsLoaded = 0;
    EXPECT_FLOAT_EQ(TAutoCombat::Firepower(*player), 180.0f * 2.0f * 2.0f);
}

TEST_F(AutoModeTest, TwoShellsAndALongReloadAreWorthLessThanABeltFedGunEvenAtArmsLength)
{
    ASSERT_EQ(Run("itemtable.twin = gun{clipsize = 2, reloadtime = -6, clipreloadtime = 45, damage = 10,\n"
                  "  bulletcount = 10, ammotype = 2}\n"
                  "itemtable.belt = gun{clipsize = 100, reloadtime = 2, clipreloadtime = 90, damage = 14, ammotype = 7}"),
              "");
    ASSERT_TRUE(player->inventory->Insert(Make("stone")));
    TItem* twin = Make("twin");
    TItem* belt = Make("belt");
    ASSERT_TRUE(player->inventory->Insert(twin));
    ASSERT_TRUE(player->inventory->Insert(belt));
    player->ammo[2] = 60;
    player->ammo[7] = 300;
    // Both barrels hit harder than anything, then it reloads for a second and a half.
    EXPECT_EQ(TAutoCombat::BestWeapon(*player, 1.5f), belt);
}

TEST_F(AutoModeTest, TheGunInHandStaysWhileItIsLoadedAndAboutAsGoodAsAnother)
{
    ASSERT_EQ(Run("itemtable.a = gun{clipsize = 30, reloadtime = 2, damage = 10}\n"
                  "itemtable.b = gun{clipsize = 30, reloadtime = 2, damage = 11}\n"
                  "itemtable.c = gun{clipsize = 30, reloadtime = 2, damage = 20}"),
              "");
    auto* inHand = Make<TTulirelv>("a");
    auto* better = Make<TTulirelv>("b");
    ASSERT_TRUE(player->inventory->Insert(inHand));
    ASSERT_TRUE(player->inventory->Insert(better));
    ASSERT_EQ(player->inventory->SelectedItem(), inHand);
    player->ammo[0] = 500;
    EXPECT_EQ(TAutoCombat::BestWeapon(*player, 6.0f), inHand) << "a little better is no reason to switch";
    inHand->roundsLoaded = 0;
    EXPECT_EQ(TAutoCombat::BestWeapon(*player, 6.0f), better) << "empty, it has to be reloaded anyway";
    inHand->roundsLoaded = 10;
    auto* muchBetter = Make<TTulirelv>("c");
    ASSERT_TRUE(player->inventory->Insert(muchBetter));
    EXPECT_EQ(TAutoCombat::BestWeapon(*player, 6.0f), muchBetter);
}

TEST_F(AutoModeTest, AnEnemyLeftAsOutOfReachIsFoughtAgainOnceItWalksOff)
{
    Arm();
    // Shot at a span long without a scratch (nothing moves here, so no round
    // arrives): something stands between, and it is left alone.
    TZombi* zombie = ZombieAt(-1.0f, 0.0f);
    TAutoCombat combat;
    for (int i = 0; i <= autotune::kNoProgressFrames; ++i) combat.Fight(*player, *world, hands);
    EXPECT_EQ(combat.Target(), nullptr);
    zombie->body->SetTransform(b2Vec2(-1.0f, 1.0f), 0.0f);
    combat.Fight(*player, *world, hands);
    EXPECT_EQ(combat.Target(), nullptr) << "a step is no way round";
    // Walked off from there, it has come round what was in the way.
    zombie->body->SetTransform(b2Vec2(-3.0f, 1.5f), 0.0f);
    combat.Fight(*player, *world, hands);
    EXPECT_EQ(combat.Target(), zombie);
}

TEST_F(AutoModeTest, AGunThatFiresTheRoundsOfABetterOneIsSpare)
{
    ASSERT_EQ(Run("itemtable.smg = gun{clipsize = 32, reloadtime = 2, damage = 8}\n"
                  "itemtable.laser = gun{clipsize = 60, reloadtime = 2, damage = 2, ammotype = 3, bullettype = 3}"),
              "");
    auto* pistol = Make<TTulirelv>("pistol");
    auto* smg = Make<TTulirelv>("smg");
    auto* laser = Make<TTulirelv>("laser");
    for (TItem* gun : {static_cast<TItem*>(pistol), static_cast<TItem*>(smg), static_cast<TItem*>(laser)})
        ASSERT_TRUE(player->inventory->Insert(gun));
    player->ammo[0] = 60;
    // The pistol's rounds go further in the faster gun; the laser fires cells, which nothing else does.
    EXPECT_TRUE(TAutoCombat::Outclassed(*player, *pistol));
    EXPECT_FALSE(TAutoCombat::Outclassed(*player, *smg));
    EXPECT_FALSE(TAutoCombat::Outclassed(*player, *laser));
}

TEST_F(AutoModeTest, AnyBombInHandGoesToACrowd)
{
    ASSERT_EQ(Run("settings = {keys = {aim = 325, shoot = 323, sc_bombs = 109}}"), "");
    ASSERT_EQ(Run("itemtable.pommike = {kind = 'explosive', frame = 3, invtext = 'bomb', longtext = 'a bomb',\n"
                  "  shortcutkey = 'sc_bombs', sprite = 'spr_asjad', r = 1, g = 0, b = 0, delay = 60,\n"
                  "  nailcount = 12, radius = 1.5, throwspeed = 90}\n"
                  "first = _CreateBomb(-6, 0, 'pommike'); second = _CreateBomb(-6, 0, 'pommike')"),
              "");
    Arm();
    auto* first = ObjectFromHandleAs<TTimeBomb>(GlobalPointer("first"));
    auto* second = ObjectFromHandleAs<TTimeBomb>(GlobalPointer("second"));
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(player->inventory->Insert(first));
    ASSERT_TRUE(player->inventory->Insert(second));
    // The bomb key brought up the second bomb (it goes by the pack's order
    // from the slot after the first): that one is thrown at the crowd.
    for (int i = 0; i < player->inventory->slotCount; ++i)
        if (player->inventory->Slot(i) == second) player->inventory->selected = i;
    for (float y : {-0.5f, 0.0f, 0.5f}) ZombieAt(-1.0f, y);
    TAutoCombat combat;
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::Stand);
    EXPECT_TRUE(hands.Wants("aim")) << "the bomb in hand is aimed, not another waited for";
    hands.Clear();
}

TEST_F(AutoModeTest, AHeavyGetsTheRocketsWhileThereAreAnyFromBeyondTheirBlast)
{
    ASSERT_EQ(Run("settings = {keys = {aim = 325, shoot = 323, sc_1 = 49, sc_4 = 52}}"), "");
    Arm();
    // The launcher is a scripted item that fires while the player aims.
    ASSERT_EQ(Run("itemtable['rocket launcher'] = {kind = 'lua', frame = 3, invtext = 'launcher', "
                  "longtext = 'a launcher', shortcutkey = 'sc_4', sprite = 'spr_asjad', r = 1, g = 1, b = 1} "
                  "launcher = _CreateLuaItem(-6, 0, 'rocket launcher')"),
              "");
    auto* launcher = ObjectFromHandleAs<TItem>(GlobalPointer("launcher"));
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(player->inventory->Insert(launcher));
    auto* robot = new TPunaneRobot(2.0f, 0.0f);
    robot->body->SetAngularVelocity(0.0f);
    TAutoCombat combat;
    // Without rockets the launcher stays in the pack.
    combat.Fight(*player, *world, hands);
    EXPECT_FALSE(hands.Wants("sc_4"));
    hands.Clear();
    // With rockets the robot eight units off gets them: the launcher is brought up...
    player->ammo[autotune::kRocketAmmoType] = 3;
    combat.Fight(*player, *world, hands);
    EXPECT_TRUE(hands.Wants("sc_4"));
    hands.Clear();
    // ...and fired from the aim.
    auto* pack = dynamic_cast<TPlayerInventory*>(player->inventory);
    ASSERT_NE(pack, nullptr);
    ASSERT_TRUE(pack->QuickSwitch("sc_4"));
    ASSERT_EQ(player->inventory->SelectedItem(), launcher);
    player->SetAction(kActionAim);
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::Stand);
    EXPECT_TRUE(hands.Wants("aim") && hands.Wants("shoot"));
    hands.Clear();
    // Within its blast (charging at him: no walking away from that), back to the gun.
    robot->body->SetTransform(b2Vec2(-3.0f, 0.0f), 0.0f);
    robot->SetAction(kActionSprint);
    combat.Fight(*player, *world, hands);
    EXPECT_TRUE(hands.Wants("sc_1"));
    EXPECT_FALSE(hands.Wants("shoot"));
    hands.Clear();
}

TEST_F(AutoModeTest, AZombieIsLetComeNearBeforeHeFiresButOneAsToughAsASnakeIsShotAndGivenGroundAtOnce)
{
    ASSERT_EQ(Run("settings = {keys = {aim = 325, shoot = 323}}"), "");
    Arm();
    player->SetAction(kActionAim);
    TZombi* zombie = ZombieAt(2.0f, 0.0f);
    TAutoCombat combat;
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::Stand);
    EXPECT_TRUE(hands.Wants("aim"));
    EXPECT_FALSE(hands.Wants("shoot")) << "eight units off most rounds miss";
    hands.Clear();
    zombie->body->SetTransform(b2Vec2(-1.0f, 0.0f), 0.0f);
    combat.Fight(*player, *world, hands);
    EXPECT_TRUE(hands.Wants("shoot")) << "five units off";
    hands.Clear();

    // Wounded or not, one of a heavy's health takes every round there is time for.
    zombie->maxHealth = 600.0f;
    zombie->health = 100.0f;
    zombie->body->SetTransform(b2Vec2(2.0f, 0.0f), 0.0f);
    EXPECT_EQ(combat.Fight(*player, *world, hands), TAutoCombat::Stance::BackOff);
    EXPECT_TRUE(hands.Wants("shoot")) << "eight units off";
    hands.Clear();
}

TEST_F(AutoModeTest, RoundsFarOffTheWayAreFetchedWhileTimeAllowsAndLeftInAHurry)
{
    // Shotgun shells 12.4 units off, behind a wall, near the way to the gate.
    WallAt(3.0f, 2.0f, 0.5f, 2.0f);
    ASSERT_NE(Make("shells", 6.0f, 3.0f), nullptr);
    EXPECT_GT(ThinkUntil(Mode::Loot, autotune::kLootLookFrames + 1), 0) << "short of rounds, time to spare";

    TAutoInputDevice hurried;
    hurried.Hurry(true);
    for (int i = 0; i < 3 * autotune::kLootLookFrames; ++i) {
        hurried.Think(*player, *world, hands);
        hands.Clear();
        ASSERT_EQ(hurried.CurrentMode(), Mode::Travel) << "frame " << i;
    }
}

TEST_F(AutoModeTest, ASwarmIsMetInTheDoorwayHeCameThroughAndHeldThere)
{
    WalkThroughTheDoorway(4.0f);
    for (int i = 0; i < 5; ++i) ZombieAt(8.5f, -2.0f + float(i));
    ASSERT_EQ(Think(), Mode::Fight);
    EXPECT_EQ(device.Doing(), "holding a doorway");
    device.Think(*player, *world, hands);
    EXPECT_TRUE(hands.Wants("left") && !hands.Wants("right")) << "back to the doorway";
    hands.Clear();

    // In the doorway he stands and shoots; one at arm's length makes him give ground.
    ExpectToStandInTheDoorway();
    ZombieAt(1.5f, 0.0f);
    device.Think(*player, *world, hands);
    EXPECT_TRUE(hands.Wants("left")) << "giving ground";
    hands.Clear();
}

TEST_F(AutoModeTest, HeaviesTogetherAreMetInTheDoorwayHeCameThroughAndNotLetNear)
{
    WalkThroughTheDoorway(2.0f);
    // One red robot is fought where he stands; two are met in the doorway.
    auto* robot = new TPunaneRobot(8.0f, -1.0f);
    robot->body->SetAngularVelocity(0.0f);
    ASSERT_EQ(Think(), Mode::Fight);
    EXPECT_NE(device.Doing(), "holding a doorway");
    (new TPunaneRobot(8.0f, 1.0f))->body->SetAngularVelocity(0.0f);
    ASSERT_EQ(Think(), Mode::Fight);
    EXPECT_EQ(device.Doing(), "holding a doorway");
    device.Think(*player, *world, hands);
    EXPECT_TRUE(hands.Wants("left") && !hands.Wants("right")) << "back to the doorway";
    hands.Clear();

    // In the doorway he stands; a heavy is not let as near as a zombie of a
    // swarm is (this one as tough as the snake).
    ExpectToStandInTheDoorway();
    TZombi* tough = ZombieAt(3.0f, 0.0f);
    tough->health = tough->maxHealth = 600.0f;
    device.Think(*player, *world, hands);
    EXPECT_EQ(device.Doing(), "holding a doorway");
    EXPECT_TRUE(hands.Wants("left")) << "giving ground";
    hands.Clear();
}

TEST_F(AutoModeTest, APackThatWillNotStepBesideACrateIsSortedAfterWalkingOn)
{
    // Sixteen things, the last of them a stone to drop. No press reaches the
    // player here, as none of the item steps does beside a crate.
    const int slots = player->inventory->slotCount;
    for (int i = 0; i < slots; ++i)
        ASSERT_TRUE(player->inventory->Insert(Make(i + 1 < slots ? "bandage" : "stone", -6.0f, 0.0f)));
    ASSERT_NE(player->inventory->selected, slots - 1);
    TAutoLooting looting;
    int busy = 0;
    while (busy < 100 && looting.Tidy(*player, hands)) ++busy;
    hands.Clear();
    EXPECT_LT(busy, 100) << "it kept pressing a step the game did not take";
    EXPECT_FALSE(looting.Tidy(*player, hands)) << "walking on first";
}

TEST_F(AutoModeTest, AMedkitTheItemStepsDoNotReachWaitsWhileTheFightGoesOnAndTheMedkitKeyServesWithoutBombs)
{
    ASSERT_EQ(Run("settings = {keys = {aim = 325, shoot = 323, previtem = 32, combine = 99, sc_medkit = 109,\n"
                  "  sc_bombs = 109}}"),
              "");
    ASSERT_EQ(Run("itemtable.pommike = {kind = 'explosive', frame = 3, invtext = 'bomb', longtext = 'a bomb',\n"
                  "  shortcutkey = 'sc_bombs', sprite = 'spr_asjad', r = 1, g = 0, b = 0, delay = 60,\n"
                  "  nailcount = 12, radius = 1.5, throwspeed = 90}\n"
                  "bomb = _CreateBomb(-6, 0, 'pommike')\n"
                  "itemtable.automaat = gun{invtext = 'automaat', clipsize = 30, ammotype = 1}"),
              "");
    Arm();
    TItem* kit = Make("bandage", -6.0f, 0.0f);
    auto* grenade = ObjectFromHandleAs<TTimeBomb>(GlobalPointer("bomb"));
    ASSERT_TRUE(kit && grenade);
    ASSERT_TRUE(player->inventory->Insert(kit));
    ASSERT_TRUE(player->inventory->Insert(grenade));
    ASSERT_EQ(Run("made = CreateSoldier(4, 0)"), "");
    player->health = 30.0f;
    // With a bomb carried the medkit key brings up the bomb: only the item
    // steps reach the kit, and here (as beside a crate) none is taken.
    const auto frame = [&](const char* action) {
        device.Think(*player, *world, hands);
        const bool wanted = hands.Wants(action);
        hands.Clear();
        return wanted;
    };
    EXPECT_TRUE(frame("previtem"));
    int stepping = 1;
    while (stepping < 20 && frame("previtem")) ++stepping;
    EXPECT_EQ(stepping, autotune::kIgnoredStepsBeforeWalkOn + 1);
    EXPECT_TRUE(frame("aim")) << "the soldier is fought meanwhile, not the kit waited for";

    // No bomb: the medkit key brings the kit up at once.
    player->inventory->RemoveItem(grenade);
    EXPECT_TRUE(frame("sc_medkit"));

    // The combine menu open (he was making something when the soldier came):
    // it has the item keys, so it is shut before anything else.
    player->PlayerInventory()->combineMenu->open = true;
    device.Think(*player, *world, hands);
    EXPECT_TRUE(hands.Wants("combine"));
    EXPECT_FALSE(hands.Wants("sc_medkit") || hands.Wants("previtem"));
    hands.Clear();
}

TEST_F(AutoModeTest, WorkAtTheCombineMenuThatComesToNothingIsLeftAloneForAWhile)
{
    // The menu offers a grenade, but no press reaches the game here, as when
    // what the menu offers cannot be made: the work is given up, then the
    // menu left alone for a while rather than begun again at once.
    ASSERT_EQ(Run("AddReaction('grenade', 'rope', 'stone')"), "");
    ASSERT_TRUE(player->inventory->Insert(Make("rope")));
    ASSERT_TRUE(player->inventory->Insert(Make("stone")));
    TAutoCrafting crafting;
    const auto work = [&] {
        const bool busy = crafting.Work(*player, hands);
        hands.Clear();
        return busy;
    };
    // Runs of frames busy at the menu and not: given up once it is begun
    // again at once (it may come the second time), given up twice the menu rests.
    std::vector<int> runs{0};
    bool busy = true;
    for (int frame = 0; frame < 2 * autotune::kCraftRestFrames; ++frame) {
        if (work() != busy) {
            busy = !busy;
            runs.push_back(0);
        }
        ++runs.back();
    }
    ASSERT_GE(runs.size(), 4u);
    EXPECT_EQ(runs[0], autotune::kCraftPatienceFrames);
    EXPECT_EQ(runs[1], 1);
    EXPECT_EQ(runs[2], autotune::kCraftPatienceFrames);
    EXPECT_EQ(runs[3], autotune::kCraftRestFrames);
}

TEST_F(AutoModeTest, LootGivenUpIsNotMistakenForLootMadeLaterAtItsAddress)
{
    TAutoLooting looting;
    b2Vec2 spot;
    TItem* stone = Make("stone", -4.0f, 0.0f);
    ASSERT_EQ(looting.Choose(*player, *world, false, false, nullptr, &spot), stone);
    looting.GiveUp(stone);
    const TObjectRef remembered(stone);
    const void* address = stone;
    stone->dead = 1;
    world->Step();
    EXPECT_EQ(remembered.Get(), nullptr);

    // The allocator mostly hands the freed place to the next object of its size.
    TItem* another = Make("stone", -4.0f, 0.0f);
    if (static_cast<const void*>(another) != address) std::fprintf(stderr, "(the new stone has a fresh address)\n");
    EXPECT_FALSE(remembered.Is(another));
    EXPECT_EQ(remembered.Get(), nullptr);
    EXPECT_EQ(looting.Choose(*player, *world, false, false, nullptr, &spot), another);
}

} // namespace
