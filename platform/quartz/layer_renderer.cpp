#include "platform/quartz/layer_renderer.hpp"

#include "platform/quartz/CAGradientLayer.hpp"
#include "platform/quartz/gradient.hpp"
#include "platform/quartz/image_context.hpp"
#include "platform/quartz/ui_graphics.hpp"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace quartz {
namespace {

// Locations that do not pair up with the colours are ignored (evenly spaced stops), so a
// half-updated gradient still draws its colours instead of failing the whole picture.
std::optional<Gradient> gradientOf(const CAGradientLayer& layer) {
    const auto& colors = layer.colors();
    if (colors.empty())
        return std::nullopt;
    const auto& locations = layer.locations();
    if (locations.size() == colors.size()) {
        try {
            return Gradient(colors, locations);
        } catch (const std::invalid_argument&) {
        }
    }
    return Gradient(colors);
}

void drawGradient(const CAGradientLayer& layer, DrawingContext& context, const CGRect& area) {
    std::optional<Gradient> gradient = gradientOf(layer);
    if (!gradient)
        return;
    SavedState saved(context);
    context.clipToRoundedRect(area, layer.cornerRadius());
    auto toArea = [&](CGPoint unit) {
        return CGPoint{area.origin.x + unit.x * area.size.width,
                       area.origin.y + unit.y * area.size.height};
    };
    context.drawLinearGradient(*gradient, toArea(layer.startPoint()), toArea(layer.endPoint()),
                               kCGGradientDrawsBeforeStartLocation |
                                   kCGGradientDrawsAfterEndLocation);
}

void drawDelegateContent(CALayer& layer, DrawingContext& context) {
    static const SEL drawLayerSelector = sel_registerName("drawLayer:inContext:");
    id delegate = layer.delegate();
    if (!delegate || !delegate->respondsToSelector(drawLayerSelector))
        return;
    objc::Ref<NSObject> keep(delegate);
    SavedState saved(context);
    CurrentContext current(context);
    objc::msgSend<void(id, DrawingContext*)>(delegate, drawLayerSelector, &layer, &context);
}

// Sublayers back to front: by zPosition, then in their order.
std::vector<objc::Ref<CALayer>> paintingOrder(const CALayer& layer) {
    std::vector<objc::Ref<CALayer>> order = layer.sublayers();
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a->zPosition() < b->zPosition(); });
    return order;
}

} // namespace

void renderLayer(CALayer& layer, DrawingContext& context) {
    if (layer.isHidden() || !(layer.opacity() > 0))
        return;
    objc::Ref<CALayer> keep(&layer);
    const CGRect frame = layer.frame();
    const CGRect bounds = layer.bounds();
    const CGRect area{{0, 0}, bounds.size};
    const double radius = layer.cornerRadius();

    SavedState saved(context);
    context.translateBy(frame.origin.x, frame.origin.y);
    std::optional<TransparencyLayer> group;
    if (layer.opacity() < 1)
        group.emplace(context, layer.opacity());

    if (layer.shadowOpacity() > 0)
        context.drawShadow(area, radius,
                           {layer.shadowColor(), std::min(layer.shadowOpacity(), 1.0),
                            layer.shadowOffset(), layer.shadowRadius()});
    {
        SavedState clipped(context);
        if (layer.masksToBounds())
            context.clipToRoundedRect(area, radius);
        if (layer.backgroundColor().alpha > 0)
            context.fillRoundedRect(area, radius, layer.backgroundColor());
        if (auto* gradient = dynamic_cast<CAGradientLayer*>(&layer))
            drawGradient(*gradient, context, area);
        if (const auto& contents = layer.contents())
            context.drawImage(*contents, area);
        context.translateBy(-bounds.origin.x, -bounds.origin.y);
        drawDelegateContent(layer, context);
        for (const auto& sublayer : paintingOrder(layer))
            renderLayer(*sublayer, context);
    }
    if (layer.borderWidth() > 0)
        context.drawBorder(area, layer.borderWidth(), layer.borderColor(), radius);
}

void renderLayerTree(CALayer& root, ImageContext& bitmap) {
    bitmap.clear();
    DrawingContext& context = bitmap.context();
    SavedState saved(context);
    const CGRect frame = root.frame();
    context.translateBy(-frame.origin.x, -frame.origin.y);
    renderLayer(root, context);
}

Image renderLayerTree(CALayer& root, double scale) {
    ImageContext bitmap(root.bounds().size, false, scale);
    renderLayerTree(root, bitmap);
    return std::move(bitmap).takeImage();
}

} // namespace quartz
