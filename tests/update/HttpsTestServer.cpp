#include "HttpsTestServer.h"

#include "TestArchive.h"
#include "common/TextConvert.h"
#include "support/FileBytes.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

// Starts a program found on PATH; its output goes to outputFd, or nowhere when that is -1.
pid_t Spawn(const std::vector<std::string>& arguments, int outputFd)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd != -1)
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // The openssl tool chats on its error output even when all goes well.
    if (outputFd == -1)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool RunToEnd(const std::vector<std::string>& arguments)
{
    pid_t pid = Spawn(arguments, -1);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

HttpsTestServer::HttpsTestServer()
{
    folder_ = root_.Path() / "served";
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    certificate_ = root_.Path() / "cert.pem";
    std::filesystem::path key = root_.Path() / "key.pem";
    if (!RunToEnd({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                   "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                   "-keyout", key.string(), "-out", certificate_.string()}))
        return;

    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return;
    pid_ = Spawn({"python3", PELMARO_SOURCE_DIR "/tests/update/https_server.py", folder_.string(),
                  certificate_.string(), key.string()},
                 pipeFds[1]);
    close(pipeFds[1]);
    // The port line is written once the server listens, so reading it is the readiness wait.
    std::FILE* output = fdopen(pipeFds[0], "r");
    if (output) {
        if (pid_ <= 0 || std::fscanf(output, "%d", &port_) != 1)
            port_ = 0;
        std::fclose(output);
    }
}

HttpsTestServer::~HttpsTestServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::wstring HttpsTestServer::Url(const std::string& path) const
{
    return FromUtf8("https://127.0.0.1:" + std::to_string(port_) + "/" + path);
}

std::string HttpsTestServer::RequestLog() const { return ReadFile(folder_ / "requests.log"); }

int ClosedPort()
{
    int socketFd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(socketFd);
    return port;
}
