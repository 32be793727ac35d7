// The addresses of the online manual: one page per page of the window.
#pragma once

#include <string>

namespace online_manual {

// The maker's web host; a placeholder until the real address is known.
inline constexpr char kHost[] = "http://www.example.com";
inline constexpr char kFolder[] = "/etc/on_line_help/";

// The manual of window page `page` (0 to 6) is file page + 1 with three digits: "001.html".
std::string Url(int page);

}  // namespace online_manual
