#include "platform/core/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <vector>

namespace platform {

namespace {

std::string Convert(std::string_view in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    std::vector<char> buf(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), buf.size() - dstLeft);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // An unconvertible or broken sequence: mark it and skip one byte.
            out.push_back('?');
            ++src;
            --srcLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) { return Convert(utf8, "CP932", "UTF-8"); }

std::string Cp932ToUtf8(std::string_view cp932) { return Convert(cp932, "UTF-8", "CP932"); }

}  // namespace platform
