// NSError: a failure as the platform reports it, a domain, a code and a sentence for people
// (localizedDescription). EventKit's saves hand one back through their error argument.
//   objc::Ref<NSError> error;
//   if (!store->saveReminder(reminder, true, &error)) show(error->localizedDescription());
#pragma once

#include "platform/objc/objc.hpp"

#include <string>

class NSError : public NSObject {
public:
    static Class registerRuntimeClass();

    NSError() = default;
    NSError(std::string domain, NSInteger code, std::string description)
        : m_domain(std::move(domain)), m_code(code), m_description(std::move(description)) {}

    std::string domain() const { return m_domain; }
    NSInteger code() const { return m_code; }
    std::string localizedDescription() const { return m_description; }

private:
    std::string m_domain;
    NSInteger m_code{0};
    std::string m_description;
};
