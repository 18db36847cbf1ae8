// The control events of UIControl (a bit mask, NSUInteger) and the control states, with the
// platform's values, so that 4096 reads as UIControlEventValueChanged wherever it appears.
#pragma once

#include "platform/objc/types.hpp"

using UIControlEvents = NSUInteger;

inline constexpr UIControlEvents UIControlEventTouchDown = 1 << 0;
inline constexpr UIControlEvents UIControlEventTouchDownRepeat = 1 << 1;
inline constexpr UIControlEvents UIControlEventTouchDragInside = 1 << 2;
inline constexpr UIControlEvents UIControlEventTouchDragOutside = 1 << 3;
inline constexpr UIControlEvents UIControlEventTouchDragEnter = 1 << 4;
inline constexpr UIControlEvents UIControlEventTouchDragExit = 1 << 5;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1 << 6;
inline constexpr UIControlEvents UIControlEventTouchUpOutside = 1 << 7;
inline constexpr UIControlEvents UIControlEventTouchCancel = 1 << 8;
inline constexpr UIControlEvents UIControlEventValueChanged = 1 << 12;
inline constexpr UIControlEvents UIControlEventEditingDidBegin = 1 << 16;
inline constexpr UIControlEvents UIControlEventEditingChanged = 1 << 17;
inline constexpr UIControlEvents UIControlEventEditingDidEnd = 1 << 18;
inline constexpr UIControlEvents UIControlEventEditingDidEndOnExit = 1 << 19;
inline constexpr UIControlEvents UIControlEventAllTouchEvents = 0x00000FFF;
inline constexpr UIControlEvents UIControlEventAllEditingEvents = 0x000F0000;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFF;

using UIControlState = NSUInteger;

inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1 << 0;
inline constexpr UIControlState UIControlStateDisabled = 1 << 1;
inline constexpr UIControlState UIControlStateSelected = 1 << 2;
