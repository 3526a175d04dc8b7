// The one window the module has on the operating system. On Windows it is
// <windows.h>; elsewhere it declares the small subset the module uses (the
// functions of dll/resources/windows_imports.inc, over the contract's own types),
// and testbed/simulated_machine/sim_*.cpp implement that subset as a simulated machine. The
// module never knows which of the two is underneath: the seam is at link time.
#pragma once

#include "contract/windows_types.h"

#ifndef _WIN32

#include <cstddef>
#include <cstdint>

#define WINAPIV
#define CALLBACK

typedef int BOOL;
typedef uint32_t UINT;
typedef intptr_t INT_PTR;
typedef intptr_t LPARAM;
typedef uintptr_t WPARAM;
typedef intptr_t LRESULT;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef void* HANDLE;

CHX_DECLARE_HANDLE(HWND);
CHX_DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;
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

// Every allowed function from Windows' own libraries is declared here: what
// the module may call and what the image checks allow are one list. The C
// library's come from the standard headers.
namespace chx_windows_imports {
#define CHX_WINDOWS_IMPORT(library, name) CHX_DECLARED_##library(name)
#define CHX_DECLARED_KERNEL32(name) static_assert(sizeof(&::name) > 0, #name);
#define CHX_DECLARED_USER32(name) static_assert(sizeof(&::name) > 0, #name);
#define CHX_DECLARED_GDI32(name) static_assert(sizeof(&::name) > 0, #name);
#define CHX_DECLARED_MSVCRT(name)
#include "resources/windows_imports.inc"
#undef CHX_WINDOWS_IMPORT
#undef CHX_DECLARED_KERNEL32
#undef CHX_DECLARED_USER32
#undef CHX_DECLARED_GDI32
#undef CHX_DECLARED_MSVCRT
} // namespace chx_windows_imports
