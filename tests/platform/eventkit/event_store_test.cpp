// The reminders store: reminders saved as iCalendar files in the device root's reminders
// folder, read back here with libical's parser; the store's failures as values.
#include "platform/dispatch/run_loop.hpp"
#include "platform/eventkit/EKEventStore.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gtest/gtest.h>
#include <libical/ical.h>
#include <memory>

namespace {

using tintbox::testing::fileContents;
using tintbox::testing::TemporaryDeviceRoot;
using tintbox::testing::writeFile;

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// 2026-12-10 10:15:00 UTC, seconds since the reference date.
constexpr double kTenFifteenUTC = 818590500.0;

std::vector<std::filesystem::path> icsFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".ics")
            files.push_back(entry.path());
    return files;
}

std::string text(icalproperty* property) {
    return property ? icalproperty_get_value_as_string(property) : "(none)";
}

class EventStore : public ::testing::Test {
protected:
    objc::Ref<EKReminder> fullReminder(EKEventStore& store, const std::string& zone) {
        auto reminder = EKReminder::reminderWithEventStore(&store);
        reminder->setTitle("Re: lunch; Thursday, 12:30");
        reminder->setNotes("message://%3Cabc@example.org%3E\n\nSee you, Ada");
        reminder->setURL("message://%3Cabc@example.org%3E");
        reminder->setCalendar(store.defaultCalendarForNewReminders());
        reminder->setAlarms({EKAlarm::alarmWithAbsoluteDate(foundation::Date{kTenFifteenUTC})});
        reminder->setDueDateComponents(
            foundation::gregorianComponents(foundation::Date{kTenFifteenUTC}, zone));
        return reminder;
    }

    TemporaryDeviceRoot root;
};

TEST_F(EventStore, SavedReminderIsOneCalendarFileWithTitleNotesLinkDueDateAndAlarm) {
    auto store = EKEventStore::create();
    ASSERT_TRUE(store);
    auto reminder = fullReminder(*store, "Europe/Berlin");
    objc::Ref<NSError> error;
    ASSERT_TRUE(store->saveReminder(reminder.get(), true, &error));
    EXPECT_FALSE(error);

    const auto folder = root / "private/var/mobile/Library/Calendar/Reminders";
    EXPECT_EQ(fileContents(folder / "displayname"), "Reminders");
    const auto files = icsFiles(folder);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], EKEventStore::fileOfReminder(*reminder));
    EXPECT_EQ(files[0].stem(), reminder->calendarItemIdentifier());

    Component calendar(icalparser_parse_string(fileContents(files[0]).c_str()));
    ASSERT_TRUE(calendar);
    icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
    ASSERT_TRUE(todo);
    EXPECT_STREQ(icalcomponent_get_summary(todo), "Re: lunch; Thursday, 12:30");
    EXPECT_STREQ(icalcomponent_get_description(todo),
                 "message://%3Cabc@example.org%3E\n\nSee you, Ada");
    EXPECT_EQ(text(icalcomponent_get_first_property(todo, ICAL_URL_PROPERTY)),
              "message://%3Cabc@example.org%3E");
    EXPECT_STREQ(icalcomponent_get_uid(todo), reminder->calendarItemIdentifier().c_str());

    icalproperty* due = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY);
    ASSERT_TRUE(due);
    EXPECT_EQ(text(due), "20261210T111500"); // 10:15 UTC is 11:15 in Berlin in December
    icalparameter* tzid = icalproperty_get_first_parameter(due, ICAL_TZID_PARAMETER);
    ASSERT_TRUE(tzid);
    EXPECT_STREQ(icalparameter_get_tzid(tzid), "Europe/Berlin");
    // The zone's rules travel under the name DUE gives them.
    icalcomponent* zone =
        icalcomponent_get_first_component(calendar.get(), ICAL_VTIMEZONE_COMPONENT);
    ASSERT_TRUE(zone);
    EXPECT_EQ(text(icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY)), "Europe/Berlin");

    icalcomponent* alarm = icalcomponent_get_first_component(todo, ICAL_VALARM_COMPONENT);
    ASSERT_TRUE(alarm);
    const icaltriggertype trigger =
        icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
    EXPECT_EQ(icaltime_as_timet(trigger.time), static_cast<time_t>(kTenFifteenUTC + 978307200));
    EXPECT_TRUE(icaltime_is_utc(trigger.time));
}

TEST_F(EventStore, DueDatesInUniversalTimeAreWrittenInUTC) {
    auto store = EKEventStore::create();
    ASSERT_TRUE(store);
    auto reminder = fullReminder(*store, "UTC");
    ASSERT_TRUE(store->saveReminder(reminder.get(), true, nullptr));
    Component calendar(
        icalparser_parse_string(fileContents(EKEventStore::fileOfReminder(*reminder)).c_str()));
    icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
    EXPECT_EQ(text(icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY)), "20261210T101500Z");
}

TEST_F(EventStore, SavingAgainRewritesTheSameFile) {
    auto store = EKEventStore::create();
    auto reminder = fullReminder(*store, "UTC");
    ASSERT_TRUE(store->saveReminder(reminder.get(), true, nullptr));
    reminder->setTitle("Changed");
    ASSERT_TRUE(store->saveReminder(reminder.get(), true, nullptr));
    const auto files = icsFiles(EKEventStore::remindersFolder());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(fileContents(files[0]).find("SUMMARY:Changed"), std::string::npos);
}

TEST_F(EventStore, UncommittedSavesAreWrittenByCommit) {
    auto store = EKEventStore::create();
    auto reminder = fullReminder(*store, "UTC");
    ASSERT_TRUE(store->saveReminder(reminder.get(), false, nullptr));
    EXPECT_TRUE(icsFiles(EKEventStore::remindersFolder()).empty());
    ASSERT_TRUE(store->commit(nullptr));
    EXPECT_EQ(icsFiles(EKEventStore::remindersFolder()).size(), 1u);
}

TEST_F(EventStore, InitAnswersNilWhenTheCalendarFolderCannotBeMade) {
    writeFile(root / "private/var/mobile/Library/Calendar", "a file where a folder belongs");
    EXPECT_FALSE(EKEventStore::create());
}

TEST_F(EventStore, FailedSavesAnswerAnErrorAndWriteNothing) {
    auto store = EKEventStore::create();
    ASSERT_TRUE(store);

    auto withoutCalendar = fullReminder(*store, "UTC");
    withoutCalendar->setCalendar(nullptr);
    objc::Ref<NSError> error;
    EXPECT_FALSE(store->saveReminder(withoutCalendar.get(), true, &error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->localizedDescription(), "No calendar has been set.");

    // The calendar's folder is gone and a file stands in its place: nothing can be written.
    const auto folder = EKEventStore::remindersFolder();
    std::filesystem::remove_all(folder);
    writeFile(folder, "not a folder");
    auto reminder = fullReminder(*store, "UTC");
    error = nullptr;
    EXPECT_FALSE(store->saveReminder(reminder.get(), true, &error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->domain(), "EKErrorDomain");
    EXPECT_NE(error->localizedDescription().find("The reminder could not be saved ("),
              std::string::npos);
    EXPECT_NE(error->localizedDescription().find(reminder->calendarItemIdentifier()),
              std::string::npos);
    EXPECT_EQ(fileContents(folder), "not a folder");
}

TEST_F(EventStore, ReachableThroughTheRuntime) {
    auto store = objc::make<EKEventStore>();
    id self = objc::msgSend<id()>(store, sel_registerName("init"));
    ASSERT_EQ(self, store.get());
    auto reminder = objc::msgSendClass<objc::Ref<NSObject>(id)>(
        objc_getClass("EKReminder"), sel_registerName("reminderWithEventStore:"), store.get());
    ASSERT_TRUE(dynamic_cast<EKReminder*>(reminder.get()));
    id calendar = objc::msgSend<id()>(store, sel_registerName("defaultCalendarForNewReminders"));
    objc::msgSend<void(id)>(reminder, sel_registerName("setCalendar:"), calendar);
    objc::Ref<NSError> error;
    EXPECT_TRUE((objc::msgSend<bool(id, bool, objc::Ref<NSError>*)>(
        store, sel_registerName("saveReminder:commit:error:"), reminder.get(), true, &error)));
}

} // namespace

namespace {

// Mail is written by strangers: a subject or body may hold any control character or byte.
TEST_F(EventStore, TheDocumentHoldsOnlyTextThatICalendarAllows) {
    auto store = EKEventStore::create();
    ASSERT_TRUE(store);
    auto reminder = EKReminder::reminderWithEventStore(store.get());
    reminder->setTitle("Pay \x07\x0b\x1b[31minvoice\x7f \xff");
    reminder->setNotes(std::string("before\0after\r\nnext\rlast\ttab", 27));
    reminder->setCalendar(store->defaultCalendarForNewReminders());
    ASSERT_TRUE(store->saveReminder(reminder.get(), true, nullptr));
    const std::string document = fileContents(EKEventStore::fileOfReminder(*reminder));
    for (std::size_t i = 0; i < document.size(); ++i) {
        const auto c = static_cast<unsigned char>(document[i]);
        const bool lineEnd = c == '\r' && i + 1 < document.size() && document[i + 1] == '\n';
        EXPECT_TRUE((c >= 0x20 && c != 0x7F) || c == '\t' || c == '\n' || lineEnd)
            << "byte " << int(c) << " at " << i;
    }
    Component calendar(icalparser_parse_string(document.c_str()));
    icalcomponent* todo = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
    ASSERT_TRUE(todo);
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(std::string(icalcomponent_get_summary(todo)), "Pay " + replacement + replacement +
                                                                replacement + "[31minvoice" +
                                                                replacement + " " + replacement);
    EXPECT_EQ(std::string(icalcomponent_get_description(todo)),
              "before" + replacement + "after\nnext\nlast\ttab");
}

} // namespace
