// NSIndexPath as tables use it: a section and a row, made with indexPathForRow:inSection:.
//   auto path = NSIndexPath::indexPathForRow(2, 0);   path->row() == 2, path->section() == 0
// Index paths are immutable and compare by value (isEqual:, compare:), never by identity.
#pragma once

#include "platform/objc/objc.hpp"

class NSIndexPath : public NSObject {
public:
    NSIndexPath() = default;
    NSIndexPath(NSInteger row, NSInteger section) : m_row(row), m_section(section) {}

    static objc::Ref<NSIndexPath> indexPathForRow(NSInteger row, NSInteger section);
    // Registers the class and its selectors once; later calls only return it.
    static Class registerRuntimeClass();

    NSInteger row() const { return m_row; }
    NSInteger section() const { return m_section; }

    // Same section and row; nil is equal to nothing.
    bool isEqual(NSObject* other) const;
    // NSOrderedAscending (-1), NSOrderedSame (0) or NSOrderedDescending (1): section, then row.
    NSInteger compare(NSIndexPath* other) const;

private:
    NSInteger m_row{0};
    NSInteger m_section{0};
};

// Value comparison of two possibly-nil index paths (both nil are equal).
bool sameIndexPath(const NSIndexPath* a, const NSIndexPath* b);
