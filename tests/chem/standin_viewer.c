/* A stand-in for the structure viewer library, built twice: without most exports (the pool
   must refuse it), and with every export but answers the real library never gives (defaults
   that cannot be read, failures without an error text). */

#include <stdint.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

static void Put(char* buf, int32_t size, const char* text) {
    if (buf == 0 || size <= 0) return;
    strncpy(buf, text, (size_t)size - 1);
    buf[size - 1] = '\0';
}

EXPORT int32_t OpenMolString(uintptr_t* handle, const char* text, char* err, int32_t size) {
    *handle = 0;
    if (strcmp(text, "fail-silently") == 0) {
        Put(err, size, "");
        return 0;
    }
    if (strcmp(text, "fail-loudly") == 0) {
        Put(err, size, "4, cannot read, line 3, column 7");
        return 0;
    }
    *handle = 7;
    Put(err, size, "");
    return 1;
}

EXPORT int32_t DestroyMolFile(uintptr_t handle, char* err, int32_t size) {
    (void)handle;
    Put(err, size, "");
    return 1;
}

#ifdef STANDIN_ALL_EXPORTS

EXPORT int32_t GetDefaultMolFileConfiguration(void* record, char* err, int32_t size) {
    (void)record;
    Put(err, size, "5, defaults unavailable");
    return 0;
}
EXPORT int32_t GetDefaultRxnFileConfiguration(void* record, char* err, int32_t size) {
    (void)record;
    Put(err, size, "5, defaults unavailable");
    return 0;
}
EXPORT int32_t SetDefaultMolFileConfiguration(const void* record, char* err, int32_t size) {
    (void)record;
    Put(err, size, "");
    return 1;
}
EXPORT int32_t SetDefaultRxnFileConfiguration(const void* record, char* err, int32_t size) {
    (void)record;
    Put(err, size, "");
    return 1;
}
EXPORT int32_t SetMolFileConfiguration(uintptr_t handle, const void* record, char* err,
                                       int32_t size) {
    (void)handle;
    (void)record;
    Put(err, size, "");
    return 1;
}
/* Only the low byte of a result counts: 0x100 is a failure. */
EXPORT int32_t DrawMolFile(uintptr_t h, const void* dc, const void* rect, char* err, int32_t size) {
    (void)h;
    (void)dc;
    (void)rect;
    Put(err, size, "7, low quality refused");
    return 0x100;
}
EXPORT int32_t DrawMolFileHQ(uintptr_t h, const void* dc, const void* rect, char* err,
                             int32_t size) {
    (void)h;
    (void)dc;
    (void)rect;
    Put(err, size, "");
    return 0x101;
}
EXPORT int32_t OpenMolFile(uintptr_t* handle, const char* name, char* err, int32_t size) {
    (void)name;
    *handle = 0;
    Put(err, size, "3, no files here");
    return 0;
}

#define UNUSED_EXPORT(name) \
    EXPORT int32_t name(void) { return 0; }
UNUSED_EXPORT(OpenRxnFile)
UNUSED_EXPORT(OpenRxnString)
UNUSED_EXPORT(DestroyRxnFile)
UNUSED_EXPORT(DrawRxnFile)
UNUSED_EXPORT(DrawRxnFileHQ)
UNUSED_EXPORT(SetRxnFileConfiguration)
UNUSED_EXPORT(GetRxnFileReactantCount)
UNUSED_EXPORT(GetRxnFileProductCount)
UNUSED_EXPORT(GetMolFileRect)
UNUSED_EXPORT(GetRxnFileRect)
UNUSED_EXPORT(GetRxnFileReactantRect)
UNUSED_EXPORT(GetRxnFileProductRect)
UNUSED_EXPORT(GetMolFileRectHQ)
UNUSED_EXPORT(GetRxnFileRectHQ)
UNUSED_EXPORT(GetRxnFileReactantRectHQ)
UNUSED_EXPORT(GetRxnFileProductRectHQ)
UNUSED_EXPORT(GetMolFileFormula)
UNUSED_EXPORT(GetMolFileFormulaEx)
UNUSED_EXPORT(GetMolFileMassAsDouble)
UNUSED_EXPORT(GetMolFileMass)
UNUSED_EXPORT(GetMolFileMassEx)
UNUSED_EXPORT(GetRxnFileFormula)
UNUSED_EXPORT(GetRxnFileFormulaEx)
UNUSED_EXPORT(GetRxnFileMassAsDouble)
UNUSED_EXPORT(GetRxnFileMass)
UNUSED_EXPORT(GetRxnFileMassEx)
UNUSED_EXPORT(GetMolFileCompositionString)
UNUSED_EXPORT(GetRxnFileCompositionString)
UNUSED_EXPORT(GetMolFileStoichiometryFactor)
UNUSED_EXPORT(RemoveMolFileStoichiometryFactor)
UNUSED_EXPORT(GetRxnFileStoichiometryFactor)
UNUSED_EXPORT(SetRxnFileStoichiometryFactor)
UNUSED_EXPORT(RemoveRxnFileStoichiometryFactor)

#endif
