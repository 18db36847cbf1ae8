#include "platform/quartz/CAGradientLayer.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = CAGradientLayer::registerRuntimeClass();
} // namespace

Class CAGradientLayer::registerRuntimeClass() {
    CALayer::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<CAGradientLayer, CALayer>("CAGradientLayer")
                                 .method<&CAGradientLayer::colors>("colors")
                                 .method<&CAGradientLayer::setColors>("setColors:")
                                 .method<&CAGradientLayer::locations>("locations")
                                 .method<&CAGradientLayer::setLocations>("setLocations:")
                                 .method<&CAGradientLayer::startPoint>("startPoint")
                                 .method<&CAGradientLayer::setStartPoint>("setStartPoint:")
                                 .method<&CAGradientLayer::endPoint>("endPoint")
                                 .method<&CAGradientLayer::setEndPoint>("setEndPoint:");
    return cls;
}
