#include "platform/quartz/drawing_context.hpp"

#include "platform/quartz/cairo_handles.hpp"
#include "platform/quartz/image.hpp"
#include "platform/quartz/text_layout.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace quartz {
namespace {

void setSource(cairo_t* cr, const Color& color) {
    detail::drawing().cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

// One pass of a box blur of half-width k over n samples `step` bytes apart, zero outside.
void blurLine(unsigned char* samples, int n, int step, int k, std::vector<unsigned>& scratch) {
    scratch.assign(static_cast<std::size_t>(n), 0);
    unsigned sum = 0;
    int window = 2 * k + 1;
    for (int i = -k; i < n + k; ++i) {
        if (i + k < n)
            sum += samples[(i + k) * step];
        if (i - k - 1 >= 0)
            sum -= samples[(i - k - 1) * step];
        if (i >= 0 && i < n)
            scratch[static_cast<std::size_t>(i)] = sum;
    }
    for (int i = 0; i < n; ++i)
        samples[i * step] = static_cast<unsigned char>(
            (scratch[static_cast<std::size_t>(i)] + window / 2) / window);
}

// Three box passes each way approximate a Gaussian of standard deviation about k.
void blurMask(cairo_surface_t* mask, int k) {
    detail::drawing().cairo_surface_flush(mask);
    unsigned char* data = detail::drawing().cairo_image_surface_get_data(mask);
    int width = detail::drawing().cairo_image_surface_get_width(mask);
    int height = detail::drawing().cairo_image_surface_get_height(mask);
    int stride = detail::drawing().cairo_image_surface_get_stride(mask);
    std::vector<unsigned> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            blurLine(data + y * stride, width, 1, k, scratch);
        for (int x = 0; x < width; ++x)
            blurLine(data + x, height, stride, k, scratch);
    }
    detail::drawing().cairo_surface_mark_dirty(mask);
}

// Device pixels per unit of user space along x.
double pixelsPerPoint(cairo_t* cr) {
    double dx = 1, dy = 0;
    detail::drawing().cairo_user_to_device_distance(cr, &dx, &dy);
    double deviceX = 1, deviceY = 1;
    detail::drawing().cairo_surface_get_device_scale(detail::drawing().cairo_get_target(cr),
                                                     &deviceX, &deviceY);
    return std::hypot(dx, dy) * deviceX;
}

} // namespace

void DrawingContext::CairoReleaser::operator()(cairo_t* cairo) const {
    if (cairo)
        detail::drawing().cairo_destroy(cairo);
}

DrawingContext::DrawingContext(cairo_t* cairo) : m_cairo(detail::drawing().cairo_reference(cairo)) {
    if (!cairo)
        throw std::invalid_argument("a drawing context needs a cairo context");
}

DrawingContext::~DrawingContext() {
    closeLevelsAbove(0);
}

void DrawingContext::saveGState() {
    detail::drawing().cairo_save(m_cairo.get());
    m_levels.push_back(Level::SavedState);
}

void DrawingContext::restoreGState() {
    if (m_levels.empty() || m_levels.back() != Level::SavedState)
        throw std::logic_error(m_levels.empty()
                                   ? "restoreGState without a saved state"
                                   : "restoreGState inside an open transparency layer");
    closeLevel(1.0);
}

void DrawingContext::beginTransparencyLayer() {
    detail::drawing().cairo_push_group(m_cairo.get());
    m_levels.push_back(Level::TransparencyLayer);
}

void DrawingContext::endTransparencyLayer(double alpha) {
    if (m_levels.empty() || m_levels.back() != Level::TransparencyLayer)
        throw std::logic_error(m_levels.empty()
                                   ? "endTransparencyLayer without a transparency layer"
                                   : "endTransparencyLayer inside an unrestored saved state");
    closeLevel(alpha);
}

void DrawingContext::closeLevel(double alpha) noexcept {
    cairo_t* cr = m_cairo.get();
    Level level = m_levels.back();
    m_levels.pop_back();
    if (level == Level::SavedState) {
        detail::drawing().cairo_restore(cr);
        return;
    }
    detail::drawing().cairo_pop_group_to_source(cr);
    detail::drawing().cairo_paint_with_alpha(cr,
                                             std::isnan(alpha) ? 0.0 : std::clamp(alpha, 0.0, 1.0));
    // The group became the source; drop it so it is not kept alive.
    detail::drawing().cairo_set_source_rgba(cr, 0, 0, 0, 0);
}

void DrawingContext::closeLevelsAbove(std::size_t depth) noexcept {
    while (m_levels.size() > depth)
        closeLevel(1.0);
}

void DrawingContext::translateBy(double dx, double dy) {
    detail::drawing().cairo_translate(m_cairo.get(), dx, dy);
}

void DrawingContext::scaleBy(double sx, double sy) {
    if (sx == 0 || sy == 0 || !std::isfinite(sx) || !std::isfinite(sy))
        throw std::invalid_argument("a drawing scale must be finite and not zero");
    detail::drawing().cairo_scale(m_cairo.get(), sx, sy);
}

void DrawingContext::addRoundedRectPath(const CGRect& rect, double radius) {
    cairo_t* cr = m_cairo.get();
    CGRect r = rect.standardized();
    double corner = std::clamp(radius, 0.0, std::min(r.size.width, r.size.height) / 2);
    detail::drawing().cairo_new_path(cr);
    if (!(corner > 0)) {
        detail::drawing().cairo_rectangle(cr, r.origin.x, r.origin.y, r.size.width, r.size.height);
        return;
    }
    constexpr double quarter = std::numbers::pi / 2;
    detail::drawing().cairo_new_sub_path(cr);
    detail::drawing().cairo_arc(cr, r.maxX() - corner, r.minY() + corner, corner, -quarter, 0);
    detail::drawing().cairo_arc(cr, r.maxX() - corner, r.maxY() - corner, corner, 0, quarter);
    detail::drawing().cairo_arc(cr, r.minX() + corner, r.maxY() - corner, corner, quarter,
                                2 * quarter);
    detail::drawing().cairo_arc(cr, r.minX() + corner, r.minY() + corner, corner, 2 * quarter,
                                3 * quarter);
    detail::drawing().cairo_close_path(cr);
}

void DrawingContext::clipToRect(const CGRect& rect) {
    clipToRoundedRect(rect, 0);
}

void DrawingContext::clipToRoundedRect(const CGRect& rect, double radius) {
    addRoundedRectPath(rect, radius);
    detail::drawing().cairo_clip(m_cairo.get());
}

CGRect DrawingContext::clipBoundingBox() const {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    detail::drawing().cairo_clip_extents(m_cairo.get(), &x1, &y1, &x2, &y2);
    return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

void DrawingContext::fillRect(const CGRect& rect, const Color& color) {
    fillRoundedRect(rect, 0, color);
}

void DrawingContext::fillRoundedRect(const CGRect& rect, double radius, const Color& color) {
    addRoundedRectPath(rect, radius);
    setSource(m_cairo.get(), color);
    detail::drawing().cairo_fill(m_cairo.get());
}

void DrawingContext::drawBorder(const CGRect& rect, double width, const Color& color,
                                double radius) {
    if (!(width > 0))
        return;
    cairo_t* cr = m_cairo.get();
    CGRect outer = rect.standardized();
    CGRect inner = outer.insetBy(width, width);
    double outerRadius = std::clamp(radius, 0.0, std::min(outer.width(), outer.height()) / 2);
    addRoundedRectPath(outer, outerRadius);
    if (!inner.isEmpty()) {
        cairo_path_t* outerPath = detail::drawing().cairo_copy_path(cr);
        addRoundedRectPath(inner, std::max(outerRadius - width, 0.0));
        detail::drawing().cairo_append_path(cr, outerPath);
        detail::drawing().cairo_path_destroy(outerPath);
    }
    detail::drawing().cairo_save(cr);
    detail::drawing().cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setSource(cr, color);
    detail::drawing().cairo_fill(cr);
    detail::drawing().cairo_restore(cr);
}

void DrawingContext::drawShadow(const CGRect& rect, double radius, const Shadow& shadow) {
    CGRect shape = rect.standardized();
    if (!(shadow.opacity > 0) || !(shadow.color.alpha > 0) || shape.isEmpty())
        return;
    cairo_t* cr = m_cairo.get();
    double scale = pixelsPerPoint(cr);
    int k = static_cast<int>(std::lround(std::max(shadow.radius, 0.0) / 2 * scale));
    int pad = 3 * k + 1;
    double pixelWidth = std::ceil(shape.width() * scale) + 2 * pad;
    double pixelHeight = std::ceil(shape.height() * scale) + 2 * pad;
    if (pixelWidth * pixelHeight > 16e6)
        return; // a shadow that large would cost more than it shows

    detail::CairoSurface mask(detail::drawing().cairo_image_surface_create(
        CAIRO_FORMAT_A8, static_cast<int>(pixelWidth), static_cast<int>(pixelHeight)));
    {
        detail::CairoContext maskCairo(detail::drawing().cairo_create(mask.get()));
        detail::drawing().cairo_translate(maskCairo.get(), pad, pad);
        detail::drawing().cairo_scale(maskCairo.get(), scale, scale);
        DrawingContext silhouette(maskCairo.get());
        silhouette.fillRoundedRect(CGRectMake(0, 0, shape.width(), shape.height()), radius,
                                   Color::black());
    }
    if (k > 0)
        blurMask(mask.get(), k);

    Color color = shadow.color.withAlpha(shadow.color.alpha * std::min(shadow.opacity, 1.0));
    detail::drawing().cairo_save(cr);
    detail::drawing().cairo_translate(cr, shape.minX() + shadow.offset.width - pad / scale,
                                      shape.minY() + shadow.offset.height - pad / scale);
    detail::drawing().cairo_scale(cr, 1 / scale, 1 / scale);
    setSource(cr, color);
    detail::drawing().cairo_mask_surface(cr, mask.get(), 0, 0);
    detail::drawing().cairo_restore(cr);
}

void DrawingContext::drawLinearGradient(const Gradient& gradient, CGPoint start, CGPoint end,
                                        CGGradientDrawingOptions options) {
    double dx = end.x - start.x;
    double dy = end.y - start.y;
    double length = std::hypot(dx, dy);
    if (!(length > 0))
        return;
    cairo_t* cr = m_cairo.get();
    detail::CairoPattern pattern(
        detail::drawing().cairo_pattern_create_linear(start.x, start.y, end.x, end.y));
    for (const GradientStop& stop : gradient.stops())
        detail::drawing().cairo_pattern_add_color_stop_rgba(pattern.get(), stop.location,
                                                            stop.color.red, stop.color.green,
                                                            stop.color.blue, stop.color.alpha);
    bool before = options & kCGGradientDrawsBeforeStartLocation;
    bool after = options & kCGGradientDrawsAfterEndLocation;
    detail::drawing().cairo_pattern_set_extend(pattern.get(), before || after ? CAIRO_EXTEND_PAD
                                                                              : CAIRO_EXTEND_NONE);

    detail::drawing().cairo_save(cr);
    if (before != after) {
        // Padding reaches one side only: clip away the half-plane beyond the other end.
        CGPoint edge = before ? end : start;
        double along = before ? -1 : 1; // towards the side that is kept
        double ux = dx / length * along, uy = dy / length * along;
        double nx = -uy, ny = ux;
        CGRect box = clipBoundingBox();
        double reach = std::hypot(box.width(), box.height()) +
                       std::hypot(edge.x - box.minX(), edge.y - box.minY()) + 1;
        detail::drawing().cairo_new_path(cr);
        detail::drawing().cairo_move_to(cr, edge.x + nx * reach, edge.y + ny * reach);
        detail::drawing().cairo_line_to(cr, edge.x - nx * reach, edge.y - ny * reach);
        detail::drawing().cairo_line_to(cr, edge.x - nx * reach + ux * reach,
                                        edge.y - ny * reach + uy * reach);
        detail::drawing().cairo_line_to(cr, edge.x + nx * reach + ux * reach,
                                        edge.y + ny * reach + uy * reach);
        detail::drawing().cairo_close_path(cr);
        detail::drawing().cairo_clip(cr);
    }
    detail::drawing().cairo_set_source(cr, pattern.get());
    detail::drawing().cairo_paint(cr);
    detail::drawing().cairo_restore(cr);
}

void DrawingContext::drawImage(const Image& image, const CGRect& rect) {
    CGRect target = rect.standardized();
    if (target.isEmpty() || image.pixelWidth() == 0 || image.pixelHeight() == 0)
        return;
    cairo_t* cr = m_cairo.get();
    detail::drawing().cairo_save(cr);
    detail::drawing().cairo_new_path(cr);
    detail::drawing().cairo_translate(cr, target.minX(), target.minY());
    detail::drawing().cairo_scale(cr, target.width() / image.pixelWidth(),
                                  target.height() / image.pixelHeight());
    detail::drawing().cairo_set_source_surface(cr, image.surface(), 0, 0);
    // Padding keeps scaled edges from fading into transparency.
    detail::drawing().cairo_pattern_set_extend(detail::drawing().cairo_get_source(cr),
                                               CAIRO_EXTEND_PAD);
    detail::drawing().cairo_rectangle(cr, 0, 0, image.pixelWidth(), image.pixelHeight());
    detail::drawing().cairo_fill(cr);
    detail::drawing().cairo_restore(cr);
}

void DrawingContext::drawText(std::string_view text, const CGRect& rect, const TextStyle& style) {
    CGRect frame = rect.standardized();
    if (text.empty() || !(frame.width() > 0))
        return;
    cairo_t* cr = m_cairo.get();
    auto layout = detail::makeTextLayout(cr, text, style.font, frame.width(), style.numberOfLines,
                                         style.alignment);
    CGSize size = detail::layoutSize(layout.get());
    double top = frame.minY();
    if (style.verticalAlignment == VerticalAlignment::Center && size.height < frame.height())
        top += (frame.height() - size.height) / 2;
    detail::drawing().cairo_save(cr);
    detail::drawing().cairo_new_path(cr);
    detail::drawing().cairo_move_to(cr, frame.minX(), top);
    setSource(cr, style.color);
    detail::drawing().pango_cairo_show_layout(cr, layout.get());
    detail::drawing().cairo_restore(cr);
}

SavedState::SavedState(DrawingContext& context) : m_context(context), m_depth(context.depth()) {
    m_context.saveGState();
}

SavedState::~SavedState() {
    m_context.closeLevelsAbove(m_depth + 1);
    if (m_context.depth() == m_depth + 1)
        m_context.closeLevel(1.0);
}

TransparencyLayer::TransparencyLayer(DrawingContext& context, double alpha)
    : m_context(context), m_depth(context.depth()), m_alpha(alpha) {
    m_context.beginTransparencyLayer();
}

TransparencyLayer::~TransparencyLayer() {
    m_context.closeLevelsAbove(m_depth + 1);
    if (m_context.depth() == m_depth + 1)
        m_context.closeLevel(m_alpha);
}

} // namespace quartz
