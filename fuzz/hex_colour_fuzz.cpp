// Colour strings as the settings file may hold them, through every reading of them.
#include "engine/colour.hpp"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = tintbox::engine::parseHexColour(text);
    (void)tintbox::engine::mailColour(value, 0.5);
    (void)tintbox::engine::channelsOf(tintbox::engine::paneClamp(value));
    (void)tintbox::engine::displayHexColour(text);
    return 0;
}
