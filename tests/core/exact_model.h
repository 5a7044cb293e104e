#pragma once
// An independent, exact model of the number text rules for the tests: values
// are big integers times powers of two, and every arithmetic step is rounded
// in software to the binary format it names. Nothing here uses the x87 unit.
#include <boost/multiprecision/cpp_int.hpp>

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace model {

using boost::multiprecision::cpp_int;

struct BinaryFormat {
  int precision;    // significand bits
  long minUlpExp;   // exponent of the smallest denormal
  long maxExp;      // values of 2^(maxExp+1) and above overflow
};
inline constexpr BinaryFormat kExtended{64, -16445, 16383};
inline constexpr BinaryFormat kDouble{53, -1074, 1023};

// sign * m * 2^e, or an infinity / NaN.
struct Value {
  enum Kind { kFinite, kInfinity, kNan } kind = kFinite;
  bool negative = false;
  cpp_int m = 0;
  long e = 0;

  bool IsZero() const { return kind == kFinite && m == 0; }
  bool operator==(const Value& o) const {
    if (kind != o.kind) return false;
    if (kind == kNan) return true;
    if (negative != o.negative) return false;
    if (kind == kInfinity) return true;
    if (m == 0 || o.m == 0) return m == o.m;
    // Compare m*2^e exactly.
    if (e >= o.e) return (m << static_cast<unsigned>(e - o.e)) == o.m;
    return m == (o.m << static_cast<unsigned>(o.e - e));
  }
};

inline long Msb(const cpp_int& v) { return static_cast<long>(boost::multiprecision::msb(v)); }

inline Value Infinity(bool negative) {
  Value v;
  v.kind = Value::kInfinity;
  v.negative = negative;
  return v;
}

// Rounds num/den * 2^exp2 (num >= 0, den > 0) to nearest, ties to even.
inline Value RoundRatio(const cpp_int& num, const cpp_int& den, long exp2, bool negative, BinaryFormat f) {
  Value out;
  out.negative = negative;
  if (num == 0) return out;
  if (den == 1) {  // the common case: no division needed
    const long e = Msb(num) + exp2;
    const long ulpExp = std::max(e - (f.precision - 1), f.minUlpExp);
    const long s = ulpExp - exp2;
    cpp_int q;
    if (s <= 0) {
      q = num;  // exact
      out.m = q;
      out.e = exp2;
    } else {
      q = num >> static_cast<unsigned>(s);
      const cpp_int r = num - (q << static_cast<unsigned>(s));
      const cpp_int half = cpp_int(1) << static_cast<unsigned>(s - 1);
      if (r > half || (r == half && (q & 1) != 0)) ++q;
      out.m = q;
      out.e = ulpExp;
    }
    if (out.m == 0) return out;
    if (Msb(out.m) + out.e > f.maxExp) return Infinity(negative);
    return out;
  }
  const long nb = Msb(num), db = Msb(den);
  long e = nb - db;
  {
    const cpp_int a = nb >= db ? num : cpp_int(num << static_cast<unsigned>(db - nb));
    const cpp_int b = nb >= db ? cpp_int(den << static_cast<unsigned>(nb - db)) : den;
    if (a < b) --e;
  }
  e += exp2;  // floor(log2 of the value)
  const long ulpExp = std::max(e - (f.precision - 1), f.minUlpExp);
  const long s = ulpExp - exp2;
  cpp_int divisor = s >= 0 ? cpp_int(den << static_cast<unsigned>(s)) : den;
  cpp_int dividend = s >= 0 ? num : cpp_int(num << static_cast<unsigned>(-s));
  cpp_int q = dividend / divisor;
  const cpp_int r = dividend - q * divisor;
  const cpp_int twice = r * 2;
  if (twice > divisor || (twice == divisor && (q & 1) != 0)) ++q;
  if (q == 0) return out;
  if (Msb(q) + ulpExp > f.maxExp) return Infinity(negative);
  out.m = q;
  out.e = ulpExp;
  return out;
}

inline Value Round(const Value& v, BinaryFormat f) {
  if (v.kind != Value::kFinite) return v;
  return RoundRatio(v.m, 1, v.e, v.negative, f);
}

inline Value Integer(const cpp_int& n) {
  Value v;
  v.negative = n < 0;
  v.m = v.negative ? cpp_int(-n) : n;
  return v;
}

inline Value Multiply(const Value& a, const Value& b, BinaryFormat f = kExtended) {
  const bool negative = a.negative != b.negative;
  if (a.kind == Value::kNan || b.kind == Value::kNan) return Value{Value::kNan};
  if (a.kind == Value::kInfinity || b.kind == Value::kInfinity) {
    if (a.IsZero() || b.IsZero()) return Value{Value::kNan};
    return Infinity(negative);
  }
  return RoundRatio(a.m * b.m, 1, a.e + b.e, negative, f);
}

inline Value Divide(const Value& a, const Value& b, BinaryFormat f = kExtended) {
  const bool negative = a.negative != b.negative;
  if (a.kind != Value::kFinite || b.kind != Value::kFinite) return Value{Value::kNan};  // not needed here
  if (b.m == 0) return a.m == 0 ? Value{Value::kNan} : Infinity(negative);
  return RoundRatio(a.m, b.m, a.e - b.e, negative, f);
}

// a + b for non-negative finite values.
inline Value AddMagnitudes(const Value& a, const Value& b, BinaryFormat f = kExtended) {
  if (a.kind != Value::kFinite) return a;
  const long e = std::min(a.e, b.e);
  const cpp_int sum = (a.m << static_cast<unsigned>(a.e - e)) + (b.m << static_cast<unsigned>(b.e - e));
  return RoundRatio(sum, 1, e, false, f);
}

// Round to an integer, nearest with ties to even.
inline cpp_int RoundToInteger(const Value& v) {
  if (v.e >= 0) return v.m << static_cast<unsigned>(v.e);
  const unsigned shift = static_cast<unsigned>(-v.e);
  cpp_int q = v.m >> shift;
  const cpp_int r = v.m - (q << shift);
  const cpp_int half = cpp_int(1) << (shift - 1);
  if (r > half || (r == half && (q & 1) != 0)) ++q;
  return q;
}

inline cpp_int PowerOfTen(unsigned k) { return boost::multiprecision::pow(cpp_int(10), k); }

// The extended value nearest to 10^k.
inline Value NearestPowerOfTen(unsigned k) {
  static std::map<unsigned, Value> cache;
  auto it = cache.find(k);
  if (it == cache.end()) it = cache.emplace(k, RoundRatio(PowerOfTen(k), 1, 0, false, kExtended)).first;
  return it->second;
}

// x times ten to the power n with the three tables, each step rounded.
inline Value ScaleByPowerOfTen(Value x, int n) {
  if (n == 0) return x;
  const bool up = n > 0;
  const unsigned magnitude = static_cast<unsigned>(up ? n : -n);
  if (magnitude >= 5120) return up ? Infinity(x.negative) : Value{Value::kFinite, x.negative};
  const unsigned a = magnitude % 32, b = (magnitude / 32) % 16, c = magnitude / 512;
  auto step = [&](unsigned k) {
    const Value p = NearestPowerOfTen(k);
    x = up ? Multiply(x, p) : Divide(x, p);
  };
  step(a);
  if (b) step(32 * b);
  if (c) step(512 * c);
  return x;
}

// Exact value of an x87 extended number, read from its bytes.
inline Value FromExtended(long double x) {
  unsigned char bytes[10];
  std::memcpy(bytes, &x, 10);
  std::uint64_t significand;
  std::memcpy(&significand, bytes, 8);
  const int se = bytes[8] | (bytes[9] << 8);
  const int biased = se & 0x7FFF;
  Value v;
  v.negative = (se & 0x8000) != 0;
  if (biased == 0x7FFF) {
    v.kind = (significand << 1) == 0 ? Value::kInfinity : Value::kNan;
    if (v.kind == Value::kNan) v.negative = false;
    return v;
  }
  v.m = significand;
  v.e = (biased == 0 ? 1 : biased) - 16383 - 63;
  return v;
}

inline Value FromDouble(double d) { return FromExtended(static_cast<long double>(d)); }  // exact widening

// ---- ParseDecimalText ----
// nullopt when the text is refused.
inline std::optional<Value> Parse(std::wstring_view text, wchar_t separator) {
  text = text.substr(0, text.find(L'\0'));
  size_t i = 0;
  auto at = [&](size_t k) -> wchar_t { return k < text.size() ? text[k] : L'\0'; };
  auto digit = [&](size_t k) { return at(k) >= L'0' && at(k) <= L'9'; };
  while (at(i) == L' ') ++i;
  bool negative = false;
  if (at(i) == L'-' || at(i) == L'+') negative = text[i++] == L'-';
  Value acc;
  const Value ten = Integer(10);
  bool any = false;
  int fraction = 0;
  while (digit(i)) {
    acc = AddMagnitudes(Multiply(acc, ten), Integer(text[i++] - L'0'));
    any = true;
  }
  if (i < text.size() && text[i] == separator) {
    ++i;
    any = true;
    while (digit(i)) {
      acc = AddMagnitudes(Multiply(acc, ten), Integer(text[i++] - L'0'));
      ++fraction;
    }
  }
  if (!any) return std::nullopt;
  long exponent = 0;
  if (at(i) == L'e' || at(i) == L'E') {
    ++i;
    bool down = false;
    if (at(i) == L'-' || at(i) == L'+') down = text[i++] == L'-';
    while (digit(i) && exponent < 500) exponent = exponent * 10 + (text[i++] - L'0');
    if (down) exponent = -exponent;
  }
  while (at(i) == L' ') ++i;
  if (i != text.size()) return std::nullopt;
  if (acc.kind != Value::kFinite) return std::nullopt;
  Value v = ScaleByPowerOfTen(acc, static_cast<int>(exponent - fraction));
  if (v.kind != Value::kFinite) return std::nullopt;
  v.negative = negative;
  return v;
}

// ---- Decimal form and general format ----
struct Decimal {
  int exponent = 0;
  bool negative = false;
  std::string digits;
  bool infinity = false, nan = false;
};

inline Decimal ToDecimal(const Value& x, int precision, int decimals) {
  Decimal d;
  if (x.kind == Value::kNan) { d.nan = true; return d; }
  if (x.kind == Value::kInfinity) { d.infinity = true; d.negative = x.negative; return d; }
  if (x.m == 0) return d;
  const long log2 = Msb(x.m) + x.e;
  if (log2 < -16382) return d;  // a denormal
  const long e2 = log2;
  int e = static_cast<int>(std::floor(static_cast<double>(e2) * 19728.0 / 65536.0)) + 1;
  Value magnitude = x;
  magnitude.negative = false;
  const cpp_int p17 = PowerOfTen(17), p18 = PowerOfTen(18);
  cpp_int y;
  for (int attempt = 0; attempt < 4; ++attempt) {
    y = RoundToInteger(ScaleByPowerOfTen(magnitude, 18 - e));
    if (y >= p18) {
      y = RoundToInteger(Divide(Integer(y), Integer(10)));
      ++e;
      break;
    }
    if (y < p17) { --e; continue; }
    break;
  }
  if (y >= p18) { y = p17; ++e; }
  std::string all = y.str();
  int k = e + decimals;
  d.exponent = e;
  if (k < 0) return d;
  k = std::min(k, precision);
  if (k < 18) {
    const bool up = all[k] >= '5';
    all.resize(k);
    if (up) {
      int i = k - 1;
      while (i >= 0 && all[i] == '9') all.resize(i--);
      if (i < 0) { all = "1"; ++e; } else { ++all[i]; }
    }
  }
  while (!all.empty() && all.back() == '0') all.pop_back();
  d.exponent = e;
  d.digits = all;
  d.negative = !all.empty() && x.negative;
  return d;
}

inline std::wstring General(const Value& x, wchar_t separator) {
  const Decimal d = ToDecimal(x, 15, 9999);
  if (d.nan) return L"NAN";
  if (d.infinity) return d.negative ? L"-INF" : L"INF";
  if (d.digits.empty()) return L"0";
  std::wstring digits(d.digits.begin(), d.digits.end());
  std::wstring s = d.negative ? L"-" : L"";
  const int e = d.exponent;
  if (e > 15 || e < -3) {
    s += digits.substr(0, 1);
    if (digits.size() > 1) s += separator + digits.substr(1);
    s += L"E" + std::to_wstring(e - 1);
  } else if (e <= 0) {
    s += L"0" + std::wstring(1, separator) + std::wstring(static_cast<size_t>(-e), L'0') + digits;
  } else {
    if (digits.size() < static_cast<size_t>(e)) digits.append(e - digits.size(), L'0');
    s += digits.substr(0, e);
    if (digits.size() > static_cast<size_t>(e)) s += separator + digits.substr(e);
  }
  return s;
}

// ---- Convert ----
enum class Outcome { kText, kNotANumber, kInvalidOp, kZeroDivide, kOverflow };
struct ConvertResult {
  Outcome outcome;
  std::wstring text;
};

inline ConvertResult Convert(std::wstring_view text, double first, double second, wchar_t separator) {
  const std::optional<Value> parsed = Parse(text, separator);
  if (!parsed) return {Outcome::kNotANumber, {}};
  const Value value = Round(*parsed, kDouble);
  if (value.kind == Value::kInfinity) return {Outcome::kOverflow, {}};
  const Value f1 = FromDouble(first), f2 = FromDouble(second);
  if (f2.IsZero()) return {f1.IsZero() ? Outcome::kInvalidOp : Outcome::kZeroDivide, {}};
  const Value product = Multiply(Divide(f1, f2), value);
  if (product.kind == Value::kInfinity) return {Outcome::kOverflow, {}};
  return {Outcome::kText, General(product, separator)};
}

}  // namespace model
