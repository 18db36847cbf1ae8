#include "mailhooks/message_list.hpp"

#include "host/mail.hpp"
#include "host/mail_names.hpp"
#include "mailhooks/band_colours.hpp"
#include "mailhooks/band_geometry.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/gradient_view.hpp"
#include "mailhooks/message_matching.hpp"
#include "mailhooks/tags.hpp"

#include <string>

namespace tintbox::mailhooks {
namespace {

using settings::SettingsSnapshot;

id (*hostInitWithStyle)(id, SEL, NSInteger, std::string) = nullptr;
void (*hostLayoutSubviews)(id, SEL) = nullptr;
void (*hostSetMessage)(id, SEL, id, bool) = nullptr;

// One band of a row and the settings that shape it.
struct ListBand {
    NSInteger tag{0};
    std::int32_t type{0};
    std::int32_t width{0};
    std::int32_t heightFactor{0};
    float opacity{0};
    bool clipsToBounds{false};
};

ListBand accountBand(const SettingsSnapshot& s) {
    return {tags::kListAccountBand, s.highlightListType, s.listWidthType,
            s.listHeightType,       s.listAlphaLevel,    false};
}

ListBand filterBand(const SettingsSnapshot& s) {
    return {tags::kListFilterBand,   s.highlightListTypeFilters, s.listWidthTypeFilters,
            s.listHeightTypeFilters, s.listAlphaLevelFilters,    true};
}

bool highlighting(const SettingsSnapshot& s) {
    return s.enabled && (s.highlightListType != 0 || s.highlightListTypeFilters != 0);
}

// Adds the band unless the content view has it already; true when it was added.
bool createBand(UIView& content, const ListBand& band, CGSize cell) {
    if (content.viewWithTag(band.tag))
        return false;
    const BandPlacement placement = listBandAtCreation(band.width, band.heightFactor, cell);
    auto view = UIView::withFrame<GradientView>(placement.frame);
    view->setAutoresizingMask(placement.autoresizingMask);
    view->setAlpha(band.opacity);
    view->setTag(band.tag);
    view->layer()->setMasksToBounds(band.clipsToBounds);
    content.addSubview(view.get());
    return true;
}

void hideBand(UIView* cell, NSInteger tag) {
    if (UIView* band = cell ? cell->viewWithTag(tag) : nullptr)
        band->setAlpha(0);
}

// The band that a non-zero type colours, given its opacity; a zero type hides any band it finds
// in the cell and gives none.
GradientView* activeBand(UIView* cell, UIView* content, const ListBand& band) {
    if (band.type == 0) {
        hideBand(cell, band.tag);
        return nullptr;
    }
    GradientView* view = gradientBandWithTag(content, band.tag);
    if (view)
        view->setAlpha(band.opacity);
    return view;
}

id initWithStyle(id self, SEL cmd, NSInteger style, std::string reuseIdentifier) {
    id cell = hostInitWithStyle(self, cmd, style, std::move(reuseIdentifier));
    const SettingsSnapshot& s = extensionState().snapshot;
    if (!highlighting(s))
        return cell;
    UIView* content = host::contentView(cell);
    if (!content)
        return cell;
    const CGSize size = host::frame(cell).size;
    createBand(*content, accountBand(s), size);
    createBand(*content, filterBand(s), size);
    return cell;
}

void layoutSubviews(id self, SEL cmd) {
    hostLayoutSubviews(self, cmd);
    const SettingsSnapshot& s = extensionState().snapshot;
    if (!s.enabled)
        return;
    UIView* content = host::contentView(self);
    if (!content)
        return;
    const CGSize size = host::frame(self).size;
    for (const ListBand& band : {accountBand(s), filterBand(s)})
        if (UIView* view = content->viewWithTag(band.tag))
            view->setFrame(listBandAtLayout(band.type, band.width, size));
}

void setMessage(id self, SEL cmd, id message, bool threaded) {
    hostSetMessage(self, cmd, message, threaded);
    const SettingsSnapshot& s = extensionState().snapshot;
    auto* cell = dynamic_cast<UIView*>(self);
    if (!highlighting(s)) {
        // Reused cells must not keep the colours of the time highlighting was on.
        hideBand(cell, tags::kListAccountBand);
        hideBand(cell, tags::kListFilterBand);
        return;
    }
    UIView* content = host::contentView(self);
    const ListBand account = accountBand(s);
    const ListBand filter = filterBand(s);
    // A cell made while highlighting was off has no bands: it gets them now, so that turning
    // highlighting on colours rows that are already on screen.
    if (content) {
        const CGSize size = host::frame(self).size;
        const bool added = createBand(*content, account, size);
        if (createBand(*content, filter, size) || added)
            if (cell)
                cell->setNeedsLayout();
    }
    GradientView* accountView = activeBand(cell, content, account);
    if (account.type != 0 && !accountView)
        return;
    GradientView* filterView = activeBand(cell, content, filter);
    if (filter.type != 0 && !filterView)
        return;

    // The narrower band lies on top; on a tie the account band does.
    GradientView* front = s.listWidthType > s.listWidthTypeFilters ? filterView : accountView;
    if (front)
        content->bringSubviewToFront(front);

    engine::MatchResult match;
    if (filter.type != 0)
        match = matchMessage(message);

    if (filterView)
        showGradient(*filterView,
                     match.anyMatched() ? stripeGradient(match.colours) : clearGradient());

    if (accountView) {
        quartz::Color colour = quartz::Color::clear();
        if (!(match.anyMatched() && !s.newLayerListFilters))
            if (auto name = host::accountDisplayName(message))
                colour = accountColour(s.settings, *name).value_or(colour);
        showColours(*accountView, solidColours(colour));
    }
}

SEL selector(std::string_view name) {
    return sel_registerName(name);
}

} // namespace

void installMessageListHooks(Class cell) {
    MSHookMessageEx(cell, selector(host::sel::kLayoutSubviews), &layoutSubviews,
                    &hostLayoutSubviews);
    MSHookMessageEx(cell, selector(host::sel::kInitWithStyleReuseIdentifier), &initWithStyle,
                    &hostInitWithStyle);
    MSHookMessageEx(cell, selector(host::sel::kSetMessageThreaded), &setMessage, &hostSetMessage);
}

} // namespace tintbox::mailhooks
