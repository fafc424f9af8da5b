// The windows of the calling thread: taking them over now and as they are
// created (a CBT hook on the thread), and redrawing them.
#pragma once

namespace morvane::engine {

// Takes over the thread's existing windows and hooks its new ones.
void ThemeCurrentThread();
void RedrawCurrentThread();
// Before the module goes away: unhooks and gives the thread's windows back.
void ReleaseAll();

}  // namespace morvane::engine
