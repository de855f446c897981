// Matrix arithmetic in float, term order as in Mesa's math module.
#include "platform/gl11/matrix_math.h"

namespace gl11 {

Matrix Multiply(const Matrix& a, const Matrix& b)
{
    Matrix p;
    for (int row = 0; row < 4; ++row) {
        const float a0 = a.m[row], a1 = a.m[4 + row], a2 = a.m[8 + row], a3 = a.m[12 + row];
        for (int col = 0; col < 4; ++col) {
            const float* bc = &b.m[col * 4];
            p.m[col * 4 + row] = a0 * bc[0] + a1 * bc[1] + a2 * bc[2] + a3 * bc[3];
        }
    }
    return p;
}

void Translate(Matrix& m, float x, float y, float z)
{
    for (int row = 0; row < 4; ++row)
        m.m[12 + row] = m.m[row] * x + m.m[4 + row] * y + m.m[8 + row] * z + m.m[12 + row];
}

void Scale(Matrix& m, float x, float y, float z)
{
    for (int row = 0; row < 4; ++row) {
        m.m[row] *= x;
        m.m[4 + row] *= y;
        m.m[8 + row] *= z;
    }
}

void TransformPoint(const Matrix& m, const float* in, float w, float* out)
{
    for (int row = 0; row < 4; ++row)
        out[row] = m.m[row] * in[0] + m.m[4 + row] * in[1] + m.m[8 + row] * in[2] + m.m[12 + row] * w;
}

void TransformDirection(const Matrix& m, const float* in, float* out)
{
    for (int row = 0; row < 3; ++row) out[row] = m.m[row] * in[0] + m.m[4 + row] * in[1] + m.m[8 + row] * in[2];
}

NormalMatrix NormalMatrixOf(const Matrix& mv)
{
    // The cofactors of the upper-left 3 x 3 A over its determinant are the
    // inverse transpose itself. A(r, c) is mv.m[c * 4 + r]; cRC is cofactor (r, c).
    const float* m = mv.m;
    const float c00 = m[5] * m[10] - m[9] * m[6];
    const float c10 = m[8] * m[6] - m[4] * m[10];
    const float c20 = m[4] * m[9] - m[8] * m[5];
    const float det = m[0] * c00 + m[1] * c10 + m[2] * c20;
    NormalMatrix n{};
    if (det == 0.0f) return n;
    const float inv = 1.0f / det;
    n.m[0] = c00 * inv;
    n.m[1] = c10 * inv;
    n.m[2] = c20 * inv;
    n.m[3] = (m[9] * m[2] - m[1] * m[10]) * inv;  // c01
    n.m[4] = (m[0] * m[10] - m[8] * m[2]) * inv;  // c11
    n.m[5] = (m[8] * m[1] - m[0] * m[9]) * inv;   // c21
    n.m[6] = (m[1] * m[6] - m[5] * m[2]) * inv;   // c02
    n.m[7] = (m[4] * m[2] - m[0] * m[6]) * inv;   // c12
    n.m[8] = (m[0] * m[5] - m[4] * m[1]) * inv;   // c22
    return n;
}

void TransformNormal(const NormalMatrix& n, const float* in, float* out)
{
    for (int row = 0; row < 3; ++row) out[row] = n.m[row] * in[0] + n.m[3 + row] * in[1] + n.m[6 + row] * in[2];
}

}  // namespace gl11
