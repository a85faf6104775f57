#include "app/shell/PortalFileDialogs.h"

#include "common/TextConvert.h"

#include <atomic>
#include <cstdio>
#include <unistd.h>
#include <string>

namespace {

constexpr char kPortalName[] = "org.freedesktop.portal.Desktop";
constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kFileChooser[] = "org.freedesktop.portal.FileChooser";

// The portal answers on a Request object whose path it derives from our bus name and a token we pick;
// subscribing to it before the call means the answer cannot be missed.
std::string RequestPath(GDBusConnection* connection, const std::string& token)
{
    std::string sender = g_dbus_connection_get_unique_name(connection);
    sender.erase(0, 1);
    for (char& c : sender) {
        if (c == '.')
            c = '_';
    }
    return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

std::string NewToken()
{
    static std::atomic<unsigned> counter{0};
    return "pelmaro" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

GVariant* Options(const FileDialogRequest& request, const std::string& token)
{
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    g_variant_builder_add(&options, "{sv}", "modal", g_variant_new_boolean(TRUE));
    if (request.kind == FileDialogRequest::Kind::ChooseFolder)
        g_variant_builder_add(&options, "{sv}", "directory", g_variant_new_boolean(TRUE));
    if (request.kind == FileDialogRequest::Kind::SaveFile && !request.suggestedName.empty())
        g_variant_builder_add(&options, "{sv}", "current_name",
                              g_variant_new_string(ToUtf8(request.suggestedName).c_str()));
    if (!request.folder.empty())
        g_variant_builder_add(&options, "{sv}", "current_folder",
                              g_variant_new_bytestring(request.folder.c_str()));
    if (!request.filters.empty()) {
        GVariantBuilder filters;
        g_variant_builder_init(&filters, G_VARIANT_TYPE("a(sa(us))"));
        for (const FileFilter& filter : request.filters) {
            GVariantBuilder patterns;
            g_variant_builder_init(&patterns, G_VARIANT_TYPE("a(us)"));
            for (const std::wstring& pattern : filter.patterns)
                g_variant_builder_add(&patterns, "(us)", 0u, ToUtf8(pattern).c_str());
            g_variant_builder_add(&filters, "(sa(us))", ToUtf8(filter.name).c_str(), &patterns);
        }
        g_variant_builder_add(&options, "{sv}", "filters", g_variant_builder_end(&filters));
    }
    return g_variant_builder_end(&options);
}

// Waits on a private main context for the Response signal of one request, or for the portal to
// leave the bus.
class ResponseWait {
public:
    ResponseWait(GDBusConnection* connection, std::string requestPath)
        : connection_(connection), context_(g_main_context_new()), requestPath_(std::move(requestPath))
    {
        g_main_context_push_thread_default(context_);
        subscription_ = g_dbus_connection_signal_subscribe(connection, kPortalName, "org.freedesktop.portal.Request",
                                                           "Response", nullptr, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                                           &ResponseWait::OnResponse, this, nullptr);
        watch_ = g_bus_watch_name_on_connection(connection, kPortalName, G_BUS_NAME_WATCHER_FLAGS_NONE, nullptr,
                                                &ResponseWait::OnVanished, this, nullptr);
    }
    ~ResponseWait()
    {
        g_bus_unwatch_name(watch_);
        g_dbus_connection_signal_unsubscribe(connection_, subscription_);
        // Let the unsubscribe and unwatch notifications run before the context goes away.
        while (g_main_context_iteration(context_, FALSE)) {
        }
        g_main_context_pop_thread_default(context_);
        g_main_context_unref(context_);
    }

    // Older portals pick the request path themselves; the call's reply says which one it is.
    void SetRequestPath(std::string path) { requestPath_ = std::move(path); }

    FileDialogAnswer Wait()
    {
        while (!answered_)
            g_main_context_iteration(context_, TRUE);
        return answer_;
    }

private:
    static void OnResponse(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar*,
                           GVariant* parameters, gpointer self)
    {
        auto* wait = static_cast<ResponseWait*>(self);
        if (wait->requestPath_ == path)
            wait->Take(parameters);
    }

    static void OnVanished(GDBusConnection*, const gchar*, gpointer self)
    {
        static_cast<ResponseWait*>(self)->answered_ = true;
    }

    void Take(GVariant* parameters)
    {
        answered_ = true;
        guint32 response = 2;
        GVariant* results = nullptr;
        g_variant_get(parameters, "(u@a{sv})", &response, &results);
        const GVariantPtr ownedResults(results);
        if (response == 1) {
            answer_.status = FileDialogAnswer::Status::Cancelled;
            return;
        }
        const gchar** uris = nullptr;
        if (response != 0 || !g_variant_lookup(results, "uris", "^a&s", &uris))
            return;
        if (uris[0]) {
            GCharPtr path(g_filename_from_uri(uris[0], nullptr, nullptr));
            if (path)
                answer_ = {FileDialogAnswer::Status::Chosen, path.get()};
        }
        g_free(uris);
    }

    GDBusConnection* connection_;
    GMainContext* context_;
    std::string requestPath_;
    guint subscription_ = 0;
    guint watch_ = 0;
    bool answered_ = false;
    FileDialogAnswer answer_;
};

} // namespace

PortalFileDialogs::PortalFileDialogs(GDBusConnection* connection)
    : connection_(connection ? G_DBUS_CONNECTION(g_object_ref(connection)) : g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr))
{
}

FileDialogAnswer PortalFileDialogs::Ask(const FileDialogRequest& request)
{
    if (!connection_)
        return {};
    const std::string token = NewToken();
    ResponseWait wait(connection_.get(), RequestPath(connection_.get(), token));
    const char* method = request.kind == FileDialogRequest::Kind::SaveFile ? "SaveFile" : "OpenFile";
    // The portal places its dialog over the window named "x11:<id in hex>".
    char parent[32] = "";
    if (request.parentWindow != 0)
        std::snprintf(parent, sizeof parent, "x11:%lx", request.parentWindow);
    GErrorSlot error;
    const GVariantPtr handle(g_dbus_connection_call_sync(
        connection_.get(), kPortalName, kPortalPath, kFileChooser, method,
        g_variant_new("(ss@a{sv})", parent, ToUtf8(request.title).c_str(), Options(request, token)),
        G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error));
    if (!handle)
        return {};
    const gchar* path = nullptr;
    g_variant_get(handle.get(), "(&o)", &path);
    wait.SetRequestPath(path);
    return wait.Wait();
}
