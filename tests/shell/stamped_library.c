/* A library that carries nothing but its version note. */
int zelmar_test_library_marker(void) { return 1; }
