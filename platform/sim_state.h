// The simulated machine's state, shared by the platform/sim_*.cpp files only.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sim_machine.h"

namespace sim {

struct DcState {
    HGDIOBJ pen;
    HGDIOBJ brush;
    HGDIOBJ font;
};

struct State {
    SYSTEMTIME clock;
    int clockReads = 0;
    int clockWrites = 0;
    std::map<std::string, std::string> profile; // "section\nkey", lower case
    bool failNextAlloc = false;
    std::set<void*> liveAllocs;
    bool recording = true;
    std::vector<Call> calls;
    uintptr_t nextHandle = 0x10000;
    std::set<uintptr_t> liveGdi;
    std::map<uintptr_t, DcState> dcs; // handed out and not given back
    std::function<SIZE(const char*, int)> measure;
    bool failFontCreate = false;
    bool failGdiFont = false;
    uint16_t nextFont = 1;
    std::set<uint16_t> liveFonts;
    FontRequest lastRequest{};
    RunHeader runHeader{};
};

State& state();
void Record(const char* op, std::initializer_list<int64_t> args, const char* text = nullptr);
uintptr_t NewHandle();

} // namespace sim
