#pragma once
#include <string>

#include "model/Court.h"
#include "platform/FieldSurface.h"

// Draws the whole court into its pictures, which the layout has sized: the skin, the floor
// wedges, the baskets and the score box. A computer's target ring is not drawn, and its
// rectangle keeps the last drawn value.
void buildBackdrop(Court& court, bool leftIsPerson, bool rightIsPerson);
// Recreates the surface at the field's size with the backdrop and the players' names on it,
// and takes the names back into the backdrop.
void prepareFieldImage(Court& court, FieldSurface& surface, const std::string& leftName,
                       const std::string& rightName);
