#include "platform/foundation/string_compare.hpp"

#include <cstdint>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace foundation {
namespace {

icu::UnicodeString decomposed(std::string_view utf8) {
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status))
        return text;
    icu::UnicodeString result = nfd->normalize(text, status);
    return U_SUCCESS(status) ? result : text;
}

} // namespace

int caseInsensitiveCompare(std::string_view first, std::string_view second) {
    const std::int8_t order =
        decomposed(first).caseCompare(decomposed(second), U_FOLD_CASE_DEFAULT);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

} // namespace foundation
