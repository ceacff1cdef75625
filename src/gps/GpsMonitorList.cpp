#include "gps/GpsMonitorList.h"

#include "platform/ui/Controls.h"

namespace gradlog {

using namespace platform;

void AppendMonitorLine(Hwnd list, const std::string& text) {
  for (LRESULT count = SendMessage(list, LB_GETCOUNT).value_or(0); count >= GPS_MONITOR_LIST_CAP;
       --count) {
    SendMessage(list, LB_DELETESTRING, 0);
  }
  const LRESULT index = SendMessage(list, LB_ADDSTRING, 0, 0, text).value_or(-1);
  if (index >= 0)
    SendMessage(list, LB_SETTOPINDEX, static_cast<WPARAM>(index));
}

}  // namespace gradlog
