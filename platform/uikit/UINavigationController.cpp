#include "platform/uikit/UINavigationController.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIScreen.hpp"

#include <algorithm>
#include <stdexcept>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UINavigationController::registerRuntimeClass();

constexpr CGFloat kStatusBarHeight = 20;
constexpr CGFloat kBarHeight = 44;
} // namespace

Class UINavigationController::registerRuntimeClass() {
    UIViewController::registerRuntimeClass();
    UINavigationBar::registerRuntimeClass();
    UIToolbar::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UINavigationController, UIViewController>("UINavigationController")
            .method<&UINavigationController::initWithRootViewController>(
                "initWithRootViewController:")
            .method<&UINavigationController::viewControllers>("viewControllers")
            .method<&UINavigationController::setViewControllers>("setViewControllers:animated:")
            .method<&UINavigationController::topViewController>("topViewController")
            .method<&UINavigationController::visibleViewController>("visibleViewController")
            .method<&UINavigationController::pushViewControllerAnimated>(
                "pushViewController:animated:")
            .method<&UINavigationController::popViewControllerAnimated>(
                "popViewControllerAnimated:")
            .method<&UINavigationController::popToRootViewControllerAnimated>(
                "popToRootViewControllerAnimated:")
            .method<&UINavigationController::navigationBarShouldPopItem>(
                "navigationBar:shouldPopItem:")
            .method<&UINavigationController::navigationBar>("navigationBar")
            .method<&UINavigationController::isNavigationBarHidden>("isNavigationBarHidden")
            .method<&UINavigationController::setNavigationBarHidden>("setNavigationBarHidden:")
            .method<&UINavigationController::setNavigationBarHiddenAnimated>(
                "setNavigationBarHidden:animated:")
            .method<&UINavigationController::toolbar>("toolbar")
            .method<&UINavigationController::isToolbarHidden>("isToolbarHidden")
            .method<&UINavigationController::setToolbarHidden>("setToolbarHidden:")
            .method<&UINavigationController::setToolbarHiddenAnimated>("setToolbarHidden:animated:")
            .method<&UINavigationController::loadView>("loadView")
            .method<&UINavigationController::viewWillAppear>("viewWillAppear:")
            .method<&UINavigationController::viewDidAppear>("viewDidAppear:")
            .method<&UINavigationController::viewWillDisappear>("viewWillDisappear:")
            .method<&UINavigationController::viewDidDisappear>("viewDidDisappear:");
    return cls;
}

UINavigationController::UINavigationController() {
    m_navigationBar = objc::make<UINavigationBar>();
    m_navigationBar->setDelegate(this);
    m_statusBar = objc::make<UIStatusBar>();
    m_statusBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    m_navigationBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    m_toolbar = objc::make<UIToolbar>();
    m_toolbar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                   UIViewAutoresizingFlexibleTopMargin);
}

objc::Ref<UINavigationController>
UINavigationController::withRootViewController(UIViewController* root) {
    auto navigation = objc::make<UINavigationController>();
    objc::msgSend<UINavigationController*(id)>(
        navigation, sel_registerName("initWithRootViewController:"), root);
    return navigation;
}

UINavigationController* UINavigationController::initWithRootViewController(UIViewController* root) {
    std::vector<objc::Ref<UIViewController>> stack;
    if (root)
        stack.emplace_back(root);
    setViewControllers(std::move(stack), false);
    return this;
}

UIViewController* UINavigationController::topViewController() const {
    return m_stack.empty() ? nullptr : m_stack.back().get();
}

void UINavigationController::transition(UIViewController* from, UIViewController* to, bool animated,
                                        const std::function<void()>& changeStack) {
    objc::Ref<UINavigationController> self(this);
    objc::Ref<UIViewController> keepFrom(from);
    objc::Ref<UIViewController> keepTo(to);
    const bool shown = isOnScreen() && from != to;
    if (shown && from)
        from->sendViewWillDisappear(animated);
    changeStack();
    if (shown && to)
        to->sendViewWillAppear(animated);
    showTop();
    if (shown && from)
        from->sendViewDidDisappear(animated);
    if (shown && to)
        to->sendViewDidAppear(animated);
}

void UINavigationController::setViewControllers(
    std::vector<objc::Ref<UIViewController>> controllers, bool animated) {
    UIViewController* from = topViewController();
    UIViewController* to = controllers.empty() ? nullptr : controllers.back().get();
    transition(from, to, animated, [&] {
        for (const auto& controller : m_stack)
            controller->setParentViewController(nullptr);
        m_stack = std::move(controllers);
        for (const auto& controller : m_stack)
            controller->setParentViewController(this);
    });
}

void UINavigationController::pushViewControllerAnimated(UIViewController* controller,
                                                        bool animated) {
    if (!controller)
        return;
    if (std::any_of(m_stack.begin(), m_stack.end(),
                    [controller](const auto& c) { return c == controller; }))
        throw std::invalid_argument("a view controller is pushed twice onto one stack");
    transition(topViewController(), controller, animated, [&] {
        controller->setParentViewController(this);
        m_stack.emplace_back(controller);
    });
}

objc::Ref<UIViewController> UINavigationController::popViewControllerAnimated(bool animated) {
    if (m_stack.size() < 2)
        return nullptr;
    objc::Ref<UIViewController> popped = m_stack.back();
    transition(popped.get(), m_stack[m_stack.size() - 2].get(), animated, [&] {
        m_stack.pop_back();
        popped->setParentViewController(nullptr);
    });
    return popped;
}

std::vector<objc::Ref<UIViewController>>
UINavigationController::popToRootViewControllerAnimated(bool animated) {
    if (m_stack.size() < 2)
        return {};
    std::vector<objc::Ref<UIViewController>> popped(m_stack.begin() + 1, m_stack.end());
    transition(m_stack.back().get(), m_stack.front().get(), animated, [&] {
        m_stack.resize(1);
        for (const auto& controller : popped)
            controller->setParentViewController(nullptr);
    });
    return popped;
}

void UINavigationController::setNavigationBarHidden(bool hidden) {
    m_navigationBarHidden = hidden;
    layoutContainer();
}

void UINavigationController::setNavigationBarHiddenAnimated(bool hidden, bool) {
    setNavigationBarHidden(hidden);
}

void UINavigationController::setToolbarHidden(bool hidden) {
    m_toolbarHidden = hidden;
    layoutContainer();
}

void UINavigationController::setToolbarHiddenAnimated(bool hidden, bool) {
    setToolbarHidden(hidden);
}

bool UINavigationController::navigationBarShouldPopItem(id, id item) {
    UIViewController* top = topViewController();
    if (m_stack.size() < 2 || !top || top->navigationItem() != item)
        return false;
    // Popped through the runtime, where the apps' and plug-ins' hooks expect it.
    static const SEL pop = sel_registerName("popViewControllerAnimated:");
    objc::msgSend<objc::Ref<UIViewController>(bool)>(this, pop, true);
    return false; // the stack has done the popping, bar included
}

void UINavigationController::loadView() {
    auto container = UIView::withFrame(UIScreen::mainScreen()->bounds());
    container->setBackgroundColor(UIColor::whiteColor().get());
    container->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                   UIViewAutoresizingFlexibleHeight);
    setView(container.get());
    showTop();
}

void UINavigationController::viewWillAppear(bool animated) {
    if (UIViewController* top = topViewController())
        top->sendViewWillAppear(animated);
}

void UINavigationController::viewDidAppear(bool animated) {
    if (UIViewController* top = topViewController())
        top->sendViewDidAppear(animated);
}

void UINavigationController::viewWillDisappear(bool animated) {
    if (UIViewController* top = topViewController())
        top->sendViewWillDisappear(animated);
}

void UINavigationController::viewDidDisappear(bool animated) {
    if (UIViewController* top = topViewController())
        top->sendViewDidDisappear(animated);
}

void UINavigationController::showTop() {
    std::vector<objc::Ref<UINavigationItem>> items;
    for (const auto& controller : m_stack)
        items.emplace_back(controller->navigationItem());
    m_navigationBar->setItems(std::move(items));
    updateToolbar();
    if (!isViewLoaded())
        return;
    UIViewController* top = topViewController();
    UIView* topView = top ? top->view() : nullptr;
    if (m_shownView && m_shownView != topView)
        m_shownView->removeFromSuperview();
    m_shownView = topView;
    layoutContainer();
}

void UINavigationController::updateToolbar() {
    UIViewController* top = topViewController();
    m_toolbar->setItems(top ? top->toolbarItems() : std::vector<objc::Ref<UIBarButtonItem>>{},
                        false);
}

void UINavigationController::layoutContainer() {
    if (!isViewLoaded())
        return;
    UIView* container = view();
    const CGRect area = container->bounds();
    CGFloat top = area.minY();
    CGFloat bottom = area.maxY();
    m_navigationBar->setHidden(m_navigationBarHidden);
    m_statusBar->setHidden(m_navigationBarHidden);
    if (!m_navigationBarHidden) {
        // The bar's colour runs on under the status bar, as one strip.
        m_statusBar->setFrame(CGRectMake(area.minX(), area.minY(), area.width(), kStatusBarHeight));
        m_statusBar->setBackgroundColor(m_navigationBar->backgroundColor());
        m_navigationBar->setFrame(
            CGRectMake(area.minX(), area.minY() + kStatusBarHeight, area.width(), kBarHeight));
        top += kStatusBarHeight + kBarHeight;
    }
    m_toolbar->setHidden(m_toolbarHidden);
    if (!m_toolbarHidden) {
        m_toolbar->setFrame(
            CGRectMake(area.minX(), area.maxY() - kBarHeight, area.width(), kBarHeight));
        bottom -= kBarHeight;
    }
    if (m_shownView) {
        m_shownView->setFrame(
            CGRectMake(area.minX(), top, area.width(), std::max<CGFloat>(bottom - top, 0)));
        container->addSubview(m_shownView.get());
    }
    container->addSubview(m_navigationBar.get());
    container->addSubview(m_toolbar.get());
    container->addSubview(m_statusBar.get());
}
