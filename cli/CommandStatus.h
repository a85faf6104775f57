#pragma once
// How a pelmarectl command ends: its exit status, and the one way it tells the user why it failed
// (a line "pelmarectl: <message>" on stderr).
// Thread contract: pure helpers; any thread.

#include <cstdio>
#include <string_view>

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Prints the message and returns `status`, so a command can `return Fail("...")`.
inline int Fail(std::string_view message, int status = kExitFailure)
{
    std::fprintf(stderr, "pelmarectl: %.*s\n", static_cast<int>(message.size()), message.data());
    return status;
}

// `status`, unless what was printed on stdout never arrived (a full disk, a closed pipe): that is a
// failure the caller must see.
inline int FinishOutput(int status)
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return Fail("cannot write the output");
    }
    return status;
}
