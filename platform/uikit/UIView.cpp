#include "platform/uikit/UIView.hpp"

#include "platform/dispatch/run_loop.hpp"
#include "platform/quartz/CALayer.hpp"
#include "platform/uikit/UIColor.hpp"

#include <algorithm>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIView::registerRuntimeClass();

SEL sel(const char* name) {
    return sel_registerName(name);
}

// One axis of a frame inside its superview: the leading margin, the size, the trailing margin.
struct AxisSpan {
    double leading{0};
    double size{0};
    double trailing{0};
};

// UIKit's rule: a change of the superview's extent goes to the flexible parts, in proportion
// to their current values (evenly when they are all zero); with no flexible part the view
// keeps its leading margin and size.
AxisSpan resizeAxis(AxisSpan span, double delta, bool flexLeading, bool flexSize,
                    bool flexTrailing) {
    const int count = int(flexLeading) + int(flexSize) + int(flexTrailing);
    if (count == 0 || delta == 0)
        return span;
    const double total = (flexLeading ? span.leading : 0) + (flexSize ? span.size : 0) +
                         (flexTrailing ? span.trailing : 0);
    auto share = [&](double part) { return total != 0 ? delta * part / total : delta / count; };
    if (flexLeading)
        span.leading += share(span.leading);
    if (flexSize)
        span.size = std::max(0.0, span.size + share(span.size));
    return span;
}

// init is initWithFrame: with an empty frame, sent through the runtime as UIKit does.
id initMethod(id self, SEL) {
    return objc::msgSend<UIView*(CGRect)>(self, UIView::initWithFrameSelector(), CGRectZero);
}

Class defaultLayerClass(Class, SEL) {
    return objc::classOf<CALayer>();
}

void animateMethod(Class, SEL, double duration, std::function<void()> animations,
                   std::function<void(bool)> completion) {
    UIView::animateWithDuration(duration, 0, 0, std::move(animations), std::move(completion));
}

void animateWithOptionsMethod(Class, SEL, double duration, double delay,
                              UIViewAnimationOptions options, std::function<void()> animations,
                              std::function<void(bool)> completion) {
    UIView::animateWithDuration(duration, delay, options, std::move(animations),
                                std::move(completion));
}

} // namespace

Class UIView::registerRuntimeClass() {
    CALayer::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UIView>("UIView")
            .classMethod("layerClass", &defaultLayerClass)
            .classMethod(
                "animateWithDuration:animations:",
                +[](Class, SEL, double duration, std::function<void()> animations) {
                    UIView::animateWithDuration(duration, std::move(animations));
                })
            .classMethod("animateWithDuration:animations:completion:", &animateMethod)
            .classMethod("animateWithDuration:delay:options:animations:completion:",
                         &animateWithOptionsMethod)
            .method("init", &initMethod)
            .method<&UIView::initWithFrame>("initWithFrame:")
            .method<&UIView::frame>("frame")
            .method<&UIView::setFrame>("setFrame:")
            .method<&UIView::bounds>("bounds")
            .method<&UIView::setBounds>("setBounds:")
            .method<&UIView::center>("center")
            .method<&UIView::setCenter>("setCenter:")
            .method<&UIView::tag>("tag")
            .method<&UIView::setTag>("setTag:")
            .method<&UIView::viewWithTag>("viewWithTag:")
            .method<&UIView::superview>("superview")
            .method<&UIView::addSubview>("addSubview:")
            .method<&UIView::insertSubview>("insertSubview:atIndex:")
            .method<&UIView::bringSubviewToFront>("bringSubviewToFront:")
            .method<&UIView::sendSubviewToBack>("sendSubviewToBack:")
            .method<&UIView::removeFromSuperview>("removeFromSuperview")
            .method<&UIView::isDescendantOfView>("isDescendantOfView:")
            .method<&UIView::alpha>("alpha")
            .method<&UIView::setAlpha>("setAlpha:")
            .method<&UIView::isHidden>("isHidden")
            .method<&UIView::setHidden>("setHidden:")
            .method<&UIView::backgroundColor>("backgroundColor")
            .method<&UIView::setBackgroundColor>("setBackgroundColor:")
            .method<&UIView::isUserInteractionEnabled>("isUserInteractionEnabled")
            .method<&UIView::setUserInteractionEnabled>("setUserInteractionEnabled:")
            .method<&UIView::autoresizingMask>("autoresizingMask")
            .method<&UIView::setAutoresizingMask>("setAutoresizingMask:")
            .method<&UIView::autoresizesSubviews>("autoresizesSubviews")
            .method<&UIView::setAutoresizesSubviews>("setAutoresizesSubviews:")
            .method<&UIView::isOpaque>("isOpaque")
            .method<&UIView::setOpaque>("setOpaque:")
            .method<&UIView::clipsToBounds>("clipsToBounds")
            .method<&UIView::setClipsToBounds>("setClipsToBounds:")
            .method<&UIView::layer>("layer")
            .method<&UIView::layoutSubviews>("layoutSubviews")
            .method<&UIView::setNeedsLayout>("setNeedsLayout")
            .method<&UIView::layoutIfNeeded>("layoutIfNeeded")
            .method<&UIView::drawRect>("drawRect:")
            .method<&UIView::setNeedsDisplay>("setNeedsDisplay")
            .method<&UIView::drawLayerInContext>("drawLayer:inContext:", "v@:@^v")
            .method<&UIView::sizeThatFits>("sizeThatFits:")
            .method<&UIView::sizeToFit>("sizeToFit")
            .method<&UIView::convertPointToView>("convertPoint:toView:")
            .method<&UIView::convertPointFromView>("convertPoint:fromView:")
            .method<&UIView::convertRectToView>("convertRect:toView:")
            .method<&UIView::convertRectFromView>("convertRect:fromView:")
            .method<&UIView::pointInside>("pointInside:withEvent:")
            .method<&UIView::hitTest>("hitTest:withEvent:")
            .method<&UIView::addGestureRecognizer>("addGestureRecognizer:")
            .method<&UIView::removeGestureRecognizer>("removeGestureRecognizer:");
    return cls;
}

SEL UIView::initWithFrameSelector() {
    static const SEL selector = sel("initWithFrame:");
    return selector;
}

UIView::UIView() {
    static const SEL layerClassSelector = sel("layerClass");
    Class layerClass = runtimeClass()
                           ? objc::msgSendClass<Class>(runtimeClass(), layerClassSelector)
                           : objc::classOf<CALayer>();
    if (layerClass)
        m_layer = objc::dynamicCast<CALayer>(class_createInstance(layerClass));
    if (!m_layer)
        m_layer = objc::make<CALayer>();
    m_layer->setDelegate(this);
}

UIView::~UIView() {
    for (const auto& subview : m_subviews)
        subview->m_superview = nullptr;
    m_layer->setDelegate(nullptr);
}

UIView* UIView::initWithFrame(CGRect frame) {
    static const SEL setFrameSelector = sel("setFrame:");
    objc::msgSend<void(CGRect)>(this, setFrameSelector, frame);
    return this;
}

void UIView::setFrame(CGRect frame) {
    const CGSize oldSize = m_layer->frame().size;
    m_layer->setFrame(frame);
    if (m_layer->frame().size != oldSize)
        sizeChanged(oldSize);
}

void UIView::setBounds(CGRect bounds) {
    const CGSize oldSize = m_layer->frame().size;
    m_layer->setBounds(bounds);
    if (m_layer->frame().size != oldSize)
        sizeChanged(oldSize);
}

// As UIKit does, a new size asks both the view and its superview to lay out again.
void UIView::sizeChanged(CGSize oldSize) {
    setNeedsLayout();
    if (UIView* parent = superview())
        parent->setNeedsLayout();
    resizeSubviews(oldSize);
}

void UIView::resizeSubviews(CGSize oldSize) {
    static const SEL setFrameSelector = sel("setFrame:");
    if (!m_autoresizesSubviews)
        return;
    const CGSize newSize = m_layer->frame().size;
    for (objc::Ref<UIView> subview : std::vector(m_subviews)) {
        const UIViewAutoresizing mask = subview->m_autoresizingMask;
        if (mask == UIViewAutoresizingNone)
            continue;
        const CGRect f = subview->frame();
        AxisSpan x = resizeAxis(
            {f.origin.x, f.size.width, oldSize.width - f.maxX()}, newSize.width - oldSize.width,
            mask & UIViewAutoresizingFlexibleLeftMargin, mask & UIViewAutoresizingFlexibleWidth,
            mask & UIViewAutoresizingFlexibleRightMargin);
        AxisSpan y = resizeAxis(
            {f.origin.y, f.size.height, oldSize.height - f.maxY()}, newSize.height - oldSize.height,
            mask & UIViewAutoresizingFlexibleTopMargin, mask & UIViewAutoresizingFlexibleHeight,
            mask & UIViewAutoresizingFlexibleBottomMargin);
        const CGRect resized{{x.leading, y.leading}, {x.size, y.size}};
        if (resized != f)
            objc::msgSend<void(CGRect)>(subview, setFrameSelector, resized);
    }
}

UIView* UIView::viewWithTag(NSInteger tag) {
    if (m_tag == tag)
        return this;
    for (const auto& subview : m_subviews)
        if (UIView* found = subview->viewWithTag(tag))
            return found;
    return nullptr;
}

void UIView::addSubview(UIView* view) {
    insertSubview(view, static_cast<NSInteger>(m_subviews.size()));
}

void UIView::insertSubview(UIView* view, NSInteger index) {
    if (!view || view == this || isDescendantOfView(view))
        return;
    objc::Ref<UIView> keep(view);
    if (view->superview() == this) {
        auto at = std::find(m_subviews.begin(), m_subviews.end(), keep) - m_subviews.begin();
        if (at < index)
            --index;
    }
    view->removeFromSuperview();
    index = std::clamp<NSInteger>(index, 0, static_cast<NSInteger>(m_subviews.size()));
    // The layer goes in front of the layer of the view it precedes, or last.
    if (index < static_cast<NSInteger>(m_subviews.size())) {
        CALayer* before = m_subviews[static_cast<std::size_t>(index)]->layer();
        const auto& sublayers = m_layer->sublayers();
        auto at = std::find(sublayers.begin(), sublayers.end(), objc::Ref<CALayer>(before));
        m_layer->insertSublayer(view->layer(), static_cast<NSUInteger>(at - sublayers.begin()));
    } else {
        m_layer->addSublayer(view->layer());
    }
    m_subviews.insert(m_subviews.begin() + index, keep);
    view->m_superview = this;
    view->setNeedsLayout();
    setNeedsLayout();
}

void UIView::bringSubviewToFront(UIView* view) {
    if (view && view->superview() == this)
        insertSubview(view, static_cast<NSInteger>(m_subviews.size()));
}

void UIView::sendSubviewToBack(UIView* view) {
    if (view && view->superview() == this)
        insertSubview(view, 0);
}

void UIView::removeFromSuperview() {
    UIView* parent = superview();
    if (!parent)
        return;
    objc::Ref<UIView> keep(this);
    std::erase(parent->m_subviews, keep);
    m_layer->removeFromSuperlayer();
    m_superview = nullptr;
    parent->setNeedsLayout();
}

bool UIView::isDescendantOfView(const UIView* view) const {
    for (const UIView* v = this; v; v = v->superview())
        if (v == view)
            return true;
    return false;
}

void UIView::setBackgroundColor(UIColor* color) {
    m_backgroundColor = color;
    m_layer->setBackgroundColor(color ? color->CGColor() : quartz::Color::clear());
}

void UIView::layoutIfNeeded() {
    objc::Ref<UIView> keep(this);
    layoutSelfIfNeeded();
    for (objc::Ref<UIView> subview : std::vector(m_subviews))
        subview->layoutIfNeeded();
}

void UIView::layoutSelfIfNeeded() {
    static const SEL layoutSubviewsSelector = sel("layoutSubviews");
    if (!m_needsLayout)
        return;
    objc::Ref<UIView> keep(this);
    m_needsLayout = false;
    objc::msgSend<void()>(this, layoutSubviewsSelector);
}

void UIView::drawLayerInContext(CALayer*, CGContextRef) {
    static const SEL drawRectSelector = sel("drawRect:");
    m_needsDisplay = false;
    objc::msgSend<void(CGRect)>(this, drawRectSelector, bounds());
}

void UIView::sizeToFit() {
    static const SEL sizeThatFitsSelector = sel("sizeThatFits:");
    static const SEL setFrameSelector = sel("setFrame:");
    CGSize size = objc::msgSend<CGSize(CGSize)>(this, sizeThatFitsSelector, bounds().size);
    objc::msgSend<void(CGRect)>(this, setFrameSelector, CGRect{frame().origin, size});
}

const UIView* UIView::root() const {
    const UIView* top = this;
    while (top->superview())
        top = top->superview();
    return top;
}

// Where this view's bounds origin (its own (0, 0)) lies in the root's bounds coordinates.
CGPoint UIView::originInRoot() const {
    CGPoint origin{0, 0};
    for (const UIView* v = this; v->superview(); v = v->superview()) {
        origin.x += v->frame().origin.x - v->bounds().origin.x;
        origin.y += v->frame().origin.y - v->bounds().origin.y;
    }
    // Views under a root share its bounds space; the root's own bounds origin is its (0, 0).
    return origin;
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const {
    const CGPoint from = originInRoot();
    const CGPoint to = view ? view->originInRoot() : CGPoint{};
    return {point.x + from.x - to.x, point.y + from.y - to.y};
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const {
    const CGPoint from = view ? view->originInRoot() : CGPoint{};
    const CGPoint to = originInRoot();
    return {point.x + from.x - to.x, point.y + from.y - to.y};
}

CGRect UIView::convertRectToView(CGRect rect, const UIView* view) const {
    rect = rect.standardized();
    return {convertPointToView(rect.origin, view), rect.size};
}

CGRect UIView::convertRectFromView(CGRect rect, const UIView* view) const {
    rect = rect.standardized();
    return {convertPointFromView(rect.origin, view), rect.size};
}

UIView* UIView::hitTest(CGPoint point, id event) {
    static const SEL pointInsideSelector = sel("pointInside:withEvent:");
    static const SEL hitTestSelector = sel("hitTest:withEvent:");
    if (isHidden() || !m_userInteractionEnabled || alpha() < 0.01)
        return nullptr;
    if (!objc::msgSend<bool(CGPoint, id)>(this, pointInsideSelector, point, event))
        return nullptr;
    for (auto it = m_subviews.rbegin(); it != m_subviews.rend(); ++it) {
        const UIView& subview = **it;
        const CGPoint local{point.x - subview.frame().origin.x + subview.bounds().origin.x,
                            point.y - subview.frame().origin.y + subview.bounds().origin.y};
        if (auto* hit = objc::msgSend<UIView*(CGPoint, id)>(*it, hitTestSelector, local, event))
            return hit;
    }
    return this;
}

void UIView::addGestureRecognizer(NSObject* recognizer) {
    static const SEL setViewSelector = sel("setView:");
    if (!recognizer)
        return;
    objc::Ref<NSObject> keep(recognizer);
    if (std::find(m_gestureRecognizers.begin(), m_gestureRecognizers.end(), keep) !=
        m_gestureRecognizers.end())
        return;
    m_gestureRecognizers.push_back(keep);
    if (recognizer->respondsToSelector(setViewSelector))
        objc::msgSend<void(id)>(recognizer, setViewSelector, this);
}

void UIView::removeGestureRecognizer(NSObject* recognizer) {
    static const SEL setViewSelector = sel("setView:");
    objc::Ref<NSObject> keep(recognizer);
    if (std::erase(m_gestureRecognizers, keep) && recognizer->respondsToSelector(setViewSelector))
        objc::msgSend<void(id)>(recognizer, setViewSelector, nullptr);
}

void UIView::animateWithDuration(double duration, std::function<void()> animations,
                                 std::function<void(bool)> completion) {
    animateWithDuration(duration, 0, 0, std::move(animations), std::move(completion));
}

void UIView::animateWithDuration(double duration, double delay, UIViewAnimationOptions,
                                 std::function<void()> animations,
                                 std::function<void(bool)> completion) {
    if (animations)
        animations();
    if (completion)
        dispatch::RunLoop::main().dispatchAfter(std::max(0.0, delay) + std::max(0.0, duration),
                                                [completion] { completion(true); });
}
