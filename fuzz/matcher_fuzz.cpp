// A filter pattern and a message subject (separated by a NUL) through the matcher, with the
// search bounds the mail extension uses: every search ends, found or abandoned.
#include "engine/matcher.hpp"
#include "engine/required_literals.hpp"
#include "fuzz/fuzz_support.hpp"
#include "settings/schema.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = tintbox::fuzz::fields(data, size, 2);
    namespace record = tintbox::settings::filter_record;
    foundation::Dictionary filter{{std::string(record::kSubject), parts[0]},
                                  {std::string(record::kFrom), parts[0]},
                                  {std::string(record::kHexColor), "#FF0000"}};
    tintbox::engine::FilterSet filters({filter});
    tintbox::engine::MessageFields message;
    message.subject = parts[1];
    message.senders = std::vector<std::string>{parts[1]};
    // Twice: a pattern that ran into the time limit once is not searched again.
    (void)filters.match(message);
    (void)filters.match(message);
    (void)tintbox::engine::patternError(parts[0]);

    // Wherever a search is skipped for want of a required literal, it would find nothing.
    namespace engine = tintbox::engine;
    const auto literals = engine::requiredLiterals(parts[0]);
    const auto folded = engine::caseFolded(parts[1]);
    if (literals && folded && !engine::containsAny(*folded, *literals)) {
        engine::Regex whole(parts[0], engine::SearchLimits{});
        if (isFound(whole.search(engine::SearchText(parts[1]))))
            tintbox::fuzz::fault("a skipped search would have found the pattern");
    }
    return 0;
}
