#include "tests/platform/objc/test_classes.hpp"

#include <gtest/gtest.h>

namespace {

// Counts its own destruction and records what its runtime class was while it was being built.
class Tracked : public Shape {
public:
    explicit Tracked(int* destroyed) : m_destroyed(destroyed) {}
    ~Tracked() override { ++*m_destroyed; }

    int* m_destroyed{nullptr};
    objc::Ref<Square> m_madeDuringConstruction{objc::make<Square>()};
    Class m_classAtConstruction{runtimeClass()};
};

class ObjectTest : public testing::Test {
protected:
    void SetUp() override {
        registerTestClasses();
        objc::ClassBuilder<Tracked, Shape>("Tracked");
    }
    int destroyed = 0;
};

TEST_F(ObjectTest, StrongReferencesKeepTheObjectUntilTheLastGoes) {
    objc::Ref<Tracked> first = objc::make<Tracked>(&destroyed);
    EXPECT_EQ(first->retainCount(), 1u);
    {
        objc::Ref<Shape> second = first;
        objc::Ref<NSObject> third(first.get());
        EXPECT_EQ(first->retainCount(), 3u);
        objc::Ref<NSObject> moved = std::move(third);
        EXPECT_EQ(first->retainCount(), 3u);
    }
    EXPECT_EQ(first->retainCount(), 1u);
    EXPECT_EQ(destroyed, 0);
    first = nullptr;
    EXPECT_EQ(destroyed, 1);
}

TEST_F(ObjectTest, WeakReferencesReadNullOnceTheObjectIsGone) {
    objc::Ref<Tracked> object = objc::make<Tracked>(&destroyed);
    objc::WeakRef<Shape> weak = object;
    objc::WeakRef<Shape> copy = weak;
    EXPECT_EQ(weak.get(), object.get());
    EXPECT_EQ(weak.lock(), object);
    EXPECT_EQ(object->retainCount(), 1u) << "weak references do not keep the object";

    object = nullptr;
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(weak.get(), nullptr);
    EXPECT_EQ(copy.get(), nullptr);
    EXPECT_FALSE(weak.lock());
    EXPECT_FALSE(objc::WeakRef<Shape>().get());
}

TEST_F(ObjectTest, ObjectsKnowTheirClassFromTheirFirstConstructorOn) {
    objc::Ref<Tracked> object = objc::make<Tracked>(&destroyed);
    EXPECT_EQ(object->runtimeClass(), objc_getClass("Tracked"));
    EXPECT_EQ(object->m_classAtConstruction, objc_getClass("Tracked"));
    EXPECT_EQ(object->m_madeDuringConstruction->runtimeClass(), objc_getClass("Square"));
}

TEST_F(ObjectTest, AutoreleasePoolsNestAndCloseInOrder) {
    {
        objc::AutoreleasePool outer;
        void* inner = objc_autoreleasePoolPush();
        objc_autoreleasePoolPop(inner);
    }
    void* closed = objc_autoreleasePoolPush();
    objc_autoreleasePoolPop(closed);
    EXPECT_DEATH(objc_autoreleasePoolPop(closed),
                 "objc_autoreleasePoolPop with a pool that is not open");
}

} // namespace

namespace {
class RegisteredLater : public Shape {};
class RegisteredLaterStill : public RegisteredLater {};
} // namespace

TEST(ClassRegistrationTest, ClassesRegisteredAfterAMarkAreListedInOrderOnce) {
    registerTestClasses();
    const std::size_t mark = objc::classRegistrationMark();
    Class first = objc::ClassBuilder<RegisteredLater, Shape>("RegisteredLater");
    Class second =
        objc::ClassBuilder<RegisteredLaterStill, RegisteredLater>("RegisteredLaterStill");
    // Registering a known class again adds nothing.
    objc::ClassBuilder<RegisteredLater, Shape>("RegisteredLater");
    objc::ClassBuilder<Square, Shape>("Square");

    EXPECT_EQ(objc::classesRegisteredSince(mark), (std::vector<Class>{first, second}));
    EXPECT_EQ(objc::classRegistrationMark(), mark + 2);
    EXPECT_TRUE(objc::classesRegisteredSince(mark + 2).empty());
    EXPECT_TRUE(objc::classesRegisteredSince(mark + 100).empty());
}
