#include "pane/colour/colour_key.hpp"

#include "platform/foundation/value.hpp"

namespace tintbox::pane {

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

} // namespace tintbox::pane
