/* A stand-in for the structure search library that writes down every call it gets and gives
   the answers the test sets. Built twice: complete, and without its last export. */

#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

static char Calls[8192];
static uintptr_t NextMolecule = 101;
static int32_t CompareAnswer = 1;
static int32_t ExactAnswer = 1;
static int CompareHandleFails = 0;

static void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));
static void Note(const char* format, ...) {
    char line[160];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    strncat(Calls, line, sizeof Calls - strlen(Calls) - 1);
    strncat(Calls, "\n", sizeof Calls - strlen(Calls) - 1);
}

/* The first line of a molecule text (its title) stands for the text. */
static const char* Title(const char* text, char* title, size_t size) {
    size_t n = text != 0 ? strcspn(text, "\n") : 0;
    if (n >= size) n = size - 1;
    if (n > 0) memcpy(title, text, n);
    title[n] = '\0';
    return title;
}

/* The test's side. */
EXPORT const char* StandinCalls(void) { return Calls; }
EXPORT void StandinReset(int32_t compareAnswer, int32_t exactAnswer, int compareHandleFails) {
    Calls[0] = '\0';
    CompareAnswer = compareAnswer;
    ExactAnswer = exactAnswer;
    CompareHandleFails = compareHandleFails;
}

EXPORT uintptr_t CreateMoleculeHandle(void) {
    const uintptr_t h = NextMolecule++;
    Note("CreateMoleculeHandle=%lu", (unsigned long)h);
    return h;
}
EXPORT int32_t DestroyMoleculeHandle(uintptr_t h) {
    Note("DestroyMoleculeHandle(%lu)", (unsigned long)h);
    return 1;
}
EXPORT uintptr_t CreateCompareHandle(void) {
    const uintptr_t h = CompareHandleFails ? 0 : 900;
    Note("CreateCompareHandle=%lu", (unsigned long)h);
    return h;
}
EXPORT int32_t DestroyCompareHandle(uintptr_t h) {
    Note("DestroyCompareHandle(%lu)", (unsigned long)h);
    return 1;
}
EXPORT int32_t OpenMolString(uintptr_t h, const char* text) {
    char title[64];
    Note("OpenMolString(%lu,%s)", (unsigned long)h, Title(text, title, sizeof title));
    return 1;
}
EXPORT int32_t OpenMolFile(uintptr_t h, const char* path) {
    char title[64];
    Note("OpenMolFile(%lu,%s)", (unsigned long)h, Title(path, title, sizeof title));
    return 0;
}
EXPORT int32_t SetQueryMolecule(uintptr_t c, uintptr_t m) {
    Note("SetQueryMolecule(%lu,%lu)", (unsigned long)c, (unsigned long)m);
    return 1;
}
EXPORT int32_t SetTargetMolecule(uintptr_t c, uintptr_t m) {
    Note("SetTargetMolecule(%lu,%lu)", (unsigned long)c, (unsigned long)m);
    return 1;
}
EXPORT int32_t CompareMolecules(uintptr_t c) {
    Note("CompareMolecules(%lu)", (unsigned long)c);
    return CompareAnswer;
}
EXPORT int32_t ExactMatch(uintptr_t c) {
    Note("ExactMatch(%lu)", (unsigned long)c);
    return ExactAnswer;
}
EXPORT int32_t ConsiderStereoChemistry(uintptr_t c) {
    Note("ConsiderStereoChemistry(%lu)", (unsigned long)c);
    return 1;
}
EXPORT int32_t ConsiderStereoChemistry2(uintptr_t c, int32_t flag) {
    Note("ConsiderStereoChemistry2(%lu,%d)", (unsigned long)c, (int)flag);
    return 1;
}
EXPORT int32_t SetQueryHighlighting(uintptr_t c, int32_t flag) {
    Note("SetQueryHighlighting(%lu,%d)", (unsigned long)c, (int)flag);
    return 1;
}
EXPORT int32_t GetHighlightedMolecule(uintptr_t c, char** text) {
    Note("GetHighlightedMolecule(%lu)", (unsigned long)c);
    if (text != 0) *text = 0;
    return 0;
}
#ifndef STANDIN_WITHOUT_LAST_EXPORT
EXPORT int32_t CheckReactionPermutation(const char* a, const char* b) {
    Note("CheckReactionPermutation");
    return a != 0 && b != 0 && strcmp(a, b) == 0;
}
#endif
