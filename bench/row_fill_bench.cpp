// The cost of filling one message list row: setMessage:threaded: sent through the runtime to a
// cell whose class is the host's alone, and to one with the mail extension's replacement
// installed (50 filters, of which a few match, and an account colour).
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
    std::optional<std::string> subject() const { return std::string("Weekly report: build 42"); }
    std::optional<std::vector<std::string>> senders() const {
        return std::vector<std::string>{"Carol Díaz <carol@corp.example>"};
    }
    std::optional<std::vector<std::string>> to() const {
        return std::vector<std::string>{"Alice Liddell <alice@example.com>",
                                        "Bob Stone <bob@example.com>"};
    }
    std::optional<std::vector<std::string>> cc() const { return std::nullopt; }
    NSObject* account() const { return owner.get(); }
    objc::Ref<BenchAccount> owner = objc::make<BenchAccount>();
};

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
        for (int i = 0; i < 50; ++i) {
            // Three filters match the message (a sender, a subject and a recipient pattern).
            std::string field = i % 3 == 0 ? "from" : i % 3 == 1 ? "subject" : "to";
            std::string pattern = "nomatch" + std::to_string(i) + "|zz[0-9]+";
            if (i == 10)
                pattern = "carol@corp";
            if (i == 20)
                pattern = "weekly.*build";
            if (i == 40)
                pattern = "bob@";
            snapshot.filters.push_back(
                {{field, pattern},
                 {"hexColor", tintbox::engine::formatHexColour(i * 5, 255 - i * 5, 128)}});
        }
        return true;
    }();
    (void)registered;
}

template <class Cell>
void fillRow(benchmark::State& state) {
    registerClasses();
    auto cell = UITableViewCell::withStyle<Cell>(UITableViewCellStyleDefault, "Row");
    auto message = objc::make<BenchMessage>();
    const SEL setMessage = sel_registerName("setMessage:threaded:");
    for (auto _ : state)
        objc::msgSend<void(id, bool)>(cell, setMessage, message.get(), false);
}

void BM_RowFillHostAlone(benchmark::State& state) {
    fillRow<BenchCell>(state);
}
void BM_RowFillWithTintbox50Filters(benchmark::State& state) {
    fillRow<BenchHookedCell>(state);
}

BENCHMARK(BM_RowFillHostAlone);
BENCHMARK(BM_RowFillWithTintbox50Filters);

} // namespace
