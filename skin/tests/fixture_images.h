// The fixture DLLs of this program's own format, embedded at build time.
#pragma once

#include "core/bytes.h"

namespace morvane::testing {

// Exports Add @5, Mul @6, ReadGlobal @7, UseTwice @8, Weigh10 @10 by name and
// ordinal @9 without a name; imports NoteEvent by name and ordinal 17 from
// fixture_helper.dll; its entry point reports each call to NoteEvent.
ByteSet MainFixture();
// The same module with an entry point that reports the call and fails.
ByteSet FailingFixture();

}  // namespace morvane::testing
