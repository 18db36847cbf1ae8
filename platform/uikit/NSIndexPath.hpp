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
    // A table's path has two indexes: the section at position 0, the row at position 1.
    NSUInteger length() const { return 2; }
    // NSNotFound (the largest NSInteger) for a position past the end.
    NSUInteger indexAtPosition(NSUInteger position) const;

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
