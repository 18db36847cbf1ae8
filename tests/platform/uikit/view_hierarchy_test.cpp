#include "platform/quartz/CAGradientLayer.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIView.hpp"

#include <gtest/gtest.h>

namespace {

objc::Ref<UIView> taggedView(NSInteger tag, CGRect frame = {}) {
    auto view = UIView::withFrame(frame);
    view->setTag(tag);
    return view;
}

TEST(ViewHierarchyTest, ViewWithTagSearchesReceiverThenSubviewsDepthFirstInOrder) {
    auto root = taggedView(1);
    auto first = taggedView(2);
    auto firstChild = taggedView(7);
    auto second = taggedView(7);
    auto secondChild = taggedView(2);
    root->addSubview(first.get());
    first->addSubview(firstChild.get());
    root->addSubview(second.get());
    second->addSubview(secondChild.get());

    EXPECT_EQ(root->viewWithTag(1), root.get());
    EXPECT_EQ(root->viewWithTag(2), first.get()); // before a deeper match further on
    EXPECT_EQ(root->viewWithTag(7),
              firstChild.get()); // depth first: inside `first` before `second`
    EXPECT_EQ(second->viewWithTag(2), secondChild.get());
    EXPECT_EQ(root->viewWithTag(99), nullptr);
    // Through the runtime, as a plug-in asks.
    EXPECT_EQ(objc::msgSend<UIView*(NSInteger)>(root, sel_registerName("viewWithTag:"), 7L),
              firstChild.get());
}

TEST(ViewHierarchyTest, AddingMovesBetweenSuperviewsAndKeepsLayersInStep) {
    auto a = taggedView(1);
    auto b = taggedView(2);
    auto child = taggedView(3);
    auto other = taggedView(4);
    a->addSubview(child.get());
    a->addSubview(other.get());
    b->addSubview(child.get());
    EXPECT_EQ(child->superview(), b.get());
    ASSERT_EQ(a->subviews().size(), 1u);
    EXPECT_EQ(a->layer()->sublayers().size(), 1u);
    EXPECT_EQ(child->layer()->superlayer(), b->layer());

    a->addSubview(child.get());
    a->bringSubviewToFront(other.get());
    EXPECT_EQ(a->subviews().back().get(), other.get());
    EXPECT_EQ(a->layer()->sublayers().back().get(), other->layer());
    a->sendSubviewToBack(other.get());
    EXPECT_EQ(a->subviews().front().get(), other.get());
    EXPECT_EQ(a->layer()->sublayers().front().get(), other->layer());
    a->insertSubview(child.get(), 0);
    EXPECT_EQ(a->subviews().front().get(), child.get());
    EXPECT_EQ(a->layer()->sublayers().front().get(), child->layer());

    child->removeFromSuperview();
    EXPECT_EQ(child->superview(), nullptr);
    EXPECT_EQ(a->layer()->sublayers().size(), 1u);
}

TEST(ViewHierarchyTest, AnAncestorCannotBecomeASubviewOrSublayer) {
    auto root = taggedView(1);
    auto child = taggedView(2);
    root->addSubview(child.get());
    child->addSubview(root.get());
    child->addSubview(child.get());
    EXPECT_EQ(root->superview(), nullptr);
    EXPECT_TRUE(child->subviews().empty());
    child->layer()->addSublayer(root->layer());
    EXPECT_TRUE(child->layer()->sublayers().empty());
    EXPECT_EQ(root->layer()->superlayer(), nullptr);
}

TEST(ViewHierarchyTest, SuperviewIsWeak) {
    auto child = taggedView(1);
    {
        auto parent = taggedView(2);
        parent->addSubview(child.get());
        EXPECT_EQ(child->superview(), parent.get());
    }
    EXPECT_EQ(child->superview(), nullptr);
}

// A plug-in's view class whose backing layer is a gradient layer, declared at run time.
class GradientView : public UIView {};

TEST(ViewHierarchyTest, LayerClassOverrideGivesAGradientLayer) {
    UIView::registerRuntimeClass();
    objc::ClassBuilder<GradientView, UIView>("TestGradientView")
        .classMethod(
            "layerClass", +[](Class, SEL) { return objc_getClass("CAGradientLayer"); });
    auto view = UIView::withFrame<GradientView>(CGRectMake(0, 0, 10, 10));
    EXPECT_NE(dynamic_cast<CAGradientLayer*>(view->layer()), nullptr);
    EXPECT_EQ(dynamic_cast<CAGradientLayer*>(UIView::withFrame({})->layer()), nullptr);
    EXPECT_EQ(view->layer()->delegate(), view.get());

    // A class declared only at run time, made by name, as a plug-in does.
    Class runtimeOnly =
        objc::ClassBuilder<UIView, UIView>("TestRuntimeGradientView")
            .classMethod(
                "layerClass", +[](Class, SEL) { return objc_getClass("CAGradientLayer"); });
    auto made = objc::dynamicCast<UIView>(class_createInstance(runtimeOnly));
    ASSERT_TRUE(made);
    EXPECT_NE(dynamic_cast<CAGradientLayer*>(made->layer()), nullptr);
}

} // namespace
