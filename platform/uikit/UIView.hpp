// UIView: a rectangle in its superview with tag, alpha, hidden, background colour,
// autoresizing mask, subviews in back-to-front order and a backing layer, which holds the
// geometry and look the renderer draws. Methods a plug-in may replace (setFrame:,
// layoutSubviews, drawRect:, sizeThatFits:, layerClass, ...) are registered under their
// selectors and reached through objc::msgSend wherever UIKit would call them.
//   auto band = UIView::withFrame(CGRectMake(0, 0, 320, 44));
//   band->setTag(2626);  cell->addSubview(band.get());  cell->viewWithTag(2626) == band.get()
// Subclasses register with ClassBuilder<Sub, UIView> after calling registerRuntimeClass().
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/CALayer.hpp"
#include "platform/quartz/core_graphics.hpp"
#include "platform/quartz/geometry.hpp"

#include <functional>
#include <vector>

class UIColor;

using UIViewAutoresizing = NSUInteger;
inline constexpr UIViewAutoresizing UIViewAutoresizingNone = 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleLeftMargin = 1 << 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleWidth = 1 << 1;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleRightMargin = 1 << 2;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleTopMargin = 1 << 3;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleHeight = 1 << 4;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleBottomMargin = 1 << 5;

using UIViewAnimationOptions = NSUInteger;

class UIView : public NSObject {
public:
    static Class registerRuntimeClass();

    // Makes the backing layer, of the class that `layerClass` of this object's class names.
    UIView();
    ~UIView() override;

    // A new view of T (UIView or a subclass) through initWithFrame:.
    template <class T = UIView>
    static objc::Ref<T> withFrame(CGRect frame) {
        auto view = objc::make<T>();
        objc::msgSend<UIView*(CGRect)>(view, initWithFrameSelector(), frame);
        return view;
    }
    // initWithFrame: sets the frame (through setFrame:) and answers the receiver; the C++
    // object is complete already, so an override must also answer its receiver.
    UIView* initWithFrame(CGRect frame);

    CGRect frame() const { return m_layer->frame(); }
    // A new size re-lays out the subviews by their autoresizing masks (through setFrame:)
    // and marks the view and its superview as needing layout.
    void setFrame(CGRect frame);
    CGRect bounds() const { return m_layer->bounds(); }
    void setBounds(CGRect bounds);
    CGPoint center() const { return m_layer->position(); }
    void setCenter(CGPoint center) { m_layer->setPosition(center); }

    NSInteger tag() const { return m_tag; }
    void setTag(NSInteger tag) { m_tag = tag; }
    // The receiver when its tag matches, else the first match among the subviews, depth first
    // in subview order; null when none.
    UIView* viewWithTag(NSInteger tag);

    const std::vector<objc::Ref<UIView>>& subviews() const { return m_subviews; }
    UIView* superview() const { return m_superview.get(); }
    // Adding a view that has a superview moves it (an index past the end appends).
    void addSubview(UIView* view);
    void insertSubview(UIView* view, NSInteger index);
    void bringSubviewToFront(UIView* view);
    void sendSubviewToBack(UIView* view);
    void removeFromSuperview();
    bool isDescendantOfView(const UIView* view) const;

    double alpha() const { return m_layer->opacity(); }
    void setAlpha(double alpha) { m_layer->setOpacity(alpha); }
    bool isHidden() const { return m_layer->isHidden(); }
    void setHidden(bool hidden) { m_layer->setHidden(hidden); }
    UIColor* backgroundColor() const { return m_backgroundColor.get(); }
    void setBackgroundColor(UIColor* color);
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { m_userInteractionEnabled = enabled; }
    UIViewAutoresizing autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(UIViewAutoresizing mask) { m_autoresizingMask = mask; }
    bool autoresizesSubviews() const { return m_autoresizesSubviews; }
    void setAutoresizesSubviews(bool autoresizes) { m_autoresizesSubviews = autoresizes; }
    // A drawing hint only: the renderer composites every view the same way.
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque) { m_opaque = opaque; }
    bool clipsToBounds() const { return m_layer->masksToBounds(); }
    void setClipsToBounds(bool clips) { m_layer->setMasksToBounds(clips); }

    // The backing layer (a CAGradientLayer when layerClass says so); lives as long as the view.
    CALayer* layer() const { return m_layer.get(); }

    // Does nothing here; subclasses and plug-ins place their subviews in it.
    void layoutSubviews() {}
    void setNeedsLayout() { m_needsLayout = true; }
    bool needsLayout() const { return m_needsLayout; }
    // Sends layoutSubviews (through the runtime) to this view and then its descendants, each
    // only when it needs layout.
    void layoutIfNeeded();
    // The same for this view alone; its descendants keep their pending layout (a headless
    // reader that needs no frames of theirs, such as a walk over a table's cell texts).
    void layoutSelfIfNeeded();

    // Draws nothing here; the renderer sends it with UIGraphicsGetCurrentContext() set.
    void drawRect(CGRect /*rect*/) {}
    void setNeedsDisplay() { m_needsDisplay = true; }
    bool needsDisplay() const { return m_needsDisplay; }
    // The layer's delegate call: sends drawRect: with the bounds.
    void drawLayerInContext(CALayer* layer, CGContextRef context);

    CGSize sizeThatFits(CGSize /*size*/) const { return frame().size; }
    // Resizes to what sizeThatFits: (through the runtime) answers for the current size.
    void sizeToFit();

    // Between the coordinate spaces of two views of one tree; a null view is the tree's root.
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(CGRect rect, const UIView* view) const;
    CGRect convertRectFromView(CGRect rect, const UIView* view) const;

    bool pointInside(CGPoint point, id /*event*/) const { return bounds().contains(point); }
    // The frontmost visible, interactive descendant (or this view) containing the point, given
    // in this view's coordinates; null when the point is outside.
    UIView* hitTest(CGPoint point, id event);

    // Recognisers are held strongly; each is told its view through setView: when it has one.
    void addGestureRecognizer(NSObject* recognizer);
    void removeGestureRecognizer(NSObject* recognizer);
    const std::vector<objc::Ref<NSObject>>& gestureRecognizers() const {
        return m_gestureRecognizers;
    }

    // Sets the final values at once (animations runs now) and runs completion(true) on the main
    // run loop after delay + duration, as UIKit's model layer does.
    static void animateWithDuration(double duration, std::function<void()> animations,
                                    std::function<void(bool)> completion = {});
    static void animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                    std::function<void()> animations,
                                    std::function<void(bool)> completion = {});

    static SEL initWithFrameSelector();

private:
    void sizeChanged(CGSize oldSize);
    void resizeSubviews(CGSize oldSize);
    CGPoint originInRoot() const;
    const UIView* root() const;

    objc::Ref<CALayer> m_layer;
    std::vector<objc::Ref<UIView>> m_subviews;
    objc::WeakRef<UIView> m_superview;
    objc::Ref<UIColor> m_backgroundColor;
    std::vector<objc::Ref<NSObject>> m_gestureRecognizers;
    NSInteger m_tag{0};
    UIViewAutoresizing m_autoresizingMask{UIViewAutoresizingNone};
    bool m_autoresizesSubviews{true};
    bool m_userInteractionEnabled{true};
    bool m_opaque{true};
    bool m_needsLayout{true};
    bool m_needsDisplay{true};
};
