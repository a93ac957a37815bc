#include "core/Registry.h"

#include <utility>

namespace registry {

namespace {
std::function<void()>& frameUnloader() {
    static std::function<void()> f;
    return f;
}
std::function<Form*()>& startupFrameMaker() {
    static std::function<Form*()> f;
    return f;
}
std::function<void()>& mainMenuOpener() {
    static std::function<void()> f;
    return f;
}
std::function<void(int)>& activityOpener() {
    static std::function<void(int)> f;
    return f;
}
std::function<bool(int)>& activityWindows() {
    static std::function<bool(int)> f;
    return f;
}
}  // namespace

void setStartupFrameMaker(std::function<Form*()> make) { startupFrameMaker() = std::move(make); }

Form* makeStartupFrame() { return startupFrameMaker() ? startupFrameMaker()() : nullptr; }

void setFrameUnloader(std::function<void()> unload) { frameUnloader() = std::move(unload); }

void unloadFrame() {
    // The frame's unload may end in another fatal error; run the hook once at a time.
    static bool running = false;
    if (running || !frameUnloader())
        return;
    running = true;
    struct Reset {
        ~Reset() { running = false; }
    } reset;
    // A copy: the frame may unregister itself while it unloads.
    const std::function<void()> f = frameUnloader();
    f();
}

void setMainMenuOpener(std::function<void()> open) { mainMenuOpener() = std::move(open); }

void showMainMenu() {
    if (mainMenuOpener())
        mainMenuOpener()();
}

void setActivityOpener(std::function<void(int activity)> open) { activityOpener() = std::move(open); }

void openActivity(int activity) {
    if (activityOpener())
        activityOpener()(activity);
}

void setActivityWindows(std::function<bool(int activity)> has) { activityWindows() = std::move(has); }

bool activityHasWindow(int activity) { return !activityWindows() || activityWindows()(activity); }

void reset() {
    frameUnloader() = {};
    startupFrameMaker() = {};
    mainMenuOpener() = {};
    activityOpener() = {};
    activityWindows() = {};
}

}  // namespace registry
