// The drawing context (the platform's CGContextRef): everything views and the renderer draw
// with, in user space whose unit is the point and whose y axis points down. Nothing outside
// platform/quartz touches cairo. A renderer walks a view tree like this:
//
//   quartz::ImageContext bitmap({320, 480}, false, 2.0);
//   quartz::DrawingContext& context = bitmap.context();
//   {
//       quartz::SavedState saved(context);                 // undone at the end of the scope
//       context.translateBy(frame.origin.x, frame.origin.y);
//       if (masksToBounds)
//           context.clipToRoundedRect(bounds, cornerRadius);
//       std::optional<quartz::TransparencyLayer> group;
//       if (alpha < 1)
//           group.emplace(context, alpha);                 // composited with alpha when it ends
//       context.fillRoundedRect(bounds, cornerRadius, background);
//       context.drawLinearGradient(gradient, {0, 0}, {0, bounds.height()});
//       context.drawText(text, bounds, style);
//       context.drawBorder(bounds, borderWidth, borderColor, cornerRadius);
//   }
//   bitmap.image().writePNG("screen.png");
#pragma once

#include "platform/quartz/color.hpp"
#include "platform/quartz/geometry.hpp"
#include "platform/quartz/gradient.hpp"
#include "platform/quartz/text.hpp"

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

typedef struct _cairo cairo_t;

namespace quartz {

class Image;

// A layer's drop shadow: the shape's silhouette, offset and blurred by about `radius` points.
struct Shadow {
    Color color{Color::black()};
    double opacity{0};
    CGSize offset{0, -3};
    double radius{3};
};

class DrawingContext {
public:
    // Draws through `cairo`, taking a reference of its own: the caller may keep and release
    // its reference as it likes. States and layers left open are closed when the context goes,
    // so a borrowed cairo context is handed back as it came.
    explicit DrawingContext(cairo_t* cairo);
    ~DrawingContext();
    DrawingContext(const DrawingContext&) = delete;
    DrawingContext& operator=(const DrawingContext&) = delete;

    // Graphics state: transformation and clip. Every save needs its restore; a restore
    // without a save, or across an open transparency layer, throws std::logic_error.
    void saveGState();
    void restoreGState();
    // Everything drawn until the matching end is composited at once with `alpha`, so
    // overlapping parts do not show through each other (a view's alpha). Throws
    // std::logic_error when the innermost open level is a saved state rather than a layer.
    void beginTransparencyLayer();
    void endTransparencyLayer(double alpha);
    // Saved states and transparency layers open now.
    std::size_t depth() const { return m_levels.size(); }

    void translateBy(double dx, double dy);
    void scaleBy(double sx, double sy);
    // Intersects the clip with the rectangle (rounded by `radius`, at most half the shorter side).
    void clipToRect(const CGRect& rect);
    void clipToRoundedRect(const CGRect& rect, double radius);
    // The clip's bounding box in user space: what can still be drawn on.
    CGRect clipBoundingBox() const;

    void fillRect(const CGRect& rect, const Color& color);
    void fillRoundedRect(const CGRect& rect, double radius, const Color& color);
    // A layer border: `width` points inside the edge of the (rounded) rectangle.
    void drawBorder(const CGRect& rect, double width, const Color& color, double radius = 0);
    void drawShadow(const CGRect& rect, double radius, const Shadow& shadow);

    // Paints the clip area with the gradient along the line from `start` to `end`. Without
    // options nothing is painted beyond the two ends; the option flags extend the end colours.
    void drawLinearGradient(const Gradient& gradient, CGPoint start, CGPoint end,
                            CGGradientDrawingOptions options = 0);
    // Scales the image to fill `rect`.
    void drawImage(const Image& image, const CGRect& rect);
    // Lays the text out in the rectangle's width; see TextStyle for lines and alignment.
    void drawText(std::string_view text, const CGRect& rect, const TextStyle& style);

private:
    friend class SavedState;
    friend class TransparencyLayer;

    enum class Level { SavedState, TransparencyLayer };
    struct CairoReleaser {
        void operator()(cairo_t* cairo) const;
    };

    void closeLevelsAbove(std::size_t depth) noexcept;
    void closeLevel(double alpha) noexcept;
    void addRoundedRectPath(const CGRect& rect, double radius);

    std::unique_ptr<cairo_t, CairoReleaser> m_cairo;
    std::vector<Level> m_levels;
};

// Saves the graphics state and restores it when the scope ends, closing anything opened since.
class SavedState {
public:
    explicit SavedState(DrawingContext& context);
    ~SavedState();
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    DrawingContext& m_context;
    std::size_t m_depth{0};
};

// Opens a transparency layer and composites it with `alpha` when the scope ends.
class TransparencyLayer {
public:
    TransparencyLayer(DrawingContext& context, double alpha);
    ~TransparencyLayer();
    TransparencyLayer(const TransparencyLayer&) = delete;
    TransparencyLayer& operator=(const TransparencyLayer&) = delete;

private:
    DrawingContext& m_context;
    std::size_t m_depth{0};
    double m_alpha{1.0};
};

} // namespace quartz
