/* A test library: tells which copy of it was loaded. */
int ProbeOrigin(void) {
    return PROBE_ORIGIN;
}
