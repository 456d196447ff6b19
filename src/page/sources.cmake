# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    page/replaceall.h page/replaceall.cpp
    page/pageinput.h
    page/pagewriter.h page/pagewriter.cpp
)
