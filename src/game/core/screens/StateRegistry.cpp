#include "core/screens/StateRegistry.h"

TStateRegistry stateRegistry;

void TStateRegistry::Add(const std::string& name, std::unique_ptr<TMenustate> state)
{
    states[name] = std::move(state);
}

TMenustate* TStateRegistry::Find(const std::string& name) const
{
    auto it = states.find(name);
    return it == states.end() ? nullptr : it->second.get();
}
