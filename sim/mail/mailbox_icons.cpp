#include "sim/mail/mailbox_icons.hpp"

#include "platform/quartz/ui_graphics.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIImage.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>
#include <string>

namespace tintbox::sim::mail {
namespace {

constexpr CGSize kIconSize{22, 18};
constexpr double kIconScale = 1.0;

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

void fill(double x, double y, double width, double height) {
    UIRectFill(CGRectMake(x, y, width, height));
}

// Each shape in the tint on a clear ground, with white cut-outs where the shape is hollow.
void drawShape(MailboxKind kind) {
    const auto tint = UIColor::colorWithRed(0, 0.478, 1, 1);
    const auto white = UIColor::whiteColor();
    tint->setFill();
    switch (kind) {
    case MailboxKind::Inbox: // a tray with a darker front edge
        fill(0, 0, 22, 18);
        white->setFill();
        fill(2, 2, 18, 10);
        break;
    case MailboxKind::Sent: // an arrow leaving upwards, over a base line
        fill(10, 4, 2, 10);
        fill(8, 6, 6, 2);
        fill(6, 8, 2, 2);
        fill(14, 8, 2, 2);
        fill(9, 2, 4, 2);
        fill(2, 16, 18, 2);
        break;
    case MailboxKind::Drafts: // a page with lines of text
        fill(3, 0, 16, 18);
        white->setFill();
        fill(5, 2, 12, 14);
        tint->setFill();
        for (double y : {4.0, 8.0, 12.0})
            fill(7, y, 8, 2);
        break;
    case MailboxKind::Archive: // a box under a wider lid, with a handle
        fill(0, 0, 22, 5);
        fill(2, 6, 18, 12);
        white->setFill();
        fill(8, 9, 6, 2);
        break;
    case MailboxKind::Trash: // a bin with a lid and ribs
        fill(2, 1, 18, 2);
        fill(8, 0, 6, 1);
        fill(4, 4, 14, 14);
        white->setFill();
        for (double x : {7.0, 10.0, 13.0})
            fill(x, 6, 2, 10);
        break;
    case MailboxKind::Other: // a folder with a tab
        fill(0, 2, 9, 3);
        fill(0, 5, 22, 13);
        white->setFill();
        fill(2, 7, 18, 9);
        break;
    }
}

quartz::Image drawIcon(MailboxKind kind) {
    UIGraphicsBeginImageContextWithOptions(kIconSize, false, kIconScale);
    drawShape(kind);
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    if (!image)
        throw std::logic_error("a mailbox icon was drawn without an image context");
    return *image;
}

} // namespace

MailboxKind mailboxKindOfName(std::string_view name) {
    const auto slash = name.find_last_of("/.");
    const std::string last =
        lowered(slash == std::string_view::npos ? name : name.substr(slash + 1));
    const auto is = [&](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(), [&](const char* n) { return last == n; });
    };
    if (lowered(name) == "inbox" || last == "inbox" || last == "all inboxes")
        return MailboxKind::Inbox;
    if (is({"sent", "sent messages", "sent items", "sent mail"}))
        return MailboxKind::Sent;
    if (is({"drafts", "draft"}))
        return MailboxKind::Drafts;
    if (is({"archive", "archives", "all mail"}))
        return MailboxKind::Archive;
    if (is({"trash", "deleted", "deleted messages", "deleted items", "bin"}))
        return MailboxKind::Trash;
    return MailboxKind::Other;
}

objc::Ref<UIImage> mailboxIcon(MailboxKind kind) {
    // Made on first use, after the image classes are registered, and drawn only when shown: a
    // list for the terminal lays the icons out but never draws them. The process keeps them.
    static std::array<objc::Ref<UIImage>, 6> icons;
    auto& icon = icons[static_cast<std::size_t>(kind)];
    if (!icon)
        icon = UIImage::imageWithImage(quartz::Image::drawnWhenNeeded(
            kIconSize, kIconScale, [kind] { return drawIcon(kind); }));
    return icon;
}

} // namespace tintbox::sim::mail
