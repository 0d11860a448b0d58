#pragma once
// Whether this build runs under AddressSanitizer (gcc and clang each say it
// their own way). Code that would hide memory from the sanitizer, or limits that
// its bookkeeping would break, ask this.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool builtWithAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool builtWithAddressSanitizer = true;
#else
inline constexpr bool builtWithAddressSanitizer = false;
#endif
#else
inline constexpr bool builtWithAddressSanitizer = false;
#endif
