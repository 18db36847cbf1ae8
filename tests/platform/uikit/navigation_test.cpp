#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UILongPressGestureRecognizer.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "tests/platform/uikit/message_recorder.hpp"

#include <gtest/gtest.h>

namespace {

// A controller that logs, by name, the messages the platform sends it.
class LoggingController : public UIViewController {
public:
    std::vector<std::string> log;

    static void registerRuntimeClass() {
        objc::ClassBuilder<LoggingController, UIViewController>("LoggingController")
            .method(
                "loadView",
                +[](id self, SEL) {
                    auto* me = static_cast<LoggingController*>(self);
                    me->log.push_back("loadView");
                    me->setView(UIView::withFrame(CGRectMake(0, 0, 320, 100)).get());
                })
            .method(
                "viewDidLoad", +[](id self, SEL) { add(self, "viewDidLoad"); })
            .method(
                "viewWillAppear:", +[](id self, SEL, bool) { add(self, "willAppear"); })
            .method(
                "viewDidAppear:", +[](id self, SEL, bool) { add(self, "didAppear"); })
            .method(
                "viewWillDisappear:", +[](id self, SEL, bool) { add(self, "willDisappear"); })
            .method(
                "viewDidDisappear:", +[](id self, SEL, bool) { add(self, "didDisappear"); });
    }

private:
    static void add(id self, const char* what) {
        static_cast<LoggingController*>(self)->log.push_back(what);
    }
};

objc::Ref<LoggingController> makeController(const std::string& title) {
    LoggingController::registerRuntimeClass();
    auto controller = UIViewController::create<LoggingController>();
    controller->setTitle(title);
    return controller;
}

TEST(NavigationTest, TheViewLoadsOnceThroughTheRuntime) {
    auto controller = makeController("Filters");
    EXPECT_FALSE(controller->isViewLoaded());
    UIView* view = objc::msgSend<UIView*>(controller, sel("view"));
    EXPECT_EQ(controller->view(), view);
    EXPECT_EQ(controller->log, (std::vector<std::string>{"loadView", "viewDidLoad"}));
}

TEST(NavigationTest, PushAndPopSendTheAppearanceMessagesWhileShown) {
    auto root = makeController("Tintbox");
    auto pane = makeController("Filters");
    auto navigation = UINavigationController::withRootViewController(root.get());
    EXPECT_EQ(root->navigationController(), navigation.get());

    navigation->appearOnScreen();
    EXPECT_EQ(root->log,
              (std::vector<std::string>{"loadView", "viewDidLoad", "willAppear", "didAppear"}));
    root->log.clear();

    objc::msgSend<void(id, bool)>(navigation, sel("pushViewController:animated:"), pane.get(),
                                  true);
    EXPECT_EQ(navigation->topViewController(), pane.get());
    EXPECT_EQ(pane->navigationController(), navigation.get());
    EXPECT_EQ(root->log, (std::vector<std::string>{"willDisappear", "didDisappear"}));
    EXPECT_EQ(pane->log,
              (std::vector<std::string>{"loadView", "viewDidLoad", "willAppear", "didAppear"}));
    EXPECT_TRUE(pane->view()->isDescendantOfView(navigation->view()));
    EXPECT_FALSE(root->view()->isDescendantOfView(navigation->view()));
    navigation->navigationBar()->layoutIfNeeded();
    EXPECT_EQ(navigation->navigationBar()->titleLabel()->text(), "Filters");
    EXPECT_EQ(navigation->navigationBar()->backLabel()->text(), "\u2039 Tintbox");

    root->log.clear();
    auto popped = navigation->popViewControllerAnimated(true);
    EXPECT_EQ(popped, pane.get());
    EXPECT_EQ(pane->navigationController(), nullptr);
    EXPECT_EQ(root->log, (std::vector<std::string>{"willAppear", "didAppear"}));
    EXPECT_EQ(navigation->popViewControllerAnimated(true), nullptr); // the root stays
    EXPECT_THROW(navigation->pushViewControllerAnimated(root.get(), false), std::invalid_argument);
}

TEST(NavigationTest, AStackNotOnScreenSendsNoAppearance) {
    auto root = makeController("Mailboxes");
    auto next = makeController("Inbox");
    auto navigation = UINavigationController::withRootViewController(root.get());
    navigation->pushViewControllerAnimated(next.get(), false);
    EXPECT_TRUE(next->log.empty());
    EXPECT_TRUE(root->log.empty());
}

TEST(NavigationTest, TheBarKeepsItsLookAndBackgroundImagePerMetrics) {
    auto navigation = UINavigationController::withRootViewController(makeController("A").get());
    UINavigationBar* bar = objc::msgSend<UINavigationBar*>(navigation, sel("navigationBar"));
    EXPECT_TRUE(bar->isTranslucent());
    auto image = objc::make<UIImage>();
    objc::msgSend<void(id, NSInteger)>(bar, sel("setBackgroundImage:forBarMetrics:"), image.get(),
                                       UIBarMetricsDefault);
    bar->setTranslucent(false);
    bar->setOpaque(true);
    EXPECT_EQ(bar->backgroundImageForBarMetrics(UIBarMetricsDefault), image.get());
    EXPECT_EQ(bar->backgroundImageForBarMetrics(UIBarMetricsLandscapePhone), nullptr);
    EXPECT_TRUE(bar->isOpaque());
    bar->setBackgroundImage(nullptr, UIBarMetricsDefault);
    EXPECT_EQ(bar->backgroundImageForBarMetrics(UIBarMetricsDefault), nullptr);
}

TEST(BarButtonItemTest, AnItemHasAViewThatSendsItsActionAndCarriesRecognisers) {
    dispatch::RunLoop::main().useVirtualClock();
    auto target = makeRecorder();
    auto move =
        UIBarButtonItem::withSystemItem(UIBarButtonSystemItemOrganize, target.get(), sel("act:"));
    UIView* view =
        objc::msgSend<UIView*(std::string)>(move, sel("valueForKey:"), std::string("view"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(move->view(), view);
    move->simulateTap();
    ASSERT_EQ(target->messages.size(), 1u);
    EXPECT_EQ(target->messages[0].sender, move.get());

    auto toolbar = UIView::withFrame<UIToolbar>(CGRectMake(0, 0, 320, 44));
    auto space =
        UIBarButtonItem::withSystemItem(UIBarButtonSystemItemFlexibleSpace, nullptr, nullptr);
    toolbar->setItems({space, move}, false);
    toolbar->layoutIfNeeded();
    EXPECT_EQ(view->superview(), toolbar.get());
    EXPECT_DOUBLE_EQ(view->frame().maxX(), 312); // pushed to the right by the space

    auto press = objc::make<UILongPressGestureRecognizer>(target.get(), sel("pressed:"));
    view->addGestureRecognizer(press.get());
    press->touchesBegan({5, 5});
    dispatch::RunLoop::main().advance(0.5);
    press->touchesEnded({5, 5});
    EXPECT_EQ(target->selectors(), (std::vector<std::string>{"act:", "pressed:", "pressed:"}));

    move->setEnabled(false);
    move->simulateTap();
    EXPECT_EQ(target->messages.size(), 3u);
    dispatch::RunLoop::main().useRealClock();
}

} // namespace
