// The view itself or its nearest superview of class T, as touch delivery looks for the control,
// cell or table a touch landed in.
//   if (auto* cell = nearestView<UITableViewCell>(hit)) ...
#pragma once

#include "platform/uikit/UIView.hpp"

template <class T>
T* nearestView(UIView* view) {
    for (UIView* v = view; v; v = v->superview()) {
        if (auto* found = dynamic_cast<T*>(v))
            return found;
    }
    return nullptr;
}
