#include "core/ContentCheck.h"
#include "core/Game.h"
#include "core/Startup.h"
#include "level/LevelLoader.h"
#include "player/items/Item.h"
#include "player/items/ReactionTable.h"
#include "render/Sprite.h"
#include "render/Texture.h"
#include "script/Console.h"
#include "script/Handles.h"
#include "script/ScriptHost.h"
#include "util/UserStatePaths.h"
#include "world/FloorBitmap.h"
#include "world/Kast.h"
#include "world/ObjectDefinition.h"
#include "world/Sein.h"
#include "world/Trigger.h"
#include "world/World.h"
#include <SDL/SDL.h>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

// "./mods/x.lua" as the game names it, "mods/x.lua".
std::string PlainPath(const std::string& path)
{
    return path.rfind("./", 0) == 0 ? path.substr(2) : path;
}

// The file a name of the player's content or the shipped data is read from
// ("mods/room_x.lua", "level3/objects.lua"), for the problems that name none.
std::string ContentFileOf(const std::string& name)
{
    for (const std::string& path : userStatePaths.ContentPaths(name))
        if (std::filesystem::exists(path)) return PlainPath(path);
    return name;
}

// A room's file: the player's copy wins over the shipped one, as LoadModules has it.
std::string ModuleFileOf(const std::string& name)
{
    const std::vector<std::string> dirs = userStatePaths.ModuleDirs();
    for (auto dir = dirs.rbegin(); dir != dirs.rend(); ++dir) {
        const std::string path = *dir + "/" + name + ".lua";
        if (std::filesystem::exists(path)) return PlainPath(path);
    }
    return "mods/" + name + ".lua";
}

// Why the sprite `name` cannot show frame `frame`; empty when it can.
std::string SpriteProblem(const std::string& name, int frame)
{
    const TSprite* sprite = FindSprite(name);
    if (!sprite) return "no sprite named \"" + name + "\"";
    if (!sprite->texture) return "sprite \"" + name + "\" has no texture";
    const TSpriteFrame* shown = sprite->DrawableFrame(frame);
    if (!shown)
        return "sprite \"" + name + "\" has no frame " + std::to_string(frame) + " (it has " +
               std::to_string(sprite->frameCount) + ")";
    // An image that did not load leaves a 1 x 1 texture: every frame reaches past it.
    const TTexture& texture = *sprite->texture;
    if (shown->uRight * float(texture.width) > float(texture.imageWidth) + 0.5f ||
        shown->vBottom * float(texture.height) > float(texture.imageHeight) + 0.5f)
        return "frame " + std::to_string(frame) + " of sprite \"" + name + "\" lies outside its image \"" +
               texture.name + "\" (" + std::to_string(texture.imageWidth) + " x " +
               std::to_string(texture.imageHeight) + "; did the image load?)";
    return "";
}

bool SoundExists(const std::string& name)
{
    return IsHandle(ResolveScriptName("GetSound", name.c_str()), HandleKind::Sound);
}

bool ItemExists(const std::string& name)
{
    return TScriptTable::ReadEntry("itemtable", name).has_value();
}

// The separators of a file name in a message: white space, a colon, a quote.
bool IsSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

bool EndsWord(char c)
{
    return IsSpace(c) || c == ':' || IsQuote(c);
}

// "./x" at the start of a message or of a word, as "x".
std::string WithoutDotSlash(const std::string& text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool wordStart = i == 0 || IsSpace(text[i - 1]) || IsQuote(text[i - 1]);
        if (wordStart && text.compare(i, 2, "./") == 0) {
            ++i;
            continue;
        }
        plain += text[i];
    }
    return plain;
}

// A run of a message's characters between separators: where a file name may stand.
struct Word {
    size_t begin;
    size_t end;
};

std::vector<Word> WordsOf(const std::string& text)
{
    std::vector<Word> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && EndsWord(text[i])) ++i;
        const size_t begin = i;
        while (i < text.size() && !EndsWord(text[i])) ++i;
        if (i > begin) words.push_back({begin, i});
    }
    return words;
}

// The whole word is a Lua file's name: "x.lua", not ".lua".
bool NamesLuaFile(const std::string& text, const Word& word)
{
    return word.end - word.begin >= 5 && text.compare(word.end - 4, 4, ".lua") == 0;
}

} // namespace

std::string TContentCheck::ProblemLine(const std::string& line, const std::string& context)
{
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    // Paths of the data directory read as the game names them, without "./".
    const std::string text = WithoutDotSlash(line.substr(first));
    // What LoadLevel says of every level: news, not a problem.
    if (text.rfind("Loading:", 0) == 0) return "";
    // CreateTrigger echoes each trigger's period, a bare number.
    if (text.find_first_not_of("0123456789") == std::string::npos) return "";
    const std::vector<Word> words = WordsOf(text);
    // Lua's "FILE:LINE:" wherever the message carries it.
    for (const Word& word : words) {
        if (!NamesLuaFile(text, word)) continue;
        if (word.end >= text.size() || text[word.end] != ':') continue;
        size_t lineEnd = word.end + 1;
        while (lineEnd < text.size() && std::isdigit(static_cast<unsigned char>(text[lineEnd]))) ++lineEnd;
        if (lineEnd == word.end + 1 || lineEnd >= text.size() || text[lineEnd] != ':') continue;
        if (word.begin == 0) return text;
        size_t restBegin = lineEnd + 1;
        while (restBegin < text.size() && IsSpace(text[restBegin])) ++restBegin;
        const std::string file = text.substr(word.begin, word.end - word.begin);
        const std::string lineNumber = text.substr(word.end + 1, lineEnd - word.end - 1);
        return file + ":" + lineNumber + ": " + text.substr(0, word.begin) + text.substr(restBegin);
    }
    // A message that begins with its file already ("gfx.lua: ...").
    if (!words.empty() && words[0].begin == 0 && NamesLuaFile(text, words[0]) &&
        text.compare(words[0].end, 2, ": ") == 0)
        return text;
    // A file named anywhere else: the longest "....lua" that begins a word.
    for (const Word& word : words) {
        if (word.end - word.begin < 5) continue;
        const size_t lua = text.rfind(".lua", word.end - 4);
        if (lua == std::string::npos || lua < word.begin + 1) continue;
        const size_t fileEnd = lua + 4;
        const std::string file = text.substr(word.begin, fileEnd - word.begin);
        if (word.begin == 0) return file + ":" + text.substr(fileEnd);
        return file + ": " + text;
    }
    return context + ": " + text;
}

void TContentCheck::Hear(const std::string& text)
{
    for (const char c : text) {
        if (c == '\n')
            EndLine();
        else
            partLine += c;
    }
}

void TContentCheck::EndLine()
{
    const std::string line = ProblemLine(partLine, context);
    partLine.clear();
    if (!line.empty()) Note(line);
}

void TContentCheck::Problem(const std::string& file, const std::string& message)
{
    Note(file + ": " + message);
}

void TContentCheck::Note(const std::string& problem)
{
    // A room a level uses fails there as it did alone: once is enough.
    if (std::find(problems.begin(), problems.end(), problem) == problems.end()) problems.push_back(problem);
}

int TContentCheck::Run()
{
    console.listener = [this](const std::string& text) { Hear(text); };
    // Sounds load as the game loads them, on a device that plays nothing; no
    // video: the check runs where there is no display.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_AUDIO);
    SetTextureUpload(false);

    // No stats of its own: a name that is never there.
    game = new TGame("--check-has-no-stats");
    context = "luainit.lua";
    StartScriptHost();
    context = "init.lua";
    LoadContent();
    EndLine();

    BuildModules();
    BuildLevels();
    ResolveObjectKinds();
    ResolveItems();
    ResolveRecipes();
    EndLine();
    console.listener = nullptr;

    for (const std::string& problem : problems) std::printf("%s\n", problem.c_str());
    std::fflush(stdout);
    if (problems.empty())
        std::fprintf(stderr, "korvanmire --check: no problems\n");
    else
        std::fprintf(stderr, "korvanmire --check: %zu problem%s\n", problems.size(), problems.size() == 1 ? "" : "s");
    return problems.empty() ? 0 : 1;
}

void TContentCheck::BuildModules()
{
    // Each room alone at the origin of an empty world, as F12 builds it;
    // PlaceModule reports a build that stops part way.
    const std::vector<std::string> names = game->moduleNames;
    for (const std::string& name : names) {
        context = ModuleFileOf(name);
        game->world->Clear();
        CallScriptFunction("PlaceModule",
                           {ScriptValue::Number(0), ScriptValue::Number(0), ScriptValue::Number(0), ScriptValue::String(name)},
                           0, ScriptErrors::Console);
        EndLine();
        ResolveWorld();
    }
    game->world->Clear();
}

void TContentCheck::BuildLevels()
{
    std::vector<std::string> levels;
    for (int i = 1;; ++i) {
        const ScriptValue name = GetTableEntry("levels", i);
        if (name.type == ScriptValue::Type::Nil) break;
        if (name.type == ScriptValue::Type::String)
            levels.push_back(name.text);
        else
            Problem("levels.lua", "levels[" + std::to_string(i) + "] is no level name");
    }
    if (levels.empty()) Problem("levels.lua", "the campaign has no levels (the table levels is empty)");
    for (const std::string& level : levels) {
        context = ContentFileOf(level + "/objects.lua");
        LoadLevel(game, level);
        EndLine();
        ResolveWorld();
    }
    game->world->Clear();
}

void TContentCheck::ResolveWorld()
{
    // Names the pieces keep and look up only when the player reaches them (a
    // trigger's script when it is stepped on, a crate's items when it opens),
    // and the sprites and textures of the pieces that draw nothing without them.
    // A room's fault shows again in every level built with it: it is
    // reported once, for the room.
    const auto report = [this](const std::string& message) {
        if (worldProblems.insert(message).second) Problem(context, message);
    };
    for (const TGameObject* object : game->world->objects) {
        if (const auto* trigger = dynamic_cast<const TTrigger*>(object)) {
            if (trigger->scriptRef == kNoScriptRef)
                report("trigger \"" + trigger->scriptName + "\": scripttable has no function of that name");
        } else if (const auto* block = dynamic_cast<const TSein*>(object); block && block->type == kBlockNamedSprite) {
            const std::string problem = SpriteProblem(block->spriteName, int(block->frame));
            if (!problem.empty()) report("a wall block (CreateBlock2): " + problem);
        } else if (const auto* crate = dynamic_cast<const TKast*>(object)) {
            if (!FindSprite(crate->crateKind)) report("a crate of kind \"" + crate->crateKind + "\", which is no sprite");
            for (const std::string& item : crate->items)
                if (!ItemExists(item)) report("a crate holds \"" + item + "\", which is no item");
        }
    }
    for (const TBitmap* bitmap : game->world->bitmaps) {
        const auto* floor = dynamic_cast<const TFloorBitmap*>(bitmap);
        if (floor && !floor->texture)
            report("a floor bitmap (CreateBitmap) names texture \"" + floor->textureName + "\", which is no texture");
    }
}

void TContentCheck::ResolveObjectKinds()
{
    context = "objects.lua";
    for (const std::string& name : GetTableKeys("objectlist")) {
        std::string error;
        bool unknown = false;
        const std::optional<TObjectDefinition> kind = TObjectDefinition::Read(name, &error, &unknown);
        if (!kind) {
            Problem(context, "object kind \"" + name + "\": " + error);
            continue;
        }
        const std::string problem = SpriteProblem(kind->sprite, kind->frame);
        if (!problem.empty()) Problem(context, "object kind \"" + name + "\": " + problem);
    }
}

void TContentCheck::ResolveItems()
{
    context = "relvad.lua";
    for (const std::string& name : GetTableKeys("itemtable")) {
        TItem::Entry entry;
        std::string error;
        if (!TItem::ReadEntry(name, &entry, &error)) {
            Problem(context, "item \"" + name + "\": " + error);
            continue;
        }
        const std::string problem = SpriteProblem(entry.spriteName, entry.frame);
        if (!problem.empty()) Problem(context, "item \"" + name + "\": " + problem);
        for (const char* key : {"shootsound", "reloadsound"}) {
            std::string sound;
            if (entry.table.Has(key) && entry.table.GetString(key, &sound, &error) && !SoundExists(sound))
                Problem(context, "item \"" + name + "\": " + key + " \"" + sound + "\" is no sound");
        }
    }
}

void TContentCheck::ResolveRecipes()
{
    context = "relvad.lua";
    for (int i = 0; i < reactionTable.Count(); ++i) {
        const TReactionTable::Reaction& reaction = reactionTable.At(i);
        if (!ItemExists(reaction.result))
            Problem(context, std::string("recipe for \"") + reaction.result + "\": no item of that name");
        for (int j = 0; j < reaction.ingredientCount; ++j)
            if (!ItemExists(reaction.ingredients[j]))
                Problem(context, std::string("recipe for \"") + reaction.result + "\": ingredient \"" +
                                     reaction.ingredients[j] + "\" is no item");
    }
}
