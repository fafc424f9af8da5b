// Stands in for the skin engine in tests: records the ten words of every call
// and every call of its entry point, and hands the record to the test. With
// each call it also notes the text length of a window the test names, which
// shows whether the call came before or after a command changed that window.

typedef __UINTPTR_TYPE__ word;

__declspec(dllimport) int __stdcall GetWindowTextLengthW(void* window);

enum { kMaxCalls = 256 };

struct RecordedCall {
    word export_id;  // 1 SkinH_AttachRes, 2 SkinH_AdjustAero, 3 SkinH_SetAero
    word words[10];
    word watched_length;
};

static struct RecordedCall calls[kMaxCalls];
static int call_count;
static int attach_count;
static int detach_count;
static void* watched_window;

static int Record(word id, word w1, word w2, word w3, word w4, word w5, word w6, word w7, word w8, word w9,
                  word w10) {
    if (call_count < kMaxCalls) {
        struct RecordedCall* call = &calls[call_count];
        call->export_id = id;
        call->words[0] = w1;
        call->words[1] = w2;
        call->words[2] = w3;
        call->words[3] = w4;
        call->words[4] = w5;
        call->words[5] = w6;
        call->words[6] = w7;
        call->words[7] = w8;
        call->words[8] = w9;
        call->words[9] = w10;
        call->watched_length = watched_window ? (word)GetWindowTextLengthW(watched_window) : 0;
    }
    ++call_count;
    return 1;
}

int __stdcall SkinH_AttachRes(word w1, word w2, word w3, word w4, word w5, word w6, word w7, word w8, word w9,
                              word w10) {
    return Record(1, w1, w2, w3, w4, w5, w6, w7, w8, w9, w10);
}

int __stdcall SkinH_AdjustAero(word w1, word w2, word w3, word w4, word w5, word w6, word w7, word w8, word w9,
                               word w10) {
    return Record(2, w1, w2, w3, w4, w5, w6, w7, w8, w9, w10);
}

int __stdcall SkinH_SetAero(word w1, word w2, word w3, word w4, word w5, word w6, word w7, word w8, word w9,
                            word w10) {
    return Record(3, w1, w2, w3, w4, w5, w6, w7, w8, w9, w10);
}

const struct RecordedCall* __stdcall RecordedCalls(void) { return calls; }
int __stdcall RecordedCallCount(void) { return call_count; }
void __stdcall WatchWindow(void* window) { watched_window = window; }
int __stdcall AttachCount(void) { return attach_count; }
int __stdcall DetachCount(void) { return detach_count; }

int __stdcall RecordingEntry(void* module, unsigned long reason, void* reserved) {
    (void)module;
    (void)reserved;
    if (reason == 1) ++attach_count;
    if (reason == 0) ++detach_count;
    return 1;
}
