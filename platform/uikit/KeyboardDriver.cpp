#include "platform/uikit/KeyboardDriver.hpp"

#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UITextField.hpp"

namespace {

UITextField* editingFieldUnder(UIView* view) {
    if (!view || view->isHidden())
        return nullptr;
    if (auto* field = dynamic_cast<UITextField*>(view); field && field->isEditing())
        return field;
    for (const auto& subview : view->subviews())
        if (UITextField* found = editingFieldUnder(subview.get()))
            return found;
    return nullptr;
}

UIAlertView* frontAlert() {
    const auto alerts = UIAlertView::shownAlerts();
    return alerts.empty() ? nullptr : alerts.back().get();
}

// The field that keys go to; an alert's first field takes them unasked, as the platform
// focuses it when the alert appears.
UITextField* keyTarget(UIView* root) {
    if (UIAlertView* alert = frontAlert()) {
        for (NSInteger i = 0; i < alert->numberOfTextFields(); ++i)
            if (alert->textFieldAtIndex(i)->isEditing())
                return alert->textFieldAtIndex(i);
        if (UITextField* field = editingFieldUnder(alert))
            return field;
        return alert->numberOfTextFields() > 0 ? alert->textFieldAtIndex(0) : nullptr;
    }
    return editingFieldUnder(root);
}

} // namespace

UITextField* KeyboardDriver::firstResponder(UIView* root) {
    if (UIAlertView* alert = frontAlert()) {
        for (NSInteger i = 0; i < alert->numberOfTextFields(); ++i)
            if (alert->textFieldAtIndex(i)->isEditing())
                return alert->textFieldAtIndex(i);
        return editingFieldUnder(alert);
    }
    return editingFieldUnder(root);
}

bool KeyboardDriver::insertText(UIView* root, const std::string& text) {
    UITextField* field = keyTarget(root);
    if (!field || text.empty())
        return false;
    objc::Ref<UITextField> keep(field);
    field->typeText(text);
    return field->isEditing();
}

bool KeyboardDriver::deleteBackward(UIView* root) {
    UITextField* field = firstResponder(root);
    if (!field)
        return false;
    objc::Ref<UITextField> keep(field);
    const std::string before = field->text();
    field->deleteBackward();
    return field->text() != before;
}

bool KeyboardDriver::pressReturn(UIView* root) {
    objc::Ref<UIAlertView> alert(frontAlert());
    objc::Ref<UITextField> field(firstResponder(root));
    if (field) {
        field->pressReturn();
        // Editing ends with the return key unless a target of EditingDidEndOnExit ended it.
        field->resignFirstResponder();
    }
    if (alert && alert->isVisible()) {
        const NSInteger button = alert->firstOtherButtonIndex();
        return button >= 0 ? alert->tapButtonAtIndex(button) : field != nullptr;
    }
    return field != nullptr;
}

bool KeyboardDriver::pressEscape() {
    objc::Ref<UIAlertView> alert(frontAlert());
    if (!alert)
        return false;
    const NSInteger cancel = alert->cancelButtonIndex();
    if (cancel >= 0)
        return alert->tapButtonAtIndex(cancel);
    alert->dismissWithClickedButtonIndex(-1, true);
    return true;
}
