// EKCalendar: a list of reminders, kept as one folder of iCalendar files (one file per
// reminder, named after its identifier, and a `displayname` file holding the title: the
// layout that tools reading folders of .ics files understand).
#pragma once

#include "platform/objc/objc.hpp"

#include <filesystem>
#include <string>

class EKCalendar : public NSObject {
public:
    static Class registerRuntimeClass();

    EKCalendar() = default;
    EKCalendar(std::string title, std::filesystem::path folder)
        : m_title(std::move(title)), m_folder(std::move(folder)) {}

    std::string title() const { return m_title; }
    // The host folder that holds the calendar's files.
    const std::filesystem::path& folder() const { return m_folder; }

private:
    std::string m_title;
    std::filesystem::path m_folder;
};
