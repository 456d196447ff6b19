// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Windows has no freedesktop thumbnail cache. Without a URI for a picture
// the thumbnail sources neither read nor write one there.

typedef char gchar;

inline gchar *g_filename_to_uri(const char *, const char *, void *)
{
    return nullptr;
}

inline void g_free(void *) {}
