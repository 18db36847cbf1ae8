// Reminders against an outside iCalendar reader: the files the reminders store writes are read
// by Python's icalendar with the same title, notes, URL, due date (as a moment and as local
// time in its zone) and alarm.
#include "platform/eventkit/EKEventStore.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using tintbox::testing::runProcess;
using tintbox::testing::TemporaryDeviceRoot;
using tintbox::testing::writeFile;

// Prints, per file: summary, description, URL, the due date's local wall time, its UTC moment,
// and the alarm's trigger in UTC, one per line, as Python's icalendar reads them.
constexpr const char* kScript = R"PY(
import datetime, sys, icalendar

sys.stdout.reconfigure(encoding='utf-8')

def utc(value):
    return value.astimezone(datetime.timezone.utc).strftime('%Y-%m-%dT%H:%M:%SZ')

for path in sys.argv[1:]:
    with open(path, 'rb') as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    todos = calendar.walk('VTODO')
    assert len(todos) == 1, f'{path}: {len(todos)} VTODOs'
    todo = todos[0]
    due = todo['DUE'].dt
    alarms = todo.walk('VALARM')
    assert len(alarms) == 1, f'{path}: {len(alarms)} alarms'
    print(str(todo['SUMMARY']))
    print(repr(str(todo['DESCRIPTION'])))
    print(str(todo['URL']))
    print(due.strftime('%Y-%m-%dT%H:%M:%S'))
    print(utc(due))
    print(utc(alarms[0]['TRIGGER'].dt))
)PY";

// 2027-07-05 07:30:00 UTC, seconds since the reference date.
constexpr double kDue = 836465400.0;

struct ZoneCase {
    const char* zone;
    const char* localDue;
};

class ICalendarInterop : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* candidate : {"python3", "/usr/bin/python3"})
            if (runProcess({candidate, "-c", "import icalendar"}).exitStatus == 0) {
                python = candidate;
                break;
            }
        if (python.empty())
            GTEST_SKIP() << "no python3 with the icalendar module (python3-icalendar)";
        writeFile(script, kScript);
    }

    TemporaryDeviceRoot root;
    std::filesystem::path script{root / "read_reminders.py"};
    std::string python;
};

TEST_F(ICalendarInterop, IcalendarReadsTheRemindersWeWrite) {
    const ZoneCase zones[] = {{"UTC", "2027-07-05T07:30:00"},
                              {"Europe/Berlin", "2027-07-05T09:30:00"},
                              {"America/New_York", "2027-07-05T03:30:00"},
                              {"Asia/Kolkata", "2027-07-05T13:00:00"}};
    auto store = EKEventStore::create();
    ASSERT_TRUE(store);
    const std::string notes = "message://%3Cm1@example.org%3E\n\nDear Ada, the figures; all of "
                              "them, \"quoted\" \xf0\x9f\x98\x80 and a long line " +
                              std::string(120, 'x');
    std::vector<std::string> arguments{python, script.string()};
    for (const auto& zone : zones) {
        auto reminder = EKReminder::reminderWithEventStore(store.get());
        reminder->setTitle(std::string("Call Ada, re: budget; ") + zone.zone);
        reminder->setNotes(notes);
        reminder->setURL("message://%3Cm1@example.org%3E");
        reminder->setCalendar(store->defaultCalendarForNewReminders());
        reminder->setAlarms({EKAlarm::alarmWithAbsoluteDate(foundation::Date{kDue})});
        reminder->setDueDateComponents(
            foundation::gregorianComponents(foundation::Date{kDue}, zone.zone));
        objc::Ref<NSError> error;
        ASSERT_TRUE(store->saveReminder(reminder.get(), true, &error))
            << error->localizedDescription();
        arguments.push_back(EKEventStore::fileOfReminder(*reminder).string());
    }

    const auto read = runProcess(arguments);
    ASSERT_EQ(read.exitStatus, 0) << read.err;
    std::istringstream lines(read.out);
    // Python's repr of the notes: quoted, the line breaks written as \n.
    std::string reprOfNotes = "'";
    for (const char c : notes)
        reprOfNotes += c == '\n' ? std::string("\\n") : std::string(1, c);
    reprOfNotes += "'";
    for (const auto& zone : zones) {
        SCOPED_TRACE(zone.zone);
        std::string summary, description, url, local, dueUTC, alarmUTC;
        std::getline(lines, summary);
        std::getline(lines, description);
        std::getline(lines, url);
        std::getline(lines, local);
        std::getline(lines, dueUTC);
        std::getline(lines, alarmUTC);
        EXPECT_EQ(summary, std::string("Call Ada, re: budget; ") + zone.zone);
        EXPECT_EQ(description, reprOfNotes);
        EXPECT_EQ(url, "message://%3Cm1@example.org%3E");
        EXPECT_EQ(local, zone.localDue);
        EXPECT_EQ(dueUTC, "2027-07-05T07:30:00Z");
        EXPECT_EQ(alarmUTC, "2027-07-05T07:30:00Z");
    }
}

} // namespace
