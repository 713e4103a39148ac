// The back buffer as the painters see it: one surface that carries two layers, each with its
// own vocabulary (PlainCanvas.h, ShapeCanvas.h). Every painter takes the layer it draws on;
// only the composition of a whole face takes both. Windows implements the plain layer with
// GDI and the shape layer with GDI+, Linux both with cairo; the recording canvas keeps the
// calls for tests.
#pragma once

#include "editor/PlainCanvas.h"
#include "editor/ShapeCanvas.h"

class Canvas : public PlainCanvas, public ShapeCanvas {};
