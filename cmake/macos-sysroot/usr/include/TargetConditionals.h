/* Declaration sysroot: target conditionals. Clang defines the TARGET_OS_
 * family itself for Apple targets (-fdefine-target-os-macros); this header
 * adds the processor and run-time ones. */
#ifndef __TARGETCONDITIONALS__
#define __TARGETCONDITIONALS__

#ifndef TARGET_OS_MAC
#define TARGET_OS_MAC 1
#define TARGET_OS_OSX 1
#define TARGET_OS_IPHONE 0
#define TARGET_OS_IOS 0
#define TARGET_OS_TV 0
#define TARGET_OS_WATCH 0
#define TARGET_OS_SIMULATOR 0
#define TARGET_OS_MACCATALYST 0
#endif

#if defined(__arm64__)
#define TARGET_CPU_ARM64 1
#define TARGET_CPU_X86_64 0
#define TARGET_RT_LITTLE_ENDIAN 1
#define TARGET_RT_BIG_ENDIAN 0
#elif defined(__x86_64__)
#define TARGET_CPU_ARM64 0
#define TARGET_CPU_X86_64 1
#define TARGET_RT_LITTLE_ENDIAN 1
#define TARGET_RT_BIG_ENDIAN 0
#else
#error "this sysroot targets arm64 and x86_64 only"
#endif
#define TARGET_RT_64_BIT 1
#define TARGET_RT_MAC_MACHO 1

#endif /* __TARGETCONDITIONALS__ */
