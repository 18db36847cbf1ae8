#include "mailhooks/message_matching.hpp"

#include "host/mail.hpp"
#include "mailhooks/extension_state.hpp"

namespace tintbox::mailhooks {

engine::MessageFields messageFields(id message) {
    return {host::subject(message), host::senders(message), host::toAddresses(message),
            host::ccAddresses(message)};
}

engine::MatchResult matchMessage(id message) {
    ExtensionState& state = extensionState();
    if (state.filters.empty())
        return {};
    return state.filters.match(messageFields(message));
}

} // namespace tintbox::mailhooks
