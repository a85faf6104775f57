#pragma once
// Starts https_server.py on 127.0.0.1 with a certificate made for the run by the openssl tool, and
// stops it at the end. Files put in Folder() are served; Url(path) addresses them.

#include "support/TempFolder.h"

#include <filesystem>
#include <string>

#include <sys/types.h>

class HttpsTestServer {
public:
    HttpsTestServer();
    ~HttpsTestServer();
    HttpsTestServer(const HttpsTestServer&) = delete;
    HttpsTestServer& operator=(const HttpsTestServer&) = delete;

    bool Running() const { return port_ != 0; }
    const std::filesystem::path& Folder() const { return folder_; }
    // The certificate to trust for this server.
    const std::filesystem::path& Certificate() const { return certificate_; }
    std::wstring Url(const std::string& path) const;
    // Paths and headers of the requests served so far.
    std::string RequestLog() const;

private:
    TempFolder root_;
    std::filesystem::path folder_;
    std::filesystem::path certificate_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 where nothing listens.
int ClosedPort();
