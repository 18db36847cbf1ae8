// The three components of an HSB colour as the colour pickers hold them (each 0 to 1; a hue
// of 1 is a full turn), read and written by component, and their display amounts: degrees
// for the hue, percent for the others, rounded to the nearest whole number (halves away from
// zero).
//   HsbValues values;  values[HsbComponent::Hue] = 0.5;  displayAmount(HsbComponent::Hue, 0.5) ==
//   180
#pragma once

#include <string>

namespace tintbox::pane {

enum class HsbComponent { Hue, Saturation, Brightness };

struct HsbValues {
    double hue{0};
    double saturation{0};
    double brightness{0};

    double& operator[](HsbComponent component);
    double operator[](HsbComponent component) const;
};

// "Hue", "Saturation", "Brightness".
std::string componentName(HsbComponent component);
// The value in degrees (hue) or percent, rounded.
long displayAmount(HsbComponent component, double value);
// "°" for the hue, "%" for the others.
std::string componentUnit(HsbComponent component);

} // namespace tintbox::pane
