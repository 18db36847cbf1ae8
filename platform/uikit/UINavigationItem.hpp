// UINavigationItem: what a navigation bar shows for one view controller: its title (the
// controller's title unless set here), a title view, and the left and right bar items.
#pragma once

#include "platform/uikit/UIBarButtonItem.hpp"

#include <string>

class UIView;

class UINavigationItem : public NSObject {
public:
    static Class registerRuntimeClass();

    std::string title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    UIView* titleView() const { return m_titleView.get(); }
    void setTitleView(UIView* view);
    UIBarButtonItem* leftBarButtonItem() const { return m_leftItem.get(); }
    void setLeftBarButtonItem(UIBarButtonItem* item) { m_leftItem = item; }
    UIBarButtonItem* rightBarButtonItem() const { return m_rightItem.get(); }
    void setRightBarButtonItem(UIBarButtonItem* item) { m_rightItem = item; }
    bool hidesBackButton() const { return m_hidesBackButton; }
    void setHidesBackButton(bool hides) { m_hidesBackButton = hides; }

private:
    std::string m_title;
    objc::Ref<UIView> m_titleView;
    objc::Ref<UIBarButtonItem> m_leftItem;
    objc::Ref<UIBarButtonItem> m_rightItem;
    bool m_hidesBackButton{false};
};
