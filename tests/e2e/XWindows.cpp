// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The end-to-end checks' view of the X server, as a window manager has it:
//   watch          prints "ID TITLE" for each top-level window title as it appears, until killed;
//                  "ready" first, once connected
//   close TITLE    asks the window titled TITLE to close with a WM_DELETE_WINDOW client message,
//                  which is what the desktop sends when the player clicks the title bar's button
// The checks find windows through one watcher that connects before the launcher starts: an X
// server on a busy machine can drop a client whose connection is being set up while another
// client connects, so a check that polled with a new connection each time could cost the launcher
// its own.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Titled {
  Window window;
  std::string title;
};

// Every titled window under `window`, its descendants included (Qt titles a frame's child).
void CollectTitled(Display* display, Window window, std::vector<Titled>& found) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    found.push_back({window, name});
    XFree(name);
  }
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return;
  for (unsigned int i = 0; i < count; ++i) CollectTitled(display, children[i], found);
  if (children != nullptr) XFree(children);
}

// A window can go while it is being read: that is no error here.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

int Watch(Display* display) {
  std::printf("ready\n");
  std::fflush(stdout);
  // What the last look found: the X server reuses a closed window's id for a later client's.
  std::set<std::pair<Window, std::string>> shown;
  for (;;) {
    std::vector<Titled> found;
    CollectTitled(display, XDefaultRootWindow(display), found);
    std::set<std::pair<Window, std::string>> now;
    for (const Titled& titled : found) {
      now.insert({titled.window, titled.title});
      if (shown.count({titled.window, titled.title}) == 0) {
        std::printf("%lu %s\n", titled.window, titled.title.c_str());
      }
    }
    shown = std::move(now);
    std::fflush(stdout);
    usleep(50 * 1000);
  }
}

int Close(Display* display, const std::string& title) {
  std::vector<Titled> found;
  CollectTitled(display, XDefaultRootWindow(display), found);
  for (const Titled& titled : found) {
    if (titled.title != title) continue;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = titled.window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, titled.window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
  }
  std::fprintf(stderr, "no window titled \"%s\"\n", title.c_str());
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (!(command == "watch" && argc == 2) && !(command == "close" && argc == 3)) {
    std::fprintf(stderr, "usage: %s watch | close WINDOW-TITLE\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  const int status = command == "watch" ? Watch(display) : Close(display, argv[2]);
  XCloseDisplay(display);
  return status;
}
