#include "ui/Menu.h"
#include "core/InputTables.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "ui/MenuItem.h"
#include <vector>

TMenu* gameMenu = nullptr;

namespace {
constexpr float kByte = 1.0f / 255.0f;

void SetColorBytes(int r, int g, int b)
{
    SetColor(r * kByte, g * kByte, b * kByte, 1.0f);
}

void DrawBar(int itemY, int shade)
{
    DrawRect(0.0f, itemY - 2.0f, 320.0f, itemY + 8.0f, true, shade * kByte, shade * kByte,
             shade * kByte, 1.0f);
}

void DrawLabel(const TMenuItem& item, int r, int g, int b)
{
    SetColorBytes(r, g, b);
    DrawTextBlock(item.text, item.x + 1.0f, static_cast<float>(item.y));
}

void DrawLabelBox(const TMenuItem& item, int shade)
{
    DrawRect(item.x - 1.0f, item.y - 2.0f, item.x + item.width + 3.0f, item.y + 8.0f, true,
             shade * kByte, shade * kByte, shade * kByte, 1.0f);
}

void DrawTopRowLabel(const TMenuItem& item) { DrawLabel(item, 27, 27, 27); }
void DrawSiblingLabel(const TMenuItem& item) { DrawLabel(item, 73, 73, 73); }

void DrawAncestorLabel(const TMenuItem& item)
{
    DrawLabelBox(item, 18);
    DrawLabel(item, 73, 73, 73);
}

void DrawSelectedLabel(const TMenuItem& item)
{
    DrawLabelBox(item, 63);
    DrawThickLine(item.x - 1.0f, item.y + 8.0f, item.x + item.width + 3.0f, item.y + 8.0f,
                  107 * kByte, 145 * kByte, 250 * kByte, 1.0f, 2.0f);
    DrawLabel(item, 255, 255, 255);
}
}

TMenu::TMenu()
{
    root = new TMenuItem(nullptr, "korvanmire_win", kNoScriptRef);
    root->x = 3;
    root->y = -8;
    current = root;
}

TMenu::~TMenu()
{
    delete root;
}

void TMenu::SetCurrent(TMenuItem* item)
{
    current = item ? item : root;
}

TMenuItem* TMenu::AddItem(TMenuItem* parent, const std::string& text, int callback)
{
    return parent->AddChild(text, callback);
}

void TMenu::RenameItem(TMenuItem* item, const std::string& text)
{
    item->SetText(text);
}

bool TMenu::RemoveItem(TMenuItem* item)
{
    if (!item || !item->parent) return false;
    if (!item->parent->RemoveChild(item)) return false;
    // The current item may have been in the removed subtree.
    current = root;
    return true;
}

void TMenu::Update()
{
    if (console.visible) return;

    if (current == root) {
        if (!root->children.empty()) current = root->children.front();
    } else {
        const auto& row = current->parent->children;
        const int count = static_cast<int>(row.size());
        const int index = current->IndexInParent();
        if (KeyPressed(SDLK_RIGHT) && index >= 0) {
            current = row[(index + 1) % count];
        } else if (KeyPressed(SDLK_LEFT) && index >= 0) {
            current = row[(index + count - 1) % count];
        } else if (KeyPressed(SDLK_UP) && current->parent != root) {
            current = current->parent;
        }
    }

    if (KeyPressed(SDLK_RETURN) || KeyPressed(SDLK_DOWN)) Activate();
}

void TMenu::Activate()
{
    if (!current->HasCallback()) {
        if (!current->children.empty()) current = current->children.front();
        return;
    }
    // The callback may remove items, this one included; nothing of the tree is
    // touched after it returns.
    const int ref = current->callback;
    CallScriptRef(ref, ScriptErrors::Console);
}

void TMenu::Draw() const
{
    if (!current->parent) return;

    DrawBar(current->parent->y, 7);
    DrawBar(current->y, 18);

    for (const TMenuItem* item : root->children) DrawTopRowLabel(*item);
    for (const TMenuItem* item : current->parent->children) DrawSiblingLabel(*item);

    std::vector<const TMenuItem*> ancestors;
    for (const TMenuItem* item = current->parent; item && item != root; item = item->parent)
        ancestors.push_back(item);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) DrawAncestorLabel(**it);

    DrawSelectedLabel(*current);
}
