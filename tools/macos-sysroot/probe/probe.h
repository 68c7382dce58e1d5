// The entry points of the cross-build probe library (see probe.mm).
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

#define AXT_PROBE_EXPORT __attribute__((visibility("default")))

AXT_PROBE_EXPORT int axt_probe_accessibility(int pid, char* role, int size);
AXT_PROBE_EXPORT int axt_probe_keyboard(void);
AXT_PROBE_EXPORT void axt_probe_workspace(void (*activated)(int pid, const char* bundle));
AXT_PROBE_EXPORT void axt_probe_later(double seconds, void (*done)(void* context), void* context);
AXT_PROBE_EXPORT long axt_probe_pasteboard(void);
AXT_PROBE_EXPORT void* axt_probe_track(void* object);
AXT_PROBE_EXPORT int axt_probe_threads(void);

#ifdef __cplusplus
}
#endif
