// The module's exports as the host knows them: name, ordinal and the number
// of 32-bit arguments each removes from the stack.
#pragma once

#include <cstdint>

namespace wine {

struct ExportEntry {
    const char* name;
    uint16_t ordinal;
    int arguments;
};

inline constexpr ExportEntry kExports[] = {
    {"GetInfos", 2, 1},
    {"DefaultOI", 3, 2},
    {"InitObject", 4, 4},
    {"ReinitObject", 5, 4},
    {"LoadObject", 6, 4},
    {"UnloadObject", 7, 3},
    {"PutObject", 8, 4},
    {"RemoveObject", 9, 4},
    {"MakeIcon", 10, 5},
    {"GetDesc", 11, 6},
    {"AppendPopup", 12, 5},
    {"SelectPopup", 13, 7},
    {"CreateObject", 14, 3},
    {"ModifyObject", 15, 6},
    {"RebuildExt", 16, 6},
    {"EndModifyObject", 17, 3},
    {"GetObjectCursor", 18, 4},
    {"GetObjectRect", 19, 4},
    {"EditorDisplay", 20, 5},
    {"IsTransparent", 21, 5},
    {"PrepareToWriteObject", 22, 3},
    {"UpdateFileNames", 23, 4},
    {"GetObjInfos", 36, 7},
    {"CreateRunObject", 50, 3},
    {"DestroyRunObject", 51, 2},
    {"HandleRunObject", 52, 1},
    {"DisplayRunObject", 53, 1},
    {"ReInitRunObject", 56, 1},
    {"PauseRunObject", 57, 1},
    {"ContinueRunObject", 58, 1},
    {"GetRunObjectInfos", 59, 2},
    {"GetConditionMenu", 60, 3},
    {"GetActionMenu", 61, 3},
    {"GetExpressionMenu", 62, 3},
    {"GetConditionCodeFromMenu", 63, 2},
    {"GetActionCodeFromMenu", 64, 2},
    {"GetExpressionCodeFromMenu", 65, 2},
    {"GetConditionString", 66, 4},
    {"GetActionString", 67, 4},
    {"GetExpressionString", 68, 4},
    {"InitParameter", 69, 3},
    {"EditParameter", 70, 3},
    {"GetParameterString", 71, 4},
    {"GetConditionTitle", 72, 5},
    {"GetActionTitle", 73, 5},
    {"GetExpressionTitle", 74, 4},
    {"GetConditionInfos", 75, 2},
    {"GetActionInfos", 76, 2},
    {"GetExpressionInfos", 77, 2},
    {"UpdateEditStructure", 78, 2},
    {"GetImageInfosRunObject", 79, 1},
    {"GetRunObjectDataSize", 80, 2},
};

} // namespace wine
