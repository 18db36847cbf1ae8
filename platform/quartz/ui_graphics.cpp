#include "platform/quartz/ui_graphics.hpp"

#include "platform/quartz/image_context.hpp"

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct StackEntry {
    CGContextRef context{nullptr};
    std::unique_ptr<quartz::ImageContext> imageContext; // set when the stack owns the context
};

std::vector<StackEntry>& contextStack() {
    thread_local std::vector<StackEntry> stack;
    return stack;
}

} // namespace

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale) {
    auto imageContext =
        std::make_unique<quartz::ImageContext>(size, opaque, scale == 0 ? 1.0 : scale);
    CGContextRef context = &imageContext->context();
    contextStack().push_back({context, std::move(imageContext)});
}

void UIGraphicsBeginImageContext(CGSize size) {
    UIGraphicsBeginImageContextWithOptions(size, false, 1.0);
}

CGContextRef UIGraphicsGetCurrentContext() {
    auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back().context;
}

std::optional<quartz::Image> UIGraphicsGetImageFromCurrentImageContext() {
    auto& stack = contextStack();
    if (stack.empty() || !stack.back().imageContext)
        return std::nullopt;
    return stack.back().imageContext->image();
}

void UIGraphicsEndImageContext() {
    auto& stack = contextStack();
    if (stack.empty() || !stack.back().imageContext)
        throw std::logic_error("UIGraphicsEndImageContext without a current image context");
    stack.pop_back();
}

void UIGraphicsPushContext(CGContextRef context) {
    if (!context)
        throw std::invalid_argument("UIGraphicsPushContext needs a context");
    contextStack().push_back({context, nullptr});
}

void UIGraphicsPopContext() {
    auto& stack = contextStack();
    if (stack.empty() || stack.back().imageContext)
        throw std::logic_error("UIGraphicsPopContext without a pushed context");
    stack.pop_back();
}

namespace quartz {

CurrentContext::CurrentContext(DrawingContext& context) : m_depth(contextStack().size()) {
    UIGraphicsPushContext(&context);
}

CurrentContext::~CurrentContext() {
    // Entries left above ours when the scope ends go with it.
    auto& stack = contextStack();
    if (stack.size() > m_depth)
        stack.erase(stack.begin() + static_cast<std::ptrdiff_t>(m_depth), stack.end());
}

} // namespace quartz
