#include "calc/work.h"

#include <array>
#include <string>

#include "calc/pi_digits.h"

namespace quill {

namespace {

// sum of sign^k * u^(2k+1) / (2k+1) for k = 0, 1, ...: atan (sign -1) and
// atanh (sign +1) of a small u, until the terms fall below the last bit.
Work OddSeries(const Work& u, int sign) {
    if (u == 0) return u;
    const Work u2 = u * u;
    Work power = u;
    Work sum = u;
    const Work limit = mp::ldexp(mp::abs(u), -(kWorkDigits * 10 / 3 + 8));
    for (unsigned n = 3;; n += 2) {
        power *= u2;
        const Work term = power / n;
        if (mp::abs(term) < limit) break;
        if (sign < 0 && (n & 2) != 0) {
            sum -= term;
        } else {
            sum += term;
        }
    }
    return sum;
}

// A log table for the reduction below: log(j / 64) for j from kFirstEntry to
// kLastEntry, the steps that cover [1/sqrt(2), sqrt(2)]. Worked out once, by
// the series, from exact quotients.
constexpr int kTableSteps = 64;
constexpr int kFirstEntry = 45; // 45/64 < 1/sqrt(2)
constexpr int kLastEntry = 91;  // 91/64 > sqrt(2)

struct LogTable {
    Work ln2;
    std::array<Work, kLastEntry - kFirstEntry + 1> entries;
};

const LogTable& Logs() {
    static const LogTable table = [] {
        LogTable t;
        t.ln2 = 2 * OddSeries(Work(1) / 3, 1); // log 2 = 2 atanh(1/3)
        for (int j = kFirstEntry; j <= kLastEntry; ++j) {
            t.entries[static_cast<std::size_t>(j - kFirstEntry)] =
                2 * OddSeries(Work(j - kTableSteps) / (j + kTableSteps), 1);
        }
        return t;
    }();
    return table;
}

// log(w) for a positive finite w: w = m * 2^k with m near 1, m = (j/64) * r
// with r within 1/90 of 1, so that the series for log r has a dozen terms.
Work LogOfWork(const Work& w) {
    int k = 0;
    Work m = mp::frexp(w, &k); // m in [1/2, 1)
    if (m < Work(0.70703125)) {
        m *= 2;
        --k;
    }
    const Work steps = m * kTableSteps;
    const int j = mp::round(steps).convert_to<int>();
    const LogTable& logs = Logs();
    const Work rest = 2 * OddSeries((steps - j) / (steps + j), 1);
    return logs.ln2 * k + logs.entries[static_cast<std::size_t>(j - kFirstEntry)] + rest;
}

} // namespace

Work TenToWork(std::int64_t n) {
    const Work magnitude = mp::pow(Work(10), static_cast<long long>(n < 0 ? -n : n));
    return n < 0 ? Work(1) / magnitude : magnitude;
}

Work ToWork(const Decimal& x) {
    if (x.IsZero()) return Work(0);
    Work w(x.coefficient());
    const std::int32_t q = x.exponent();
    if (q > 0) w *= TenToWork(q);
    if (q < 0) w /= TenToWork(-q);
    return x.IsNegative() ? Work(-w) : w;
}

Work ToWork(const Bound& b) {
    if (b.IsZero()) return Work(0);
    return Work(b.mantissa()) * TenToWork(b.exponent());
}

Bound BoundOf(const Work& w) {
    if (w == 0) return {};
    if (mp::isnan(w) || mp::isinf(w)) return Bound::Unbounded();
    int binary = 0;
    mp::frexp(w, &binary);
    const std::int64_t scale = (std::int64_t{binary} - 1) * 1233 / 4096;
    if (scale > 4 * std::int64_t{kMaxScale}) return Bound::Unbounded();
    // Nine digits or ten, rounded up, and one unit more for the error of the
    // scaling.
    const Work top = mp::ceil(mp::abs(w) * TenToWork(kBoundDigits - 1 - scale));
    return Bound::Of(top.convert_to<std::uint64_t>() + 1, scale - (kBoundDigits - 1));
}

const Work& WorkPi() {
    // Ten digits more than the working precision, divided once.
    static const Work pi = Work(BigInt(std::string(kPiDigits.substr(0, kWorkDigits + 10)))) /
                           TenToWork(kWorkDigits + 9);
    return pi;
}

Work LogOf(const Decimal& x) {
    const Decimal t = Subtract(x, Decimal::Integer(1));
    if (t.IsZero()) return Work(0);
    if (t.Scale() < 0) {
        // log(1 + t) = 2 atanh(t / (2 + t)), short for |t| below 1/8.
        const Work tw = ToWork(t);
        if (mp::abs(tw) < Work(0.125)) return 2 * OddSeries(tw / (2 + tw), 1);
    }
    return LogOfWork(ToWork(x));
}

} // namespace quill
