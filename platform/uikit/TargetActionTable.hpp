// The target-action pairs of a control, recogniser or bar item, each for a mask of events.
// Targets are held weakly: a target that has gone away is skipped (and dropped). Actions are
// sent through objc::msgSend, with as many arguments as the selector names: none, the
// sender, or the sender and the event (`action`, `action:`, `action:withEvent:`).
//   table.add(controller, sel_registerName("segmentAction:"), UIControlEventValueChanged);
//   table.send(control, UIControlEventValueChanged, nullptr);
#pragma once

#include "platform/objc/objc.hpp"

#include <vector>

struct TargetAction {
    objc::WeakRef<NSObject> target;
    SEL action{nullptr};
    NSUInteger events{0};
};

class TargetActionTable {
public:
    // Adds the pair for events; a pair already present only gains the events.
    void add(NSObject* target, SEL action, NSUInteger events);
    // Removes events from the pairs of target (every target when null) with action (every
    // action when null); pairs left without events go away.
    void remove(NSObject* target, SEL action, NSUInteger events);

    // Live pairs whose mask shares a bit with events, in the order they were added.
    std::vector<TargetAction> pairsFor(NSUInteger events) const;
    // The union of the masks of all live pairs.
    NSUInteger allEvents() const;
    bool empty() const;

    // Sends the action of every live pair registered for events. Pairs added or removed by
    // an action take effect from the next send.
    void send(NSObject* sender, NSUInteger events, NSObject* event) const;

private:
    std::vector<TargetAction> m_pairs;
};

// Sends one action to target the way controls do: `action`, `action:sender` or
// `action:sender withEvent:event`, chosen by the number of colons in the selector.
void sendActionMessage(SEL action, NSObject* target, NSObject* sender, NSObject* event);
