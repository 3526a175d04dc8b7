// The few Windows types and values the contract speaks in. On Windows they
// come from <windows.h>; elsewhere they are declared here with the same
// names and widths, so that contract/ needs nothing beside itself.
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

#include <cstdint>

#define WINAPI

typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uintptr_t UINT_PTR;
typedef uint32_t COLORREF;

// Distinct handle types, so that a font cannot be passed where a DC is wanted.
#define CHX_DECLARE_HANDLE(name)                                                                   \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    typedef struct name##__* name
CHX_DECLARE_HANDLE(HDC);
CHX_DECLARE_HANDLE(HGDIOBJ);
typedef HGDIOBJ HFONT;

#define DT_CENTER 0x0001
#define DT_VCENTER 0x0004
#define DT_SINGLELINE 0x0020

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

#endif
