#pragma once

// What the current screen state is, for objects that act or draw differently
// under it: false when there is no game or no current state.
bool CurrentScreenIsEditor();
bool CurrentScreenDrawsShadows();
