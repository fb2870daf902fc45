#pragma once
#include <string>
#include <vector>

// One entry of the main menu tree. The item owns its children; deleting an
// item deletes its whole subtree and releases the script callbacks held there.
// Every live item is registered as a MenuItem handle so scripts can hold it.
class TMenuItem {
public:
    // Horizontal gap between neighbouring labels of one row, and row spacing.
    static constexpr int kRowStartX = 3;
    static constexpr int kLabelGap = 6;
    static constexpr int kRowHeight = 10;

    // `callback` is a script registry reference (kNoScriptRef for none); the
    // item takes it over and releases it when deleted.
    TMenuItem(TMenuItem* parent, const std::string& text, int callback);
    ~TMenuItem();
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    // Creates a child at the end of the row and lays the row out again.
    TMenuItem* AddChild(const std::string& text, int callback);
    // Deletes `child` and its subtree when it is one of ours; false otherwise.
    bool RemoveChild(TMenuItem* child);
    // Sets the label, measures it, and re-lays the row the item sits in.
    void SetText(const std::string& newText);
    // Places the children in one row below this item.
    void LayoutChildren();

    // Position among the parent's children; -1 for the root.
    int IndexInParent() const;
    bool HasCallback() const;

    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    TMenuItem* parent = nullptr;
    std::vector<TMenuItem*> children;  // creation order, owned
    int callback;
};
