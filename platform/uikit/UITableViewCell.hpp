// UITableViewCell: one row of a table. Its contentView (sized to the cell, less the editing
// indent, the accessory and the reorder control) holds the image view and the text and
// detail labels that its style lays out; accessory type or view, selection style, selected
// and editing states as the table sets them. initWithStyle:reuseIdentifier: and
// prepareForReuse are reached through the runtime, so a plug-in may replace them.
//   auto cell = UITableViewCell::withStyle(UITableViewCellStyleSubtitle, "Cell");
//   cell->textLabel()->setText("Work");
#pragma once

#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

#include <string>

using UITableViewCellStyle = NSInteger;
inline constexpr UITableViewCellStyle UITableViewCellStyleDefault = 0;
inline constexpr UITableViewCellStyle UITableViewCellStyleValue1 = 1;
inline constexpr UITableViewCellStyle UITableViewCellStyleValue2 = 2;
inline constexpr UITableViewCellStyle UITableViewCellStyleSubtitle = 3;

using UITableViewCellAccessoryType = NSInteger;
inline constexpr UITableViewCellAccessoryType UITableViewCellAccessoryNone = 0;
inline constexpr UITableViewCellAccessoryType UITableViewCellAccessoryDisclosureIndicator = 1;
inline constexpr UITableViewCellAccessoryType UITableViewCellAccessoryDetailDisclosureButton = 2;
inline constexpr UITableViewCellAccessoryType UITableViewCellAccessoryCheckmark = 3;

using UITableViewCellSelectionStyle = NSInteger;
inline constexpr UITableViewCellSelectionStyle UITableViewCellSelectionStyleNone = 0;
inline constexpr UITableViewCellSelectionStyle UITableViewCellSelectionStyleBlue = 1;
inline constexpr UITableViewCellSelectionStyle UITableViewCellSelectionStyleGray = 2;
inline constexpr UITableViewCellSelectionStyle UITableViewCellSelectionStyleDefault = 3;

using UITableViewCellEditingStyle = NSInteger;
inline constexpr UITableViewCellEditingStyle UITableViewCellEditingStyleNone = 0;
inline constexpr UITableViewCellEditingStyle UITableViewCellEditingStyleDelete = 1;
inline constexpr UITableViewCellEditingStyle UITableViewCellEditingStyleInsert = 2;

class UITableViewCell : public UIView {
public:
    static Class registerRuntimeClass();

    UITableViewCell();

    // A new cell of T through initWithStyle:reuseIdentifier: (sent through the runtime).
    template <class T = UITableViewCell>
    static objc::Ref<T> withStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) {
        auto cell = objc::make<T>();
        objc::msgSend<UITableViewCell*(NSInteger, std::string)>(cell, initWithStyleSelector(),
                                                                style, reuseIdentifier);
        return cell;
    }
    // Sets the style's labels up and the frame to the platform's 320 x 44; answers the
    // receiver.
    UITableViewCell* initWithStyle(UITableViewCellStyle style, std::string reuseIdentifier);
    static SEL initWithStyleSelector();

    UITableViewCellStyle style() const { return m_style; }
    std::string reuseIdentifier() const { return m_reuseIdentifier; }
    UIView* contentView() const { return m_contentView.get(); }
    UILabel* textLabel() const { return m_textLabel.get(); }
    // Null for the default style, which has no detail.
    UILabel* detailTextLabel() const { return m_detailTextLabel.get(); }
    UIImageView* imageView() const { return m_imageView.get(); }

    UITableViewCellAccessoryType accessoryType() const { return m_accessoryType; }
    void setAccessoryType(UITableViewCellAccessoryType type);
    // A custom accessory replaces the accessory type's mark.
    UIView* accessoryView() const { return m_accessoryView.get(); }
    void setAccessoryView(UIView* view);
    UITableViewCellSelectionStyle selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(UITableViewCellSelectionStyle style) { m_selectionStyle = style; }

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    void setSelectedAnimated(bool selected, bool animated);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    bool isEditing() const { return m_editing; }
    void setEditing(bool editing);
    void setEditingAnimated(bool editing, bool animated);
    bool showsReorderControl() const { return m_showsReorderControl; }
    void setShowsReorderControl(bool shows);
    bool shouldIndentWhileEditing() const { return m_shouldIndentWhileEditing; }
    void setShouldIndentWhileEditing(bool indent);
    UITableViewCellEditingStyle editingStyle() const { return m_editingStyle; }
    // Set by the table from its delegate; the cell shows the matching control when editing.
    void setEditingStyle(UITableViewCellEditingStyle style);

    // Clears the selection and the highlight; subclasses reset their own content here.
    void prepareForReuse();
    // Places the content view, the accessory, the reorder control and the style's labels.
    void layoutSubviews();

private:
    void showSelection();
    void rebuildAccessoryMark();

    UITableViewCellStyle m_style{UITableViewCellStyleDefault};
    std::string m_reuseIdentifier;
    objc::Ref<UIView> m_selectedBackground;
    objc::Ref<UIView> m_contentView;
    objc::Ref<UILabel> m_textLabel;
    objc::Ref<UILabel> m_detailTextLabel;
    objc::Ref<UIImageView> m_imageView;
    UITableViewCellAccessoryType m_accessoryType{UITableViewCellAccessoryNone};
    objc::Ref<UIView> m_accessoryView;
    objc::Ref<UILabel> m_accessoryMark;
    objc::Ref<UILabel> m_editingControl;
    objc::Ref<UILabel> m_reorderControl;
    UITableViewCellSelectionStyle m_selectionStyle{UITableViewCellSelectionStyleDefault};
    UITableViewCellEditingStyle m_editingStyle{UITableViewCellEditingStyleDelete};
    bool m_selected{false};
    bool m_highlighted{false};
    bool m_editing{false};
    bool m_showsReorderControl{false};
    bool m_shouldIndentWhileEditing{true};
};
