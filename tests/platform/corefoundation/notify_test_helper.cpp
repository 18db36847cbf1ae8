// A separate process for the notify centre's tests.
//   notify_test_helper post NAME [COUNT]   posts NAME COUNT times; exit 1 when refused
//   notify_test_helper version             prints kCFCoreFoundationVersionNumber
#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/corefoundation/version_number.hpp"

#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv) {
    using namespace corefoundation;
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "version" && argc == 2) {
        std::printf("%.2f\n", static_cast<double>(kCFCoreFoundationVersionNumber));
        return 0;
    }
    if (command == "post" && (argc == 3 || argc == 4)) {
        const int count = argc == 4 ? std::atoi(argv[3]) : 1;
        for (int i = 0; i < count; ++i)
            if (!DarwinNotifyCenter::shared().post(argv[2]))
                return 1;
        return 0;
    }
    std::fprintf(stderr, "usage: notify_test_helper post NAME [COUNT] | version\n");
    return 2;
}
