#pragma once
// Owning pointers for the GLib and GIO objects the shell services use, so every handle is released on
// every path.
// Thread contract: plain owning types; an object is used by one thread at a time.

#include <gio/gio.h>
#include <glib.h>

#include <memory>

struct GFreeDeleter {
    void operator()(void* p) const { g_free(p); }
};
struct GKeyFileDeleter {
    void operator()(GKeyFile* k) const { g_key_file_unref(k); }
};
struct GObjectDeleter {
    void operator()(void* o) const { g_object_unref(o); }
};
struct GVariantDeleter {
    void operator()(GVariant* v) const { g_variant_unref(v); }
};
struct GStrvDeleter {
    void operator()(gchar** v) const { g_strfreev(v); }
};

using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;
using GKeyFilePtr = std::unique_ptr<GKeyFile, GKeyFileDeleter>;
using GVariantPtr = std::unique_ptr<GVariant, GVariantDeleter>;
using GStrvPtr = std::unique_ptr<gchar*, GStrvDeleter>;
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter>;

// Collects a GError out-parameter and frees it when the scope ends.
class GErrorSlot {
public:
    GError** operator&() { return &error_; }
    GError* get() const { return error_; }
    explicit operator bool() const { return error_ != nullptr; }
    ~GErrorSlot()
    {
        if (error_)
            g_error_free(error_);
    }

private:
    GError* error_ = nullptr;
};
