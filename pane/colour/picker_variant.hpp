// What tells the three colour pickers apart: which HSB component each axis of the square and
// the strip carries, which gradient views paint them and how those views are fed, and the
// runtime names of the variant's own properties and methods. TBColorPickerView reads one of
// these; TBColorPickerView_H, _S and _B each define theirs.
#pragma once

#include "pane/colour/hsb_values.hpp"
#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"

#include <string_view>

class UIView;

namespace tintbox::pane {

struct PickerVariant {
    // Square: x grows left to right, y is 1 at the top and 0 at the bottom.
    HsbComponent squareX{HsbComponent::Saturation};
    HsbComponent squareY{HsbComponent::Brightness};
    HsbComponent strip{HsbComponent::Hue};
    // True when the strip runs from 1 at the left end to 0 at the right end.
    bool stripReversed{false};

    objc::Ref<UIView> (*makeSquare)(CGRect frame){nullptr};
    objc::Ref<UIView> (*makeStrip)(CGRect frame){nullptr};
    // Hand the current values to the square's and the strip's gradient view (through their
    // setters, so that a combined setter repaints).
    void (*feedSquare)(UIView* square, const HsbValues& values){nullptr};
    void (*feedStrip)(UIView* strip, const HsbValues& values){nullptr};

    // Texts of the top labels before the first update (never seen on screen).
    std::string_view topLeftPlaceholder;
    std::string_view topRightPlaceholder;

    // Runtime names of the variant's properties and methods.
    std::string_view squareViewProperty;
    std::string_view stripViewProperty;
    std::string_view squareCatcherProperty;
    std::string_view stripCatcherProperty;
    std::string_view stripMarkerProperty;
    std::string_view stripTouchSelector;
    std::string_view squareTouchSelector;
    std::string_view stripUpdateSelector;
    std::string_view squareUpdateSelector;
    std::string_view stripMarkerPositionSelector;
};

} // namespace tintbox::pane
