#include "vinto/platform/TrayIcon.h"

#include "vinto/platform/Messages.h"
#include "vinto/platform/Utf8.h"
#include "vinto/platform/WindowSystem.h"

#include <gio/gio.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace Vinto {

namespace {

constexpr const char* kWatcherName = "org.kde.StatusNotifierWatcher";
constexpr const char* kItemPath = "/StatusNotifierItem";
constexpr const char* kMenuPath = "/MenuBar";
constexpr auto kStartTimeout = std::chrono::seconds(5);
constexpr int kCallTimeoutMs = 3000;

constexpr const char* kIntrospection = R"xml(<node>
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="OverlayIconName" type="s" access="read"/>
    <property name="AttentionIconName" type="s" access="read"/>
    <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <property name="Menu" type="o" access="read"/>
    <method name="Activate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="SecondaryActivate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="ContextMenu"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Scroll"><arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/></method>
    <signal name="NewIcon"/>
    <signal name="NewToolTip"/>
    <signal name="NewTitle"/>
  </interface>
  <interface name="com.canonical.dbusmenu">
    <property name="Version" type="u" access="read"/>
    <property name="TextDirection" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="IconThemePath" type="as" access="read"/>
    <method name="GetLayout">
      <arg name="parentId" type="i" direction="in"/><arg name="recursionDepth" type="i" direction="in"/>
      <arg name="propertyNames" type="as" direction="in"/>
      <arg name="revision" type="u" direction="out"/><arg name="layout" type="(ia{sv}av)" direction="out"/>
    </method>
    <method name="GetGroupProperties">
      <arg name="ids" type="ai" direction="in"/><arg name="propertyNames" type="as" direction="in"/>
      <arg name="properties" type="a(ia{sv})" direction="out"/>
    </method>
    <method name="GetProperty">
      <arg name="id" type="i" direction="in"/><arg name="name" type="s" direction="in"/>
      <arg name="value" type="v" direction="out"/>
    </method>
    <method name="Event">
      <arg name="id" type="i" direction="in"/><arg name="eventId" type="s" direction="in"/>
      <arg name="data" type="v" direction="in"/><arg name="timestamp" type="u" direction="in"/>
    </method>
    <method name="EventGroup">
      <arg name="events" type="a(isvu)" direction="in"/><arg name="idErrors" type="ai" direction="out"/>
    </method>
    <method name="AboutToShow">
      <arg name="id" type="i" direction="in"/><arg name="needUpdate" type="b" direction="out"/>
    </method>
    <method name="AboutToShowGroup">
      <arg name="ids" type="ai" direction="in"/>
      <arg name="updatesNeeded" type="ai" direction="out"/><arg name="idErrors" type="ai" direction="out"/>
    </method>
    <signal name="LayoutUpdated"><arg name="revision" type="u"/><arg name="parent" type="i"/></signal>
    <signal name="ItemsPropertiesUpdated">
      <arg name="updatedProps" type="a(ia{sv})"/><arg name="removedProps" type="a(ias)"/>
    </signal>
  </interface>
</node>)xml";

struct ObjectUnref {
    void operator()(gpointer p) const { g_object_unref(p); }
};
struct ContextUnref {
    void operator()(GMainContext* c) const { g_main_context_unref(c); }
};
struct LoopUnref {
    void operator()(GMainLoop* l) const { g_main_loop_unref(l); }
};
struct NodeInfoUnref {
    void operator()(GDBusNodeInfo* n) const { g_dbus_node_info_unref(n); }
};

} // namespace

// Everything the bus thread serves, guarded where the UI thread changes it.
struct TrayIcon::State {
    WindowSystem* system = nullptr;
    WindowHandle window = 0;
    uint32_t id = 0;
    uint32_t callbackMessage = 0;
    std::string title;
    std::string serviceName;

    std::mutex mutex;
    std::string tip;
    int iconWidth = 0;
    int iconHeight = 0;
    std::vector<uint8_t> iconArgb;   // network byte order, straight alpha
    std::vector<MenuItem> menu;
    uint32_t menuRevision = 1;

    std::unique_ptr<GMainContext, ContextUnref> context;
    std::unique_ptr<GMainLoop, LoopUnref> loop;
    std::unique_ptr<GDBusConnection, ObjectUnref> connection;
    std::unique_ptr<GDBusNodeInfo, NodeInfoUnref> nodeInfo;
    std::thread thread;

    void Post(uint32_t mouseMessage) const
    {
        system->PostMessage(window, callbackMessage, id, static_cast<intptr_t>(mouseMessage));
    }
    void Emit(const char* path, const char* interface, const char* signal, GVariant* parameters) const
    {
        g_dbus_connection_emit_signal(connection.get(), nullptr, path, interface, signal, parameters, nullptr);
    }

    GVariant* IconPixmaps()
    {
        GVariantBuilder b;
        g_variant_builder_init(&b, G_VARIANT_TYPE("a(iiay)"));
        if (!iconArgb.empty()) {
            GVariant* bytes = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, iconArgb.data(), iconArgb.size(), 1);
            g_variant_builder_add(&b, "(ii@ay)", iconWidth, iconHeight, bytes);
        }
        return g_variant_builder_end(&b);
    }

    GVariant* MenuItemProperties(size_t index)
    {
        GVariantBuilder p;
        g_variant_builder_init(&p, G_VARIANT_TYPE("a{sv}"));
        if (index == 0) {
            g_variant_builder_add(&p, "{sv}", "children-display", g_variant_new_string("submenu"));
        } else {
            g_variant_builder_add(&p, "{sv}", "label", g_variant_new_string(WideToUtf8(menu[index - 1].text).c_str()));
            g_variant_builder_add(&p, "{sv}", "enabled", g_variant_new_boolean(TRUE));
            g_variant_builder_add(&p, "{sv}", "visible", g_variant_new_boolean(TRUE));
        }
        return g_variant_builder_end(&p);
    }

    // The menu's items are numbered from 1 in their order; 0 is the root.
    GVariant* Layout()
    {
        GVariantBuilder children;
        g_variant_builder_init(&children, G_VARIANT_TYPE("av"));
        for (size_t i = 1; i <= menu.size(); ++i) {
            GVariant* empty = g_variant_new_array(G_VARIANT_TYPE_VARIANT, nullptr, 0);
            g_variant_builder_add(&children, "v",
                                  g_variant_new("(i@a{sv}@av)", static_cast<int>(i), MenuItemProperties(i), empty));
        }
        return g_variant_new("(u(i@a{sv}@av))", menuRevision, 0, MenuItemProperties(0), g_variant_builder_end(&children));
    }

    GVariant* Property(const char* interface, const char* name)
    {
        std::lock_guard<std::mutex> lock(mutex);
        const std::string n = name;
        if (g_strcmp0(interface, "com.canonical.dbusmenu") == 0) {
            if (n == "Version")
                return g_variant_new_uint32(3);
            if (n == "TextDirection")
                return g_variant_new_string("ltr");
            if (n == "Status")
                return g_variant_new_string("normal");
            if (n == "IconThemePath")
                return g_variant_new_strv(nullptr, 0);
            return nullptr;
        }
        if (n == "Category")
            return g_variant_new_string("ApplicationStatus");
        if (n == "Id" || n == "Title")
            return g_variant_new_string(title.c_str());
        if (n == "Status")
            return g_variant_new_string("Active");
        if (n == "WindowId")
            return g_variant_new_int32(0);
        if (n == "IconName" || n == "OverlayIconName" || n == "AttentionIconName")
            return g_variant_new_string("");
        if (n == "IconPixmap")
            return IconPixmaps();
        if (n == "ToolTip")
            return g_variant_new("(s@a(iiay)ss)", "", IconPixmaps(), tip.c_str(), "");
        if (n == "ItemIsMenu")
            return g_variant_new_boolean(FALSE);
        if (n == "Menu")
            return g_variant_new_object_path(kMenuPath);
        return nullptr;
    }

    void MenuEvent(int item, const char* eventId)
    {
        uint32_t command = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (item < 1 || static_cast<size_t>(item) > menu.size() || g_strcmp0(eventId, "clicked") != 0)
                return;
            command = menu[static_cast<size_t>(item) - 1].command;
        }
        system->PostMessage(window, WM_COMMAND, command, 0);
    }

    void Call(const char* method, GVariant* parameters, GDBusMethodInvocation* invocation)
    {
        const std::string m = method;
        GVariant* reply = nullptr;
        if (m == "Activate") {
            Post(WM_LBUTTONDOWN);
            Post(WM_LBUTTONUP);
        } else if (m == "SecondaryActivate") {
            Post(WM_MBUTTONDOWN);
            Post(WM_MBUTTONUP);
        } else if (m == "ContextMenu") {
            Post(WM_RBUTTONDOWN);
            Post(WM_RBUTTONUP);
        } else if (m == "GetLayout") {
            std::lock_guard<std::mutex> lock(mutex);
            reply = Layout();
        } else if (m == "GetGroupProperties") {
            g_autoptr(GVariant) ids = g_variant_get_child_value(parameters, 0);
            GVariantBuilder b;
            g_variant_builder_init(&b, G_VARIANT_TYPE("a(ia{sv})"));
            std::lock_guard<std::mutex> lock(mutex);
            for (gsize i = 0; i < g_variant_n_children(ids); ++i) {
                int32_t item = 0;
                g_variant_get_child(ids, i, "i", &item);
                if (item >= 0 && static_cast<size_t>(item) <= menu.size())
                    g_variant_builder_add(&b, "(i@a{sv})", item, MenuItemProperties(static_cast<size_t>(item)));
            }
            reply = g_variant_new("(@a(ia{sv}))", g_variant_builder_end(&b));
        } else if (m == "GetProperty") {
            int32_t item = 0;
            const char* name = nullptr;
            g_variant_get(parameters, "(i&s)", &item, &name);
            std::lock_guard<std::mutex> lock(mutex);
            if (item < 0 || static_cast<size_t>(item) > menu.size()) {
                g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR, G_DBUS_ERROR_INVALID_ARGS, "no such item");
                return;
            }
            g_autoptr(GVariant) properties = MenuItemProperties(static_cast<size_t>(item));
            g_autoptr(GVariant) value = g_variant_lookup_value(properties, name, nullptr);
            if (!value) {
                g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR, G_DBUS_ERROR_INVALID_ARGS, "no such property");
                return;
            }
            reply = g_variant_new("(v)", value);
        } else if (m == "Event") {
            int32_t item = 0;
            const char* eventId = nullptr;
            g_variant_get(parameters, "(i&svu)", &item, &eventId, nullptr, nullptr);
            MenuEvent(item, eventId);
        } else if (m == "EventGroup") {
            g_autoptr(GVariant) events = g_variant_get_child_value(parameters, 0);
            for (gsize i = 0; i < g_variant_n_children(events); ++i) {
                int32_t item = 0;
                const char* eventId = nullptr;
                g_variant_get_child(events, i, "(i&svu)", &item, &eventId, nullptr, nullptr);
                MenuEvent(item, eventId);
            }
            reply = g_variant_new("(@ai)", g_variant_new_array(G_VARIANT_TYPE_INT32, nullptr, 0));
        } else if (m == "AboutToShow") {
            reply = g_variant_new("(b)", FALSE);
        } else if (m == "AboutToShowGroup") {
            reply = g_variant_new("(@ai@ai)", g_variant_new_array(G_VARIANT_TYPE_INT32, nullptr, 0),
                                  g_variant_new_array(G_VARIANT_TYPE_INT32, nullptr, 0));
        }
        g_dbus_method_invocation_return_value(invocation, reply);
    }

    static void OnCall(GDBusConnection*, const char*, const char*, const char*, const char* method, GVariant* parameters,
                       GDBusMethodInvocation* invocation, gpointer self)
    {
        static_cast<State*>(self)->Call(method, parameters, invocation);
    }
    static GVariant* OnGetProperty(GDBusConnection*, const char*, const char*, const char* interface, const char* name,
                                   GError** error, gpointer self)
    {
        GVariant* v = static_cast<State*>(self)->Property(interface, name);
        if (!v)
            g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "no property %s", name);
        return v;
    }

    // On the bus thread: connect, export, take the name and register with the watcher.
    bool Start()
    {
        g_autoptr(GError) error = nullptr;
        g_autofree char* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
        if (!address)
            return false;
        // A connection of our own, so its calls are served by this thread's context.
        connection.reset(g_dbus_connection_new_for_address_sync(
            address,
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, &error));
        if (!connection)
            return false;
        g_dbus_connection_set_exit_on_close(connection.get(), FALSE);

        g_autoptr(GVariant) owner = g_dbus_connection_call_sync(
            connection.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
            g_variant_new("(s)", kWatcherName), G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr,
            nullptr);
        gboolean hasWatcher = FALSE;
        if (owner)
            g_variant_get(owner, "(b)", &hasWatcher);
        if (!hasWatcher)
            return false;

        nodeInfo.reset(g_dbus_node_info_new_for_xml(kIntrospection, nullptr));
        static const GDBusInterfaceVTable vtable = {OnCall, OnGetProperty, nullptr, {}};
        if (!g_dbus_connection_register_object(connection.get(), kItemPath, nodeInfo->interfaces[0], &vtable, this,
                                               nullptr, nullptr) ||
            !g_dbus_connection_register_object(connection.get(), kMenuPath, nodeInfo->interfaces[1], &vtable, this,
                                               nullptr, nullptr))
            return false;

        g_autoptr(GVariant) requested = g_dbus_connection_call_sync(
            connection.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
            g_variant_new("(su)", serviceName.c_str(), 4u /* do not queue */), G_VARIANT_TYPE("(u)"),
            G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, nullptr);
        guint32 result = 0;
        if (requested)
            g_variant_get(requested, "(u)", &result);
        if (result != 1)
            return false;

        g_autoptr(GVariant) registered = g_dbus_connection_call_sync(
            connection.get(), kWatcherName, "/StatusNotifierWatcher", kWatcherName, "RegisterStatusNotifierItem",
            g_variant_new("(s)", serviceName.c_str()), nullptr, G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, nullptr);
        return registered != nullptr;
    }
};

std::unique_ptr<TrayIcon> TrayIcon::Create(WindowSystem& system, WindowHandle window, uint32_t id,
                                           uint32_t callbackMessage, const std::wstring& title)
{
    static std::atomic<int> counter{0};
    auto state = std::make_unique<State>();
    state->system = &system;
    state->window = window;
    state->id = id;
    state->callbackMessage = callbackMessage;
    state->title = WideToUtf8(title);
    state->tip = state->title;
    state->serviceName = "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
    state->context.reset(g_main_context_new());
    state->loop.reset(g_main_loop_new(state->context.get(), FALSE));

    std::promise<bool> started;
    std::future<bool> ready = started.get_future();
    State* s = state.get();
    state->thread = std::thread([s, &started] {
        g_main_context_push_thread_default(s->context.get());
        const bool ok = s->Start();
        started.set_value(ok);
        if (ok)
            g_main_loop_run(s->loop.get());
        if (s->connection)
            g_dbus_connection_close_sync(s->connection.get(), nullptr, nullptr);
        g_main_context_pop_thread_default(s->context.get());
    });
    const bool ok = ready.wait_for(kStartTimeout) == std::future_status::ready && ready.get();
    auto icon = std::unique_ptr<TrayIcon>(new TrayIcon(std::move(state), nullptr));
    if (ok)
        return icon;
    icon.reset();   // stops the bus thread

    auto docked = std::make_unique<TrayIconWindow>(system, window, id, callbackMessage);
    if (!docked->Dock())
        return nullptr;
    return std::unique_ptr<TrayIcon>(new TrayIcon(nullptr, std::move(docked)));
}

TrayIcon::TrayIcon(std::unique_ptr<State> state, std::unique_ptr<TrayIconWindow> docked)
    : state_(std::move(state)), docked_(std::move(docked))
{
}

TrayIcon::~TrayIcon()
{
    if (!state_)
        return;
    // Queued on the bus thread's context, so a loop that has not started yet still ends at once.
    GSource* quit = g_idle_source_new();
    g_source_set_callback(
        quit,
        [](gpointer loop) {
            g_main_loop_quit(static_cast<GMainLoop*>(loop));
            return gboolean(G_SOURCE_REMOVE);
        },
        state_->loop.get(), nullptr);
    g_source_attach(quit, state_->context.get());
    g_source_unref(quit);
    if (state_->thread.joinable())
        state_->thread.join();
}

void TrayIcon::SetIcon(const Surface& icon)
{
    if (docked_) {
        docked_->SetIcon(icon);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->iconArgb.clear();
        state_->iconWidth = icon.Width();
        state_->iconHeight = icon.Height();
        for (int y = 0; y < icon.Height(); ++y)
            for (int x = 0; x < icon.Width(); ++x) {
                const uint32_t argb = Unpremultiply(icon.Pixel(x, y));
                for (int shift = 24; shift >= 0; shift -= 8)
                    state_->iconArgb.push_back(static_cast<uint8_t>(argb >> shift));
            }
    }
    state_->Emit(kItemPath, "org.kde.StatusNotifierItem", "NewIcon", nullptr);
}

void TrayIcon::SetTip(const std::wstring& tip)
{
    if (!state_)
        return;
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->tip = WideToUtf8(tip);
    }
    state_->Emit(kItemPath, "org.kde.StatusNotifierItem", "NewToolTip", nullptr);
}

void TrayIcon::SetMenu(std::vector<MenuItem> items)
{
    if (!state_)
        return;
    uint32_t revision = 0;
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->menu = std::move(items);
        revision = ++state_->menuRevision;
    }
    state_->Emit(kMenuPath, "com.canonical.dbusmenu", "LayoutUpdated", g_variant_new("(ui)", revision, 0));
}

std::string TrayIcon::ServiceName() const { return state_ ? state_->serviceName : std::string(); }

WindowHandle TrayIcon::DockedWindow() const { return docked_ ? docked_->Handle() : 0; }

} // namespace Vinto
