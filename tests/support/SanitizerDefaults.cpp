// Sanitizer settings compiled into every test and fuzz program, so a suite behaves the same whether
// CTest, a debugger or a developer's shell starts it: no environment variables to forget.

extern "C" {

const char* __asan_default_options() { return "detect_leaks=1:strict_string_checks=1"; }

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

const char* __lsan_default_options() { return "print_suppressions=0"; }

const char* __tsan_default_options() { return "halt_on_error=1:second_deadlock_stack=1"; }

// System libraries that keep process-wide caches on purpose.
const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libpango\n"
           "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libX11.so\n"
           "leak:libcairo.so\n"
           "leak:libgdk_pixbuf\n"
           "leak:libdbus\n";
}

// Races reported inside system libraries that were not built with ThreadSanitizer.
const char* __tsan_default_suppressions()
{
    return "called_from_lib:libglib-2.0.so\n"
           "called_from_lib:libgio-2.0.so\n"
           "called_from_lib:libX11.so\n";
}

} // extern "C"
