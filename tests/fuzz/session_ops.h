// The operations of the byte code (fuzz_ops.h): each reads its arguments
// from the session's input, whether or not it then has anything to call,
// and plays them with every call checked.
#pragma once

#include "tests/fuzz/session.h"

namespace fuzz {

// The object's life.
void OpCreate(Session& s);
void OpDestroy(Session& s);
void OpHandle(Session& s);
void OpFrames(Session& s);
void OpDisplay(Session& s);
void OpPause(Session& s);
void OpContinue(Session& s);
void OpReInit(Session& s);
// Every object still alive destroyed, as the host does at the frame's end.
void DestroyAll(Session& s);

// The routine tables.
void OpCondition(Session& s);
void OpAction(Session& s);
void OpExpression(Session& s);

// The world around the object.
void OpClock(Session& s);
void OpEventCount(Session& s);
void OpDisplayOrigin(Session& s);
void OpProfile(Session& s);
void OpFailures(Session& s);
void OpHostHeader(Session& s);
void OpTextExtent(Session& s);

// The editor's entry points.
void OpEditorEntry(Session& s);

} // namespace fuzz
