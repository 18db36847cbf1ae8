#include "platform/uikit/TargetActionTable.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

void TargetActionTable::add(NSObject* target, SEL action, NSUInteger events) {
    for (TargetAction& pair : m_pairs) {
        if (pair.target.get() == target && pair.action == action && pair.target.get()) {
            pair.events |= events;
            return;
        }
    }
    m_pairs.push_back({objc::WeakRef<NSObject>(target), action, events});
}

void TargetActionTable::remove(NSObject* target, SEL action, NSUInteger events) {
    for (TargetAction& pair : m_pairs) {
        if ((!target || pair.target.get() == target) && (!action || pair.action == action))
            pair.events &= ~events;
    }
    std::erase_if(m_pairs, [](const TargetAction& pair) { return pair.events == 0; });
}

std::vector<TargetAction> TargetActionTable::pairsFor(NSUInteger events) const {
    std::vector<TargetAction> matching;
    for (const TargetAction& pair : m_pairs) {
        if ((pair.events & events) != 0 && pair.target)
            matching.push_back(pair);
    }
    return matching;
}

NSUInteger TargetActionTable::allEvents() const {
    NSUInteger all = 0;
    for (const TargetAction& pair : m_pairs) {
        if (pair.target)
            all |= pair.events;
    }
    return all;
}

bool TargetActionTable::empty() const {
    return std::none_of(m_pairs.begin(), m_pairs.end(),
                        [](const TargetAction& pair) { return bool(pair.target); });
}

void TargetActionTable::send(NSObject* sender, NSUInteger events, NSObject* event) const {
    // A copy, so that an action may change the table; the targets stay alive while called.
    for (const TargetAction& pair : pairsFor(events)) {
        objc::Ref<NSObject> target = pair.target.lock();
        if (target)
            sendActionMessage(pair.action, target.get(), sender, event);
    }
}

void sendActionMessage(SEL action, NSObject* target, NSObject* sender, NSObject* event) {
    if (!action || !target)
        return;
    const std::string name = sel_getName(action);
    switch (std::count(name.begin(), name.end(), ':')) {
    case 0:
        objc::msgSend<void()>(target, action);
        break;
    case 1:
        objc::msgSend<void(id)>(target, action, sender);
        break;
    case 2:
        objc::msgSend<void(id, id)>(target, action, sender, event);
        break;
    default:
        throw std::invalid_argument("an action takes at most a sender and an event: " + name);
    }
}
