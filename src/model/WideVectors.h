#pragma once

// Marks a function whose loops over pixels run twice as wide where the processor has AVX2:
// both versions are built and the loader picks one, so the program still runs everywhere.
// Only for integer sums and IEEE operations, which give the same results at any width.
// ThreadSanitizer cannot start a program whose functions are picked by the loader, so its
// builds keep the plain version.
#if defined(__SANITIZE_THREAD__)
#define SWISH_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define SWISH_TSAN 1
#endif
#endif

#if defined(__x86_64__) && !defined(SWISH_TSAN)
#define WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define WIDE_VECTORS
#endif
