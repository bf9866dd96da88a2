// fontconfig (2.14) loses a few bytes while parsing its configuration files in FcInit.
// They are not ours and cannot be freed, so the leak checker of sanitized builds is told
// to ignore allocations made inside that library. Without a sanitizer nothing calls this.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
