#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The recipes the scripts register with AddReaction, kept until the content
// is reloaded (ReloadContent). The table has a fixed size; a recipe that does not fit it (too
// many recipes, too many ingredients, names too long) is refused as a whole,
// so the combine menu never offers a recipe other than the one written.
class TReactionTable {
public:
    // One recipe: the item it makes and the items it uses up, in order. An
    // ingredient named twice needs two separate items of that name.
    struct Reaction {
        static constexpr int kMaxIngredients = 32;
        static constexpr int kNameSize = 16;    // at most 15 characters
        static constexpr int kResultSize = 32;  // at most 31 characters

        char ingredients[kMaxIngredients][kNameSize] = {};
        char result[kResultSize] = {};
        int32_t ingredientCount = 0;
    };

    static constexpr int kMaxReactions = 256;

    // Appends a recipe. Empty when it was added, else why it was refused.
    std::string Add(const std::string& result, const std::vector<std::string>& ingredients);
    // Forgets every recipe (before relvad.lua runs again).
    void Clear();

    int Count() const { return reactionCount; }
    const Reaction& At(int index) const { return reactions[index]; }

private:
    int32_t reactionCount = 0;
    Reaction reactions[kMaxReactions];
};

// The run's recipe table.
extern TReactionTable reactionTable;
