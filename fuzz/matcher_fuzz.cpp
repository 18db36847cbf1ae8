// A filter pattern and a message subject (separated by a NUL) through the matcher, with the
// search bounds the mail extension uses: every search ends, found or abandoned.
#include "engine/matcher.hpp"
#include "engine/pattern_set.hpp"
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

    // A search skipped for want of a required literal would have found nothing either.
    tintbox::engine::PatternSet patterns;
    const auto pattern = patterns.add(parts[0]);
    const tintbox::engine::SearchText text(parts[1]);
    tintbox::engine::Regex whole(parts[0], tintbox::engine::SearchLimits{});
    const bool skippingFinds = isFound(patterns.search(pattern, text));
    if (skippingFinds != isFound(whole.search(text)) &&
        !patterns.retired(pattern)) // a bounded search may end either way
        tintbox::fuzz::fault("a skipped search changed what the pattern finds");
    return 0;
}
