#include "mailhooks/toolbar_state.hpp"

namespace tintbox::mailhooks {

ToolbarState& toolbarState() {
    static ToolbarState state;
    return state;
}

} // namespace tintbox::mailhooks
