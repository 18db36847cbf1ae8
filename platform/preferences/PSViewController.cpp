#include "platform/preferences/PSViewController.hpp"

#include "platform/preferences/PSSpecifier.hpp"
#include "platform/uikit/UINavigationController.hpp"

#include <stdexcept>

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSViewController::registerRuntimeClass();
} // namespace

Class PSViewController::registerRuntimeClass() {
    UIViewController::registerRuntimeClass();
    PSSpecifier::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<PSViewController, UIViewController>("PSViewController")
            .method<&PSViewController::initForContentSize>("initForContentSize:")
            .method<&PSViewController::rootController>("rootController")
            .method<&PSViewController::setRootController>("setRootController:")
            .method<&PSViewController::parentController>("parentController")
            .method<&PSViewController::setParentController>("setParentController:")
            .method<&PSViewController::specifier>("specifier")
            .method<&PSViewController::setSpecifier>("setSpecifier:")
            .method<&PSViewController::pushController>("pushController:")
            .method<&PSViewController::pushControllerAnimate>("pushController:animate:")
            .method<&PSViewController::popController>("popController");
    return cls;
}

PSViewController* PSViewController::initForContentSize(CGSize) {
    objc::msgSend<UIViewController*()>(this, initSelector());
    return this;
}

SEL PSViewController::initForContentSizeSelector() {
    static const SEL selector = sel_registerName("initForContentSize:");
    return selector;
}

objc::Ref<PSViewController> PSViewController::createPane(Class cls, CGSize contentSize) {
    if (!class_isSubclassOfClass(cls, objc::classOf<PSViewController>()))
        return nullptr;
    auto object = class_createInstance(cls);
    auto* pane = static_cast<PSViewController*>(object.get());
    if (pane->respondsToSelector(initForContentSizeSelector()))
        pane = objc::msgSend<PSViewController*(CGSize)>(pane, initForContentSizeSelector(),
                                                        contentSize);
    else
        pane = objc::msgSend<PSViewController*()>(pane, initSelector());
    return objc::Ref<PSViewController>(pane);
}

void PSViewController::setSpecifier(PSSpecifier* specifier) {
    m_specifier = specifier;
}

void PSViewController::pushController(PSViewController* controller) {
    pushControllerAnimate(controller, true);
}

void PSViewController::pushControllerAnimate(PSViewController* controller, bool animated) {
    if (!controller)
        return;
    UINavigationController* navigation = navigationController();
    if (!navigation && rootController())
        navigation = rootController()->navigationController();
    if (!navigation)
        throw std::logic_error(std::string("pushController: a ") + object_getClassName(this) +
                               " that is on no navigation stack cannot push a " +
                               object_getClassName(controller));
    if (!controller->parentController())
        controller->setParentController(this);
    if (!controller->rootController())
        controller->setRootController(rootController() ? rootController() : this);
    navigation->pushViewControllerAnimated(controller, animated);
}

void PSViewController::popController() {
    if (UINavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}
