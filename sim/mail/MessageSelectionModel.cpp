#include "sim/mail/MessageSelectionModel.hpp"

#include <algorithm>

Class MessageSelectionModel::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<MessageSelectionModel>("MessageSelectionModel")
                                 .method<&MessageSelectionModel::count>("count");
    return cls;
}

bool MessageSelectionModel::contains(NSObject* message) const {
    return std::any_of(m_messages.begin(), m_messages.end(),
                       [&](const auto& held) { return held.get() == message; });
}

void MessageSelectionModel::add(NSObject* message) {
    if (message && !contains(message))
        m_messages.emplace_back(message);
}

void MessageSelectionModel::remove(NSObject* message) {
    std::erase_if(m_messages, [&](const auto& held) { return held.get() == message; });
}
