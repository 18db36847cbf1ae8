// A pane bundle for the tests: a root pane built from its specifier list "TestRoot", a detail
// pane that counts its appearances, and a custom cell. Its classes register when the bundle is
// loaded, so they belong to it.
#include "platform/preferences/PSListController.hpp"
#include "platform/preferences/PSTableCell.hpp"

namespace {

class TestRootPane : public PSListController {
public:
    PSSpecifierList specifiers() {
        if (mutableSpecifiers().empty())
            mutableSpecifiers() = loadSpecifiersFromPlistName("TestRoot", this);
        return mutableSpecifiers();
    }
};

class TestDetailPane : public PSListController {
public:
    void viewWillAppear(bool animated) {
        ++appearances;
        PSListController::viewWillAppear(animated);
    }
    static inline long appearances = 0;
};

// Shows how it was made: the style it was given and the specifier's "key".
class TestBundleCell : public PSTableCell {
public:
    TestBundleCell* initWithStyle(NSInteger style, std::string reuseIdentifier,
                                  PSSpecifier* specifier) {
        PSTableCell::initWithStyle(0, std::move(reuseIdentifier), specifier);
        const foundation::Value key = specifier->propertyForKey("key");
        textLabel()->setText("custom " + std::to_string(style) + " " +
                             (key.asString() ? *key.asString() : std::string()));
        return this;
    }
};

const bool registered = [] {
    PSListController::registerRuntimeClass();
    objc::ClassBuilder<TestRootPane, PSListController>("TestRootPane")
        .method<&TestRootPane::specifiers>("specifiers");
    objc::ClassBuilder<TestDetailPane, PSListController>("TestDetailPane")
        .method<&TestDetailPane::viewWillAppear>("viewWillAppear:")
        .classMethod(
            "appearances", +[](Class, SEL) { return TestDetailPane::appearances; });
    objc::ClassBuilder<TestBundleCell, PSTableCell>("TestBundleCell")
        .method<&TestBundleCell::initWithStyle>("initWithStyle:reuseIdentifier:specifier:");
    return true;
}();

} // namespace
