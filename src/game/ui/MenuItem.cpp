#include "ui/MenuItem.h"
#include "render/Text.h"
#include "script/Handles.h"
#include "script/ScriptHost.h"
#include <algorithm>

TMenuItem::TMenuItem(TMenuItem* parentItem, const std::string& label, int callbackRef)
    : parent(parentItem), callback(callbackRef)
{
    RegisterHandle(this, HandleKind::MenuItem);
    text = label;
    MeasureText(text.c_str(), &width, &height);
}

TMenuItem::~TMenuItem()
{
    // Unregister first so nothing can reach a half-destroyed item.
    UnregisterHandle(this);
    for (TMenuItem* child : children) delete child;
    children.clear();
    if (callback != kNoScriptRef) ReleaseScriptRef(callback);
    callback = kNoScriptRef;
}

TMenuItem* TMenuItem::AddChild(const std::string& label, int callbackRef)
{
    auto* child = new TMenuItem(this, label, callbackRef);
    children.push_back(child);
    LayoutChildren();
    return child;
}

bool TMenuItem::RemoveChild(TMenuItem* child)
{
    auto it = std::find(children.begin(), children.end(), child);
    if (it == children.end()) return false;
    children.erase(it);
    delete child;
    LayoutChildren();
    return true;
}

void TMenuItem::SetText(const std::string& newText)
{
    text = newText;
    MeasureText(text.c_str(), &width, &height);
    if (parent) parent->LayoutChildren();
}

void TMenuItem::LayoutChildren()
{
    int nextX = kRowStartX;
    for (TMenuItem* child : children) {
        child->x = nextX;
        child->y = y + kRowHeight;
        nextX = child->x + child->width + kLabelGap;
    }
}

int TMenuItem::IndexInParent() const
{
    if (!parent) return -1;
    const auto& row = parent->children;
    auto it = std::find(row.begin(), row.end(), this);
    return it == row.end() ? -1 : static_cast<int>(it - row.begin());
}

bool TMenuItem::HasCallback() const
{
    return callback != kNoScriptRef;
}
