// Process entry of the Pelmaro window program.
#include "vinto/core/Version.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("pelmaro %s (vinto %s)\n", PELMARO_VERSION, Vinto::Version());
            return 0;
        }
    }
    std::printf("pelmaro %s: the main window is not built yet.\n", PELMARO_VERSION);
    return 0;
}
