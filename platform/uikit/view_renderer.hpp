// Pictures of view trees: lays the tree out (layoutIfNeeded) and draws its layers with the
// layer renderer, so drawRect: overrides, labels and image views appear as they would on
// screen. The root is drawn at the top left whatever its frame origin.
//   uikit::writeViewPNG(*screen, "mail.png");          // at the main screen's scale
#pragma once

#include "platform/quartz/image.hpp"

#include <filesystem>

class UIView;

namespace uikit {

// `scale` 0 means the main screen's scale.
quartz::Image renderView(UIView& view, double scale = 0);
// Errors as for quartz::Image::writePNG.
void writeViewPNG(UIView& view, const std::filesystem::path& path, double scale = 0);

} // namespace uikit
