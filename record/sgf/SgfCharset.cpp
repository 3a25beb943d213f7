#include "SgfCharset.h"

#include "SgfReader.h"
#include "SgfText.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <type_traits>

#include <iconv.h>

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The CA value of the first node, found before the text can be parsed:
// in a double-byte set such as GBK a character's second byte may be ']' or
// '\', which only the converted text shows as part of a character. The scan
// is lenient and reads the values byte by byte; when that finds no CA, it
// tries again pairing every byte from 0x81 up with the one after it, as
// those sets do.
std::optional<std::string> FindCharset(std::string_view text, bool bPairHighBytes)
{
    std::size_t at = text.find('(');
    if (at == std::string_view::npos || (at = text.find(';', at)) == std::string_view::npos)
        return std::nullopt;
    ++at;
    while (at < text.size()) {
        const char c = text[at];
        if (c == ';' || c == '(' || c == ')')
            return std::nullopt;  // the first node ends
        if (!IsLetter(c)) {
            ++at;
            continue;
        }
        std::string ident;
        while (at < text.size() && IsLetter(text[at]))
            ident += text[at++];
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        bool bFirstValue = true;
        while (at < text.size() && text[at] == '[') {
            // Only CA's value is gathered: another may be most of the file.
            const bool bCharset = ident == "CA" && bFirstValue;
            std::string value;
            for (++at; at < text.size() && text[at] != ']'; ++at) {
                if (text[at] == '\\' || (bPairHighBytes && static_cast<unsigned char>(text[at]) >= 0x81))
                    ++at;
                else if (bCharset)
                    value += text[at];
            }
            ++at;
            if (bCharset)
                return value;
            bFirstValue = false;
            while (at < text.size() && IsSpace(text[at]))
                ++at;
        }
    }
    return std::nullopt;
}

struct IconvCloser {
    void operator()(iconv_t descriptor) const { iconv_close(descriptor); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// UTF-8 takes at most 4 bytes a character, and most sets make at most one
// character of a byte: text of the largest file read, converted, stays
// within this. Only a set that makes several characters of one byte (TSCII)
// can go beyond it, and then the text is no game record.
constexpr std::size_t kMaxConvertedBytes = 4 * kMaxSgfBytes;

std::string ToUtf8(std::string_view text, const std::string& charset)
{
    // An iconv_t of -1 is no converter, and must not reach iconv_close.
    const iconv_t opened = iconv_open("UTF-8", charset.c_str());
    if (opened == reinterpret_cast<iconv_t>(-1))
        throw CSgfError("unknown character set " + Quoted(charset) + " (CA)");
    const IconvHandle converter(opened);
    // How much a byte becomes depends on the set (a TSCII byte can be a
    // syllable of four characters, 12 bytes): the room starts from what most
    // text takes, and when iconv asks for more, grows to what the rest takes
    // at the rate so far, at least 4 bytes a byte, up to the limit. It grows
    // by half at least, so that text whose rate changes costs few copies.
    std::string converted(std::min(text.size() + text.size() / 2 + 64, kMaxConvertedBytes), '\0');
    auto* pIn = const_cast<char*>(text.data());
    std::size_t nInLeft = text.size();
    char* pOut = converted.data();
    std::size_t nOutLeft = converted.size();
    const auto makeRoom = [&] {
        if (converted.size() == kMaxConvertedBytes)
            throw CSgfError("too long once converted from " + charset + " (more than " +
                            std::to_string(kMaxConvertedBytes >> 20) + " MB of UTF-8)");
        const std::size_t nUsed = converted.size() - nOutLeft;
        const std::size_t nRead = text.size() - nInLeft;
        const std::size_t nRate = std::max<std::size_t>(4, nRead == 0 ? 0 : (nUsed + nRead - 1) / nRead);
        const std::size_t nWanted = std::max(nUsed + nRate * nInLeft + 64, converted.size() + converted.size() / 2);
        converted.resize(std::min(nWanted, kMaxConvertedBytes));
        pOut = converted.data() + nUsed;
        nOutLeft = converted.size() - nUsed;
    };
    while (iconv(converter.get(), &pIn, &nInLeft, &pOut, &nOutLeft) == static_cast<std::size_t>(-1)) {
        if (errno != E2BIG)
            throw CSgfError("not valid " + charset + " text (at byte " + std::to_string(text.size() - nInLeft) + ")");
        makeRoom();
    }
    // A stateful set may still hold characters back until the end.
    while (iconv(converter.get(), nullptr, nullptr, &pOut, &nOutLeft) == static_cast<std::size_t>(-1)) {
        if (errno != E2BIG)
            throw CSgfError("not valid " + charset + " text (at its end)");
        makeRoom();
    }
    converted.resize(converted.size() - nOutLeft);
    return converted;
}

}  // namespace

std::string_view SgfTextAsUtf8(std::string_view bytes, std::string& converted)
{
    std::optional<std::string> charset = FindCharset(bytes, false);
    if (!charset)
        charset = FindCharset(bytes, true);
    if (charset) {
        const auto first = charset->find_first_not_of(" \t\r\n");
        const auto last = charset->find_last_not_of(" \t\r\n");
        *charset = first == std::string::npos ? std::string() : charset->substr(first, last - first + 1);
    }
    if (!charset || EqualsIgnoringCase(*charset, "UTF-8") || EqualsIgnoringCase(*charset, "UTF8"))
        return bytes;
    converted = ToUtf8(bytes, *charset);
    return converted;
}
