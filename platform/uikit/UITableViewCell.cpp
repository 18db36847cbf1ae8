#include "platform/uikit/UITableViewCell.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIImage.hpp"

#include <algorithm>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UITableViewCell::registerRuntimeClass();

constexpr CGFloat kMargin = 15;
constexpr CGFloat kEditingIndent = 38;
constexpr CGFloat kReorderWidth = 38;
constexpr CGFloat kAccessoryMarkWidth = 20;
constexpr CGFloat kValue2TitleWidth = 67;

objc::Ref<UILabel> plainLabel(double pointSize) {
    auto label = objc::make<UILabel>();
    label->setFont(UIFont::systemFontOfSize(pointSize).get());
    label->setUserInteractionEnabled(false);
    return label;
}

objc::Ref<UIColor> detailGrey() {
    return UIColor::colorWithWhite(0.56, 1);
}

objc::Ref<UIColor> tint() {
    return UIColor::colorWithRed(0, 0.478, 1, 1);
}
} // namespace

Class UITableViewCell::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    UILabel::registerRuntimeClass();
    UIImageView::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UITableViewCell, UIView>("UITableViewCell")
            .method<&UITableViewCell::initWithStyle>("initWithStyle:reuseIdentifier:")
            .method<&UITableViewCell::style>("style")
            .method<&UITableViewCell::reuseIdentifier>("reuseIdentifier")
            .method<&UITableViewCell::contentView>("contentView")
            .method<&UITableViewCell::textLabel>("textLabel")
            .method<&UITableViewCell::detailTextLabel>("detailTextLabel")
            .method<&UITableViewCell::imageView>("imageView")
            .method<&UITableViewCell::accessoryType>("accessoryType")
            .method<&UITableViewCell::setAccessoryType>("setAccessoryType:")
            .method<&UITableViewCell::accessoryView>("accessoryView")
            .method<&UITableViewCell::setAccessoryView>("setAccessoryView:")
            .method<&UITableViewCell::selectionStyle>("selectionStyle")
            .method<&UITableViewCell::setSelectionStyle>("setSelectionStyle:")
            .method<&UITableViewCell::isSelected>("isSelected")
            .method<&UITableViewCell::setSelected>("setSelected:")
            .method<&UITableViewCell::setSelectedAnimated>("setSelected:animated:")
            .method<&UITableViewCell::isHighlighted>("isHighlighted")
            .method<&UITableViewCell::setHighlighted>("setHighlighted:")
            .method<&UITableViewCell::isEditing>("isEditing")
            .method<&UITableViewCell::setEditing>("setEditing:")
            .method<&UITableViewCell::setEditingAnimated>("setEditing:animated:")
            .method<&UITableViewCell::showsReorderControl>("showsReorderControl")
            .method<&UITableViewCell::setShowsReorderControl>("setShowsReorderControl:")
            .method<&UITableViewCell::shouldIndentWhileEditing>("shouldIndentWhileEditing")
            .method<&UITableViewCell::setShouldIndentWhileEditing>("setShouldIndentWhileEditing:")
            .method<&UITableViewCell::editingStyle>("editingStyle")
            .method<&UITableViewCell::prepareForReuse>("prepareForReuse")
            .method<&UITableViewCell::layoutSubviews>("layoutSubviews");
    return cls;
}

SEL UITableViewCell::initWithStyleSelector() {
    static const SEL sel = sel_registerName("initWithStyle:reuseIdentifier:");
    return sel;
}

UITableViewCell::UITableViewCell() {
    setBackgroundColor(UIColor::whiteColor().get());
    m_selectedBackground = objc::make<UIView>();
    m_selectedBackground->setBackgroundColor(UIColor::colorWithWhite(0.85, 1).get());
    m_selectedBackground->setHidden(true);
    m_selectedBackground->setUserInteractionEnabled(false);
    addSubview(m_selectedBackground.get());
    m_contentView = objc::make<UIView>();
    addSubview(m_contentView.get());
    m_imageView = objc::make<UIImageView>();
    m_imageView->setHidden(true);
    m_contentView->addSubview(m_imageView.get());
    m_textLabel = plainLabel(17);
    m_contentView->addSubview(m_textLabel.get());
}

UITableViewCell* UITableViewCell::initWithStyle(UITableViewCellStyle style,
                                                std::string reuseIdentifier) {
    m_style = style;
    m_reuseIdentifier = std::move(reuseIdentifier);
    if (m_detailTextLabel)
        m_detailTextLabel->removeFromSuperview();
    m_detailTextLabel = nullptr;
    switch (style) {
    case UITableViewCellStyleSubtitle:
        m_textLabel->setFont(UIFont::systemFontOfSize(16).get());
        m_detailTextLabel = plainLabel(12);
        break;
    case UITableViewCellStyleValue1:
        m_detailTextLabel = plainLabel(17);
        m_detailTextLabel->setTextColor(detailGrey().get());
        m_detailTextLabel->setTextAlignment(NSTextAlignmentRight);
        break;
    case UITableViewCellStyleValue2:
        m_textLabel->setFont(UIFont::boldSystemFontOfSize(12).get());
        m_textLabel->setTextColor(tint().get());
        m_textLabel->setTextAlignment(NSTextAlignmentRight);
        m_detailTextLabel = plainLabel(14);
        break;
    default:
        break;
    }
    if (m_detailTextLabel)
        m_contentView->addSubview(m_detailTextLabel.get());
    objc::msgSend<UIView*(CGRect)>(this, initWithFrameSelector(), CGRectMake(0, 0, 320, 44));
    return this;
}

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) {
    m_accessoryType = type;
    rebuildAccessoryMark();
}

void UITableViewCell::setAccessoryView(UIView* view) {
    if (m_accessoryView)
        m_accessoryView->removeFromSuperview();
    m_accessoryView = view;
    if (m_accessoryView)
        addSubview(m_accessoryView.get());
    rebuildAccessoryMark();
}

void UITableViewCell::rebuildAccessoryMark() {
    if (m_accessoryMark)
        m_accessoryMark->removeFromSuperview();
    m_accessoryMark = nullptr;
    if (m_accessoryView || m_accessoryType == UITableViewCellAccessoryNone) {
        setNeedsLayout();
        return;
    }
    m_accessoryMark = plainLabel(17);
    m_accessoryMark->setTextAlignment(NSTextAlignmentCenter);
    switch (m_accessoryType) {
    case UITableViewCellAccessoryCheckmark:
        m_accessoryMark->setText("\u2713");
        m_accessoryMark->setTextColor(tint().get());
        break;
    case UITableViewCellAccessoryDetailDisclosureButton:
        // An "i" in a ring, as the platform's detail button.
        m_accessoryMark->setText("i");
        m_accessoryMark->setTextColor(tint().get());
        m_accessoryMark->layer()->setBorderWidth(1);
        m_accessoryMark->layer()->setBorderColor(tint()->CGColor());
        m_accessoryMark->layer()->setCornerRadius(kAccessoryMarkWidth / 2);
        break;
    default:
        m_accessoryMark->setText("\u203A");
        m_accessoryMark->setTextColor(UIColor::colorWithWhite(0.78, 1).get());
        break;
    }
    addSubview(m_accessoryMark.get());
    setNeedsLayout();
}

void UITableViewCell::setSelected(bool selected) {
    m_selected = selected;
    showSelection();
}

void UITableViewCell::setSelectedAnimated(bool selected, bool) {
    objc::msgSend<void(bool)>(this, sel_registerName("setSelected:"), selected);
}

void UITableViewCell::setHighlighted(bool highlighted) {
    m_highlighted = highlighted;
    showSelection();
}

void UITableViewCell::showSelection() {
    m_selectedBackground->setHidden(!(m_selected || m_highlighted) ||
                                    m_selectionStyle == UITableViewCellSelectionStyleNone);
}

void UITableViewCell::setEditing(bool editing) {
    m_editing = editing;
    setNeedsLayout();
}

void UITableViewCell::setEditingAnimated(bool editing, bool) {
    objc::msgSend<void(bool)>(this, sel_registerName("setEditing:"), editing);
}

void UITableViewCell::setShowsReorderControl(bool shows) {
    m_showsReorderControl = shows;
    setNeedsLayout();
}

void UITableViewCell::setShouldIndentWhileEditing(bool indent) {
    m_shouldIndentWhileEditing = indent;
    setNeedsLayout();
}

void UITableViewCell::setEditingStyle(UITableViewCellEditingStyle style) {
    m_editingStyle = style;
    setNeedsLayout();
}

void UITableViewCell::prepareForReuse() {
    m_selected = false;
    m_highlighted = false;
    showSelection();
}

void UITableViewCell::layoutSubviews() {
    const CGRect area = bounds();
    m_selectedBackground->setFrame(area);
    CGFloat left = area.minX();
    CGFloat right = area.maxX();

    const bool showsEditingControl = m_editing && m_editingStyle != UITableViewCellEditingStyleNone;
    if (showsEditingControl && !m_editingControl) {
        m_editingControl = plainLabel(20);
        m_editingControl->setTextAlignment(NSTextAlignmentCenter);
        addSubview(m_editingControl.get());
    }
    if (m_editingControl) {
        m_editingControl->setHidden(!showsEditingControl);
        const bool insert = m_editingStyle == UITableViewCellEditingStyleInsert;
        m_editingControl->setText(insert ? "\u2295" : "\u2296");
        m_editingControl->setTextColor(insert ? UIColor::colorWithRed(0.3, 0.85, 0.39, 1).get()
                                              : UIColor::colorWithRed(1, 0.23, 0.19, 1).get());
        m_editingControl->setFrame(CGRectMake(left, area.minY(), kEditingIndent, area.height()));
    }
    if (m_editing && m_shouldIndentWhileEditing && showsEditingControl)
        left += kEditingIndent;

    const bool showsReorder = m_editing && m_showsReorderControl;
    if (showsReorder && !m_reorderControl) {
        m_reorderControl = plainLabel(20);
        m_reorderControl->setText("\u2261");
        m_reorderControl->setTextAlignment(NSTextAlignmentCenter);
        m_reorderControl->setTextColor(UIColor::colorWithWhite(0.6, 1).get());
        addSubview(m_reorderControl.get());
    }
    if (m_reorderControl) {
        m_reorderControl->setHidden(!showsReorder);
        m_reorderControl->setFrame(
            CGRectMake(right - kReorderWidth, area.minY(), kReorderWidth, area.height()));
    }
    if (showsReorder)
        right -= kReorderWidth;

    // The accessory gives way to the editing controls, as on the platform.
    UIView* accessory = m_accessoryView ? m_accessoryView.get() : m_accessoryMark.get();
    if (accessory) {
        accessory->setHidden(m_editing);
        if (!m_editing) {
            CGSize size = accessory->frame().size;
            if (accessory == m_accessoryMark.get())
                size = {kAccessoryMarkWidth,
                        m_accessoryType == UITableViewCellAccessoryDetailDisclosureButton
                            ? kAccessoryMarkWidth
                            : area.height()};
            accessory->setFrame(CGRectMake(right - kMargin - size.width,
                                           area.minY() + (area.height() - size.height) / 2,
                                           size.width, size.height));
            right -= kMargin + size.width;
        }
    }

    m_contentView->setFrame(
        CGRectMake(left, area.minY(), std::max<CGFloat>(right - left, 0), area.height()));

    const CGFloat width = m_contentView->bounds().width();
    const CGFloat height = area.height();
    CGFloat x = kMargin;
    UIImage* image = m_imageView->image();
    m_imageView->setHidden(!image);
    if (image) {
        const CGSize size = image->size();
        m_imageView->setFrame(
            CGRectMake(kMargin, (height - size.height) / 2, size.width, size.height));
        x += size.width + kMargin;
    }
    const CGFloat textWidth = std::max<CGFloat>(width - kMargin - x, 0);
    const bool hasDetail = m_detailTextLabel && !m_detailTextLabel->text().empty();
    switch (m_style) {
    case UITableViewCellStyleSubtitle:
        if (hasDetail) {
            m_textLabel->setFrame(CGRectMake(x, height * 0.1, textWidth, height * 0.45));
            m_detailTextLabel->setFrame(CGRectMake(x, height * 0.55, textWidth, height * 0.35));
            return;
        }
        break;
    case UITableViewCellStyleValue1:
        m_textLabel->setFrame(CGRectMake(x, 0, textWidth * 0.6, height));
        m_detailTextLabel->setFrame(CGRectMake(x + textWidth * 0.6, 0, textWidth * 0.4, height));
        return;
    case UITableViewCellStyleValue2: {
        m_textLabel->setFrame(CGRectMake(kMargin, 0, kValue2TitleWidth, height));
        const CGFloat detailX = kMargin + kValue2TitleWidth + 6;
        m_detailTextLabel->setFrame(
            CGRectMake(detailX, 0, std::max<CGFloat>(width - kMargin - detailX, 0), height));
        return;
    }
    default:
        break;
    }
    m_textLabel->setFrame(CGRectMake(x, 0, textWidth, height));
    if (m_detailTextLabel)
        m_detailTextLabel->setFrame(CGRectMake(x, height, textWidth, 0));
}
