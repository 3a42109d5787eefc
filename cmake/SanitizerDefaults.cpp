// Compiled into every sanitized executable, so the settings hold however the program is started
// (ctest, a test spawning veskel-cli, a shell).

extern "C" {

// Allocations that system libraries keep for the life of the process, and one Qt 6.4 leak in
// its PDF loader on damaged files.
const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n"
           "leak:libdbus\n"
           "leak:libglib\n"
           "leak:QPdfDocumentPrivate\n";
}

const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

} // extern "C"
