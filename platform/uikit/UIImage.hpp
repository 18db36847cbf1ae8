// UIImage: an immutable picture with a size in points and a scale. Files are read as PNG;
// a name ending in "@2x" or "@3x" (before the extension) gives that scale, as the platform's.
//   objc::Ref<UIImage> marker = UIImage::imageWithContentsOfFile(path);   // nil when unreadable
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"
#include "platform/quartz/image.hpp"

#include <optional>
#include <string>

class UIImage : public NSObject {
public:
    static Class registerRuntimeClass();

    UIImage() = default;
    explicit UIImage(quartz::Image image) : m_image(std::move(image)) {}

    // Nil for a missing, unreadable or non-PNG file.
    static objc::Ref<UIImage> imageWithContentsOfFile(std::string path);
    // A file path, as the plug-ins pass it; without an extension "@2x.png" and then ".png"
    // are tried. Nil when none can be read.
    static objc::Ref<UIImage> imageNamed(std::string name);
    static objc::Ref<UIImage> imageWithImage(quartz::Image image);

    CGSize size() const { return m_image ? m_image->size() : CGSizeZero; }
    double scale() const { return m_image ? m_image->scale() : 1.0; }
    // The pixels; nothing for an image made empty (UIImage()).
    const std::optional<quartz::Image>& CGImage() const { return m_image; }

private:
    std::optional<quartz::Image> m_image;
};
