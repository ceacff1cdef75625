#include "platform/gfx/Png.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

namespace platform {

namespace {

// Larger images than this are refused rather than allocated: nothing this program reads
// comes near, and a corrupt header must not ask for gigabytes.
constexpr png_uint_32 MAX_SIDE = 8192;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Errors go back through the setjmp below; nothing is printed, the caller sees false.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp. The functions that call setjmp below hold no object
// with a destructor, so the jump skips nothing that needs cleaning up.

bool WriteRows(png_structp png, png_infop info, std::FILE* file, png_uint_32 width,
               png_uint_32 height, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png)))
    return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

// Reads the header and sets the transformations to 8-bit RGB.
bool ReadHeader(png_structp png, png_infop info, std::FILE* file, png_uint_32& width,
                png_uint_32& height) {
  if (setjmp(png_jmpbuf(png)))
    return false;
  png_init_io(png, file);
  png_set_user_limits(png, MAX_SIDE, MAX_SIDE);
  png_read_info(png, info);
  width = png_get_image_width(png, info);
  height = png_get_image_height(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_strip_alpha(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return png_get_rowbytes(png, info) == static_cast<png_size_t>(width) * 3;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png)))
    return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

std::vector<png_bytep> RowPointers(std::vector<png_byte>& buffer, png_uint_32 width,
                                   png_uint_32 height) {
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y)
    rows[y] = buffer.data() + std::size_t{y} * width * 3;
  return rows;
}

}  // namespace

bool WritePng(const Surface& surface, const std::string& path) {
  if (surface.Width() == 0 || surface.Height() == 0)
    return false;
  const auto width = static_cast<png_uint_32>(surface.Width());
  const auto height = static_cast<png_uint_32>(surface.Height());
  std::vector<png_byte> buffer(std::size_t{width} * height * 3);
  for (png_uint_32 y = 0; y < height; ++y) {
    const Pixel* row = surface.Row(static_cast<int>(y));
    png_bytep out = buffer.data() + std::size_t{y} * width * 3;
    for (png_uint_32 x = 0; x < width; ++x) {
      out[3 * x] = static_cast<png_byte>(row[x] >> 16);
      out[3 * x + 1] = static_cast<png_byte>(row[x] >> 8);
      out[3 * x + 2] = static_cast<png_byte>(row[x]);
    }
  }
  std::vector<png_bytep> rows = RowPointers(buffer, width, height);

  // Written beside the target and renamed, so a reader never sees half a file.
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr)
    return false;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr && WriteRows(png, info, file, width, height, rows.data());
  png_destroy_write_struct(&png, &info);
  ok = std::fclose(file) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok)
    std::remove(temporary.c_str());
  return ok;
}

std::optional<Surface> ReadPng(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file)
    return std::nullopt;
  png_byte signature[8];
  if (std::fread(signature, 1, sizeof signature, file.get()) != sizeof signature ||
      png_sig_cmp(signature, 0, sizeof signature) != 0) {
    return std::nullopt;
  }
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, &info, nullptr);
    return std::nullopt;
  }
  png_set_sig_bytes(png, sizeof signature);
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  std::optional<Surface> image;
  if (ReadHeader(png, info, file.get(), width, height)) {
    std::vector<png_byte> buffer(std::size_t{width} * height * 3);
    std::vector<png_bytep> rows = RowPointers(buffer, width, height);
    if (ReadRows(png, info, rows.data())) {
      image.emplace(static_cast<int>(width), static_cast<int>(height));
      for (png_uint_32 y = 0; y < height; ++y) {
        const png_byte* in = rows[y];
        Pixel* out = image->Row(static_cast<int>(y));
        for (png_uint_32 x = 0; x < width; ++x) {
          out[x] = (Pixel{in[3 * x]} << 16) | (Pixel{in[3 * x + 1]} << 8) | in[3 * x + 2];
        }
      }
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return image;
}

}  // namespace platform
