#include "platform/uikit/UILabel.hpp"

#include "platform/quartz/text.hpp"
#include "platform/quartz/ui_graphics.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UILabel::registerRuntimeClass();

quartz::TextAlignment alignmentOf(NSTextAlignment alignment) {
    switch (alignment) {
    case NSTextAlignmentCenter:
        return quartz::TextAlignment::Center;
    case NSTextAlignmentRight:
        return quartz::TextAlignment::Right;
    default:
        return quartz::TextAlignment::Left;
    }
}

int linesOf(NSInteger lines) {
    return static_cast<int>(std::clamp<NSInteger>(lines, 0, INT_MAX));
}
} // namespace

Class UILabel::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    UIColor::registerRuntimeClass();
    UIFont::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UILabel, UIView>("UILabel")
                                 .method<&UILabel::text>("text")
                                 .method<&UILabel::setText>("setText:")
                                 .method<&UILabel::textColor>("textColor")
                                 .method<&UILabel::setTextColor>("setTextColor:")
                                 .method<&UILabel::font>("font")
                                 .method<&UILabel::setFont>("setFont:")
                                 .method<&UILabel::textAlignment>("textAlignment")
                                 .method<&UILabel::setTextAlignment>("setTextAlignment:")
                                 .method<&UILabel::numberOfLines>("numberOfLines")
                                 .method<&UILabel::setNumberOfLines>("setNumberOfLines:")
                                 .method<&UILabel::isEnabled>("isEnabled")
                                 .method<&UILabel::setEnabled>("setEnabled:")
                                 .method<&UILabel::sizeThatFits>("sizeThatFits:")
                                 .method<&UILabel::drawRect>("drawRect:");
    return cls;
}

UILabel::UILabel() : m_textColor(UIColor::blackColor()), m_font(UIFont::systemFontOfSize(17)) {
    setUserInteractionEnabled(false);
}

void UILabel::setText(std::string text) {
    m_text = std::move(text);
    setNeedsDisplay();
}

void UILabel::setTextColor(UIColor* color) {
    m_textColor = color ? objc::Ref<UIColor>(color) : UIColor::blackColor();
    setNeedsDisplay();
}

void UILabel::setFont(UIFont* font) {
    m_font = font ? objc::Ref<UIFont>(font) : UIFont::systemFontOfSize(17);
    setNeedsDisplay();
}

void UILabel::setTextAlignment(NSTextAlignment alignment) {
    m_textAlignment = alignment;
    setNeedsDisplay();
}

void UILabel::setNumberOfLines(NSInteger lines) {
    m_numberOfLines = std::max<NSInteger>(lines, 0);
    setNeedsDisplay();
}

void UILabel::setEnabled(bool enabled) {
    m_enabled = enabled;
    setNeedsDisplay();
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    const double maxWidth = m_numberOfLines == 1 ? 0 : size.width;
    CGSize text = quartz::measureText(m_text, m_font->font(), maxWidth, linesOf(m_numberOfLines));
    return {std::ceil(text.width), std::ceil(text.height)};
}

void UILabel::drawRect(CGRect rect) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context || m_text.empty())
        return;
    const CGColorRef colour = m_textColor->CGColor();
    context->drawText(m_text, rect,
                      {.font = m_font->font(),
                       .color = m_enabled ? colour : colour.withAlpha(colour.alpha * 0.5),
                       .alignment = alignmentOf(m_textAlignment),
                       .verticalAlignment = quartz::VerticalAlignment::Center,
                       .numberOfLines = linesOf(m_numberOfLines)});
}
