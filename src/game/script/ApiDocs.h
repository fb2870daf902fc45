#pragma once
#include <string>
#include <vector>

// What each registration says of the engine function it registers: the call
// as a script writes it and one line on what it does, grouped by subsystem.
// docs/lua-api.md is written from it (Markdown), so the page and the
// registrations cannot drift apart.
class TApiDocs {
public:
    struct Entry {
        std::string group;        // the subsystem's title
        std::string table;        // "" for a global function, else its table ("actor", "gl")
        std::string name;
        std::string call;         // "(x, y, angle, kind) -> object"
        std::string description;  // one line
    };

    // The functions added from now on belong to this subsystem.
    void BeginGroup(const std::string& title, const std::string& about);
    // A function registered again (every script host registers the API)
    // keeps its one entry.
    void Add(const std::string& table, const std::string& name, const char* call, const char* description);

    // Forgets every group and entry (before registering on a fresh state).
    void Clear();

    const std::vector<Entry>& Entries() const { return entries; }
    // The page docs/lua-api.md.
    std::string Markdown() const;

private:
    struct Group {
        std::string title;
        std::string about;
    };
    std::vector<Group> groups;
    std::vector<Entry> entries;
    std::string currentGroup;
};

// The run's documentation of its script API, filled by the registrations.
extern TApiDocs apiDocs;
