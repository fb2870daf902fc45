#pragma once
#include <cstddef>
#include <vector>

// Blocks of one size handed out and taken back for reuse, so that things made
// and destroyed every frame (bullets, list and table nodes) stop costing a
// heap allocation each once the game has warmed up. Blocks come from chunks
// of many at a time and go back to the list, never to the heap.
class TFreeList {
public:
    explicit TFreeList(size_t blockSize, size_t blocksPerChunk = 64);
    ~TFreeList();
    TFreeList(const TFreeList&) = delete;
    TFreeList& operator=(const TFreeList&) = delete;

    void* Take();
    void Give(void* block);
    size_t BlockSize() const { return blockSize; }

private:
    struct TFree {
        TFree* next;
    };
    void Grow();

    size_t blockSize;
    size_t blocksPerChunk;
    TFree* first = nullptr;
    std::vector<void*> chunks;
};

// For a class's own operator new and delete: sizes that fit the list's blocks
// come from the list, larger ones (a class derived from it) from the heap.
void* TakeBlock(TFreeList& blocks, size_t size);
void GiveBlock(TFreeList& blocks, void* block, size_t size);

// The free list of class T's own operator new and delete, one per class. It is
// kept for the whole run, so objects deleted at exit still come back to it.
template <typename T>
TFreeList& ClassBlocks()
{
    static TFreeList* blocks = new TFreeList(sizeof(T), 256);
    return *blocks;
}
