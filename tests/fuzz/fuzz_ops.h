// The byte code a fuzz input is read as. An input is the edit data (448
// bytes), the creation record's x and y (4 bytes), then operations until the
// bytes run out. Each operation is one byte (taken modulo kOpCount) and the
// argument bytes listed beside it; an argument past the end reads as 0.
#pragma once

#include <cstdint>

namespace fuzz {

constexpr int kSlots = 3; // objects alive at once

enum Op : uint8_t {
    kOpCreate,        // slot, how (see kCreate*), [display type, clock mode]
    kOpDestroy,       // slot
    kOpHandle,        // slot
    kOpFrames,        // slot mask, frame count, milliseconds per frame
    kOpDisplay,       // slot
    kOpPause,         // slot
    kOpContinue,      // slot
    kOpReInit,        // slot
    kOpCondition,     // slot, index, parameter, parameter
    kOpAction,        // slot, index, parameter, parameter
    kOpExpression,    // slot, index, parameter
    kOpClock,         // kind (see kClock*), arguments of that kind
    kOpEventCount,    // kind: 0 set to a 32-bit value, else add the kind byte
    kOpDisplayOrigin, // x (16 bits), y (16 bits)
    kOpProfile,       // key (0..3), length (255 = remove), characters
    kOpFailures,      // bits: 1 arm LocalAlloc failure, 2 font create, 4 GDI font
    kOpEditorEntry,   // index, seven arguments of 32 bits
    kOpHostHeader,    // slot, field (0 x, 1 y, 2 width, 3 height, 4 flags), 16-bit value
    kOpTextExtent,    // width per character, height
    kOpCount
};

// How kOpCreate builds the edit data from the input's record.
constexpr uint8_t kCreateSetType = 0x01; // next byte: display type 0..3
constexpr uint8_t kCreateSetMode = 0x02; // next byte: clock mode 0..2
constexpr uint8_t kCreateFailAlloc = 0x04;
constexpr uint8_t kCreateFailFont = 0x08;

enum ClockKind : uint8_t {
    kClockAdvance,     // 16-bit milliseconds forward
    kClockJump,        // signed 32-bit milliseconds
    kClockNewYearsEve, // year offset from 1980, milliseconds before midnight (16 bits)
    kClockLeapDay,     // year offset (times 4 from 1980), 0: 28 Feb, 1: 29 Feb, ms before midnight
    kClockSummerTime,  // one hour forward
    kClockWinterTime,  // one hour back
    kClockSet,         // year (16 bits), month, day, hour, minute, second, ms (16 bits)
    kClockKindCount
};

// A parameter of a routine: one selector byte, then four raw bytes only when
// the selector's top bit is set.
//   0x00..0x3F  selector - 8           (-8..55: the clock setters' small bounds)
//   0x40..0x7F  1970 + selector - 0x40 (1970..2033: the years)
//   0x80..0xFF  the next four bytes, little-endian
constexpr uint8_t kParamRaw = 0x80;

} // namespace fuzz
