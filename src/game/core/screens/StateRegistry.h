#pragma once
#include "core/screens/Menustate.h"
#include <map>
#include <memory>
#include <string>

// Every screen state by name, owned for the whole run.
class TStateRegistry {
public:
    void Add(const std::string& name, std::unique_ptr<TMenustate> state);
    TMenustate* Find(const std::string& name) const;
    void Clear() { states.clear(); }

private:
    std::map<std::string, std::unique_ptr<TMenustate>> states;
};

extern TStateRegistry stateRegistry;
