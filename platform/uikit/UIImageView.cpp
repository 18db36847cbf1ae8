#include "platform/uikit/UIImageView.hpp"

#include "platform/uikit/UIImage.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIImageView::registerRuntimeClass();

id initWithImage(id self, SEL, id image) {
    static const SEL setImage = sel_registerName("setImage:");
    static const SEL setFrame = sel_registerName("setFrame:");
    auto* picture = dynamic_cast<UIImage*>(image);
    objc::msgSend<void(CGRect)>(self, setFrame,
                                CGRect{{0, 0}, picture ? picture->size() : CGSizeZero});
    objc::msgSend<void(id)>(self, setImage, image);
    return self;
}
} // namespace

Class UIImageView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UIImageView, UIView>("UIImageView")
                                 .method("initWithImage:", &initWithImage)
                                 .method<&UIImageView::image>("image")
                                 .method<&UIImageView::setImage>("setImage:")
                                 .method<&UIImageView::sizeThatFits>("sizeThatFits:");
    return cls;
}

UIImageView::UIImageView() {
    setUserInteractionEnabled(false);
}

objc::Ref<UIImageView> UIImageView::withImage(UIImage* image) {
    static const SEL initWithImageSelector = sel_registerName("initWithImage:");
    auto view = objc::make<UIImageView>();
    objc::msgSend<id(id)>(view, initWithImageSelector, image);
    return view;
}

void UIImageView::setImage(UIImage* image) {
    m_image = image;
    layer()->setContents(image ? image->CGImage() : std::nullopt);
}

CGSize UIImageView::sizeThatFits(CGSize) const {
    return m_image ? m_image->size() : frame().size;
}
