#include "platform/eventkit/NSError.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = NSError::registerRuntimeClass();
} // namespace

Class NSError::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<NSError>("NSError")
                                 .method<&NSError::domain>("domain")
                                 .method<&NSError::code>("code")
                                 .method<&NSError::localizedDescription>("localizedDescription");
    return cls;
}
