// The platform's per-thread stack of current drawing contexts. Image contexts are pushed by
// UIGraphicsBeginImageContextWithOptions; the renderer makes a view's context current around
// its `drawRect:` with quartz::CurrentContext, so UIGraphicsGetCurrentContext() finds it.
//   UIGraphicsBeginImageContextWithOptions({16, 48}, false, 0);
//   ... draw into UIGraphicsGetCurrentContext() ...
//   std::optional<quartz::Image> image = UIGraphicsGetImageFromCurrentImageContext();
//   UIGraphicsEndImageContext();
#pragma once

#include "platform/quartz/core_graphics.hpp"
#include "platform/quartz/geometry.hpp"
#include "platform/quartz/image.hpp"

#include <cstddef>
#include <optional>

// A scale of 0 means the screen's scale, which is 1 here. Errors as for quartz::ImageContext.
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
void UIGraphicsBeginImageContext(CGSize size);
// The current context of this thread, or null when there is none.
CGContextRef UIGraphicsGetCurrentContext();
// A picture of the current context when it is an image context, otherwise nothing.
std::optional<quartz::Image> UIGraphicsGetImageFromCurrentImageContext();
// Pops the current image context. Throws std::logic_error when the current context is not an
// image context (or there is none), since popping it would unbalance its owner.
void UIGraphicsEndImageContext();
// Makes a context current until the matching pop; the caller keeps owning it.
void UIGraphicsPushContext(CGContextRef context);
// Throws std::logic_error when the current context is an image context or there is none.
void UIGraphicsPopContext();

namespace quartz {

// Makes `context` current for the scope (UIGraphicsPushContext / UIGraphicsPopContext).
class CurrentContext {
public:
    explicit CurrentContext(DrawingContext& context);
    ~CurrentContext();
    CurrentContext(const CurrentContext&) = delete;
    CurrentContext& operator=(const CurrentContext&) = delete;

private:
    std::size_t m_depth{0};
};

} // namespace quartz
