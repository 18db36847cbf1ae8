#include "platform/uikit/view_dump.hpp"

#include "platform/quartz/CAGradientLayer.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

namespace uikit {
namespace {

nlohmann::ordered_json dumpLayer(const CALayer& layer) {
    nlohmann::ordered_json json;
    json["colors"] = nlohmann::ordered_json::array();
    json["locations"] = nullptr;
    if (auto* gradient = dynamic_cast<const CAGradientLayer*>(&layer)) {
        for (const auto& color : gradient->colors())
            json["colors"].push_back(color.hexString());
        if (!gradient->locations().empty())
            json["locations"] = gradient->locations();
    }
    json["zPosition"] = layer.zPosition();
    json["masksToBounds"] = layer.masksToBounds();
    return json;
}

} // namespace

nlohmann::ordered_json dumpViewTree(const UIView& view) {
    nlohmann::ordered_json json;
    json["class"] = class_getName(view.runtimeClass());
    json["tag"] = view.tag();
    const CGRect frame = view.frame();
    json["frame"] = {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height};
    json["alpha"] = view.alpha();
    json["hidden"] = view.isHidden();
    if (UIColor* background = view.backgroundColor())
        json["background"] = background->CGColor().hexString();
    else
        json["background"] = nullptr;
    if (auto* label = dynamic_cast<const UILabel*>(&view))
        json["text"] = label->text();
    json["layer"] = dumpLayer(*view.layer());
    json["subviews"] = nlohmann::ordered_json::array();
    for (const auto& subview : view.subviews())
        json["subviews"].push_back(dumpViewTree(*subview));
    return json;
}

} // namespace uikit
