#pragma once

// What the X11 window tests do alike: taking turns with the pointer, a mapped host window, and a
// screen grab of a window. Include after googletest (Xlib's macros None and Bool break it).

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace testsupport {

// The connection to the test stage's display, named by ZARN_WINDOW_TESTS; DISPLAY is set to it
// too, so that the code under test opens the same display, as in a host. The pointer is one for
// the whole display: test programs that ctest runs side by side take turns through a lock file.
class X11TestDisplay {
public:
    explicit X11TestDisplay(const std::string& lockPath)
    {
        lockFile = open(lockPath.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        if (lockFile < 0 || flock(lockFile, LOCK_EX) != 0)
            return;
        setenv("DISPLAY", std::getenv("ZARN_WINDOW_TESTS"), 1);
        display = XOpenDisplay(nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        if (display && !XTestQueryExtension(display, &event, &error, &major, &minor)) {
            XCloseDisplay(display);
            display = nullptr;
        }
    }
    ~X11TestDisplay()
    {
        if (display)
            XCloseDisplay(display);
        if (lockFile >= 0)
            close(lockFile);
    }
    X11TestDisplay(const X11TestDisplay&) = delete;
    X11TestDisplay& operator=(const X11TestDisplay&) = delete;

    // Null without a display or without XTest.
    Display* get() const { return display; }

    // A top-level window, mapped when this returns.
    Window createMappedWindow(int x, int y, unsigned width, unsigned height) const
    {
        const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, width, height, 0, 0, 0);
        XSelectInput(display, window, StructureNotifyMask);
        XMapWindow(display, window);
        XEvent mapped;
        do
            XWindowEvent(display, window, StructureNotifyMask, &mapped);
        while (mapped.type != MapNotify);
        return window;
    }

    // The top-left width x height pixels of window: blue, green, red, unused; empty when unreadable.
    std::vector<uint8_t> capture(Window window, int width, int height) const
    {
        std::vector<uint8_t> pixels;
        XImage* image =
            window ? XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap) : nullptr;
        for (int y = 0; image && y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                pixels.insert(pixels.end(), {uint8_t(pixel), uint8_t(pixel >> 8), uint8_t(pixel >> 16), 0});
            }
        if (image)
            XDestroyImage(image);
        return pixels;
    }

private:
    Display* display = nullptr;
    int lockFile = -1;
};

} // namespace testsupport
