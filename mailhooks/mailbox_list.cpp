#include "mailhooks/mailbox_list.hpp"

#include "engine/colour.hpp"
#include "host/mail.hpp"
#include "host/mail_names.hpp"
#include "mailhooks/band_colours.hpp"
#include "mailhooks/band_geometry.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/gradient_view.hpp"
#include "mailhooks/tags.hpp"
#include "platform/quartz/ui_graphics.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UINavigationBar.hpp"

#include <string>

namespace tintbox::mailhooks {
namespace {

using settings::SettingsSnapshot;

id (*hostCellInitWithStyle)(id, SEL, NSInteger, std::string) = nullptr;
void (*hostUpdateUnreadCount)(id, SEL) = nullptr;
void (*hostPickerViewWillAppear)(id, SEL, bool) = nullptr;
id (*hostCellForRow)(id, SEL, id, id) = nullptr;
void (*hostFolderListViewWillDisappear)(id, SEL, bool) = nullptr;
void (*hostUpdateTitle)(id, SEL) = nullptr;

bool hasEntry(const SettingsSnapshot& s, const std::string& key) {
    return s.settings && foundation::find(*s.settings, key);
}

void clearBackground(UIView* view) {
    if (view)
        view->setBackgroundColor(UIColor::clearColor().get());
}

// An image context open for one scope.
class ImageContext {
public:
    ImageContext(CGSize size, bool opaque, CGFloat scale) {
        UIGraphicsBeginImageContextWithOptions(size, opaque, scale);
    }
    ~ImageContext() { UIGraphicsEndImageContext(); }
    ImageContext(const ImageContext&) = delete;
    ImageContext& operator=(const ImageContext&) = delete;
};

// A 1 x 1 point image of the colour, which the bar stretches over its whole background.
objc::Ref<UIImage> barImage(UIColor& colour) {
    ImageContext context({1, 1}, false, 0);
    colour.setFill();
    UIRectFill(CGRectMake(0, 0, 1, 1));
    std::optional<quartz::Image> image = UIGraphicsGetImageFromCurrentImageContext();
    return image ? UIImage::imageWithImage(std::move(*image)) : nullptr;
}

id cellInitWithStyle(id self, SEL cmd, NSInteger style, std::string reuseIdentifier) {
    id cell = hostCellInitWithStyle(self, cmd, style, std::move(reuseIdentifier));
    UIView* content = host::contentView(cell);
    if (!content || content->viewWithTag(tags::kMailboxBand))
        return cell;
    const SettingsSnapshot& s = extensionState().snapshot;
    const BandPlacement placement = mailboxBandAtCreation(
        s.mailBoxWidthType, host::frame(cell).size, content->bounds().width());
    auto band = UIView::withFrame<GradientView>(placement.frame);
    band->setAutoresizingMask(placement.autoresizingMask);
    band->setAlpha(s.mailBoxAlphaLevel);
    band->setTag(tags::kMailboxBand);
    content->addSubview(band.get());
    return cell;
}

void updateUnreadCount(id self, SEL cmd) {
    hostUpdateUnreadCount(self, cmd);
    const SettingsSnapshot& s = extensionState().snapshot;
    if (s.enabled && s.highlightMailBoxType != 0)
        clearBackground(host::ivarLabel(self, host::ivar::kUnreadCountLabel));
}

void pickerViewWillAppear(id self, SEL cmd, bool animated) {
    hostPickerViewWillAppear(self, cmd, animated);
    ExtensionState& state = extensionState();
    if (state.snapshot.settingsChanged) {
        state.snapshot.settingsChanged = false;
        host::reloadTableView(self);
    }
    state.quickFilterReset = false;
}

// The name whose colour the row shows: the title's, or the subtitle's when the title has no
// colour entry.
void colourMailboxRow(id cell, UIView& content, GradientView& band) {
    const SettingsSnapshot& s = extensionState().snapshot;
    content.bringSubviewToFront(&band);
    UILabel* title = host::ivarLabel(cell, host::ivar::kTitleLabel);
    if (!title)
        return;
    std::string accountName = title->text();
    clearBackground(title);
    if (UILabel* subtitle = host::ivarLabel(cell, host::ivar::kSubtitleLabel)) {
        if (accountName.empty() || !hasEntry(s, accountName))
            accountName = subtitle->text();
        clearBackground(subtitle);
    }
    clearBackground(host::ivarLabel(cell, host::ivar::kUnreadCountLabel));
    if (UIImageView* icon = host::ivarImageView(cell, host::ivar::kIconImageView))
        content.bringSubviewToFront(icon);

    const quartz::Color colour =
        accountColour(s.settings, accountName).value_or(quartz::Color::clear());
    showColours(band, solidColours(colour));
    const BandPlacement placement = mailboxBand(s.highlightMailBoxType, s.mailBoxWidthType,
                                                host::frame(cell).size, content.bounds().width());
    band.setFrame(placement.frame);
    band.setAutoresizingMask(placement.autoresizingMask);
    band.setAlpha(s.mailBoxAlphaLevel);
}

id cellForRow(id self, SEL cmd, id tableView, id indexPath) {
    id cell = hostCellForRow(self, cmd, tableView, indexPath);
    UIView* content = host::contentView(cell);
    GradientView* band = gradientBandWithTag(content, tags::kMailboxBand);
    if (!band)
        return cell;
    const SettingsSnapshot& s = extensionState().snapshot;
    if (!s.enabled || s.highlightMailBoxType == 0)
        showColours(*band, solidColours(quartz::Color::clear()));
    else
        colourMailboxRow(cell, *content, *band);
    return cell;
}

void folderListViewWillDisappear(id self, SEL cmd, bool animated) {
    hostFolderListViewWillDisappear(self, cmd, animated);
    if (UINavigationBar* bar = host::navigationBar(self)) {
        bar->setBackgroundImage(nullptr, UIBarMetricsDefault);
        bar->setTranslucent(true);
        bar->setOpaque(false);
    }
}

// The account's colour at the mailbox band's opacity, or nothing.
objc::Ref<UIColor> barColour(id folderList) {
    ExtensionState& state = extensionState();
    const SettingsSnapshot& s = state.snapshot;
    if (!s.enabled || !s.highlightFolderList)
        return nullptr;
    const std::string title = host::title(folderList);
    if (title.empty() || !hasEntry(s, title))
        return nullptr;
    state.quickFilterReset = false;
    const foundation::Value* entry = foundation::find(*s.settings, title);
    const std::string* hex = entry->asString();
    if (!hex)
        return nullptr;
    const auto colour = engine::mailColour(engine::parseHexColour(*hex), s.mailBoxAlphaLevel);
    if (!colour)
        return nullptr;
    return UIColor::colorWithRed(colour->red, colour->green, colour->blue, colour->alpha);
}

void updateTitle(id self, SEL cmd) {
    hostUpdateTitle(self, cmd);
    UINavigationBar* bar = host::navigationBar(self);
    if (!bar)
        return;
    objc::Ref<UIColor> colour = barColour(self);
    if (!colour) {
        bar->setBackgroundImage(nullptr, UIBarMetricsDefault);
        return;
    }
    bar->setTranslucent(false);
    bar->setOpaque(true);
    bar->setBackgroundImage(barImage(*colour).get(), UIBarMetricsDefault);
}

SEL selector(std::string_view name) {
    return sel_registerName(name);
}

} // namespace

void installMailboxListHooks(Class tableCell, Class picker, Class folderList) {
    MSHookMessageEx(tableCell, selector(host::sel::kInitWithStyleReuseIdentifier),
                    &cellInitWithStyle, &hostCellInitWithStyle);
    MSHookMessageEx(tableCell, selector(host::sel::kUpdateUnreadCount), &updateUnreadCount,
                    &hostUpdateUnreadCount);
    MSHookMessageEx(picker, selector(host::sel::kViewWillAppear), &pickerViewWillAppear,
                    &hostPickerViewWillAppear);
    MSHookMessageEx(picker, selector(host::sel::kTableViewCellForRowAtIndexPath), &cellForRow,
                    &hostCellForRow);
    MSHookMessageEx(folderList, selector(host::sel::kViewWillDisappear),
                    &folderListViewWillDisappear, &hostFolderListViewWillDisappear);
    MSHookMessageEx(folderList, selector(host::sel::kUpdateTitle), &updateTitle, &hostUpdateTitle);
}

} // namespace tintbox::mailhooks
