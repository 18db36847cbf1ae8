#include "platform/uikit/UINavigationBar.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIImage.hpp"

#include <algorithm>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UINavigationBar::registerRuntimeClass();

constexpr CGFloat kSideMargin = 8;
constexpr CGFloat kBackWidth = 100;

objc::Ref<UIColor> defaultTint() {
    return UIColor::colorWithRed(0, 0.478, 1, 1);
}
} // namespace

Class UINavigationBar::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    UINavigationItem::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UINavigationBar, UIView>("UINavigationBar")
            .method<&UINavigationBar::isTranslucent>("isTranslucent")
            .method<&UINavigationBar::setTranslucent>("setTranslucent:")
            .method<&UINavigationBar::isOpaque>("isOpaque")
            .method<&UINavigationBar::setOpaque>("setOpaque:")
            .method<&UINavigationBar::barTintColor>("barTintColor")
            .method<&UINavigationBar::setBarTintColor>("setBarTintColor:")
            .method<&UINavigationBar::tintColor>("tintColor")
            .method<&UINavigationBar::setTintColor>("setTintColor:")
            .method<&UINavigationBar::setBackgroundImage>("setBackgroundImage:forBarMetrics:")
            .method<&UINavigationBar::backgroundImageForBarMetrics>("backgroundImageForBarMetrics:")
            .method<&UINavigationBar::topItem>("topItem")
            .method<&UINavigationBar::backItem>("backItem")
            .method<&UINavigationBar::layoutSubviews>("layoutSubviews");
    return cls;
}

UINavigationBar::UINavigationBar() {
    m_tintColor = defaultTint();
    m_backgroundView = objc::make<UIImageView>();
    m_backgroundView->setUserInteractionEnabled(false);
    addSubview(m_backgroundView.get());
    m_backLabel = objc::make<UILabel>();
    m_backLabel->setUserInteractionEnabled(false);
    addSubview(m_backLabel.get());
    m_titleLabel = objc::make<UILabel>();
    m_titleLabel->setFont(UIFont::boldSystemFontOfSize(17).get());
    m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
    m_titleLabel->setUserInteractionEnabled(false);
    addSubview(m_titleLabel.get());
    showBackground();
}

void UINavigationBar::setTranslucent(bool translucent) {
    m_translucent = translucent;
    showBackground();
}

void UINavigationBar::setBarTintColor(UIColor* color) {
    m_barTintColor = color;
    showBackground();
}

void UINavigationBar::setTintColor(UIColor* color) {
    m_tintColor = color ? objc::Ref<UIColor>(color) : defaultTint();
    setNeedsLayout();
}

void UINavigationBar::setBackgroundImage(UIImage* image, UIBarMetrics metrics) {
    if (image)
        m_backgroundImages[metrics] = image;
    else
        m_backgroundImages.erase(metrics);
    showBackground();
}

UIImage* UINavigationBar::backgroundImageForBarMetrics(UIBarMetrics metrics) const {
    auto found = m_backgroundImages.find(metrics);
    return found == m_backgroundImages.end() ? nullptr : found->second.get();
}

void UINavigationBar::showBackground() {
    objc::Ref<UIColor> base = m_barTintColor ? m_barTintColor : UIColor::colorWithWhite(0.97, 1);
    setBackgroundColor(m_translucent ? base->colorWithAlphaComponent(0.92).get() : base.get());
    UIImage* image = backgroundImageForBarMetrics(UIBarMetricsDefault);
    m_backgroundView->setImage(image);
    m_backgroundView->setHidden(!image);
    setNeedsLayout();
}

void UINavigationBar::setItems(std::vector<objc::Ref<UINavigationItem>> items) {
    m_items = std::move(items);
    setNeedsLayout();
}

UINavigationItem* UINavigationBar::topItem() const {
    return m_items.empty() ? nullptr : m_items.back().get();
}

UINavigationItem* UINavigationBar::backItem() const {
    return m_items.size() < 2 ? nullptr : m_items[m_items.size() - 2].get();
}

std::string UINavigationBar::displayedTitle() const {
    UINavigationItem* top = topItem();
    return top ? top->title() : std::string();
}

bool UINavigationBar::backButtonContains(CGPoint point) const {
    return !m_backLabel->isHidden() && m_backLabel->frame().contains(point);
}

bool UINavigationBar::tapBackButton() {
    static const SEL shouldPop = sel_registerName("navigationBar:shouldPopItem:");
    UINavigationItem* top = topItem();
    NSObject* delegate = m_delegate.get();
    if (m_backLabel->isHidden() || !top || !delegate || !delegate->respondsToSelector(shouldPop))
        return false;
    objc::Ref<UINavigationBar> self(this);
    const std::size_t before = m_items.size();
    objc::msgSend<bool(id, id)>(delegate, shouldPop, this, top);
    return m_items.size() < before;
}

void UINavigationBar::layoutSubviews() {
    const CGRect area = bounds();
    m_backgroundView->setFrame(area);
    for (const auto& view : m_shownItemViews) {
        if (view->superview() == this)
            view->removeFromSuperview();
    }
    m_shownItemViews.clear();

    UINavigationItem* top = topItem();
    UINavigationItem* back = backItem();
    CGFloat left = area.minX() + kSideMargin;
    CGFloat right = area.maxX() - kSideMargin;

    auto place = [&](UIBarButtonItem* item, bool atLeft) {
        UIView* view = item ? item->view() : nullptr;
        if (!view)
            return;
        const CGFloat width = item->naturalWidth();
        const CGFloat x = atLeft ? left : right - width;
        view->setFrame(CGRectMake(x, area.minY(), width, area.height()));
        addSubview(view);
        m_shownItemViews.emplace_back(view);
        (atLeft ? left : right) += atLeft ? width : -width;
    };

    const bool showsBack = back && top && !top->hidesBackButton() && !top->leftBarButtonItem();
    m_backLabel->setHidden(!showsBack);
    if (showsBack) {
        m_backLabel->setText("\u2039 " +
                             (back->title().empty() ? std::string("Back") : back->title()));
        m_backLabel->setTextColor(m_tintColor.get());
        m_backLabel->setFrame(CGRectMake(left, area.minY(), kBackWidth, area.height()));
        left += kBackWidth;
    }
    if (top) {
        place(top->leftBarButtonItem(), true);
        place(top->rightBarButtonItem(), false);
    }

    // The title stays centred on the bar, within what the side items leave.
    const CGFloat halfWidth =
        std::max<CGFloat>(std::min(area.midX() - left, right - area.midX()), 0);
    const CGRect titleArea =
        CGRectMake(area.midX() - halfWidth, area.minY(), 2 * halfWidth, area.height());
    UIView* titleView = top ? top->titleView() : nullptr;
    m_titleLabel->setHidden(titleView != nullptr);
    m_titleLabel->setText(displayedTitle());
    m_titleLabel->setFrame(titleArea);
    if (titleView) {
        const CGSize size = titleView->frame().size;
        titleView->setFrame(CGRectMake(area.midX() - size.width / 2, area.midY() - size.height / 2,
                                       size.width, size.height));
        addSubview(titleView);
        m_shownItemViews.emplace_back(titleView);
    }
}
