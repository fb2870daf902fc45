#include "render/effects/ParticleSystem.h"
#include "world/CreationTransform.h"
#include "world/MinimalObject.h"
#include "world_test_support.h"
#include <cmath>
#include <numbers>

namespace {

// objectlist entries as objects.lua writes them.
const char* kObjects = R"(
objectlist = {}
local function def(name, t)
    local e = {collision = 1, depth = 0, frame = 0, rectangle = 0, fovshadows = 0,
               material = 0, sprite = "spr_none", rw = 12, rh = 12, shadowdist = 2, mass = 0}
    for k, v in pairs(t) do e[k] = v end
    objectlist[name] = e
end
def("pillar", {rw = 12})
def("crate", {rectangle = 1, rw = 24, rh = 12, mass = 2, depth = 3, frame = 4})
def("wallpiece", {rectangle = 1, fovshadows = 1, rw = 24, rh = 24, material = 1})
def("bush", {collision = 2, mass = 0.5})
def("ghostwall", {collision = 0, fovshadows = 1})
def("decor", {collision = 0})
)";

class ObjectList : public WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        ASSERT_EQ(Run(kObjects), "");
        creationTransform = TCreationTransform();
    }
    void TearDown() override
    {
        creationTransform = TCreationTransform();
        WorldFixture::TearDown();
    }

    TMinimalObject* Object(const char* global)
    {
        return ObjectFromHandleAs<TMinimalObject>(GlobalPointer(global));
    }

    // Runs code and returns what it wrote to stderr; the script error into *error.
    std::string RunCapturingStderr(const std::string& code, std::string* error)
    {
        testing::internal::CaptureStderr();
        *error = Run(code);
        return testing::internal::GetCapturedStderr();
    }
};

} // namespace

TEST_F(ObjectList, EntriesBecomeBodiesOfTheirShape)
{
    ASSERT_EQ(Run("p = CreateObject(1, 2, 0, 'pillar')\n"
                  "c = CreateObject(3, 4, 0.5, 'crate')\n"
                  "w = CreateObject(6, 0, 0, 'wallpiece')\n"
                  "b = CreateObject(9, 0, 0, 'bush')"),
              "");
    TMinimalObject* pillar = Object("p");
    ASSERT_NE(pillar, nullptr);
    const b2Shape* circle = pillar->body->GetFixtureList()->GetShape();
    ASSERT_EQ(circle->GetType(), b2Shape::e_circle);
    EXPECT_FLOAT_EQ(circle->m_radius, 1.0f) << "rw 12 pixels is one world unit";
    EXPECT_EQ(pillar->body->GetType(), b2_staticBody) << "mass 0 is static";
    EXPECT_EQ(pillar->GetPosition(), b2Vec2(1, 2));
    EXPECT_EQ(pillar->typeName, "pillar");
    EXPECT_EQ(pillar->collisionType, kCollisionNull);
    EXPECT_FLOAT_EQ(pillar->body->GetLinearDamping(), 10.0f);

    TMinimalObject* crate = Object("c");
    ASSERT_NE(crate, nullptr);
    const auto* box = static_cast<const b2PolygonShape*>(crate->body->GetFixtureList()->GetShape());
    ASSERT_EQ(box->GetType(), b2Shape::e_polygon);
    b2AABB bounds;
    box->ComputeAABB(&bounds, b2Transform(b2Vec2(0, 0), b2Rot(0)), 0);
    EXPECT_NEAR(bounds.upperBound.x, 1.0f + b2_polygonRadius, 1e-5) << "rw 24: half width 1";
    EXPECT_NEAR(bounds.upperBound.y, 0.5f + b2_polygonRadius, 1e-5) << "rh 12: half height 0.5";
    EXPECT_EQ(crate->body->GetType(), b2_dynamicBody);
    EXPECT_FLOAT_EQ(crate->body->GetAngle(), 0.5f);
    EXPECT_EQ(crate->GetDepth(), 3);
    EXPECT_FLOAT_EQ(crate->frame, 4.0f);
    EXPECT_FLOAT_EQ(crate->shadowDist, 2.0f);

    TMinimalObject* wall = Object("w");
    EXPECT_EQ(wall->collisionType, kCollisionWall) << "shadow casters count as walls";
    EXPECT_TRUE(wall->fovShadows);
    EXPECT_EQ(wall->material, 1);

    TMinimalObject* bush = Object("b");
    EXPECT_EQ(bush->collision, kCollisionModeSensor);
    EXPECT_TRUE(bush->body->GetFixtureList()->IsSensor());
    EXPECT_EQ(bush->body->GetType(), b2_dynamicBody);

    // Later changes to objectlist don't touch existing objects.
    ASSERT_EQ(Run("objectlist.pillar.depth = 9"), "");
    EXPECT_EQ(pillar->GetDepth(), 0);
}

TEST_F(ObjectList, BadNamesAndEntriesLeaveNoObject)
{
    const size_t before = world->objects.size();
    std::string error;
    std::string stderrText = RunCapturingStderr("x = CreateObject(0, 0, 0, 'unicorn')", &error);
    EXPECT_EQ(stderrText, "ERROR: cannot create object\"unicorn\"! \n");
    EXPECT_NE(error, "") << "the calling script fails";
    EXPECT_EQ(world->objects.size(), before);

    // Each key is required, in order; the first bad one is named.
    for (const char* key : {"collision", "depth", "frame", "rectangle", "fovshadows", "material",
                            "sprite", "rw", "rh", "shadowdist", "mass"}) {
        const std::string code = std::string("objectlist.broken = {} for k, v in pairs(objectlist.pillar) "
                                             "do objectlist.broken[k] = v end objectlist.broken.") +
                                 key + " = nil";
        ASSERT_EQ(Run(code), "");
        stderrText = RunCapturingStderr("x = CreateObject(0, 0, 0, 'broken')", &error);
        EXPECT_NE(error.find(key), std::string::npos) << key << ": " << error;
        EXPECT_EQ(stderrText, "") << "a malformed entry is not an unknown name";
        EXPECT_EQ(world->objects.size(), before) << key;
    }
    ASSERT_EQ(Run("objectlist.broken = {} for k, v in pairs(objectlist.pillar) "
                  "do objectlist.broken[k] = v end"),
              "");
    for (const char* bad : {"objectlist.broken.rw = 'wide'", "objectlist.broken.rw = 12 "
                            "objectlist.broken.sprite = {}", "objectlist.broken.sprite = 's' "
                            "objectlist.broken.depth = true"}) {
        ASSERT_EQ(Run(bad), "");
        RunCapturingStderr("x = CreateObject(0, 0, 0, 'broken')", &error);
        EXPECT_NE(error.find("expected"), std::string::npos) << bad << ": " << error;
        EXPECT_EQ(world->objects.size(), before) << bad;
    }
    // Numeric strings pass the number check, as everywhere in the scripts.
    ASSERT_EQ(Run("objectlist.broken.depth = '2'"), "");
    EXPECT_EQ(Run("x = CreateObject(0, 0, 0, 'broken')"), "");
    EXPECT_EQ(world->objects.size(), before + 1);

    // Wrong argument types are script errors too.
    EXPECT_NE(Run("CreateObject(0, 0, 'a', 'pillar')"), "");
    EXPECT_NE(Run("CreateObject(0, 0, 0)"), "");
    ASSERT_EQ(Run("objectlist = nil"), "");
    RunCapturingStderr("CreateObject(0, 0, 0, 'pillar')", &error);
    EXPECT_NE(error, "");
    EXPECT_EQ(world->objects.size(), before + 1);
}

TEST_F(ObjectList, ShadowsWithoutCollisionGetATinySensor)
{
    std::string error;
    const std::string text = RunCapturingStderr("g = CreateObject(2, 3, 0, 'ghostwall')", &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(text, "ERROR: cannot create object \"ghostwall\" with fovshadows=true and collision=0! \n");
    TMinimalObject* ghost = Object("g");
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->collision, kCollisionModeNone);
    const b2Fixture* f = ghost->body->GetFixtureList();
    EXPECT_TRUE(f->IsSensor());
    EXPECT_FLOAT_EQ(f->GetShape()->m_radius, 0.1f);
    EXPECT_EQ(ghost->body->GetType(), b2_staticBody);

    EXPECT_EQ(RunCapturingStderr("d = CreateObject(0, 0, 0, 'decor')", &error), "")
        << "collision 0 alone is fine";
}

TEST_F(ObjectList, SavedLinesAndAngles)
{
    ASSERT_EQ(Run("a = CreateObject(5, 7, 0, 'pillar') n = CreateObject(1, 1, 0/0, 'crate')"), "");
    EXPECT_EQ(Object("a")->GetCreateCommand(), "CreateObject(5.000000,7.000000,0.000000,\"pillar\")\n");
    TMinimalObject* nanAngle = Object("n");
    EXPECT_EQ(nanAngle->body->GetAngle(), 0.0f) << "a NaN angle leaves the body at 0";
    ASSERT_EQ(Run("i = CreateObject(1, 1, -1/0, 'crate')"), "");
    EXPECT_EQ(Object("i")->body->GetAngle(), 0.0f) << "so does an infinite one";

    saveOriginX = 1.0f;
    saveOriginY = 2.0f;
    EXPECT_EQ(Object("a")->GetCreateCommand(), "CreateObject(4.000000,5.000000,0.000000,\"pillar\")\n");
    saveOriginX = saveOriginY = 0.0f;

    // The creation transform moves and turns; the saved angle is the body's own.
    ASSERT_EQ(Run("SetCreationTransform(100, 50, math.pi / 2)\n"
                  "t = CreateObject(10, 0, 0, 'pillar')\n"
                  "tx, ty, ta = GetCreationTransform()\n"
                  "px, py = TransformPoint(10, 0, 100, 50, math.pi / 2)"),
              "");
    TMinimalObject* moved = Object("t");
    EXPECT_NEAR(moved->GetPosition().x, 100.0f, 1e-4);
    EXPECT_NEAR(moved->GetPosition().y, 60.0f, 1e-4);
    EXPECT_NEAR(moved->GetAngle(), std::numbers::pi / 2, 1e-6);
    EXPECT_DOUBLE_EQ(GlobalNumber("tx"), 100.0);
    EXPECT_DOUBLE_EQ(GlobalNumber("ty"), 50.0);
    EXPECT_NEAR(GlobalNumber("ta"), std::numbers::pi / 2, 1e-6);
    EXPECT_NEAR(GlobalNumber("px"), 100.0, 1e-9);
    EXPECT_NEAR(GlobalNumber("py"), 60.0, 1e-9);
    EXPECT_NE(moved->GetCreateCommand().find(",1.570796,\"pillar\")\n"), std::string::npos)
        << moved->GetCreateCommand();
}

TEST_F(ObjectList, ObjectMethodsCheckTheirHandles)
{
    ASSERT_EQ(Run("c = CreateObject(0, 0, 0, 'crate') w = CreateObject(4, 0, 0, 'wallpiece')\n"
                  "ct = object.GetCollisionType(c) wt = object.GetCollisionType(w)\n"
                  "object.SetFrame(c, 7.5)"),
              "");
    EXPECT_EQ(GlobalString("ct"), "null");
    EXPECT_EQ(GlobalString("wt"), "wall");
    TMinimalObject* crate = Object("c");
    EXPECT_FLOAT_EQ(crate->frame, 7.5f);
    crate->collisionType = kCollisionDoor;
    ASSERT_EQ(Run("ct = object.GetCollisionType(c)"), "");
    EXPECT_EQ(GlobalString("ct"), "door");

    testing::internal::CaptureStderr();
    ASSERT_EQ(Run("x, y, a = object.GetXForm(1.5, 'hi', true, {}, w)"), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "1.5  `hi'  true  table  userdata  \n");
    EXPECT_DOUBLE_EQ(GlobalNumber("x"), 4.0);

    // Delete twice, then use the stale handle: ignored or reported, never followed.
    ASSERT_EQ(Run("object.Delete(c) object.Delete(c)"), "");
    world->Step();
    EXPECT_EQ(Object("c"), nullptr);
    console = TConsole();
    testing::internal::CaptureStderr();
    ASSERT_EQ(Run("object.Delete(c) object.SetFrame(c, 1) gone = object.GetCollisionType(c)\n"
                  "gx = object.GetXForm(c) object.SetFrame(nil, 1) object.SetFrame(12, 1)"),
              "");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(console.Text().substr(console.Text().find("object.")),
              "object.SetFrame:invalid pointer\nobject.SetFrame:invalid pointer\n"
              "object.SetFrame:invalid pointer\n");
    EXPECT_EQ(GlobalPointer("gone"), GlobalPointer("c")) << "an unknown handle comes back as given";
    EXPECT_EQ(GlobalString("gx"), "<nil>");

    // After a level clear every old handle is stale.
    world->Clear();
    console = TConsole();
    ASSERT_EQ(Run("object.SetFrame(w, 2) object.Delete(w)"), "");
    EXPECT_NE(console.Text().find("object.SetFrame:invalid pointer\n"), std::string::npos);

    // A live object of the wrong kind: the particle system is no objectlist object.
    lua_pushlightuserdata(luaState, static_cast<TGameObject*>(world->particles));
    lua_setglobal(luaState, "ps");
    console = TConsole();
    ASSERT_EQ(Run("object.SetFrame(ps, 2) pt = object.GetCollisionType(ps)"), "");
    EXPECT_NE(console.Text().find("object.SetFrame:invalid pointer\n"), std::string::npos);
    EXPECT_EQ(GlobalString("pt"), "null");
}

TEST_F(ObjectList, MaterialsReactToBullets)
{
    ASSERT_EQ(Run("s = CreateObject(0, 0, 0, 'wallpiece') objectlist.wallpiece.material = 0\n"
                  "t = CreateObject(5, 0, 0, 'wallpiece') p = CreateObject(9, 0, 0, 'pillar')"),
              "");
    TMinimalObject* metal = Object("s");
    TMinimalObject* stone = Object("t");
    auto* bullet = new TProbe(nullptr, "bullet");
    bullet->collisionType = kCollisionBullet;
    testing::internal::CaptureStderr();
    const int sparksBefore = world->particles->AliveCount();
    stone->OnContact(bullet, b2Vec2(4, 0), b2Vec2(-1, 0), b2Vec2(0, 0));
    const int stoneSparks = world->particles->AliveCount() - sparksBefore;
    EXPECT_GE(stoneSparks, 11);
    EXPECT_LE(stoneSparks, 13);
    metal->OnContact(bullet, b2Vec2(-1, 0), b2Vec2(-1, 0), b2Vec2(0, 0));
    EXPECT_EQ(world->particles->AliveCount() - sparksBefore - stoneSparks, 3);
    // A plain prop reacts to nothing.
    const int all = world->particles->AliveCount();
    Object("p")->OnContact(bullet, b2Vec2(9, 0), b2Vec2(-1, 0), b2Vec2(0, 0));
    EXPECT_EQ(world->particles->AliveCount(), all);
    testing::internal::GetCapturedStderr();
    // The sparks leave the wall along the normal and fade away.
    for (int i = 0; i < 12; ++i) world->Step();
    EXPECT_EQ(world->particles->AliveCount(), 0);
}
