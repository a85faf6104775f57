#include "update/PackageDownloader.h"

#include "common/TextConvert.h"
#include "update/HttpsRequest.h"
#include "update/UpdateWindow.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The body cut into the 10240-byte blocks the progress counts, written to the file as they fill.
class BlockWriter {
public:
    // Called once the answer starts: replaces the file; false when it cannot be created.
    bool Create(const std::filesystem::path& path, std::optional<std::uint64_t> length)
    {
        path_ = path;
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        file_.reset(std::fopen(path.c_str(), "wb"));
        blocks_ = length.value_or(0) / PackageDownloader::kBlockSize;
        return file_ != nullptr;
    }
    bool Created() const { return !path_.empty(); }

    // Reports the progress after each whole block; false when the disk refused the bytes or
    // onBlock asks to stop.
    template <typename OnBlock>
    bool Append(const char* data, std::size_t size, OnBlock onBlock)
    {
        while (size > 0) {
            std::size_t taken = std::min(size, PackageDownloader::kBlockSize - pending_.size());
            pending_.insert(pending_.end(), data, data + taken);
            data += taken;
            size -= taken;
            if (pending_.size() == PackageDownloader::kBlockSize && !(WritePending() && onBlock(Progress())))
                return false;
        }
        return true;
    }

    // Writes the last, shorter block and closes the file; false when anything missed the disk.
    template <typename OnBlock>
    bool Finish(OnBlock onBlock)
    {
        if (!pending_.empty()) {
            if (!WritePending())
                return false;
            onBlock(Progress());
        }
        return std::fclose(file_.release()) == 0;
    }

    // Removes whatever was written, so no partial archive is left behind.
    void Discard()
    {
        file_.reset();
        if (!Created())
            return;
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

private:
    bool WritePending()
    {
        bool written = std::fwrite(pending_.data(), 1, pending_.size(), file_.get()) == pending_.size();
        pending_.clear();
        counter_ += 90;
        return written;
    }

    // No announced length means no steps between 10 and 100; a length that undersells the body
    // still never reports more than 100.
    int Progress() const
    {
        if (blocks_ == 0)
            return -1;
        return static_cast<int>(std::min<std::uint64_t>(counter_ / blocks_ + 10, 100));
    }

    std::filesystem::path path_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::vector<char> pending_;
    std::uint64_t blocks_ = 0;
    std::uint64_t counter_ = 0;
};

} // namespace

PackageDownloader::PackageDownloader(std::filesystem::path trustedCertificates)
    : trustedCertificates_(std::move(trustedCertificates))
{
}

void PackageDownloader::PostProgress(int progress)
{
    if (progress < 0 || progress == lastProgress_)
        return;
    lastProgress_ = progress;
    if (window_)
        window_->Post(UpdateWindow::kProgressMessage, 0, progress);
}

int PackageDownloader::Download(const std::wstring& url, const std::filesystem::path& filePath,
                                UpdateWindow* window, std::uint64_t maxBytes)
{
    running_ = true;
    window_ = window;
    PostProgress(0);
    HttpsRequest request(ToUtf8(url), trustedCertificates_);
    if (!request.HasHandle())
        return kNoHandle;
    request.LimitSize(maxBytes);
    PostProgress(2);

    BlockWriter writer;
    auto startFile = [&] {
        PostProgress(8);
        if (!writer.Create(filePath, request.ContentLength()))
            return false;
        PostProgress(10);
        return true;
    };
    auto onBlock = [this](int progress) {
        PostProgress(progress);
        return running_.load();
    };
    bool received = request.Perform(
        [&](const char* data, std::size_t size) {
            return (writer.Created() || startFile()) && writer.Append(data, size, onBlock);
        },
        [this] { return running_.load(); });

    bool stopped = !running_;
    // An empty body still gives an (empty) file.
    if (received && !stopped && !writer.Created())
        received = startFile();
    if (!(received && !stopped && writer.Finish(onBlock))) {
        writer.Discard();
        if (!stopped)
            return kFailed;
    }
    PostProgress(100);
    return stopped ? kStopped : kDone;
}
