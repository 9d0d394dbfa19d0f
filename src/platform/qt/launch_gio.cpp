// Opening documents with the program the desktop associates with their type. GIO's launch
// reports failure when nothing opens the file, where Qt's openUrl claims success. Kept apart
// from the Qt sources: GLib's headers and Qt's keywords clash.
#include "platform/ui.h"

#include <gio/gio.h>

namespace dg {

bool LaunchProgram(const std::string& program, const std::string& parameters,
                   const std::string& workingDirectory, int flags) {
    (void)parameters;
    (void)workingDirectory;
    (void)flags;
    std::string file = program;
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"')
        file = file.substr(1, file.size() - 2);
    if (file.empty())
        return false;
    // A relative path is taken from the working directory.
    GFile* document = g_file_new_for_path(file.c_str());
    gchar* uri = g_file_get_uri(document);
    g_object_unref(document);
    GError* error = nullptr;
    const gboolean launched = g_app_info_launch_default_for_uri(uri, nullptr, &error);
    g_clear_error(&error);
    g_free(uri);
    return launched != FALSE;
}

} // namespace dg
