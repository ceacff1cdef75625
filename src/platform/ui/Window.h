#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Messages.h"

namespace platform {

// Window styles (classic values).
inline constexpr std::uint32_t WS_POPUP = 0x80000000;
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000;
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;

// Push-button styles.
inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0000;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x0001;

inline constexpr int CAPTION_HEIGHT = 18;

using WindowProc = std::function<LRESULT(const Message&)>;

struct WindowClass {
  std::string name;
  WindowProc procedure;
  BrushHandle background;  // may be null: the window erases nothing
};

struct CreateParams {
  std::string className;
  std::string title;
  std::uint32_t style = 0;
  Rect rect;  // relative to the parent's client area, or the screen for a top-level window
  Hwnd parent;
  int id = 0;
};

// Classes and windows. All of these, and the painting, focus, timer, dialog and menu calls,
// run on the UI thread only: a call from another thread aborts the program.
bool RegisterClass(const WindowClass& windowClass);  // false when the name is taken
Hwnd CreateWindow(const CreateParams& params);       // sends WM_CREATE; null on failure
bool DestroyWindow(Hwnd hwnd);                       // children first; sends WM_DESTROY
bool IsWindow(Hwnd hwnd);
bool ShowWindow(Hwnd hwnd, bool show);
bool IsWindowVisible(Hwnd hwnd);  // visible itself and every ancestor
bool MoveWindow(Hwnd hwnd, const Rect& rect);
bool EnableWindow(Hwnd hwnd, bool enable);
bool IsWindowEnabled(Hwnd hwnd);
Rect GetWindowRect(Hwnd hwnd);  // screen pixels, border and caption included
Rect GetClientRect(Hwnd hwnd);  // (0, 0, width, height) of the client area
Point ClientToScreen(Hwnd hwnd, Point p);
Hwnd GetParent(Hwnd hwnd);
Hwnd GetDlgItem(Hwnd parent, int id);
int GetDlgCtrlID(Hwnd hwnd);
std::uint32_t GetWindowStyle(Hwnd hwnd);
void SetWindowStyle(Hwnd hwnd, std::uint32_t style);
std::string GetWindowText(Hwnd hwnd);
void SetWindowText(Hwnd hwnd, std::string_view text);
std::string GetClassName(Hwnd hwnd);
// By class and title; an empty text matches any. Searched in painting order: each top-level
// window, bottom to top, before its children.
Hwnd FindWindow(std::string_view className, std::string_view title);
void BringWindowToTop(Hwnd hwnd);
// Per-window data the owner of a class keeps with it.
void SetWindowData(Hwnd hwnd, std::any data);
std::any* GetWindowData(Hwnd hwnd);

// Focus.
Hwnd SetFocus(Hwnd hwnd);  // returns the previous focus
Hwnd GetFocus();
// Whether a key is held, as of the input event being turned into messages: VK_SHIFT and
// VK_MENU (Alt) from that event's modifiers, other keys from their downs and ups.
bool IsKeyDown(std::uint32_t virtualKey);

// Painting.
void InvalidateRect(Hwnd hwnd, const Rect* rect, bool erase);  // client coordinates; null: all
void ValidateRect(Hwnd hwnd, const Rect* rect);
void UpdateWindow(Hwnd hwnd);     // paints now if anything is invalid
Region VisibleRegion(Hwnd hwnd);  // screen coordinates, client area only

// The device context of a window's client area, clipped to its visible region.
class WindowDC : public DeviceContext {
 public:
  explicit WindowDC(Hwnd hwnd);
};

// BeginPaint / EndPaint: clipped to the visible part of the update region, background
// erased first when asked; the window is valid again afterwards.
class PaintDC : public DeviceContext {
 public:
  explicit PaintDC(Hwnd hwnd);
  Rect PaintRect() const { return paintRect_; }  // client coordinates

 private:
  Rect paintRect_;
};

// Messages.
bool PostMessage(Hwnd hwnd, std::uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0,
                 std::any payload = {});  // any thread
// On the UI thread calls the procedure at once; from another thread blocks until the UI
// thread has handled it. nullopt when the window is gone or the sending reader is told to
// stop before it was handled.
std::optional<LRESULT> SendMessage(Hwnd hwnd, std::uint32_t message, WPARAM wParam = 0,
                                   LPARAM lParam = 0, std::any payload = {});
LRESULT DefWindowProc(const Message& message);
void PostQuitMessage(int exitCode);
// Waits for the next message; false on WM_QUIT (its code in message.wParam).
bool GetMessage(Message& message);
LRESULT DispatchMessage(const Message& message);
// Runs GetMessage/DispatchMessage until WM_QUIT and returns its code.
int RunMessageLoop();
// Handles everything pending (sends, posts, input, paints, due timers) without waiting.
void PumpMessages();

// Timers: WM_TIMER with the id in wParam; setting an existing id restarts it.
bool SetTimer(Hwnd hwnd, std::uint32_t id, std::uint32_t periodMs);
bool KillTimer(Hwnd hwnd, std::uint32_t id);

// Ends the process at once with this code (a test platform may catch it instead).
[[noreturn]] void ExitProcess(int exitCode);

}  // namespace platform
