// The Mail screens as the mail extension meets them: every method it replaces is reached
// through the runtime at the moment the host would call it (seen here by test hooks), rows are
// 44 points high, the mailbox cells' views are readable by their instance-variable names and
// the open message's header answers the subject's rectangle.
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/TouchSequence.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailApp.hpp"
#include "sim/mail/MailStore.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewCell.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MailboxListViewControllerMail.hpp"
#include "sim/mail/MailboxPickerController.hpp"
#include "sim/mail/MessageContentLayer.hpp"
#include "sim/mail/account_file.hpp"
#include "sim/mail/mailbox_icons.hpp"
#include "sim/mail/text_snippet.hpp"
#include "tests/sim/mail/maildir_fixture.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

using namespace tintbox::sim::mail;
using namespace tintbox::testing;
using ::testing::ElementsAre;

// How often each replaced method was reached, and on which objects, since the hooks went in.
struct Calls {
    std::map<std::string, int> count;
    std::vector<id> madeListCells;
    std::vector<id> filledMessages;
};

Calls& calls() {
    static Calls shared;
    return shared;
}

id (*previousListCellInit)(id, SEL, NSInteger, std::string) = nullptr;
void (*previousSetMessage)(id, SEL, id, bool) = nullptr;
void (*previousListLayout)(id, SEL) = nullptr;
id (*previousPickerCell)(id, SEL, id, id) = nullptr;
void (*previousUpdateUnreadCount)(id, SEL) = nullptr;
void (*previousUpdateTitle)(id, SEL) = nullptr;
id (*previousLayerInit)(id, SEL, CGRect) = nullptr;
void (*previousDisplayMessage)(id, SEL, id, NSInteger) = nullptr;
bool (*previousDidFinishLaunching)(id, SEL, id, id) = nullptr;

// Installed once per process, after the classes exist and before the app launches, as the
// extension's constructor does.
void installCountingHooks() {
    static const bool installed = [] {
        registerMailAppClasses();
        const auto hook = [](const char* cls, const char* selector, auto replacement,
                             auto* previous) {
            MSHookMessageEx(objc_getClass(cls), sel_registerName(selector), replacement, previous);
        };
        hook(
            "MailboxContentViewCell", "initWithStyle:reuseIdentifier:",
            +[](id self, SEL cmd, NSInteger style, std::string identifier) {
                ++calls().count["list cell init"];
                calls().madeListCells.push_back(self);
                return previousListCellInit(self, cmd, style, std::move(identifier));
            },
            &previousListCellInit);
        hook(
            "MailboxContentViewCell", "setMessage:threaded:",
            +[](id self, SEL cmd, id message, bool threaded) {
                ++calls().count["setMessage"];
                calls().filledMessages.push_back(message);
                previousSetMessage(self, cmd, message, threaded);
            },
            &previousSetMessage);
        hook(
            "MailboxContentViewCell", "layoutSubviews",
            +[](id self, SEL cmd) {
                ++calls().count["list cell layout"];
                previousListLayout(self, cmd);
            },
            &previousListLayout);
        hook(
            "MailboxPickerController", "tableView:cellForRowAtIndexPath:",
            +[](id self, SEL cmd, id table, id path) {
                ++calls().count["picker cell"];
                return previousPickerCell(self, cmd, table, path);
            },
            &previousPickerCell);
        hook(
            "MailboxTableCell", "_updateUnreadCount",
            +[](id self, SEL cmd) {
                ++calls().count["unread count"];
                previousUpdateUnreadCount(self, cmd);
            },
            &previousUpdateUnreadCount);
        hook(
            "MailboxListViewControllerMail", "updateTitle",
            +[](id self, SEL cmd) {
                ++calls().count["update title"];
                previousUpdateTitle(self, cmd);
            },
            &previousUpdateTitle);
        hook(
            "MessageContentLayer", "initWithFrame:",
            +[](id self, SEL cmd, CGRect frame) {
                ++calls().count["layer init"];
                return previousLayerInit(self, cmd, frame);
            },
            &previousLayerInit);
        hook(
            "MessageContentLayer", "displayMessage:withStyle:",
            +[](id self, SEL cmd, id viewing, NSInteger style) {
                ++calls().count["display message"];
                previousDisplayMessage(self, cmd, viewing, style);
            },
            &previousDisplayMessage);
        hook(
            "MailAppController", "application:didFinishLaunchingWithOptions:",
            +[](id self, SEL cmd, id application, id options) {
                ++calls().count["launch"];
                return previousDidFinishLaunching(self, cmd, application, options);
            },
            &previousDidFinishLaunching);
        return true;
    }();
    (void)installed;
}

SEL sel(const char* name) {
    return sel_registerName(name);
}

class MailScreens : public ::testing::Test {
protected:
    MailScreens() {
        installCountingHooks();
        calls() = {};
        const auto work = root / "private/var/mobile/Library/Mail/Work";
        deliver(work, "cur", "1.a:2,S", sampleMessage("Quarterly report", 3));
        deliver(work, "new", "2.b", sampleMessage("Lunch plans", 5));
        deliver(work, "cur", "3.c:2,FS", sampleMessage("Invoice overdue", 4));
        deliver(work / ".Projects", "cur", "4.d:2,S", sampleMessage("Roadmap", 1));
        std::string error;
        EXPECT_TRUE(writeAccountFile({{"Work", "MailAccount", "var/mobile/Library/Mail/Work"}},
                                     accountsFilePath(), &error))
            << error;
        MailStore::reloadShared();
        MailAppOptions options;
        options.loadTweaks = false;
        options.screenWidth = 375;
        app.emplace(MailApp::launch(options));
    }

    MailAccount& work() { return *MailStore::shared().accountNamed("Work"); }

    TemporaryDeviceRoot root;
    std::optional<MailApp> app;
};

TEST_F(MailScreens, LaunchGoesThroughTheAppControllerOnce) {
    EXPECT_TRUE(app->launchResult());
    EXPECT_EQ(calls().count["launch"], 1);
}

TEST_F(MailScreens, MessageListRowsAreMadeAndFilledThroughTheRuntimeAt44Points) {
    auto screen = app->messageList({objc::Ref<NSObject>(work().inbox())}, "INBOX");
    UITableView* table = screen.controller->tableView();
    ASSERT_EQ(table->numberOfRowsInSection(0), 3);
    EXPECT_EQ(calls().count["list cell init"], 3);
    EXPECT_EQ(calls().count["setMessage"], 3);
    EXPECT_GE(calls().count["list cell layout"], 3);
    std::vector<std::string> subjects;
    for (NSInteger row = 0; row < 3; ++row) {
        auto path = NSIndexPath::indexPathForRow(row, 0);
        auto* cell =
            dynamic_cast<MailboxContentViewCell*>(table->cellForRowAtIndexPath(path.get()));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->frame(), CGRectMake(0, 44.0 * row, 375, 44));
        EXPECT_EQ(cell->contentView()->frame().height(), 44);
        EXPECT_EQ(calls().madeListCells[static_cast<std::size_t>(row)], cell);
        subjects.push_back(
            objc::msgSend<std::optional<std::string>()>(cell->message(), sel("subject"))
                .value_or(""));
    }
    EXPECT_THAT(subjects, ElementsAre("Lunch plans", "Invoice overdue", "Quarterly report"));
}

TEST_F(MailScreens, ReloadingReusesCellsAndFillsEachRowAgain) {
    auto screen = app->messageList({objc::Ref<NSObject>(work().inbox())}, "INBOX");
    screen.controller->tableView()->reloadData();
    EXPECT_EQ(calls().count["list cell init"], 3);
    EXPECT_EQ(calls().count["setMessage"], 6);
}

TEST_F(MailScreens, SourceTypesListFlaggedOrUnreadMessagesOnly) {
    auto screen = app->messageList({objc::Ref<NSObject>(work().inbox())}, "INBOX");
    const auto subjectsFor = [&](NSInteger type) {
        objc::msgSend<void(std::vector<objc::Ref<NSObject>>, NSInteger)>(
            screen.controller, sel("setMailboxes:sourceType:"),
            std::vector<objc::Ref<NSObject>>{objc::Ref<NSObject>(work().inbox())}, type);
        std::vector<std::string> subjects;
        for (const auto& message : screen.controller->messages())
            subjects.push_back(
                objc::msgSend<std::optional<std::string>()>(message, sel("subject")).value_or(""));
        return subjects;
    };
    EXPECT_THAT(subjectsFor(MailboxContentViewController::kSourceFlagged),
                ElementsAre("Invoice overdue"));
    EXPECT_THAT(subjectsFor(MailboxContentViewController::kSourceUnread),
                ElementsAre("Lunch plans"));
    EXPECT_EQ(subjectsFor(MailboxContentViewController::kSourceAll).size(), 3u);
}

TEST_F(MailScreens, MailboxRowsAnswerTheirViewsByInstanceVariableName) {
    auto screen = app->mailboxList();
    UITableView* table = screen.controller->tableView();
    ASSERT_EQ(table->numberOfSections(), 2); // All Inboxes, then the account
    ASSERT_EQ(table->numberOfRowsInSection(1), 2);
    EXPECT_EQ(calls().count["picker cell"], 3);
    EXPECT_EQ(calls().count["unread count"], 3);

    auto path = NSIndexPath::indexPathForRow(0, 1);
    UITableViewCell* cell = table->cellForRowAtIndexPath(path.get());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->frame().height(), 44);
    const auto ivar = [&](const char* name) {
        Ivar variable = class_getInstanceVariable(object_getClass(cell), name);
        return variable ? object_getIvar(cell, variable) : nullptr;
    };
    auto* title = dynamic_cast<UILabel*>(ivar("_titleLabel"));
    auto* subtitle = dynamic_cast<UILabel*>(ivar("_subtitleLabel"));
    auto* unread = dynamic_cast<UILabel*>(ivar("_unreadCountLabel"));
    ASSERT_TRUE(title && subtitle && unread);
    EXPECT_EQ(title->text(), "INBOX");
    EXPECT_EQ(subtitle->text(), "Work");
    EXPECT_EQ(unread->text(), "1");
    EXPECT_NE(dynamic_cast<UIImageView*>(ivar("_iconImageView")), nullptr);

    auto allInboxes = NSIndexPath::indexPathForRow(0, 0);
    auto* first = table->cellForRowAtIndexPath(allInboxes.get());
    Ivar titleIvar = class_getInstanceVariable(object_getClass(first), "_titleLabel");
    EXPECT_EQ(dynamic_cast<UILabel*>(object_getIvar(first, titleIvar))->text(),
              MailboxPickerController::kAllInboxesTitle);
}

// The app's flow on one navigation stack: a mailbox row opens its list, a message row opens
// the message (titled with its subject, scrolling when tall), and the back buttons return.
TEST_F(MailScreens, TapsOpenListsAndMessagesOnOneStackAndBackButtonsReturn) {
    auto screen = app->mailboxList();
    UINavigationController* navigation = screen.navigation.get();
    UIView& view = screen.view();
    const auto tap = [&](CGPoint point) { return TouchSequence(&view, point).end(point); };

    EXPECT_EQ(tap({180, 64 + 22}), "row 0.0");
    auto* list = dynamic_cast<MailboxContentViewController*>(navigation->topViewController());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->title(), MailboxPickerController::kAllInboxesTitle);
    EXPECT_EQ(list->tableView()->numberOfRowsInSection(0), 3);

    EXPECT_EQ(tap({180, 64 + 44 + 22}), "row 0.1");
    UIViewController* open = navigation->topViewController();
    ASSERT_NE(open, list);
    EXPECT_EQ(open->title(), "Invoice overdue");
    auto* scroll = dynamic_cast<UIScrollView*>(open->view());
    ASSERT_NE(scroll, nullptr);
    ASSERT_EQ(scroll->subviews().size(), 1u);
    EXPECT_NE(dynamic_cast<MessageContentLayer*>(scroll->subviews()[0].get()), nullptr);
    EXPECT_GE(scroll->contentSize().height, scroll->bounds().height());
    view.layoutIfNeeded();
    EXPECT_EQ(navigation->navigationBar()->titleLabel()->text(), "Invoice overdue");

    EXPECT_EQ(tap({30, 42}), "back");
    EXPECT_EQ(navigation->topViewController(), list);
    EXPECT_EQ(tap({30, 42}), "back");
    EXPECT_EQ(navigation->topViewController(), screen.controller.get());
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
}

TEST(MailboxIcons, EachKindOfMailboxHasItsOwnIcon) {
    const std::vector<std::pair<const char*, MailboxKind>> names{
        {"INBOX", MailboxKind::Inbox},
        {"All Inboxes", MailboxKind::Inbox},
        {"Sent Messages", MailboxKind::Sent},
        {"[Gmail]/Sent Mail", MailboxKind::Sent},
        {"Drafts", MailboxKind::Drafts},
        {"Archive", MailboxKind::Archive},
        {"Deleted Messages", MailboxKind::Trash},
        {"trash", MailboxKind::Trash},
        {"Projects", MailboxKind::Other},
        {"Sentinel", MailboxKind::Other}};
    for (const auto& [name, kind] : names)
        EXPECT_EQ(mailboxKindOfName(name), kind) << name;

    registerMailAppClasses();
    const std::vector<MailboxKind> kinds{MailboxKind::Inbox,  MailboxKind::Sent,
                                         MailboxKind::Drafts, MailboxKind::Archive,
                                         MailboxKind::Trash,  MailboxKind::Other};
    std::vector<std::vector<quartz::Pixel>> pictures;
    for (const MailboxKind kind : kinds) {
        auto icon = mailboxIcon(kind);
        ASSERT_TRUE(icon && icon->CGImage());
        const quartz::Image& image = *icon->CGImage();
        std::vector<quartz::Pixel> pixels;
        for (int y = 0; y < image.pixelHeight(); ++y)
            for (int x = 0; x < image.pixelWidth(); ++x)
                pixels.push_back(image.pixelAt(x, y));
        pictures.push_back(std::move(pixels));
    }
    for (std::size_t a = 0; a < pictures.size(); ++a)
        for (std::size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a], pictures[b]) << "kinds " << a << " and " << b << " look alike";
}

TEST_F(MailScreens, FolderListIsTitledThroughUpdateTitleInsideANavigationController) {
    auto screen = app->folderList(work());
    EXPECT_EQ(calls().count["update title"], 1);
    EXPECT_EQ(objc::msgSend<std::string()>(screen.controller, sel("title")), "Work");
    id navigation = objc::msgSend<id()>(screen.controller, sel("navigationController"));
    ASSERT_EQ(navigation, screen.navigation.get());
    EXPECT_EQ(screen.navigation->navigationBar()->displayedTitle(), "Work");
    EXPECT_EQ(screen.controller->tableView()->numberOfRowsInSection(0), 2);
}

TEST_F(MailScreens, OpenMessageHeaderAnswersTheSubjectFrameInsideTheHeader) {
    MailMessage* message = work().inbox()->messages().front().get();
    auto screen = app->openMessage(*message);
    EXPECT_EQ(calls().count["layer init"], 1);
    EXPECT_EQ(calls().count["display message"], 1);
    MessageContentLayer* layer = MailApp::contentLayerOf(screen);
    ASSERT_NE(layer, nullptr);
    id header = objc::msgSend<id()>(layer, sel("headerView"));
    ASSERT_NE(header, nullptr);
    const CGRect subject = objc::msgSend<CGRect()>(header, sel("subjectFrame"));
    const CGRect headerFrame = objc::msgSend<CGRect()>(header, sel("frame"));
    EXPECT_GT(subject.width(), 0);
    EXPECT_GE(subject.height(), 20);
    EXPECT_GT(subject.minY(), 0); // the From, To and date lines come first
    EXPECT_LE(subject.maxY(), headerFrame.maxY());
    EXPECT_EQ(headerFrame.width(), layer->frame().width());
    EXPECT_EQ(layer->frame().width(), 375);
    EXPECT_EQ(layer->headerView()->lines()[3], "Lunch plans");
    EXPECT_EQ(layer->bodyLabel()->text(), "Lunch plans text");
    EXPECT_GT(layer->bodyLabel()->frame().minY(), headerFrame.maxY());
}

TEST_F(MailScreens, ALongBodyIsLaidOutOnlyAsFarAsIsShownAndKeptWhole) {
    std::string body;
    for (int line = 0; body.size() < (10u << 20); ++line)
        body +=
            "Line " + std::to_string(line) + " of a very long message, caf\u00e9 \u00e9t\u00e9\n";
    body += "the end";
    const auto folder = root / "private/var/mobile/Library/Mail/Work";
    deliver(folder, "cur", "5.e:2,S", sampleMessage("Huge", 6) + body);
    MailStore::reloadShared();
    MailMessage* huge = nullptr;
    for (const auto& message : work().inbox()->messages())
        if (message->subject() == "Huge")
            huge = message.get();
    ASSERT_NE(huge, nullptr);
    auto screen = app->openMessage(*huge);
    MessageContentLayer* layer = MailApp::contentLayerOf(screen);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->bodyText(), "Huge text\n" + body);
    const std::string& shown = layer->bodyLabel()->text();
    EXPECT_LT(shown.size(), 64u * 1024);
    EXPECT_EQ(shown.substr(0, 100), layer->bodyText().substr(0, 100));
    EXPECT_TRUE(shown.ends_with("\n\u2026")) << "the cut is marked";
    EXPECT_GT(layer->bodyLabel()->frame().height(), 1000) << "many screens are laid out";
}

TEST(TextSnippet, FoldsLinesAndCutsWholeCharacters) {
    EXPECT_EQ(snippetOf("Dear Ada,\n\n  the report", 100), "Dear Ada, the report");
    EXPECT_EQ(snippetOf("\u00e9\u00e9\u00e9\u00e9", 2), "\u00e9\u00e9");
    EXPECT_EQ(snippetOf("one two three", 7), "one two");
    // Text that is folded already comes back whole, and only then.
    EXPECT_EQ(snippetOf("one two", 7), "one two");
    EXPECT_EQ(snippetOf("one  two", 8), "one two");
    EXPECT_EQ(snippetOf(" one two ", 9), "one two");
    EXPECT_EQ(snippetOf("éé", 2), "éé");
    // Folded text cut short: at a character, before a space left at the end, and folded only
    // as far as the cut (what lies beyond it is not read).
    const struct {
        std::string_view text;
        std::size_t limit;
        std::string_view snippet;
    } cuts[] = {{"one two three", 8, "one two"},
                {"one two three", 9, "one two t"},
                {"one two \n\n three", 7, "one two"},
                {"one  two", 3, "one"},
                {"\u00e9\u00e9 \u00e9", 3, "\u00e9\u00e9"},
                {"one two", 0, ""}};
    for (const auto& cut : cuts)
        EXPECT_EQ(snippetOf(cut.text, cut.limit), cut.snippet) << cut.text << " / " << cut.limit;
}

// The snippet as its definition reads: the text's words joined by single spaces, cut before the
// character past the limit, without a space left at the end (for valid UTF-8, as previews are).
std::string referenceSnippet(std::string_view text, std::size_t maxCharacters) {
    std::string joined;
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            blank = !joined.empty();
            continue;
        }
        if (blank && !joined.empty())
            joined += ' ';
        blank = false;
        joined += c;
    }
    std::size_t characters = 0;
    std::size_t end = 0;
    for (; end < joined.size(); ++end)
        if ((static_cast<unsigned char>(joined[end]) & 0xC0) != 0x80 &&
            ++characters > maxCharacters)
            break;
    if (end > 0 && joined[end - 1] == ' ')
        --end;
    return joined.substr(0, end);
}

TEST(TextSnippet, AgreesWithItsDefinitionOnMixedTexts) {
    // Texts folded and not, so that both the quick reading of folded text (eight bytes at a
    // time) and the folding are taken, with cuts and blanks on every side of a word's seams.
    const char* const pieces[] = {"a", "bc",   " ",      "  ",     "\t",   "\n",          "\r\n",
                                  "!", "\x01", "\u00e9", "\u4e2d", "word", "longer words"};
    std::mt19937 random(20261211);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % std::size(pieces)];
        for (std::size_t limit : {0, 1, 5, 8, 9, 16, 17, 40, 200}) {
            EXPECT_EQ(snippetOf(text, limit), referenceSnippet(text, limit))
                << '"' << text << "\" / " << limit;
        }
    }
}

TEST(TextSnippet, LongTextKeepsEveryByteUpToTheLimit) {
    // Longer than any internal buffering, with multi-byte characters across the seams.
    std::string text;
    std::string folded;
    for (int i = 0; i < 300; ++i) {
        text += "w\u00e9rd \n\t ";
        folded += i ? " w\u00e9rd" : "w\u00e9rd";
    }
    EXPECT_EQ(snippetOf(text, 100000), folded);
    // 120 four-character words and the 119 spaces between them.
    EXPECT_EQ(snippetOf(text, 599), folded.substr(0, 120 * 5 + 119));
}

} // namespace
