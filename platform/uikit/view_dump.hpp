// The JSON form of a view tree, one object per view: class (runtime name), tag, frame
// [x, y, w, h], alpha, hidden, background ("#RRGGBBAA" or null), text (labels only), layer
// {colors, locations, zPosition, masksToBounds} and subviews, back to front.
//   std::cout << uikit::dumpViewTree(*screen).dump(2);
#pragma once

#include <nlohmann/json.hpp>

class UIView;

namespace uikit {

nlohmann::ordered_json dumpViewTree(const UIView& view);

} // namespace uikit
