// UIApplication: the process's application object. Opening a URL records it (there is no
// other app to hand it to); tests and the command line read the list back.
//   UIApplication::sharedApplication()->openURL("x-apple-reminder://...");
#pragma once

#include "platform/objc/objc.hpp"

#include <string>
#include <utility>
#include <vector>

class UIApplication : public NSObject {
public:
    static Class registerRuntimeClass();
    static UIApplication* sharedApplication();

    // Records the URL and answers true; an empty URL is refused (false, not recorded).
    bool openURL(std::string url);
    bool canOpenURL(std::string url) const { return !url.empty(); }
    // Every URL opened so far, oldest first.
    const std::vector<std::string>& openedURLs() const { return m_openedURLs; }
    void clearOpenedURLs() { m_openedURLs.clear(); }

private:
    std::vector<std::string> m_openedURLs;
};
