// GradientView: the mail extension's one class, a view backed by a gradient layer. A band shows
// a solid colour as the colour list (c, c) and n stripes as 2n colours with hard stops.
//   auto band = UIView::withFrame<GradientView>(frame);  showGradient(*band, stripes);
#pragma once

#include "mailhooks/band_colours.hpp"
#include "platform/quartz/CAGradientLayer.hpp"
#include "platform/uikit/UIView.hpp"

namespace tintbox::mailhooks {

class GradientView : public UIView {
public:
    // Registers GradientView (superclass UIView, layerClass CAGradientLayer); idempotent.
    static Class registerRuntimeClass();

    // The backing layer, typed as the gradient layer it always is.
    CAGradientLayer* gradientLayer() const;
};

// The band among view and its descendants with that tag, when it is a GradientView.
GradientView* gradientBandWithTag(UIView* view, NSInteger tag);

// Sets the colour list and then the stop list.
void showGradient(GradientView& band, const BandGradient& gradient);

// Sets the colour list only.
void showColours(GradientView& band, std::vector<quartz::Color> colours);

} // namespace tintbox::mailhooks
