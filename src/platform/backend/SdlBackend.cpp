#include <SDL2/SDL.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/backend/SdlBackend.h"
#include "platform/backend/SdlEvents.h"

namespace platform {
namespace {

constexpr int SCREEN_WIDTH = 320;
constexpr int SCREEN_HEIGHT = 240;

[[noreturn]] void ThrowSdlError(const char* what) {
  throw std::runtime_error(std::string("SDL: ") + what + ": " + SDL_GetError());
}

}  // namespace

VideoSubsystem::VideoSubsystem() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    ThrowSdlError("cannot start video");
  }
}

VideoSubsystem::~VideoSubsystem() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SdlBackend::SdlBackend(int scale, bool fullscreen) {
  if (scale < 1 || scale > MAX_SCALE) {
    throw std::runtime_error("SDL: scale " + std::to_string(scale) + " is not between 1 and " +
                             std::to_string(MAX_SCALE));
  }
  // Closing the window then gives one Quit (the window event), not a second one from SDL.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  const Uint32 flags = fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
  window_.reset(SDL_CreateWindow("gradlog", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                 SCREEN_WIDTH * scale, SCREEN_HEIGHT * scale, flags));
  if (!window_) {
    ThrowSdlError("cannot make a window");
  }
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
  if (!renderer_) {
    // Xvfb and bare framebuffers have no accelerated renderer.
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
  }
  if (!renderer_) {
    ThrowSdlError("cannot make a renderer");
  }
  if (!MatchTexture({SCREEN_WIDTH, SCREEN_HEIGHT})) {
    ThrowSdlError("cannot make a texture");
  }
  SDL_StartTextInput();
  Redraw();
}

// Makes the texture the size of the surface to show; false when SDL cannot.
bool SdlBackend::MatchTexture(Size size) {
  if (texture_ && textureSize_ == size) {
    return true;
  }
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888,
                                   SDL_TEXTUREACCESS_STREAMING, size.width, size.height));
  textureSize_ = texture_ ? size : Size{};
  hasPicture_ = false;
  if (texture_) {
    // Whole-factor scaling of a small screen must stay sharp.
    SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeNearest);
  }
  return texture_ != nullptr;
}

void SdlBackend::Present(const Surface& screen) {
  if (!MatchTexture({screen.Width(), screen.Height()})) {
    if (!reportedTextureFailure_) {
      std::fprintf(stderr, "gradlog: SDL cannot make a %dx%d texture: %s\n", screen.Width(),
                   screen.Height(), SDL_GetError());
      reportedTextureFailure_ = true;
    }
    return;
  }
  SDL_UpdateTexture(texture_.get(), nullptr, screen.Pixels().data(),
                    screen.Width() * static_cast<int>(sizeof(Pixel)));
  hasPicture_ = true;
  Redraw();
}

// Draws the last presented picture again, letterboxed on black (black alone before any).
void SdlBackend::Redraw() {
  Size output;
  SDL_GetRendererOutputSize(renderer_.get(), &output.width, &output.height);
  letterbox_ = Letterbox::Fit(
      output, textureSize_.width > 0 ? textureSize_ : Size{SCREEN_WIDTH, SCREEN_HEIGHT});
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(renderer_.get());
  if (hasPicture_) {
    const SDL_Rect target{letterbox_.picture.left, letterbox_.picture.top,
                          letterbox_.picture.Width(), letterbox_.picture.Height()};
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &target);
  }
  SDL_RenderPresent(renderer_.get());
}

void SdlBackend::PollInput(std::vector<InputEvent>& out) {
  SDL_Event event;
  while (SDL_PollEvent(&event) == 1) {
    if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
      // Nothing else repaints a window the desktop uncovered or resized.
      Redraw();
    }
    TranslateSdlEvent(event, letterbox_, out);
  }
}

std::unique_ptr<Backend> MakeSdlBackend(int scale, bool fullscreen) {
  return std::make_unique<SdlBackend>(scale, fullscreen);
}

bool DisplayReachable() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    return false;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  // These drivers start anywhere and show nothing.
  const bool shows = driver != nullptr && std::strcmp(driver, "dummy") != 0 &&
                     std::strcmp(driver, "offscreen") != 0;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return shows;
}

}  // namespace platform
