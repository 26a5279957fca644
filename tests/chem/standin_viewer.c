/* A stand-in for the structure viewer library, built twice: with only two exports (the pool
   must refuse it), and with all of them but answers the real library never gives. */

#include <stdint.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

static int32_t Answer(char* err, int32_t size, const char* text, int32_t result) {
    if (err != 0 && size > 0) {
        strncpy(err, text, (size_t)size - 1);
        err[size - 1] = '\0';
    }
    return result;
}

EXPORT int32_t OpenMolString(uintptr_t* handle, const char* text, char* err, int32_t size) {
    *handle = 0;
    if (strcmp(text, "fail-silently") == 0) return Answer(err, size, "", 0);
    if (strcmp(text, "fail-loudly") == 0) return Answer(err, size, "4, cannot read, line 3, col 7", 0);
    *handle = 7;
    return Answer(err, size, "", 1);
}
EXPORT int32_t DestroyMolFile(uintptr_t h, char* err, int32_t size) {
    return Answer(err, size, "", h == 7);
}

#ifdef STANDIN_ALL_EXPORTS
EXPORT int32_t GetDefaultMolFileConfiguration(void* r, char* err, int32_t size) {
    return Answer(err, size, "5, defaults unavailable", r == 0);
}
EXPORT int32_t GetDefaultRxnFileConfiguration(void* r, char* err, int32_t size) {
    return Answer(err, size, "5, defaults unavailable", r == 0);
}
EXPORT int32_t SetDefaultMolFileConfiguration(const void* r, char* err, int32_t size) {
    return Answer(err, size, "", r != 0);
}
EXPORT int32_t SetDefaultRxnFileConfiguration(const void* r, char* err, int32_t size) {
    return Answer(err, size, "", r != 0);
}
EXPORT int32_t SetMolFileConfiguration(uintptr_t h, const void* r, char* err, int32_t size) {
    return Answer(err, size, "", h == 7 && r != 0);
}
/* Only the low byte of a result counts: 0x100 is a failure, 0x101 a success. */
EXPORT int32_t DrawMolFile(uintptr_t h, const void* dc, const void* rc, char* err, int32_t size) {
    return Answer(err, size, "7, low quality refused", 0x100 + (h == 0 && dc == rc));
}
EXPORT int32_t DrawMolFileHQ(uintptr_t h, const void* dc, const void* rc, char* err, int32_t size) {
    return Answer(err, size, "", 0x100 + (h == 7 && dc != rc));
}
EXPORT int32_t OpenMolFile(uintptr_t* handle, const char* name, char* err, int32_t size) {
    *handle = 0;
    return Answer(err, size, "3, no files here", name == 0);
}

#define UNUSED(name) \
    EXPORT int32_t name(void) { return 0; }
UNUSED(OpenRxnFile) UNUSED(OpenRxnString) UNUSED(DestroyRxnFile) UNUSED(DrawRxnFile)
UNUSED(DrawRxnFileHQ) UNUSED(SetRxnFileConfiguration) UNUSED(GetRxnFileReactantCount)
UNUSED(GetRxnFileProductCount) UNUSED(GetMolFileRect) UNUSED(GetRxnFileRect)
UNUSED(GetRxnFileReactantRect) UNUSED(GetRxnFileProductRect) UNUSED(GetMolFileRectHQ)
UNUSED(GetRxnFileRectHQ) UNUSED(GetRxnFileReactantRectHQ) UNUSED(GetRxnFileProductRectHQ)
UNUSED(GetMolFileFormula) UNUSED(GetMolFileFormulaEx) UNUSED(GetMolFileMassAsDouble)
UNUSED(GetMolFileMass) UNUSED(GetMolFileMassEx) UNUSED(GetRxnFileFormula)
UNUSED(GetRxnFileFormulaEx) UNUSED(GetRxnFileMassAsDouble) UNUSED(GetRxnFileMass)
UNUSED(GetRxnFileMassEx) UNUSED(GetMolFileCompositionString) UNUSED(GetRxnFileCompositionString)
UNUSED(GetMolFileStoichiometryFactor) UNUSED(RemoveMolFileStoichiometryFactor)
UNUSED(GetRxnFileStoichiometryFactor) UNUSED(SetRxnFileStoichiometryFactor)
UNUSED(RemoveRxnFileStoichiometryFactor)
#endif
