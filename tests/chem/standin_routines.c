/* Stands in for the routines library in the binding's tests: it opens any file by index but
 * lacks GetSDFileEntryRA (and every molecule export). Its progress reports are fixed, and the
 * number of records it claims is the number of progress calls that were answered "go on".
 * Results carry bits above the low byte, which callers must ignore: the first close of a file
 * fails with 0x100, the count succeeds with 0x201. */
#include <stdint.h>
#include <string.h>

#define STANDIN_API __attribute__((visibility("default")))

typedef int32_t (*TProgressCallback)(int32_t Progress, void* UserData);

static int32_t answeredGoOn;

static void SetError(char* ErrBuf, int32_t ErrBufSize, const char* text) {
    if (ErrBuf == NULL || ErrBufSize <= 0) return;
    strncpy(ErrBuf, text, (size_t)ErrBufSize - 1);
    ErrBuf[ErrBufSize - 1] = '\0';
}

STANDIN_API int32_t OpenSDFileRA3(uintptr_t* FileHandle, const char* FileName, void* UserData,
                                  TProgressCallback Callback, char* ErrBuf, int32_t ErrBufSize) {
    static const int32_t steps[] = {0, 50, 100};
    *FileHandle = 0;
    if (strstr(FileName, "missing") != NULL) {
        SetError(ErrBuf, ErrBufSize, "stand-in: no such file");
        return 0;
    }
    answeredGoOn = 0;
    if (Callback != NULL) {
        /* A call without user data, as a careless caller might make. */
        answeredGoOn += Callback(0, NULL) != 0;
        for (unsigned i = 0; i < sizeof steps / sizeof steps[0]; ++i)
            answeredGoOn += Callback(steps[i], UserData) != 0;
    }
    SetError(ErrBuf, ErrBufSize, "");
    *FileHandle = 7;
    return 1;
}

STANDIN_API int32_t GetSDFileEntryCountRA(uintptr_t FileHandle, int32_t* Count, char* ErrBuf,
                                          int32_t ErrBufSize) {
    if (FileHandle != 7) {
        SetError(ErrBuf, ErrBufSize, "stand-in: bad handle");
        return 0;
    }
    *Count = answeredGoOn;
    return 0x201;
}

static int closeCalls;

STANDIN_API int32_t DestroySDFile(uintptr_t FileHandle, char* ErrBuf, int32_t ErrBufSize) {
    if (FileHandle != 7) {
        SetError(ErrBuf, ErrBufSize, "stand-in: bad handle");
        return 0;
    }
    if (closeCalls++ == 0) {
        SetError(ErrBuf, ErrBufSize, "stand-in: close refused");
        return 0x100;
    }
    return 1;
}
