// Started by the process tests: writes each argument after the first (the
// output path) on a line of its own, then the working directory, and exits
// with the number of arguments it wrote.
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2)
        return 100;
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr)
        return 101;
    for (int i = 2; i < argc; ++i)
        std::fprintf(out, "%s\n", argv[i]);
    char cwd[4096] = {};
    std::fprintf(out, "cwd=%s\n", getcwd(cwd, sizeof cwd) != nullptr ? cwd : "?");
    std::fclose(out);
    return argc - 2;
}
