/* A stand-in for the structure search library that writes down the calls it gets and gives
   the answers the test sets. Built complete and without its last export. */

#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

static char Calls[4096];
static unsigned long NextMolecule = 101;
static int32_t Answer = 1;
static int CompareHandleFails = 0;

static void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));
static void Note(const char* format, ...) {
    const size_t used = strlen(Calls);
    va_list args;
    va_start(args, format);
    vsnprintf(Calls + used, sizeof Calls - used, format, args);
    va_end(args);
}

EXPORT const char* StandinCalls(void) { return Calls; }
EXPORT void StandinReset(int32_t answer, int compareHandleFails) {
    Calls[0] = '\0';
    Answer = answer;
    CompareHandleFails = compareHandleFails;
}

EXPORT uintptr_t CreateMoleculeHandle(void) {
    Note("CreateMoleculeHandle=%lu ", NextMolecule);
    return NextMolecule++;
}
EXPORT uintptr_t CreateCompareHandle(void) {
    Note("CreateCompareHandle=%d ", CompareHandleFails ? 0 : 900);
    return CompareHandleFails ? 0 : 900;
}
/* Molecule texts are single words here. */
EXPORT int32_t OpenMolString(uintptr_t h, const char* text) {
    Note("Open(%lu,%s) ", (unsigned long)h, text);
    return 1;
}
#define ONE_HANDLE(name, result)                 \
    EXPORT int32_t name(uintptr_t h) {           \
        Note(#name "(%lu) ", (unsigned long)h); \
        return result;                           \
    }
#define TWO_ARGS(name, type)                                            \
    EXPORT int32_t name(uintptr_t h, type v) {                          \
        Note(#name "(%lu,%lu) ", (unsigned long)h, (unsigned long)v); \
        return 1;                                                       \
    }
ONE_HANDLE(DestroyMoleculeHandle, 1)
ONE_HANDLE(DestroyCompareHandle, 1)
ONE_HANDLE(CompareMolecules, Answer)
ONE_HANDLE(ExactMatch, Answer)
ONE_HANDLE(ConsiderStereoChemistry, 1)
TWO_ARGS(SetQueryMolecule, uintptr_t)
TWO_ARGS(SetTargetMolecule, uintptr_t)
TWO_ARGS(ConsiderStereoChemistry2, int32_t)
TWO_ARGS(SetQueryHighlighting, int32_t)
EXPORT int32_t OpenMolFile(uintptr_t h, const char* path) { return OpenMolString(h, path); }
EXPORT int32_t GetHighlightedMolecule(uintptr_t h, char** text) {
    *text = 0;
    return (int32_t)(h & 0);
}
EXPORT int32_t CheckReactionPermutation(const char* a, const char* b) { return strcmp(a, b) == 0; }
#ifndef STANDIN_WITHOUT_LAST_EXPORT
/* Answer 1: key "k" ("k+s" with stereo); 0: no atoms; below 0: unreadable. */
EXPORT int32_t GetExactMatchKey(uintptr_t h, int32_t stereo, char** key) {
    Note("GetExactMatchKey(%lu,%d) ", (unsigned long)h, (int)stereo);
    *key = 0;
    if (Answer < 0) return -1;
    if (Answer == 0) return 0;
    *key = (char*)malloc(8);
    if (*key) strcpy(*key, stereo ? "k+s" : "k");
    return *key ? 1 : -1;
}
#endif
