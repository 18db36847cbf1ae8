#include "settings/colour_key.hpp"

#include "settings/keys.hpp"
#include "settings/schema.hpp"

namespace tintbox::settings {

ColourKey ColourKey::parse(std::string_view text) {
    ColourKey key{std::string(text), std::nullopt};
    if (text.starts_with(kFilterColourPrefix)) {
        // The index follows "Color Value" and one blank; a key too short for it reads as 0.
        const std::size_t start = kFilterColourPrefix.size() + 1;
        const std::string rest = text.size() > start ? std::string(text.substr(start)) : "";
        key.filterIndex = foundation::Value(rest).intValue();
    }
    return key;
}

const foundation::Value* ColourKey::storedEntry(const foundation::Dictionary& settings) const {
    if (!filterIndex)
        return foundation::find(settings, text);
    const foundation::Value* list = foundation::find(settings, kFiltersEnabled);
    const foundation::Array* records = list ? list->asArray() : nullptr;
    if (!records || *filterIndex < 0 || static_cast<std::size_t>(*filterIndex) >= records->size())
        return nullptr;
    const foundation::Dictionary* record =
        (*records)[static_cast<std::size_t>(*filterIndex)].asDictionary();
    return record ? foundation::find(*record, filter_record::kHexColor) : nullptr;
}

} // namespace tintbox::settings
