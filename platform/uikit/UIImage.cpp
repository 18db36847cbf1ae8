#include "platform/uikit/UIImage.hpp"

#include <filesystem>
#include <utility>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIImage::registerRuntimeClass();

double scaleFromName(const std::filesystem::path& path) {
    const std::string stem = path.stem().string();
    for (const auto& [suffix, scale] : {std::pair{"@2x", 2.0}, std::pair{"@3x", 3.0}})
        if (stem.ends_with(suffix))
            return scale;
    return 1.0;
}
} // namespace

Class UIImage::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<UIImage>("UIImage")
            .classMethod(
                "imageWithContentsOfFile:",
                +[](Class, SEL, std::string path) {
                    return objc::Ref<NSObject>(imageWithContentsOfFile(std::move(path)));
                })
            .classMethod(
                "imageNamed:",
                +[](Class, SEL, std::string name) {
                    return objc::Ref<NSObject>(imageNamed(std::move(name)));
                })
            .method<&UIImage::size>("size")
            .method<&UIImage::scale>("scale");
    return cls;
}

objc::Ref<UIImage> UIImage::imageWithContentsOfFile(std::string path) {
    try {
        return imageWithImage(quartz::Image::fromPNGFile(path, scaleFromName(path)));
    } catch (const quartz::ImageError&) {
        return nullptr;
    }
}

objc::Ref<UIImage> UIImage::imageNamed(std::string name) {
    if (std::filesystem::path(name).has_extension())
        return imageWithContentsOfFile(std::move(name));
    for (const char* suffix : {"@2x.png", ".png"})
        if (auto image = imageWithContentsOfFile(name + suffix))
            return image;
    return nullptr;
}

objc::Ref<UIImage> UIImage::imageWithImage(quartz::Image image) {
    return objc::make<UIImage>(std::move(image));
}
