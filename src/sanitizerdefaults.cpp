// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled into every program of a sanitizer build.

// The address sanitizer runtimes of GCC 12 and clang 14 look at each block of
// dynamic thread-local storage a thread allocates; when malloc has placed one
// 16 bytes into a page, they take it for the layout of glibc 2.19 and read its
// start and size from the 16 bytes before it, which are the allocator's own
// chunk header. libjpeg, loaded with Qt's image plugin, has such a block in
// every thread that reads or writes a JPEG; in about one heap layout in 128 it
// lands there, and the leak check at exit then scans the made-up range (it
// starts at the allocation's stack id, a few thousand) and its tracer dies:
// "Tracer caught signal 11: addr=0xc60", a fatal error with no leak. On
// glibc 2.25 and later the interception finds no range to scan in any other
// case, so turning it off leaves the leak check scanning what it scanned before.
extern "C" const char *__asan_default_options();
extern "C" const char *__asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
