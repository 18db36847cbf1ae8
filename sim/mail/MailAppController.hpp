// MailAppController: the Mail app's application delegate, as the host names it. The app sends
// it application:didFinishLaunchingWithOptions: through the runtime once at launch; it opens
// the accounts of the device root (MailStore::shared()).
#pragma once

#include "platform/objc/objc.hpp"

class MailAppController : public NSObject {
public:
    static Class registerRuntimeClass();

    bool applicationDidFinishLaunching(id application, id launchOptions);
    bool didFinishLaunching() const { return m_launched; }

private:
    bool m_launched{false};
};
