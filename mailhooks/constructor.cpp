// Tintbox.dylib's entry: Mail's tweak loader opens the library, which runs this constructor.
#include "mailhooks/extension.hpp"

namespace {

__attribute__((constructor)) void startTintbox() {
    tintbox::mailhooks::startExtension();
}

} // namespace
