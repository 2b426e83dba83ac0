#include "view/Etichette.h"

#include <algorithm>
#include <cmath>

namespace isolmar {

namespace {

// n / 10^cifre with a decimal comma and no trailing zeros: (6700, 3) -> "6,7".
std::string Decimale(long n, int cifre) {
    std::string frazione;
    for (int k = 0; k < cifre; ++k, n /= 10)
        frazione.insert(frazione.begin(), static_cast<char>('0' + n % 10));
    const std::string intero = std::to_string(n);
    while (!frazione.empty() && frazione.back() == '0')
        frazione.pop_back();
    return frazione.empty() ? intero : intero + "," + frazione;
}

} // namespace

std::string TestoDurata(double secondi) {
    if (!(secondi > 0)) secondi = 0;   // also a NaN
    secondi = std::min(secondi, 1e12); // a clock gone wrong, not a wrapped number
    if (const long ms = std::lround(secondi * 1000); ms < 1000) return Decimale(ms, 3) + " s";
    if (const long decimi = std::lround(secondi * 10); decimi < 600)
        return Decimale(decimi, 1) + " s";
    const long s = std::lround(secondi);
    if (s < 3600)
        return std::to_string(s / 60) + " min" +
               (s % 60 ? " " + std::to_string(s % 60) + " s" : "");
    const long min = std::lround(secondi / 60);
    return std::to_string(min / 60) + " h" +
           (min % 60 ? " " + std::to_string(min % 60) + " min" : "");
}

std::string TestoQuanti(long n, std::string_view uno, std::string_view molti) {
    return std::to_string(n) + " " + std::string(n == 1 ? uno : molti);
}

} // namespace isolmar
