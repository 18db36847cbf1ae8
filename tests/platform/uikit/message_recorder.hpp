// A target and delegate for control, gesture, table and alert tests: it records each message
// it receives (selector and arguments) in order. Registered once per process as
// "MessageRecorder" with the action and delegate selectors the tests send.
#pragma once

#include "platform/objc/objc.hpp"

#include <string>
#include <vector>

struct RecordedMessage {
    std::string selector;
    NSObject* sender{nullptr};
    long number{0};
};

class MessageRecorder : public NSObject {
public:
    std::vector<RecordedMessage> messages;

    std::vector<std::string> selectors() const {
        std::vector<std::string> names;
        for (const auto& m : messages)
            names.push_back(m.selector);
        return names;
    }

    static Class registerRuntimeClass() {
        static const Class cls =
            objc::ClassBuilder<MessageRecorder>("MessageRecorder")
                .method(
                    "act", +[](id self, SEL cmd) { record(self, cmd, nullptr, 0); })
                .method(
                    "act:", +[](id self, SEL cmd, id s) { record(self, cmd, s, 0); })
                .method(
                    "other:", +[](id self, SEL cmd, id s) { record(self, cmd, s, 0); })
                // Records the sender's state (a gesture recogniser's) at the time of the call.
                .method(
                    "pressed:",
                    +[](id self, SEL cmd, id s) {
                        record(self, cmd, s, objc::msgSend<long>(s, sel_registerName("state")));
                    })
                .method(
                    "act:withEvent:", +[](id self, SEL cmd, id s, id) { record(self, cmd, s, 0); })
                .method(
                    "alertView:clickedButtonAtIndex:",
                    +[](id self, SEL cmd, id s, long i) { record(self, cmd, s, i); })
                .method(
                    "alertView:didDismissWithButtonIndex:",
                    +[](id self, SEL cmd, id s, long i) { record(self, cmd, s, i); });
        return cls;
    }

private:
    static void record(id self, SEL cmd, id sender, long number) {
        static_cast<MessageRecorder*>(self)->messages.push_back({sel_getName(cmd), sender, number});
    }
};

inline objc::Ref<MessageRecorder> makeRecorder() {
    MessageRecorder::registerRuntimeClass();
    return objc::make<MessageRecorder>();
}

inline SEL sel(const char* name) {
    return sel_registerName(name);
}
