// The editor's entry points: fixed answers, no side effects, and the three
// that take or fill records write only what they may.
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <utility>

#include "contract/entry_points.h"
#include "module/registration.h"
#include "tests/fuzz/fuzz_report.h"
#include "tests/fuzz/session.h"
#include "tests/fuzz/session_ops.h"

namespace fuzz {
namespace {

constexpr int64_t kNoResult = INT64_MIN;

struct EditorEntry {
    const char* name;
    int64_t (*call)(const EditorArg* a);
    int64_t expected;
};

template <typename R, typename... P, size_t... I>
int64_t CallWith(R(WINAPI* entry)(P...), const EditorArg* a, std::index_sequence<I...>) {
    if constexpr (std::is_void_v<R>) {
        entry(a[I]...);
        return kNoResult;
    } else {
        return entry(a[I]...);
    }
}

// Calls a fixed entry point with as many of the values as it takes.
template <typename R, typename... P> int64_t CallFixed(R(WINAPI* entry)(P...), const EditorArg* a) {
    return CallWith(entry, a, std::index_sequence_for<P...>{});
}

// What a fixed entry point answers, in its own result type.
template <typename R> constexpr int64_t Expected(int64_t answer) {
    if constexpr (std::is_void_v<R>)
        return kNoResult;
    else
        return static_cast<R>(answer);
}

// Every entry point with a fixed answer, from the contract's list.
const EditorEntry kEditorEntries[] = {
#define CHX_FIXED_ENTRY(result, name, ordinal, arguments, answer)                                  \
    {#name, [](const EditorArg* a) { return CallFixed(&name, a); }, Expected<result>(answer)},
#define CHX_OWN_ENTRY(result, name, ordinal, arguments, parameters)
#include "contract/entry_point_list.inc"
#undef CHX_FIXED_ENTRY
#undef CHX_OWN_ENTRY
};
constexpr int kEditorEntryCount = sizeof kEditorEntries / sizeof kEditorEntries[0];
// Three more that take or fill records are handled by hand below.
constexpr int kEditorChoices = kEditorEntryCount + 3;

} // namespace

void OpEditorEntry(Session& s) {
    int index = s.in.U8() % kEditorChoices;
    EditorArg a[7];
    for (EditorArg& arg : a)
        arg = s.in.U32();
    CallContext c = ContextFor(s, nullptr, CallKind::kEditor, index);
    if (index < kEditorEntryCount) {
        const EditorEntry& e = kEditorEntries[index];
        Trace("editor %s", e.name);
        int64_t v = Checked(s, c, nullptr, [&] { return e.call(a); });
        FUZZ_EXPECT(v == e.expected, "%s answered %lld, expected %lld", e.name,
                    static_cast<long long>(v), static_cast<long long>(e.expected));
    } else if (index == kEditorEntryCount) {
        uint32_t v = Checked(s, c, nullptr, [&] { return GetInfos(a[0]); });
        FUZZ_EXPECT(v == (a[0] == 0 ? kGetInfosAnswer : 0u), "GetInfos(%lu) answered %u",
                    static_cast<unsigned long>(a[0]), v);
    } else if (index == kEditorEntryCount + 1) {
        // Two bytes exactly: PutObject may write those and nothing else.
        int16_t* out = static_cast<int16_t*>(std::malloc(sizeof(int16_t)));
        *out = 0x7777;
        Checked(s, c, nullptr, [&] {
            PutObject(a[0], out, a[2], a[3]);
            return 0;
        });
        FUZZ_EXPECT(*out == 0, "PutObject wrote %d, expected 0", *out);
        std::free(out);
    } else {
        RegistrationRecord* record =
            static_cast<RegistrationRecord*>(std::malloc(sizeof(RegistrationRecord)));
        std::memset(record, 0xEE, sizeof *record);
        uint16_t hostField = static_cast<uint16_t>(a[1]);
        record->hostField = hostField;
        int16_t v = Checked(s, c, nullptr, [&] { return GetRunObjectInfos(a[0], record); });
        FUZZ_EXPECT(v == kGetRunObjectInfosAnswer, "GetRunObjectInfos answered %d", v);
        FUZZ_EXPECT(record->hostField == hostField, "GetRunObjectInfos wrote the host's field");
        FUZZ_EXPECT(record->conditionCount == kConditionCount &&
                        record->actionCount == kActionCount &&
                        record->expressionCount == kExpressionCount &&
                        record->editDataSize == kEditDataSize,
                    "registration counts %u %u %u size %u", record->conditionCount,
                    record->actionCount, record->expressionCount, record->editDataSize);
        std::free(record);
    }
}

} // namespace fuzz
