// The root object and its two smart pointers. Every runtime object derives from NSObject,
// is made by objc::make<T>(...) (class_table.hpp) and is held by objc::Ref<T> (strong, an
// intrusive count) or objc::WeakRef<T> (reads as null once the object is gone). Objects
// belong to the main thread, as the platform's UI objects do; the counts are not atomic.
#pragma once

#include "platform/objc/types.hpp"

#include <concepts>
#include <cstddef>
#include <memory>
#include <utility>

namespace objc {
template <class T>
class Ref;
template <class T>
class WeakRef;

namespace detail {

// What weak references share with their object: cleared when the object starts to go away.
struct WeakSlot {
    NSObject* object{nullptr};
};

std::shared_ptr<WeakSlot> weakSlotOf(NSObject& object);

// Hands the class chosen by make<T> / class_createInstance to the NSObject constructor, so
// that an object knows its runtime class from its first constructor on (as alloc does).
class ClassForNextObject {
public:
    explicit ClassForNextObject(Class cls);
    ~ClassForNextObject();
    ClassForNextObject(const ClassForNextObject&) = delete;
    ClassForNextObject& operator=(const ClassForNextObject&) = delete;

private:
    Class m_previous{nullptr};
};

} // namespace detail
} // namespace objc

class NSObject {
public:
    NSObject();
    virtual ~NSObject();
    NSObject(const NSObject&) = delete;
    NSObject& operator=(const NSObject&) = delete;

    // The runtime class (the isa); never null for an object made by objc::make.
    Class runtimeClass() const { return m_isa; }
    bool isKindOfClass(Class cls) const;
    bool isMemberOfClass(Class cls) const { return cls && m_isa == cls; }
    bool respondsToSelector(SEL selector) const;

    std::size_t retainCount() const { return m_retainCount; }

private:
    template <class T>
    friend class objc::Ref;
    friend std::shared_ptr<objc::detail::WeakSlot> objc::detail::weakSlotOf(NSObject&);

    void retain() { ++m_retainCount; }
    void release();

    std::size_t m_retainCount{1};
    Class m_isa{nullptr};
    std::shared_ptr<objc::detail::WeakSlot> m_weakSlot;
};

namespace objc {

// A strong reference. Constructing one from a raw pointer retains it (as storing an id into a
// strong variable does); make<T> hands out the first reference without an extra count.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(T* object) : m_object(object) {
        if (m_object)
            m_object->retain();
    }
    Ref(const Ref& other) : Ref(other.m_object) {}
    Ref(Ref&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    template <class U>
    requires std::convertible_to<U*, T*> Ref(const Ref<U>& other) : Ref(other.get()) {}
    template <class U>
    requires std::convertible_to<U*, T*> Ref(Ref<U>&& other)
    noexcept : m_object(other.leak()) {}
    ~Ref() {
        if (m_object)
            m_object->release();
    }

    Ref& operator=(Ref other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }

    // Takes over a reference that the caller already owns (the one a new object starts with).
    static Ref adopt(T* object) {
        Ref ref;
        ref.m_object = object;
        return ref;
    }

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    friend bool operator==(const Ref& a, const Ref& b) { return a.m_object == b.m_object; }
    friend bool operator==(const Ref& a, const T* b) { return a.m_object == b; }
    friend bool operator==(const Ref& a, std::nullptr_t) { return a.m_object == nullptr; }

private:
    template <class U>
    friend class Ref;

    T* leak() { return std::exchange(m_object, nullptr); }

    T* m_object{nullptr};
};

// A weak reference: get() is the object while it lives and null once it has gone away.
template <class T>
class WeakRef {
public:
    WeakRef() = default;
    WeakRef(std::nullptr_t) {}
    WeakRef(T* object) : m_slot(object ? detail::weakSlotOf(*object) : nullptr), m_object(object) {}
    template <class U>
    requires std::convertible_to<U*, T*> WeakRef(const Ref<U>& object)
        : WeakRef(static_cast<T*>(object.get())) {}

    T* get() const { return m_slot && m_slot->object ? m_object : nullptr; }
    Ref<T> lock() const { return Ref<T>(get()); }
    explicit operator bool() const { return get() != nullptr; }

private:
    std::shared_ptr<detail::WeakSlot> m_slot;
    T* m_object{nullptr};
};

// The object as a T when it is one (dynamic_cast), else null: for objects made by name.
template <class T, class U>
Ref<T> dynamicCast(const Ref<U>& object) {
    return Ref<T>(dynamic_cast<T*>(object.get()));
}

} // namespace objc
