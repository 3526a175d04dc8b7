// A fuzz input written operation by operation, in the byte code the harness
// reads (fuzz_ops.h), for the seeds a campaign starts from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/civil_calendar.h"
#include "tests/fuzz/fuzz_ops.h"

namespace fuzz {

struct Seed {
    std::vector<uint8_t> bytes;

    void U8(int v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void U16(int v) {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(uint32_t v) {
        U16(static_cast<int>(v & 0xFFFF));
        U16(static_cast<int>(v >> 16));
    }
    void Param(int32_t v) {
        if (v >= -8 && v <= 55) {
            U8(v + 8);
        } else if (v >= 1970 && v <= 2033) {
            U8(0x40 + v - 1970);
        } else {
            U8(kParamRaw);
            U32(static_cast<uint32_t>(v));
        }
    }

    void Create(int slot, int type, int mode) {
        U8(kOpCreate);
        U8(slot);
        U8(kCreateSetType | kCreateSetMode);
        U8(type);
        U8(mode);
    }
    void CreateAsStored(int slot, int how = 0) {
        U8(kOpCreate);
        U8(slot);
        U8(how);
    }
    void Frames(int count, int ms, int mask = 0) {
        U8(kOpFrames);
        U8(mask);
        U8(count);
        U8(ms);
    }
    void Routine(Op op, int slot, int index, int32_t p1, int32_t p2 = 0) {
        U8(op);
        U8(slot);
        U8(index);
        Param(p1);
        if (op != kOpExpression) Param(p2);
    }
    void Clock(ClockKind kind) {
        U8(kOpClock);
        U8(kind);
    }
    void NewYearsEve(int year, int msBefore) {
        Clock(kClockNewYearsEve);
        U8(year - 1980);
        U16(msBefore);
    }
    void LeapDay(int year, int day, int msBefore) {
        Clock(kClockLeapDay);
        U8((year - 1980) / 4);
        U8(day - 28);
        U16(msBefore);
    }
    void Profile(int key, const std::string& value) {
        U8(kOpProfile);
        U8(key);
        U8(static_cast<int>(value.size()));
        for (char c : value)
            U8(c);
    }
    void Simple(Op op, int slot) {
        U8(op);
        U8(slot);
    }
    // Each field as kOpClock's kClockSet reads it back.
    void SetClock(int year, int month, int day, int hour, int minute, int second, int ms) {
        Clock(kClockSet);
        U16(year - civil::kFirstYear);
        U8(month - 1);
        U8(day - 1);
        U8(hour);
        U8(minute);
        U8(second);
        U16(ms);
    }
};

} // namespace fuzz
