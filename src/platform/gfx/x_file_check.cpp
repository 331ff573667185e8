#include "platform/gfx/x_file_check.h"

#include <cstring>
#include <string_view>

namespace platform {

namespace {

// As many sets of texture coordinates and vertex colours as the importer keeps.
constexpr std::uint32_t kMaxSets = 8;
// Frames nest by recursion in the importer; deeper files are not ours.
constexpr int kMaxFrameDepth = 64;
constexpr int kMaxIntDigits = 9;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsDelimiter(char c) { return c == ';' || c == '}' || c == '{' || c == ','; }

class XTextCheck {
public:
    XTextCheck(const char* begin, const char* end) : p_(begin), end_(end) {}

    bool File() {
        SkipLine();  // the rest of the header line
        for (;;) {
            const std::string_view t = Token();
            if (t.empty()) return true;
            bool ok = true;
            if (t == "template") {
                ok = Template();
            } else if (t == "Frame") {
                ok = Frame(0);
            } else if (t == "Mesh") {
                ok = Mesh();
            } else if (t == "Material") {
                ok = Material();
            } else if (t == "AnimTicksPerSecond" || t == "AnimationSet") {
                ok = false;
            } else if (t != "}") {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

private:
    // White space and comments, "//" or "#" to the end of the line.
    void SkipBlank() {
        for (;;) {
            while (p_ < end_ && IsSpace(*p_)) ++p_;
            if (p_ >= end_) return;
            if (*p_ != '#' && !(*p_ == '/' && p_ + 1 < end_ && p_[1] == '/')) return;
            SkipLine();
        }
    }

    // Up to and past the first line-end character.
    void SkipLine() {
        while (p_ < end_ && *p_ != '\n' && *p_ != '\r') ++p_;
        if (p_ < end_) ++p_;
    }

    // A delimiter alone, or a run of characters up to white space or a delimiter; empty at the end.
    std::string_view Token() {
        SkipBlank();
        const char* start = p_;
        if (p_ < end_ && IsDelimiter(*p_)) {
            ++p_;
        } else {
            while (p_ < end_ && !IsSpace(*p_) && !IsDelimiter(*p_)) ++p_;
        }
        return {start, static_cast<std::size_t>(p_ - start)};
    }

    bool Separator() {
        const std::string_view t = Token();
        return t == "," || t == ";";
    }

    // A separator if there is one.
    void OptionalSeparator() {
        SkipBlank();
        if (p_ < end_ && (*p_ == ';' || *p_ == ',')) ++p_;
    }

    bool Digits() {
        if (p_ >= end_ || !IsDigit(*p_)) return false;
        while (p_ < end_ && IsDigit(*p_)) ++p_;
        return true;
    }

    bool Int(std::uint32_t* value) {
        SkipBlank();
        std::uint32_t v = 0;
        int digits = 0;
        for (; p_ < end_ && IsDigit(*p_); ++p_) {
            if (++digits > kMaxIntDigits) return false;
            v = v * 10 + static_cast<std::uint32_t>(*p_ - '0');
        }
        *value = v;
        return digits > 0 && Separator();
    }

    // As the importer's number reader: a comma straight after the whole part, with a digit after it, is
    // taken for a decimal point ("2,0" is 2.0), and a dot with no digits after it still belongs to the number.
    bool Float() {
        SkipBlank();
        if (p_ < end_ && *p_ == '-') ++p_;
        if (!Digits()) return false;
        if (p_ + 1 < end_ && (*p_ == '.' || *p_ == ',') && IsDigit(p_[1])) {
            ++p_;
            Digits();
        } else if (p_ < end_ && *p_ == '.') {
            ++p_;
        }
        if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
            ++p_;
            if (p_ < end_ && (*p_ == '-' || *p_ == '+')) ++p_;
            if (!Digits()) return false;
        }
        return Separator();
    }

    bool Floats(int n) {
        for (int i = 0; i < n; ++i) {
            if (!Float()) return false;
        }
        return true;
    }

    // n numbers and an optional separator: a vector or a colour.
    bool Group(int n) {
        if (!Floats(n)) return false;
        OptionalSeparator();
        return true;
    }

    // An optional name, then the opening brace.
    bool Head() {
        const std::string_view t = Token();
        return t == "{" || Token() == "{";
    }

    bool Closing() { return Token() == "}"; }

    bool String() {
        SkipBlank();
        if (p_ >= end_ || *p_ != '"') return false;
        ++p_;
        while (p_ < end_ && *p_ != '"') ++p_;
        if (p_ + 1 >= end_ || p_[1] != ';') return false;
        p_ += 2;
        return true;
    }

    bool Unknown() {
        for (;;) {
            const std::string_view t = Token();
            if (t.empty()) return false;
            if (t == "{") break;
        }
        for (int depth = 1; depth > 0;) {
            const std::string_view t = Token();
            if (t.empty()) return false;
            if (t == "{") ++depth;
            if (t == "}") --depth;
        }
        return true;
    }

    bool Template() {
        if (!Head() || Token().empty()) return false;
        for (;;) {
            const std::string_view t = Token();
            if (t.empty()) return false;
            if (t == "}") return true;
        }
    }

    bool Frame(int depth) {
        if (depth > kMaxFrameDepth || !Head()) return false;
        for (;;) {
            const std::string_view t = Token();
            bool ok = true;
            if (t.empty()) return false;
            if (t == "}") return true;
            if (t == "Frame") {
                ok = Frame(depth + 1);
            } else if (t == "FrameTransformMatrix") {
                ok = Head() && Floats(16) && Token() == ";" && Closing();
            } else if (t == "Mesh") {
                ok = Mesh();
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    bool Material() {
        if (!Head() || !Group(4) || !Floats(1) || !Group(3) || !Group(3)) return false;
        for (;;) {
            const std::string_view t = Token();
            bool ok = true;
            if (t.empty()) return false;
            if (t == "}") return true;
            if (t == "TextureFilename" || t == "TextureFileName" || t == "NormalmapFilename" ||
                t == "NormalmapFileName") {
                ok = Head() && String() && Closing();
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    // Every index read below [0, count).
    bool Indices(std::uint32_t n, std::uint32_t count, std::uint32_t* largest = nullptr) {
        for (std::uint32_t i = 0; i < n; ++i) {
            std::uint32_t index = 0;
            if (!Int(&index) || index >= count) return false;
            if (largest && index > *largest) *largest = index;
        }
        return true;
    }

    bool Mesh() {
        std::uint32_t vertices = 0, faces = 0;
        if (!Head() || !Int(&vertices)) return false;
        for (std::uint32_t i = 0; i < vertices; ++i) {
            if (!Group(3)) return false;
        }
        if (!Int(&faces)) return false;
        for (std::uint32_t i = 0; i < faces; ++i) {
            std::uint32_t corners = 0;
            if (!Int(&corners) || !Indices(corners, vertices)) return false;
            OptionalSeparator();
        }
        bool normals = false, materialList = false;
        std::uint32_t coordSets = 0, colourSets = 0;
        for (;;) {
            const std::string_view t = Token();
            bool ok = true;
            if (t.empty()) return false;
            if (t == "}") return true;
            if (t == "MeshNormals") {
                ok = !normals && Normals(faces);
                normals = true;
            } else if (t == "MeshTextureCoords") {
                ok = ++coordSets <= kMaxSets && TextureCoords(vertices);
            } else if (t == "MeshVertexColors") {
                ok = ++colourSets <= kMaxSets && VertexColours(vertices);
            } else if (t == "MeshMaterialList") {
                ok = !materialList && MaterialList(faces);
                materialList = true;
            } else if (t == "XSkinMeshHeader") {
                std::uint32_t ignored = 0;
                ok = Head() && Int(&ignored) && Int(&ignored) && Int(&ignored) && Closing();
            } else if (t == "SkinWeights") {
                ok = false;
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    bool Normals(std::uint32_t faces) {
        std::uint32_t normals = 0, normalFaces = 0;
        if (!Head() || !Int(&normals)) return false;
        for (std::uint32_t i = 0; i < normals; ++i) {
            if (!Group(3)) return false;
        }
        if (!Int(&normalFaces) || normalFaces != faces) return false;
        for (std::uint32_t i = 0; i < normalFaces; ++i) {
            std::uint32_t corners = 0;
            if (!Int(&corners) || !Indices(corners, normals)) return false;
            OptionalSeparator();
        }
        return Closing();
    }

    bool TextureCoords(std::uint32_t vertices) {
        std::uint32_t count = 0;
        if (!Head() || !Int(&count) || count != vertices) return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!Group(2)) return false;
        }
        return Closing();
    }

    bool VertexColours(std::uint32_t vertices) {
        std::uint32_t count = 0;
        if (!Head() || !Int(&count) || count != vertices) return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!Indices(1, vertices) || !Group(4)) return false;
            OptionalSeparator();
        }
        return Closing();
    }

    // The importer gives one material index to every face (a single index stands for all of them) and
    // looks each up among the materials that follow, without checking either.
    bool MaterialList(std::uint32_t faces) {
        std::uint32_t declared = 0, indexCount = 0, largest = 0;
        if (!Head() || !Int(&declared) || !Int(&indexCount)) return false;
        if (indexCount != faces && !(indexCount == 1 && faces > 0)) return false;
        if (!Indices(indexCount, UINT32_MAX, &largest)) return false;
        if (p_ < end_ && *p_ == ';') ++p_;
        std::uint32_t materials = 0;
        for (;;) {
            const std::string_view t = Token();
            bool ok = true;
            if (t.empty() || t == "{") return false;  // references to materials elsewhere are not taken
            if (t == "}") break;
            if (t == "Material") {
                ok = Material();
                ++materials;
            } else if (t != ";") {
                ok = Unknown();
            }
            if (!ok) return false;
        }
        return indexCount == 0 || largest < materials;
    }

    const char* p_;
    const char* end_;
};

}  // namespace

bool XMeshTextIsSound(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < 16) return false;
    const char* text = reinterpret_cast<const char*>(bytes);
    if (std::memcmp(text, "xof ", 4) != 0 || std::memcmp(text + 8, "txt ", 4) != 0) return false;
    if (std::memcmp(text + 12, "0032", 4) != 0 && std::memcmp(text + 12, "0064", 4) != 0) return false;
    // The importer reads up to a NUL in places and past it in others.
    if (std::memchr(text, '\0', size) != nullptr) return false;
    return XTextCheck(text + 16, text + size).File();
}

}  // namespace platform
