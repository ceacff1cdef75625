#pragma once

#include <functional>
#include <vector>

#include "WindowTestSupport.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

namespace dialog_test {

using namespace ui_test;

inline constexpr char FAKE_EDIT[] = "FakeEdit";
inline constexpr char FAKE_BUTTON[] = "FakeButton";
inline constexpr char FAKE_LABEL[] = "FakeLabel";

inline DialogItem Item(const char* className, const char* text, int id, std::uint32_t style,
                       DialogUnitRect rect = {4, 4, 40, 12}) {
  return {.className = className, .text = text, .id = id, .style = style, .rect = rect};
}

struct Received {
  int id = 0;  // of the fake control
  std::uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Stand-ins for the standard controls: they answer WM_GETDLGCODE as the real ones do and
// record what reaches them, so that a test sees exactly what the dialog manager sent.
class DialogFixture : public HostTest {
 protected:
  std::vector<Received> received;
  Commands commands;  // seen by the dialog procedure

  void SetUp() override {
    HostTest::SetUp();
    for (const char* name : {FAKE_EDIT, FAKE_BUTTON, FAKE_LABEL})
      RegisterClass({.name = name, .procedure = [this](const Message& m) { return Fake(m); }});
  }

  // Records the commands and leaves them to the default handling; `hook` may take messages.
  DialogProc Procedure(std::function<bool(const Message&)> hook = {}) {
    return [this, hook](const Message& m) {
      if (m.message == WM_COMMAND)
        commands.emplace_back(LowWord(m.wParam), HighWord(m.wParam));
      return hook ? hook(m) : m.message == WM_INITDIALOG;
    };
  }

  // The fakes that received a message `pick` picks, in order.
  std::vector<int> Where(const std::function<bool(const Received&)>& pick) const {
    std::vector<int> ids;
    for (const Received& r : received) {
      if (pick(r))
        ids.push_back(r.id);
    }
    return ids;
  }
  std::vector<int> Where(std::uint32_t message) const {
    return Where([message](const Received& r) { return r.message == message; });
  }

 private:
  static constexpr std::uint32_t TYPE_MASK = 0x000F;

  static LRESULT CodeOf(const std::string& className, std::uint32_t style) {
    if (className != FAKE_BUTTON)
      return className == FAKE_EDIT ? DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS
                                    : DLGC_STATIC;
    const std::uint32_t type = style & TYPE_MASK;
    return DLGC_BUTTON | (type == BS_PUSHBUTTON        ? DLGC_UNDEFPUSHBUTTON
                          : type == BS_DEFPUSHBUTTON   ? DLGC_DEFPUSHBUTTON
                          : type == BS_AUTORADIOBUTTON ? DLGC_RADIOBUTTON
                                                       : 0);
  }

  LRESULT Fake(const Message& m) {
    const std::uint32_t style = GetWindowStyle(m.hwnd);
    if (m.message == WM_GETDLGCODE)
      return CodeOf(GetClassName(m.hwnd), style);
    received.push_back({GetDlgCtrlID(m.hwnd), m.message, m.wParam, m.lParam});
    std::any& checked = *GetWindowData(m.hwnd);
    switch (m.message) {
      case BM_SETSTYLE:
        SetWindowStyle(m.hwnd, (style & ~TYPE_MASK) | static_cast<std::uint32_t>(m.wParam));
        return 0;
      case BM_SETCHECK:
        checked = m.wParam == BST_CHECKED;
        return 0;
      case BM_GETCHECK:
        return checked.has_value() && std::any_cast<bool>(checked) ? BST_CHECKED : BST_UNCHECKED;
      case BM_CLICK:
        SendMessage(GetParent(m.hwnd), WM_COMMAND,
                    MakeWParam(static_cast<std::uint16_t>(GetDlgCtrlID(m.hwnd)), BN_CLICKED),
                    static_cast<LPARAM>(m.hwnd.value));
        return 0;
      default:
        return DefWindowProc(m);
    }
  }
};

}  // namespace dialog_test
