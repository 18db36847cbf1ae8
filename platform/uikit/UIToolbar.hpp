// UIToolbar: a bar of bar button items laid out left to right; flexible spaces share the
// width that the other items leave, fixed spaces take their width.
//   toolbar->setItems({edit, flexible, move}, false);
#pragma once

#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UIView.hpp"

#include <vector>

class UIToolbar : public UIView {
public:
    static Class registerRuntimeClass();

    UIToolbar();

    const std::vector<objc::Ref<UIBarButtonItem>>& items() const { return m_items; }
    void setItems(std::vector<objc::Ref<UIBarButtonItem>> items, bool animated);
    bool isTranslucent() const { return m_translucent; }
    void setTranslucent(bool translucent) { m_translucent = translucent; }

    void layoutSubviews();

private:
    std::vector<objc::Ref<UIBarButtonItem>> m_items;
    std::vector<objc::Ref<UIView>> m_shownViews;
    bool m_translucent{true};
};
