#include "platform/quartz/image.hpp"

#include "platform/quartz/cairo_handles.hpp"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace quartz {
namespace {

// A surface that `pixelAt` and drawing understand: ARGB32 or RGB24.
detail::CairoSurface normalized(detail::CairoSurface surface) {
    cairo_format_t format = detail::drawing().cairo_image_surface_get_format(surface.get());
    if (format == CAIRO_FORMAT_ARGB32 || format == CAIRO_FORMAT_RGB24)
        return surface;
    int width = detail::drawing().cairo_image_surface_get_width(surface.get());
    int height = detail::drawing().cairo_image_surface_get_height(surface.get());
    detail::CairoSurface converted(
        detail::drawing().cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    detail::CairoContext cr(detail::drawing().cairo_create(converted.get()));
    detail::drawing().cairo_set_source_surface(cr.get(), surface.get(), 0, 0);
    detail::drawing().cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    detail::drawing().cairo_paint(cr.get());
    return converted;
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        std::string pattern = target.string() + ".XXXXXX";
        m_fd = mkstemp(pattern.data());
        if (m_fd < 0)
            throw ImageError(target.string() + ": cannot write PNG: " + std::strerror(errno));
        m_path = pattern;
        fchmod(m_fd, 0644);
    }
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_kept)
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool write(const unsigned char* data, unsigned int length) {
        while (length > 0) {
            ssize_t written = ::write(m_fd, data, length);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                m_error = errno;
                return false;
            }
            data += written;
            length -= static_cast<unsigned int>(written);
        }
        return true;
    }
    // Closes and renames over the target; returns 0 or an errno value.
    int commit(const std::filesystem::path& target) {
        int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            return errno;
        if (::rename(m_path.c_str(), target.c_str()) != 0)
            return errno;
        m_kept = true;
        return 0;
    }
    int error() const { return m_error; }

private:
    int m_fd{-1};
    std::string m_path;
    bool m_kept{false};
    int m_error{0};
};

cairo_status_t writeChunk(void* closure, const unsigned char* data, unsigned int length) {
    return static_cast<TemporaryFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                     : CAIRO_STATUS_WRITE_ERROR;
}

} // namespace

struct Image::Deferred {
    std::function<Image()> draw;
    int pixelWidth{0};
    int pixelHeight{0};
    std::optional<Image> drawn;

    cairo_surface_t* pixels() {
        if (!drawn) {
            Image image = draw();
            if (image.m_pixelWidth != pixelWidth || image.m_pixelHeight != pixelHeight)
                throw std::logic_error("a deferred image was drawn at another size");
            drawn = std::move(image);
            draw = nullptr;
        }
        return drawn->surface();
    }
};

Image::Image(std::shared_ptr<Deferred> deferred, double scale, int pixelWidth, int pixelHeight)
    : m_deferred(std::move(deferred)), m_scale(scale), m_pixelWidth(pixelWidth),
      m_pixelHeight(pixelHeight) {}

Image Image::drawnWhenNeeded(CGSize size, double scale, std::function<Image()> draw) {
    if (!(scale > 0) || !std::isfinite(scale))
        throw std::invalid_argument("image scale must be positive");
    if (!(size.width >= 0) || !(size.height >= 0) || !std::isfinite(size.width) ||
        !std::isfinite(size.height))
        throw std::invalid_argument("an image needs a finite, non-negative size");
    auto deferred = std::make_shared<Deferred>();
    deferred->draw = std::move(draw);
    deferred->pixelWidth = static_cast<int>(std::ceil(size.width * scale));
    deferred->pixelHeight = static_cast<int>(std::ceil(size.height * scale));
    const int width = deferred->pixelWidth, height = deferred->pixelHeight;
    return Image(std::move(deferred), scale, width, height);
}

cairo_surface_t* Image::surface() const {
    return m_deferred ? m_deferred->pixels() : m_surface.get();
}

Image::Image(std::shared_ptr<cairo_surface_t> surface, double scale)
    : m_surface(std::move(surface)), m_scale(scale),
      m_pixelWidth(detail::drawing().cairo_image_surface_get_width(m_surface.get())),
      m_pixelHeight(detail::drawing().cairo_image_surface_get_height(m_surface.get())) {}

Image Image::fromPNGFile(const std::filesystem::path& path, double scale) {
    if (!(scale > 0) || !std::isfinite(scale))
        throw std::invalid_argument("image scale must be positive");
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw ImageError(path.string() + ": no such image file");
    detail::CairoSurface surface(
        detail::drawing().cairo_image_surface_create_from_png(path.c_str()));
    cairo_status_t status = detail::drawing().cairo_surface_status(surface.get());
    if (status != CAIRO_STATUS_SUCCESS)
        throw ImageError(path.string() + ": not a readable PNG image (" +
                         detail::drawing().cairo_status_to_string(status) + ")");
    return Image(detail::shareSurface(normalized(std::move(surface))), scale);
}

Image Image::adoptingSurface(std::shared_ptr<cairo_surface_t> surface, double scale) {
    if (!(scale > 0) || !std::isfinite(scale))
        throw std::invalid_argument("image scale must be positive");
    if (!surface ||
        detail::drawing().cairo_surface_get_type(surface.get()) != CAIRO_SURFACE_TYPE_IMAGE)
        throw std::invalid_argument("an image needs an image surface");
    cairo_format_t format = detail::drawing().cairo_image_surface_get_format(surface.get());
    if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24)
        throw std::invalid_argument("an image surface must be ARGB32 or RGB24");
    return Image(std::move(surface), scale);
}

bool Image::isOpaque() const {
    return detail::drawing().cairo_image_surface_get_format(surface()) == CAIRO_FORMAT_RGB24;
}

Pixel Image::pixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_pixelWidth || y >= m_pixelHeight)
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") is outside the image");
    cairo_surface_t* pixels = surface();
    detail::drawing().cairo_surface_flush(pixels);
    const unsigned char* row =
        detail::drawing().cairo_image_surface_get_data(pixels) +
        static_cast<std::ptrdiff_t>(y) * detail::drawing().cairo_image_surface_get_stride(pixels);
    std::uint32_t argb;
    std::memcpy(&argb, row + 4 * x, sizeof argb);
    unsigned alpha = isOpaque() ? 255 : argb >> 24;
    if (alpha == 0)
        return {};
    // Channels are stored premultiplied; undo it with rounding.
    auto channel = [alpha](std::uint32_t premultiplied) {
        return static_cast<std::uint8_t>(
            std::min<unsigned>(255, (premultiplied * 255 + alpha / 2) / alpha));
    };
    return {channel((argb >> 16) & 0xFF), channel((argb >> 8) & 0xFF), channel(argb & 0xFF),
            static_cast<std::uint8_t>(alpha)};
}

void Image::writePNG(const std::filesystem::path& path) const {
    if (m_pixelWidth == 0 || m_pixelHeight == 0)
        throw ImageError(path.string() + ": cannot write an empty image as PNG");
    TemporaryFile file(path);
    cairo_status_t status =
        detail::drawing().cairo_surface_write_to_png_stream(surface(), writeChunk, &file);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::string reason = file.error() ? std::strerror(file.error())
                                          : detail::drawing().cairo_status_to_string(status);
        throw ImageError(path.string() + ": cannot write PNG: " + reason);
    }
    if (int error = file.commit(path))
        throw ImageError(path.string() + ": cannot write PNG: " + std::strerror(error));
}

} // namespace quartz
