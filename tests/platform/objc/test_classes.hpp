// Small classes for the runtime tests: Shape (methods, a class method, ivars) and its subclass
// Square, registered once per process by registerTestClasses().
#pragma once

#include "platform/objc/objc.hpp"

#include <string>

class Shape : public NSObject {
public:
    std::string describe() const { return "shape with " + std::to_string(m_sides) + " sides"; }
    long sides() const { return m_sides; }
    void setSides(long sides) { m_sides = sides; }
    // Takes and returns objects in their own C++ types.
    Shape* bigger(Shape* other) { return other && other->m_sides > m_sides ? other : this; }
    void setLabel(objc::Ref<NSObject> label) { m_label = std::move(label); }

    long m_sides{0};
    double m_area{0.0};
    objc::Ref<NSObject> m_label;
    objc::WeakRef<Shape> m_neighbour;
};

class Square : public Shape {
public:
    Square() { m_sides = 4; }
    std::string squareOnly() const { return "square"; }
};

// Made only with an argument: the runtime cannot make it by name.
class Polygon : public Shape {
public:
    explicit Polygon(long sides) { m_sides = sides; }
};

inline std::string shapeKind(Class, SEL) {
    return "shape";
}
inline std::string squareKind(Class, SEL) {
    return "square";
}

inline void registerTestClasses() {
    objc::ClassBuilder<Shape>("Shape")
        .method<&Shape::describe>("describe")
        .method<&Shape::sides>("sides")
        .method<&Shape::setSides>("setSides:")
        .method<&Shape::bigger>("bigger:")
        .method<&Shape::setLabel>("setLabel:")
        .classMethod("kind", &shapeKind)
        .ivar<&Shape::m_sides>("_sides")
        .ivar<&Shape::m_area>("_area")
        .ivar<&Shape::m_label>("_label")
        .ivar<&Shape::m_neighbour>("_neighbour");
    objc::ClassBuilder<Square, Shape>("Square")
        .method<&Square::squareOnly>("squareOnly")
        .classMethod("kind", &squareKind);
    objc::ClassBuilder<Polygon, Shape>("Polygon");
}

inline SEL sel(const char* name) {
    return sel_registerName(name);
}
