#include "cli/terminal_view.hpp"

#include "cli/display_width.hpp"
#include "cli/table_walk.hpp"
#include "cli/terminal_text.hpp"
#include "mailhooks/tags.hpp"
#include "platform/quartz/CAGradientLayer.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewCell.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MailboxListViewControllerMail.hpp"
#include "sim/mail/MailboxPickerController.hpp"
#include "sim/mail/MailboxTableCell.hpp"
#include "sim/mail/MessageContentLayer.hpp"
#include "sim/mail/message_display.hpp"
#include "sim/mail/text_snippet.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tintbox::cli {
namespace {

namespace tags = tintbox::mailhooks::tags;
namespace mail = tintbox::sim::mail;

constexpr const char* kBold = "1";
constexpr const char* kDim = "2";
constexpr const char* kReset = "\x1b[0m";
constexpr int kAccountBandWidth = 2;
constexpr int kFilterBandWidth = 5;

std::uint8_t blendOnWhite(double channel, double alpha) {
    const double value = (1.0 - alpha) * 255.0 + alpha * std::clamp(channel, 0.0, 1.0) * 255.0;
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

Rgb blended(const quartz::Color& colour, double opacity) {
    const double alpha = std::clamp(colour.alpha * opacity, 0.0, 1.0);
    return {blendOnWhite(colour.red, alpha), blendOnWhite(colour.green, alpha),
            blendOnWhite(colour.blue, alpha)};
}

std::string foreground(Rgb colour) {
    return "\x1b[38;2;" + std::to_string(colour.red) + ';' + std::to_string(colour.green) + ';' +
           std::to_string(colour.blue) + 'm';
}

std::string background(Rgb colour) {
    return "\x1b[48;2;" + std::to_string(colour.red) + ';' + std::to_string(colour.green) + ';' +
           std::to_string(colour.blue) + 'm';
}

// The row's cell, the table scrolled to it when it is out of view.
UITableViewCell* rowCell(UITableView* table, NSInteger section, NSInteger row) {
    auto path = NSIndexPath::indexPathForRow(row, section);
    return table && bringRowIntoView(*table, path.get(), CellReading::Contents)
               ? table->cellForRowAtIndexPath(path.get())
               : nullptr;
}

std::string padded(std::string text, std::size_t width) {
    return padToWidth(std::move(text), width);
}

} // namespace

std::vector<quartz::Color> bandColours(const UIView* band) {
    if (!band || band->isHidden() || band->alpha() <= 0)
        return {};
    std::vector<quartz::Color> colours;
    if (auto* gradient = dynamic_cast<const CAGradientLayer*>(band->layer());
        gradient && !gradient->colors().empty()) {
        for (const auto& colour : gradient->colors())
            if (colours.empty() || !(colours.back() == colour))
                colours.push_back(colour);
    } else if (UIColor* colour = band->backgroundColor()) {
        colours.push_back(colour->CGColor());
    }
    return colours;
}

std::vector<Rgb> bandStripes(const UIView* band) {
    const std::vector<quartz::Color> colours = bandColours(band);
    std::vector<Rgb> stripes;
    for (const auto& colour : colours)
        if (colour.alpha * band->alpha() > 0)
            stripes.push_back(blended(colour, band->alpha()));
    return stripes;
}

std::string hexOf(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red, colour.green, colour.blue);
    return text;
}

bool TerminalView::colourWanted(int fd) {
    const char* noColour = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
    return ::isatty(fd) && !(noColour && *noColour) && !(term && std::string_view(term) == "dumb");
}

int TerminalView::columnsOf(int fd) {
    winsize size{};
    if (::isatty(fd) && ::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 20)
        return size.ws_col;
    return 100;
}

std::string TerminalView::styled(const std::string& text, const char* attributes) const {
    if (!m_colour || text.empty())
        return text;
    return std::string("\x1b[") + attributes + 'm' + text + kReset;
}

std::string TerminalView::fitted(const std::string& text, int columns) const {
    if (columns <= 0)
        return {};
    return fitToWidth(text, static_cast<std::size_t>(columns));
}

// Colour: each band a block of its width, its stripes side by side. Plain: the hex colours.
std::string TerminalView::bands(const std::vector<std::vector<Rgb>>& shown) const {
    std::string text;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto& stripes = shown[i];
        const int width = i == 0 ? kAccountBandWidth : kFilterBandWidth;
        // Plain text keeps its columns; the colours are in --json.
        if (!m_colour)
            continue;
        int used = 0;
        for (std::size_t s = 0; s < stripes.size(); ++s) {
            const int blocks = std::max(1, width / static_cast<int>(stripes.size()));
            text += foreground(stripes[s]);
            for (int b = 0; b < blocks && used < width; ++b, ++used)
                text += "\u2588";
        }
        text += kReset;
        text.append(static_cast<std::size_t>(std::max(0, width - used)) + 1, ' ');
    }
    return text;
}

void TerminalView::printMessageList(const std::string& title, MailboxContentViewController& list) {
    UITableView* table = list.tableView();
    const NSInteger rows = table ? table->numberOfRowsInSection(0) : 0;
    m_out << styled(terminalLine(title), kBold) << " \u2014 " << rows
          << (rows == 1 ? " message" : " messages") << '\n';
    if (!table)
        return;
    // Row by row as the table fills them while it scrolls; each line is written at once.
    forEachRowByScrolling(
        *table, 0,
        [&](NSInteger, UITableViewCell& rowCell) {
            auto* cell = dynamic_cast<MailboxContentViewCell*>(&rowCell);
            if (!cell)
                return;
            UIView* content = cell->contentView();
            // Plain text shows no bands: their colours are not even read.
            const std::string prefix =
                m_colour ? bands({bandStripes(content->viewWithTag(tags::kListAccountBand)),
                                  bandStripes(content->viewWithTag(tags::kListFilterBand))})
                         : std::string();
            const auto& shown = cell->shown();
            const std::string date = cell->shownDate();
            const std::string dot =
                shown.read
                    ? " "
                    : (m_colour ? "\x1b[38;2;0;122;255m\u25CF" + std::string(kReset) : "\u25CF");
            const std::string flag =
                shown.flagged
                    ? (m_colour ? "\x1b[38;2;255;148;0m\u2691" + std::string(kReset) : "\u2691")
                    : " ";
            const int textColumns = std::max(
                20, m_columns - (m_colour ? kAccountBandWidth + kFilterBandWidth + 2 : 0) - 4);
            // The identifier is what mail open, mark-move and remind take.
            auto* message = dynamic_cast<MailMessage*>(cell->message());
            const std::string identifier =
                terminalLine(message ? message->messageIdentifier() : std::string());
            const int senderColumns =
                std::max(8, textColumns - static_cast<int>(date.size() + identifier.size()) - 5);
            m_out << prefix << dot << ' '
                  << styled(padded(fitted(terminalLine(shown.sender), senderColumns),
                                   static_cast<std::size_t>(senderColumns)),
                            kBold)
                  << ' ' << flag << ' ' << date << "  " << styled(identifier, kDim) << '\n';
            const std::string snippet = terminalLine(mail::readPreviewText(cell->message(), 200));
            const std::string subject = fitted(
                shown.subject.empty() ? "(no subject)" : terminalLine(shown.subject), textColumns);
            const int rest = textColumns - static_cast<int>(displayWidth(subject)) - 3;
            m_out << prefix << "  " << subject;
            if (rest > 4 && !snippet.empty())
                m_out << styled(" \u2014 " + fitted(snippet, rest), kDim);
            m_out << '\n';
        },
        CellReading::Contents);
}

void TerminalView::printMailboxList(MailboxPickerController& picker) {
    UITableView* table = picker.tableView();
    m_out << styled("Mailboxes", kBold) << '\n';
    const auto& sections = picker.sections();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        if (!sections[s].header.empty())
            m_out << styled(terminalLine(sections[s].header), kBold) << '\n';
        for (std::size_t r = 0; r < sections[s].rows.size(); ++r) {
            const auto& row = sections[s].rows[r];
            UITableViewCell* cell =
                rowCell(table, static_cast<NSInteger>(s), static_cast<NSInteger>(r));
            const auto stripes =
                bandStripes(cell ? cell->contentView()->viewWithTag(tags::kMailboxBand) : nullptr);
            std::string line = bands({stripes}) + padded(terminalLine(row.title), 28);
            if (!row.subtitle.empty())
                line += styled(padded(terminalLine(row.subtitle), 16), kDim);
            else
                line += std::string(16, ' ');
            if (row.unreadCount > 0)
                line += ' ' + std::to_string(row.unreadCount);
            m_out << line << '\n';
        }
    }
}

void TerminalView::printFolderList(MailboxListViewControllerMail& folders, UINavigationBar* bar) {
    std::vector<Rgb> tint;
    if (UIImage* image = bar ? bar->backgroundImageForBarMetrics(0) : nullptr;
        image && image->CGImage()) {
        const quartz::Pixel pixel = image->CGImage()->pixelAt(0, 0);
        tint.push_back(blended(
            {pixel.red / 255.0, pixel.green / 255.0, pixel.blue / 255.0, pixel.alpha / 255.0},
            1.0));
    }
    const std::string title = terminalLine(folders.title());
    if (m_colour && !tint.empty())
        m_out << background(tint.front()) << "\x1b[1m " << title << ' ' << kReset << '\n';
    else
        m_out << styled(title, kBold) << (tint.empty() ? "" : " [bar " + hexOf(tint.front()) + "]")
              << '\n';
    if (MailAccount* account = folders.account())
        for (const auto& mailbox : account->mailboxes()) {
            const NSInteger unread = mailbox->unreadCount();
            m_out << "  " << padded(terminalLine(mailbox->displayName()), 30)
                  << (unread > 0 ? std::to_string(unread) : "") << '\n';
        }
}

void TerminalView::printMessage(MessageContentLayer& content) {
    const auto lines = content.headerView()->lines();
    const std::string prefix = bands({bandStripes(content.viewWithTag(tags::kMessageAccountBand)),
                                      bandStripes(content.viewWithTag(tags::kMessageFilterBand))});
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const std::string line = terminalLine(lines[i]);
        if (i == 3)
            m_out << prefix << styled(line, kBold) << '\n';
        else
            m_out << (i == 4 ? styled(line, kDim) : line) << '\n';
    }
    m_out << std::string(static_cast<std::size_t>(std::min(m_columns, 60)), '-') << '\n';
    m_out << terminalBlock(content.bodyText()) << '\n';
    if (UILabel* attachments = content.attachmentsLabel(); attachments && !attachments->isHidden())
        m_out << '\n' << styled(terminalBlock(attachments->text()), kDim) << '\n';
}

} // namespace tintbox::cli
