#pragma once
#include <cstdint>

// Replaces the width × height plane (row by row) by the mean of the boxWidth × boxHeight
// box around each value, with separable running sums; `work` is a scratch plane of the same
// size. Values whose box does not lie wholly inside the plane become 0. Means truncate
// toward zero. A plane smaller than the box becomes all 0.
void boxMean(std::int32_t* plane, std::int32_t* work, int width, int height, int boxWidth,
             int boxHeight);
