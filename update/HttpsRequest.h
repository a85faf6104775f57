#pragma once
// One GET over HTTPS with libcurl, set up the way every update request is made: the program's agent
// name, "Accept: */*", no cached answer, certificates verified, redirects followed only to https
// addresses, and an HTTP error status counted as a failure rather than as content.
// Thread contract: one request per thread; Perform blocks the calling thread.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

typedef void CURL;
struct curl_slist;

class HttpsRequest {
public:
    // Receives the body as it arrives; returning false aborts the transfer.
    using Sink = std::function<bool(const char* data, std::size_t size)>;
    // Asked while the transfer waits for data; returning false aborts it.
    using KeepGoing = std::function<bool()>;

    // trustedCertificates: a PEM file trusted instead of the system's certificate store (tests
    // only); empty uses the system store.
    HttpsRequest(const std::string& url, const std::filesystem::path& trustedCertificates);
    ~HttpsRequest();
    HttpsRequest(const HttpsRequest&) = delete;
    HttpsRequest& operator=(const HttpsRequest&) = delete;

    // False when libcurl could not give a handle at all.
    bool HasHandle() const { return curl_ != nullptr; }

    // Refuses bodies longer than maxBytes, announced or not.
    void LimitSize(std::uint64_t maxBytes);

    // True when the whole body arrived with a success status. Only https:// addresses are fetched.
    bool Perform(const Sink& sink, const KeepGoing& keepGoing);

    // The announced body length, or nothing when the server sent none. Valid once the body starts.
    std::optional<std::uint64_t> ContentLength() const;

    // The body of a small document (the update manifest), or nothing on any failure.
    static std::optional<std::string> FetchText(const std::string& url,
                                                const std::filesystem::path& trustedCertificates,
                                                std::size_t maxBytes,
                                                const KeepGoing& keepGoing = [] { return true; });

private:
    struct CurlDeleter {
        void operator()(CURL* curl) const;
    };
    struct ListDeleter {
        void operator()(curl_slist* list) const;
    };

    std::unique_ptr<CURL, CurlDeleter> curl_;
    std::unique_ptr<curl_slist, ListDeleter> headers_;
    std::uint64_t maxBytes_ = UINT64_MAX;
    std::uint64_t received_ = 0;
    const Sink* sink_ = nullptr;
    const KeepGoing* keepGoing_ = nullptr;
    bool urlAccepted_ = false;

    friend struct HttpsRequestCallbacks;
};
