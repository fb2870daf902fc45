#pragma once
#include <cstddef>

// The numbers that decide how the automatic player plays: when it fights,
// hides, backs out, loots and gives up. Each says its unit and why it has the
// value it has. Distances in world units (metres; the player walks about 4 a
// second), times in frames (30 a second), health and armour in points (the
// player has 100), firepower in points of damage.
namespace autotune {

// --- Seeing and choosing an enemy ---------------------------------------------
inline constexpr float kSightRange = 8.5f;        // fights nearer enemies only: farther shots mostly miss
// One without a gun that comes at him is aimed at but let come this near
// before he fires: a gun's spread misses it two times in three at sight
// range, and the rounds are what the deep levels run short of.
inline constexpr float kBiterFireDistance = 6.0f;
inline constexpr float kGunReach = 11.0f;         // turrets and gunmen fire from this far: answered from there
inline constexpr float kAimingReach = 15.0f;      // a gunman raising its gun at him is answered from this far
inline constexpr float kTargetStickiness = 2.0f;  // the enemy fought counts this much nearer: no dithering
// Shot at this long without being hurt, an enemy is out of reach (something
// stands between): it is left alone for the second span, unless it walks
// the third distance from where it stood (it comes round what was between).
inline constexpr int kNoProgressFrames = 150;
inline constexpr int kIgnoreFrames = 450;
inline constexpr float kIgnoredWalkOff = 2.0f;

// --- Keeping a distance -------------------------------------------------------
inline constexpr float kBackOffDistance = 3.5f;  // nearer, he steps back while shooting (hiding, fights this near)
inline constexpr int kCrowdToBackOff = 4;        // this many enemies within kCrowdNear make him give ground too
inline constexpr float kCrowdNear = 5.0f;
// A swarm (this many within kSwarmReach, none of them a gunman) is met in a
// narrow place: a doorway or a corridor no wider than kNarrowWidth on the
// way he came, at most kHoldSearch back along it. There only one or two
// reach him at a time; he gives ground once the nearest is kHoldGiveGround near.
inline constexpr int kSwarmSize = 4;
inline constexpr float kSwarmReach = 9.0f;
inline constexpr float kNarrowWidth = 3.5f;
inline constexpr float kHoldSearch = 14.0f;
inline constexpr float kHoldGiveGround = 2.0f;
inline constexpr int kHeaviesToHold = 2;  // as many heavies or turrets within kSwarmReach are met there too
inline constexpr int kHoldLookFrames = 20;  // the narrow place is looked for again this often
inline constexpr float kTurretMargin = 0.5f;  // a turret is shot from this far beyond where it sees him
inline constexpr float kToughHealth = 250.0f;    // an enemy this healthy outlasts a clip or two: a heavy
// A heavy slower than this (squared speed; the player walks at 4) is kept
// off. Within kHeavyGiveGround he gives ground while shooting: aiming he
// walks at 2, the red robot at 2.2 and the big soldier at 2.8, and they stand
// still to fire their bursts. Once it is kKiteNear he walks away until it is
// kKiteFar, before it is near enough to charge (3) and to empty its burst
// into him at arm's length. A charge under way is side-stepped instead.
inline constexpr float kSlowSpeedSq = 9.0f;
inline constexpr float kHeavyGiveGround = 8.0f;
inline constexpr float kKiteNear = 4.5f;
inline constexpr float kKiteFar = 6.5f;
inline constexpr float kRetreatRoom = 1.2f;  // open floor needed to back away or strafe that way
// Cosine with the way away from a threat: a step no more away than this is
// worse than standing.
inline constexpr float kRetreatLeastAway = -0.2f;
inline constexpr int kStrafeFrames = 40;  // strafing changes sides this often: he stays near where he fights

// --- The knife ----------------------------------------------------------------
inline constexpr float kStabReach = 0.8f;   // reaches enemies this near, centre to centre
inline constexpr float kBladeAhead = 0.5f;  // the blade strikes this far ahead of the player
inline constexpr float kBladeSide = 0.25f;  // and this far to his side: he turns so it meets the enemy's middle

// --- Weapons and bombs --------------------------------------------------------
inline constexpr float kExplosiveSafeDistance = 4.0f;  // no explosive rounds at anything nearer: the blast
inline constexpr float kPelletFalloffDistance = 4.0f;  // pellets spread: beyond this a shotgun is worth
inline constexpr float kPelletFarWorth = 0.4f;         // this share of what it is worth near
inline constexpr float kFullSupplyDamage = 1000.0f;    // rounds worth this much damage keep a gun at full worth
// The share of bullets that hit in a fight (he hits with a third to two
// fifths of his shots in the deep levels); a laser's beam, held on the
// mark, hits with all it burns.
inline constexpr float kBulletHitShare = 0.4f;
// The gun in hand, loaded, counts this much more: no switching to and fro.
inline constexpr float kWeaponInHandBonus = 1.3f;
inline constexpr float kTendDistance = 10.0f;  // between fights the gun in hand is the best at this distance
inline constexpr int kReloadWaitFrames = 45;   // between fights reload is tapped at most this often
// A bomb goes to a crowd of this many enemies this close together (about a
// blast's reach), thrown from between these distances: not so near that the
// blast reaches him, not farther than he fights.
inline constexpr int kBombCrowd = 3;
inline constexpr float kBombCrowdRadius = 2.5f;
inline constexpr float kBombNear = 3.0f;
inline constexpr float kBombFar = 8.0f;
// Sticky charges fly about four metres and brake: a heavy or a turret gets
// them from between these distances (nearer, the blast reaches him).
inline constexpr float kChargeNear = 4.0f;
inline constexpr float kChargeFar = 6.0f;
inline constexpr float kHungryFirepower = 2500.0f;  // carrying rounds worth less damage, he looks for more
// The rocket launcher (a scripted item, not a gun of the engine's) and the
// ammunition type it spends: a heavy or a turret gets its rockets from
// between these distances (nearer, the blast reaches him; farther, it weaves
// off the mark).
inline constexpr const char* kRocketLauncherName = "rocket launcher";
inline constexpr int kRocketAmmoType = 5;
inline constexpr float kRocketNear = 4.0f;
inline constexpr float kRocketFar = 11.0f;

// --- Health, armour and cover -------------------------------------------------
// A medkit is used below these health levels: in a fight only when it must
// be (healing there costs shots), between fights whenever one gives all it
// holds (health in hand is worth more in the next fight than a kit carried).
inline constexpr float kHealInFight = 50.0f;
inline constexpr float kHealAtRest = 100.0f;
// The item that gives armour, and the armour below which one carried is put
// on or one made (a vest gives 60; it stops most of what soldiers and robots fire).
inline constexpr const char* kVestName = "armour vest";
inline constexpr float kVestAt = 30.0f;
// A gunman's burst when the player is this hurt (from a heavy one sooner:
// its bursts hurt more), or an empty gun, sends him out of the line of fire.
inline constexpr float kCoverHealth = 40.0f;
inline constexpr float kCoverHealthFromHeavy = 70.0f;
// Cover is sought sooner from a gunman whose burst, this share of it hitting,
// would take more than his health; a round of a gun he cannot tell counts this much.
inline constexpr float kBurstHitShare = 0.5f;
inline constexpr float kUnknownRoundDamage = 10.0f;
// Evading is judged over this many frames: fleeing with less headway than
// this (a corner), or hiding where he loses this much health (cover that is
// none), and he fights where he stands for kNoCoverFrames.
inline constexpr int kEvasionFrames = 30;
inline constexpr float kEvasionHeadway = 0.5f;
inline constexpr float kEvasionHurt = 10.0f;
inline constexpr int kCoverFrames = 150;    // hides at most this long: then a gunman still aiming is fought
inline constexpr float kCoverNear = 2.5f;   // nearer than this to the gunman, cover is no use
inline constexpr int kNoCoverFrames = 90;   // after finding no cover he fights in the open this long
inline constexpr int kCoverReloadFrames = 10;  // hiding, reload is tapped this often until the gun is full
inline constexpr int kCoverLookFrames = 15;    // hiding, cover is looked for again this often: the gunman moves
// Cover is looked for at most this many cells away (farther is a walk, not
// cover), never this near the gunman, and must screen a line of fire this
// wide on either side (the player's radius and a little more).
inline constexpr int kCoverMaxSteps = 24;
// A burst this long (a heavy's: twenty rounds) is dodged rather than walked
// through to cover farther than the second number of cells (a second's walk):
// sideways at a run, out of its line.
inline constexpr int kHeavyBurst = 12;
inline constexpr int kQuickCoverSteps = 8;
inline constexpr float kCoverMinThreatDistance = 2.0f;
inline constexpr float kCoverHalfWidth = 0.35f;

// --- Fire from out of sight ---------------------------------------------------
// Hit with nothing in sight to answer, he hides from the nearest gunman
// within the first distance (its rounds come round a corner the sight line
// does not), or else backs out the way he came, this long; and does so at
// most once in the second span: a gun covering the only way on is passed
// after all.
inline constexpr float kUnseenShooterReach = 16.0f;
inline constexpr int kBackOutFrames = 60;
inline constexpr int kBackOutRest = 300;
// The trail of where he walked, to back out along: a point this far from the
// last, this many kept (a few rooms back), and a point this near is reached.
inline constexpr float kTrailStep = 1.0f;
inline constexpr std::size_t kTrailLength = 300;
inline constexpr float kTrailReached = 0.5f;

// --- Finding the way ----------------------------------------------------------
// The world changes (doors, pushed crates, broken blocks): the ground is
// mapped again, and the way planned again, this often.
inline constexpr int kGridRefreshFrames = 150;
inline constexpr int kReplanFrames = 45;
inline constexpr std::size_t kLookAhead = 8;           // path cells looked at ahead for a straight walk
inline constexpr std::size_t kBreakableLookAhead = 4;  // and for a breakable block to shoot down
inline constexpr float kShootBlockDistance = 3.0f;     // such a block is shot from this near
inline constexpr float kStraightWalkDistance = 1.0f;   // a spot this near in a clear line: straight there
inline constexpr float kWalkDeadZone = 0.05f;          // a shorter wish to move presses no key: he is there
// Standing on a trigger to open the way, he stays this many frames past its
// firing (a second: what it opens has opened, a door's sound is heard).
inline constexpr int kSwitchStandFrames = 30;
// A switch not reached and worked in this long, and this much longer per unit
// it lay away, is given up for the next: one he cannot step onto opens nothing.
inline constexpr int kSwitchPatienceFrames = 300;
inline constexpr float kSwitchFramesPerUnit = 20.0f;
// One the map has no way to is walked at straight from this near.
inline constexpr float kSwitchStraightReach = 8.0f;
// Under this much headway in this many frames the player counts as stuck: the
// cell he walks into is closed for the third span, then tried again.
inline constexpr float kStuckDistance = 0.4f;
inline constexpr int kStuckFrames = 75;
inline constexpr int kStuckMemory = 600;
// After getting stuck he walks cell by cell for this long, cutting no
// corners: a straight line the grid allows may still catch his body on the
// corner of a corridor's jog.
inline constexpr int kCellByCellFrames = 90;

// --- Loot ---------------------------------------------------------------------
// How far loot in sight draws him off his way. While time allows, crates he
// goes for from much farther, seen or not: what they hold (a gun for the
// rounds he carries, medkits, a vest) decides the later levels, which are
// played with what the earlier ones gave. Short of rounds he then also goes
// for rounds lying out of sight.
inline constexpr float kLootRange = 12.0f;
inline constexpr float kFarLootRange = 60.0f;
// Far loot is left when the walk there and on to the gate is this much longer
// than the walk straight to the gate: rooms off the way cost time and blood,
// as a level's frame budget and its later rooms show.
inline constexpr float kFarLootDetour = 30.0f;
// Far crates are worth the walk while he is short of medkits (or of rounds):
// health is carried from level to level, and a level begun weak is begun
// again weak after every death.
inline constexpr int kMedkitsWanted = 2;
// Under this health and without a medkit, any crate of the level is worth the
// walk, however far off the way to the gate.
inline constexpr float kWoundedHealth = 50.0f;
inline constexpr int kLootLookFrames = 20;           // with nothing to go for he looks for loot this often
inline constexpr float kSpotReach = 0.22f;           // this near a spot (loot, cover) he stands on it
inline constexpr float kCrateFrontDistance = 0.55f;  // a crate's reach area lies this far in front of its lid
// Getting to one piece of loot and working it is given up after this, and
// this much longer per unit it lay away: far loot takes longer to reach.
inline constexpr int kLootChaseFrames = 300;
inline constexpr float kLootChaseFramesPerUnit = 20.0f;
inline constexpr int kLootPatienceFrames = 150;  // standing at one piece of loot, it is given up after this
inline constexpr int kFreeSlotsWanted = 2;       // with fewer free inventory slots he drops what he can spare
inline constexpr int kWalkOnFrames = 40;  // then walks on this long: "use" would pick the thing up again
// Beside a crate the item step is the crate's "use": after this many steps
// the game did not take, he walks on before he sorts his pack again.
inline constexpr int kIgnoredStepsBeforeWalkOn = 3;
inline constexpr int kStepPressGap = 2;  // presses this few frames apart are in a row
// In a fight such steps are then left alone this long: a medkit they would
// reach waits, the fight goes on.
inline constexpr int kStepsBlockedFrames = 45;

// --- The combine menu ---------------------------------------------------------
inline constexpr int kCraftPatienceFrames = 60;  // one piece of work at the menu is left alone after this
inline constexpr int kCraftRestFrames = 600;     // and then the menu too, this long

// --- The screens around the levels --------------------------------------------
inline constexpr int kMenuPause = 15;      // a screen is shown this long before he moves on: a watcher sees it
inline constexpr int kGameOverPause = 40;  // the game-over screen a little longer
inline constexpr int kStatusFrames = 300;  // a status line (objects, memory) this often, for soak runs
inline constexpr float kDeathReportReach = 12.0f;  // a death line names the enemies this near
// The frames a level may take before it is given up are a run option
// (--autoplay-level-frames); from half of them on, far crates are left alone.

} // namespace autotune
