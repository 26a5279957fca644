#pragma once

namespace platform {

// number * numerator / denominator with a 64-bit product, rounded half away from zero;
// -1 when the denominator is 0 or the result does not fit in an int.
int MulDiv(int number, int numerator, int denominator);

}  // namespace platform
