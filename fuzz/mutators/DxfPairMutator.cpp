// Mutations of DXF text by group-code/value pairs.
#include "mutators/DxfPairMutator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <vector>

namespace {

// One line of the text: its bytes without the line break, and the break ("\n", "\r\n" or none).
struct SLine {
    std::string text;
    std::string eol;
};

std::vector<SLine> SplitLines(const std::string& text) {
    std::vector<SLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t nl = text.find('\n', start);
        SLine line;
        if (nl == std::string::npos) {
            line.text = text.substr(start);
            start = text.size();
        } else {
            line.text = text.substr(start, nl - start);
            line.eol = "\n";
            start = nl + 1;
        }
        if (!line.eol.empty() && !line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.eol = "\r\n";
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string JoinLines(const std::vector<SLine>& lines) {
    std::string text;
    for (const SLine& line : lines) {
        text += line.text;
        text += line.eol;
    }
    return text;
}

// The line break most lines use, for lines that are added.
std::string UsualBreak(const std::vector<SLine>& lines) {
    const auto crlf = std::count_if(lines.begin(), lines.end(), [](const SLine& l) { return l.eol == "\r\n"; });
    return 2 * static_cast<size_t>(crlf) > lines.size() ? "\r\n" : "\n";
}

constexpr std::array<std::string_view, 24> kIntegers = {
    "0",          "1",          "-1",          "2",           "-2",          "-2147483648",
    "2147483647", "2147483648", "-2147483649", "4294967295",  "4294967296",  "32767",
    "-32768",     "65535",      "65536",       "10000000",    "2000000000",  "9223372036854775807",
    "-9223372036854775808",     "99999999999999999999",       "1e9",         " 7",
    "+3",         "",
};

constexpr std::array<std::string_view, 22> kReals = {
    "1e308", "-1e308", "1.8e308", "72.99e557", "-1e999", "inf",      "-inf",   "nan",
    "-nan",  "INF",    "NaN",     "1e-320",    "0",      "-0",       "4.9e-324", "1e15",
    "-1e15", "2147483648.5", "1e+", ".", "0x1p1023", "",
};

// Group codes worth giving a pair: counts, flags and coordinates of the entities a profile uses.
constexpr std::array<std::string_view, 24> kCodes = {
    "0",  "8",  "10", "20", "11", "21", "40", "41", "42", "50", "51", "70",
    "71", "72", "73", "74", "90", "93", "95", "96", "210", "230", "1071", "999",
};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

template <typename T, size_t N>
T Pick(const std::array<T, N>& values, std::mt19937& rng) {
    return values[std::uniform_int_distribution<size_t>(0, N - 1)(rng)];
}

size_t Below(size_t n, std::mt19937& rng) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); }

class CPairText {
public:
    explicit CPairText(const std::string& text) : m_lines(SplitLines(text)) {}

    size_t Pairs() const { return m_lines.size() / 2; }
    SLine& Code(size_t pair) { return m_lines[2 * pair]; }
    SLine& Value(size_t pair) { return m_lines[2 * pair + 1]; }
    std::vector<SLine>& Lines() { return m_lines; }

    // A pair whose code announces the kind, or Pairs() when there is none.
    size_t PairOfKind(CDxfPairMutator::EKind kind, std::mt19937& rng) {
        std::vector<size_t> found;
        for (size_t i = 0; i < Pairs(); ++i) {
            if (CDxfPairMutator::KindOf(Code(i).text) == kind) {
                found.push_back(i);
            }
        }
        return found.empty() ? Pairs() : found[Below(found.size(), rng)];
    }

    std::string Text() const { return JoinLines(m_lines); }

private:
    std::vector<SLine> m_lines;
};

// Sets a run of lines in at a line index, every line ending with a break.
void InsertRun(std::vector<SLine>& lines, size_t at, std::vector<SLine> run) {
    const std::string eol = UsualBreak(lines);
    if (at > 0 && lines[at - 1].eol.empty()) {
        lines[at - 1].eol = eol;
    }
    for (SLine& l : run) {
        if (l.eol.empty()) {
            l.eol = eol;
        }
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
}

// A value near the old one, or a boundary.
std::string IntegerValue(std::string_view old, std::mt19937& rng) {
    if (rng() % 6 == 0) {
        long long v = 0;
        const std::string_view t = Trimmed(old);
        std::from_chars(t.data(), t.data() + t.size(), v);
        const long long deltas[] = {1, -1, 2, 10, 100, 1000000};
        long long d = deltas[Below(std::size(deltas), rng)];
        if (v > -(1LL << 40) && v < (1LL << 40)) {
            return std::to_string(rng() % 2 ? v + d : v * d);
        }
    }
    // The ends of a 32-bit count most often: a count that wraps when a reader steps through it.
    constexpr std::array<std::string_view, 4> kEnds = {"-2147483648", "2147483647", "-1", "0"};
    return std::string(rng() % 9 < 4 ? Pick(kEnds, rng) : Pick(kIntegers, rng));
}

// The line grown to about targetLength bytes: repeated, padded with blanks or leading zeros,
// or filled with one letter.
std::string Grown(const std::string& line, size_t targetLength, std::mt19937& rng) {
    if (targetLength <= line.size()) {
        return line;
    }
    const size_t extra = targetLength - line.size();
    switch (rng() % 4) {
        case 0: return std::string(extra, ' ') + line;
        case 1: return line + std::string(extra, ' ');
        case 2: return std::string(extra, '0') + line;
        default: {
            std::string grown = line.empty() ? std::string("L") : line;
            while (grown.size() < targetLength) {
                grown += grown;
            }
            grown.resize(targetLength);
            return grown;
        }
    }
}

// One entity of each kind a profile is read from, as group-code/value lines.
constexpr std::array<std::string_view, 10> kEntities = {
    "0\nLINE\n8\n0\n10\n0\n20\n10\n11\n50\n21\n10",
    "0\nARC\n8\n0\n10\n20\n20\n0\n40\n20\n50\n0\n51\n90",
    "0\nCIRCLE\n8\n0\n10\n0\n20\n0\n40\n5",
    "0\nLWPOLYLINE\n8\n0\n90\n3\n70\n0\n10\n0\n20\n10\n42\n0.4\n10\n20\n20\n10\n10\n40\n20\n15",
    "0\nPOLYLINE\n8\n0\n66\n1\n70\n0\n0\nVERTEX\n8\n0\n10\n0\n20\n10\n42\n0.5\n0\nVERTEX\n8\n0\n10\n30\n20\n10\n"
    "0\nSEQEND\n8\n0",
    "0\nSPLINE\n8\n0\n70\n8\n71\n3\n72\n8\n73\n4\n74\n0\n40\n0\n40\n0\n40\n0\n40\n0\n40\n1\n40\n1\n40\n1\n40\n1\n"
    "10\n0\n20\n10\n10\n10\n20\n20\n10\n30\n20\n20\n10\n40\n20\n10",
    "0\nSPLINE\n8\n0\n70\n8\n71\n3\n72\n0\n73\n0\n74\n3\n11\n0\n21\n10\n11\n20\n21\n20\n11\n40\n21\n10",
    "0\nELLIPSE\n8\n0\n10\n20\n20\n0\n11\n20\n21\n0\n40\n0.5\n41\n0\n42\n3.14159",
    "0\nLEADER\n8\n0\n76\n3\n10\n0\n20\n0\n10\n10\n20\n10\n10\n20\n20\n10",
    "0\nINSERT\n8\n0\n2\nB\n10\n0\n20\n0\n41\n1\n42\n1\n50\n0",
};

// An entity set in before another entity (a pair of code 0), half the time with one of its
// whole numbers (a count, a flag) at a boundary.
void InsertEntity(std::vector<SLine>& lines, std::mt19937& rng) {
    std::vector<size_t> starts;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (Trimmed(lines[i].text) == "0") {
            starts.push_back(i);
        }
    }
    std::vector<SLine> entity = SplitLines(std::string(Pick(kEntities, rng)) + "\n");
    if (rng() % 2) {
        std::vector<size_t> whole;
        for (size_t i = 0; i + 1 < entity.size(); i += 2) {
            if (CDxfPairMutator::KindOf(entity[i].text) == CDxfPairMutator::EKind::Integer) {
                whole.push_back(i + 1);
            }
        }
        if (!whole.empty()) {
            SLine& value = entity[whole[Below(whole.size(), rng)]];
            value.text = IntegerValue(value.text, rng);
        }
    }
    const std::string eol = UsualBreak(lines);
    for (SLine& l : entity) {
        l.eol = eol;
    }
    InsertRun(lines, starts.empty() ? 0 : starts[Below(starts.size(), rng)], std::move(entity));
}

}  // namespace

CDxfPairMutator::EKind CDxfPairMutator::KindOf(std::string_view codeLine) {
    const std::string_view t = Trimmed(codeLine);
    int code = -1;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), code);
    if (ec != std::errc() || end != t.data() + t.size() || code < 0) {
        return EKind::Text;
    }
    const auto in = [code](int lo, int hi) { return code >= lo && code <= hi; };
    if (in(60, 99) || in(170, 179) || in(270, 289) || in(370, 389) || in(400, 409) || in(420, 429) ||
        in(440, 459) || in(1060, 1071)) {
        return EKind::Integer;
    }
    if (in(10, 59) || in(110, 149) || in(210, 239) || in(460, 469) || in(1010, 1059)) {
        return EKind::Real;
    }
    return EKind::Text;
}

std::string CDxfPairMutator::Mutate(const std::string& text, size_t maxSize, std::mt19937& rng) const {
    CPairText pairs(text);
    const auto bytesOnly = [&]() {
        std::string out = text;
        if (!m_bytes) {
            return out.size() > maxSize ? out.substr(0, maxSize) : out;
        }
        out.resize(std::max(maxSize, out.size()));
        const size_t n = m_bytes(reinterpret_cast<uint8_t*>(out.data()), text.size(), maxSize);
        out.resize(std::min(n, maxSize));
        return out;
    };
    if (pairs.Pairs() == 0) {
        return bytesOnly();
    }
    // Shares in thousandths. A line past the reader's buffer is tried rarely: where it hangs a
    // reader, every such input costs the run a whole timeout.
    const unsigned choice = rng() % 1000;
    if (choice < 150) {
        return bytesOnly();
    }
    std::vector<SLine>& lines = pairs.Lines();
    const size_t n = pairs.Pairs();
    if (choice < 520) {
        const size_t i = pairs.PairOfKind(EKind::Integer, rng);
        if (i == n) {
            return bytesOnly();
        }
        pairs.Value(i).text = IntegerValue(pairs.Value(i).text, rng);
    } else if (choice < 630) {
        const size_t i = pairs.PairOfKind(EKind::Real, rng);
        if (i == n) {
            return bytesOnly();
        }
        pairs.Value(i).text = std::string(Pick(kReals, rng));
    } else if (choice < 636) {
        // One line past the lengths line buffers stop at, as far as the room allows.
        constexpr size_t kLengths[] = {1022, 1023, 1024, 1025, 1100, 2048, 4000};
        SLine& line = rng() % 4 == 0 ? pairs.Code(Below(n, rng)) : pairs.Value(Below(n, rng));
        const size_t room = maxSize > text.size() ? maxSize - text.size() + line.text.size() : 0;
        const size_t want = std::min(kLengths[Below(std::size(kLengths), rng)], room);
        if (want <= line.text.size()) {
            return bytesOnly();
        }
        line.text = Grown(line.text, want, rng);
    } else if (choice < 736) {
        InsertEntity(lines, rng);
    } else if (choice < 826) {
        // A run of pairs copied to another place.
        const size_t first = Below(n, rng);
        const size_t count = std::min<size_t>(1 + rng() % 4, n - first);
        const size_t at = 2 * Below(n + 1, rng);
        InsertRun(lines, at, {lines.begin() + 2 * first, lines.begin() + 2 * (first + count)});
    } else if (choice < 886) {
        const size_t first = Below(n, rng);
        const size_t count = std::min<size_t>(1 + rng() % 2, n - first);
        lines.erase(lines.begin() + 2 * first, lines.begin() + 2 * (first + count));
    } else if (choice < 916) {
        const size_t a = Below(n, rng);
        const size_t b = Below(n, rng);
        std::swap(pairs.Code(a).text, pairs.Code(b).text);
        std::swap(pairs.Value(a).text, pairs.Value(b).text);
    } else {
        // Another group code: one of the file's own or one the entities count with.
        SLine& code = pairs.Code(Below(n, rng));
        code.text = rng() % 2 ? std::string(Pick(kCodes, rng)) : pairs.Code(Below(n, rng)).text;
    }
    std::string out = pairs.Text();
    if (out.size() > maxSize) {
        return bytesOnly();
    }
    return out;
}
