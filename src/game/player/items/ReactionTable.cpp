#include "player/items/ReactionTable.h"
#include <cstring>

TReactionTable reactionTable;

std::string TReactionTable::Add(const std::string& result, const std::vector<std::string>& ingredients)
{
    if (reactionCount >= kMaxReactions)
        return "the recipe table is full (" + std::to_string(kMaxReactions) + " recipes)";
    if (ingredients.empty()) return "a recipe needs at least one ingredient";
    if (int(ingredients.size()) > Reaction::kMaxIngredients)
        return "more than " + std::to_string(Reaction::kMaxIngredients) + " ingredients";
    if (result.empty() || result.size() >= size_t(Reaction::kResultSize) ||
        result.find('\0') != std::string::npos)
        return "result name \"" + result + "\" must have 1 to " +
               std::to_string(Reaction::kResultSize - 1) + " characters";
    for (const std::string& name : ingredients)
        if (name.empty() || name.size() >= size_t(Reaction::kNameSize) ||
            name.find('\0') != std::string::npos)
            return "ingredient name \"" + name + "\" must have 1 to " +
                   std::to_string(Reaction::kNameSize - 1) + " characters";

    Reaction& r = reactions[reactionCount];
    r = Reaction();
    std::memcpy(r.result, result.data(), result.size());
    for (size_t i = 0; i < ingredients.size(); ++i)
        std::memcpy(r.ingredients[i], ingredients[i].data(), ingredients[i].size());
    r.ingredientCount = int32_t(ingredients.size());
    ++reactionCount;
    return {};
}

void TReactionTable::Clear()
{
    reactionCount = 0;
    for (Reaction& r : reactions) r = Reaction();
}
