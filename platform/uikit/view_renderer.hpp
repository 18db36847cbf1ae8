// Pictures of view trees: lays the tree out (layoutIfNeeded) and draws its layers with the
// layer renderer, so drawRect: overrides, labels and image views appear as they would on
// screen. The root is drawn at the top left whatever its frame origin.
//   uikit::writeViewPNG(*screen, "mail.png");          // at the main screen's scale
#pragma once

#include "platform/quartz/image.hpp"
#include "platform/quartz/image_context.hpp"

#include <filesystem>
#include <optional>

class UIView;

namespace uikit {

// `scale` 0 means the main screen's scale.
quartz::Image renderView(UIView& view, double scale = 0);
// Paints a view tree again and again into one bitmap, made anew only when the view's size or
// the scale changes: what a screen that repaints on every move of a drag needs.
//   uikit::ViewPainter painter;
//   const quartz::ImageContext& shown = painter.paint(*square, 2.0);
class ViewPainter {
public:
    const quartz::ImageContext& paint(UIView& view, double scale = 0);

private:
    std::optional<quartz::ImageContext> m_bitmap;
};

// Errors as for quartz::Image::writePNG.
void writeViewPNG(UIView& view, const std::filesystem::path& path, double scale = 0);

} // namespace uikit
