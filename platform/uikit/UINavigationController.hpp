// UINavigationController: a stack of view controllers under a navigation bar (and a toolbar,
// hidden by default, showing the top controller's toolbar items). Pushing and popping send
// the appearance messages (viewWillDisappear:/viewWillAppear:, then the did forms) through
// the runtime while the navigation controller itself is on screen.
//   auto navigation = UINavigationController::withRootViewController(root.get());
//   navigation->appearOnScreen();  navigation->pushViewControllerAnimated(pane.get(), true);
#pragma once

#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UIStatusBar.hpp"
#include "platform/uikit/UIToolbar.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <vector>

class UINavigationController : public UIViewController {
public:
    static Class registerRuntimeClass();

    UINavigationController();

    // A new navigation controller through initWithRootViewController:.
    static objc::Ref<UINavigationController> withRootViewController(UIViewController* root);
    UINavigationController* initWithRootViewController(UIViewController* root);

    const std::vector<objc::Ref<UIViewController>>& viewControllers() const { return m_stack; }
    void setViewControllers(std::vector<objc::Ref<UIViewController>> controllers, bool animated);
    UIViewController* topViewController() const;
    UIViewController* visibleViewController() const { return topViewController(); }

    // Pushing a controller that is already on the stack is a programming error
    // (std::invalid_argument).
    void pushViewControllerAnimated(UIViewController* controller, bool animated);
    // The popped controller; nil when only the root is left.
    objc::Ref<UIViewController> popViewControllerAnimated(bool animated);
    std::vector<objc::Ref<UIViewController>> popToRootViewControllerAnimated(bool animated);

    // The bar's back button: pops the top controller (the bar's own items follow the stack).
    bool navigationBarShouldPopItem(id bar, id item);

    UINavigationBar* navigationBar() const { return m_navigationBar.get(); }
    UIStatusBar* statusBar() const { return m_statusBar.get(); }
    bool isNavigationBarHidden() const { return m_navigationBarHidden; }
    void setNavigationBarHidden(bool hidden);
    void setNavigationBarHiddenAnimated(bool hidden, bool animated);
    UIToolbar* toolbar() const { return m_toolbar.get(); }
    bool isToolbarHidden() const { return m_toolbarHidden; }
    void setToolbarHidden(bool hidden);
    void setToolbarHiddenAnimated(bool hidden, bool animated);

    // A container view with the bar, the top controller's view below it, and the toolbar.
    void loadView();
    // Forwarded to the top controller.
    void viewWillAppear(bool animated);
    void viewDidAppear(bool animated);
    void viewWillDisappear(bool animated);
    void viewDidDisappear(bool animated);

    // Keeps the bar's items, the shown view and the toolbar in step with the stack.
    void updateToolbar();
    void layoutContainer();

private:
    // Moves from one top controller to another, with the appearance messages when shown.
    void transition(UIViewController* from, UIViewController* to, bool animated,
                    const std::function<void()>& changeStack);
    void showTop();

    std::vector<objc::Ref<UIViewController>> m_stack;
    objc::Ref<UINavigationBar> m_navigationBar;
    objc::Ref<UIToolbar> m_toolbar;
    objc::Ref<UIStatusBar> m_statusBar;
    objc::Ref<UIView> m_shownView;
    bool m_navigationBarHidden{false};
    bool m_toolbarHidden{true};
};
