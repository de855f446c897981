// OpenGL 1.1's fixed-function pipeline, the part the demo uses, over OpenGL ES
// 3.0 / WebGL 2: matrix stacks, per-vertex lighting with spot lights, materials,
// the one texture with its mipmaps, client and interleaved arrays, quads.
// Each call does what its GL namesake does; the web build's gl* entry points
// forward here. Limits (GL_INVALID_ENUM otherwise, as GL reports what it lacks):
//  - lights GL_LIGHT0..7; light model at its defaults (ambient 0.2, infinite
//    viewer, one-sided); material GL_FRONT lights every face, as GL does then.
//  - smooth shading, filled polygons, texture environment GL_MODULATE, only the
//    default texture object (name 0), RGBA unsigned-byte images.
//  - GL_POINTS (size 1), GL_TRIANGLES and GL_QUADS, float vertex, normal and
//    texture-coordinate arrays; the current colour for unlit drawing.
//  - vertices with w = 1 under an affine modelview, as eye-space lighting assumes.
// Draws are batched while the state they need stays the same; Flush hands the
// batch to ES, and must run before the picture is read or shown.
#pragma once

#include <GL/gl.h>

namespace gl11 {

// --- Context ------------------------------------------------------------------
// Builds the layer's program (for no lights; the others as lights come on),
// buffers and default texture on the current ES context and puts every GL 1.1
// state at its initial value. False, with the driver's reason in OpenError(),
// when the program does not build.
bool Open();
// Forgets the context's objects: they go with the context itself.
void Close();
const char* OpenError();
// Draws whatever is batched; Finish waits for it to be drawn as well.
void Flush();
void Finish();
// After code outside the layer has used the ES context: puts back the program,
// buffers, texture and switches the layer relies on.
void Rebind();

// --- State ---------------------------------------------------------------------
void Enable(GLenum cap);
void Disable(GLenum cap);
GLboolean IsEnabled(GLenum cap);
GLenum GetError();
// The matrices and the current colour; the stacks' depths, the matrix mode and
// the vertex array's layout from the layer, the rest (the viewport, limits) from ES.
void GetFloatv(GLenum pname, GLfloat* values);
void GetIntegerv(GLenum pname, GLint* values);
void GetPointerv(GLenum pname, void** values);
void ShadeModel(GLenum mode);
void PolygonMode(GLenum face, GLenum mode);
void PolygonOffset(GLfloat factor, GLfloat units);
void BlendFunc(GLenum source, GLenum destination);
void Viewport(GLint x, GLint y, GLsizei width, GLsizei height);
void ClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void Clear(GLbitfield mask);

// --- Matrices ------------------------------------------------------------------
void MatrixMode(GLenum mode);
void LoadIdentity();
void LoadMatrixf(const GLfloat* m);
void MultMatrixf(const GLfloat* m);
void PushMatrix();
void PopMatrix();
void Translatef(GLfloat x, GLfloat y, GLfloat z);
void Scalef(GLfloat x, GLfloat y, GLfloat z);

// --- Lighting and colour -----------------------------------------------------------
void Lightf(GLenum light, GLenum pname, GLfloat value);
void Lightfv(GLenum light, GLenum pname, const GLfloat* values);
void Materialfv(GLenum face, GLenum pname, const GLfloat* values);
void Color4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);

// --- Texture ----------------------------------------------------------------------
void BindTexture(GLenum target, GLuint texture);
void TexParameteri(GLenum target, GLenum pname, GLint value);
void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const void* pixels);

// --- Arrays and drawing -----------------------------------------------------------
void EnableClientState(GLenum array);
void DisableClientState(GLenum array);
void VertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
void NormalPointer(GLenum type, GLsizei stride, const void* pointer);
void TexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
void InterleavedArrays(GLenum format, GLsizei stride, const void* pointer);
void DrawArrays(GLenum mode, GLint first, GLsizei count);
void DrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);

// --- GLU -----------------------------------------------------------------------------
void Perspective(GLdouble fovY, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void LookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY, GLdouble centreZ,
            GLdouble upX, GLdouble upY, GLdouble upZ);
// 0, or a GLU error code; the image's sides must be powers of two.
GLint Build2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                     GLenum type, const void* pixels);

}  // namespace gl11
