// UIViewController: owns one view, loaded on first use through the runtime (loadView, then
// viewDidLoad), a title, a navigation item and toolbar items, and hears its appearance
// (viewWillAppear:, viewDidAppear:, viewWillDisappear:, viewDidDisappear:) from its container,
// always through the runtime so that subclasses and plug-ins can replace each of them.
//   auto controller = objc::make<UIViewController>();  controller->init();
//   controller->view();   // loadView + viewDidLoad on the first call
#pragma once

#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIView.hpp"

#include <string>
#include <vector>

class UINavigationController;

class UIViewController : public NSObject {
public:
    static Class registerRuntimeClass();

    // A new controller of T through init.
    template <class T = UIViewController>
    static objc::Ref<T> create() {
        auto controller = objc::make<T>();
        objc::msgSend<UIViewController*()>(controller, initSelector());
        return controller;
    }
    static SEL initSelector();
    // Does nothing but answer the receiver; subclasses set themselves up here.
    UIViewController* init() { return this; }

    // The view, loaded first when needed.
    UIView* view();
    void setView(UIView* view);
    bool isViewLoaded() const { return static_cast<bool>(m_view); }
    // Makes a plain white view the size of the main screen.
    void loadView();
    void viewDidLoad() {}
    void viewWillAppear(bool) {}
    void viewDidAppear(bool) {}
    void viewWillDisappear(bool) {}
    void viewDidDisappear(bool) {}

    std::string title() const { return m_title; }
    // Also the navigation item's title.
    void setTitle(std::string title);
    UINavigationItem* navigationItem();
    const std::vector<objc::Ref<UIBarButtonItem>>& toolbarItems() const { return m_toolbarItems; }
    void setToolbarItems(std::vector<objc::Ref<UIBarButtonItem>> items);
    void setToolbarItemsAnimated(std::vector<objc::Ref<UIBarButtonItem>> items, bool animated);

    UIViewController* parentViewController() const { return m_parent.get(); }
    // The nearest navigation controller among this controller's parents.
    UINavigationController* navigationController() const;
    bool isEditing() const { return m_editing; }
    void setEditing(bool editing) { m_editing = editing; }
    void setEditingAnimated(bool editing, bool animated);

    // The container's part (set by navigation controllers when they take a child).
    void setParentViewController(UIViewController* parent) { m_parent = parent; }
    // Shows the controller as the screen's root: viewWillAppear: then viewDidAppear: (the
    // view loaded and laid out between them), as a window does for its root controller. A
    // reader of the views' contents alone passes false: they then lay themselves out only when
    // something asks for frames.
    void appearOnScreen(bool layOut = true);
    void disappearFromScreen();
    bool isOnScreen() const { return m_onScreen; }

    // Appearance messages, sent through the runtime; they also track isOnScreen.
    void sendViewWillAppear(bool animated);
    void sendViewDidAppear(bool animated);
    void sendViewWillDisappear(bool animated);
    void sendViewDidDisappear(bool animated);

private:
    objc::Ref<UIView> m_view;
    std::string m_title;
    objc::Ref<UINavigationItem> m_navigationItem;
    std::vector<objc::Ref<UIBarButtonItem>> m_toolbarItems;
    objc::WeakRef<UIViewController> m_parent;
    bool m_editing{false};
    bool m_onScreen{false};
};
