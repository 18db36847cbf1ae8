// UISegmentedControl: a row of titled segments of equal width, one of them selected (or none,
// -1). Choosing a segment by touch selects it and sends value changed (4096); setting the
// index in code sends nothing. A momentary control sends the action but keeps no selection.
//   auto bar = UISegmentedControl::withItems({"All", "Unread", "Flagged"});
//   bar->setSelectedSegmentIndex(0);  bar->tapSegmentAtIndex(2);
#pragma once

#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UILabel.hpp"

#include <string>
#include <vector>

inline constexpr NSInteger UISegmentedControlNoSegment = -1;

class UISegmentedControl : public UIControl {
public:
    static Class registerRuntimeClass();

    // A new control through initWithItems: (titles), with a zero frame.
    static objc::Ref<UISegmentedControl> withItems(const std::vector<std::string>& items);
    UISegmentedControl* initWithItems(std::vector<std::string> items);

    NSInteger numberOfSegments() const { return static_cast<NSInteger>(m_titles.size()); }
    // The empty string for an index out of range.
    std::string titleForSegmentAtIndex(NSInteger index) const;
    void setTitleForSegmentAtIndex(std::string title, NSInteger index);
    // An index past the end appends.
    void insertSegmentWithTitle(std::string title, NSInteger index, bool animated);
    void removeSegmentAtIndex(NSInteger index, bool animated);
    void removeAllSegments();

    NSInteger selectedSegmentIndex() const { return m_selectedIndex; }
    // Any index outside the segments means none (-1).
    void setSelectedSegmentIndex(NSInteger index);
    bool isMomentary() const { return m_momentary; }
    void setMomentary(bool momentary) { m_momentary = momentary; }

    // The segment under a point of the bounds; -1 when none.
    NSInteger segmentAtPoint(CGPoint point) const;
    CGRect rectForSegmentAtIndex(NSInteger index) const;
    // A user's tap in the middle of the segment.
    void tapSegmentAtIndex(NSInteger index);

    void layoutSubviews();

protected:
    void endTracking(CGPoint point) override;

private:
    void rebuildSegments();

    std::vector<std::string> m_titles;
    std::vector<objc::Ref<UILabel>> m_segmentLabels;
    NSInteger m_selectedIndex{UISegmentedControlNoSegment};
    bool m_momentary{false};
};
