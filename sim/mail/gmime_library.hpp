// GMime and the GObject calls its objects need, opened the first time a message file is read
// rather than linked: listing mail from the cache, counting it and most other commands read no
// file, and loading GMime with its dependencies (GIO, GPGME, libidn2 and more) was a large part
// of every command's start-up. Private to sim/mail's readers.
//   const GMimeLibrary& gmime = gmimeLibrary();  // GMime is initialised once, here
//   GObjectHandle<GMimeStream> stream(gmime.g_mime_stream_mem_new());
#pragma once

#include <glib.h>
#include <gmime/gmime.h>

// The functions the readers call. A function missing here fails to compile at its call, so the
// lists cannot fall behind the code.
#define SIM_MAIL_GMIME_FUNCTIONS(F)                                                                \
    F(g_mime_content_type_get_media_subtype)                                                       \
    F(g_mime_content_type_get_media_type)                                                          \
    F(g_mime_content_type_is_type)                                                                 \
    F(g_mime_data_wrapper_write_to_stream)                                                         \
    F(g_mime_filter_charset_new)                                                                   \
    F(g_mime_filter_dos2unix_new)                                                                  \
    F(g_mime_header_list_contains)                                                                 \
    F(g_mime_header_list_get_count)                                                                \
    F(g_mime_init)                                                                                 \
    F(g_mime_message_get_addresses)                                                                \
    F(g_mime_message_get_date)                                                                     \
    F(g_mime_message_get_mime_part)                                                                \
    F(g_mime_message_part_get_message)                                                             \
    F(g_mime_message_part_get_type)                                                                \
    F(g_mime_multipart_get_count)                                                                  \
    F(g_mime_multipart_get_part)                                                                   \
    F(g_mime_multipart_get_prologue)                                                               \
    F(g_mime_multipart_get_type)                                                                   \
    F(g_mime_object_get_content_disposition_parameter)                                             \
    F(g_mime_object_get_content_type)                                                              \
    F(g_mime_object_get_content_type_parameter)                                                    \
    F(g_mime_object_get_header)                                                                    \
    F(g_mime_object_get_header_list)                                                               \
    F(g_mime_object_write_to_stream)                                                               \
    F(g_mime_parser_construct_message)                                                             \
    F(g_mime_parser_init_with_stream)                                                              \
    F(g_mime_parser_new)                                                                           \
    F(g_mime_part_get_content)                                                                     \
    F(g_mime_part_get_filename)                                                                    \
    F(g_mime_part_get_type)                                                                        \
    F(g_mime_part_is_attachment)                                                                   \
    F(g_mime_stream_filter_add)                                                                    \
    F(g_mime_stream_filter_new)                                                                    \
    F(g_mime_stream_flush)                                                                         \
    F(g_mime_stream_mem_get_byte_array)                                                            \
    F(g_mime_stream_mem_new)                                                                       \
    F(g_mime_stream_mem_new_with_buffer)                                                           \
    F(g_mime_stream_write)                                                                         \
    F(internet_address_get_name)                                                                   \
    F(internet_address_group_get_members)                                                          \
    F(internet_address_group_get_type)                                                             \
    F(internet_address_list_get_address)                                                           \
    F(internet_address_list_length)                                                                \
    F(internet_address_mailbox_get_addr)                                                           \
    F(internet_address_mailbox_get_type)

#define SIM_MAIL_GOBJECT_FUNCTIONS(F)                                                              \
    F(g_object_unref)                                                                              \
    F(g_type_check_instance_is_a)

namespace tintbox::sim::mail {

struct GMimeLibrary {
#define SIM_MAIL_FUNCTION_POINTER(name) decltype(&::name) name{nullptr};
    SIM_MAIL_GMIME_FUNCTIONS(SIM_MAIL_FUNCTION_POINTER)
    SIM_MAIL_GOBJECT_FUNCTIONS(SIM_MAIL_FUNCTION_POINTER)
#undef SIM_MAIL_FUNCTION_POINTER

    // Whether `object` is an instance of the type `typeOf` returns (GMime's type macros, which
    // would call the library's type functions directly).
    bool isA(gconstpointer object, GType (*typeOf)()) const {
        return object && g_type_check_instance_is_a(
                             static_cast<GTypeInstance*>(const_cast<gpointer>(object)), typeOf());
    }
};

// The library, opened and initialised on the first call of the process. Throws
// std::runtime_error naming the library or function when one cannot be had.
const GMimeLibrary& gmimeLibrary();

// A GObject seen as one of its ancestors or, after isA, as what it is (GMime's cast macros).
template <typename To, typename From>
To* gobjectCast(From* object) {
    return reinterpret_cast<To*>(object);
}

} // namespace tintbox::sim::mail
