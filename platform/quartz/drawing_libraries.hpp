// cairo, Pango and the GObject reference they need, opened the first time something is drawn or
// measured rather than linked: most commands draw nothing, and loading the drawing stack (two
// dozen libraries with their relocations) was a third of every command's start-up. Private to
// this folder, which is the only one that touches cairo.
//   detail::drawing().cairo_save(cr);
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

// The functions this folder calls, by library. A function missing here fails to compile at its
// call, so the lists cannot fall behind the code.
#define QUARTZ_CAIRO_FUNCTIONS(F)                                                                  \
    F(cairo_append_path)                                                                           \
    F(cairo_arc)                                                                                   \
    F(cairo_clip)                                                                                  \
    F(cairo_clip_extents)                                                                          \
    F(cairo_close_path)                                                                            \
    F(cairo_copy_path)                                                                             \
    F(cairo_create)                                                                                \
    F(cairo_destroy)                                                                               \
    F(cairo_fill)                                                                                  \
    F(cairo_font_options_create)                                                                   \
    F(cairo_font_options_destroy)                                                                  \
    F(cairo_font_options_set_antialias)                                                            \
    F(cairo_font_options_set_hint_metrics)                                                         \
    F(cairo_font_options_set_hint_style)                                                           \
    F(cairo_get_source)                                                                            \
    F(cairo_get_target)                                                                            \
    F(cairo_image_surface_create)                                                                  \
    F(cairo_image_surface_create_from_png)                                                         \
    F(cairo_image_surface_get_data)                                                                \
    F(cairo_image_surface_get_format)                                                              \
    F(cairo_image_surface_get_height)                                                              \
    F(cairo_image_surface_get_stride)                                                              \
    F(cairo_image_surface_get_width)                                                               \
    F(cairo_line_to)                                                                               \
    F(cairo_mask_surface)                                                                          \
    F(cairo_move_to)                                                                               \
    F(cairo_new_path)                                                                              \
    F(cairo_new_sub_path)                                                                          \
    F(cairo_paint)                                                                                 \
    F(cairo_paint_with_alpha)                                                                      \
    F(cairo_path_destroy)                                                                          \
    F(cairo_pattern_add_color_stop_rgba)                                                           \
    F(cairo_pattern_create_linear)                                                                 \
    F(cairo_pattern_destroy)                                                                       \
    F(cairo_pattern_set_extend)                                                                    \
    F(cairo_pop_group_to_source)                                                                   \
    F(cairo_push_group)                                                                            \
    F(cairo_rectangle)                                                                             \
    F(cairo_reference)                                                                             \
    F(cairo_restore)                                                                               \
    F(cairo_save)                                                                                  \
    F(cairo_scale)                                                                                 \
    F(cairo_set_fill_rule)                                                                         \
    F(cairo_set_operator)                                                                          \
    F(cairo_set_source)                                                                            \
    F(cairo_set_source_rgba)                                                                       \
    F(cairo_set_source_surface)                                                                    \
    F(cairo_status_to_string)                                                                      \
    F(cairo_surface_destroy)                                                                       \
    F(cairo_surface_flush)                                                                         \
    F(cairo_surface_get_device_scale)                                                              \
    F(cairo_surface_get_type)                                                                      \
    F(cairo_surface_mark_dirty)                                                                    \
    F(cairo_surface_reference)                                                                     \
    F(cairo_surface_set_device_scale)                                                              \
    F(cairo_surface_status)                                                                        \
    F(cairo_surface_write_to_png_stream)                                                           \
    F(cairo_translate)                                                                             \
    F(cairo_user_to_device_distance)

#define QUARTZ_PANGO_FUNCTIONS(F)                                                                  \
    F(pango_context_set_round_glyph_positions)                                                     \
    F(pango_font_description_free)                                                                 \
    F(pango_font_description_new)                                                                  \
    F(pango_font_description_set_absolute_size)                                                    \
    F(pango_font_description_set_family)                                                           \
    F(pango_font_description_set_weight)                                                           \
    F(pango_font_map_create_context)                                                               \
    F(pango_layout_get_extents)                                                                    \
    F(pango_layout_get_unknown_glyphs_count)                                                       \
    F(pango_layout_new)                                                                            \
    F(pango_layout_set_alignment)                                                                  \
    F(pango_layout_set_ellipsize)                                                                  \
    F(pango_layout_set_font_description)                                                           \
    F(pango_layout_set_height)                                                                     \
    F(pango_layout_set_text)                                                                       \
    F(pango_layout_set_width)                                                                      \
    F(pango_layout_set_wrap)                                                                       \
    F(pango_units_from_double)                                                                     \
    F(pango_units_to_double)

#define QUARTZ_PANGOCAIRO_FUNCTIONS(F)                                                             \
    F(pango_cairo_context_set_font_options)                                                        \
    F(pango_cairo_context_set_resolution)                                                          \
    F(pango_cairo_font_map_new)                                                                    \
    F(pango_cairo_font_map_new_for_font_type)                                                      \
    F(pango_cairo_font_map_set_resolution)                                                         \
    F(pango_cairo_show_layout)                                                                     \
    F(pango_cairo_update_context)

#define QUARTZ_GOBJECT_FUNCTIONS(F) F(g_object_unref)

namespace quartz::detail {

struct DrawingLibraries {
#define QUARTZ_FUNCTION_POINTER(name) decltype(&::name) name{nullptr};
    QUARTZ_CAIRO_FUNCTIONS(QUARTZ_FUNCTION_POINTER)
    QUARTZ_PANGO_FUNCTIONS(QUARTZ_FUNCTION_POINTER)
    QUARTZ_PANGOCAIRO_FUNCTIONS(QUARTZ_FUNCTION_POINTER)
    QUARTZ_GOBJECT_FUNCTIONS(QUARTZ_FUNCTION_POINTER)
#undef QUARTZ_FUNCTION_POINTER
};

// The libraries, opened on the first call of the process. Throws std::runtime_error naming the
// library or function when one cannot be had (an installation without the drawing libraries).
const DrawingLibraries& drawing();

} // namespace quartz::detail
