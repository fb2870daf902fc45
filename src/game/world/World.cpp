#include "world/World.h"
#include "util/AtomicFile.h"

void TWorld::Step()
{
    ++stepCount;
}

void TWorld::Draw()
{
    if (clearRequested) {
        clearRequested = false;
        Clear();
    }
}

void TWorld::DrawLate() {}

void TWorld::DrawOnMap(float) {}

void TWorld::Clear()
{
    stepCount = 0;
}

bool TWorld::SaveAsModule(const std::string& path) const
{
    return WriteFileAtomically(path, "");
}
