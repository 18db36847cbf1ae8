#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIView.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ViewAnimationTest, FinalValuesAtOnceAndCompletionAfterTheDuration) {
    dispatch::RunLoop& loop = dispatch::RunLoop::main();
    loop.useVirtualClock();
    auto view = UIView::withFrame(CGRectMake(0, 0, 10, 10));
    std::vector<bool> finished;
    objc::msgSendClass<void(double, std::function<void()>, std::function<void(bool)>)>(
        objc::classOf<UIView>(), sel_registerName("animateWithDuration:animations:completion:"),
        0.5, std::function<void()>([&] { view->setAlpha(0); }),
        std::function<void(bool)>([&](bool done) { finished.push_back(done); }));
    EXPECT_EQ(view->alpha(), 0);

    loop.advance(0.49);
    EXPECT_TRUE(finished.empty());
    loop.advance(0.02);
    EXPECT_EQ(finished, std::vector<bool>{true});

    UIView::animateWithDuration(
        0.25, 1.0, 0, [&] { view->setAlpha(1); }, [&](bool done) { finished.push_back(done); });
    EXPECT_EQ(view->alpha(), 1);
    loop.advance(1.2);
    EXPECT_EQ(finished.size(), 1u); // the delay counts too
    loop.advance(0.1);
    EXPECT_EQ(finished.size(), 2u);
    loop.useRealClock();
}

} // namespace
