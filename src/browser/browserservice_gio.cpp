// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/browserservice.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QStandardPaths>

#include <memory>

// GLib's headers use "signals" as a name, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace {

template<typename T>
struct GFreeDeleter
{
    void operator()(T *p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFreeDeleter<gchar>>;

struct GObjectDeleter
{
    void operator()(gpointer object) const { g_object_unref(object); }
};

// Finds the default application of the file's MIME type through GIO, which
// reads the desktop entries and mimeapps.list files of the XDG folders.
class GioBrowserService : public BrowserService
{
public:
    std::optional<BrowserProgram> findProgram(const QString &probePath) override
    {
        const QString mimeType = QMimeDatabase().mimeTypeForFile(probePath).name();
        const GCharPtr contentType(g_content_type_from_mime_type(mimeType.toUtf8().constData()));
        if (!contentType)
            return std::nullopt;
        GAppInfo *info = g_app_info_get_default_for_type(contentType.get(), FALSE);
        if (!info)
            return std::nullopt;
        std::shared_ptr<void> handle(info, GObjectDeleter());

        // The entry may name a program that is no longer installed.
        const char *executable = g_app_info_get_executable(info);
        if (!executable || !*executable)
            return std::nullopt;
        const GCharPtr resolved(g_find_program_in_path(executable));
        if (!resolved)
            return std::nullopt;

        BrowserProgram program;
        program.executable = QFile::decodeName(resolved.get());
        program.name = QString::fromUtf8(g_app_info_get_display_name(info));
        program.platform = std::move(handle);
        return program;
    }

    bool start(const BrowserProgram &program, const QString &pagePath, QWidget *) override
    {
        auto *info = static_cast<GAppInfo *>(program.platform.get());
        if (!info)
            return false;
        // Handing GIO a file rather than a string lets it expand every field
        // code of the Exec line: %f and %F give the path, %u and %U its URI,
        // each as one argument however many spaces the path holds.
        std::unique_ptr<GFile, GObjectDeleter> file(g_file_new_for_path(QFile::encodeName(pagePath).constData()));
        GList files = {file.get(), nullptr, nullptr};
        GError *error = nullptr;
        const bool started = g_app_info_launch(info, &files, nullptr, &error);
        if (error)
            g_error_free(error);
        return started;
    }
};

} // namespace

namespace Browser {

BrowserService &platformService()
{
    static GioBrowserService service;
    return service;
}

QStringList probeFolders()
{
    // Qt gives an empty folder when it has none that it can use.
    return {QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), QDir::tempPath()};
}

} // namespace Browser
