#pragma once
// Our sources hold Japanese texts in UTF-8; the log file is written in code page 932 (Shift-JIS).

#include <string>
#include <string_view>

namespace platform {

// Characters that have no CP932 form become '?'.
std::string Utf8ToCp932(std::string_view utf8);
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace platform
