#include "platform/desktop/FileHandlers.h"

#include <dlfcn.h>

namespace zt::platform::desktop {

namespace {

// GIO is loaded on first use only: it brings half a dozen libraries the
// window's start does not need.
struct Gio {
    using DefaultFor = void* (*)(const char*, int);
    using Unref = void (*)(void*);
    DefaultFor defaultFor = nullptr;
    Unref unref = nullptr;

    Gio()
    {
        void* lib = ::dlopen("libgio-2.0.so.0", RTLD_LAZY | RTLD_LOCAL);
        if (lib == nullptr)
            return;
        defaultFor = reinterpret_cast<DefaultFor>(::dlsym(lib, "g_app_info_get_default_for_type"));
        unref = reinterpret_cast<Unref>(::dlsym(lib, "g_object_unref"));
        if (defaultFor == nullptr || unref == nullptr)
            defaultFor = nullptr;
    }
};

} // namespace

std::optional<bool> hasProgramFor(const std::string& mimeType)
{
    static const Gio gio;
    if (gio.defaultFor == nullptr)
        return std::nullopt;
    void* app = gio.defaultFor(mimeType.c_str(), 0);
    if (app == nullptr)
        return false;
    gio.unref(app);
    return true;
}

} // namespace zt::platform::desktop
