// The cost of filling one message list row: setMessage:threaded: sent through the runtime to a
// cell whose class is the host's alone, and to one with the mail extension's replacement
// installed (an account colour and 50, 250 or 1,000 filters), for a message that three of the
// filters match (a sender, a subject and a recipient pattern) and for one that none match.
// The cost with 1,000 filters against that with 250 shows whether matching grows linearly.
#include "engine/colour.hpp"
#include "host/mail_names.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/gradient_view.hpp"
#include "mailhooks/message_list.hpp"
#include "platform/uikit/UITableViewCell.hpp"

#include <benchmark/benchmark.h>
#include <optional>
#include <string>
#include <vector>

namespace {

class BenchAccount : public NSObject {
public:
    std::string displayName() const { return "Work"; }
};

class BenchMessage : public NSObject {
public:
    std::optional<std::string> subject() const { return subjectText; }
    std::optional<std::vector<std::string>> senders() const { return from; }
    std::optional<std::vector<std::string>> to() const {
        return std::vector<std::string>{"Alice Liddell <alice@example.com>",
                                        "Bob Stone <bob@example.com>"};
    }
    std::optional<std::vector<std::string>> cc() const { return std::nullopt; }
    NSObject* account() const { return owner.get(); }
    objc::Ref<BenchAccount> owner = objc::make<BenchAccount>();
    std::string subjectText{"Weekly report: build 42"};
    std::vector<std::string> from{"Carol D\u00edaz <carol@corp.example>"};
};

// Three filters match the first message: its sender, its subject and one of its recipients.
objc::Ref<BenchMessage> matchingMessage() {
    return objc::make<BenchMessage>();
}
// None match this one: another sender and subject, and the recipient filter also wants the
// first message's sender.
objc::Ref<BenchMessage> plainMessage() {
    auto message = objc::make<BenchMessage>();
    message->subjectText = "Lunch on Friday?";
    message->from = {"Dave Kim <dave@mail.test>"};
    return message;
}

// The host's own row filling: keeps the message, as Mail's cell does before drawing.
class BenchCell : public UITableViewCell {
public:
    void setMessage(NSObject* message, bool) { shown = message; }
    objc::Ref<NSObject> shown;
};
class BenchHookedCell : public BenchCell {};

void registerClasses() {
    static const bool registered = [] {
        UITableViewCell::registerRuntimeClass();
        objc::ClassBuilder<BenchAccount>("BenchAccount")
            .method<&BenchAccount::displayName>("displayName");
        objc::ClassBuilder<BenchMessage>("BenchMessage")
            .method<&BenchMessage::subject>("subject")
            .method<&BenchMessage::senders>("senders")
            .method<&BenchMessage::to>("to")
            .method<&BenchMessage::cc>("cc")
            .method<&BenchMessage::account>("account");
        objc::ClassBuilder<BenchCell, UITableViewCell>("BenchHostCell")
            .method<&BenchCell::setMessage>("setMessage:threaded:");
        objc::ClassBuilder<BenchHookedCell, BenchCell>(tintbox::host::kMailboxContentViewCell)
            .method<&BenchHookedCell::setMessage>("setMessage:threaded:");
        tintbox::mailhooks::GradientView::registerRuntimeClass();
        tintbox::mailhooks::installMessageListHooks(objc::classOf<BenchHookedCell>());

        auto& snapshot = tintbox::mailhooks::extensionState().snapshot;
        snapshot.enabled = true;
        snapshot.settings = foundation::Dictionary{{"Work", "#3366CC"}};
        return true;
    }();
    (void)registered;
}

// The filter list of that many filters; distinct patterns, so none is shared.
void useFilters(std::size_t count) {
    auto& state = tintbox::mailhooks::extensionState();
    state.snapshot.filters.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const char* field = i % 3 == 0 ? "from" : i % 3 == 1 ? "subject" : "to";
        foundation::Dictionary filter{{field, "nomatch" + std::to_string(i) + "|zz[0-9]+"},
                                      {"hexColor", tintbox::engine::formatHexColour(
                                                       static_cast<int>(i % 50) * 5,
                                                       255 - static_cast<int>(i % 50) * 5, 128)}};
        if (i == 9)
            filter = {{"from", "carol@corp"}, {"hexColor", "#FF0000"}};
        if (i == 19)
            filter = {{"subject", "weekly.*build"}, {"hexColor", "#00FF00"}};
        if (i == 39)
            filter = {{"to", "bob@"},
                      {"toMatchType", 1},
                      {"from", "carol"},
                      {"fromMatchType", 1},
                      {"hexColor", "#0000FF"}};
        state.snapshot.filters.push_back(std::move(filter));
    }
    state.compileFilters();
}

template <class Cell>
void fillRow(benchmark::State& state, objc::Ref<BenchMessage> message) {
    registerClasses();
    auto cell = UITableViewCell::withStyle<Cell>(UITableViewCellStyleDefault, "Row");
    const SEL setMessage = sel_registerName("setMessage:threaded:");
    for (auto _ : state)
        objc::msgSend<void(id, bool)>(cell, setMessage, message.get(), false);
}

void BM_RowFillHostAlone(benchmark::State& state) {
    registerClasses();
    fillRow<BenchCell>(state, matchingMessage());
}

// Arguments: the number of filters, and 1 for the row that three filters match, 0 for none.
void BM_RowFillWithTintbox(benchmark::State& state) {
    registerClasses();
    useFilters(static_cast<std::size_t>(state.range(0)));
    const bool matching = state.range(1) != 0;
    fillRow<BenchHookedCell>(state, matching ? matchingMessage() : plainMessage());
    // Checks that the row really is (or is not) matched: otherwise the figure times another path.
    auto probe = matching ? matchingMessage() : plainMessage();
    const auto result = tintbox::mailhooks::extensionState().filters.match(
        {probe->subject(), probe->senders(), probe->to(), probe->cc()});
    state.counters["stripes"] = static_cast<double>(result.colours.size());
    if (result.colours.size() != (matching ? 3u : 0u))
        state.SkipWithError("the row's filters do not match as intended");
}

BENCHMARK(BM_RowFillHostAlone);
BENCHMARK(BM_RowFillWithTintbox)
    ->ArgsProduct({{50, 250, 1000}, {1, 0}})
    ->ArgNames({"filters", "matching"});

} // namespace
