#pragma once
// Hooks through which the shared core reaches windows it must not include: each window
// registers itself when it loads. Small and open: later windows add their own entries here.
#include <functional>

namespace registry {

// The frame window's unload (it runs every child's unload first, then its own). A fatal error
// calls it before the program ends; nothing happens when none is registered.
void setFrameUnloader(std::function<void()> unload);
void unloadFrame();

}  // namespace registry
