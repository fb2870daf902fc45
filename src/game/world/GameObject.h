#pragma once
#include <box2d/b2_math.h>
#include <cstdint>
#include <string>

class TGame;
class TWorld;
class b2Body;

// Everything that exists in a level is a game object: walls, doors, crates,
// items on the floor, the player, enemies, bullets, effects, triggers.
//
// Ownership: constructing an object appends it to the end of its world's
// object list and the world owns it from then on. An object is removed only by
// setting `dead` (the world deletes it at the end of its next step) or by
// clearing the world. Never `delete` a game object yourself.
//
// Script handles: every live object is registered as a HandleKind::GameObject
// handle under the address of its TGameObject part. Hand objects to scripts as
// that pointer (static_cast<TGameObject*>(derived)); api code turns handles back
// with ObjectFromHandle / ObjectFromHandleAs<T>, which reject stale, null and
// wrong-kind handles.
//
// Derived classes keep the order of these virtual operations and add their own
// behind them.
class TGameObject {
public:
    // Joins game->world.
    TGameObject();
    // Joins the given world (the world's own particle systems are made this way
    // while game->world is not yet set).
    explicit TGameObject(TWorld* world);
    // Destroys the body in the physics world and drops the script handle.
    virtual ~TGameObject();

    TGameObject(const TGameObject&) = delete;
    TGameObject& operator=(const TGameObject&) = delete;

    // Moves the body, keeping its angle. Without a body nothing happens.
    virtual void SetPosition(b2Vec2 position);
    // The body's position in world units; (0, 0) without a body.
    virtual b2Vec2 GetPosition();
    // Once per world step.
    virtual void Update() = 0;
    // Drawing in world pixels (12 per world unit).
    virtual void Draw() = 0;
    // Draw() when onScreen or alwaysDraw is set.
    virtual void DrawIfVisible();
    // Over the HUD, in screen coordinates.
    virtual void DrawLate();
    // The script line that recreates this object in a saved level or module
    // ("" for objects that are not saved).
    virtual std::string GetCreateCommand();
    // Unused hook, kept so derived classes line up with the original order.
    virtual void Hook();
    // Field-of-view shadow; called for objects in view when the state draws shadows.
    virtual void DrawShadow();
    // Every polygon of the body filled white at alpha, in world pixels.
    virtual void DrawOnMap(float alpha);
    // A touching contact (point in world units, normal from A to B, relative
    // velocity of A minus B at the point), or a bullet hit.
    virtual void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity);

    // What an object that touched something hurts it with. Whatever is handed
    // an object in OnContact asks the object itself; the kinds that hurt
    // answer, every other object answers false (or kind 0).
    // A bullet in flight: its damage and the percent of it that pierces armor.
    virtual bool BulletDamage(float* /*damage*/, float* /*piercing*/) const { return false; }
    // A bullet's kind (kBullet* in Kuul.h): stone and metal throw more sparks for kind 2.
    virtual int BulletKind() const { return 0; }
    // An explosion: its strength (the blast radius, world units).
    virtual bool ExplosionStrength(float* /*strength*/) const { return false; }
    // A laser beam: the damage it deals an enemy each update it burns it.
    virtual bool LaserDamage(float* /*damage*/) const { return false; }

    // Stores the depth and asks the world to re-sort when it changed.
    void SetDepth(int d);
    int GetDepth() const { return depth; }
    // Changes the collision mode and has the physics filter the body's existing
    // contacts again, so pairs that touch now stop (or start) colliding at once.
    void SetCollisionMode(int32_t mode);
    // The body's angle in radians; 0 without a body.
    float GetAngle() const;

    TGame* game = nullptr;
    b2Body* body = nullptr;
    int32_t collisionType = 1;  // one bit, see Physics.h kCollision*
    int32_t collision = 1;      // 0 none, 1 solid, 2 sensor (kCollisionMode*)
    uint8_t selected = 0;       // belongs to the module being edited
    uint8_t dead = 0;           // removal request
    uint8_t onScreen = 0;       // set by the draw pass when the body is in view
    uint8_t alwaysDraw = 0;     // draw even when not found in view (no body)
    uint8_t seen = 0;           // the player has seen it (map screen)
    TWorld* world = nullptr;
    // Its place in the order objects were made (from 1, never reused): what
    // tells it apart from a later object at its address (TObjectRef).
    const uint64_t serial;

protected:
    int32_t depth = 0;          // lower first; change through SetDepth

private:
    void Join(TWorld* w);
};

// The live game object behind a script handle; null for stale, null or
// non-object handles.
TGameObject* ObjectFromHandle(const void* handle);

// The live game object of class T behind a script handle; null when the handle
// is not a live object or the object is not a T.
template <typename T>
T* ObjectFromHandleAs(const void* handle)
{
    return dynamic_cast<T*>(ObjectFromHandle(handle));
}
