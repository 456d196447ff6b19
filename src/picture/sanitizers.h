// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// KELVANE_SANITIZED is defined in a build with AddressSanitizer or
// ThreadSanitizer, by GCC's or clang's own word. Such a build decodes a few
// times slower, reserves terabytes of shadow memory up front, and checks for
// leaks at the end from a process of its own that traces the program.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KELVANE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KELVANE_SANITIZED 1
#endif
#endif
