#include "platform/quartz/image_context.hpp"

#include "platform/quartz/cairo_handles.hpp"

#include <cmath>
#include <cstring>
#include <string>

namespace quartz {
namespace {

detail::CairoSurface createBitmap(CGSize size, bool opaque, double scale) {
    if (!(scale > 0) || !std::isfinite(scale))
        throw std::invalid_argument("an image context needs a positive scale");
    if (!(size.width >= 0) || !(size.height >= 0) || !std::isfinite(size.width) ||
        !std::isfinite(size.height))
        throw std::invalid_argument("an image context needs a finite, non-negative size");
    double width = std::ceil(size.width * scale), height = std::ceil(size.height * scale);
    if (width > 32767 || height > 32767)
        throw ImageError("cannot make a bitmap of " + std::to_string(std::lround(width)) + " x " +
                         std::to_string(std::lround(height)) + " pixels");
    detail::CairoSurface surface(detail::drawing().cairo_image_surface_create(
        opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, static_cast<int>(width),
        static_cast<int>(height)));
    if (detail::drawing().cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw ImageError(std::string("cannot make a bitmap: ") +
                         detail::drawing().cairo_status_to_string(
                             detail::drawing().cairo_surface_status(surface.get())));
    detail::drawing().cairo_surface_set_device_scale(surface.get(), scale, scale);
    return surface;
}

} // namespace

ImageContext::ImageContext(CGSize size, bool opaque, double scale)
    : m_size(size), m_scale(scale), m_opaque(opaque),
      m_surface(detail::shareSurface(createBitmap(size, opaque, scale))) {
    detail::CairoContext cairo(detail::drawing().cairo_create(m_surface.get()));
    m_context = std::make_unique<DrawingContext>(cairo.get());
}

Image ImageContext::image() const {
    cairo_surface_t* source = m_surface.get();
    detail::drawing().cairo_surface_flush(source);
    cairo_format_t format = detail::drawing().cairo_image_surface_get_format(source);
    int width = detail::drawing().cairo_image_surface_get_width(source);
    int height = detail::drawing().cairo_image_surface_get_height(source);
    detail::CairoSurface copy(detail::drawing().cairo_image_surface_create(format, width, height));
    if (detail::drawing().cairo_surface_status(copy.get()) != CAIRO_STATUS_SUCCESS)
        throw ImageError("cannot copy a bitmap: out of memory");
    int stride = detail::drawing().cairo_image_surface_get_stride(source);
    if (height > 0 && stride > 0)
        std::memcpy(detail::drawing().cairo_image_surface_get_data(copy.get()),
                    detail::drawing().cairo_image_surface_get_data(source),
                    static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    detail::drawing().cairo_surface_mark_dirty(copy.get());
    return Image::adoptingSurface(detail::shareSurface(std::move(copy)), m_scale);
}

Image ImageContext::takeImage() && {
    m_context.reset();
    detail::drawing().cairo_surface_flush(m_surface.get());
    return Image::adoptingSurface(std::move(m_surface), m_scale);
}

void ImageContext::clear() {
    cairo_surface_t* surface = m_surface.get();
    detail::drawing().cairo_surface_flush(surface);
    const int stride = detail::drawing().cairo_image_surface_get_stride(surface);
    const int height = detail::drawing().cairo_image_surface_get_height(surface);
    if (height > 0 && stride > 0)
        std::memset(detail::drawing().cairo_image_surface_get_data(surface), 0,
                    static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    detail::drawing().cairo_surface_mark_dirty(surface);
}

} // namespace quartz
