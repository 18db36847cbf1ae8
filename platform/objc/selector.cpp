#include "platform/objc/selector.hpp"

#include <memory>
#include <string>
#include <unordered_map>

struct objc_selector {
    std::string name;
};

namespace {

// Keys view the names held by the selectors themselves, which never move or die.
using SelectorTable = std::unordered_map<std::string_view, std::unique_ptr<objc_selector>>;

SelectorTable& selectorTable() {
    static SelectorTable table;
    return table;
}

} // namespace

SEL sel_registerName(std::string_view name) {
    SelectorTable& table = selectorTable();
    if (auto found = table.find(name); found != table.end())
        return found->second.get();
    auto selector = std::make_unique<objc_selector>(objc_selector{std::string(name)});
    std::string_view key = selector->name;
    return table.emplace(key, std::move(selector)).first->second.get();
}

const char* sel_getName(SEL selector) {
    return selector ? selector->name.c_str() : "<null selector>";
}
