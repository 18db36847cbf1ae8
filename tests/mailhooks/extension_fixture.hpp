// The fixture of the extension's behaviour tests: the test host classes registered and the
// extension started once per process (in a device root of the process's own), and a fresh
// snapshot with highlighting on before each test.
#pragma once

#include "mailhooks/extension.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/gradient_view.hpp"
#include "tests/mailhooks/test_host.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gtest/gtest.h>

namespace tintbox::testing {

// The device root that the extension read its settings from and watches for notifications.
inline const TemporaryDeviceRoot& extensionDeviceRoot() {
    static const TemporaryDeviceRoot root;
    return root;
}

inline void startExtensionOnce() {
    static const bool started = [] {
        extensionDeviceRoot();
        registerTestHostClasses();
        mailhooks::startExtension();
        return true;
    }();
    (void)started;
}

class ExtensionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startExtensionOnce(); }

    void SetUp() override {
        state().snapshot = settings::SettingsSnapshot{};
        state().snapshot.enabled = true;
        state().compileFilters();
        state().quickFilterReset = false;
    }

    static mailhooks::ExtensionState& state() { return mailhooks::extensionState(); }
    static settings::SettingsSnapshot& snapshot() { return state().snapshot; }

    static void useFilters(std::vector<foundation::Dictionary> filters) {
        snapshot().filters = std::move(filters);
        state().compileFilters();
    }

    // A filter record matching senders with the pattern, in the colour.
    static foundation::Dictionary senderFilter(const std::string& pattern,
                                               const std::string& colour) {
        return {{"from", pattern}, {"hexColor", colour}};
    }

    static objc::Ref<TestAccount> account(const std::string& name) {
        auto result = objc::make<TestAccount>();
        result->name = name;
        return result;
    }

    static objc::Ref<TestMessage> message(const std::string& sender, const std::string& owner) {
        auto result = objc::make<TestMessage>();
        result->subjectText = "Quarterly report";
        result->from = std::vector<std::string>{sender};
        result->owner = account(owner);
        return result;
    }
};

inline SEL selectorNamed(std::string_view name) {
    return sel_registerName(name);
}

} // namespace tintbox::testing
