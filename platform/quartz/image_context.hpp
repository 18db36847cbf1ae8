// A bitmap to draw into (the platform's image context): `size` points at `scale` pixels per
// point, transparent at first (black when opaque). Take pictures of it with image().
//   quartz::ImageContext bitmap({16, 48}, false, 2.0);
//   bitmap.context().fillRect({{0, 0}, {16, 48}}, quartz::Color::white());
//   quartz::Image marker = bitmap.image();  // 32x96 pixels, scale 2
#pragma once

#include "platform/quartz/drawing_context.hpp"
#include "platform/quartz/geometry.hpp"
#include "platform/quartz/image.hpp"

#include <memory>

namespace quartz {

class ImageContext {
public:
    // The bitmap is ceil(size x scale) pixels. Throws std::invalid_argument for a negative or
    // non-finite size or a scale that is not positive, and ImageError when no bitmap of that
    // size can be made.
    ImageContext(CGSize size, bool opaque, double scale);

    DrawingContext& context() { return *m_context; }
    CGSize size() const { return m_size; }
    double scale() const { return m_scale; }
    bool isOpaque() const { return m_opaque; }

    // A copy of the pixels drawn so far; later drawing does not change it.
    Image image() const;
    // The pixels themselves, without a copy, for a context that is done with.
    Image takeImage() &&;

    // Back to its first state (transparent, or black when opaque), keeping the bitmap, so that
    // one context can be painted again and again without a fresh allocation.
    void clear();

private:
    CGSize m_size;
    double m_scale{1.0};
    bool m_opaque{false};
    std::shared_ptr<cairo_surface_t> m_surface;
    std::unique_ptr<DrawingContext> m_context;
};

} // namespace quartz
