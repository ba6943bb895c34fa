#pragma once

namespace tavolex::ui {

// The maker's addresses shown on the information and credits screens.
inline constexpr char16_t kWebSite[] = u"https://www.tavolex.it";
inline constexpr char16_t kSupportEmail[] = u"assistenza@tavolex.it";

} // namespace tavolex::ui
