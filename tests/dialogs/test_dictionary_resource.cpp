// Holds the compiled dictionaries (added as resources by the build) for the dialog tests.
int ZelmarTestDictionaryAnchor = 0;
