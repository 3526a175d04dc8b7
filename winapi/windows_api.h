// The one window the module has on the operating system. On Windows it is
// <windows.h>; elsewhere it declares the small subset the module uses, and
// simulated_machine/sim_*.cpp implement that subset as a simulated machine. The module
// never knows which of the two is underneath: the seam is at link time.
#pragma once

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#else

#include <cstddef>
#include <cstdint>

#define WINAPI
#define WINAPIV
#define CALLBACK

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LPARAM;
typedef uintptr_t WPARAM;
typedef intptr_t LRESULT;
typedef uint32_t COLORREF;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef void* HANDLE;

// Distinct handle types, so that a font cannot be passed where a DC is wanted.
#define CHX_DECLARE_HANDLE(name)                                                                   \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    typedef struct name##__* name
CHX_DECLARE_HANDLE(HWND);
CHX_DECLARE_HANDLE(HDC);
CHX_DECLARE_HANDLE(HINSTANCE);
CHX_DECLARE_HANDLE(HGDIOBJ);
typedef HINSTANCE HMODULE;
typedef HGDIOBJ HFONT;
typedef HGDIOBJ HPEN;
typedef HGDIOBJ HBRUSH;
typedef HANDLE HLOCAL;

#define TRUE 1
#define FALSE 0

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)

#define PS_SOLID 0
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH

#define DT_CENTER 0x0001
#define DT_VCENTER 0x0004
#define DT_SINGLELINE 0x0020

#define WM_TIMECHANGE 0x001E
#define HWND_BROADCAST ((HWND)(uintptr_t)0xffff)

#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *LPSYSTEMTIME;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *LPSIZE;

extern "C" {
// kernel32
void WINAPI GetLocalTime(LPSYSTEMTIME time);
BOOL WINAPI SetLocalTime(const SYSTEMTIME* time);
DWORD WINAPI GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer,
                               DWORD size);
HLOCAL WINAPI LocalAlloc(UINT flags, size_t bytes);
HLOCAL WINAPI LocalFree(HLOCAL memory);
BOOL WINAPI DisableThreadLibraryCalls(HMODULE module);

// user32
int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...);
int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size);
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// gdi32
HPEN WINAPI CreatePen(int style, int width, COLORREF colour);
HGDIOBJ WINAPI GetStockObject(int which);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
BOOL WINAPI Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL WINAPI DeleteObject(HGDIOBJ object);
BOOL WINAPI GetTextExtentPointA(HDC dc, LPCSTR text, int length, LPSIZE size);
}

#endif
