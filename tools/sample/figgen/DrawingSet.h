// The functions that draw the figures of the vocabulary, one per drawing, grouped by subject
// (Knots.cpp, ShipDrawings.cpp, Seamarks.cpp).
#pragma once

#include "tools/sample/figgen/Painter.h"

namespace quorvel::figgen {

void drawAnchor(Painter& p);
void drawBowline(Painter& p);
void drawReefKnot(Painter& p);
void drawCloveHitch(Painter& p);
void drawFigureOfEight(Painter& p);
void drawMidshipSection(Painter& p);
void drawHullDimensions(Painter& p);
void drawSloopSails(Painter& p);
void drawLateralMarks(Painter& p);
void drawCardinalMarks(Painter& p);
void drawCompassRose(Painter& p);
void drawPointsOfSail(Painter& p);
void drawNavigationLights(Painter& p);

}  // namespace quorvel::figgen
