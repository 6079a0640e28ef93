// Linked into every program of the sanitizer and fuzz builds. LeakSanitizer
// reads these defaults at exit: the session bus and font configuration
// libraries keep caches for the life of the process and never free them.
// They are the system's, not the program's, so they would fail every run
// under a real display without telling anything about the program.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n"
         "leak:libfontconfig.so\n";
}
