#include "driver/DriverFile.h"

#include "driver/Windows1252.h"
#include "model/CSpkSysDoc.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <type_traits>

namespace cw
{

namespace
{

static_assert(std::endian::native == std::endian::little, "the driver file is little-endian");

template <class T> constexpr bool kIsArray = false;
template <class T, std::size_t N> constexpr bool kIsArray<std::array<T, N>> = true;

// The file keeps every field in record order except the bolt-circle pair, which it stores inches
// first. field(value) is called for each stored value in file order and returns false to stop.
template <class Self, class Field> bool VisitFileOrder(Self& d, Field&& field)
{
    bool going = true;
    auto one = [&](auto& value) {
        if (going)
            going = field(value);
    };
    DriverParams::Fields(d, [&](std::string_view name, auto& value) {
        if constexpr (kIsArray<std::remove_cvref_t<decltype(value)>>) {
            for (auto& element : value) // the spare slots
                one(element);
        } else if (name == "boltCircleMm") {
            one(d.boltCircleIn);
        } else if (name == "boltCircleIn") {
            one(d.boltCircleMm);
        } else {
            one(value);
        }
    });
    return going;
}

class Writer
{
public:
    std::string bytes;

    bool operator()(std::int32_t v) { return Raw(v); }
    bool operator()(double v) { return Raw(v); }
    bool operator()(const std::string& text)
    {
        const std::string encoded = Utf8ToCp1252(text);
        const std::size_t n = encoded.size();
        if (n < 0xFF) {
            Raw(static_cast<std::uint8_t>(n));
        } else if (n < 0xFFFE) {
            Raw(std::uint8_t{0xFF});
            Raw(static_cast<std::uint16_t>(n));
        } else {
            if (n > 0xFFFFFFFFu)
                throw std::length_error("text too long for a driver file");
            Raw(std::uint8_t{0xFF});
            Raw(std::uint16_t{0xFFFF});
            Raw(static_cast<std::uint32_t>(n));
        }
        bytes += encoded;
        return true;
    }

private:
    template <class T> bool Raw(T v)
    {
        char raw[sizeof v];
        std::memcpy(raw, &v, sizeof v);
        bytes.append(raw, sizeof v);
        return true;
    }
};

class Reader
{
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    bool operator()(std::int32_t& v) { return Raw(v); }
    bool operator()(double& v) { return Raw(v); }
    bool operator()(std::string& text)
    {
        bool wide = false;
        std::uint32_t n = 0;
        if (!Length(n, true, wide))
            return false;
        const std::size_t byteCount = wide ? std::size_t{n} * 2 : n;
        if (byteCount > rest_.size())
            return false;
        const std::string_view chars = rest_.substr(0, byteCount);
        rest_.remove_prefix(byteCount);
        text = wide ? FromUtf16(chars) : Cp1252ToUtf8(chars);
        return true;
    }

private:
    template <class T> bool Raw(T& v)
    {
        if (rest_.size() < sizeof v)
            return false;
        std::memcpy(&v, rest_.data(), sizeof v);
        rest_.remove_prefix(sizeof v);
        return true;
    }

    // n < 255 in one byte; else 0xFF and 16 bits; 0xFFFF there means 32 bits follow. The 16-bit
    // value 0xFFFE marks a wide text whose own length prefix follows (without a second marker).
    bool Length(std::uint32_t& n, bool markerAllowed, bool& wide)
    {
        std::uint8_t b = 0;
        if (!Raw(b))
            return false;
        if (b < 0xFF) {
            n = b;
            return true;
        }
        std::uint16_t w = 0;
        if (!Raw(w))
            return false;
        if (markerAllowed && w == 0xFFFE) {
            wide = true;
            return Length(n, false, wide);
        }
        if (w < 0xFFFF) {
            n = w;
            return true;
        }
        return Raw(n);
    }

    // UTF-16 code units, taken into the 8-bit code page as the file's other texts are.
    static std::string FromUtf16(std::string_view units)
    {
        std::string out;
        const auto unit = [&](std::size_t i) {
            return static_cast<char32_t>(static_cast<std::uint8_t>(units[2 * i]) |
                                         static_cast<std::uint8_t>(units[2 * i + 1]) << 8);
        };
        const std::size_t count = units.size() / 2;
        for (std::size_t i = 0; i < count; ++i) {
            char32_t cp = unit(i);
            if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < count && unit(i + 1) >= 0xDC00 &&
                unit(i + 1) < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
                ++i;
            } else if (cp >= 0xD800 && cp < 0xE000) {
                cp = '?';
            }
            AppendUtf8(out, Cp1252ToCodePoint(CodePointToCp1252(cp)));
        }
        return out;
    }

    std::string_view rest_;
};

} // namespace

std::string EncodeDriver(const DriverParams& d)
{
    Writer writer;
    VisitFileOrder(d, writer);
    return std::move(writer.bytes);
}

bool DecodeDriver(std::string_view bytes, DriverParams& d)
{
    Reader reader(bytes);
    return VisitFileOrder(d, [&](auto& field) {
        // Read into a fresh value first: a field that does not fit keeps its old value.
        std::remove_cvref_t<decltype(field)> value{};
        if (!reader(value))
            return false;
        field = std::move(value);
        return true;
    });
}

FileResult ReadDriverFile(const std::string& path, DriverParams& d)
{
    std::string bytes;
    FileResult result = ReadWholeFile(path, bytes, kMaxDriverFileBytes, kDriverFileTooLarge);
    if (!result.ok())
        return result;
    // An empty file holds no driver at all; taking it would pass for a successful load.
    if (bytes.empty() || !DecodeDriver(bytes, d))
        return {kUnexpectedFileFormat};
    return {};
}

FileResult WriteDriverFile(const std::string& path, const DriverParams& d)
{
    std::string bytes;
    try {
        bytes = EncodeDriver(d);
    } catch (const std::exception&) {
        return {"Failed to save document."};
    }
    return WriteFileAtomically(path, bytes);
}

bool CSpkSysDoc::OpenDriver(const std::string& path)
{
    DriverParams driver = workbench().driver;
    const FileResult result = ReadDriverFile(path, driver);
    if (!result.ok())
        windows_->ShowMessage(result.message);
    // Whatever part of the file was read, the design values now follow the workbench's driver.
    LoadDriver(std::move(driver));
    return result.ok();
}

void CSpkSysDoc::LoadDriver(DriverParams driver)
{
    const CSpkSys before = workbench();
    workbench().driver = std::move(driver);
    // A step whose inputs give no usable result keeps its fields, which is all it can do here.
    CalcQtc();
    CalcAlpha();
    CalcFc();
    EstimateDriverAndVent();
    CalcVentLength();
    // A driver that changed nothing, read from a file or not, leaves the project unmodified.
    const CSpkSys& now = workbench();
    if (!(now.driver == before.driver && now.closed2 == before.closed2 &&
          now.closed3 == before.closed3 && now.vented4 == before.vented4 &&
          now.bandpass4 == before.bandpass4 && now.bandpass5 == before.bandpass5 &&
          now.bandpass6 == before.bandpass6))
        Changed("Load Driver");
    windows_->UpdateAllViews();
}

bool CSpkSysDoc::SaveDriver(const std::string& path)
{
    const FileResult result = WriteDriverFile(path, workbench().driver);
    if (!result.ok())
        windows_->ShowMessage(result.message);
    return result.ok();
}

} // namespace cw
