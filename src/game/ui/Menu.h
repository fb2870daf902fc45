#pragma once
#include <string>

class TMenuItem;

// The main menu: a tree of labelled items under an invisible root, walked with
// the arrow keys and activated with Return or Down. Items with a script
// callback run it; items without one open their first child.
class TMenu {
public:
    TMenu();
    ~TMenu();
    TMenu(const TMenu&) = delete;
    TMenu& operator=(const TMenu&) = delete;

    // One frame of navigation; does nothing while the console is open.
    void Update();
    // Draws the open rows in the 640 x 480 overlay space; the caller sets the
    // transparency blend mode. Nothing while the root is current.
    void Draw() const;

    TMenuItem* Root() const { return root; }
    TMenuItem* Current() const { return current; }
    // Makes `item` current; the root when `item` is null.
    void SetCurrent(TMenuItem* item);

    TMenuItem* AddItem(TMenuItem* parent, const std::string& text, int callback);
    void RenameItem(TMenuItem* item, const std::string& text);
    // Deletes `item` and its subtree when it hangs under a parent, and makes
    // the root current. False (and nothing changes) for the root or an item
    // its parent does not list.
    bool RemoveItem(TMenuItem* item);

private:
    void Activate();

    TMenuItem* root;
    TMenuItem* current;
};

// The game's menu, used by the script functions; set at game set-up.
extern TMenu* gameMenu;
