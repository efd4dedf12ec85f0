// x_window_tool, X windows for the Linux saver's tests:
//   x_window_tool hold WxH    makes and maps a window, prints its id; destroys
//                             it when "destroy" arrives on stdin, ends at EOF
//   x_window_tool pixel X Y   the root window's colour at X,Y as "R G B"
//   x_window_tool idle        the X server's idle time in milliseconds
//                             (MIT-SCREEN-SAVER), what DPMS and lockers count from

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

int Hold(Display* display, int width, int height)
{
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                                              static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("%lu\n", window);
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
        if (line != "destroy") continue;
        XDestroyWindow(display, window);
        XSync(display, False);
        std::printf("destroyed\n");
        std::fflush(stdout);
    }
    return 0;
}

int Pixel(Display* display, int x, int y)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 1;
    const unsigned long colour = XGetPixel(image, 0, 0);
    std::printf("%lu %lu %lu\n", (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
    XDestroyImage(image);
    return 0;
}

int Idle(Display* display)
{
    int event = 0, error = 0;
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (!info || !XScreenSaverQueryExtension(display, &event, &error) ||
        !XScreenSaverQueryInfo(display, DefaultRootWindow(display), info)) {
        std::fprintf(stderr, "x_window_tool: no MIT-SCREEN-SAVER extension\n");
        XFree(info);
        return 1;
    }
    std::printf("%lu\n", info->idle);
    XFree(info);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_window_tool: no display\n");
        return 1;
    }
    int width = 0, height = 0, result = 2;
    if (argc == 3 && std::strcmp(argv[1], "hold") == 0 && std::sscanf(argv[2], "%dx%d", &width, &height) == 2)
        result = Hold(display, width, height);
    else if (argc == 4 && std::strcmp(argv[1], "pixel") == 0)
        result = Pixel(display, std::atoi(argv[2]), std::atoi(argv[3]));
    else if (argc == 2 && std::strcmp(argv[1], "idle") == 0)
        result = Idle(display);
    else
        std::fprintf(stderr, "usage: x_window_tool hold WxH | pixel X Y | idle\n");
    XCloseDisplay(display);
    return result;
}
