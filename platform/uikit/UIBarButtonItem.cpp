#include "platform/uikit/UIBarButtonItem.hpp"

#include "platform/uikit/TargetActionTable.hpp"
#include "platform/uikit/UIButton.hpp"

#include <stdexcept>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIBarButtonItem::registerRuntimeClass();

// What a system item shows: its platform title, or a sign for the ones drawn as icons.
std::string systemItemTitle(UIBarButtonSystemItem item) {
    switch (item) {
    case UIBarButtonSystemItemDone:
        return "Done";
    case UIBarButtonSystemItemCancel:
        return "Cancel";
    case UIBarButtonSystemItemEdit:
        return "Edit";
    case UIBarButtonSystemItemSave:
        return "Save";
    case UIBarButtonSystemItemAdd:
        return "+";
    case UIBarButtonSystemItemCompose:
        return "Compose";
    case UIBarButtonSystemItemReply:
        return "Reply";
    case UIBarButtonSystemItemAction:
        return "Share";
    case UIBarButtonSystemItemOrganize:
        return "Move";
    case UIBarButtonSystemItemTrash:
        return "Trash";
    default:
        return {};
    }
}

SEL buttonTappedSelector() {
    static const SEL sel = sel_registerName("_buttonTapped:");
    return sel;
}
} // namespace

Class UIBarButtonItem::registerRuntimeClass() {
    UIButton::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UIBarButtonItem>("UIBarButtonItem")
            .method<&UIBarButtonItem::initWithTitle>("initWithTitle:style:target:action:",
                                                     "@@:@q@:")
            .method<&UIBarButtonItem::initWithBarButtonSystemItem>(
                "initWithBarButtonSystemItem:target:action:")
            .method<&UIBarButtonItem::initWithCustomView>("initWithCustomView:")
            .method<&UIBarButtonItem::title>("title")
            .method<&UIBarButtonItem::setTitle>("setTitle:")
            .method<&UIBarButtonItem::style>("style")
            .method<&UIBarButtonItem::setStyle>("setStyle:")
            .method<&UIBarButtonItem::target>("target")
            .method<&UIBarButtonItem::setTarget>("setTarget:")
            .method<&UIBarButtonItem::action>("action")
            .method<&UIBarButtonItem::setAction>("setAction:")
            .method<&UIBarButtonItem::isEnabled>("isEnabled")
            .method<&UIBarButtonItem::setEnabled>("setEnabled:")
            .method<&UIBarButtonItem::tag>("tag")
            .method<&UIBarButtonItem::setTag>("setTag:")
            .method<&UIBarButtonItem::width>("width")
            .method<&UIBarButtonItem::setWidth>("setWidth:")
            .method<&UIBarButtonItem::customView>("customView")
            .method<&UIBarButtonItem::setCustomView>("setCustomView:")
            .method<&UIBarButtonItem::valueForKey>("valueForKey:", "@@:@")
            .method<&UIBarButtonItem::buttonTapped>("_buttonTapped:");
    return cls;
}

objc::Ref<UIBarButtonItem> UIBarButtonItem::withTitle(const std::string& title,
                                                      UIBarButtonItemStyle style, NSObject* target,
                                                      SEL action) {
    auto item = objc::make<UIBarButtonItem>();
    objc::msgSend<UIBarButtonItem*(std::string, NSInteger, id, SEL)>(
        item, sel_registerName("initWithTitle:style:target:action:"), title, style, target, action);
    return item;
}

objc::Ref<UIBarButtonItem> UIBarButtonItem::withSystemItem(UIBarButtonSystemItem systemItem,
                                                           NSObject* target, SEL action) {
    auto item = objc::make<UIBarButtonItem>();
    objc::msgSend<UIBarButtonItem*(NSInteger, id, SEL)>(
        item, sel_registerName("initWithBarButtonSystemItem:target:action:"), systemItem, target,
        action);
    return item;
}

objc::Ref<UIBarButtonItem> UIBarButtonItem::withCustomView(UIView* view) {
    auto item = objc::make<UIBarButtonItem>();
    objc::msgSend<UIBarButtonItem*(id)>(item, sel_registerName("initWithCustomView:"), view);
    return item;
}

UIBarButtonItem* UIBarButtonItem::initWithTitle(std::string title, UIBarButtonItemStyle style,
                                                NSObject* target, SEL action) {
    m_style = style;
    m_target = target;
    m_action = action;
    setTitle(std::move(title));
    return this;
}

UIBarButtonItem* UIBarButtonItem::initWithBarButtonSystemItem(UIBarButtonSystemItem item,
                                                              NSObject* target, SEL action) {
    m_systemItem = item;
    m_target = target;
    m_action = action;
    setTitle(systemItemTitle(item));
    return this;
}

UIBarButtonItem* UIBarButtonItem::initWithCustomView(UIView* view) {
    setCustomView(view);
    return this;
}

void UIBarButtonItem::setTitle(std::string title) {
    m_title = std::move(title);
    if (auto* button = dynamic_cast<UIButton*>(m_buttonView.get())) {
        button->setTitle(m_title, UIControlStateNormal);
        button->setFrame(CGRectMake(0, 0, naturalWidth(), 44));
    }
}

bool UIBarButtonItem::isSpace() const {
    return m_systemItem == UIBarButtonSystemItemFlexibleSpace ||
           m_systemItem == UIBarButtonSystemItemFixedSpace;
}

void UIBarButtonItem::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (auto* button = dynamic_cast<UIButton*>(m_buttonView.get()))
        button->setEnabled(enabled);
}

void UIBarButtonItem::setCustomView(UIView* view) {
    m_customView = view;
}

UIView* UIBarButtonItem::view() {
    if (m_customView)
        return m_customView.get();
    if (isSpace())
        return nullptr;
    if (!m_buttonView) {
        auto button = UIButton::buttonWithType(UIButtonTypeSystem);
        button->setTitle(m_title, UIControlStateNormal);
        button->setEnabled(m_enabled);
        button->addTarget(this, buttonTappedSelector(), UIControlEventTouchUpInside);
        m_buttonView = button;
        button->setFrame(CGRectMake(0, 0, naturalWidth(), 44));
    }
    return m_buttonView.get();
}

id UIBarButtonItem::valueForKey(std::string key) {
    if (key == "view")
        return view();
    throw std::invalid_argument("UIBarButtonItem has no readable key " + key);
}

CGFloat UIBarButtonItem::naturalWidth() {
    if (isSpace())
        return m_width;
    if (m_customView)
        return m_customView->frame().size.width;
    if (m_width > 0)
        return m_width;
    auto* button = dynamic_cast<UIButton*>(view());
    const CGFloat text = button ? button->titleLabel()->sizeThatFits(CGSizeMake(0, 0)).width : 0;
    return std::max<CGFloat>(text + 16, 30);
}

void UIBarButtonItem::simulateTap() {
    if (auto* button = dynamic_cast<UIButton*>(view()))
        button->simulateTap();
    else if (m_enabled)
        buttonTapped(nullptr);
}

void UIBarButtonItem::buttonTapped(NSObject*) {
    if (!m_enabled)
        return;
    objc::Ref<UIBarButtonItem> self(this);
    objc::Ref<NSObject> target = m_target.lock();
    if (target)
        sendActionMessage(m_action, target.get(), this, nullptr);
}
