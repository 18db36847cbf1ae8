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

const quartz::ImageContext& ViewPainter::paint(UIView& view, double scale) {
    static const SEL layoutIfNeededSelector = sel_registerName("layoutIfNeeded");
    objc::msgSend<void()>(&view, layoutIfNeededSelector);
    const double pixelsPerPoint = scale > 0 ? scale : UIScreen::mainScreen()->scale();
    const CGSize size = view.layer()->bounds().size;
    if (!m_bitmap || m_bitmap->size() != size || m_bitmap->scale() != pixelsPerPoint)
        m_bitmap.emplace(size, false, pixelsPerPoint);
    quartz::renderLayerTree(*view.layer(), *m_bitmap);
    return *m_bitmap;
}

void writeViewPNG(UIView& view, const std::filesystem::path& path, double scale) {
    renderView(view, scale).writePNG(path);
}

} // namespace uikit
