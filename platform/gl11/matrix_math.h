// 4 x 4 float matrices as OpenGL keeps them (column-major, m[column * 4 + row])
// and the few operations the fixed-function layer needs. Every product sums its
// terms in the order Mesa does, in float, so results match the native driver's.
#pragma once

namespace gl11 {

struct Matrix {
    float m[16];
};

inline constexpr Matrix kIdentity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// a x b: b applied first, as glMultMatrix applies its argument.
Matrix Multiply(const Matrix& a, const Matrix& b);
// The current matrix times a translation or a scale, in place.
void Translate(Matrix& m, float x, float y, float z);
void Scale(Matrix& m, float x, float y, float z);
// m x (x, y, z, w), four components out.
void TransformPoint(const Matrix& m, const float* in, float w, float* out);
// The upper-left 3 x 3 of m times v (directions under the modelview).
void TransformDirection(const Matrix& m, const float* in, float* out);

// The inverse transpose of the upper-left 3 x 3, which carries normals into eye
// space; column-major 3 x 3. A singular matrix gives zeros (normals then vanish).
struct NormalMatrix {
    float m[9];
};
NormalMatrix NormalMatrixOf(const Matrix& modelview);
void TransformNormal(const NormalMatrix& n, const float* in, float* out);

}  // namespace gl11
