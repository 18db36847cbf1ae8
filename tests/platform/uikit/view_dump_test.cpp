#include "platform/quartz/CAGradientLayer.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/view_dump.hpp"

#include <gtest/gtest.h>

namespace {

class DumpedGradientView : public UIView {};

TEST(ViewDumpTest, OneObjectPerViewWithItsFields) {
    UIView::registerRuntimeClass();
    objc::ClassBuilder<DumpedGradientView, UIView>("TestDumpedGradientView")
        .classMethod(
            "layerClass", +[](Class, SEL) { return objc_getClass("CAGradientLayer"); });

    auto root = UIView::withFrame(CGRectMake(0, 0, 320, 44.5));
    root->setBackgroundColor(UIColor::colorWithRed(1, 0, 0, 0.5).get());
    auto band = UIView::withFrame<DumpedGradientView>(CGRectMake(0, 0, 8, 44));
    band->setTag(26262);
    band->setAlpha(0.25);
    band->setHidden(true);
    band->layer()->setMasksToBounds(true);
    band->layer()->setZPosition(2);
    // As a plug-in colours a band and names a label: through messages.
    CALayer* gradient = objc::msgSend<CALayer*>(band, sel_registerName("layer"));
    objc::msgSend<void(std::vector<CGColorRef>)>(
        gradient, sel_registerName("setColors:"),
        std::vector<CGColorRef>{quartz::Color::white(), quartz::Color{0, 0, 1, 1}});
    objc::msgSend<void(std::vector<double>)>(gradient, sel_registerName("setLocations:"),
                                             std::vector<double>{0, 1});
    auto label = UIView::withFrame<UILabel>(CGRectMake(10, 2, 100, 20));
    objc::msgSend<void(std::string)>(label, sel_registerName("setText:"), std::string("Inbox"));
    EXPECT_EQ(objc::msgSend<std::string>(label, sel_registerName("text")), "Inbox");
    root->addSubview(band.get());
    root->addSubview(label.get());

    const auto expected = nlohmann::ordered_json::parse(R"({
      "class": "UIView", "tag": 0, "frame": [0.0, 0.0, 320.0, 44.5], "alpha": 1.0,
      "hidden": false, "background": "#FF000080",
      "layer": {"colors": [], "locations": null, "zPosition": 0.0, "masksToBounds": false},
      "subviews": [
        {"class": "TestDumpedGradientView", "tag": 26262, "frame": [0.0, 0.0, 8.0, 44.0],
         "alpha": 0.25, "hidden": true, "background": null,
         "layer": {"colors": ["#FFFFFFFF", "#0000FFFF"], "locations": [0.0, 1.0],
                   "zPosition": 2.0, "masksToBounds": true},
         "subviews": []},
        {"class": "UILabel", "tag": 0, "frame": [10.0, 2.0, 100.0, 20.0], "alpha": 1.0,
         "hidden": false, "background": null, "text": "Inbox",
         "layer": {"colors": [], "locations": null, "zPosition": 0.0, "masksToBounds": false},
         "subviews": []}
      ]})");
    const auto dumped = uikit::dumpViewTree(*root);
    EXPECT_EQ(dumped, expected) << dumped.dump(2);
    EXPECT_EQ(dumped.begin().key(), "class"); // fields keep their order
}

} // namespace
