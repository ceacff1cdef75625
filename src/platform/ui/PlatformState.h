#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/backend/Script.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/Platform.h"
#include "platform/ui/Window.h"

// The platform's internal state, shared by the files of the windowing layer only.
namespace platform {

struct WindowData {
  Hwnd handle;
  std::string className;
  WindowProc procedure;
  BrushHandle background;
  std::string title;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;  // WS_EX_* of Dialog.h
  int id = 0;
  Hwnd parent;
  Rect rect;                   // relative to the parent's client area, or to the screen
  std::vector<Hwnd> children;  // bottom to top
  Region update;               // client coordinates
  bool eraseBackground = false;
  bool frameDirty = false;
  bool destroying = false;
  std::any data;
};

struct TimerData {
  Hwnd hwnd;
  std::uint32_t id = 0;
  std::uint32_t periodMs = 0;
  std::uint32_t nextDue = 0;
};

struct PendingSend {
  Message message;
  std::optional<LRESULT> result;
  bool finished = false;
};

struct PlatformState {
  // UI thread only.
  std::thread::id uiThread;
  SystemServices* services = nullptr;
  std::unique_ptr<Backend> backend;
  std::unique_ptr<ScriptDriver> script;
  std::unique_ptr<ScriptHost> scriptHost;
  std::function<void(int)> exitHandler;
  Surface screen{SCREEN_WIDTH, SCREEN_HEIGHT};
  bool screenDirty = true;
  std::map<std::string, WindowClass> classes;  // by lower-case name
  std::unordered_map<std::uint32_t, std::unique_ptr<WindowData>> windows;
  std::vector<Hwnd> topLevel;  // bottom to top
  std::uint32_t nextHandle = 1;
  Hwnd focus;
  Hwnd pointerTarget;  // the window that took the last button-down
  // The keyboard as of the input event being translated (IsKeyDown).
  bool shiftDown = false;
  bool altDown = false;
  std::set<std::uint32_t> keysDown;
  std::vector<TimerData> timers;
  std::deque<InputEvent> pendingInput;

  // Shared between threads, under `mutex`.
  std::mutex mutex;
  std::condition_variable wake;      // a post or a send arrived
  std::condition_variable sendDone;  // a send was handled or dropped
  std::deque<Message> posted;
  std::deque<std::shared_ptr<PendingSend>> sends;
  std::optional<int> quitCode;
  bool keepAwakeRequested = false;
};

PlatformState& State();
bool IsUiThread();
// Windows, timers and the screen belong to the UI thread alone: a call from any other
// thread is a programming error, so this aborts naming `call` (by default the caller,
// through a builtin gcc and clang share). On in every build: one thread-id comparison.
void RequireUiThread(const char* call = __builtin_FUNCTION());
// The record of a window, null for a handle that names none. UI thread only: every call
// that takes a window passes here, so this is where the thread is checked.
WindowData* FindWindowData(Hwnd hwnd, const char* call = __builtin_FUNCTION());

// Frame and caption sizes a window style gives (0 when it has none).
int FrameWidthOf(std::uint32_t style);
int CaptionHeightOf(std::uint32_t style);

// The buttons a WS_EX_CAPTIONOKBTN caption bar carries at its right end.
enum class CaptionButton { None, Ok, Close };
// Which caption button lies under a screen point.
CaptionButton CaptionButtonAt(const WindowData& window, Point screen);

// Screen geometry of a window.
Rect WindowScreenRect(const WindowData& window);
Rect ClientScreenRect(const WindowData& window);
// Visible part of `area` (screen coordinates) of a window: inside its ancestors' client
// areas, minus its visible children and every visible window above it.
Region VisibleRegionOf(const WindowData& window, const Rect& area);
// Every visible window repaints what it shows of `area` (screen coordinates).
void InvalidateScreenArea(const Rect& area);
// Windows in painting order: top-level bottom to top, each before its children.
std::vector<Hwnd> WindowsInPaintOrder();
bool NeedsPaint(const WindowData& window);
void DrawFrame(WindowData& window);
void PaintWindowNow(Hwnd hwnd);

// The dialog manager's part of a focus change: a push button that takes the focus in a
// dialog looks like the default, and the dialog's own default comes back when it leaves.
void FollowFocusWithDefaultButton(Hwnd focus);

// Input: polls the backend and turns the oldest queued input event into messages; true
// when there was one.
bool TranslatePendingInput();

// Internal window classes.
void RegisterButtonClass();
void RegisterMessageBoxClass();
void RegisterEditClass();
void RegisterStaticClass();
void RegisterComboBoxClass();
void RegisterListBoxClass();
void RegisterDialogClass();
void RegisterMenuClass();
void RegisterColorSwatchClass();

}  // namespace platform
