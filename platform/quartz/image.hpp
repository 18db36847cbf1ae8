// An immutable bitmap image: pixels plus a scale (pixels per point), read from or written to PNG.
// Copies share the pixels. Errors name the file and stop the operation (ImageError).
//   quartz::Image marker = quartz::Image::fromPNGFile(path, 2.0); // 32x96 pixels = 16x48 points
//   marker.writePNG("/tmp/copy.png");  marker.pixelAt(0, 0).alpha
#pragma once

#include "platform/quartz/geometry.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

typedef struct _cairo_surface cairo_surface_t;

namespace quartz {

// A file that cannot be read or written as a PNG image; the message names the file.
class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One pixel, 8 bits per channel, not premultiplied.
struct Pixel {
    std::uint8_t red{0};
    std::uint8_t green{0};
    std::uint8_t blue{0};
    std::uint8_t alpha{0};

    bool operator==(const Pixel&) const = default;
};

class Image {
public:
    // Throws ImageError when the file is missing, unreadable or not a PNG image, and
    // std::invalid_argument for a scale that is not positive.
    static Image fromPNGFile(const std::filesystem::path& path, double scale = 1.0);

    // An image whose pixels `draw` makes the first time they are needed (to draw it, read a
    // pixel or write it), for pictures a command may never show: its size and scale are known
    // at once, so laying it out draws nothing. `draw` must make an image of ceil(size x scale)
    // pixels; the first use throws std::logic_error when it does not. Throws
    // std::invalid_argument for a scale that is not positive or a size that is not finite.
    // Like drawing, the first use belongs to the main thread.
    static Image drawnWhenNeeded(CGSize size, double scale, std::function<Image()> draw);

    CGSize size() const { return {m_pixelWidth / m_scale, m_pixelHeight / m_scale}; }
    double scale() const { return m_scale; }
    int pixelWidth() const { return m_pixelWidth; }
    int pixelHeight() const { return m_pixelHeight; }
    bool isOpaque() const;

    // Throws std::out_of_range outside the image.
    Pixel pixelAt(int x, int y) const;

    // Writes atomically (a temporary file beside it, then a rename): on failure the old file is
    // left as it was and ImageError says why. An image without pixels cannot be written.
    void writePNG(const std::filesystem::path& path) const;

private:
    friend class DrawingContext;
    friend class ImageContext;

    struct Deferred;

    // Shares an image surface (ARGB32 or RGB24) that nobody changes afterwards.
    static Image adoptingSurface(std::shared_ptr<cairo_surface_t> surface, double scale);
    // The pixels, drawn now if they are deferred.
    cairo_surface_t* surface() const;

    Image(std::shared_ptr<cairo_surface_t> surface, double scale);
    Image(std::shared_ptr<Deferred> deferred, double scale, int pixelWidth, int pixelHeight);

    std::shared_ptr<cairo_surface_t> m_surface;
    std::shared_ptr<Deferred> m_deferred; // copies share the drawing, which happens once
    double m_scale{1.0};
    int m_pixelWidth{0};
    int m_pixelHeight{0};
};

} // namespace quartz
