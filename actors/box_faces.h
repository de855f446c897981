// The six quads of a box from its eight corners, with the shared face
// normals; the vertex and normal arrays are on only for the draw.
#pragma once

void DrawBoxFaces(const float* corners);
