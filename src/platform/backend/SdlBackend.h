#pragma once

#include <SDL2/SDL_render.h>
#include <SDL2/SDL_video.h>

#include <memory>

#include "platform/backend/Backend.h"
#include "platform/backend/Letterbox.h"

namespace platform {

// Starts SDL's video subsystem for as long as it lives; SDL counts nested starts.
class VideoSubsystem {
 public:
  VideoSubsystem();  // throws std::runtime_error when no video driver starts
  ~VideoSubsystem();
  VideoSubsystem(const VideoSubsystem&) = delete;
  VideoSubsystem& operator=(const VideoSubsystem&) = delete;
};

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct TextureDeleter {
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

// Shows the framebuffer in an SDL window (or on the whole display), scaled by a whole factor,
// and turns SDL's keyboard, text, pointer and close events into input events.
class SdlBackend final : public Backend {
 public:
  static constexpr int MAX_SCALE = 16;

  // Throws std::runtime_error for a scale outside 1..MAX_SCALE or when SDL cannot make the
  // window.
  SdlBackend(int scale, bool fullscreen);
  void Present(const Surface& screen) override;
  void PollInput(std::vector<InputEvent>& out) override;
  int PollIntervalMs() const override { return POLL_INTERVAL_MS; }
  void KeepDisplayAwake() override { SDL_DisableScreenSaver(); }
  SDL_Window* Window() const { return window_.get(); }

 private:
  static constexpr int POLL_INTERVAL_MS = 10;

  bool MatchTexture(Size size);
  void Redraw();

  // Declared first so that SDL stops after everything below is gone.
  VideoSubsystem video_;
  std::unique_ptr<SDL_Window, WindowDeleter> window_;
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer_;
  std::unique_ptr<SDL_Texture, TextureDeleter> texture_;
  Size textureSize_;
  Letterbox letterbox_;
  bool hasPicture_ = false;
  bool reportedTextureFailure_ = false;
};

}  // namespace platform
