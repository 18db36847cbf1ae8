#include "platform/quartz/text_layout.hpp"
#include "platform/quartz/ui_font.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace quartz {
namespace detail {
namespace {

PangoFontMap* threadFontMap() {
    // Pango font maps are not thread-safe, so each thread has its own.
    thread_local ObjectRef<PangoFontMap> map = [] {
        PangoFontMap* fontMap =
            detail::drawing().pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
        if (!fontMap)
            fontMap = detail::drawing().pango_cairo_font_map_new();
        detail::drawing().pango_cairo_font_map_set_resolution(
            reinterpret_cast<PangoCairoFontMap*>(fontMap), 72.0);
        return ObjectRef<PangoFontMap>(fontMap);
    }();
    return map.get();
}

ObjectRef<PangoContext> makeContext(cairo_t* cairo) {
    ObjectRef<PangoContext> context(
        detail::drawing().pango_font_map_create_context(threadFontMap()));
    CairoFontOptions options(detail::drawing().cairo_font_options_create());
    detail::drawing().cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    detail::drawing().cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    detail::drawing().cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    detail::drawing().pango_cairo_context_set_font_options(context.get(), options.get());
    detail::drawing().pango_cairo_context_set_resolution(context.get(), 72.0);
    detail::drawing().pango_context_set_round_glyph_positions(context.get(), FALSE);
    if (cairo)
        detail::drawing().pango_cairo_update_context(cairo, context.get());
    return context;
}

std::string validUtf8(std::string_view text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return std::string(text);
    char* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string result(valid);
    g_free(valid);
    return result;
}

PangoAlignment pangoAlignment(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::Center:
        return PANGO_ALIGN_CENTER;
    case TextAlignment::Right:
        return PANGO_ALIGN_RIGHT;
    case TextAlignment::Left:
        break;
    }
    return PANGO_ALIGN_LEFT;
}

} // namespace

namespace {

// Sets every property a layout's result depends on, so a reused layout keeps nothing of the
// text it measured before.
void configureLayout(PangoLayout* layout, std::string_view text, const Font& font, double width,
                     int numberOfLines, TextAlignment alignment) {
    FontDescription description(detail::drawing().pango_font_description_new());
    detail::drawing().pango_font_description_set_family(description.get(), kUIFontFamilies);
    detail::drawing().pango_font_description_set_weight(
        description.get(), font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    detail::drawing().pango_font_description_set_absolute_size(
        description.get(), std::max(font.pointSize, 0.0) * PANGO_SCALE);
    detail::drawing().pango_layout_set_font_description(layout, description.get());

    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        detail::drawing().pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    } else {
        std::string valid = validUtf8(text);
        detail::drawing().pango_layout_set_text(layout, valid.data(),
                                                static_cast<int>(valid.size()));
    }
    detail::drawing().pango_layout_set_alignment(layout, pangoAlignment(alignment));

    if (width > 0 && std::isfinite(width)) {
        detail::drawing().pango_layout_set_width(layout,
                                                 detail::drawing().pango_units_from_double(width));
        detail::drawing().pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    } else {
        detail::drawing().pango_layout_set_width(layout, -1);
        detail::drawing().pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    }
    if (width > 0 && std::isfinite(width) && numberOfLines > 0) {
        detail::drawing().pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        detail::drawing().pango_layout_set_height(layout, -numberOfLines);
    } else {
        detail::drawing().pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
        detail::drawing().pango_layout_set_height(layout, -1);
    }
}

// Measuring needs no drawing surface, so one context and layout per thread serve every
// measurement; making them anew each time was most of a label's sizing cost.
PangoLayout* measuringLayout() {
    thread_local ObjectRef<PangoContext> context = makeContext(nullptr);
    thread_local ObjectRef<PangoLayout> layout(detail::drawing().pango_layout_new(context.get()));
    return layout.get();
}

} // namespace

ObjectRef<PangoLayout> makeTextLayout(cairo_t* cairo, std::string_view text, const Font& font,
                                      double width, int numberOfLines, TextAlignment alignment) {
    ObjectRef<PangoContext> context = makeContext(cairo);
    ObjectRef<PangoLayout> layout(detail::drawing().pango_layout_new(context.get()));
    configureLayout(layout.get(), text, font, width, numberOfLines, alignment);
    return layout;
}

CGSize layoutSize(PangoLayout* layout) {
    PangoRectangle logical{};
    detail::drawing().pango_layout_get_extents(layout, nullptr, &logical);
    return {detail::drawing().pango_units_to_double(logical.width),
            detail::drawing().pango_units_to_double(logical.height)};
}

} // namespace detail

CGSize measureText(std::string_view text, const Font& font, double maxWidth, int numberOfLines) {
    if (text.empty())
        return CGSizeZero;
    PangoLayout* layout = detail::measuringLayout();
    detail::configureLayout(layout, text, font, maxWidth, numberOfLines, TextAlignment::Left);
    return detail::layoutSize(layout);
}

int missingGlyphCount(std::string_view text, const Font& font) {
    if (text.empty())
        return 0;
    auto layout = detail::makeTextLayout(nullptr, text, font, 0, 0, TextAlignment::Left);
    return detail::drawing().pango_layout_get_unknown_glyphs_count(layout.get());
}

} // namespace quartz

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig keeps a few bytes of its parsed configuration for the life of the process (Pango
// loads it on first use); LeakSanitizer would otherwise fail every program that draws text.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif
