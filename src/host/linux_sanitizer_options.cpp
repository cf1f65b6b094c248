// The sanitizer runtime's defaults for the Linux program in a sanitizer build
// (linked only there). The GL drivers keep thread-local data in libraries
// they load at run time, and the leak checker of GCC 12's runtime misreads
// glibc's record of that dynamic thread-local storage: its stop-the-world
// tracer crashes at exit ("Tracer caught signal 11") and the run fails with a
// sanitizer error that is not the program's. Not intercepting __tls_get_addr
// keeps it away from that record. The environment's ASAN_OPTIONS still apply
// on top.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
