// The rig first: it brings googletest, whose headers Xlib's macros (None, Bool) would break.
#include "EditorRig.h"

#include "EditorHostWindow.h"
#include "X11TestDisplay.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/OptionMenuPanel.h"

#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

namespace editortest {
namespace {

constexpr int kParentX = 40;
constexpr int kParentY = 60;

// The mapped windows that pop up over everything (menus), by id.
std::set<Window> popUps(Display* display)
{
    std::set<Window> found;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, children[i], &attributes) && attributes.override_redirect &&
                attributes.map_state == IsViewable)
                found.insert(children[i]);
        }
        if (children)
            XFree(children);
    }
    return found;
}

class X11EditorHost : public EditorHostWindow {
public:
    X11EditorHost(int32_t width, int32_t height)
    {
        if (display)
            window = connection.createMappedWindow(kParentX, kParentY, unsigned(width), unsigned(height));
    }
    ~X11EditorHost() override
    {
        if (display && window)
            XDestroyWindow(display, window);
    }
    bool ready() const { return window != 0; }

    void* parent() override { return reinterpret_cast<void*>(uintptr_t(window)); }
    void pump() override { XSync(display, False); }
    void send(Input input, CPoint at, int32_t buttons) override
    {
        XTestFakeMotionEvent(display, DefaultScreen(display), kParentX + int(at.x), kParentY + int(at.y), CurrentTime);
        if (input != Input::move)
            XTestFakeButtonEvent(display, buttons & kRButton ? 3 : 1, input == Input::press, CurrentTime);
        XSync(display, False);
    }
    std::vector<uint8_t> capture(int32_t width, int32_t height) override
    {
        return connection.capture(editorWindow(), width, height);
    }
    CPoint editorWindowSize() override { return sizeOf(editorWindow()); }
    CPoint parentSize() override { return sizeOf(window); }
    int childWindows() override { return int(children().size()); }
    int openHandles() override { return int(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {})); }

    void chooseFromMenu(CPoint at, int32_t index, const std::function<void()>& idle) override
    {
        const std::set<Window> before = popUps(display);
        std::atomic<bool> finished{false};
        // The user, on a connection of its own: this thread's waits inside the idle that shows
        // the menu. Escape ends a menu that is not found, rather than hang the test.
        std::thread user([&, index] {
            Display* own = XOpenDisplay(nullptr);
            bool clicked = false;
            for (int wait = 0; wait < 1000 && !clicked; ++wait) {
                for (Window menu : popUps(own)) {
                    if (before.count(menu) || clicked)
                        continue;
                    COptionMenu probe(CRect(0, 0, 100, 20), nullptr, 0);
                    for (const char* title : {"Default", "Large", "Huge"})
                        probe.addEntry(title);
                    probe.addSeparator();
                    const CPoint entry = OptionMenuPanel(probe, 100).getEntryRect(index).getCenter();
                    int x = 0, y = 0;
                    Window child = 0;
                    XTranslateCoordinates(own, menu, DefaultRootWindow(own), int(entry.x), int(entry.y), &x, &y, &child);
                    XTestFakeMotionEvent(own, DefaultScreen(own), x, y, CurrentTime);
                    XTestFakeButtonEvent(own, 1, True, CurrentTime);
                    XTestFakeButtonEvent(own, 1, False, CurrentTime);
                    clicked = true;
                }
                if (!clicked)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            if (!clicked) {
                XTestFakeKeyEvent(own, XKeysymToKeycode(own, XK_Escape), True, CurrentTime);
                XTestFakeKeyEvent(own, XKeysymToKeycode(own, XK_Escape), False, CurrentTime);
            }
            XSync(own, False);
            XCloseDisplay(own);
            finished = true;
        });
        send(Input::press, at, kRButton);
        send(Input::release, at, kRButton);
        // The press reaches the editor at an idle; the menu's own loop runs inside that idle.
        for (int i = 0; i < 2000 && !finished; ++i) {
            idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        user.join();
        idle();
    }

private:
    std::vector<Window> children()
    {
        std::vector<Window> found;
        Window root = 0, parentOfParent = 0;
        Window* list = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, window, &root, &parentOfParent, &list, &count)) {
            found.assign(list, list + count);
            if (list)
                XFree(list);
        }
        return found;
    }
    Window editorWindow()
    {
        const std::vector<Window> list = children();
        return list.empty() ? 0 : list.front();
    }
    CPoint sizeOf(Window target)
    {
        XWindowAttributes attributes{};
        if (!target || !XGetWindowAttributes(display, target, &attributes))
            return CPoint(0, 0);
        return CPoint(attributes.width, attributes.height);
    }

    testsupport::X11TestDisplay connection{testsupport::outputPath("x11-window-tests.lock")};
    Display* display = connection.get();
    Window window = 0;
};

} // namespace

std::unique_ptr<EditorHostWindow> makeEditorHostWindow(int32_t width, int32_t height)
{
    auto host = std::make_unique<X11EditorHost>(width, height);
    EXPECT_TRUE(host->ready()) << "no display or no XTest at " << std::getenv("ZARN_WINDOW_TESTS");
    return host->ready() ? std::move(host) : nullptr;
}

} // namespace editortest
