// Draws a layer tree with the drawing context: shadow, background, gradient, contents, the
// delegate's own drawing (drawLayer:inContext: through the runtime, with the context made
// current), sublayers by zPosition then order, and the border on top; hidden layers are skipped,
// opacity below 1 composites the layer and its sublayers as one group, masksToBounds clips.
//   quartz::Image picture = quartz::renderLayerTree(*view->layer(), 2.0);
#pragma once

#include "platform/quartz/CALayer.hpp"
#include "platform/quartz/drawing_context.hpp"
#include "platform/quartz/image.hpp"
#include "platform/quartz/image_context.hpp"

namespace quartz {

// Draws `layer` in its superlayer's coordinate space (its frame origin is honoured).
void renderLayer(CALayer& layer, DrawingContext& context);

// A picture of `root` alone, at the top left, the size of its bounds, at `scale` pixels per
// point; transparent where nothing is drawn.
Image renderLayerTree(CALayer& root, double scale);

// The same picture painted into `bitmap`, cleared first: a caller that paints often keeps one
// bitmap of the root's size rather than making a fresh one for every paint.
void renderLayerTree(CALayer& root, ImageContext& bitmap);

} // namespace quartz
