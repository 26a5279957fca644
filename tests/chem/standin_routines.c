/* Stands in for the routines library: opens any file by index, but lacks GetSDFileEntryRA and
 * every molecule export. It reports progress 0, 50 and 100 (and once without user data), and
 * claims as many records as progress calls were answered "go on". Results carry bits above the
 * low byte, which callers must ignore: the first close fails with 0x100, the count succeeds
 * with 0x201. */
#include <stdint.h>
#include <string.h>

#define STANDIN_API __attribute__((visibility("default")))

static int32_t answeredGoOn;
static int closeCalls;

static int32_t Fail(char* ErrBuf, int32_t ErrBufSize, const char* text, int32_t result) {
    if (ErrBuf != NULL && ErrBufSize > 0) {
        strncpy(ErrBuf, text, (size_t)ErrBufSize - 1);
        ErrBuf[ErrBufSize - 1] = '\0';
    }
    return result;
}

STANDIN_API int32_t OpenSDFileRA3(uintptr_t* FileHandle, const char* FileName, void* UserData,
                                  int32_t (*Callback)(int32_t, void*), char* ErrBuf,
                                  int32_t ErrBufSize) {
    *FileHandle = 0;
    if (strstr(FileName, "missing") != NULL)
        return Fail(ErrBuf, ErrBufSize, "stand-in: no such file", 0);
    answeredGoOn = Callback(0, NULL) != 0;
    answeredGoOn += Callback(0, UserData) != 0;
    answeredGoOn += Callback(50, UserData) != 0;
    answeredGoOn += Callback(100, UserData) != 0;
    *FileHandle = 7;
    return 1;
}

STANDIN_API int32_t GetSDFileEntryCountRA(uintptr_t FileHandle, int32_t* Count, char* ErrBuf,
                                          int32_t ErrBufSize) {
    if (FileHandle != 7) return Fail(ErrBuf, ErrBufSize, "stand-in: bad handle", 0);
    *Count = answeredGoOn;
    return 0x201;
}

STANDIN_API int32_t DestroySDFile(uintptr_t FileHandle, char* ErrBuf, int32_t ErrBufSize) {
    if (FileHandle != 7) return Fail(ErrBuf, ErrBufSize, "stand-in: bad handle", 0);
    if (closeCalls++ == 0) return Fail(ErrBuf, ErrBufSize, "stand-in: close refused", 0x100);
    return 1;
}
