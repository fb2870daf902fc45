#include "util/FreeList.h"
#include <algorithm>
#include <new>

TFreeList::TFreeList(size_t size, size_t perChunk)
    : blockSize(std::max({size, sizeof(TFree), alignof(std::max_align_t)})),
      blocksPerChunk(std::max<size_t>(perChunk, 1))
{
    // Every block starts on a boundary fit for any type.
    const size_t align = alignof(std::max_align_t);
    blockSize = (blockSize + align - 1) / align * align;
}

TFreeList::~TFreeList()
{
    for (void* chunk : chunks) ::operator delete(chunk);
}

void* TFreeList::Take()
{
    if (!first) Grow();
    TFree* block = first;
    first = block->next;
    return block;
}

void TFreeList::Give(void* block)
{
    if (!block) return;
    auto* free = static_cast<TFree*>(block);
    free->next = first;
    first = free;
}

void TFreeList::Grow()
{
    char* chunk = static_cast<char*>(::operator new(blockSize * blocksPerChunk));
    chunks.push_back(chunk);
    for (size_t i = blocksPerChunk; i-- > 0;) Give(chunk + i * blockSize);
}

// Blocks are rounded up to the alignment: a class of 152 bytes takes blocks
// of 160 and must still get them.
void* TakeBlock(TFreeList& blocks, size_t size)
{
    return size <= blocks.BlockSize() ? blocks.Take() : ::operator new(size);
}

void GiveBlock(TFreeList& blocks, void* block, size_t size)
{
    if (size <= blocks.BlockSize())
        blocks.Give(block);
    else
        ::operator delete(block);
}
