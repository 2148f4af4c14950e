#pragma once

namespace parvelin::record {

// a × b / c rounded to the nearest integer, halves away from zero, without overflowing in the
// product: how dialog units become pixels and page units become device units.
constexpr int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace parvelin::record
