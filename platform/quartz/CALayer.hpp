// The model layer of Core Animation: geometry, z-position, clipping, corner radius, border,
// shadow, background and opacity, a tree of sublayers and a weak delegate (a view's layer has
// the view as its delegate). Values are set at once; the layer renderer draws the tree.
//   auto layer = objc::make<CALayer>();  layer->setCornerRadius(4);  parent->addSublayer(layer);
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/color.hpp"
#include "platform/quartz/geometry.hpp"
#include "platform/quartz/image.hpp"

#include <optional>
#include <vector>

class CALayer : public NSObject {
public:
    // Registers CALayer (idempotent); subclasses call it before registering themselves.
    static Class registerRuntimeClass();

    CGRect frame() const { return m_frame; }
    void setFrame(CGRect frame) { m_frame = frame.standardized(); }
    // The layer's own coordinate space: the bounds origin shifts what the sublayers show.
    CGRect bounds() const { return {m_boundsOrigin, m_frame.size}; }
    void setBounds(CGRect bounds);
    CGPoint position() const { return m_frame.center(); }
    void setPosition(CGPoint position);

    double zPosition() const { return m_zPosition; }
    void setZPosition(double z) { m_zPosition = z; }
    bool masksToBounds() const { return m_masksToBounds; }
    void setMasksToBounds(bool masks) { m_masksToBounds = masks; }
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius) { m_cornerRadius = radius; }
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double width) { m_borderWidth = width; }
    CGColorRef borderColor() const { return m_borderColor; }
    void setBorderColor(CGColorRef color) { m_borderColor = color; }

    CGColorRef shadowColor() const { return m_shadowColor; }
    void setShadowColor(CGColorRef color) { m_shadowColor = color; }
    double shadowOpacity() const { return m_shadowOpacity; }
    void setShadowOpacity(double opacity) { m_shadowOpacity = opacity; }
    CGSize shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(CGSize offset) { m_shadowOffset = offset; }
    double shadowRadius() const { return m_shadowRadius; }
    void setShadowRadius(double radius) { m_shadowRadius = radius; }

    // Clear (the default, and what the platform's NULL colour means) paints nothing.
    CGColorRef backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(CGColorRef color) { m_backgroundColor = color; }
    double opacity() const { return m_opacity; }
    void setOpacity(double opacity) { m_opacity = opacity; }
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden) { m_hidden = hidden; }

    // An image scaled to fill the bounds, drawn above the background.
    const std::optional<quartz::Image>& contents() const { return m_contents; }
    void setContents(std::optional<quartz::Image> image) { m_contents = std::move(image); }

    // Back to front, before z-positions are applied (the renderer sorts by zPosition, stably).
    const std::vector<objc::Ref<CALayer>>& sublayers() const { return m_sublayers; }
    CALayer* superlayer() const { return m_superlayer.get(); }
    // Adding a layer that has a superlayer moves it; an index past the end appends. A layer's
    // own ancestors (and itself) are refused, so the tree never loops.
    void addSublayer(CALayer* layer);
    void insertSublayer(CALayer* layer, NSUInteger index);
    void removeFromSuperlayer();

    // Draws the layer's own content (drawLayer:inContext:); held weakly.
    id delegate() const { return m_delegate.get(); }
    void setDelegate(id delegate) { m_delegate = delegate; }

private:
    CGRect m_frame;
    CGPoint m_boundsOrigin;
    double m_zPosition{0};
    bool m_masksToBounds{false};
    double m_cornerRadius{0};
    double m_borderWidth{0};
    CGColorRef m_borderColor{quartz::Color::black()};
    CGColorRef m_shadowColor{quartz::Color::black()};
    double m_shadowOpacity{0};
    CGSize m_shadowOffset{0, -3};
    double m_shadowRadius{3};
    CGColorRef m_backgroundColor{quartz::Color::clear()};
    double m_opacity{1};
    bool m_hidden{false};
    std::optional<quartz::Image> m_contents;
    std::vector<objc::Ref<CALayer>> m_sublayers;
    objc::WeakRef<CALayer> m_superlayer;
    objc::WeakRef<NSObject> m_delegate;
};
