#include "platform/uikit/UIViewController.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIViewController::registerRuntimeClass();

SEL sel(const char* name) {
    return sel_registerName(name);
}
} // namespace

Class UIViewController::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    UINavigationItem::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UIViewController>("UIViewController")
            .method<&UIViewController::init>("init")
            .method<&UIViewController::view>("view")
            .method<&UIViewController::setView>("setView:")
            .method<&UIViewController::isViewLoaded>("isViewLoaded")
            .method<&UIViewController::loadView>("loadView")
            .method<&UIViewController::viewDidLoad>("viewDidLoad")
            .method<&UIViewController::viewWillAppear>("viewWillAppear:")
            .method<&UIViewController::viewDidAppear>("viewDidAppear:")
            .method<&UIViewController::viewWillDisappear>("viewWillDisappear:")
            .method<&UIViewController::viewDidDisappear>("viewDidDisappear:")
            .method<&UIViewController::title>("title")
            .method<&UIViewController::setTitle>("setTitle:")
            .method<&UIViewController::navigationItem>("navigationItem")
            .method<&UIViewController::toolbarItems>("toolbarItems")
            .method<&UIViewController::setToolbarItems>("setToolbarItems:")
            .method<&UIViewController::setToolbarItemsAnimated>("setToolbarItems:animated:")
            .method<&UIViewController::parentViewController>("parentViewController")
            .method<&UIViewController::navigationController>("navigationController")
            .method<&UIViewController::isEditing>("isEditing")
            .method<&UIViewController::setEditing>("setEditing:")
            .method<&UIViewController::setEditingAnimated>("setEditing:animated:");
    return cls;
}

SEL UIViewController::initSelector() {
    static const SEL init = sel("init");
    return init;
}

UIView* UIViewController::view() {
    if (!m_view) {
        objc::Ref<UIViewController> self(this);
        objc::msgSend<void()>(this, sel("loadView"));
        if (!m_view) // a loadView that made no view gets the plain one
            UIViewController::loadView();
        objc::msgSend<void()>(this, sel("viewDidLoad"));
    }
    return m_view.get();
}

void UIViewController::setView(UIView* view) {
    m_view = view;
}

void UIViewController::loadView() {
    auto view = UIView::withFrame(UIScreen::mainScreen()->bounds());
    view->setBackgroundColor(UIColor::whiteColor().get());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_view = view;
}

void UIViewController::setTitle(std::string title) {
    m_title = std::move(title);
    navigationItem()->setTitle(m_title);
    if (UINavigationController* navigation = navigationController())
        navigation->navigationBar()->setNeedsLayout();
}

UINavigationItem* UIViewController::navigationItem() {
    if (!m_navigationItem) {
        m_navigationItem = objc::make<UINavigationItem>();
        m_navigationItem->setTitle(m_title);
    }
    return m_navigationItem.get();
}

void UIViewController::setToolbarItems(std::vector<objc::Ref<UIBarButtonItem>> items) {
    m_toolbarItems = std::move(items);
    if (UINavigationController* navigation = navigationController())
        navigation->updateToolbar();
}

void UIViewController::setToolbarItemsAnimated(std::vector<objc::Ref<UIBarButtonItem>> items,
                                               bool) {
    setToolbarItems(std::move(items));
}

UINavigationController* UIViewController::navigationController() const {
    for (const UIViewController* controller = parentViewController(); controller;
         controller = controller->parentViewController()) {
        if (auto* navigation = dynamic_cast<const UINavigationController*>(controller))
            return const_cast<UINavigationController*>(navigation);
    }
    return nullptr;
}

void UIViewController::setEditingAnimated(bool editing, bool) {
    m_editing = editing;
}

void UIViewController::appearOnScreen(bool layOut) {
    objc::Ref<UIViewController> self(this);
    sendViewWillAppear(false);
    if (layOut)
        view()->layoutIfNeeded();
    sendViewDidAppear(false);
}

void UIViewController::disappearFromScreen() {
    objc::Ref<UIViewController> self(this);
    sendViewWillDisappear(false);
    sendViewDidDisappear(false);
}

void UIViewController::sendViewWillAppear(bool animated) {
    view(); // a controller's view is loaded before it hears that it will appear
    m_onScreen = true;
    objc::msgSend<void(bool)>(this, sel("viewWillAppear:"), animated);
}

void UIViewController::sendViewDidAppear(bool animated) {
    objc::msgSend<void(bool)>(this, sel("viewDidAppear:"), animated);
}

void UIViewController::sendViewWillDisappear(bool animated) {
    objc::msgSend<void(bool)>(this, sel("viewWillDisappear:"), animated);
}

void UIViewController::sendViewDidDisappear(bool animated) {
    m_onScreen = false;
    objc::msgSend<void(bool)>(this, sel("viewDidDisappear:"), animated);
}
