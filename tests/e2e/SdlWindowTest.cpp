#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "platform/gfx/Png.h"

// Xlib's macros (None, Bool, Status) must come after everything that could use those names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace std::chrono_literals;
using e2e::WaitFor;

constexpr int SCALE = 2;

Window FindNamedWindow(Display* display, Window from, const char* name) {
  char* title = nullptr;
  const bool match =
      XFetchName(display, from, &title) != 0 && title != nullptr && std::string(title) == name;
  XFree(title);
  Window root = 0, parent = 0, found = match ? from : 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (found == 0 && XQueryTree(display, from, &root, &parent, &children, &count) != 0) {
    for (unsigned i = 0; i < count && found == 0; ++i)
      found = FindNamedWindow(display, children[i], name);
    XFree(children);
  }
  return found;
}

// The screen of a real X server, checked against the framebuffer the program wrote.
TEST(SdlWindow, TheWindowShowsTheFramebufferScaledUp) {
  ASSERT_TRUE(std::filesystem::exists("/usr/bin/Xvfb")) << "Xvfb is missing (package xvfb)";
  testing_support::TempFolder folder;
  // A display number no other X server holds.
  int displayNumber = 70 + static_cast<int>(getpid() % 200);
  while (std::filesystem::exists("/tmp/.X" + std::to_string(displayNumber) + "-lock") ||
         std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(displayNumber)))
    ++displayNumber;
  const std::string displayName = ":" + std::to_string(displayNumber);
  e2e::ChildProcess xvfb(
      {"/usr/bin/Xvfb", displayName, "-screen", "0", "800x600x24", "-nolisten", "tcp"});
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(displayNumber);
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(socket); }, 20s));

  const auto shot = folder.Path() / "framebuffer.png";
  const auto script = folder.Path() / "sdl.script";
  testing_support::TempFolder::WriteFile(
      script, "wait 700\nscreenshot " + shot.string() + "\nwait 5000\nkey X\n");
  e2e::ChildProcess gradlog({GRADLOG_BINARY, "--root", folder.Path().string(), "--display", "sdl",
                             "--scale", std::to_string(SCALE), "--script", script.string()},
                            {"DISPLAY=" + displayName, "ASAN_OPTIONS=detect_leaks=0"});
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(shot); }, 30s));
  std::this_thread::sleep_for(1000ms);

  Display* display = XOpenDisplay(displayName.c_str());
  ASSERT_NE(display, nullptr);
  const Window window = FindNamedWindow(display, DefaultRootWindow(display), "gradlog");
  ASSERT_NE(window, 0u);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  EXPECT_EQ(attributes.width, 320 * SCALE);
  EXPECT_EQ(attributes.height, 240 * SCALE);
  XImage* image = XGetImage(display, window, 0, 0, 320 * SCALE, 240 * SCALE, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);

  const std::optional<platform::Surface> framebuffer = platform::ReadPng(shot.string());
  ASSERT_TRUE(framebuffer.has_value());
  int mismatches = 0;
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      const unsigned long shown = XGetPixel(image, x * SCALE + 1, y * SCALE + 1) & 0xFFFFFF;
      if (shown != (framebuffer->At(x, y) & 0xFFFFFF))
        ++mismatches;
    }
  }
  XDestroyImage(image);
  XCloseDisplay(display);
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(gradlog.Wait(30s), 0);
}

}  // namespace
