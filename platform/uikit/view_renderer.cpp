#include "platform/uikit/view_renderer.hpp"

#include "platform/quartz/layer_renderer.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"

namespace uikit {

quartz::Image renderView(UIView& view, double scale) {
    static const SEL layoutIfNeededSelector = sel_registerName("layoutIfNeeded");
    objc::msgSend<void()>(&view, layoutIfNeededSelector);
    return quartz::renderLayerTree(*view.layer(),
                                   scale > 0 ? scale : UIScreen::mainScreen()->scale());
}

void writeViewPNG(UIView& view, const std::filesystem::path& path, double scale) {
    renderView(view, scale).writePNG(path);
}

} // namespace uikit
