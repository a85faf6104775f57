#include "app/shell/LogFile.h"

#include <algorithm>
#include <cstring>
#include <cctype>
#include <chrono>
#include <ctime>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kLevelNames[] = {"Trace", "Debug", "Info ", "Warn ", "Error", "Fatal"};

struct LocalTime {
    std::tm fields{};
    int milliseconds = 0;
};

LocalTime Now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    LocalTime local;
    localtime_r(&seconds, &local.fields);
    local.milliseconds = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return local;
}

std::string FileNameAt(const std::tm& t)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s_%04d%02d%02d_%02d%02d%02d.log", "Quarnel", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return name;
}

// True for the names FileNameAt gives: Quarnel_YYYYMMDD_hhmmss.log.
bool IsLogName(const std::string& name)
{
    const std::string shape = "Quarnel_dddddddd_dddddd.log";
    if (name.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool match = shape[i] == 'd' ? std::isdigit(static_cast<unsigned char>(name[i])) != 0 : name[i] == shape[i];
        if (!match)
            return false;
    }
    return true;
}

// Removes all but the newest `keep` logs of the folder. The names carry the time of their start, so
// their order is their age; files with other names are left alone.
void PruneLogs(const fs::path& folder, std::size_t keep)
{
    std::vector<fs::path> logs;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && IsLogName(entry.path().filename().string()))
            logs.push_back(entry.path());
    }
    if (logs.size() <= keep)
        return;
    std::sort(logs.begin(), logs.end());
    for (std::size_t i = 0; i + keep < logs.size(); ++i)
        fs::remove(logs[i], error);
}

// Length of the longest prefix of text[0, length) that does not end inside a UTF-8 sequence.
std::size_t WholeCharacters(const char* text, std::size_t length)
{
    std::size_t start = length;
    while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0)
        return length;
    const auto lead = static_cast<unsigned char>(text[start - 1]);
    const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return length - (start - 1) >= needed ? length : start - 1;
}

} // namespace

LogFile& LogFile::Process()
{
    static LogFile log;
    return log;
}

bool LogFile::Open(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path path = folder / FileNameAt(Now().fields);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "ae"));
    if (!file) {
        std::fprintf(stderr, "Open log file failed!! %s\n", path.c_str());
        return false;
    }
    PruneLogs(folder, kKeptFiles);
    std::lock_guard guard(lock_);
    file_ = std::move(file);
    path_ = path;
    return true;
}

void LogFile::Close()
{
    std::lock_guard guard(lock_);
    file_.reset();
}

bool LogFile::IsOpen() const
{
    std::lock_guard guard(lock_);
    return file_ != nullptr;
}

fs::path LogFile::FilePath() const
{
    std::lock_guard guard(lock_);
    return path_;
}

void LogFile::Write(int level, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    WriteV(level, format, arguments);
    va_end(arguments);
}

void LogFile::WriteV(int level, const char* format, va_list arguments)
{
    if (level < kThreshold)
        return;
    std::lock_guard guard(lock_);
    if (!file_)
        return;
    const LocalTime now = Now();
    const char* name = kLevelNames[std::min(level, static_cast<int>(kFatal))];
    char line[kMaxLineBytes + 1] = {};
    const int prefix = std::snprintf(line, sizeof line, "[%02d-%02d %02d:%02d:%02d.%03d][%s]",
                                     now.fields.tm_mon + 1, now.fields.tm_mday, now.fields.tm_hour,
                                     now.fields.tm_min, now.fields.tm_sec, now.milliseconds, name);
    const std::size_t room = sizeof line - static_cast<std::size_t>(prefix);
    const int message = std::vsnprintf(line + prefix, room, format, arguments);
    std::size_t length = std::strlen(line);
    if (message >= 0 && static_cast<std::size_t>(message) >= room)
        length = WholeCharacters(line, length);
    std::fwrite(line, 1, length, file_.get());
    std::fputc('\n', file_.get());
    std::fflush(file_.get());
}

bool LogOpen(const fs::path& folder)
{
    return LogFile::Process().Open(folder);
}

void LogWrite(int level, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    LogFile::Process().WriteV(level, format, arguments);
    va_end(arguments);
}

void LogClose()
{
    LogFile::Process().Close();
}
