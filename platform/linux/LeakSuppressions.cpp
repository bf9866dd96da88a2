// Leaks inside system libraries that the leak checker of sanitizer builds should not report:
// fontconfig keeps a few hundred bytes of its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
