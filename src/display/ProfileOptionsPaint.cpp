// The profile options window's picture: title, column header, the two channel rows with their
// shown mark and sample line, the selected channel's name and the frames.

#include <algorithm>

#include "display/DisplayState.h"
#include "display/OptionFrames.h"
#include "display/ProfileOptionsInternals.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr int TITLE_Y = 24;
constexpr int HEADER_Y = 62;
constexpr Rect LEFT_FRAME{10, FRAME_TOP, 196, 140};
constexpr Rect RIGHT_FRAME{RIGHT_FRAME_X, FRAME_TOP, RIGHT_FRAME_X + RIGHT_FRAME_WIDTH, 216};

const Color BLACK = Rgb(0, 0, 0);

void DrawFrames(DeviceContext& dc, const DrawingResources& drawing) {
  const auto guard = dc.Save();
  dc.SelectPen(drawing.darkGreyPen);
  OutlineFrame(dc, LEFT_FRAME);
  OutlineFrame(dc, RIGHT_FRAME);
  dc.SelectBrush(CreateSolidBrush(Rgb(64, 64, 64)));
  CornerDot(dc, {LEFT_FRAME.left, LEFT_FRAME.top});
  CornerDot(dc, {RIGHT_FRAME.right - 1, RIGHT_FRAME.bottom - 1});
}

void DrawTexts(DeviceContext& dc, const DisplayState& display) {
  const auto guard = dc.Save();
  const int width = display.layout.screenWidth;
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetTextColor(BLACK);
  dc.SelectFont(display.fonts.bold);
  const char* const title = "Profile Display Options";
  dc.TextOut((width - dc.GetTextExtent(title).width) / 2, TITLE_Y, title);
  const char* const name = ProfileChannelName(display.profileOptions.profileOptionsChannel);
  dc.TextOut(RIGHT_FRAME_X + (RIGHT_FRAME_WIDTH - dc.GetTextExtent(name).width) / 2, NAME_Y, name);
  dc.SelectFont(display.fonts.normal);
  dc.TextOut(LEFT_COLUMN_X, HEADER_Y, "Sensor      Show      Color/Thick.");
}

void DrawRow(DeviceContext& dc, const DisplayState& display, int channel) {
  const auto guard = dc.Save();
  const ProfileOptionsState& state = display.profileOptions;
  const auto i = static_cast<std::size_t>(channel);
  if (state.channelShownEdit[i] != 0) {
    const Rect mark = ShownMarkBox(channel);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.SetTextColor(BLACK);
    dc.SelectFont(display.fonts.bold);
    dc.TextOut(mark.left, mark.top, "Y");
  }
  const Rect box = SampleBox(channel);
  dc.SelectPen(display.drawing.darkGreyPen);
  dc.SelectBrush(GetStockBrush(StockObject::WhiteBrush));
  dc.Rectangle(box.left, box.top, box.right, box.bottom);
  const int thickness = std::clamp(state.channelThicknessEdit[i], 1, PROFILE_OPTIONS_THICKNESSES);
  const Color color = static_cast<Color>(state.channelColorEdit[i]) & 0x00FFFFFF;
  dc.SelectPen(CreatePen(PenStyle::Solid, thickness, color));
  const int middle = (box.top + box.bottom) / 2;
  dc.MoveTo(box.left + 8, middle);
  dc.LineTo(box.right - 8, middle);
}

}  // namespace

LRESULT OnProfileOptionsPaint(ProfileOptionsContext& context, const Message& message) {
  PaintDC dc(message.hwnd);
  DrawFrames(dc, context.display.drawing);
  DrawTexts(dc, context.display);
  for (int channel = 0; channel < PROFILE_OPTIONS_CHANNELS; ++channel)
    DrawRow(dc, context.display, channel);
  return 0;
}

}  // namespace gradlog
