// The tray icon against a fake StatusNotifierWatcher on a private session bus: registration,
// properties, clicks turned into the window's tray callback message, the desktop-drawn menu, and
// the clear "no tray" answer.
#include "RecordingWindow.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/InputRouter.h"
#include "vinto/platform/TrayIcon.h"

#include <gtest/gtest.h>

#include <gio/gio.h>

#include <future>
#include <mutex>
#include <thread>

using namespace Vinto;
using VintoTest::Received;
using VintoTest::RecordingWindow;

namespace {

constexpr uint32_t kCallback = 1690;
constexpr uint32_t kIconId = 109;

// The desktop side: owns org.kde.StatusNotifierWatcher and records who registers, serving the bus
// on a thread of its own (the item registers while the test's thread waits in TrayIcon::Create).
class FakeWatcher {
public:
    explicit FakeWatcher(const char* address)
    {
        std::promise<void> ready;
        thread_ = std::thread([this, address, &ready] {
            g_main_context_push_thread_default(context_);
            connection_ = g_dbus_connection_new_for_address_sync(
                address,
                static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                  G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                nullptr, nullptr, nullptr);
            info_ = g_dbus_node_info_new_for_xml(
                "<node><interface name='org.kde.StatusNotifierWatcher'>"
                "<method name='RegisterStatusNotifierItem'><arg type='s' direction='in'/></method>"
                "</interface></node>",
                nullptr);
            static const GDBusInterfaceVTable vtable = {OnCall, nullptr, nullptr, {}};
            g_dbus_connection_register_object(connection_, "/StatusNotifierWatcher", info_->interfaces[0], &vtable, this,
                                              nullptr, nullptr);
            g_autoptr(GVariant) r = g_dbus_connection_call_sync(
                connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                g_variant_new("(su)", "org.kde.StatusNotifierWatcher", 4u), nullptr, G_DBUS_CALL_FLAGS_NONE, -1,
                nullptr, nullptr);
            ready.set_value();
            g_main_loop_run(loop_);
            g_dbus_connection_close_sync(connection_, nullptr, nullptr);
            g_object_unref(connection_);
            g_dbus_node_info_unref(info_);
            g_main_context_pop_thread_default(context_);
        });
        ready.get_future().wait();
    }
    ~FakeWatcher()
    {
        GSource* quit = g_idle_source_new();
        g_source_set_callback(
            quit,
            [](gpointer loop) {
                g_main_loop_quit(static_cast<GMainLoop*>(loop));
                return gboolean(G_SOURCE_REMOVE);
            },
            loop_, nullptr);
        g_source_attach(quit, context_);
        g_source_unref(quit);
        thread_.join();
        g_main_loop_unref(loop_);
        g_main_context_unref(context_);
    }

    std::vector<std::string> Registered()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return registered_;
    }

private:
    static void OnCall(GDBusConnection*, const char*, const char*, const char*, const char*, GVariant* parameters,
                       GDBusMethodInvocation* invocation, gpointer self)
    {
        auto* watcher = static_cast<FakeWatcher*>(self);
        const char* name = nullptr;
        g_variant_get(parameters, "(&s)", &name);
        {
            std::lock_guard<std::mutex> lock(watcher->mutex_);
            watcher->registered_.push_back(name);
        }
        g_dbus_method_invocation_return_value(invocation, nullptr);
    }

    GMainContext* context_ = g_main_context_new();
    GMainLoop* loop_ = g_main_loop_new(context_, FALSE);
    GDBusConnection* connection_ = nullptr;
    GDBusNodeInfo* info_ = nullptr;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> registered_;
};

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bus_ = g_test_dbus_new(G_TEST_DBUS_NONE);
        g_test_dbus_up(bus_);   // also points DBUS_SESSION_BUS_ADDRESS at it
        client_ = g_dbus_connection_new_for_address_sync(
            g_test_dbus_get_bus_address(bus_),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        ASSERT_NE(client_, nullptr);
        window.CreateAt({0, 0, 100, 100});
    }
    void TearDown() override
    {
        g_dbus_connection_close_sync(client_, nullptr, nullptr);
        g_object_unref(client_);
        g_test_dbus_down(bus_);
        g_object_unref(bus_);
    }

    // A call to the item as the desktop makes it; the reply, or null on an error.
    GVariant* Call(const std::string& service, const char* path, const char* interface, const char* method,
                   GVariant* parameters)
    {
        return g_dbus_connection_call_sync(client_, service.c_str(), path, interface, method, parameters, nullptr,
                                           G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    }
    GVariant* Property(const std::string& service, const char* name)
    {
        g_autoptr(GVariant) reply = Call(service, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                                         g_variant_new("(ss)", "org.kde.StatusNotifierItem", name));
        if (!reply)
            return nullptr;
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        return value;
    }
    bool HasOwner(const std::string& name)
    {
        g_autoptr(GVariant) r = Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                     "NameHasOwner", g_variant_new("(s)", name.c_str()));
        gboolean owned = FALSE;
        if (r)
            g_variant_get(r, "(b)", &owned);
        return owned;
    }
    const char* Address() const { return g_test_dbus_get_bus_address(bus_); }

    std::unique_ptr<WindowSystem> system = HeadlessBackend::CreateSystem();
    RecordingWindow window{*system, {kCallback, WM_COMMAND}};

private:
    GTestDBus* bus_ = nullptr;
    GDBusConnection* client_ = nullptr;
};

TEST_F(TrayIconTest, WithoutAWatcherOrATrayThereIsNoTray)
{
    EXPECT_EQ(TrayIcon::Create(*system, window.handle, kIconId, kCallback, L"Pelmaro"), nullptr);
}

TEST_F(TrayIconTest, WithoutAWatcherTheIconDocksInTheSystemTray)
{
    auto& backend = dynamic_cast<HeadlessBackend&>(system->Backend());
    backend.SetTrayAvailable(true);
    std::unique_ptr<TrayIcon> tray = TrayIcon::Create(*system, window.handle, kIconId, kCallback, L"Pelmaro");
    ASSERT_NE(tray, nullptr);
    const WindowHandle docked = tray->DockedWindow();
    ASSERT_NE(docked, 0u);
    EXPECT_EQ(backend.DockedWindow(), docked);
    EXPECT_EQ(tray->ServiceName(), "");

    Surface icon(4, 4);
    Canvas(icon).FillSolidRect(icon.Bounds(), 0xFF00FF00);
    tray->SetIcon(icon);
    system->RunUntilIdle();
    const Surface shown = system->CaptureWindow(docked);
    EXPECT_EQ(shown.Pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(shown.Pixel(TrayIconWindow::kSize - 1, TrayIconWindow::kSize - 1), 0xFF00FF00u);

    system->SetActiveWindow(window.handle);
    const Rect r = system->GetWindowRect(docked);
    system->Input().Click({r.left + 3, r.top + 3});
    system->Input().Click({r.left + 3, r.top + 3}, MouseButton::Right);
    system->RunUntilIdle();
    const std::vector<Received> expected = {
        {window.handle, kCallback, kIconId, WM_LBUTTONDOWN},
        {window.handle, kCallback, kIconId, WM_LBUTTONUP},
        {window.handle, kCallback, kIconId, WM_RBUTTONDOWN},
        {window.handle, kCallback, kIconId, WM_RBUTTONUP},
    };
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(system->GetActiveWindow(), window.handle);

    tray.reset();
    EXPECT_FALSE(system->IsWindow(docked));
}

TEST_F(TrayIconTest, RegistersAndServesItsProperties)
{
    FakeWatcher watcher(Address());
    std::unique_ptr<TrayIcon> tray = TrayIcon::Create(*system, window.handle, kIconId, kCallback, L"Pelmaro");
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(watcher.Registered(), std::vector<std::string>{tray->ServiceName()});

    g_autoptr(GVariant) title = Property(tray->ServiceName(), "Title");
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(g_variant_get_string(title, nullptr), "Pelmaro");

    tray->SetTip(L"Pelmaro — mouse");
    g_autoptr(GVariant) tip = Property(tray->ServiceName(), "ToolTip");
    ASSERT_NE(tip, nullptr);
    const char* tipTitle = nullptr;
    g_variant_get_child(tip, 2, "&s", &tipTitle);
    EXPECT_STREQ(tipTitle, "Pelmaro — mouse");

    // Two pixels: opaque red, half-transparent blue; sent as straight ARGB in network order.
    Surface icon(2, 1);
    icon.SetPixel(0, 0, Premultiply(0xFFFF0000));
    icon.SetPixel(1, 0, Premultiply(0x800000FF));
    tray->SetIcon(icon);
    g_autoptr(GVariant) pixmaps = Property(tray->ServiceName(), "IconPixmap");
    ASSERT_NE(pixmaps, nullptr);
    ASSERT_EQ(g_variant_n_children(pixmaps), 1u);
    int32_t width = 0, height = 0;
    g_autoptr(GVariant) bytes = nullptr;
    g_variant_get_child(pixmaps, 0, "(ii@ay)", &width, &height, &bytes);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
    gsize count = 0;
    const auto* data = static_cast<const uint8_t*>(g_variant_get_fixed_array(bytes, &count, 1));
    EXPECT_EQ(std::vector<uint8_t>(data, data + count), (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0x80, 0, 0, 0xFF}));

    g_autoptr(GVariant) menu = Property(tray->ServiceName(), "Menu");
    ASSERT_NE(menu, nullptr);
    EXPECT_STREQ(g_variant_get_string(menu, nullptr), "/MenuBar");

    // Gone from the bus with the object.
    const std::string service = tray->ServiceName();
    tray.reset();
    EXPECT_FALSE(HasOwner(service));
}

TEST_F(TrayIconTest, ClicksArriveAsTheTrayCallbackMessage)
{
    FakeWatcher watcher(Address());
    std::unique_ptr<TrayIcon> tray = TrayIcon::Create(*system, window.handle, kIconId, kCallback, L"Pelmaro");
    ASSERT_NE(tray, nullptr);
    struct Case {
        const char* method;
        std::vector<uint32_t> mouse;
    };
    const Case cases[] = {
        {"Activate", {WM_LBUTTONDOWN, WM_LBUTTONUP}},
        {"SecondaryActivate", {WM_MBUTTONDOWN, WM_MBUTTONUP}},
        {"ContextMenu", {WM_RBUTTONDOWN, WM_RBUTTONUP}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        window.log.clear();
        g_autoptr(GVariant) r =
            Call(tray->ServiceName(), "/StatusNotifierItem", "org.kde.StatusNotifierItem", c.method, g_variant_new("(ii)", 5, 6));
        ASSERT_NE(r, nullptr);
        system->RunUntilIdle();
        std::vector<Received> expected;
        for (uint32_t m : c.mouse)
            expected.push_back({window.handle, kCallback, kIconId, static_cast<intptr_t>(m)});
        EXPECT_EQ(window.log, expected);
    }
}

TEST_F(TrayIconTest, TheDesktopDrawnMenuSendsItsCommand)
{
    FakeWatcher watcher(Address());
    std::unique_ptr<TrayIcon> tray = TrayIcon::Create(*system, window.handle, kIconId, kCallback, L"Pelmaro");
    ASSERT_NE(tray, nullptr);
    tray->SetMenu({{100, L"Exit"}});

    g_autoptr(GVariant) layout = Call(tray->ServiceName(), "/MenuBar", "com.canonical.dbusmenu", "GetLayout",
                                      g_variant_new("(ii@as)", 0, -1, g_variant_new_strv(nullptr, 0)));
    ASSERT_NE(layout, nullptr);
    g_autoptr(GVariant) root = g_variant_get_child_value(layout, 1);
    g_autoptr(GVariant) children = g_variant_get_child_value(root, 2);
    ASSERT_EQ(g_variant_n_children(children), 1u);
    g_autoptr(GVariant) boxed = g_variant_get_child_value(children, 0);
    g_autoptr(GVariant) item = g_variant_get_variant(boxed);
    int32_t itemId = 0;
    g_autoptr(GVariant) properties = nullptr;
    g_variant_get_child(item, 0, "i", &itemId);
    properties = g_variant_get_child_value(item, 1);
    const char* label = nullptr;
    ASSERT_TRUE(g_variant_lookup(properties, "label", "&s", &label));
    EXPECT_STREQ(label, "Exit");

    struct Case {
        int32_t id;
        const char* event;
        bool sends;
    };
    const Case cases[] = {{itemId, "hovered", false}, {itemId + 5, "clicked", false}, {itemId, "clicked", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        window.log.clear();
        g_autoptr(GVariant) r = Call(tray->ServiceName(), "/MenuBar", "com.canonical.dbusmenu", "Event",
                                     g_variant_new("(isvu)", c.id, c.event, g_variant_new_int32(0), 0u));
        ASSERT_NE(r, nullptr);
        system->RunUntilIdle();
        if (c.sends)
            EXPECT_EQ(window.log, (std::vector<Received>{{window.handle, WM_COMMAND, 100, 0}}));
        else
            EXPECT_TRUE(window.log.empty());
    }
}

} // namespace
