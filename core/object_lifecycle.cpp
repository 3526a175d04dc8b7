// PLACEHOLDER: replaced by the object core.
#include "core/records.h"
#include "module/entry_points.h"

extern "C" int16_t WINAPI GetRunObjectDataSize(EditorArg, EditorArg) {
    return kRunDataSize;
}
extern "C" int16_t WINAPI CreateRunObject(RunData*, const EditData*, const CreationRecord*) {
    return -1;
}
extern "C" int16_t WINAPI DestroyRunObject(RunData*, EditorArg) {
    return 0;
}
