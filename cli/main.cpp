// Process entry of pelmarectl, the command-line companion of the Pelmaro window.
#include <cstdio>
#include <cstring>

namespace {

void PrintUsage(std::FILE* to)
{
    std::fprintf(to, "usage: pelmarectl [--virtual-mouse] [--trace] COMMAND ...\n"
                     "       pelmarectl --help | --version\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("pelmarectl %s\n", PELMARO_VERSION);
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    PrintUsage(stderr);
    return 2;
}
