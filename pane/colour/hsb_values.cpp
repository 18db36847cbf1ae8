#include "pane/colour/hsb_values.hpp"

#include <cmath>

namespace tintbox::pane {

double& HsbValues::operator[](HsbComponent component) {
    switch (component) {
    case HsbComponent::Hue:
        return hue;
    case HsbComponent::Saturation:
        return saturation;
    case HsbComponent::Brightness:
        break;
    }
    return brightness;
}

double HsbValues::operator[](HsbComponent component) const {
    return const_cast<HsbValues&>(*this)[component];
}

std::string componentName(HsbComponent component) {
    switch (component) {
    case HsbComponent::Hue:
        return "Hue";
    case HsbComponent::Saturation:
        return "Saturation";
    case HsbComponent::Brightness:
        break;
    }
    return "Brightness";
}

long displayAmount(HsbComponent component, double value) {
    return std::lround(value * (component == HsbComponent::Hue ? 360.0 : 100.0));
}

std::string componentUnit(HsbComponent component) {
    return component == HsbComponent::Hue ? "\u00B0" : "%";
}

} // namespace tintbox::pane
