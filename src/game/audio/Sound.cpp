#include "audio/Sound.h"
#include <cstdlib>

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
    return variants[std::size_t(std::rand()) % variants.size()];
}
