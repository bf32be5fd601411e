#include "platform/linux/RegistryFile.h"

#include <algorithm>
#include <cstdio>

namespace velunor {
namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A quoted text with the two escapes of the export syntax, \\ and \". Consumes it from `in`.
std::optional<std::string> takeQuoted(std::string_view& in) {
    if (in.empty() || in.front() != '"') return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < in.size(); ++i) {
        char c = in[i];
        if (c == '"') {
            in.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\') {
            if (i + 1 >= in.size() || (in[i + 1] != '\\' && in[i + 1] != '"')) return std::nullopt;
            out += in[++i];
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

// "00,ff,3e" (whitespace allowed around the bytes); empty for no bytes.
std::optional<std::string> parseHexBytes(std::string_view list) {
    std::string out;
    list = trim(list);
    if (list.empty()) return out;
    while (true) {
        std::size_t comma = list.find(',');
        std::string_view item = trim(list.substr(0, comma));
        if (item.size() != 2) return std::nullopt;
        int hi = hexDigit(item[0]);
        int lo = hexDigit(item[1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        if (comma == std::string_view::npos) return out;
        list.remove_prefix(comma + 1);
    }
}

std::optional<RegistryFile::Value> parseValueLine(std::string_view line) {
    RegistryFile::Value value;
    auto name = takeQuoted(line);
    if (!name || name->empty()) return std::nullopt;
    value.name = std::move(*name);
    line = trim(line);
    if (line.empty() || line.front() != '=') return std::nullopt;
    line = trim(line.substr(1));

    if (!line.empty() && line.front() == '"') {
        auto text = takeQuoted(line);
        if (!text || !trim(line).empty()) return std::nullopt;
        value.registryType = RegistryFile::kString;
        value.data = std::move(*text);
        return value;
    }
    if (line.starts_with("dword:")) {
        std::string_view digits = line.substr(6);
        if (digits.size() != 8) return std::nullopt;
        std::uint32_t bits = 0;
        for (char c : digits) {
            int d = hexDigit(c);
            if (d < 0) return std::nullopt;
            bits = bits * 16 + static_cast<std::uint32_t>(d);
        }
        value.registryType = RegistryFile::kDword;
        for (int i = 0; i < 4; ++i) value.data += static_cast<char>((bits >> (8 * i)) & 0xff);
        return value;
    }
    if (!line.starts_with("hex")) return std::nullopt;
    line.remove_prefix(3);
    value.registryType = RegistryFile::kBinary;
    if (line.starts_with("(")) {
        std::size_t close = line.find(')');
        if (close == std::string_view::npos || close < 2 || close > 9) return std::nullopt;
        std::uint32_t type = 0;
        for (char c : line.substr(1, close - 1)) {
            int d = hexDigit(c);
            if (d < 0) return std::nullopt;
            type = type * 16 + static_cast<std::uint32_t>(d);
        }
        value.registryType = type;
        line.remove_prefix(close + 1);
    }
    if (!line.starts_with(":")) return std::nullopt;
    auto bytes = parseHexBytes(line.substr(1));
    if (!bytes) return std::nullopt;
    value.data = std::move(*bytes);
    if (RegistryFile::apiType(value.registryType) == SettingsValueType::String) {
        // A text stored as bytes ends at its first zero.
        std::size_t zero = value.data.find('\0');
        if (zero != std::string::npos) value.data.resize(zero);
    }
    return value;
}

void appendHex(std::string& out, std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (i) out += ',';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

}  // namespace

SettingsValueType RegistryFile::apiType(std::uint32_t registryType) {
    // REG_SZ and REG_EXPAND_SZ are texts; everything else reads as bytes.
    return registryType == 1 || registryType == 2 ? SettingsValueType::String : SettingsValueType::Binary;
}

bool RegistryFile::isPlainText(std::string_view bytes) {
    // Strict UTF-8 without control characters: what can stand between quotes on one line.
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7f) return false;
            ++i;
            continue;
        }
        int extra = 0;
        std::uint32_t cp = 0;
        if ((c & 0xe0) == 0xc0) { extra = 1; cp = c & 0x1fu; }
        else if ((c & 0xf0) == 0xe0) { extra = 2; cp = c & 0x0fu; }
        else if ((c & 0xf8) == 0xf0) { extra = 3; cp = c & 0x07u; }
        else return false;
        if (i + static_cast<std::size_t>(extra) >= bytes.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            auto cc = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((cc & 0xc0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3fu);
        }
        static const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < smallest[extra] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return false;
        if (cp >= 0x80 && cp < 0xa0) return false;  // C1 controls
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

RegistryFile RegistryFile::parse(std::string_view text) {
    RegistryFile file;
    enum class Section { None, Ours, Foreign } section = Section::None;
    auto takeLine = [&](std::string_view raw) {
        std::string_view line = trim(raw);
        if (line.starts_with("[")) {
            std::size_t close = line.rfind(']');
            std::string_view key = close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
            section = equalsIgnoringAsciiCase(key, kKeyPath) ? Section::Ours : Section::Foreign;
            if (section == Section::Foreign) file.foreignLines_.emplace_back(raw);
        } else if (section == Section::Foreign) {
            file.foreignLines_.emplace_back(raw);
        } else if (section == Section::Ours && line.starts_with("\"")) {
            if (auto value = parseValueLine(line)) file.set(value->name, value->registryType, value->data);
        }
    };

    // A value of our key may be wrapped with a backslash at the end of each line but the last.
    std::string wrapped;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);  // CRLF files, and stray CRs
        std::string_view piece = trim(raw);

        if (!wrapped.empty() && piece.starts_with("[")) {
            takeLine(wrapped);  // a section cannot continue a value: what was gathered stands alone
            wrapped.clear();
        }
        const bool continues = section == Section::Ours && !piece.empty() && piece.back() == '\\' &&
                               (!wrapped.empty() || piece.starts_with("\""));
        if (continues) {
            piece.remove_suffix(1);
            wrapped.append(piece);
            continue;
        }
        if (!wrapped.empty()) {
            wrapped.append(piece);
            takeLine(wrapped);
            wrapped.clear();
        } else {
            takeLine(raw);
        }
    }
    if (!wrapped.empty()) takeLine(wrapped);
    return file;
}

std::string RegistryFile::serialize() const {
    std::string out = "REGEDIT4\n\n[";
    out += kKeyPath;
    out += "]\n";
    for (const Value& v : values_) {
        appendQuoted(out, v.name);
        out += '=';
        if (v.registryType == kString && isPlainText(v.data)) {
            appendQuoted(out, v.data);
        } else if (v.registryType == kDword && v.data.size() == 4) {
            std::uint32_t bits = 0;
            for (int i = 3; i >= 0; --i) bits = bits * 256 + static_cast<unsigned char>(v.data[static_cast<std::size_t>(i)]);
            char digits[16];
            std::snprintf(digits, sizeof digits, "dword:%08x", bits);
            out += digits;
        } else {
            if (v.registryType == kBinary) {
                out += "hex:";
            } else {
                char prefix[24];
                std::snprintf(prefix, sizeof prefix, "hex(%x):", v.registryType);
                out += prefix;
            }
            std::string bytes = v.data;
            if (apiType(v.registryType) == SettingsValueType::String) bytes += '\0';
            appendHex(out, bytes);
        }
        out += '\n';
    }
    if (!foreignLines_.empty()) {
        out += '\n';
        for (const std::string& line : foreignLines_) {
            out += line;
            out += '\n';
        }
    }
    return out;
}

const RegistryFile::Value* RegistryFile::find(std::string_view name) const {
    auto it = std::find_if(values_.begin(), values_.end(),
                           [&](const Value& v) { return equalsIgnoringAsciiCase(v.name, name); });
    return it == values_.end() ? nullptr : &*it;
}

bool RegistryFile::set(std::string_view name, std::uint32_t registryType, std::string_view data) {
    if (name.empty() || !isPlainText(name)) return false;
    std::string bytes(data);
    if (apiType(registryType) == SettingsValueType::String) {
        std::size_t zero = bytes.find('\0');
        if (zero != std::string::npos) bytes.resize(zero);
    }
    for (Value& v : values_) {
        if (equalsIgnoringAsciiCase(v.name, name)) {
            v.registryType = registryType;
            v.data = std::move(bytes);
            return true;
        }
    }
    values_.push_back(Value{std::string(name), registryType, std::move(bytes)});
    return true;
}

bool RegistryFile::remove(std::string_view name) {
    return std::erase_if(values_, [&](const Value& v) { return equalsIgnoringAsciiCase(v.name, name); }) > 0;
}

}  // namespace velunor
