#include "update/HttpsRequest.h"

#include <curl/curl.h>

namespace {

constexpr const char* kAgentName = "PelmaroUpdate/5.5.0000";
constexpr long kConnectTimeoutSeconds = 30;
// A server that sends nothing for this long is taken as gone.
constexpr long kStallSeconds = 60;
constexpr long kMaxRedirects = 5;

} // namespace

struct HttpsRequestCallbacks {
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self)
    {
        auto* request = static_cast<HttpsRequest*>(self);
        std::size_t bytes = size * count;
        request->received_ += bytes;
        if (request->received_ > request->maxBytes_ || !(*request->sink_)(data, bytes))
            return CURL_WRITEFUNC_ERROR;
        return bytes;
    }

    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        auto* request = static_cast<HttpsRequest*>(self);
        return (*request->keepGoing_)() ? 0 : 1;
    }
};

void HttpsRequest::CurlDeleter::operator()(CURL* curl) const { curl_easy_cleanup(curl); }

void HttpsRequest::ListDeleter::operator()(curl_slist* list) const { curl_slist_free_all(list); }

HttpsRequest::HttpsRequest(const std::string& url, const std::filesystem::path& trustedCertificates)
    : curl_(curl_easy_init())
{
    if (!curl_)
        return;
    CURL* curl = curl_.get();
    // A forced reload: neither the server's nor a proxy's cached copy may answer.
    for (const char* header : {"Accept: */*", "Pragma: no-cache", "Cache-Control: no-cache"}) {
        curl_slist* longer = curl_slist_append(headers_.get(), header);
        if (!longer)
            return;
        headers_.release();
        headers_.reset(longer);
    }
    urlAccepted_ = curl_easy_setopt(curl, CURLOPT_URL, url.c_str()) == CURLE_OK &&
                   curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https") == CURLE_OK &&
                   curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https") == CURLE_OK;
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kAgentName);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers_.get());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!trustedCertificates.empty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, trustedCertificates.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &HttpsRequestCallbacks::OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &HttpsRequestCallbacks::OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
}

HttpsRequest::~HttpsRequest() = default;

void HttpsRequest::LimitSize(std::uint64_t maxBytes)
{
    maxBytes_ = maxBytes;
    if (curl_ && maxBytes <= static_cast<std::uint64_t>(INT64_MAX))
        curl_easy_setopt(curl_.get(), CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(maxBytes));
}

bool HttpsRequest::Perform(const Sink& sink, const KeepGoing& keepGoing)
{
    if (!curl_ || !urlAccepted_)
        return false;
    sink_ = &sink;
    keepGoing_ = &keepGoing;
    received_ = 0;
    bool done = curl_easy_perform(curl_.get()) == CURLE_OK;
    sink_ = nullptr;
    keepGoing_ = nullptr;
    return done;
}

std::optional<std::uint64_t> HttpsRequest::ContentLength() const
{
    curl_off_t length = -1;
    if (!curl_ || curl_easy_getinfo(curl_.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK ||
        length < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(length);
}

std::optional<std::string> HttpsRequest::FetchText(const std::string& url,
                                                   const std::filesystem::path& trustedCertificates,
                                                   std::size_t maxBytes, const KeepGoing& keepGoing)
{
    HttpsRequest request(url, trustedCertificates);
    request.LimitSize(maxBytes);
    std::string body;
    bool done = request.Perform(
        [&body](const char* data, std::size_t size) {
            body.append(data, size);
            return true;
        },
        keepGoing);
    if (!done)
        return std::nullopt;
    return body;
}
