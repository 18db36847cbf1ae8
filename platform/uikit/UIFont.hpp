// UIFont: the system font (DejaVu Sans here) at a size in points, regular or bold.
//   label->setFont(UIFont::boldSystemFontOfSize(15).get());
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/text.hpp"

class UIFont : public NSObject {
public:
    static Class registerRuntimeClass();

    UIFont() = default;
    explicit UIFont(quartz::Font font) : m_font(font) {}

    static objc::Ref<UIFont> systemFontOfSize(double pointSize);
    static objc::Ref<UIFont> boldSystemFontOfSize(double pointSize);

    double pointSize() const { return m_font.pointSize; }
    bool isBold() const { return m_font.bold; }
    objc::Ref<UIFont> fontWithSize(double pointSize) const;
    const quartz::Font& font() const { return m_font; }

private:
    quartz::Font m_font;
};
