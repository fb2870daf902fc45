// Recycled blocks for things made and destroyed every frame (bullets, decals).
#include "util/FreeList.h"
#include <gtest/gtest.h>

// A size that is no multiple of the alignment (a floor decal's 152 bytes) still
// takes its blocks from the list and gives them back there, and a larger one
// (a derived class) goes to the heap, never into the list.
TEST(FreeList, OddSizesAreRecycledAndLargerOnesAreNot)
{
    TFreeList blocks(152, 4);
    EXPECT_GE(blocks.BlockSize(), 152u);
    void* decal = TakeBlock(blocks, 152);
    GiveBlock(blocks, decal, 152);
    // The list hands out the block given back last first.
    void* again = blocks.Take();
    EXPECT_EQ(again, decal);
    blocks.Give(again);

    void* larger = TakeBlock(blocks, blocks.BlockSize() + 16);
    GiveBlock(blocks, larger, blocks.BlockSize() + 16);
    void* next = blocks.Take();
    EXPECT_NE(next, larger);
    EXPECT_EQ(next, decal);
    blocks.Give(next);
}
