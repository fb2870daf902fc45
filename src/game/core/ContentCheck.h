#pragma once
#include <set>
#include <string>
#include <vector>

// korvanmire --check: the content as a start loads it (shipped, then the
// player's content/), without a window, a display or OpenGL. Builds every room
// and every level of the campaign in a world nobody draws, resolves the
// sprites, sounds and items that object kinds, items and recipes name, and
// prints each problem on the standard output as "FILE: message" (FILE:LINE
// where the line is known).
class TContentCheck {
public:
    // Needs the data directory entered and the user's paths set; creates the
    // game itself. The exit status: 0 when nothing was wrong, 1 otherwise.
    int Run();

    // One console line as a problem line: a "FILE:LINE:" it names comes first,
    // else the first script file it names, else `context`. Empty for the
    // lines that are no problem ("Loading:..."), and for blank ones.
    static std::string ProblemLine(const std::string& line, const std::string& context);

private:
    // Every text printed on the console during the check, line by line.
    void Hear(const std::string& text);
    void EndLine();
    void Problem(const std::string& file, const std::string& message);
    void Note(const std::string& problem);

    void BuildModules();
    void BuildLevels();
    // The triggers' scripts and the crates' items of what was just built.
    void ResolveWorld();
    void ResolveObjectKinds();
    void ResolveItems();
    void ResolveRecipes();

    std::vector<std::string> problems;
    std::set<std::string> worldProblems;  // ResolveWorld's, without their file
    std::string partLine;  // console text not yet ended by a line break
    std::string context;   // the file the current step runs
};
