// The simulated machine's state, shared by the testbed/simulated_machine/sim_*.cpp files only.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/clock_core.h"
#include "simulated_machine/sim_handles.h"
#include "simulated_machine/sim_machine.h"

namespace sim {

// Node allocator of the handle books below: freed nodes are kept and handed out
// again, so that steady drawing with the recorders off touches the heap only
// for the first few handles. Allocation counts then see the module alone.
template <class T> struct Recycling {
    using value_type = T;
    Recycling() = default;
    template <class U> Recycling(const Recycling<U>&) {}

    T* allocate(size_t n) {
        if (n == 1 && spare) {
            Spare* s = spare;
            spare = s->next;
            return reinterpret_cast<T*>(s);
        }
        return static_cast<T*>(
            ::operator new(n * sizeof(T) < sizeof(Spare) ? sizeof(Spare) : n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) {
        if (n != 1) {
            ::operator delete(p);
            return;
        }
        Spare* s = reinterpret_cast<Spare*>(p);
        s->next = spare;
        spare = s;
    }
    friend bool operator==(const Recycling&, const Recycling&) { return true; }

    struct Spare {
        Spare* next;
    };
    static inline Spare* spare = nullptr;
};

template <class K> using HandleSet = std::set<K, std::less<K>, Recycling<K>>;
template <class K, class V>
using HandleMap = std::map<K, V, std::less<K>, Recycling<std::pair<const K, V>>>;

struct DcState {
    HGDIOBJ pen;
    HGDIOBJ brush;
    HGDIOBJ font;
};

struct State {
    simclock::ClockCore clock;
    std::map<std::string, std::string> profile; // "section\nkey", lower case
    bool failNextAlloc = false;
    int failNth = 0; // the acquiring call to fail, 0 for none
    int acquiringCalls = 0;
    Acquiring failedByNth = Acquiring::kCount;
    std::set<void*> liveAllocs;
    bool recording = true;
    std::vector<Call> calls;
    uintptr_t nextHandle = kFirstMadeHandle;
    HandleSet<uintptr_t> liveGdi;
    HandleSet<uintptr_t> deletedWhileSelected; // still in liveGdi until deselected
    HandleMap<uintptr_t, DcState> dcs;         // handed out and not given back
    std::function<SIZE(const char*, int)> measure;
    bool failFontCreate = false;
    bool failGdiFont = false;
    uint16_t nextFont = 1;
    std::set<uint16_t> liveFonts;
    FontRequest lastRequest{};
    RunHeader runHeader{};
};

State& state();
void Record(const char* op, std::initializer_list<int64_t> args, const char* text = nullptr,
            bool failed = false);
// Counts an acquiring call and says whether it is to fail: the nth call of
// FailNthAcquiringCall, or a kind whose own switch is on.
bool Fails(Acquiring call, bool switchedOn = false);
uintptr_t NewHandle();

} // namespace sim
