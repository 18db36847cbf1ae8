#include "tests/platform/objc/test_classes.hpp"

#include <gtest/gtest.h>

namespace {

class IvarTest : public testing::Test {
protected:
    void SetUp() override { registerTestClasses(); }
};

TEST_F(IvarTest, VariablesAreFoundByNameThroughSubclasses) {
    Class square = objc_getClass("Square");
    struct Case {
        Class cls;
        const char* name;
        bool found;
    };
    for (const Case& c :
         {Case{square, "_sides", true}, Case{square, "_label", true},
          Case{objc_getClass("Shape"), "_area", true}, Case{square, "_titleLabel", false},
          Case{objc_getClass("NSObject"), "_sides", false}, Case{Nil, "_sides", false}}) {
        Ivar ivar = class_getInstanceVariable(c.cls, c.name);
        EXPECT_EQ(ivar != nullptr, c.found) << class_getName(c.cls) << " " << c.name;
        if (ivar) {
            EXPECT_STREQ(ivar_getName(ivar), c.name);
        }
    }
}

TEST_F(IvarTest, ObjectVariablesReadAsIdAndOthersByTheirType) {
    auto square = objc::make<Square>();
    auto neighbour = objc::make<Shape>();
    auto label = objc::make<NSObject>();
    square->m_label = label;
    square->m_neighbour = neighbour.get();
    Class cls = object_getClass(square.get());

    EXPECT_EQ(object_getIvar(square.get(), class_getInstanceVariable(cls, "_label")), label.get());
    Ivar neighbourIvar = class_getInstanceVariable(cls, "_neighbour");
    EXPECT_EQ(object_getIvar(square.get(), neighbourIvar), neighbour.get());
    EXPECT_EQ(object_getIvar(nil, neighbourIvar), nil);

    long& sides = object_getIvar<long>(square.get(), class_getInstanceVariable(cls, "_sides"));
    EXPECT_EQ(sides, 4);
    sides = 6;
    EXPECT_EQ(square->sides(), 6);

    neighbour = nullptr;
    EXPECT_EQ(object_getIvar(square.get(), neighbourIvar), nil) << "a weak variable reads nil";
}

TEST_F(IvarTest, ReadingAVariableWrongIsAProgrammingError) {
    auto square = objc::make<Square>();
    auto plain = objc::make<NSObject>();
    Class cls = objc_getClass("Square");
    Ivar sides = class_getInstanceVariable(cls, "_sides");
    EXPECT_DEATH(object_getIvar<int>(square.get(), sides),
                 "instance variable _sides of Shape is long, read as int");
    EXPECT_DEATH(object_getIvar(square.get(), sides),
                 "instance variable _sides of Shape holds long, not an object");
    EXPECT_DEATH(object_getIvar(plain.get(), sides),
                 "an object of class NSObject has no instance variable _sides");
}

} // namespace
