// The platform's CGContext functions over the drawing context, for code that reads like the
// device's (`drawRect:` bodies). A null context is ignored, as the platform does.
//   CGContextRef context = UIGraphicsGetCurrentContext();
//   CGContextSaveGState(context);  CGContextClipToRect(context, bounds);  ...
#pragma once

#include "platform/quartz/drawing_context.hpp"
#include "platform/quartz/geometry.hpp"
#include "platform/quartz/gradient.hpp"

using CGContextRef = quartz::DrawingContext*;

void CGContextSaveGState(CGContextRef context);
void CGContextRestoreGState(CGContextRef context);
void CGContextClipToRect(CGContextRef context, CGRect rect);
void CGContextTranslateCTM(CGContextRef context, CGFloat tx, CGFloat ty);
void CGContextScaleCTM(CGContextRef context, CGFloat sx, CGFloat sy);
void CGContextDrawLinearGradient(CGContextRef context, const CGGradientRef& gradient,
                                 CGPoint startPoint, CGPoint endPoint,
                                 CGGradientDrawingOptions options);
