#include "platform/quartz/core_graphics.hpp"

void CGContextSaveGState(CGContextRef context) {
    if (context)
        context->saveGState();
}

void CGContextRestoreGState(CGContextRef context) {
    if (context)
        context->restoreGState();
}

void CGContextClipToRect(CGContextRef context, CGRect rect) {
    if (context)
        context->clipToRect(rect);
}

void CGContextTranslateCTM(CGContextRef context, CGFloat tx, CGFloat ty) {
    if (context)
        context->translateBy(tx, ty);
}

void CGContextScaleCTM(CGContextRef context, CGFloat sx, CGFloat sy) {
    if (context)
        context->scaleBy(sx, sy);
}

void CGContextDrawLinearGradient(CGContextRef context, const CGGradientRef& gradient,
                                 CGPoint startPoint, CGPoint endPoint,
                                 CGGradientDrawingOptions options) {
    if (context && gradient)
        context->drawLinearGradient(*gradient, startPoint, endPoint, options);
}
