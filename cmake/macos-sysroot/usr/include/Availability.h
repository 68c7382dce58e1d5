/* Declaration sysroot: availability markers. The deployment target comes
 * from the compiler (-mmacosx-version-min or the target triple); this SDK
 * describes macOS 14.0. */
#ifndef __AVAILABILITY__
#define __AVAILABILITY__

#define __MAC_10_12 101200
#define __MAC_10_13 101300
#define __MAC_10_14 101400
#define __MAC_10_15 101500
#define __MAC_11_0 110000
#define __MAC_12_0 120000
#define __MAC_13_0 130000
#define __MAC_14_0 140000

#ifndef __MAC_OS_X_VERSION_MIN_REQUIRED
#define __MAC_OS_X_VERSION_MIN_REQUIRED __ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__
#endif
#ifndef __MAC_OS_X_VERSION_MAX_ALLOWED
#define __MAC_OS_X_VERSION_MAX_ALLOWED __MAC_14_0
#endif

/* API_AVAILABLE(macos(10.15)) and friends: only the macOS form is
 * meaningful here; other platforms' arguments are accepted and dropped. */
#define __AXSDK_AVAIL_macos(v) __attribute__((availability(macos, introduced = v)))
#define __AXSDK_AVAIL_macosx(v) __AXSDK_AVAIL_macos(v)
#define __AXSDK_AVAIL_ios(v)
#define __AXSDK_AVAIL_tvos(v)
#define __AXSDK_AVAIL_watchos(v)
#define __AXSDK_AVAIL_macCatalyst(v)
#define __AXSDK_AVAIL_1(a) __AXSDK_AVAIL_##a
#define __AXSDK_AVAIL_2(a, b) __AXSDK_AVAIL_##a __AXSDK_AVAIL_##b
#define __AXSDK_AVAIL_3(a, b, c) __AXSDK_AVAIL_##a __AXSDK_AVAIL_##b __AXSDK_AVAIL_##c
#define __AXSDK_AVAIL_4(a, b, c, d) __AXSDK_AVAIL_##a __AXSDK_AVAIL_##b __AXSDK_AVAIL_##c __AXSDK_AVAIL_##d
#define __AXSDK_PICK(_1, _2, _3, _4, name, ...) name
#define API_AVAILABLE(...) \
  __AXSDK_PICK(__VA_ARGS__, __AXSDK_AVAIL_4, __AXSDK_AVAIL_3, __AXSDK_AVAIL_2, __AXSDK_AVAIL_1, )(__VA_ARGS__)

/* Deprecation is marked without versions; nothing here is unavailable. */
#define API_DEPRECATED(message, ...) __attribute__((deprecated(message)))
#define API_UNAVAILABLE(...)

#endif /* __AVAILABILITY__ */
