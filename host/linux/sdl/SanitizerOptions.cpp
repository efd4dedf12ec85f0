// In the sanitizer build: SDL, X and fontconfig keep allocations to the end
// of the process by design, which LeakSanitizer would report on every run
// (and fail it). The portable code's leaks are checked by the unit tests.
// Without the sanitizers nothing calls this.

extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}
