#include "platform/desktop/RecentFiles.h"

#include <glib.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace zt::platform::desktop {

namespace {

struct GFreeDeleter {
    void operator()(void* p) const { g_free(p); }
};
using GString = std::unique_ptr<char, GFreeDeleter>;

struct BookmarkDeleter {
    void operator()(GBookmarkFile* f) const { g_bookmark_file_free(f); }
};
using Bookmarks = std::unique_ptr<GBookmarkFile, BookmarkDeleter>;

std::string takeMessage(GError* error)
{
    std::string message = error != nullptr && error->message != nullptr ? error->message : "unbekannter Fehler";
    if (error != nullptr)
        g_error_free(error);
    return message;
}

bool exists(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
}

// Loads the list; a missing list is an empty one. False for a list that
// is there but cannot be read: writing over it would lose other programs'
// entries.
bool load(GBookmarkFile* bookmarks, const std::string& listFile, std::string* error)
{
    GError* failure = nullptr;
    if (g_bookmark_file_load_from_file(bookmarks, listFile.c_str(), &failure))
        return true;
    const bool missing = g_error_matches(failure, G_FILE_ERROR, G_FILE_ERROR_NOENT);
    const std::string message = takeMessage(failure);
    if (missing)
        return true;
    if (error != nullptr)
        *error = message;
    return false;
}

void makeParents(const std::string& file)
{
    const auto slash = file.rfind('/');
    if (slash != std::string::npos && slash > 0)
        g_mkdir_with_parents(file.substr(0, slash).c_str(), 0700);
}

} // namespace

std::string recentlyUsedFile()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/')
        return std::string(data) + "/recently-used.xbel";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && *home ? home : g_get_home_dir()) + "/.local/share/recently-used.xbel";
}

bool addRecentFile(const std::string& listFile, const std::string& path, const RecentEntry& entry, std::string* error)
{
    GError* failure = nullptr;
    const GString uri(g_filename_to_uri(path.c_str(), nullptr, &failure));
    if (!uri) {
        if (error != nullptr)
            *error = takeMessage(failure);
        else
            takeMessage(failure);
        return false;
    }
    const Bookmarks bookmarks(g_bookmark_file_new());
    if (!load(bookmarks.get(), listFile, error))
        return false;
    // The visit and the application's own stamp say "now"; the file keeps
    // what other programs recorded about it.
    g_bookmark_file_set_mime_type(bookmarks.get(), uri.get(), entry.mimeType.c_str());
    g_bookmark_file_set_is_private(bookmarks.get(), uri.get(), FALSE);
    GDateTime* now = g_date_time_new_now_utc();
    g_bookmark_file_set_visited_date_time(bookmarks.get(), uri.get(), now);
    g_bookmark_file_set_application_info(bookmarks.get(), uri.get(), entry.application.c_str(), entry.exec.c_str(), -1,
                                         now, nullptr);
    g_date_time_unref(now);
    makeParents(listFile);
    if (!g_bookmark_file_to_file(bookmarks.get(), listFile.c_str(), &failure)) {
        if (error != nullptr)
            *error = takeMessage(failure);
        else
            takeMessage(failure);
        return false;
    }
    return true;
}

std::vector<std::string> recentFiles(const std::string& listFile, const std::string& application,
                                     const std::string& mimeType, std::size_t limit)
{
    const Bookmarks bookmarks(g_bookmark_file_new());
    if (!exists(listFile) || !load(bookmarks.get(), listFile, nullptr))
        return {};
    struct Found {
        std::string path;
        gint64 stamp;
    };
    std::vector<Found> found;
    gsize count = 0;
    gchar** uris = g_bookmark_file_get_uris(bookmarks.get(), &count);
    for (gsize i = 0; i < count; ++i) {
        const char* uri = uris[i];
        if (!g_bookmark_file_has_application(bookmarks.get(), uri, application.c_str(), nullptr))
            continue;
        const GString type(g_bookmark_file_get_mime_type(bookmarks.get(), uri, nullptr));
        if (!type || mimeType != type.get())
            continue;
        GDateTime* stamp = nullptr;
        if (!g_bookmark_file_get_application_info(bookmarks.get(), uri, application.c_str(), nullptr, nullptr, &stamp,
                                                  nullptr))
            continue;
        const GString path(g_filename_from_uri(uri, nullptr, nullptr));
        if (!path || !exists(path.get()))
            continue;
        const gint64 usec =
            stamp != nullptr ? g_date_time_to_unix(stamp) * G_USEC_PER_SEC + g_date_time_get_microsecond(stamp) : 0;
        found.push_back({path.get(), usec});
    }
    g_strfreev(uris);
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.stamp > b.stamp; });
    std::vector<std::string> paths;
    for (const Found& f : found) {
        if (paths.size() >= limit)
            break;
        paths.push_back(f.path);
    }
    return paths;
}

} // namespace zt::platform::desktop
