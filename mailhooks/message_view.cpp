#include "mailhooks/message_view.hpp"

#include "host/mail.hpp"
#include "host/mail_names.hpp"
#include "mailhooks/band_colours.hpp"
#include "mailhooks/band_geometry.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/gradient_view.hpp"
#include "mailhooks/message_matching.hpp"
#include "mailhooks/tags.hpp"
#include "platform/dispatch/main_queue.hpp"
#include "platform/uikit/UIColor.hpp"

namespace tintbox::mailhooks {
namespace {

using settings::SettingsSnapshot;

void (*hostLayoutSubviews)(id, SEL) = nullptr;
void (*hostDisplayMessage)(id, SEL, id, NSInteger) = nullptr;
id (*hostInitWithFrame)(id, SEL, CGRect) = nullptr;

constexpr CGFloat kInitialBandHeight = 16;

MessageBandSettings accountBandSettings(const SettingsSnapshot& s) {
    return {s.highlightMessageType, s.messageWidthType, s.messageAlignment};
}

MessageBandSettings filterBandSettings(const SettingsSnapshot& s) {
    return {s.highlightMessageTypeFilters, s.messageWidthTypeFilters, s.messageAlignmentFilters};
}

using BandSettingsOf = MessageBandSettings (*)(const SettingsSnapshot&);

bool highlighting(const SettingsSnapshot& s) {
    return s.enabled && (s.highlightMessageType != 0 || s.highlightMessageTypeFilters != 0);
}

MessageHeaderGeometry headerGeometry(id contentLayer) {
    UIView* header = host::headerView(contentLayer);
    return {host::subjectFrame(header), host::frame(header).size.height,
            host::frame(contentLayer).size.width};
}

void placeBand(id contentLayer, UIView& band, BandSettingsOf settingsOf) {
    const MessageBandSettings settings = settingsOf(extensionState().snapshot);
    band.setFrame(messageBandFrame(settings, headerGeometry(contentLayer)));
}

// Places the band now and once more when the header has settled; the second placement keeps the
// content layer and the band alive until it has run.
void placeBandTwice(UIView& contentLayer, UIView* band, BandSettingsOf settingsOf) {
    if (!band || settingsOf(extensionState().snapshot).type == 0)
        return;
    placeBand(&contentLayer, *band, settingsOf);
    objc::Ref<UIView> layer(&contentLayer);
    objc::Ref<UIView> heldBand(band);
    dispatch::dispatch_after(
        dispatch::dispatch_time(
            dispatch::DISPATCH_TIME_NOW,
            static_cast<std::int64_t>(kSecondPlacementDelay * dispatch::NSEC_PER_SEC)),
        dispatch::dispatch_get_main_queue(),
        [layer, heldBand, settingsOf] { placeBand(layer.get(), *heldBand, settingsOf); });
}

void hideBand(UIView* contentLayer, NSInteger tag) {
    if (UIView* band = contentLayer ? contentLayer->viewWithTag(tag) : nullptr)
        band->setAlpha(0);
}

id initWithFrame(id self, SEL cmd, CGRect frame) {
    id result = hostInitWithFrame(self, cmd, frame);
    auto* contentLayer = dynamic_cast<UIView*>(result);
    if (!contentLayer)
        return result;
    const SettingsSnapshot& s = extensionState().snapshot;
    const CGRect initial = CGRectMake(0, 0, frame.size.width, kInitialBandHeight);
    if (!contentLayer->viewWithTag(tags::kMessageAccountBand)) {
        auto band = UIView::withFrame(initial);
        band->setAlpha(s.messageAlphaLevel);
        band->setTag(tags::kMessageAccountBand);
        contentLayer->addSubview(band.get());
    }
    if (!contentLayer->viewWithTag(tags::kMessageFilterBand)) {
        auto band = UIView::withFrame<GradientView>(initial);
        band->setAlpha(s.messageAlphaLevelFilters);
        band->setTag(tags::kMessageFilterBand);
        band->layer()->setMasksToBounds(true);
        contentLayer->addSubview(band.get());
    }
    return result;
}

void layoutSubviews(id self, SEL cmd) {
    auto* contentLayer = dynamic_cast<UIView*>(self);
    if (contentLayer && highlighting(extensionState().snapshot)) {
        placeBandTwice(*contentLayer, contentLayer->viewWithTag(tags::kMessageAccountBand),
                       &accountBandSettings);
        placeBandTwice(*contentLayer, contentLayer->viewWithTag(tags::kMessageFilterBand),
                       &filterBandSettings);
    }
    hostLayoutSubviews(self, cmd);
}

void displayMessage(id self, SEL cmd, id viewingObject, NSInteger style) {
    const SettingsSnapshot& s = extensionState().snapshot;
    auto* contentLayer = dynamic_cast<UIView*>(self);
    if (!highlighting(s) || !contentLayer) {
        hostDisplayMessage(self, cmd, viewingObject, style);
        hideBand(contentLayer, tags::kMessageAccountBand);
        hideBand(contentLayer, tags::kMessageFilterBand);
        return;
    }
    if (s.highlightMessageType == 0)
        hideBand(contentLayer, tags::kMessageAccountBand);
    if (s.highlightMessageTypeFilters == 0)
        hideBand(contentLayer, tags::kMessageFilterBand);

    UIView* accountBand = s.highlightMessageType != 0
                              ? contentLayer->viewWithTag(tags::kMessageAccountBand)
                              : nullptr;
    GradientView* filterBand = s.highlightMessageTypeFilters != 0
                                   ? gradientBandWithTag(contentLayer, tags::kMessageFilterBand)
                                   : nullptr;

    // The narrower band is drawn on top; on a tie the account band is.
    const bool filterOnTop = s.messageWidthType > s.messageWidthTypeFilters;
    if (accountBand)
        accountBand->layer()->setZPosition(filterOnTop ? 1.0 : 2.0);
    if (filterBand)
        filterBand->layer()->setZPosition(filterOnTop ? 2.0 : 1.0);

    id message = host::messageOfViewingObject(viewingObject);
    bool matched = false;
    if (filterBand) {
        const engine::MatchResult match = matchMessage(message);
        matched = match.anyMatched();
        if (matched) {
            showGradient(*filterBand, stripeGradient(match.colours));
            filterBand->setAlpha(s.messageAlphaLevelFilters);
        } else {
            showGradient(*filterBand, clearGradient());
            filterBand->setAlpha(0);
        }
    }

    if (accountBand) {
        quartz::Color colour = quartz::Color::clear();
        if (!(matched && !s.newLayerMessageFilters))
            if (auto name = host::accountDisplayName(message))
                colour = accountColour(s.settings, *name).value_or(colour);
        accountBand->setAlpha(s.messageAlphaLevel);
        accountBand->setBackgroundColor(UIColor::colorWithCGColor(colour).get());
    }

    hostDisplayMessage(self, cmd, viewingObject, style);
}

SEL selector(std::string_view name) {
    return sel_registerName(name);
}

} // namespace

void installMessageViewHooks(Class contentLayer) {
    MSHookMessageEx(contentLayer, selector(host::sel::kLayoutSubviews), &layoutSubviews,
                    &hostLayoutSubviews);
    MSHookMessageEx(contentLayer, selector(host::sel::kDisplayMessageWithStyle), &displayMessage,
                    &hostDisplayMessage);
    MSHookMessageEx(contentLayer, selector(host::sel::kInitWithFrame), &initWithFrame,
                    &hostInitWithFrame);
}

} // namespace tintbox::mailhooks
