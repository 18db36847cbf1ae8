#include "platform/uikit/NSIndexPath.hpp"

#include <limits>

namespace {
[[maybe_unused]] const Class registeredAtLoad = NSIndexPath::registerRuntimeClass();
} // namespace

objc::Ref<NSIndexPath> NSIndexPath::indexPathForRow(NSInteger row, NSInteger section) {
    registerRuntimeClass();
    return objc::make<NSIndexPath>(row, section);
}

Class NSIndexPath::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<NSIndexPath>("NSIndexPath")
            .method<&NSIndexPath::row>("row")
            .method<&NSIndexPath::section>("section")
            .method<&NSIndexPath::length>("length")
            .method<&NSIndexPath::indexAtPosition>("indexAtPosition:")
            .method<&NSIndexPath::isEqual>("isEqual:")
            .method<&NSIndexPath::compare>("compare:")
            .classMethod(
                "indexPathForRow:inSection:",
                +[](Class, SEL, NSInteger row, NSInteger section) -> objc::Ref<NSObject> {
                    return NSIndexPath::indexPathForRow(row, section);
                });
    return cls;
}

NSUInteger NSIndexPath::indexAtPosition(NSUInteger position) const {
    switch (position) {
    case 0:
        return static_cast<NSUInteger>(m_section);
    case 1:
        return static_cast<NSUInteger>(m_row);
    default:
        return static_cast<NSUInteger>(std::numeric_limits<NSInteger>::max());
    }
}

bool NSIndexPath::isEqual(NSObject* other) const {
    const auto* path = dynamic_cast<const NSIndexPath*>(other);
    return path && path->m_row == m_row && path->m_section == m_section;
}

NSInteger NSIndexPath::compare(NSIndexPath* other) const {
    if (!other)
        return 1;
    if (m_section != other->m_section)
        return m_section < other->m_section ? -1 : 1;
    if (m_row != other->m_row)
        return m_row < other->m_row ? -1 : 1;
    return 0;
}

bool sameIndexPath(const NSIndexPath* a, const NSIndexPath* b) {
    if (!a || !b)
        return a == b;
    return a->isEqual(const_cast<NSIndexPath*>(b));
}
