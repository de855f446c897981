// The modelview and projection stacks. The projection is a uniform of the
// batch, so changing it flushes; the modelview is applied as vertices arrive.
#include <cstring>

#include "platform/gl11/fixed_function.h"
#include "platform/gl11/layer.h"

namespace gl11 {
namespace {

Matrix& Top()
{
    Layer& l = g_layer;
    return l.matrixMode == GL_PROJECTION ? l.projection[l.projectionTop] : l.modelview[l.modelviewTop];
}

// Before the current matrix changes: the projection is a uniform of the batch.
Matrix& TopForChange()
{
    Layer& l = g_layer;
    if (l.matrixMode == GL_PROJECTION) {
        FlushBatch();
        l.uniformsStale = true;
    } else {
        l.normalMatrixStale = true;
    }
    return Top();
}

}  // namespace

void MatrixMode(GLenum mode)
{
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION) {
        SetError(GL_INVALID_ENUM);
        return;
    }
    g_layer.matrixMode = mode;
}

void LoadIdentity() { TopForChange() = kIdentity; }

void LoadMatrixf(const GLfloat* m) { std::memcpy(TopForChange().m, m, sizeof(Matrix)); }

void MultMatrixf(const GLfloat* m)
{
    Matrix b;
    std::memcpy(b.m, m, sizeof(Matrix));
    Matrix& top = TopForChange();
    top = Multiply(top, b);
}

void PushMatrix()
{
    Layer& l = g_layer;
    const bool projection = l.matrixMode == GL_PROJECTION;
    int& top = projection ? l.projectionTop : l.modelviewTop;
    Matrix* stack = projection ? l.projection : l.modelview;
    if (top + 1 >= (projection ? kProjectionDepth : kModelviewDepth)) {
        SetError(GL_STACK_OVERFLOW);
        return;
    }
    stack[top + 1] = stack[top];
    ++top;
}

void PopMatrix()
{
    Layer& l = g_layer;
    const bool projection = l.matrixMode == GL_PROJECTION;
    int& top = projection ? l.projectionTop : l.modelviewTop;
    if (top == 0) {
        SetError(GL_STACK_UNDERFLOW);
        return;
    }
    TopForChange();
    --top;
}

void Translatef(GLfloat x, GLfloat y, GLfloat z) { Translate(TopForChange(), x, y, z); }

void Scalef(GLfloat x, GLfloat y, GLfloat z) { Scale(TopForChange(), x, y, z); }

}  // namespace gl11
