// PSViewController: a settings pane - a view controller that knows the specifier that opened
// it, the pane it was opened from (parentController) and the first pane of the stack
// (rootController), and pushes further panes onto the Settings app's navigation stack.
//   auto pane = objc::msgSend<PSViewController*(CGSize)>(detail, initForContentSizeSel, size);
//   pane->setSpecifier(row);  pane->setParentController(this);  pushController(pane);
#pragma once

#include "platform/uikit/UIViewController.hpp"

class PSSpecifier;

class PSViewController : public UIViewController {
public:
    static Class registerRuntimeClass();

    // initForContentSize: runs init (through the runtime) and answers the receiver.
    PSViewController* initForContentSize(CGSize size);
    static SEL initForContentSizeSelector();
    // A new pane of cls (a PSViewController or subclass) through initForContentSize: when it
    // answers it, else init; nil when cls is not a view controller class or answers nil.
    static objc::Ref<PSViewController> createPane(Class cls, CGSize contentSize);

    // Held weakly: the panes live on the navigation stack.
    PSViewController* rootController() const { return m_rootController.get(); }
    void setRootController(PSViewController* root) { m_rootController = root; }
    PSViewController* parentController() const { return m_parentController.get(); }
    void setParentController(PSViewController* parent) { m_parentController = parent; }

    PSSpecifier* specifier() const { return m_specifier.get(); }
    void setSpecifier(PSSpecifier* specifier);

    // pushController: / pushController:animate: - shows controller above this pane on the
    // navigation stack (the appearance messages go through the runtime). A pane that is on
    // no stack (nor its root) cannot push: std::logic_error.
    void pushController(PSViewController* controller);
    void pushControllerAnimate(PSViewController* controller, bool animated);
    // Pops this pane's stack back by one.
    void popController();

private:
    objc::WeakRef<PSViewController> m_rootController;
    objc::WeakRef<PSViewController> m_parentController;
    objc::Ref<PSSpecifier> m_specifier;
};
