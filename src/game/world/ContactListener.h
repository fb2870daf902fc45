#pragma once
#include <box2d/b2_world_callbacks.h>

// Contacts reach objects through the contact pass after the step, never from
// inside it, so every callback here does nothing.
class TContactListener : public b2ContactListener {
public:
    void BeginContact(b2Contact*) override {}
    void EndContact(b2Contact*) override {}
    void PreSolve(b2Contact*, const b2Manifold*) override {}
    void PostSolve(b2Contact*, const b2ContactImpulse*) override {}
};
