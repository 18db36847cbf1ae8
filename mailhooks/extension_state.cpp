#include "mailhooks/extension_state.hpp"

namespace tintbox::mailhooks {

ExtensionState& extensionState() {
    static ExtensionState state;
    return state;
}

} // namespace tintbox::mailhooks
