// The format and version the appearance bar shows ("VST2 / 1.2"). It belongs to the module:
// a plug-in module of another format sets its own once, before it opens an editor.
#pragma once

const char* faceLabel();
// Keeps the pointer: `label` must live as long as the module (a string literal).
void setFaceLabel(const char* label);
