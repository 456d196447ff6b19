# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    browser/browserservice.h browser/browserservice.cpp
    browser/openinbrowser.h browser/openinbrowser.cpp
)
# The platform's way of finding and starting the associated program.
if(WIN32)
    target_sources(kelvane_core PRIVATE browser/browserservice_win.cpp)
else()
    target_sources(kelvane_core PRIVATE browser/browserservice_gio.cpp)
endif()
