#include "platform/archivers/unlha32/Lh5Encoder.h"

#include <algorithm>
#include <array>
#include <queue>
#include <vector>

namespace arckit {
namespace {

constexpr int windowBits = 13;
constexpr int windowSize = 1 << windowBits;
constexpr int minMatch = 3;
constexpr int maxMatch = 256;
constexpr int NC = 255 + maxMatch + 2 - minMatch;  // literals and lengths
constexpr int NP = windowBits + 1;                 // position classes
constexpr int NT = 19;                             // code-length codes
constexpr int CBIT = 9, PBIT = 4, TBIT = 5;
constexpr int blockSymbols = 16384;
constexpr int maxChain = 48;

class BitWriter {
public:
    void put(int count, unsigned value)
    {
        for (int i = count - 1; i >= 0; --i) {
            m_byte = quint8((m_byte << 1) | ((value >> i) & 1));
            if (++m_bits == 8) {
                m_out += char(m_byte);
                m_bits = 0;
                m_byte = 0;
            }
        }
    }
    QByteArray finish()
    {
        if (m_bits > 0)
            m_out += char(m_byte << (8 - m_bits));
        return m_out;
    }

private:
    QByteArray m_out;
    quint8 m_byte = 0;
    int m_bits = 0;
};

// Code lengths (at most 16) for the frequencies; canonical codes in symbol order per length.
struct Code {
    std::vector<quint8> length;
    std::vector<quint16> code;
    int used = 0;    // symbols with a non-zero frequency
    int single = 0;  // the symbol when only one is used
};

Code makeCode(const std::vector<quint32>& freq)
{
    const int n = int(freq.size());
    Code c;
    c.length.assign(size_t(n), 0);
    c.code.assign(size_t(n), 0);
    for (int i = 0; i < n; ++i)
        if (freq[size_t(i)]) {
            ++c.used;
            c.single = i;
        }
    if (c.used < 2)
        return c;
    std::vector<quint64> weight(freq.begin(), freq.end());
    for (;;) {
        // Plain Huffman; when a code grows past 16 bits the weights are flattened and it runs again.
        struct Node { quint64 w; int index; };
        auto cmp = [](const Node& a, const Node& b) { return a.w > b.w; };
        std::priority_queue<Node, std::vector<Node>, decltype(cmp)> heap(cmp);
        std::vector<int> parent(size_t(2 * n), -1);
        for (int i = 0; i < n; ++i)
            if (weight[size_t(i)])
                heap.push({weight[size_t(i)], i});
        int next = n;
        while (heap.size() > 1) {
            const Node a = heap.top(); heap.pop();
            const Node b = heap.top(); heap.pop();
            parent[size_t(a.index)] = parent[size_t(b.index)] = next;
            heap.push({a.w + b.w, next++});
        }
        int longest = 0;
        for (int i = 0; i < n; ++i) {
            if (!weight[size_t(i)])
                continue;
            int depth = 0;
            for (int p = parent[size_t(i)]; p >= 0; p = parent[size_t(p)])
                ++depth;
            c.length[size_t(i)] = quint8(depth);
            longest = std::max(longest, depth);
        }
        if (longest <= 16)
            break;
        for (auto& w : weight)
            if (w)
                w = (w >> 1) | 1;
    }
    quint16 next = 0;
    for (int len = 1; len <= 16; ++len) {
        for (int i = 0; i < n; ++i)
            if (c.length[size_t(i)] == len)
                c.code[size_t(i)] = next++;
        next = quint16(next << 1);
    }
    return c;
}

struct Symbol {
    quint16 c;     // literal or length code
    quint16 pos;   // distance - 1 for matches
};

int positionClass(unsigned p)
{
    int c = 0;
    while (p) {
        p >>= 1;
        ++c;
    }
    return c;
}

void writePtLen(BitWriter& out, const Code& code, int n, int nbit, int special)
{
    while (n > 0 && code.length[size_t(n - 1)] == 0)
        --n;
    out.put(nbit, unsigned(n));
    int i = 0;
    while (i < n) {
        const int k = code.length[size_t(i++)];
        if (k <= 6)
            out.put(3, unsigned(k));
        else
            out.put(k - 3, (1u << (k - 3)) - 2);
        if (i == special) {
            while (i < 6 && code.length[size_t(i)] == 0)
                ++i;
            out.put(2, unsigned((i - 3) & 3));
        }
    }
}

// The literal/length lengths are sent run-length coded through the code-length code t.
struct LengthStep {
    int symbol;
    int extraBits;  // 0: none
    int extra;
};

std::vector<LengthStep> lengthSteps(const Code& c)
{
    std::vector<LengthStep> steps;
    int n = NC;
    while (n > 0 && c.length[size_t(n - 1)] == 0)
        --n;
    int i = 0;
    while (i < n) {
        const int k = c.length[size_t(i++)];
        if (k != 0) {
            steps.push_back({k + 2, 0, 0});
            continue;
        }
        int count = 1;
        while (i < n && c.length[size_t(i)] == 0) {
            ++i;
            ++count;
        }
        if (count <= 2) {
            for (int j = 0; j < count; ++j)
                steps.push_back({0, 0, 0});
        } else if (count <= 18) {
            steps.push_back({1, 4, count - 3});
        } else if (count == 19) {
            steps.push_back({0, 0, 0});
            steps.push_back({1, 4, 15});
        } else {
            steps.push_back({2, CBIT, count - 20});
        }
    }
    return steps;
}

void sendSingleOrTable(BitWriter& out, const Code& code, int n, int nbit, int special)
{
    if (code.used >= 2) {
        writePtLen(out, code, n, nbit, special);
    } else {
        out.put(nbit, 0);
        out.put(nbit, unsigned(code.single));
    }
}

void sendBlock(BitWriter& out, const std::vector<Symbol>& symbols)
{
    std::vector<quint32> cFreq(NC, 0), pFreq(NP, 0);
    for (const Symbol& s : symbols) {
        ++cFreq[s.c];
        if (s.c >= 256)
            ++pFreq[size_t(positionClass(s.pos))];
    }
    const Code c = makeCode(cFreq);
    out.put(16, unsigned(symbols.size()));
    if (c.used >= 2) {
        const std::vector<LengthStep> steps = lengthSteps(c);
        std::vector<quint32> tFreq(NT, 0);
        for (const LengthStep& step : steps)
            ++tFreq[size_t(step.symbol)];
        const Code t = makeCode(tFreq);
        sendSingleOrTable(out, t, NT, TBIT, 3);
        int n = NC;
        while (n > 0 && c.length[size_t(n - 1)] == 0)
            --n;
        out.put(CBIT, unsigned(n));
        for (const LengthStep& step : steps) {
            if (t.used >= 2)
                out.put(t.length[size_t(step.symbol)], t.code[size_t(step.symbol)]);
            if (step.extraBits > 0)
                out.put(step.extraBits, unsigned(step.extra));
        }
    } else {
        out.put(TBIT, 0);
        out.put(TBIT, 0);
        out.put(CBIT, 0);
        out.put(CBIT, unsigned(c.single));
    }
    const Code p = makeCode(pFreq);
    sendSingleOrTable(out, p, NP, PBIT, -1);
    for (const Symbol& s : symbols) {
        if (c.used >= 2)
            out.put(c.length[s.c], c.code[s.c]);
        if (s.c < 256)
            continue;
        const int pc = positionClass(s.pos);
        if (p.used >= 2)
            out.put(p.length[size_t(pc)], p.code[size_t(pc)]);
        if (pc > 1)
            out.put(pc - 1, s.pos & (0xFFFFu >> (17 - pc)));
    }
}

} // namespace

QByteArray encodeLh5(const uchar* data, qint64 size)
{
    BitWriter out;
    std::vector<Symbol> symbols;
    symbols.reserve(blockSymbols);
    constexpr int hashSize = 1 << 15;
    std::vector<qint64> head(hashSize, -1);
    std::vector<qint64> prev(windowSize, -1);
    auto hash = [&](qint64 i) { return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (hashSize - 1); };
    auto insert = [&](qint64 i) {
        if (i + minMatch > size)
            return;
        const int h = hash(i);
        prev[size_t(i & (windowSize - 1))] = head[size_t(h)];
        head[size_t(h)] = i;
    };
    for (qint64 i = 0; i < size;) {
        int bestLength = 0;
        qint64 bestPos = 0;
        if (i + minMatch <= size) {
            const qint64 limit = std::min<qint64>(maxMatch, size - i);
            qint64 candidate = head[size_t(hash(i))];
            for (int chain = 0; candidate >= 0 && i - candidate < windowSize && chain < maxChain; ++chain) {
                int length = 0;
                while (length < limit && data[candidate + length] == data[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestPos = candidate;
                    if (length == limit)
                        break;
                }
                const qint64 older = prev[size_t(candidate & (windowSize - 1))];
                if (older >= candidate)
                    break;
                candidate = older;
            }
        }
        if (bestLength >= minMatch) {
            symbols.push_back({quint16(bestLength + 256 - minMatch), quint16(i - bestPos - 1)});
            for (int k = 0; k < bestLength; ++k)
                insert(i + k);
            i += bestLength;
        } else {
            symbols.push_back({data[i], 0});
            insert(i);
            ++i;
        }
        if (int(symbols.size()) == blockSymbols) {
            sendBlock(out, symbols);
            symbols.clear();
        }
    }
    if (!symbols.empty())
        sendBlock(out, symbols);
    return out.finish();
}

} // namespace arckit
