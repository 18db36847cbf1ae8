// Arbitrary reminder content (title, notes, link; separated by U+001E) through the iCalendar
// writer: the document parses with libical, holds one VTODO, and carries no control character that
// RFC 5545 forbids, and no text after a NUL is lost.
#include "fuzz/fuzz_support.hpp"
#include "platform/eventkit/EKEventStore.hpp"
#include "platform/eventkit/EKReminder.hpp"
#include "platform/eventkit/reminder_ics.hpp"

#include <algorithm>
#include <cstdlib>
#include <libical/ical.h>
#include <memory>

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

void requireAllowedBytes(const std::string& document) {
    for (std::size_t i = 0; i < document.size(); ++i) {
        const auto c = static_cast<unsigned char>(document[i]);
        const bool lineEnd = c == '\r' && i + 1 < document.size() && document[i + 1] == '\n';
        const bool allowed = c >= 0x20 || c == '\t' || c == '\n' || lineEnd;
        if (!allowed || c == 0x7F)
            tintbox::fuzz::fault("control character " + std::to_string(c) + " in the document");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto root = std::filesystem::temp_directory_path() / "tintbox-fuzz-device";
    std::filesystem::create_directories(root);
    ::setenv("TINTBOX_ROOT", root.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto store = EKEventStore::create();
    if (!store)
        tintbox::fuzz::fault("no reminders store");
    const auto parts = tintbox::fuzz::fields(data, size, 3, '\x1e');
    auto reminder = EKReminder::reminderWithEventStore(store.get());
    reminder->setTitle(parts[0]);
    reminder->setNotes(parts[1]);
    if (!parts[2].empty())
        reminder->setURL(parts[2]);
    const std::string document = eventkit::reminderAsICalendar(*reminder, foundation::Date{0});
    requireAllowedBytes(document);
    const std::unique_ptr<icalcomponent, ComponentDeleter> calendar(
        icalparser_parse_string(document.c_str()));
    if (!calendar)
        tintbox::fuzz::fault("libical cannot parse the document");
    icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
    if (!todo)
        tintbox::fuzz::fault("the document holds no VTODO");
    // Notes that go on after a NUL keep what follows it. (libical's reader drops the blanks
    // that open a value, so they are not counted.)
    const std::string notes =
        parts[1].substr(std::min(parts[1].find_first_not_of(" \t"), parts[1].size()));
    const auto nul = notes.find('\0');
    if (nul != std::string::npos && nul + 1 < notes.size()) {
        const char* description = icalcomponent_get_description(todo);
        if (!description || std::string(description).size() <= nul)
            tintbox::fuzz::fault("the notes were cut at a NUL");
    }
    return 0;
}
