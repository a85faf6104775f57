#include "app/shell/PortalFileDialogs.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

using Kind = FileDialogRequest::Kind;
using Status = FileDialogAnswer::Status;

namespace {

constexpr char kIntrospection[] = R"(<node>
  <interface name="org.freedesktop.portal.FileChooser">
    <method name="OpenFile"><arg type="s" direction="in"/><arg type="s" direction="in"/>
      <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/></method>
    <method name="SaveFile"><arg type="s" direction="in"/><arg type="s" direction="in"/>
      <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/></method>
  </interface>
</node>)";

// A file-chooser portal on the private test bus, served from a thread of its own: it records each call
// and answers with the scripted response, on the request path the caller expects or, like older
// portals, on one of its own.
class FakePortal {
public:
    struct Call {
        std::string method;
        std::string parent;
        std::string title;
        std::string options; // the options dictionary in GVariant text form
    };
    guint32 response = 0;
    std::string uri;
    bool ownRequestPath = false;

    explicit FakePortal(const std::string& address) : thread_([this, address] { Serve(address); })
    {
        std::unique_lock lock(lock_);
        EXPECT_TRUE(ready_.wait_for(lock, std::chrono::seconds(30), [this] { return started_; }));
    }
    ~FakePortal()
    {
        g_main_loop_quit(loop_);
        thread_.join();
    }

    std::vector<Call> Calls()
    {
        std::lock_guard guard(lock_);
        return calls_;
    }

private:
    void Serve(const std::string& address)
    {
        GMainContext* context = g_main_context_new();
        g_main_context_push_thread_default(context);
        loop_ = g_main_loop_new(context, FALSE);
        GDBusConnection* connection = g_dbus_connection_new_for_address_sync(
            address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
        static const GDBusInterfaceVTable vtable = {&FakePortal::OnCall, nullptr, nullptr, {}};
        const guint registration = g_dbus_connection_register_object(
            connection, "/org/freedesktop/portal/desktop", node->interfaces[0], &vtable, this, nullptr, nullptr);
        GVariant* reply = g_dbus_connection_call_sync(
            connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
            g_variant_new("(su)", "org.freedesktop.portal.Desktop", 4u), nullptr, G_DBUS_CALL_FLAGS_NONE, -1,
            nullptr, nullptr);
        g_variant_unref(reply);
        {
            std::lock_guard guard(lock_);
            started_ = true;
        }
        ready_.notify_all();
        g_main_loop_run(loop_);
        g_dbus_connection_unregister_object(connection, registration);
        g_dbus_connection_close_sync(connection, nullptr, nullptr);
        g_object_unref(connection);
        g_dbus_node_info_unref(node);
        g_main_loop_unref(loop_);
        g_main_context_pop_thread_default(context);
        g_main_context_unref(context);
    }

    static void OnCall(GDBusConnection* connection, const gchar* sender, const gchar*, const gchar*,
                       const gchar* method, GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self)
    {
        static_cast<FakePortal*>(self)->Answer(connection, sender, method, parameters, invocation);
    }

    void Answer(GDBusConnection* connection, const gchar* sender, const gchar* method, GVariant* parameters,
                GDBusMethodInvocation* invocation)
    {
        const gchar* parent = nullptr;
        const gchar* title = nullptr;
        GVariant* options = nullptr;
        g_variant_get(parameters, "(&s&s@a{sv})", &parent, &title, &options);
        const gchar* token = "none";
        g_variant_lookup(options, "handle_token", "&s", &token);
        std::string unique = sender + 1;
        for (char& c : unique) {
            if (c == '.')
                c = '_';
        }
        const std::string path = "/org/freedesktop/portal/desktop/request/" +
                                 (ownRequestPath ? std::string("elsewhere/1") : unique + "/" + token);
        gchar* optionsText = g_variant_print(options, FALSE);
        {
            std::lock_guard guard(lock_);
            calls_.push_back({method, parent, title, optionsText});
        }
        g_free(optionsText);
        g_variant_unref(options);
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", path.c_str()));

        GVariantBuilder results;
        g_variant_builder_init(&results, G_VARIANT_TYPE_VARDICT);
        if (!uri.empty()) {
            const gchar* uris[] = {uri.c_str(), nullptr};
            g_variant_builder_add(&results, "{sv}", "uris", g_variant_new_strv(uris, -1));
        }
        g_dbus_connection_emit_signal(connection, sender, path.c_str(), "org.freedesktop.portal.Request", "Response",
                                      g_variant_new("(ua{sv})", response, &results), nullptr);
    }

    std::mutex lock_;
    std::condition_variable ready_;
    bool started_ = false;
    std::vector<Call> calls_;
    GMainLoop* loop_ = nullptr;
    std::thread thread_;
};

class PortalFileDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bus_ = g_test_dbus_new(G_TEST_DBUS_NONE);
        g_test_dbus_up(bus_);
        address_ = g_test_dbus_get_bus_address(bus_);
        connection_.reset(g_dbus_connection_new_for_address_sync(
            address_.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr));
        ASSERT_TRUE(connection_);
    }
    void TearDown() override
    {
        portal.reset();
        if (connection_)
            g_dbus_connection_close_sync(connection_.get(), nullptr, nullptr);
        connection_.reset();
        g_test_dbus_down(bus_);
        g_object_unref(bus_);
    }

    void StartPortal() { portal = std::make_unique<FakePortal>(address_); }
    FileDialogAnswer Ask(const FileDialogRequest& request) { return PortalFileDialogs(connection_.get()).Ask(request); }

    std::unique_ptr<FakePortal> portal;

private:
    GTestDBus* bus_ = nullptr;
    std::string address_;
    GObjectPtr<GDBusConnection> connection_;
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(PortalFileDialogsTest, OpenFileReturnsThePathOfTheChosenUri)
{
    StartPortal();
    portal->uri = "file:///home/u/My%20Profile.xml";
    const FileDialogAnswer answer =
        Ask({Kind::OpenFile, L"Import profile", L"", "", {{L"Profile files", {L"*.xml"}}}});
    EXPECT_EQ(answer.status, Status::Chosen);
    EXPECT_EQ(answer.path, "/home/u/My Profile.xml");

    const std::vector<FakePortal::Call> calls = portal->Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].method, "OpenFile");
    EXPECT_EQ(calls[0].parent, "");
    EXPECT_EQ(calls[0].title, "Import profile");
    EXPECT_TRUE(Contains(calls[0].options, "'filters': <[('Profile files', [(uint32 0, '*.xml')])]>")) << calls[0].options;
    EXPECT_TRUE(Contains(calls[0].options, "'handle_token': <'pelmaro")) << calls[0].options;
    EXPECT_FALSE(Contains(calls[0].options, "directory")) << calls[0].options;
}

TEST_F(PortalFileDialogsTest, SaveAndFolderRequestsCarryTheirOptions)
{
    StartPortal();
    portal->uri = "file:///tmp/out.xml";
    EXPECT_EQ(Ask({Kind::SaveFile, L"Export", L"Профиль.xml", "/tmp", {}, 0x3a00007}).path, "/tmp/out.xml");
    portal->uri = "file:///tmp/folder";
    EXPECT_EQ(Ask({Kind::ChooseFolder, L"Folder", L"", "", {}}).path, "/tmp/folder");

    const std::vector<FakePortal::Call> calls = portal->Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].method, "SaveFile");
    EXPECT_EQ(calls[0].parent, "x11:3a00007");
    EXPECT_TRUE(Contains(calls[0].options, "'current_name': <'Профиль.xml'>")) << calls[0].options;
    EXPECT_TRUE(Contains(calls[0].options, "'current_folder': <b'/tmp'>")) << calls[0].options;
    EXPECT_EQ(calls[1].method, "OpenFile");
    EXPECT_TRUE(Contains(calls[1].options, "'directory': <true>")) << calls[1].options;
}

TEST_F(PortalFileDialogsTest, ResponsesOtherThanAChoice)
{
    StartPortal();
    const struct {
        guint32 response;
        const char* uri;
        Status status;
    } cases[] = {
        {1, "", Status::Cancelled},
        {2, "", Status::Unavailable},
        {0, "", Status::Unavailable},
        {0, "https://example.org/remote.xml", Status::Unavailable},
    };
    for (const auto& c : cases) {
        portal->response = c.response;
        portal->uri = c.uri;
        const FileDialogAnswer answer = Ask({Kind::OpenFile, L"Open", L"", "", {}});
        EXPECT_EQ(answer.status, c.status) << c.response << " " << c.uri;
        EXPECT_EQ(answer.path, "");
    }
}

TEST_F(PortalFileDialogsTest, OlderPortalsThatPickTheirOwnRequestPathAreFollowed)
{
    StartPortal();
    portal->ownRequestPath = true;
    portal->uri = "file:///tmp/chosen.xml";
    EXPECT_EQ(Ask({Kind::OpenFile, L"Open", L"", "", {}}).path, "/tmp/chosen.xml");
}

TEST_F(PortalFileDialogsTest, NoPortalOnTheBusIsUnavailable)
{
    EXPECT_EQ(Ask({Kind::OpenFile, L"Open", L"", "", {}}).status, Status::Unavailable);
}
