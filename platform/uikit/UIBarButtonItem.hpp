// UIBarButtonItem: a titled, system or custom item of a navigation bar or toolbar, with a
// target (held weakly) and action sent through the runtime with the item as sender when its
// view is tapped. Every item has a view (valueForKey:@"view"): its custom view, or a button
// made on first use, so recognisers can be attached to it as to any view.
//   auto move = UIBarButtonItem::withSystemItem(UIBarButtonSystemItemOrganize, self, action);
//   move->view()->addGestureRecognizer(press.get());
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"

#include <string>

class UIView;

using UIBarButtonItemStyle = NSInteger;
inline constexpr UIBarButtonItemStyle UIBarButtonItemStylePlain = 0;
inline constexpr UIBarButtonItemStyle UIBarButtonItemStyleBordered = 1;
inline constexpr UIBarButtonItemStyle UIBarButtonItemStyleDone = 2;

using UIBarButtonSystemItem = NSInteger;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemDone = 0;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemCancel = 1;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemEdit = 2;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemSave = 3;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemAdd = 4;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemFlexibleSpace = 5;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemFixedSpace = 6;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemCompose = 7;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemReply = 8;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemAction = 9;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemOrganize = 10;
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemTrash = 16;
// Not a system item: an item made with a title or a custom view.
inline constexpr UIBarButtonSystemItem UIBarButtonSystemItemNone = -1;

class UIBarButtonItem : public NSObject {
public:
    static Class registerRuntimeClass();

    static objc::Ref<UIBarButtonItem>
    withTitle(const std::string& title, UIBarButtonItemStyle style, NSObject* target, SEL action);
    static objc::Ref<UIBarButtonItem> withSystemItem(UIBarButtonSystemItem item, NSObject* target,
                                                     SEL action);
    static objc::Ref<UIBarButtonItem> withCustomView(UIView* view);

    // The platform's initialisers; each answers the receiver.
    UIBarButtonItem* initWithTitle(std::string title, UIBarButtonItemStyle style, NSObject* target,
                                   SEL action);
    UIBarButtonItem* initWithBarButtonSystemItem(UIBarButtonSystemItem item, NSObject* target,
                                                 SEL action);
    UIBarButtonItem* initWithCustomView(UIView* view);

    std::string title() const { return m_title; }
    void setTitle(std::string title);
    UIBarButtonItemStyle style() const { return m_style; }
    void setStyle(UIBarButtonItemStyle style) { m_style = style; }
    UIBarButtonSystemItem systemItem() const { return m_systemItem; }
    bool isSpace() const;
    id target() const { return m_target.get(); }
    void setTarget(id target) { m_target = target; }
    SEL action() const { return m_action; }
    void setAction(SEL action) { m_action = action; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    NSInteger tag() const { return m_tag; }
    void setTag(NSInteger tag) { m_tag = tag; }
    CGFloat width() const { return m_width; }
    void setWidth(CGFloat width) { m_width = width; }
    UIView* customView() const { return m_customView.get(); }
    void setCustomView(UIView* view);

    // The view that shows the item (made on first use); nil for spaces.
    UIView* view();
    // Key-value reading as far as items are used: "view" only (std::invalid_argument for
    // other keys, as the platform raises for an unknown key).
    id valueForKey(std::string key);
    // The width the item takes in a bar: its view's natural width (spaces: `width`).
    CGFloat naturalWidth();

    // A tap on the item: sends the action to the target with the item, when enabled.
    void simulateTap();
    // The action of the item's button.
    void buttonTapped(NSObject* sender);

private:
    std::string m_title;
    UIBarButtonItemStyle m_style{UIBarButtonItemStylePlain};
    UIBarButtonSystemItem m_systemItem{UIBarButtonSystemItemNone};
    objc::WeakRef<NSObject> m_target;
    SEL m_action{nullptr};
    bool m_enabled{true};
    NSInteger m_tag{0};
    CGFloat m_width{0};
    objc::Ref<UIView> m_customView;
    objc::Ref<UIView> m_buttonView;
};
