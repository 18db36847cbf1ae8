// UIImageView: shows an image scaled to fill its bounds (the layer's contents).
//   auto view = UIImageView::withImage(marker.get());   // frame: the image's size in points
#pragma once

#include "platform/uikit/UIView.hpp"

class UIImage;

class UIImageView : public UIView {
public:
    static Class registerRuntimeClass();

    UIImageView();

    // initWithImage:: a view at (0, 0) the size of the image.
    static objc::Ref<UIImageView> withImage(UIImage* image);

    UIImage* image() const { return m_image.get(); }
    void setImage(UIImage* image);
    // The image's size; the current size without an image.
    CGSize sizeThatFits(CGSize size) const;

private:
    objc::Ref<UIImage> m_image;
};
