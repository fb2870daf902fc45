#include "audio/Sound.h"
#include <random>

namespace {

// Which variant plays is heard, not simulated: its own dice.
std::minstd_rand variantDice;

} // namespace

void TSound::AddVariant(Mix_Chunk* chunk)
{
    if (chunk) variants.push_back(chunk);
}

Mix_Chunk* TSound::Variant(std::size_t index) const
{
    return index < variants.size() ? variants[index] : nullptr;
}

Mix_Chunk* TSound::PickVariant() const
{
    if (variants.empty()) return nullptr;
    return variants[std::size_t(variantDice()) % variants.size()];
}
