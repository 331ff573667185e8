#include "platform/gfx/x_file_check.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

namespace platform {

namespace {

// As many sets of texture coordinates and vertex colours as the importer keeps.
constexpr std::uint32_t kMaxSets = 8;
// Frames nest by recursion in the importer; deeper files are not ours.
constexpr int kMaxFrameDepth = 64;
// Frame names are copied unchecked into the scene's names of 1024 bytes, ending NUL included.
constexpr std::size_t kMaxFrameName = 1023;
// The importer allots this much output to every compressed block (its own figure, a little over 32 KiB)...
constexpr std::size_t kCompressedBlockOutput = 32786;
// ...and reserves it for every block before expanding any, however little data each holds. Its own
// expander is never given a file, but the same bound keeps the expanded file within 64 MiB.
constexpr std::size_t kMaxCompressedBlocks = 2048;
constexpr std::uint16_t kBlockMagic = 0x4B43;  // "CK"
constexpr std::uint8_t kByteOrderMark[3] = {0xEF, 0xBB, 0xBF};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsDelimiter(char c) { return c == ';' || c == '}' || c == '{' || c == ','; }

std::uint32_t Le16(const char* p) {
    const auto* q = reinterpret_cast<const unsigned char*>(p);
    return q[0] | (q[1] << 8);
}

std::uint32_t Le32(const char* p) {
    const auto* q = reinterpret_cast<const unsigned char*>(p);
    return q[0] | (q[1] << 8) | (q[2] << 16) | (static_cast<std::uint32_t>(q[3]) << 24);
}

// The file read as the importer's parser reads it, object by object. The token layer (Token, Int, Float
// and the separators) follows the importer's reader of each form; the objects above it are read the same
// way for both, and every index is checked against the list it points into.
class XCheck {
public:
    XCheck(const char* begin, const char* end, bool binary, std::size_t floatSize)
        : p_(begin), end_(end), binary_(binary), floatSize_(floatSize) {}

    bool File() {
        if (!binary_) SkipLine();  // the rest of the header line
        for (;;) {
            const std::string_view t = Token();
            if (t.empty()) return !fault_;  // the importer stops at the first token it cannot read
            bool ok = true;
            if (t == "template") {
                ok = Template();
            } else if (t == "Frame") {
                ok = Frame(0);
            } else if (t == "Mesh") {
                ok = Mesh();
            } else if (t == "AnimTicksPerSecond") {
                std::uint32_t ignored = 0;
                ok = Head() && Int(&ignored) && Closing();
            } else if (t == "AnimationSet") {
                ok = AnimationSet();
            } else if (t == "Material") {
                ok = Material();
            } else if (t != "}") {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

private:
    std::size_t Left() const { return static_cast<std::size_t>(end_ - p_); }

    // ---- text ----

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

    // The character under the cursor, NUL at the end as in the importer's buffer.
    char At(std::size_t ahead = 0) const { return ahead < Left() ? p_[ahead] : '\0'; }

    // A delimiter alone, or a run of characters up to white space or a delimiter; empty at the end.
    std::string_view TextToken() {
        SkipBlank();
        const char* start = p_;
        if (p_ < end_ && IsDelimiter(*p_)) {
            ++p_;
        } else {
            while (p_ < end_ && !IsSpace(*p_) && !IsDelimiter(*p_)) ++p_;
        }
        return {start, static_cast<std::size_t>(p_ - start)};
    }

    // Digits as the importer's 64-bit reader takes them; it gives up on a run that overflows.
    bool Digits() {
        if (!IsDigit(At())) return false;
        std::uint64_t value = 0;
        for (; IsDigit(At()); ++p_) {
            const auto digit = static_cast<std::uint64_t>(At() - '0');
            if (value > (UINT64_MAX - digit) / 10) return false;
            value = value * 10 + digit;
        }
        return true;
    }

    // The importer's number reader: a sign, a whole part, then a dot or a comma with a digit after it
    // taken for a decimal point ("2,0" is 2.0), a dot with no digit after it still belonging to the
    // number, and an exponent that must have digits. Its "nan", "inf" and "1.#IND00" are not taken.
    bool TextFloat() {
        SkipBlank();
        if (At() == '-' || At() == '+') ++p_;
        const auto point = [this] { return (At() == '.' || At() == ',') && IsDigit(At(1)); };
        if (!IsDigit(At()) && !point()) return false;
        if (At() != '.' && At() != ',' && !Digits()) return false;
        if (point()) {
            ++p_;
            while (IsDigit(At())) ++p_;
        } else if (At() == '.') {
            ++p_;
        }
        if (At() == 'e' || At() == 'E') {
            ++p_;
            if (At() == '-' || At() == '+') ++p_;
            if (!Digits()) return false;
        }
        return Separator();
    }

    // Negative numbers wrap as in the importer, to counts and indices no list backs.
    bool TextInt(std::uint32_t* value) {
        SkipBlank();
        const bool negative = At() == '-';
        if (negative) ++p_;
        if (!IsDigit(At())) return false;
        std::uint32_t v = 0;
        for (; IsDigit(At()); ++p_) v = v * 10 + static_cast<std::uint32_t>(At() - '0');
        *value = negative ? 0u - v : v;
        return Separator();
    }

    bool TextString() {
        SkipBlank();
        if (At() != '"') return false;
        ++p_;
        while (p_ < end_ && *p_ != '"') ++p_;
        if (Left() < 2 || p_[1] != ';') return false;
        p_ += 2;
        return true;
    }

    // ---- binary ----

    std::uint32_t Word() {
        const std::uint32_t v = Le16(p_);
        p_ += 2;
        return v;
    }

    std::uint32_t DWord() {
        const std::uint32_t v = Le32(p_);
        p_ += 4;
        return v;
    }

    // Skips a token's data; a token reaching past the end is refused, since the importer's number reader
    // would go on reading from beyond the end of its buffer.
    bool Skip(std::uint64_t bytes) {
        if (bytes > Left()) return Fault();
        p_ += bytes;
        return true;
    }

    bool Fault() {
        fault_ = true;
        return false;
    }

    std::string_view CutShort() {
        Fault();
        return {};
    }

    // The importer's names for the binary tokens. Numbers and GUIDs read as tokens give placeholders,
    // and a token it does not know reads as the end of the file. A token cut short by the end of the file
    // is refused: the importer stops there or reads on past the end.
    std::string_view BinaryToken() {
        if (Left() == 0) return {};
        if (Left() < 2) return CutShort();
        switch (Word()) {
            case 0x01: {
                if (Left() < 4) return CutShort();
                const std::uint32_t length = DWord();
                const std::string_view name(p_, std::min<std::size_t>(length, Left()));
                return Skip(length) ? name : std::string_view{};
            }
            case 0x02: {
                if (Left() < 4) return CutShort();
                const std::uint32_t length = DWord();
                const std::string_view text(p_, std::min<std::size_t>(length, Left()));
                return Skip(std::uint64_t{length} + 2) ? text : std::string_view{};  // and the separator after it
            }
            case 0x03: return Skip(4) ? "<integer>" : std::string_view{};
            case 0x05: return Skip(16) ? "<guid>" : std::string_view{};
            case 0x06:
                if (Left() < 4) return CutShort();
                return Skip(std::uint64_t{DWord()} * 4) ? "<int_list>" : std::string_view{};
            case 0x07:
                if (Left() < 4) return CutShort();
                return Skip(std::uint64_t{DWord()} * floatSize_) ? "<flt_list>" : std::string_view{};
            case 0x0a: return "{";
            case 0x0b: return "}";
            case 0x0c: return "(";
            case 0x0d: return ")";
            case 0x0e: return "[";
            case 0x0f: return "]";
            case 0x10: return "<";
            case 0x11: return ">";
            case 0x12: return ".";
            case 0x13: return ",";
            case 0x14: return ";";
            case 0x1f: return "template";
            case 0x28: return "WORD";
            case 0x29: return "DWORD";
            case 0x2a: return "FLOAT";
            case 0x2b: return "DOUBLE";
            case 0x2c: return "CHAR";
            case 0x2d: return "UCHAR";
            case 0x2e: return "SWORD";
            case 0x2f: return "SDWORD";
            case 0x30: return "void";
            case 0x31: return "string";
            case 0x32: return "unicode";
            case 0x33: return "cstring";
            case 0x34: return "array";
            default: return {};
        }
    }

    // Numbers come from lists: a list header (or any other token, taken for a single number) when the
    // last list is used up, then the values. Integers and floats share the count, as in the importer.
    bool BinaryNumber(std::uint32_t listToken, std::size_t width) {
        if (listLeft_ == 0 && Left() >= 2) {
            if (Word() == listToken && Left() >= 4) {
                listLeft_ = DWord();
            } else {
                listLeft_ = 1;
            }
        }
        --listLeft_;
        return Left() >= width;  // past the end the importer reads zeros, to any count
    }

    bool BinaryInt(std::uint32_t* value) {
        if (!BinaryNumber(0x06, 4)) return false;
        *value = DWord();
        return true;
    }

    bool BinaryFloat() {
        if (!BinaryNumber(0x07, floatSize_)) return false;
        float value = 0;
        if (floatSize_ == 8) {
            double wide = 0;
            std::memcpy(&wide, p_, 8);
            value = static_cast<float>(wide);
        } else {
            std::memcpy(&value, p_, 4);
        }
        p_ += floatSize_;
        return std::isfinite(value);
    }

    // ---- the token layer: the importer's readers of either form ----

    std::string_view Token() { return binary_ ? BinaryToken() : TextToken(); }
    bool Int(std::uint32_t* value) { return binary_ ? BinaryInt(value) : TextInt(value); }
    bool Float() { return binary_ ? BinaryFloat() : TextFloat(); }

    // Separators are written out in text only.
    bool Separator() {
        if (binary_) return true;
        const std::string_view t = Token();
        return t == "," || t == ";";
    }

    bool Semicolon() { return binary_ || Token() == ";"; }

    // A separator if there is one.
    void OptionalSeparator() {
        if (binary_) return;
        SkipBlank();
        if (p_ < end_ && (*p_ == ';' || *p_ == ',')) ++p_;
    }

    bool String() { return binary_ ? !Token().empty() || !fault_ : TextString(); }

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
    bool Head(std::string_view* name = nullptr) {
        const std::string_view t = Token();
        if (t == "{") return true;
        if (name) *name = t;
        return Token() == "{";
    }

    bool Closing() { return Token() == "}"; }

    // Every index read below [0, count).
    bool Indices(std::uint32_t n, std::uint32_t count, std::uint32_t* largest = nullptr) {
        for (std::uint32_t i = 0; i < n; ++i) {
            std::uint32_t index = 0;
            if (!Int(&index) || index >= count) return false;
            if (largest && index > *largest) *largest = index;
        }
        return true;
    }

    // ---- objects ----

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

    // The importer takes the token after the head for the GUID, whatever it is, and reads to the next "}".
    bool Template() {
        if (!Head()) return false;
        Token();
        for (;;) {
            const std::string_view t = Token();
            if (t.empty()) return false;
            if (t == "}") return true;
        }
    }

    bool Frame(int depth) {
        std::string_view name;
        if (depth > kMaxFrameDepth || !Head(&name) || name.size() > kMaxFrameName) return false;
        for (;;) {
            const std::string_view t = Token();
            bool ok = true;
            if (t.empty()) return false;
            if (t == "}") return true;
            if (t == "Frame") {
                ok = Frame(depth + 1);
            } else if (t == "FrameTransformMatrix") {
                ok = Head() && Floats(16) && Semicolon() && Closing();
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
                ok = SkinWeights(vertices);
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
    // looks each up among the materials that follow, without checking either. A material may be one
    // written in place or a reference, "{ name }", to one written before.
    bool MaterialList(std::uint32_t faces) {
        std::uint32_t declared = 0, indexCount = 0, largest = 0;
        if (!Head() || !Int(&declared) || !Int(&indexCount)) return false;
        if (indexCount != faces && !(indexCount == 1 && faces > 0)) return false;
        if (!Indices(indexCount, UINT32_MAX, &largest)) return false;
        if (!binary_ && p_ < end_ && *p_ == ';') ++p_;
        std::uint32_t materials = 0;
        for (;;) {
            const std::string_view t = Token();
            bool ok = true;
            if (t.empty()) return false;
            if (t == "}") break;
            if (t == "{") {
                Token();
                ok = Closing();
                ++materials;
            } else if (t == "Material") {
                ok = Material();
                ++materials;
            } else if (t != ";") {
                ok = Unknown();
            }
            if (!ok) return false;
        }
        return indexCount == 0 || largest < materials;
    }

    // The importer spreads each weight into a table by its vertex index, unchecked.
    bool SkinWeights(std::uint32_t vertices) {
        std::uint32_t weights = 0;
        if (!Head() || !String() || !Int(&weights) || !Indices(weights, vertices)) return false;
        for (std::uint32_t i = 0; i < weights; ++i) {
            if (!Float()) return false;
        }
        return Floats(16) && Semicolon() && Closing();
    }

    bool AnimationSet() {
        if (!Head()) return false;
        for (;;) {
            const std::string_view t = Token();
            bool ok = true;
            if (t.empty()) return false;
            if (t == "}") return true;
            ok = t == "Animation" ? Animation() : Unknown();
            if (!ok) return false;
        }
    }

    bool Animation() {
        if (!Head()) return false;
        for (;;) {
            const std::string_view t = Token();
            bool ok = true;
            if (t.empty()) return false;
            if (t == "}") return true;
            if (t == "AnimationKey") {
                ok = AnimationKey();
            } else if (t == "{") {  // the frame it moves
                Token();
                ok = Closing();
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    bool AnimationKey() {
        std::uint32_t type = 0, keys = 0;
        if (!Head() || !Int(&type) || !Int(&keys)) return false;
        for (std::uint32_t i = 0; i < keys; ++i) {
            std::uint32_t time = 0, count = 0;
            if (!Int(&time) || !Int(&count)) return false;
            bool ok = false;
            if (type == 0) {  // a rotation
                ok = count == 4 && Floats(4) && Semicolon();
            } else if (type == 1 || type == 2) {  // a scale or a position
                ok = count == 3 && Group(3);
            } else if (type == 3 || type == 4) {  // a matrix
                ok = count == 16 && Floats(16) && Semicolon();
            }
            if (!ok || !Separator()) return false;
        }
        return Closing();
    }

    const char* p_;
    const char* end_;
    const bool binary_;
    const std::size_t floatSize_;
    std::uint32_t listLeft_ = 0;  // numbers left in the binary list being read
    bool fault_ = false;          // a binary token reached past the end
};

// The compressed forms as the importer reads them: after the header, six bytes it skips, then blocks
// of a 16-bit size, the magic "CK" and that many bytes of raw deflate data, each expanded to at most
// kCompressedBlockOutput bytes with the block before as its dictionary. The size counts the magic, so
// the last block's data seems to run two bytes past the end of the file: only what is there is read.
bool Expand(const char* begin, const char* end, std::vector<std::uint8_t>* out) {
    const auto length = static_cast<std::size_t>(end - begin);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    bool ok = true;
    std::size_t blocks = 0;
    for (std::size_t at = 6; ok && at + 4 <= length;) {
        const std::uint32_t size = Le16(begin + at);
        ok = size < kCompressedBlockOutput && Le16(begin + at + 2) == kBlockMagic && ++blocks <= kMaxCompressedBlocks &&
             size <= length - at - 4 + 2;
        at += 4;
        const std::size_t available = std::min<std::size_t>(size, length - at);
        if (ok && size > 0) {
            const std::size_t produced = out->size();
            out->resize(produced + kCompressedBlockOutput);
            Bytef* block = out->data() + produced;
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(begin + at));
            stream.avail_in = static_cast<uInt>(available);
            stream.next_out = block;
            stream.avail_out = kCompressedBlockOutput;
            const int result = inflate(&stream, Z_SYNC_FLUSH);
            const std::size_t made = kCompressedBlockOutput - stream.avail_out;
            ok = (result == Z_OK || result == Z_STREAM_END) && inflateReset(&stream) == Z_OK &&
                 inflateSetDictionary(&stream, block, static_cast<uInt>(made)) == Z_OK;
            out->resize(produced + made);
        }
        at += available;
    }
    inflateEnd(&stream);
    return ok;
}

}  // namespace

bool XMeshIsSound(const std::uint8_t* bytes, std::size_t size, std::vector<std::uint8_t>* expanded) {
    if (expanded) expanded->clear();
    if (!bytes || !expanded) return false;
    // A text editor may put a UTF-8 byte-order mark before the header. The importer drops it as well, but
    // is given the file without it all the same: it then reads the very bytes checked here, whatever its
    // version makes of a mark.
    const bool byteOrderMark = size >= 3 && std::memcmp(bytes, kByteOrderMark, 3) == 0;
    if (byteOrderMark) {
        bytes += 3;
        size -= 3;
    }
    if (size < 16) return false;
    const char* file = reinterpret_cast<const char*>(bytes);
    const char* end = file + size;
    if (std::memcmp(file, "xof ", 4) != 0) return false;
    std::size_t floatSize = 0;
    if (std::memcmp(file + 12, "0032", 4) == 0) floatSize = 4;
    if (std::memcmp(file + 12, "0064", 4) == 0) floatSize = 8;
    if (floatSize == 0) return false;

    const std::string_view form(file + 8, 4);
    if (byteOrderMark && form != "txt ") return false;  // no tool writes one before a binary or compressed file
    const bool binary = form == "bin " || form == "bzip";
    if (form == "tzip" || form == "bzip") {
        // The plain form's header, and for text a line end for the importer to skip to.
        expanded->assign(bytes, bytes + 16);
        std::memcpy(expanded->data() + 8, binary ? "bin " : "txt ", 4);
        if (!binary) expanded->push_back('\n');
        if (!Expand(file + 16, end, expanded)) {
            expanded->clear();
            return false;
        }
        file = reinterpret_cast<const char*>(expanded->data());
        end = file + expanded->size();
    } else if (form != "txt " && form != "bin ") {
        return false;
    }
    // The text reader reads up to a NUL in places and past it in others.
    if (!binary && std::memchr(file, '\0', static_cast<std::size_t>(end - file)) != nullptr) return false;
    const bool sound = XCheck(file + 16, end, binary, floatSize).File();
    if (sound && byteOrderMark) expanded->assign(bytes, bytes + size);
    if (!sound) expanded->clear();
    return sound;
}

}  // namespace platform
