#include <algorithm>
#include "render/Camera.h"
#include "render/effects/ParticleSystem.h"
#include "world/Bitmap.h"
#include "world_test_support.h"

namespace {

class TProbeBitmap : public TBitmap {
public:
    explicit TProbeBitmap(std::vector<std::string>* journal) : journal(journal) {}
    ~TProbeBitmap() override { journal->push_back("delete bitmap"); }
    void Draw() override { journal->push_back("draw bitmap"); }
    std::string GetCreateCommand() override { return "CreateBitmap()\n"; }
    std::vector<std::string>* journal;
};

} // namespace

using WorldStep = WorldFixture;

TEST_F(WorldStep, ObjectsDyingInTheirOwnUpdateGoAfterEveryUpdate)
{
    auto* a = new TProbe(&journal, "a");
    auto* b = new TProbe(&journal, "b");
    a->onUpdate = [](TProbe& self) { self.dead = 1; };
    world->Step();
    EXPECT_EQ(journal, (std::vector<std::string>{"update a", "update b", "delete a"}));
    EXPECT_FALSE(InWorld(a));
    EXPECT_EQ(world->stepCount, 1);

    // An object flagged from outside is still updated in the step that removes it.
    journal.clear();
    b->dead = 1;
    world->Step();
    EXPECT_EQ(journal, (std::vector<std::string>{"update b", "delete b"}));
}

TEST_F(WorldStep, DepthSortIsStableAndOnlyWhenAsked)
{
    new TProbe(&journal, "late", 5);
    new TProbe(&journal, "first", -1);
    auto* second = new TProbe(&journal, "second", -1);
    new TProbe(&journal, "third", -1);
    auto* made = new TProbe(&journal, "zero", 0);
    world->Step();
    std::vector<std::string> order;
    for (TGameObject* o : world->objects)
        if (auto* p = dynamic_cast<TProbe*>(o)) order.push_back(p->name);
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "third", "zero", "late"}));
    EXPECT_EQ(world->objects.size(), 7u);
    auto it = world->objects.begin();
    std::advance(it, 5);
    EXPECT_EQ(*it, world->particles) << "particles at depth 12 after the probes";
    EXPECT_EQ(*std::next(it), world->debris);

    // Moving to the front holds until the next sort.
    world->MoveToFront(made);
    journal.clear();
    world->Step();
    EXPECT_EQ(journal.front(), "update zero");
    second->SetDepth(-1);  // unchanged depth: no sort
    EXPECT_EQ(world->needsSort, 0);
    made->SetDepth(0);
    world->MoveToFront(second);
    second->SetDepth(-2);
    EXPECT_EQ(world->needsSort, 1);
    journal.clear();
    world->Step();
    EXPECT_EQ(std::vector<std::string>(journal.begin(), journal.begin() + 4),
              (std::vector<std::string>{"update second", "update first", "update third", "update zero"}));
}

TEST_F(WorldStep, ClearLeavesTheTwoParticleSystemsAndNoPlayer)
{
    new TProbe(&journal, "a", 3);
    new TProbeBitmap(&journal);
    world->stepCount = 40;
    world->introTimer = 40;
    world->enemyCounts["zombi"] = 3;
    world->killCounts["zombi"] = 2;
    game->player = reinterpret_cast<TPlayer*>(world);  // any non-null pointer
    b2World* oldPhysics = world->physics.get();

    world->Clear();
    EXPECT_EQ(journal, (std::vector<std::string>{"delete a", "delete bitmap"}));
    ASSERT_EQ(world->objects.size(), 2u);
    EXPECT_EQ(world->objects.front(), world->particles);
    EXPECT_EQ(world->objects.back(), world->debris);
    EXPECT_EQ(world->particles->GetDepth(), 12);
    EXPECT_EQ(world->debris->GetDepth(), 13);
    EXPECT_EQ(world->particles->Capacity(), 1000);
    EXPECT_EQ(world->debris->Capacity(), 100);
    EXPECT_TRUE(world->particles->alwaysDraw);
    EXPECT_TRUE(world->bitmaps.empty());
    EXPECT_EQ(game->player, nullptr);
    EXPECT_EQ(world->stepCount, 0);
    EXPECT_EQ(world->introTimer, 0);
    EXPECT_TRUE(world->enemyCounts.empty());
    EXPECT_TRUE(world->killCounts.empty());
    EXPECT_NE(world->physics.get(), nullptr);
    EXPECT_EQ(world->physics->GetBodyCount(), 0);
    (void)oldPhysics;

    // A sort after the clear keeps 12 before 13.
    world->Step();
    EXPECT_EQ(world->objects.front(), world->particles);
}

TEST_F(WorldStep, RequestedClearRunsAfterThatFramesDrawing)
{
    auto* probe = new TProbe(&journal, "a");
    probe->alwaysDraw = 1;
    new TProbeBitmap(&journal);
    probe->onUpdate = [this](TProbe&) { world->RequestClear(); };
    world->Step();
    EXPECT_TRUE(InWorld(probe)) << "a clear asked for during the step waits for the draw";
    journal.clear();
    world->Draw();
    EXPECT_EQ(journal, (std::vector<std::string>{"draw bitmap", "draw a", "delete a", "delete bitmap"}));
    EXPECT_EQ(world->objects.size(), 2u);
    EXPECT_EQ(world->clearRequested, 0);
}

TEST_F(WorldStep, DrawCullsByTheViewButUpdatesEverything)
{
    cameraX = 0.0f;
    cameraY = 0.0f;
    auto* near = new TProbe(&journal, "near");
    near->body = CreateCircleBody(0.5f, 0.0f, false, near, 0.0f, 0.0f);
    auto* far = new TProbe(&journal, "far");
    far->body = CreateCircleBody(0.5f, 0.0f, false, far, 0.0f, 0.0f);
    far->SetPosition(b2Vec2(200.0f, 0.0f));
    auto* ghost = new TProbe(&journal, "ghost");  // collision 0: no contacts, still drawn
    ghost->collision = kCollisionModeNone;
    ghost->body = CreateCircleBody(0.5f, 0.0f, false, ghost, 0.0f, 0.0f);
    ghost->SetPosition(b2Vec2(1.0f, 1.0f));
    auto* floating = new TProbe(&journal, "floating");
    floating->alwaysDraw = 1;

    world->Step();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "update far"), 1);
    journal.clear();
    world->Draw();
    auto has = [&](const char* line) { return std::count(journal.begin(), journal.end(), line) == 1; };
    EXPECT_TRUE(has("draw near"));
    EXPECT_TRUE(has("shadow near"));
    EXPECT_TRUE(has("draw ghost"));
    EXPECT_TRUE(has("draw floating"));
    EXPECT_FALSE(has("shadow floating")) << "no body, no shadow";
    EXPECT_FALSE(has("draw far"));
    EXPECT_FALSE(has("shadow far"));
    EXPECT_TRUE(near->onScreen);
    EXPECT_FALSE(far->onScreen);

    // The editors draw no field-of-view shadows.
    game->SetState("editor");
    journal.clear();
    world->Draw();
    EXPECT_TRUE(has("draw near"));
    EXPECT_FALSE(has("shadow near"));
}

TEST_F(WorldStep, CreationLinesOfObjectsAndBitmaps)
{
    new TProbe(&journal, "unsaved");
    auto* bitmap = new TProbeBitmap(&journal);
    EXPECT_EQ(world->CreateCommands(), "CreateBitmap()\n");
    EXPECT_EQ(world->CreateCommands(true), "");
    bitmap->selected = 1;
    EXPECT_EQ(world->CreateCommands(true), "CreateBitmap()\n");
}
