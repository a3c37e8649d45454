// The sanitizer build of the tests takes its settings from here rather than from the
// environment, so that every way of running them (ctest, the program by hand, a debugger)
// checks the same way.
#if defined(__SANITIZE_ADDRESS__)

#define KORVANE_SANITIZER_SETTING extern "C" __attribute__((visibility("default"), used)) const char*

// With the OpenGL and OpenAL libraries loaded, this glibc's dynamic thread-local storage is
// not laid out as the leak checker expects: following __tls_get_addr makes it read a bogus
// block and crash at exit, after the tests have passed.
KORVANE_SANITIZER_SETTING __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}

KORVANE_SANITIZER_SETTING __lsan_default_options()
{
    return "suppressions=" KORVANE_SOURCE_DIR "/tests/support/lsan.supp:print_suppressions=0";
}

KORVANE_SANITIZER_SETTING __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

#endif
