// dvrgen: writes a generated recording pair from the command line.
#include <cstdio>

#include "tools/dvrgen/DvrgenArguments.h"
#include "tools/recgen/RecordingWriter.h"

int main(int argc, char** argv) {
    DvrgenArguments arguments;
    std::string error;
    if (!ParseDvrgenArguments({argv + 1, argv + argc}, &arguments, &error)) {
        std::fprintf(stderr, "dvrgen: %s (see --help)\n", error.c_str());
        return 2;
    }
    if (arguments.help) {
        std::fputs(DvrgenUsage(), stdout);
        return 0;
    }
    if (!recgen::WriteRecording(arguments.spec, arguments.dvrPath, arguments.inxPath, &error)) {
        std::fprintf(stderr, "dvrgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
