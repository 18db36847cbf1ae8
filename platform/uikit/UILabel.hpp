// UILabel: one block of text in the system font, drawn in drawRect: centred vertically in the
// bounds, aligned left, centre or right, wrapped to numberOfLines (0 = as many as needed).
// sizeToFit measures with Pango (DejaVu Sans, points).
//   auto label = UIView::withFrame<UILabel>(CGRectZero);
//   label->setText("Brightness:");  label->sizeToFit();
#pragma once

#include "platform/uikit/UIView.hpp"

#include <string>

class UIColor;
class UIFont;

// The platform's numbering (left, centre, right), as quartz::TextAlignment.
using NSTextAlignment = NSInteger;
inline constexpr NSTextAlignment NSTextAlignmentLeft = 0;
inline constexpr NSTextAlignment NSTextAlignmentCenter = 1;
inline constexpr NSTextAlignment NSTextAlignmentRight = 2;

class UILabel : public UIView {
public:
    static Class registerRuntimeClass();

    UILabel();

    // By value, as messages carry it (msgSend<std::string>(label, text)).
    std::string text() const { return m_text; }
    void setText(std::string text);
    UIColor* textColor() const { return m_textColor.get(); }
    // Nil is taken as black, as the platform does.
    void setTextColor(UIColor* color);
    UIFont* font() const { return m_font.get(); }
    // Nil is taken as the system font of 17 points.
    void setFont(UIFont* font);
    NSTextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(NSTextAlignment alignment);
    NSInteger numberOfLines() const { return m_numberOfLines; }
    void setNumberOfLines(NSInteger lines);
    // A disabled label draws its text dimmed, as the platform does.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // One line: the text's natural size. Several lines: wrapped within size.width.
    CGSize sizeThatFits(CGSize size) const;
    void drawRect(CGRect rect);

private:
    std::string m_text;
    objc::Ref<UIColor> m_textColor;
    objc::Ref<UIFont> m_font;
    NSTextAlignment m_textAlignment{NSTextAlignmentLeft};
    NSInteger m_numberOfLines{1};
    bool m_enabled{true};
};
