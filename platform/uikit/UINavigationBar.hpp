// UINavigationBar: the bar above a navigation stack. It shows the top item's title (or title
// view), a back label with the previous item's title, and the top item's bar items; its
// look: translucent and opaque flags, bar tint, tint, and a background image per bar
// metrics (drawn over the bar's background, filling it).
//   bar->setBackgroundImage(swatch.get(), UIBarMetricsDefault);
#pragma once

#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIView.hpp"

#include <map>
#include <vector>

class UIImage;

using UIBarMetrics = NSInteger;
inline constexpr UIBarMetrics UIBarMetricsDefault = 0;
inline constexpr UIBarMetrics UIBarMetricsLandscapePhone = 1;

class UINavigationBar : public UIView {
public:
    static Class registerRuntimeClass();

    UINavigationBar();

    bool isTranslucent() const { return m_translucent; }
    void setTranslucent(bool translucent);
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque) { m_opaque = opaque; }
    UIColor* barTintColor() const { return m_barTintColor.get(); }
    void setBarTintColor(UIColor* color);
    UIColor* tintColor() const { return m_tintColor.get(); }
    void setTintColor(UIColor* color);
    // Nil removes the image of those metrics.
    void setBackgroundImage(UIImage* image, UIBarMetrics metrics);
    UIImage* backgroundImageForBarMetrics(UIBarMetrics metrics) const;

    // The item stack, bottom first; the navigation controller keeps it in step with its own.
    const std::vector<objc::Ref<UINavigationItem>>& items() const { return m_items; }
    void setItems(std::vector<objc::Ref<UINavigationItem>> items);
    UINavigationItem* topItem() const;
    UINavigationItem* backItem() const;

    // The shown title: the top item's (empty without one).
    std::string displayedTitle() const;
    UILabel* titleLabel() const { return m_titleLabel.get(); }
    UILabel* backLabel() const { return m_backLabel.get(); }

    // The back button: shown when there is an item to go back to. A tap asks the delegate
    // (navigationBar:shouldPopItem:, bool(id bar, id item), through the runtime), which pops
    // its stack; false when no back button is shown or nobody popped.
    id delegate() const { return m_delegate.get(); }
    void setDelegate(id delegate) { m_delegate = delegate; }
    bool backButtonContains(CGPoint point) const;
    bool tapBackButton();

    // Places the background, the back label, the title and the top item's bar items.
    void layoutSubviews();

private:
    void showBackground();

    bool m_translucent{true};
    bool m_opaque{false};
    objc::Ref<UIColor> m_barTintColor;
    objc::Ref<UIColor> m_tintColor;
    std::map<UIBarMetrics, objc::Ref<UIImage>> m_backgroundImages;
    std::vector<objc::Ref<UINavigationItem>> m_items;
    objc::Ref<UIImageView> m_backgroundView;
    objc::Ref<UILabel> m_titleLabel;
    objc::Ref<UILabel> m_backLabel;
    std::vector<objc::Ref<UIView>> m_shownItemViews;
    objc::WeakRef<NSObject> m_delegate;
};
