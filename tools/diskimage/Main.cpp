// diskimage: writes a recorder disk or card image for scripts.
//   diskimage hdd IMAGE INDEXDIR GOPS
//   diskimage card IMAGE GOPS
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tools/diskimage/HddImage.h"
#include "tools/diskimage/SdImage.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: diskimage hdd IMAGE INDEXDIR GOPS | diskimage card IMAGE GOPS\n");
    return 2;
}

void Describe(const diskimage::Recording& r) {
    std::printf("%zu GOPs written, %zu live, ring %s\n", r.written.size(), r.live.size(),
                r.wrapped ? "wrapped" : "not wrapped");
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string kind = argc > 1 ? argv[1] : "";
        if (kind == "hdd" && argc == 5) {
            diskimage::HddImageOptions options;
            options.imagePath = argv[2];
            options.indexDir = argv[3];
            options.plan.count = std::atoi(argv[4]);
            Describe(diskimage::WriteHddImage(options));
            return 0;
        }
        if (kind == "card" && argc == 4) {
            diskimage::SdImageOptions options;
            options.imagePath = argv[2];
            options.plan.count = std::atoi(argv[3]);
            Describe(diskimage::WriteSdImage(options));
            return 0;
        }
        return Usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "diskimage: %s\n", e.what());
        return 1;
    }
}
