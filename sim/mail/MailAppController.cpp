#include "sim/mail/MailAppController.hpp"

#include "sim/mail/MailStore.hpp"

Class MailAppController::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<MailAppController>("MailAppController")
                                 .method<&MailAppController::applicationDidFinishLaunching>(
                                     "application:didFinishLaunchingWithOptions:");
    return cls;
}

bool MailAppController::applicationDidFinishLaunching(id, id) {
    tintbox::sim::mail::MailStore::shared();
    m_launched = true;
    return true;
}
