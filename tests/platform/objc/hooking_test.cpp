#include "tests/platform/objc/test_classes.hpp"

#include <gtest/gtest.h>

namespace {

// A host class and its subclass; each test takes its own N, so hooks of one test never
// reach another when the whole binary runs in one process.
template <int N>
class HostView : public NSObject {
public:
    void setMessage(id message, bool threaded) {
        log +=
            std::string("host(") + (message ? "message" : "nil") + (threaded ? ", threaded)" : ")");
    }
    std::string title() const { return "host"; }
    std::string log;
};

template <int N>
class HostCell : public HostView<N> {};

Class layerClassOfHost(Class, SEL) {
    return objc_getClass("NSObject");
}

template <int N>
Class registerHost() {
    std::string name = "HostView" + std::to_string(N);
    Class view = objc::ClassBuilder<HostView<N>>(name)
                     .template method<&HostView<N>::setMessage>("setMessage:threaded:")
                     .template method<&HostView<N>::title>("title")
                     .classMethod("layerClass", &layerClassOfHost);
    objc::ClassBuilder<HostCell<N>, HostView<N>>("HostCell" + std::to_string(N));
    return view;
}

template <int N>
std::string& logOf(id self) {
    return static_cast<HostView<N>*>(self)->log;
}

// How the host app fills a row: always through the runtime.
void hostShowsMessage(id cell, id message) {
    objc::msgSend<void(id, bool)>(cell, sel("setMessage:threaded:"), message, true);
}

void (*previousSetMessage)(id, SEL, id, bool);
void tintSetMessage(id self, SEL cmd, id message, bool threaded) {
    previousSetMessage(self, cmd, message, threaded);
    logOf<1>(self) += " tint";
}

TEST(HookingTest, AReplacementRunsWhereTheHostCallsAndReachesThePrevious) {
    Class view = registerHost<1>();
    MSHookMessageEx(view, sel("setMessage:threaded:"), &tintSetMessage, &previousSetMessage);
    ASSERT_NE(previousSetMessage, nullptr);

    auto cell = objc::make<HostView<1>>();
    auto message = objc::make<NSObject>();
    hostShowsMessage(cell.get(), message.get());
    EXPECT_EQ(cell->log, "host(message, threaded) tint");
}

std::string (*beforeFirst)(id, SEL);
std::string (*beforeSecond)(id, SEL);
std::string firstTitle(id self, SEL cmd) {
    return "first(" + beforeFirst(self, cmd) + ")";
}
std::string secondTitle(id self, SEL cmd) {
    return "second(" + beforeSecond(self, cmd) + ")";
}

TEST(HookingTest, HooksChainLaterToEarlierToOriginal) {
    Class view = registerHost<2>();
    auto object = objc::make<HostView<2>>();
    EXPECT_EQ(objc::msgSend<std::string>(object, sel("title")), "host");
    MSHookMessageEx(view, sel("title"), &firstTitle, &beforeFirst);
    EXPECT_EQ(objc::msgSend<std::string>(object, sel("title")), "first(host)");
    MSHookMessageEx(view, sel("title"), &secondTitle, &beforeSecond);
    EXPECT_EQ(objc::msgSend<std::string>(object, sel("title")), "second(first(host))");
    EXPECT_EQ(beforeSecond, &firstTitle);
}

std::string (*inheritedTitle)(id, SEL);
std::string cellTitle(id self, SEL cmd) {
    return "cell:" + inheritedTitle(self, cmd);
}

TEST(HookingTest, HookingAnInheritedMethodOverridesItInTheSubclassOnly) {
    registerHost<3>();
    Class cellClass = objc_getClass("HostCell3");
    auto cell = objc::make<HostCell<3>>();
    auto view = objc::make<HostView<3>>();
    EXPECT_EQ(objc::msgSend<std::string>(cell, sel("title")), "host") << "answer now cached";

    MSHookMessageEx(cellClass, sel("title"), &cellTitle, &inheritedTitle);
    EXPECT_EQ(objc::msgSend<std::string>(cell, sel("title")), "cell:host");
    EXPECT_EQ(objc::msgSend<std::string>(view, sel("title")), "host");
    Method own = class_getInstanceMethod(cellClass, sel("title"));
    Method inherited = class_getInstanceMethod(objc_getClass("HostView3"), sel("title"));
    EXPECT_NE(own, inherited);
    EXPECT_STREQ(method_getTypeEncoding(own), method_getTypeEncoding(inherited));
}

Class (*previousLayerClass)(Class, SEL);
Class squareLayerClass(Class, SEL) {
    return objc_getClass("Square");
}

TEST(HookingTest, ClassMethodsAreHookedLikeInstanceMethods) {
    registerTestClasses();
    Class view = registerHost<4>();
    MSHookMessageEx(objc_getClass("HostCell4"), sel("layerClass"), &squareLayerClass,
                    &previousLayerClass);
    EXPECT_EQ(objc::msgSendClass<Class>(objc_getClass("HostCell4"), sel("layerClass")),
              objc_getClass("Square"));
    EXPECT_EQ(objc::msgSendClass<Class>(view, sel("layerClass")), objc_getClass("NSObject"));
    EXPECT_EQ(previousLayerClass(view, sel("layerClass")), objc_getClass("NSObject"));
}

TEST(HookingTest, HookingAMethodNobodyImplementsReplacesNothing) {
    Class view = registerHost<5>();
    std::string (*previous)(id, SEL) = &firstTitle;
    testing::internal::CaptureStderr();
    MSHookMessageEx(view, sel("subtitle"), &firstTitle, &previous);
    MSHookMessageEx(Nil, sel("title"), &firstTitle, nullptr);
    std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(previous, nullptr);
    EXPECT_FALSE(class_respondsToSelector(view, sel("subtitle")));
    EXPECT_EQ(reported, "MSHookMessageEx: -[HostView5 subtitle] is not implemented; nothing was "
                        "replaced\nMSHookMessageEx: -[nil title] is not implemented; nothing "
                        "was replaced\n");
}

long wrongTitle(id, SEL) {
    return 0;
}

TEST(HookingTest, AReplacementWithAnotherSignatureStops) {
    Class view = registerHost<6>();
    long (*previous)(id, SEL) = nullptr;
    EXPECT_DEATH(MSHookMessageEx(view, sel("title"), &wrongTitle, &previous),
                 "cannot replace -\\[HostView6 title\\], implemented as std::.*string.* "
                 "\\(\\*\\)\\(id, SEL\\), with long \\(\\*\\)\\(id, SEL\\)");
}

std::string* g_actions = nullptr;
void segmentAction(id, SEL, id sender) {
    *g_actions += sender ? "segment " : "segment(nil) ";
}
void otherSegmentAction(id, SEL, id) {
    *g_actions += "other ";
}
void alertDismissed(id, SEL, id, NSInteger button) {
    *g_actions += "button " + std::to_string(button);
}

TEST(HookingTest, AddedMethodsKeepTheirEncodingAndNeverReplaceAnExistingOne) {
    std::string actions;
    g_actions = &actions;
    Class view = registerHost<7>();
    Class cell = objc_getClass("HostCell7");
    auto object = objc::make<HostCell<7>>();

    EXPECT_TRUE(class_addMethod(view, sel("segmentAction:"), &segmentAction, "v@:@"));
    EXPECT_FALSE(class_addMethod(view, sel("segmentAction:"), &otherSegmentAction, "v@:@"));
    EXPECT_TRUE(class_addMethod(view, sel("alertView:didDismissWithButtonIndex:"), &alertDismissed,
                                "v@:@q"));
    EXPECT_STREQ(method_getTypeEncoding(class_getInstanceMethod(view, sel("segmentAction:"))),
                 "v@:@");
    EXPECT_TRUE(object->respondsToSelector(sel("segmentAction:")));
    objc::msgSend<void(id)>(object, sel("segmentAction:"), object.get());
    objc::msgSend<void(id, NSInteger)>(object, sel("alertView:didDismissWithButtonIndex:"), nil, 1);
    EXPECT_EQ(actions, "segment button 1");

    // A subclass may add its own version of an inherited method.
    EXPECT_TRUE(class_addMethod(cell, sel("segmentAction:"), &otherSegmentAction, "v24@0:8@16"));
    actions.clear();
    objc::msgSend<void(id)>(object, sel("segmentAction:"), nil);
    EXPECT_EQ(actions, "other ");
}

TEST(HookingTest, ATypeEncodingMustFitTheSignature) {
    Class view = registerHost<8>();
    struct Case {
        const char* types;
        const char* problem;
    };
    for (const Case& c : {Case{"v@:@i", "type 4 is 'i' where the signature has 'q'"},
                          Case{"v@:@", "it names 4 types where the signature has 5"},
                          Case{"@@:@q", "type 0 is '@' where the signature has 'v'"},
                          Case{"v@:{CGRect", "it is not a type encoding"}}) {
        EXPECT_DEATH(class_addMethod(view, sel("alertView:didDismissWithButtonIndex:"),
                                     &alertDismissed, c.types),
                     c.problem)
            << c.types;
    }
    // Qualifiers, frame offsets, typed objects and structs of types it cannot check are read.
    EXPECT_TRUE(class_addMethod(view, sel("alertView:didDismissWithButtonIndex:"), &alertDismissed,
                                "Vv32@0:8@\"UIAlertView\"16q24"));
    EXPECT_TRUE(class_addMethod(
        view, sel("frameIn:"), +[](id, SEL, std::pair<double, double>) { return 0.0; },
        "d@:{CGPoint=dd}"));
}

} // namespace
