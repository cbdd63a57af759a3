#pragma once
// Whether this test program is built with AddressSanitizer, whose allocator changes what a test
// of timing or of forking may expect.

namespace dialoscope::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool AddressSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool AddressSanitized = true;
#else
inline constexpr bool AddressSanitized = false;
#endif
#else
inline constexpr bool AddressSanitized = false;
#endif

} // namespace dialoscope::test
