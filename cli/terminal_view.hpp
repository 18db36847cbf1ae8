// The Mail screens as text for a terminal: the bands the mail extension added (found by their
// view tags, their gradient colours or background colour and their opacity, blended on white)
// drawn as 24-bit colour blocks beside each row, with the row's text. Without colour the rows
// are plain text in the same columns, and the colours are left to --json.
//   TerminalView view(std::cout, TerminalView::colourWanted(STDOUT_FILENO));
//   view.printMessageList(*screen.controller);
#pragma once

#include "platform/quartz/color.hpp"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class UIView;
class UINavigationBar;
class MailboxContentViewController;
class MailboxListViewControllerMail;
class MailboxPickerController;
class MessageContentLayer;

namespace tintbox::cli {

struct Rgb {
    std::uint8_t red{255};
    std::uint8_t green{255};
    std::uint8_t blue{255};
    bool operator==(const Rgb&) const = default;
};

// What a band shows on a white row: its stripes from top to bottom (one colour for a solid
// band), each blended on white by its alpha and the view's opacity. Empty for a missing,
// hidden or fully transparent band.
// A band's distinct colours, top to bottom; none for a band that is missing, hidden or clear.
std::vector<quartz::Color> bandColours(const UIView* band);
std::vector<Rgb> bandStripes(const UIView* band);
std::string hexOf(Rgb colour);

class TerminalView {
public:
    TerminalView(std::ostream& out, bool colour, int columns = 100)
        : m_out(out), m_colour(colour), m_columns(columns) {}

    // True when `fd` is a terminal, TERM is not "dumb" and NO_COLOR is not set.
    static bool colourWanted(int fd);
    // The terminal's width in columns, or 100 when it is not a terminal.
    static int columnsOf(int fd);

    bool colourful() const { return m_colour; }

    void printMessageList(const std::string& title, MailboxContentViewController& list);
    void printMailboxList(MailboxPickerController& picker);
    void printFolderList(MailboxListViewControllerMail& folders, UINavigationBar* bar);
    void printMessage(MessageContentLayer& content);

private:
    std::string bands(const std::vector<std::vector<Rgb>>& bands) const;
    std::string styled(const std::string& text, const char* attributes) const;
    std::string fitted(const std::string& text, int columns) const;

    std::ostream& m_out;
    bool m_colour{false};
    int m_columns{100};
};

} // namespace tintbox::cli
