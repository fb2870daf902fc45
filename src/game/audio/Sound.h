#pragma once
#include <cstddef>
#include <vector>

struct Mix_Chunk;

// A sound effect: one or more recorded variants, one of which is picked at
// random each time it plays. Created by sfx.lua through _LoadSound and kept for
// the whole run; the chunks belong to it.
class TSound {
public:
    void AddVariant(Mix_Chunk* chunk);
    std::size_t VariantCount() const { return variants.size(); }
    bool Empty() const { return variants.empty(); }
    Mix_Chunk* Variant(std::size_t index) const;
    // A variant chosen at random; null when there is none. The choice draws
    // from a random stream of its own, never from the game's rand(): whether
    // a sound starts depends on the mixer (a free channel, an open device),
    // and that must not shift what the game's dice give, or a recorded run
    // would play back differently.
    Mix_Chunk* PickVariant() const;

private:
    std::vector<Mix_Chunk*> variants;
};
