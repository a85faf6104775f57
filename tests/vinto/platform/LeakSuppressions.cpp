// fontconfig keeps process-wide caches it never frees; LeakSanitizer reads these suppressions
// from the test program itself, so they hold however the suite is started.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libpango\nleak:libglib-2.0.so\nleak:libgobject-2.0.so\n";
}
