#include "mailhooks/reminder_content.hpp"
#include "mailhooks/reminder_state.hpp"
#include "mailhooks/tags.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UILongPressGestureRecognizer.hpp"
#include "tests/mailhooks/extension_fixture.hpp"
#include "tests/mailhooks/reminder_host.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tintbox::testing {
namespace {

using mailhooks::reminderState;

// 2026-12-10 10:15:42 UTC and the minute it falls in, seconds since the reference date.
constexpr double kTenFifteenAndSeconds = 818590542.0;
constexpr double kTenFifteen = 818590500.0;
constexpr double kStart = 818586000.0; // 09:00:00
const CGPoint kSecondRow{160, 66};

std::vector<std::filesystem::path> reminderFiles() {
    std::vector<std::filesystem::path> files;
    std::error_code ignored;
    for (const auto& entry :
         std::filesystem::directory_iterator(EKEventStore::remindersFolder(), ignored))
        if (entry.path().extension() == ".ics")
            files.push_back(entry.path());
    return files;
}

class ReminderTest : public ExtensionTest {
protected:
    void SetUp() override {
        ExtensionTest::SetUp();
        dispatch::RunLoop::main().useVirtualClock(kStart);
        UIAlertView::removeAllShownAlerts();
        reminderState() = {};
        std::filesystem::remove_all(extensionDeviceRoot() / "private/var/mobile/Library/Calendar");
    }
    void TearDown() override {
        UIAlertView::removeAllShownAlerts();
        reminderState() = {};
        dispatch::RunLoop::main().useRealClock();
    }

    static objc::Ref<ReminderList> listOf(objc::Ref<ReminderMessage> second) {
        return newReminderList({reminderMessage("First row"), std::move(second)});
    }

    // A press held on the list's table, as a person would (the extension's recogniser fires
    // with Began and again with Ended).
    static void longPress(ReminderList& list, CGPoint point = kSecondRow) {
        auto press =
            objc::make<UILongPressGestureRecognizer>(&list, sel_registerName("reminderLongPress:"));
        press->setMinimumPressDuration(1.0);
        list.table->addGestureRecognizer(press.get());
        TouchDriver::longPress(list.table.get(), point, 1.2);
        list.table->removeGestureRecognizer(press.get());
    }

    static UIAlertView* frontAlert() {
        const auto alerts = UIAlertView::shownAlerts();
        return alerts.empty() ? nullptr : alerts.back().get();
    }
};

TEST_F(ReminderTest, LongPressBuildsTheReminderAndAddSavesItAtTheMinuteOfThePicker) {
    snapshot().reminderSubjectLimit = 100;
    snapshot().settings = foundation::Dictionary{{"reminderPrefix", "TODO"}};
    const std::string subject(150, 's');
    auto list = listOf(
        reminderMessage(subject, "Dear Ada,\nthe numbers.", false, "<CAF=1x@mail.example.org>"));
    longPress(*list);

    UIAlertView* alert = frontAlert();
    ASSERT_TRUE(alert);
    ASSERT_EQ(UIAlertView::shownAlerts().size(), 1u);
    EXPECT_EQ(alert->title(), "Create Reminder");
    EXPECT_EQ(alert->tag(), mailhooks::tags::kReminderAlert);
    EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Add", "Cancel"}));
    EXPECT_EQ(alert->cancelButtonIndex(), 1);
    EXPECT_EQ(alert->delegate(), list.get());
    const std::string title = "TODO" + subject.substr(0, 100);
    EXPECT_EQ(alert->message(), title);
    auto* picker = dynamic_cast<UIDatePicker*>(alert->accessoryView());
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->frame().size, CGSizeMake(360, 100));
    EXPECT_EQ(picker->datePickerMode(), UIDatePickerModeDateAndTime);
    // The press began after its one second: a minute after that is the earliest and first date.
    EXPECT_DOUBLE_EQ(picker->date().secondsSinceReferenceDate, kStart + 1 + 60);
    ASSERT_TRUE(picker->minimumDate());
    EXPECT_DOUBLE_EQ(picker->minimumDate()->secondsSinceReferenceDate, kStart + 1 + 60);

    EKReminder& reminder = *reminderState().currentReminder;
    EXPECT_EQ(reminder.title(), title);
    EXPECT_EQ(reminder.URL(), "message://%3CCAF=1x@mail.example.org%3E");
    EXPECT_EQ(reminder.notes(),
              "message://%3CCAF=1x@mail.example.org%3E\n\nDear Ada,\nthe numbers.");
    EXPECT_TRUE(reminderFiles().empty());

    picker->simulateSpinToDate(foundation::Date{kTenFifteenAndSeconds});
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Add"));
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
    ASSERT_EQ(reminderFiles().size(), 1u);
    ASSERT_EQ(reminder.alarms().size(), 1u);
    EXPECT_DOUBLE_EQ(reminder.alarms()[0]->absoluteDate().secondsSinceReferenceDate, kTenFifteen);
    const auto due = reminder.dueDateComponents();
    ASSERT_TRUE(due);
    EXPECT_EQ(*due, foundation::gregorianComponents(foundation::Date{kTenFifteen},
                                                    foundation::defaultTimeZoneName()));
    EXPECT_EQ(due->second, 0);
    EXPECT_EQ(reminderFiles()[0], EKEventStore::fileOfReminder(reminder));
}

TEST_F(ReminderTest, CancelSavesNothingAndErrorAlertsDismissedDoNothing) {
    // Turning the extension off leaves the recognisers on the table, and they still work.
    snapshot().enabled = false;
    auto list = listOf(reminderMessage("Lunch"));
    longPress(*list);
    ASSERT_TRUE(frontAlert());
    EXPECT_EQ(frontAlert()->title(), "Create Reminder");
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Cancel"));
    EXPECT_TRUE(reminderFiles().empty());

    // An alert of tag 0 (as the error alerts are) reaching the same method saves nothing.
    auto other = UIAlertView::withTitle("ERROR", "x", list.get(), "", {"OK"});
    other->show();
    ASSERT_TRUE(UIAlertView::answerFrontAlert("OK"));
    EXPECT_TRUE(reminderFiles().empty());
}

TEST_F(ReminderTest, PressesOffTheRowsOrOutsideBeganDoNothing) {
    auto list = listOf(reminderMessage("Lunch"));
    longPress(*list, {160, 400}); // below the two rows
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
    EXPECT_FALSE(reminderState().eventStore);

    // A press lifted before it began sends nothing; the Ended of a full press is ignored, so
    // one press shows one alert.
    auto press = objc::make<UILongPressGestureRecognizer>(list.get(),
                                                          sel_registerName("reminderLongPress:"));
    list->table->addGestureRecognizer(press.get());
    TouchDriver::longPress(list->table.get(), kSecondRow, 0.2);
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
    TouchDriver::longPress(list->table.get(), kSecondRow, 1.2);
    EXPECT_EQ(UIAlertView::shownAlerts().size(), 1u);
    EXPECT_TRUE(reminderState().currentReminder);
}

TEST_F(ReminderTest, AFailedSaveShowsItsReasonAndKeepsTheReminder) {
    auto list = listOf(reminderMessage("Lunch"));
    longPress(*list);
    ASSERT_TRUE(reminderState().eventStore);
    objc::Ref<EKReminder> built = reminderState().currentReminder;
    const auto folder = EKEventStore::remindersFolder();
    std::filesystem::remove_all(folder);
    writeFile(folder, "a file where the calendar was");

    ASSERT_TRUE(UIAlertView::answerFrontAlert("Add"));
    UIAlertView* error = frontAlert();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->title(), "ERROR");
    EXPECT_EQ(
        error->message().rfind("Unable to add Reminder\nThe reminder could not be saved (", 0), 0u)
        << error->message();
    EXPECT_EQ(error->buttonTitles(), std::vector<std::string>{"OK"});
    EXPECT_EQ(error->cancelButtonIndex(), -1);
    EXPECT_EQ(error->tag(), 0);
    EXPECT_EQ(error->delegate(), list.get());
    EXPECT_EQ(reminderState().currentReminder, built);
    ASSERT_TRUE(UIAlertView::answerFrontAlert("OK"));
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
}

TEST_F(ReminderTest, AnEventStoreThatCannotBeMadeIsReportedAndTriedAgainOnTheNextPress) {
    const auto calendar = extensionDeviceRoot() / "private/var/mobile/Library/Calendar";
    writeFile(calendar, "not a folder");
    auto list = listOf(reminderMessage("Lunch"));
    longPress(*list);
    UIAlertView* error = frontAlert();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->title(), "ERROR");
    EXPECT_EQ(error->message(), "Unable to create Reminder Event Store");
    EXPECT_EQ(error->buttonTitles(), std::vector<std::string>{"OK"});
    EXPECT_FALSE(reminderState().currentReminder);
    EXPECT_FALSE(reminderState().reminderAlert);
    ASSERT_TRUE(UIAlertView::answerFrontAlert("OK"));

    std::filesystem::remove(calendar);
    longPress(*list);
    EXPECT_TRUE(reminderState().eventStore);
    ASSERT_TRUE(frontAlert());
    EXPECT_EQ(frontAlert()->title(), "Create Reminder");
}

TEST_F(ReminderTest, TheDismissalReachesTheListThatShowedTheAlertLast) {
    auto first = listOf(reminderMessage("From the first list"));
    longPress(*first);
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Cancel"));
    objc::WeakRef<ReminderList> gone(first.get());
    first = nullptr;
    ASSERT_FALSE(gone.get());

    // The alert was made with the first list as its delegate; the second list shows it now.
    auto second = listOf(reminderMessage("From the second list"));
    auto third = listOf(reminderMessage("From the third list"));
    longPress(*third);
    longPress(*second);
    ASSERT_EQ(UIAlertView::shownAlerts().size(), 1u);
    EXPECT_EQ(frontAlert()->delegate(), second.get());
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Add"));
    const auto files = reminderFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(fileContents(files[0]).find("SUMMARY:From the second list"), std::string::npos);
}

TEST_F(ReminderTest, MethodsAreAddedWithTheHostsTypeEncodings) {
    const Class list = reminderListClass();
    EXPECT_STREQ(method_getTypeEncoding(class_getInstanceMethod(
                     list, sel_registerName("alertView:didDismissWithButtonIndex:"))),
                 "v@:@q");
    EXPECT_STREQ(method_getTypeEncoding(
                     class_getInstanceMethod(list, sel_registerName("reminderLongPress:"))),
                 "v@:@");
}

// What the reminder says, from the message and the settings.
struct ContentCase {
    const char* name;
    host::MessageContent message;
    mailhooks::ReminderLimits limits;
    const char* title;
    const char* notes;
    std::optional<std::string> url;
};

TEST(ReminderContent, TitleNotesAndLinkFromTheMessageAndTheLimits) {
    const foundation::Value prefix("[R] ");
    const std::string longSubject = std::string(99, 'x') + "\xf0\x9f\x98\x80" + "tail";
    const std::string htmlBody =
        "<html><body><p>" + std::string(600, 'h') + "</p><script>x()</script></body></html>";
    const std::string cutHtml(500, 'h');
    const std::vector<ContentCase> cases{
        {"no limits, no link, no prefix",
         {"Lunch", "Body", false, "<a@b>"},
         {0, 0, false, nullptr},
         "Lunch",
         "Body",
         std::nullopt},
        {"limit 0 keeps the whole subject",
         {std::string(150, 's'), "", false, std::nullopt},
         {0, 500, true, nullptr},
         nullptr,
         "",
         std::nullopt},
        {"a character of two UTF-16 units is not split at the cut",
         {longSubject, "", false, std::nullopt},
         {100, 500, true, &prefix},
         nullptr,
         "",
         std::nullopt},
        {"HTML is cut after its conversion and before the link",
         {"Offer", htmlBody, true, "<m1@example.org>"},
         {100, 500, true, nullptr},
         "Offer",
         nullptr,
         "message://%3Cm1@example.org%3E"},
        {"link off",
         {"Offer", "Body", false, "<m1@example.org>"},
         {100, 500, false, nullptr},
         "Offer",
         "Body",
         std::nullopt},
        {"no subject, no body",
         {std::nullopt, "", false, std::nullopt},
         {100, 500, true, &prefix},
         "[R] ",
         "",
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto content = mailhooks::reminderContent(c.message, c.limits);
        if (c.title) {
            EXPECT_EQ(content.title, c.title);
        }
        if (c.notes) {
            EXPECT_EQ(content.notes, c.notes);
        }
        EXPECT_EQ(content.url, c.url);
    }
    EXPECT_EQ(mailhooks::reminderContent(cases[1].message, cases[1].limits).title.size(), 150u);
    EXPECT_EQ(mailhooks::reminderContent(cases[2].message, cases[2].limits).title,
              "[R] " + std::string(99, 'x'));
    EXPECT_EQ(mailhooks::reminderContent(cases[3].message, cases[3].limits).notes,
              "message://%3Cm1@example.org%3E\n\n" + cutHtml);
}

TEST(ReminderContent, DueDatesFallToTheWholeMinuteBelow) {
    EXPECT_DOUBLE_EQ(mailhooks::dueDateSeconds(kTenFifteenAndSeconds), kTenFifteen);
    EXPECT_DOUBLE_EQ(mailhooks::dueDateSeconds(kTenFifteen), kTenFifteen);
    EXPECT_DOUBLE_EQ(mailhooks::dueDateSeconds(-1.0), -60.0);
}

} // namespace
} // namespace tintbox::testing
