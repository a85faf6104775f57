#pragma once
// The diagnostic log: one UTF-8 text file per start, named Quarnel_YYYYMMDD_hhmmss.log after the local
// time of opening, in the "log" folder of the user data folder; one line per event, prefixed with
// "[MM-DD hh:mm:ss.mmm][Level]". Opening keeps the newest kKeptFiles logs and removes older ones.
// Thread contract: any thread; each line is formatted and written under one lock, so lines never interleave.

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>

class LogFile {
public:
    enum Level { kTrace = 0, kDebug = 1, kInfo = 2, kWarn = 3, kError = 4, kFatal = 5 };
    // Lines below this level are not written.
    static constexpr int kThreshold = kInfo;
    // The longest line, prefix included and line end excluded, in bytes.
    static constexpr std::size_t kMaxLineBytes = 255;
    static constexpr std::size_t kKeptFiles = 20;

    // The log every part of the program writes to (LogWrite).
    static LogFile& Process();

    // Creates the folder when needed, opens (or appends to) this second's file and prunes old logs.
    // False when the file cannot be opened; the log then stays closed and writes go nowhere.
    bool Open(const std::filesystem::path& folder);
    void Close();
    bool IsOpen() const;
    std::filesystem::path FilePath() const;

    // printf-style; a message too long for the line is cut at a character boundary.
    void Write(int level, const char* format, ...) __attribute__((format(printf, 3, 4)));
    void WriteV(int level, const char* format, va_list arguments);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    mutable std::mutex lock_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::filesystem::path path_;
};

// The process log's operations, for callers that have no LogFile at hand.
bool LogOpen(const std::filesystem::path& folder);
void LogWrite(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));
void LogClose();
