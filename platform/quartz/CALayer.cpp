#include "platform/quartz/CALayer.hpp"

#include <algorithm>

namespace {
[[maybe_unused]] const Class registeredAtLoad = CALayer::registerRuntimeClass();
} // namespace

Class CALayer::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<CALayer>("CALayer")
                                 .method<&CALayer::frame>("frame")
                                 .method<&CALayer::setFrame>("setFrame:")
                                 .method<&CALayer::bounds>("bounds")
                                 .method<&CALayer::setBounds>("setBounds:")
                                 .method<&CALayer::position>("position")
                                 .method<&CALayer::setPosition>("setPosition:")
                                 .method<&CALayer::zPosition>("zPosition")
                                 .method<&CALayer::setZPosition>("setZPosition:")
                                 .method<&CALayer::masksToBounds>("masksToBounds")
                                 .method<&CALayer::setMasksToBounds>("setMasksToBounds:")
                                 .method<&CALayer::cornerRadius>("cornerRadius")
                                 .method<&CALayer::setCornerRadius>("setCornerRadius:")
                                 .method<&CALayer::borderWidth>("borderWidth")
                                 .method<&CALayer::setBorderWidth>("setBorderWidth:")
                                 .method<&CALayer::borderColor>("borderColor")
                                 .method<&CALayer::setBorderColor>("setBorderColor:")
                                 .method<&CALayer::shadowColor>("shadowColor")
                                 .method<&CALayer::setShadowColor>("setShadowColor:")
                                 .method<&CALayer::shadowOpacity>("shadowOpacity")
                                 .method<&CALayer::setShadowOpacity>("setShadowOpacity:")
                                 .method<&CALayer::shadowOffset>("shadowOffset")
                                 .method<&CALayer::setShadowOffset>("setShadowOffset:")
                                 .method<&CALayer::shadowRadius>("shadowRadius")
                                 .method<&CALayer::setShadowRadius>("setShadowRadius:")
                                 .method<&CALayer::backgroundColor>("backgroundColor")
                                 .method<&CALayer::setBackgroundColor>("setBackgroundColor:")
                                 .method<&CALayer::opacity>("opacity")
                                 .method<&CALayer::setOpacity>("setOpacity:")
                                 .method<&CALayer::isHidden>("isHidden")
                                 .method<&CALayer::setHidden>("setHidden:")
                                 .method<&CALayer::superlayer>("superlayer")
                                 .method<&CALayer::addSublayer>("addSublayer:")
                                 .method<&CALayer::insertSublayer>("insertSublayer:atIndex:")
                                 .method<&CALayer::removeFromSuperlayer>("removeFromSuperlayer")
                                 .method<&CALayer::delegate>("delegate")
                                 .method<&CALayer::setDelegate>("setDelegate:");
    return cls;
}

void CALayer::setBounds(CGRect bounds) {
    bounds = bounds.standardized();
    CGPoint center = m_frame.center();
    m_boundsOrigin = bounds.origin;
    m_frame = {{center.x - bounds.size.width / 2, center.y - bounds.size.height / 2}, bounds.size};
}

void CALayer::setPosition(CGPoint position) {
    m_frame.origin = {position.x - m_frame.size.width / 2, position.y - m_frame.size.height / 2};
}

void CALayer::addSublayer(CALayer* layer) {
    insertSublayer(layer, m_sublayers.size());
}

void CALayer::insertSublayer(CALayer* layer, NSUInteger index) {
    // A layer cannot hold one of its own ancestors (or itself): that would make a loop.
    for (const CALayer* ancestor = this; ancestor; ancestor = ancestor->superlayer())
        if (ancestor == layer)
            return;
    if (!layer)
        return;
    objc::Ref<CALayer> keep(layer);
    if (layer->superlayer() == this) {
        auto current = std::find(m_sublayers.begin(), m_sublayers.end(), keep);
        auto from = static_cast<NSUInteger>(current - m_sublayers.begin());
        if (from < index)
            --index;
    }
    layer->removeFromSuperlayer();
    index = std::min<NSUInteger>(index, m_sublayers.size());
    m_sublayers.insert(m_sublayers.begin() + static_cast<std::ptrdiff_t>(index), keep);
    layer->m_superlayer = this;
}

void CALayer::removeFromSuperlayer() {
    CALayer* parent = superlayer();
    if (!parent)
        return;
    objc::Ref<CALayer> keep(this);
    std::erase(parent->m_sublayers, keep);
    m_superlayer = nullptr;
}
