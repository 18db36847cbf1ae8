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
    if (state.snapshot.filters.empty())
        return {};
    return engine::match(messageFields(message), state.snapshot.filters, state.patterns);
}

} // namespace tintbox::mailhooks
