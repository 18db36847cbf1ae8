#include "tests/platform/objc/test_classes.hpp"

#include <gtest/gtest.h>

namespace {

class MessagingTest : public testing::Test {
protected:
    void SetUp() override { registerTestClasses(); }
};

TEST_F(MessagingTest, ClassesAreFoundAndMadeByName) {
    Class square = objc_getClass("Square");
    ASSERT_NE(square, Nil);
    EXPECT_STREQ(class_getName(square), "Square");
    EXPECT_EQ(class_getSuperclass(square), objc_getClass("Shape"));
    EXPECT_EQ(class_getSuperclass(objc_getClass("Shape")), objc_getClass("NSObject"));
    EXPECT_EQ(objc_getClass("NoSuchClass"), Nil);
    EXPECT_EQ(objc::classOf<Square>(), square);

    objc::Ref<NSObject> made = class_createInstance(square);
    ASSERT_TRUE(made);
    EXPECT_EQ(object_getClass(made.get()), square);
    auto* asSquare = dynamic_cast<Square*>(made.get());
    ASSERT_NE(asSquare, nullptr);
    EXPECT_EQ(asSquare->m_sides, 4);
    EXPECT_EQ(class_createInstance(Nil), nullptr);
}

TEST_F(MessagingTest, RegisteringAClassAgainFindsTheSameClass) {
    Class again = objc::ClassBuilder<Square, Shape>("Square");
    EXPECT_EQ(again, objc_getClass("Square"));
    EXPECT_DEATH((objc::ClassBuilder<Polygon, Shape>("Square")),
                 "class Square is already registered for Square");
}

TEST_F(MessagingTest, AClassWithoutDefaultConstructorCannotBeMadeByName) {
    EXPECT_EQ(objc::make<Polygon>(7L)->sides(), 7);
    EXPECT_DEATH(class_createInstance(objc_getClass("Polygon")),
                 "class Polygon cannot be made by name");
}

TEST_F(MessagingTest, ARuntimeOnlySubclassMakesObjectsOfItsSuperclassType) {
    Class blob = objc::ClassBuilder<Shape, Shape>("Blob");
    objc::Ref<Shape> made = objc::dynamicCast<Shape>(class_createInstance(blob));
    ASSERT_TRUE(made);
    EXPECT_EQ(object_getClass(made.get()), blob);
    EXPECT_TRUE(made->isKindOfClass(objc_getClass("Shape")));
    EXPECT_EQ(objc::make<Shape>()->runtimeClass(), objc_getClass("Shape"));
    EXPECT_FALSE(objc::dynamicCast<Square>(made));
}

TEST_F(MessagingTest, KindOfClassFollowsTheSuperclassChain) {
    auto square = objc::make<Square>();
    auto shape = objc::make<Shape>();
    struct Case {
        NSObject* object;
        const char* className;
        bool kind;
    };
    for (const Case& c : {Case{square.get(), "Square", true}, Case{square.get(), "Shape", true},
                          Case{square.get(), "NSObject", true}, Case{shape.get(), "Square", false},
                          Case{shape.get(), "NoSuchClass", false}}) {
        Class cls = objc_getClass(c.className);
        EXPECT_EQ(c.object->isKindOfClass(cls), c.kind) << c.className;
        EXPECT_EQ(objc::msgSend<bool(Class)>(c.object, sel("isKindOfClass:"), cls), c.kind);
    }
    EXPECT_TRUE(square->isMemberOfClass(objc_getClass("Square")));
    EXPECT_FALSE(square->isMemberOfClass(objc_getClass("Shape")));
}

TEST_F(MessagingTest, MessagesReachOwnAndInheritedMethods) {
    auto square = objc::make<Square>();
    EXPECT_EQ(objc::msgSend<std::string>(square, sel("describe")), "shape with 4 sides");
    EXPECT_EQ(objc::msgSend<std::string>(square, sel("squareOnly")), "square");
    objc::msgSend<void(long)>(square, sel("setSides:"), 5);
    EXPECT_EQ(objc::msgSend<long>(square, sel("sides")), 5);
    // A message to nil answers zero.
    EXPECT_EQ(objc::msgSend<long>(static_cast<Shape*>(nullptr), sel("sides")), 0);
    EXPECT_EQ(objc::msgSend<std::string>(objc::Ref<Shape>(), sel("describe")), "");
}

TEST_F(MessagingTest, ObjectArgumentsAndResultsKeepTheirOwnTypes) {
    auto small = objc::make<Shape>();
    auto square = objc::make<Square>();
    Shape* bigger = objc::msgSend<Shape*(Shape*)>(small, sel("bigger:"), square);
    EXPECT_EQ(bigger, square.get());
    EXPECT_EQ((objc::msgSend<id>(small, sel("bigger:"), nil)), small.get());

    auto label = objc::make<NSObject>();
    objc::msgSend<void(objc::Ref<NSObject>)>(small, sel("setLabel:"), label);
    EXPECT_EQ(small->m_label, label);
}

TEST_F(MessagingTest, RespondsToSelectorAnswersBeforeSending) {
    auto shape = objc::make<Shape>();
    auto square = objc::make<Square>();
    EXPECT_TRUE(shape->respondsToSelector(sel("describe")));
    EXPECT_FALSE(shape->respondsToSelector(sel("squareOnly")));
    EXPECT_TRUE(square->respondsToSelector(sel("squareOnly")));
    EXPECT_TRUE(objc::msgSend<bool(SEL)>(square, sel("respondsToSelector:"), sel("describe")));
    EXPECT_FALSE(class_respondsToSelector(objc_getClass("Shape"), sel("noSuchMethod")));
}

TEST_F(MessagingTest, ClassMethodsAreLookedUpAlongTheChain) {
    Class square = objc_getClass("Square");
    EXPECT_EQ(objc::msgSendClass<std::string>(square, sel("kind")), "square");
    EXPECT_EQ(objc::msgSendClass<std::string>(objc_getClass("Shape"), sel("kind")), "shape");
    EXPECT_EQ(objc::msgSendClass<std::string>(objc_getClass("Polygon"), sel("kind")), "shape");
    EXPECT_EQ(objc::msgSendClass<Class>(square, sel("class")), square);
    EXPECT_EQ(objc::msgSendClass<std::string>(Nil, sel("kind")), "");
}

TEST_F(MessagingTest, SuperMessagesStartAtTheGivenClass) {
    auto square = objc::make<Square>();
    Class shape = objc_getClass("Shape");
    EXPECT_EQ(objc::msgSendSuper<std::string()>(square, shape, sel("describe")),
              "shape with 4 sides");
    EXPECT_DEATH(objc::msgSendSuper<std::string()>(square, shape, sel("squareOnly")),
                 "-\\[Shape squareOnly\\]: unrecognized selector sent to instance");
}

TEST_F(MessagingTest, ProgrammingErrorsStopWithClassSelectorAndTypes) {
    auto square = objc::make<Square>();
    EXPECT_DEATH(objc::msgSend<void(int)>(square, sel("setSides:"), 3),
                 "-\\[Square setSides:\\] was sent as void \\(\\*\\)\\(id, SEL, int\\) but is "
                 "implemented as void \\(\\*\\)\\(id, SEL, long\\)");
    EXPECT_DEATH(objc::msgSend<void>(square, sel("fly")),
                 "-\\[Square fly\\]: unrecognized selector sent to instance 0x[0-9a-f]+");
    EXPECT_DEATH(objc::msgSendClass<void>(objc_getClass("Square"), sel("fly")),
                 "\\+\\[Square fly\\]: unrecognized selector sent to class");
    auto plain = objc::make<NSObject>();
    EXPECT_DEATH((objc::msgSend<Shape*(id)>(square, sel("bigger:"), plain.get())),
                 "an object of class NSObject stands where Shape is required");
    EXPECT_DEATH((objc::msgSend<Square*(Shape*)>(objc::make<Shape>(), sel("bigger:"), nil)),
                 "an object of class Shape stands where Square is required");
}

// The usage example of platform/objc/objc.hpp, kept compiling and true.
class Greeter : public NSObject {
public:
    std::string greeting(long times) const { return std::string(times, '!'); }
};

std::string (*previousGreeting)(id, SEL, long);
std::string loudGreeting(id self, SEL cmd, long times) {
    return "Hey" + previousGreeting(self, cmd, times);
}

TEST(UsageExample, RegisterAddHookAndCall) {
    objc::ClassBuilder<Greeter>("Greeter").method<&Greeter::greeting>("greeting:");
    static SEL greetingSel = sel_registerName("greeting:");
    auto greeter = class_createInstance(objc_getClass("Greeter"));
    EXPECT_EQ(objc::msgSend<std::string(long)>(greeter, greetingSel, 2L), "!!");

    MSHookMessageEx(objc_getClass("Greeter"), greetingSel, &loudGreeting, &previousGreeting);
    EXPECT_TRUE(class_addMethod(
        objc_getClass("Greeter"), sel_registerName("wave:"), +[](id, SEL, id) {}, "v@:@"));
    EXPECT_EQ(objc::msgSend<std::string(long)>(greeter, greetingSel, 2L), "Hey!!");
    objc::msgSend<void(id)>(greeter, sel_registerName("wave:"), nil);
}

} // namespace

namespace {

struct Opaque {};

TEST(DerivedEncoding, TypesWithoutALetterStayApartFromTheirNeighbours) {
    using DrawInContext = void (*)(id, SEL, id, Opaque*);
    using TakeStruct = void (*)(id, SEL, id, Opaque, long);
    EXPECT_EQ(objc::encodingOf<DrawInContext>(), "v@:@^v");
    EXPECT_EQ(objc::encodingOf<TakeStruct>(), "v@:@{?=}q");

    objc::ClassBuilder<Greeter>("Greeter").method(
        "drawLayer:inContext:", +[](id, SEL, id, Opaque*) {});
    const Method method =
        class_getInstanceMethod(objc_getClass("Greeter"), sel_registerName("drawLayer:inContext:"));
    ASSERT_NE(method, nullptr);
    EXPECT_STREQ(method_getTypeEncoding(method), "v@:@^v");
}

} // namespace
